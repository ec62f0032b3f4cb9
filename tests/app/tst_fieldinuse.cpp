#include "app/application.h"
#include "app/tform1.h"
#include "common/regionalsettings.h"
#include "form/maskedit/tlmdmaskedit.h"
#include "form/numedit/tpbnumedit.h"
#include "form/widgets/tdatetimepicker.h"
#include "form/widgets/tedit.h"
#include "tests/support/privatexserver.h"
#include "tests/support/whenmodalopens.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <memory>

// The field the user is typing into, when a menu command or a box comes between: printing counts what
// it shows, and a box that closes hands the focus over as Tab would. The focus comes back with the
// activation, which the window manager and the program both hand back when a box closes, so the whole
// test runs again on a private X server under openbox.
class TestFieldInUse : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void printFinishesTheNumberBeingTyped_data();
    void printFinishesTheNumberBeingTyped();
    void printStopsAtTheErrorOfTheNumberBeingTyped();
    void printStopsAtARangeViolationOfTheNumberBeingTyped();
    void printFinishesTheDateBeingTyped();
    void fieldFocusedByAClosingErrorBoxIsEntered_data();
    void fieldFocusedByAClosingErrorBoxIsEntered();

private:
    QWidget *field(const char *name) const { return m_form->field<QWidget>(QLatin1String(name)); }
    QWidget *focused() const { return QApplication::focusWidget(); }
    void type(const QString &keys) { QTest::keyClicks(focused(), keys); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(focused(), key, modifiers);
    }
    void tabTo(const char *name);
    void waitUntilActive();
    QStringList results() const;
    QStringList preparedTexts();

    std::unique_ptr<TForm1> m_form;
    int m_previews = 0;
    QStringList m_boxes; // title: text of every modal box, in order
};

void TestFieldInUse::initTestCase()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server with a window manager (Xvfb and openbox)");
}

void TestFieldInUse::init()
{
    Regional::instance().setSettings(RegionalSettings()); // a Hungarian system's: ",", " ", "yyyy.MM.dd."
    m_form = std::make_unique<TForm1>();
    m_previews = 0;
    m_boxes.clear();
    m_form->frxReport1().setPreviewWindow([this](const PageDrawer &, QWidget *) { ++m_previews; });
    m_form->show();
    waitUntilActive();
}

void TestFieldInUse::cleanup()
{
    m_form.reset();
}

void TestFieldInUse::waitUntilActive()
{
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QTRY_VERIFY(focused());
}

// Moves the focus with real Tab presses until it reaches the field.
void TestFieldInUse::tabTo(const char *name)
{
    for (int presses = 0; presses < 100 && !field(name)->isAncestorOf(focused()) && focused() != field(name);
         ++presses)
        press(Qt::Key_Tab);
    QVERIFY(focused() == field(name) || field(name)->isAncestorOf(focused()));
}

QStringList TestFieldInUse::results() const
{
    QStringList captions;
    for (const char *name : {"Label29", "Label9", "Label23"})
        captions << m_form->field<QLabel>(QLatin1String(name))->text();
    return captions;
}

QStringList TestFieldInUse::preparedTexts()
{
    QStringList texts;
    for (const TfrxReportPage &page : m_form->frxReport1().PreparedPages()) {
        for (const auto &object : page.objects)
            texts << object.text;
    }
    return texts;
}

void TestFieldInUse::printFinishesTheNumberBeingTyped_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("mouse on the menu bar") << "mouse";
    QTest::newRow("Alt+N") << "Alt+N";
    QTest::newRow("Alt, then N and Enter") << "Alt, N, Enter";
}

// Typed and printed without leaving the field: the page shows the number in display form and the
// tax, liability and difference computed from it, and the focus stays in the field.
void TestFieldInUse::printFinishesTheNumberBeingTyped()
{
    QFETCH(QString, how);
    m_form->frxReport1().setPreviewWindow({});
    whenModalOpens<QWidget>([this](QWidget *preview) {
        ++m_previews;
        QVERIFY(QTest::qWaitForWindowActive(preview));
        QTest::keyClick(preview, Qt::Key_Escape);
    });
    tabTo("PBNumEdit2");
    type(QStringLiteral("2E1"));
    if (how == QLatin1String("mouse")) {
        auto *menu = m_form->field<QMenuBar>(QStringLiteral("AdvMainMenu1"));
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(m_form->field<QAction>(QStringLiteral("Nyomtats1"))).center());
    } else if (how == QLatin1String("Alt+N")) {
        press(Qt::Key_N, Qt::AltModifier);
    } else {
        press(Qt::Key_Alt);
        press(Qt::Key_N);
        press(Qt::Key_Return);
    }
    QTRY_COMPARE(m_previews, 1);
    QCOMPARE(m_form->field<TPBNumEdit>(QStringLiteral("PBNumEdit2"))->text(), QStringLiteral("20"));
    QCOMPARE(results(), QStringList({"42000", "42000", "42000"}));
    const QStringList page = preparedTexts();
    QVERIFY2(page.count(QStringLiteral("42 000 Ft.")) == 3, qPrintable(page.join(u'|')));
    QVERIFY2(page.contains(QStringLiteral("20")), qPrintable(page.join(u'|')));

    QTRY_COMPARE(focused(), field("PBNumEdit2"));
    press(Qt::Key_Tab);
    QCOMPARE(focused(), field("PBNumEdit4"));
    QCOMPARE(results(), QStringList({"42000", "42000", "42000"}));
}

