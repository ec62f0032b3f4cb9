#include "common/beep.h"
#include "common/failure.h"
#include "form/numedit/tpbnumedit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <memory>
#include <stdexcept>

namespace {

// Stands for the main window: keys that the field leaves alone arrive here.
class Window : public QWidget
{
public:
    QList<int> keysReceived;

protected:
    void keyPressEvent(QKeyEvent *event) override { keysReceived << event->key(); }
};

} // namespace

class TestTPBNumEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void typedTextIsRewrittenWhenTheFieldIsLeft_data();
    void typedTextIsRewrittenWhenTheFieldIsLeft();
    void windowKeysAreNotConsumed();
    void unconvertibleTextOnLeavingIsReportedAndNotExited();
    void clickThatEntersSelectsTheWholeText();
    void finishingCountsAsLeavingWithoutMovingTheFocus();
    void withoutAutoSelectEnteringKeepsTheCaret();
    void clipboardShortcutsGoThroughTheFilter();
    void inputMethodTextGoesThroughTheFilter();
    void outOfRangeValueTakesTheBoundAndKeepsTheFocus();
    void regionalSettingsChangeTheSeparator();
    void disabledFieldShowsItsValueOnTheButtonFace();

private:
    void tabIntoField();

    std::unique_ptr<Window> m_window;
    QLineEdit *m_before = nullptr;
    TPBNumEdit *m_field = nullptr;
    QLineEdit *m_after = nullptr;
    int m_beeps = 0;
    QStringList m_reported;
};

void TestTPBNumEdit::init()
{
    RegionalSettings hungarian;
    hungarian.decimalSeparator = u',';
    hungarian.thousandSeparator = QChar(0x00A0);
    Regional::instance().setSettings(hungarian);
    m_beeps = 0;
    m_reported.clear();
    beep::setHandler([this] { ++m_beeps; });
    failure::setReporter([this](const QString &message) { m_reported << message; });

    m_window = std::make_unique<Window>();
    auto *layout = new QVBoxLayout(m_window.get());
    m_before = new QLineEdit(m_window.get());
    m_field = new TPBNumEdit(m_window.get());
    m_after = new QLineEdit(m_window.get());
    layout->addWidget(m_before);
    layout->addWidget(m_field);
    layout->addWidget(m_after);
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    m_before->setFocus();
}

void TestTPBNumEdit::cleanup()
{
    m_window.reset();
    beep::setHandler({});
    failure::setReporter({});
}

void TestTPBNumEdit::tabIntoField()
{
    QTest::keyClick(m_before, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_field);
}

void TestTPBNumEdit::typedTextIsRewrittenWhenTheFieldIsLeft_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("left");
    QTest::addColumn<int>("beeps");
    QTest::newRow("digits") << "1234567" << "1234567" << "1234567" << 0;
    QTest::newRow("minus then digit") << "-5" << "-5" << "-5" << 0;
    QTest::newRow("comma") << "12,5" << "12,5" << "12,5" << 0;
    QTest::newRow("full stop beeps") << "12.5" << "125" << "125" << 1;
    QTest::newRow("exponent") << "12E3" << "12E3" << "12000" << 0;
    QTest::newRow("lone minus") << "-" << "-0" << "0" << 0;
    QTest::newRow("letters beep") << "1x2y" << "12" << "12" << 2;
}

void TestTPBNumEdit::typedTextIsRewrittenWhenTheFieldIsLeft()
{
    QFETCH(QString, keys);
    QFETCH(QString, typed);
    QFETCH(QString, left);
    QFETCH(int, beeps);
    int exited = 0;
    QString textWhenExited;
    m_field->setExitHandler([&] {
        ++exited;
        textWhenExited = m_field->text();
    });

    tabIntoField();
    QCOMPARE(m_field->selectedText(), QStringLiteral("0"));
    QTest::keyClicks(m_field, keys);
    QCOMPARE(m_field->text(), typed);
    QCOMPARE(m_beeps, beeps);
    QCOMPARE(exited, 0);

    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_after);
    QCOMPARE(m_field->text(), left);
    QCOMPARE(exited, 1);
    QCOMPARE(textWhenExited, left);
}

void TestTPBNumEdit::windowKeysAreNotConsumed()
{
    tabIntoField();
    QTest::keyClick(m_field, Qt::Key_Return);
    QTest::keyClick(m_field, Qt::Key_Escape);
    QTest::keyClick(m_field, Qt::Key_Left);
    QCOMPARE(m_window->keysReceived, (QList<int>{Qt::Key_Return, Qt::Key_Escape}));
    QCOMPARE(m_beeps, 0);
    QCOMPARE(m_field->text(), QStringLiteral("0"));

    QTest::keyClick(m_field, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), m_before);
}

void TestTPBNumEdit::unconvertibleTextOnLeavingIsReportedAndNotExited()
{
    int exited = 0;
    m_field->setExitHandler([&exited] { ++exited; });
    m_field->setText(QStringLiteral("abc"));
    tabIntoField();
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(m_reported, QStringList{QStringLiteral("'abc' is not a valid floating point value")});
    QCOMPARE(exited, 0);
    QCOMPARE(m_field->text(), QStringLiteral("abc"));
}

