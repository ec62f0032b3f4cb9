#include "app/application.h"
#include "app/declarationchecks.h"
#include "app/tform1.h"
#include "common/exception.h"
#include "common/regionalsettings.h"
#include "dialogs/dialogs.h"
#include "form/maskedit/tlmdmaskedit.h"
#include "form/numedit/tpbnumedit.h"
#include "form/widgets/tdatetimepicker.h"
#include "form/widgets/tedit.h"
#include "tests/support/privatexserver.h"
#include "tests/support/whenmodalopens.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

// The checks as the taxpayer meets them in the real window: marks on leaving a field, and the list of
// problems that stands between the print command and the preview.
class TestCheckedWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void wrongTaxNumberIsMarkedOnLeavingAndCorrectionRemovesTheMark();
    void partlyFilledOrEmptyFieldsAreNotMarked();
    void markFollowsTheBirthDateAndTheTaxNumber();
    void printAnywayGoesOnToThePreview();
    void fixFocusesTheFirstFieldAndPrintsNothing();
    void validDeclarationGoesStraightToThePreview();
    void textThePageWouldCutOffIsListed();
    void loadFailingInTheRecomputationStillMarksTheLoadedFields();
    void fixGivesTheKeyboardBackToTheFieldUnderAWindowManager();

private:
    QWidget *field(const char *name) const { return m_form->field<QWidget>(QLatin1String(name)); }
    bool isMarked(const char *name) const { return m_form->checks().isMarked(field(name)); }
    void typeInto(const char *name, const QString &text);
    void printAnsweringBox(const QString &button);
    void answerPassword(const QString &password);

    std::unique_ptr<TForm1> m_form;
    int m_previews = 0;
    QString m_boxTitle;
    QString m_boxText;
    QStringList m_boxButtons;
    int m_boxLabelWidth = 0;
};