// A number that does not compute ends the print command in its error box, before the list of
// mistyped identifiers and before any preview; the focus stays, and typing replaces the number.
void TestFieldInUse::printStopsAtTheErrorOfTheNumberBeingTyped()
{
    tabTo("LMDMaskEdit2");
    type(QStringLiteral("12345677-2-41")); // a wrong check digit, listed before printing
    tabTo("PBNumEdit2");
    type(QStringLiteral("1,5"));
    QTimer boxes;
    connect(&boxes, &QTimer::timeout, this, [this] {
        // Closed once the window manager has given it the activation, as a user closes it.
        if (QWidget *box = QApplication::activeModalWidget(); box && box->isActiveWindow()) {
            const auto *message = qobject_cast<QMessageBox *>(box);
            m_boxes << box->windowTitle() + u':' + (message ? message->text() : QString());
            box->close();
        }
    });
    boxes.start(5);
    press(Qt::Key_N, Qt::AltModifier);
    boxes.stop();
    QCOMPARE(m_boxes, QStringList{QStringLiteral("tst_fieldinuse:'1,5' is not a valid integer value.")});
    QCOMPARE(m_previews, 0);
    QCOMPARE(results(), QStringList({"0", "0", "0"}));

    QTRY_COMPARE(focused(), field("PBNumEdit2"));
    type(QStringLiteral("2"));
    QCOMPARE(m_form->field<TPBNumEdit>(QStringLiteral("PBNumEdit2"))->text(), QStringLiteral("2"));
}

// A field with a range that the number being typed leaves takes the bound, as on leaving, and its
// recomputation does not run: the page would print the bound beside results of the old number.
void TestFieldInUse::printStopsAtARangeViolationOfTheNumberBeingTyped()
{
    auto *headcount = m_form->field<TPBNumEdit>(QStringLiteral("PBNumEdit2"));
    headcount->setMinValue(1);
    headcount->setMaxValue(10);
    tabTo("PBNumEdit2");
    type(QStringLiteral("20"));
    press(Qt::Key_N, Qt::AltModifier);
    QCOMPARE(headcount->text(), QStringLiteral("10"));
    QCOMPARE(results(), QStringList({"0", "0", "0"}));
    QCOMPARE(m_previews, 0);
    QTRY_COMPARE(focused(), field("PBNumEdit2"));
}

// A date cut short while typing shows again, as on leaving, the date that the page prints.
void TestFieldInUse::printFinishesTheDateBeingTyped()
{
    tabTo("DateTimePicker6");
    auto *picker = m_form->field<TDateTimePicker>(QStringLiteral("DateTimePicker6"));
    QLineEdit *date = picker->textField();
    const QString whole = date->text();
    press(Qt::Key_Backspace);
    QVERIFY(date->text() != whole);
    press(Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(m_previews, 1);
    QCOMPARE(date->text(), whole);
    QCOMPARE(focused(), picker);
}

void TestFieldInUse::fieldFocusedByAClosingErrorBoxIsEntered_data()
{
    QTest::addColumn<QString>("target");  // where the focus goes when the failing field is left
    QTest::addColumn<QString>("before");  // typed there first
    QTest::addColumn<Qt::Key>("back");    // from the target to the failing field
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QString>("wrong");   // typed into the failing field
    QTest::addColumn<Qt::Key>("forth");   // from the failing field to the target
    QTest::addColumn<QString>("after");   // typed into the target once the box has closed
    QTest::addColumn<QString>("expected");
    QTest::newRow("numeric field") << "PBNumEdit4" << "1000" << Qt::Key_Backtab << "PBNumEdit2" << "1,5"
                                   << Qt::Key_Tab << "2000" << "2000";
    QTest::newRow("date field") << "DateTimePicker4" << "" << Qt::Key_Tab << "PBNumEdit5" << "-E\b"
                                << Qt::Key_Backtab << "15" << "2010.12.15.";
}

// The error box of the field just left opens while the focus moves on, and hands the focus to the next
// field only as it closes: that field must be entered as Tab enters it, so typing replaces its value.
void TestFieldInUse::fieldFocusedByAClosingErrorBoxIsEntered()
{
    QFETCH(QString, target);
    QFETCH(QString, before);
    QFETCH(Qt::Key, back);
    QFETCH(QString, failing);
    QFETCH(QString, wrong);
    QFETCH(Qt::Key, forth);
    QFETCH(QString, after);
    QFETCH(QString, expected);
    const auto shift = [](Qt::Key key) { return key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier; };
    const QByteArray targetName = target.toLatin1();
    QWidget *targetField = field(targetName.constData());

    tabTo(targetName.constData());
    type(before);
    press(back, shift(back));
    QCOMPARE(focused(), field(failing.toLatin1().constData()));
    type(wrong.replace(QLatin1String("\\b"), QLatin1String("\b")));
    QString error;
    whenModalOpens<QMessageBox>([&error](QMessageBox *box) {
        QVERIFY(QTest::qWaitForWindowActive(box));
        error = box->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    press(forth, shift(forth));
    QVERIFY(error.endsWith(QLatin1String(" is not a valid integer value."))
            || error.endsWith(QLatin1String(" is not a valid floating point value.")));
    QTRY_VERIFY(focused() == targetField || targetField->isAncestorOf(focused()));
    type(after);
    QString shown;
    if (auto *number = qobject_cast<TPBNumEdit *>(targetField))
        shown = number->text();
    else if (auto *date = qobject_cast<TDateTimePicker *>(targetField))
        shown = date->textField()->text();
    QCOMPARE(shown, expected);
}

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    if (!PrivateXServer::isHosting()) {
        PrivateXServer server;
        if (server.started())
            return server.runWholeTest(QCoreApplication::arguments());
        qWarning("%s", server.failure().constData());
    }
    TestFieldInUse test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fieldinuse.moc"