void TestTPBNumEdit::clickThatEntersSelectsTheWholeText()
{
    m_field->setValue(1234);
    const QPoint inside(m_field->width() - 8, m_field->height() / 2);
    QTest::mouseClick(m_field, Qt::LeftButton, {}, inside);
    QCOMPARE(QApplication::focusWidget(), m_field);
    QCOMPARE(m_field->selectedText(), QStringLiteral("1234"));

    QTest::mouseClick(m_field, Qt::LeftButton, {}, inside);
    QVERIFY(!m_field->hasSelectedText());
}

// Finished in place (as the print command does), the field keeps the focus; the focus coming back
// from another window then enters it, while a field that was not finished keeps its caret.
void TestTPBNumEdit::finishingCountsAsLeavingWithoutMovingTheFocus()
{
    QStringList exited;
    m_field->setExitHandler([&] {
        exited << m_field->text();
        if (m_field->text() == QLatin1String("13"))
            throw std::runtime_error("no thirteen");
    });
    QWidget other;
    const auto awayAndBack = [&] {
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QCOMPARE(QApplication::focusWidget(), m_field);
    };
    tabIntoField();
    QTest::keyClicks(m_field, QStringLiteral("12E3"));
    QVERIFY(m_field->finishEditing());
    QCOMPARE(exited, QStringList{QStringLiteral("12000")});
    QCOMPARE(QApplication::focusWidget(), m_field);
    awayAndBack();
    QCOMPARE(m_field->selectedText(), QStringLiteral("12000"));

    QTest::keyClicks(m_field, QStringLiteral("1"));
    awayAndBack();
    QTest::keyClicks(m_field, QStringLiteral("3"));
    QCOMPARE(m_field->text(), QStringLiteral("13"));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, m_field->finishEditing());
}

void TestTPBNumEdit::withoutAutoSelectEnteringKeepsTheCaret()
{
    m_field->setAutoSelect(false);
    m_field->setValue(1234);
    m_field->setCursorPosition(2);
    tabIntoField();
    QVERIFY(!m_field->hasSelectedText());
    QTest::keyClicks(m_field, QStringLiteral("5"));
    QCOMPARE(m_field->text(), QStringLiteral("12534"));
}

void TestTPBNumEdit::clipboardShortcutsGoThroughTheFilter()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("12 34"));
    tabIntoField();
    QTest::keySequence(m_field, QKeySequence::Paste);
    QCOMPARE(m_field->text(), QStringLiteral("1234"));
    QCOMPARE(m_beeps, 1);

    m_field->setSelection(1, 2);
    QTest::keySequence(m_field, QKeySequence::Cut);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("23"));
    QCOMPARE(m_field->text(), QStringLiteral("14"));
    QTest::keySequence(m_field, QKeySequence::Undo);
    QCOMPARE(m_field->text(), QStringLiteral("14"));
}

void TestTPBNumEdit::inputMethodTextGoesThroughTheFilter()
{
    tabIntoField();
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("7x"));
    QCoreApplication::sendEvent(m_field, &composed);
    QCOMPARE(m_field->text(), QStringLiteral("7"));
    QCOMPARE(m_beeps, 1);
}

void TestTPBNumEdit::outOfRangeValueTakesTheBoundAndKeepsTheFocus()
{
    int exited = 0;
    m_field->setExitHandler([&exited] { ++exited; });
    m_field->setMinValue(10);
    m_field->setMaxValue(100);
    tabIntoField();
    QTest::keyClicks(m_field, QStringLiteral("5"));
    QTest::keyClick(m_field, Qt::Key_Tab);
    QCOMPARE(m_field->text(), QStringLiteral("10"));
    QCOMPARE(m_beeps, 1);
    QCOMPARE(exited, 0);
    QTRY_COMPARE(QApplication::focusWidget(), m_field);
}

void TestTPBNumEdit::regionalSettingsChangeTheSeparator()
{
    RegionalSettings english;
    english.decimalSeparator = u'.';
    english.thousandSeparator = u',';
    Regional::instance().setSettings(english);
    tabIntoField();
    QTest::keyClicks(m_field, QStringLiteral("1.5,"));
    QCOMPARE(m_field->text(), QStringLiteral("1.5"));
    QCOMPARE(m_beeps, 1);
    QVERIFY(m_field->value().toExtended() == 1.5L);
}

void TestTPBNumEdit::disabledFieldShowsItsValueOnTheButtonFace()
{
    m_field->setEnabled(false);
    m_field->setValue(2100);
    QCOMPARE(m_field->text(), QStringLiteral("2100"));
    QTest::keyClick(m_before, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), m_after);

    // A button face that no style would use for a disabled edit on its own, set after creation.
    const QColor buttonFace(0xC5, 0xB6, 0x98);
    QPalette palette = m_window->palette();
    palette.setColor(QPalette::Button, buttonFace);
    m_window->setPalette(palette);
    const QImage image = m_field->grab().toImage();
    QCOMPARE(image.pixelColor(image.width() / 4, image.height() / 2), buttonFace);
}

QTEST_MAIN(TestTPBNumEdit)
#include "tst_tpbnumedit.moc"