void TestCheckedWindow::init()
{
    Regional::instance().setSettings(RegionalSettings());
    m_form = std::make_unique<TForm1>();
    m_previews = 0;
    m_form->frxReport1().setPreviewWindow([this](const PageDrawer &, QWidget *) { ++m_previews; });
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestCheckedWindow::cleanup()
{
    m_form.reset();
}

// Types from the first position, as over the blank template, and leaves the field with Tab.
void TestCheckedWindow::typeInto(const char *name, const QString &text)
{
    QWidget *target = field(name);
    target->setFocus(Qt::TabFocusReason);
    QTest::keyClick(target, Qt::Key_Home);
    QTest::keyClicks(target, text);
    QTest::keyClick(target, Qt::Key_Tab);
}

// Chooses "Nyomtatás" and presses the named button of the problem box, noting what the box showed.
void TestCheckedWindow::printAnsweringBox(const QString &button)
{
    m_boxTitle.clear();
    m_boxText.clear();
    m_boxButtons.clear();
    whenModalOpens<QWidget>([this, button](QWidget *box) {
        m_boxTitle = box->windowTitle();
        auto *message = box->findChild<QLabel *>(QStringLiteral("Message"));
        m_boxText = message->text();
        m_boxLabelWidth = message->width();
        for (QPushButton *candidate : box->findChildren<QPushButton *>())
            m_boxButtons << candidate->text();
        box->findChild<QPushButton *>(button)->click();
    });
    m_form->field<QAction>(QStringLiteral("Nyomtats1"))->trigger();
}

void TestCheckedWindow::answerPassword(const QString &password)
{
    whenModalOpens<QWidget>([password](QWidget *box) {
        auto *line = box->findChild<QLineEdit *>();
        QVERIFY(line);
        line->setText(password);
        QTest::keyClick(line, Qt::Key_Return);
    });
}

void TestCheckedWindow::wrongTaxNumberIsMarkedOnLeavingAndCorrectionRemovesTheMark()
{
    QWidget *taxNumber = field("LMDMaskEdit2");
    taxNumber->setAccessibleDescription(QStringLiteral("korábbi leírás"));
    const QImage unmarked = taxNumber->grab().toImage();

    taxNumber->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(taxNumber, QStringLiteral("12345677-2-41"));
    QVERIFY2(!isMarked("LMDMaskEdit2"), "marked before the field is left");
    QTest::keyClick(taxNumber, Qt::Key_Tab);

    const QString reason = QStringLiteral("Az adószám ellenőrző számjegye hibás.");
    QVERIFY(isMarked("LMDMaskEdit2"));
    QCOMPARE(taxNumber->toolTip(), reason);
    QCOMPARE(taxNumber->accessibleDescription(), reason);
    QCOMPARE(QAccessible::queryAccessibleInterface(taxNumber)->text(QAccessible::Description), reason);
    QCOMPARE(m_form->field<TLMDMaskEdit>(QStringLiteral("LMDMaskEdit2"))->text(), QStringLiteral("12345677-2-41"));
    const QImage marked = taxNumber->grab().toImage();
    const QPoint border(0, marked.height() / 2);
    QVERIFY(marked.pixelColor(border) != unmarked.pixelColor(border));
    QVERIFY(marked.pixelColor(border).red() > 2 * marked.pixelColor(border).green());

    // The mark goes as soon as the correction makes the number valid, before the field is left.
    taxNumber->setFocus(Qt::TabFocusReason);
    QTest::keyClick(taxNumber, Qt::Key_Home);
    QTest::keyClicks(taxNumber, QStringLiteral("1234567"));
    QVERIFY(isMarked("LMDMaskEdit2"));
    QTest::keyClicks(taxNumber, QStringLiteral("6"));
    QVERIFY(!isMarked("LMDMaskEdit2"));
    QCOMPARE(taxNumber->toolTip(), QString());
    QCOMPARE(taxNumber->accessibleDescription(), QStringLiteral("korábbi leírás"));
    QTest::keyClick(taxNumber, Qt::Key_Tab);
    QVERIFY(!isMarked("LMDMaskEdit2"));
    QCOMPARE(taxNumber->grab().toImage().pixelColor(border), unmarked.pixelColor(border));
}

void TestCheckedWindow::partlyFilledOrEmptyFieldsAreNotMarked()
{
    typeInto("LMDMaskEdit31", QStringLiteral("1177"));
    QVERIFY(!isMarked("LMDMaskEdit31"));

    typeInto("Edit92", QStringLiteral("kovacs"));
    QVERIFY(isMarked("Edit92"));
    auto *email = m_form->field<TEdit>(QStringLiteral("Edit92"));
    email->setFocus(Qt::TabFocusReason);
    email->clear();
    QVERIFY2(!isMarked("Edit92"), "an emptied field keeps its mark");
}

void TestCheckedWindow::markFollowsTheBirthDateAndTheTaxNumber()
{
    auto *birthDate = m_form->field<TDateTimePicker>(QStringLiteral("DateTimePicker6"));
    birthDate->setDate(QDate(1980, 5, 17));
    typeInto("LMDMaskEdit3", QStringLiteral("8414091237"));
    QVERIFY(!isMarked("LMDMaskEdit3"));

    birthDate->setFocus(Qt::TabFocusReason);
    birthDate->setDate(QDate(1980, 5, 18));
    QTest::keyClick(birthDate, Qt::Key_Tab);
    QVERIFY(isMarked("LMDMaskEdit3"));
    QCOMPARE(field("LMDMaskEdit3")->toolTip(), QStringLiteral("Az adóazonosító jel nem egyezik a születési dátummal."));

    // Not a private person: the birth date no longer counts.
    QTest::mouseClick(m_form->field<QCheckBox>(QStringLiteral("CheckBox1")), Qt::LeftButton, {}, QPoint(4, 8));
    QVERIFY(!m_form->field<QCheckBox>(QStringLiteral("CheckBox1"))->isChecked());
    QVERIFY(!isMarked("LMDMaskEdit3"));

    // The statistical code is held against the tax number once that is given.
    typeInto("LMDMaskEdit1", QStringLiteral("16052721-6820-113-01"));
    QVERIFY(!isMarked("LMDMaskEdit1"));
    typeInto("LMDMaskEdit2", QStringLiteral("12345676-2-41"));
    QVERIFY(isMarked("LMDMaskEdit1"));
}

void TestCheckedWindow::printAnywayGoesOnToThePreview()
{
    m_form->field<TEdit>(QStringLiteral("Edit2"))->setText(QStringLiteral("Árvíz Bt."));
    typeInto("LMDMaskEdit2", QStringLiteral("12345677-2-41"));
    typeInto("LMDMaskEdit32", QStringLiteral("10"));

    printAnsweringBox(QStringLiteral("PrintAnyway"));
    QCOMPARE(m_boxTitle, QStringLiteral("Figyelmeztetés"));
    QCOMPARE(m_boxButtons, QStringList({QStringLiteral("Javítom"), QStringLiteral("Nyomtatás így is")}));
    const QStringList lines = m_boxText.split(u'\n');
    QVERIFY2(lines.contains(QStringLiteral("Adószáma: Az adószám ellenőrző számjegye hibás.")), qPrintable(m_boxText));
    QVERIFY2(lines.contains(QStringLiteral("Székhely irányítószáma: nincs minden számjegye kitöltve.")),
             qPrintable(m_boxText));
    const QFontMetrics metrics(MessDlgs::settings().messageFont);
    for (const QString &line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= m_boxLabelWidth, qPrintable(line));

    QCOMPARE(m_previews, 1);
    QVERIFY(!m_form->printIdentifier().isEmpty());
    QCOMPARE(m_form->field<TLMDMaskEdit>(QStringLiteral("LMDMaskEdit2"))->text(), QStringLiteral("12345677-2-41"));
}

void TestCheckedWindow::fixFocusesTheFirstFieldAndPrintsNothing()
{
    m_form->field<TEdit>(QStringLiteral("Edit2"))->setText(QStringLiteral("Árvíz Bt."));
    typeInto("Edit92", QStringLiteral("kovacs@pelda"));
    typeInto("LMDMaskEdit31", QStringLiteral("11773016-12345677"));
    field("Edit91")->setFocus();

    printAnsweringBox(QStringLiteral("Fix"));
    QVERIFY2(m_boxText.contains(QStringLiteral("E-mail címe: Az e-mail cím @ utáni részében nincs pont.")),
             qPrintable(m_boxText));
    QCOMPARE(m_previews, 0);
    QCOMPARE(m_form->printIdentifier(), QString());
    // The window's focus field; it takes the keyboard as soon as the window is active again.
    QCOMPARE(m_form->focusWidget(), field("LMDMaskEdit31"));
}

void TestCheckedWindow::textThePageWouldCutOffIsListed()
{
    m_form->field<TEdit>(QStringLiteral("Edit2"))
        ->setText(QStringLiteral("Kerekrévi Építőipari és Kereskedelmi Korlátolt Felelősségű Társaság Végelszámolás Alatt"));
    m_form->field<TEdit>(QStringLiteral("Edit76"))->setText(QStringLiteral("Szent István király"));
    field("Edit91")->setFocus();

    printAnsweringBox(QStringLiteral("Fix"));
    const QStringList lines = m_boxText.split(u'\n');
    QVERIFY2(lines.contains(QStringLiteral("Adóalany neve (cégneve): nem fér el a nyomtatványon, a vége lemarad.")),
             qPrintable(m_boxText));
    // A street name of an ordinary length fits its line.
    QVERIFY2(!m_boxText.contains(QStringLiteral("Székhelye")), qPrintable(m_boxText));
    const QFontMetrics metrics(MessDlgs::settings().messageFont);
    for (const QString &line : lines)
        QVERIFY2(metrics.horizontalAdvance(line) <= m_boxLabelWidth, qPrintable(line));
    QCOMPARE(m_previews, 0);
    QCOMPARE(m_form->focusWidget(), field("Edit2"));
}

void TestCheckedWindow::validDeclarationGoesStraightToThePreview()
{
    m_form->field<TDateTimePicker>(QStringLiteral("DateTimePicker6"))->setDate(QDate(1980, 5, 17));
    typeInto("LMDMaskEdit3", QStringLiteral("8414091237"));
    typeInto("LMDMaskEdit2", QStringLiteral("12345676-2-41"));
    typeInto("LMDMaskEdit1", QStringLiteral("12345676-6820-113-01"));
    typeInto("LMDMaskEdit31", QStringLiteral("16052721-38160493-50273816"));
    typeInto("LMDMaskEdit32", QStringLiteral("1011"));
    typeInto("LMDMaskEdit33", QStringLiteral("9985"));
    typeInto("Edit92", QStringLiteral("kovacs.janos@pelda.hu"));

    // A box would be modal within the print command; the watch ends with it, so that it cannot outlive
    // this test and take a later test's box for the problem box.
    bool boxShown = false;
    QTimer watch;
    watch.setInterval(5);
    connect(&watch, &QTimer::timeout, this, [&boxShown] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            boxShown = true;
            box->close();
        }
    });
    watch.start();
    m_form->field<QAction>(QStringLiteral("Nyomtats1"))->trigger();
    watch.stop();
    QVERIFY(!boxShown);
    QCOMPARE(m_previews, 1);
}

// The loaded fields are all written before the recomputation meets a number it cannot read.
void TestCheckedWindow::loadFailingInTheRecomputationStillMarksTheLoadedFields()
{
    QTemporaryDir folder;
    m_form->setFillingFolder(folder.path());
    auto *taxNumber = m_form->field<TLMDMaskEdit>(QStringLiteral("LMDMaskEdit2"));
    taxNumber->setText(QStringLiteral("12345678-2-13")); // a wrong check digit
    m_form->field<TPBNumEdit>(QStringLiteral("PBNumEdit2"))->setText(QStringLiteral("tíz"));
    answerPassword(QStringLiteral("p"));
    m_form->Kitltsmentse1Click();
    taxNumber->resetToBlankTemplate();
    QVERIFY(!isMarked("LMDMaskEdit2"));

    answerPassword(QStringLiteral("p"));
    QVERIFY_THROWS_EXCEPTION(EConvertError, m_form->Kitltttrlapbetltse1Click());
    QCOMPARE(taxNumber->text(), QStringLiteral("12345678-2-13"));
    QVERIFY(isMarked("LMDMaskEdit2"));
}

// Only a window manager hands the activation back to the window when the box closes, so this runs the
// test function again in a child on a private X server with openbox.
void TestCheckedWindow::fixGivesTheKeyboardBackToTheFieldUnderAWindowManager()
{
    if (PrivateXServer::isHosting()) {
        typeInto("LMDMaskEdit2", QStringLiteral("12345677-2-41"));
        field("Edit91")->setFocus();
        printAnsweringBox(QStringLiteral("Fix"));
        QTRY_COMPARE(QApplication::focusWidget(), field("LMDMaskEdit2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12345676"));
        QCOMPARE(m_form->field<TLMDMaskEdit>(QStringLiteral("LMDMaskEdit2"))->text(), QStringLiteral("12345676-2-41"));
        return;
    }
    PrivateXServer server;
    if (!server.started())
        QSKIP(server.failure().constData());

    server.runCurrentFunction();
}

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    TestCheckedWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_checkedwindow.moc"
