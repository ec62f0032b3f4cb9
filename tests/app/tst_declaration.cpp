#include "app/application.h"
#include "app/tform1.h"
#include "common/failure.h"
#include "common/regionalsettings.h"
#include "form/maskedit/tlmdmaskedit.h"
#include "form/numedit/tpbnumedit.h"
#include "form/widgets/tdatetimepicker.h"
#include "form/widgets/tedit.h"
#include "form/widgets/tlmdradiogroup.h"
#include "tests/support/whenmodalopens.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

// The declaration window driven as a user drives it: real keys into real fields, real menu commands
// and the real modal dialogs.
class TestDeclaration : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void leavingANumericFieldRecomputes_data();
    void leavingANumericFieldRecomputes();
    void aFailureReachesTheDefaultErrorBox();
    void theMenuBarIsNoLeavingOfTheField();
    void reasonRuleKeepsTheOtherReasonText();
    void saveChangeAndLoadBack();
    void wrongPasswordLeavesTheFields();
    void printCommandPreparesAndPreviews();
    void printWithoutAReasonFailsPreparation();

private:
    void typeInto(const QString &fieldName, const QString &text);
    QStringList results() const;
    void answerPassword(const QString &password);

    std::unique_ptr<TForm1> m_form;
    QStringList m_reported;
    failure::Reporter m_previousReporter;
};

void TestDeclaration::init()
{
    Regional::instance().setSettings(RegionalSettings()); // a Hungarian system's: ",", " ", "yyyy.MM.dd."
    m_reported.clear();
    m_previousReporter = failure::setReporter([this](const QString &message) { m_reported << message; });
    m_form = std::make_unique<TForm1>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestDeclaration::cleanup()
{
    m_form.reset();
    failure::setReporter(m_previousReporter);
}

void TestDeclaration::typeInto(const QString &fieldName, const QString &text)
{
    auto *edit = m_form->field<TPBNumEdit>(fieldName);
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

QStringList TestDeclaration::results() const
{
    return {m_form->field<QLabel>(QStringLiteral("Label29"))->text(), m_form->field<QLabel>(QStringLiteral("Label9"))->text(),
            m_form->field<QLabel>(QStringLiteral("Label23"))->text()};
}

void TestDeclaration::answerPassword(const QString &password)
{
    whenModalOpens<QWidget>([password](QWidget *box) {
        auto *line = box->findChild<QLineEdit *>();
        QVERIFY(line);
        for (QChar typed : password) {
            // Key text, so that accented letters arrive as a keyboard layout would send them.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(typed));
            QApplication::sendEvent(line, &press);
        }
        QTest::keyClick(line, Qt::Key_Return);
    });
}

void TestDeclaration::leavingANumericFieldRecomputes_data()
{
    QTest::addColumn<QStringList>("typed"); // field, text, field, text, ...
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("failure");
    QTest::newRow("worked example") << QStringList{"PBNumEdit2", "10", "PBNumEdit4", "1000", "PBNumEdit1", "5000",
                                                   "PBNumEdit7", "2000"}
                                    << QStringList{"21000", "20000", "13000"} << QString();
    QTest::newRow("negative liability") << QStringList{"PBNumEdit2", "10", "PBNumEdit4", "21500"}
                                        << QStringList{"21000", "-500", "-500"} << QString();
    QTest::newRow("total headcount changes nothing") << QStringList{"PBNumEdit5", "99"} << QStringList{"0", "0", "0"}
                                                     << QString();
    QTest::newRow("fraction in the headcount") << QStringList{"PBNumEdit2", "1,5"} << QStringList{"0", "0", "0"}
                                               << "'1,5' is not a valid integer value";
    QTest::newRow("fraction in the allowance") << QStringList{"PBNumEdit2", "10", "PBNumEdit4", "0,5"}
                                               << QStringList{"21000", "21000", "21000"}
                                               << "'0,5' is not a valid integer value";
    QTest::newRow("advance beyond 32 bits") << QStringList{"PBNumEdit2", "10", "PBNumEdit1", "2147483648"}
                                            << QStringList{"21000", "21000", "21000"}
                                            << "'2147483648' is not a valid integer value";
    QTest::newRow("tax beyond 32 bits") << QStringList{"PBNumEdit2", "1022612"} << QStringList{"0", "0", "0"}
                                        << "Integer overflow";
}

void TestDeclaration::leavingANumericFieldRecomputes()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, expected);
    QFETCH(QString, failure);
    for (qsizetype index = 0; index < typed.size(); index += 2)
        typeInto(typed.at(index), typed.at(index + 1));
    QCOMPARE(results(), expected);
    QCOMPARE(m_reported.isEmpty() ? QString() : m_reported.last(), failure);
}

void TestDeclaration::aFailureReachesTheDefaultErrorBox()
{
    failure::setReporter(m_previousReporter);
    QString title;
    QString text;
    whenModalOpens<QWidget>([&](QWidget *box) {
        title = box->windowTitle();
        text = static_cast<QMessageBox *>(box)->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    typeInto(QStringLiteral("PBNumEdit2"), QStringLiteral("1,5"));
    QCOMPARE(text, QStringLiteral("'1,5' is not a valid integer value."));
    QCOMPARE(title, QStringLiteral("tst_declaration"));
    QCOMPARE(results(), QStringList({"0", "0", "0"}));
    m_form->activateWindow(); // the offscreen platform has no window manager to do it
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    // The program goes on: the next leave tries the whole computation again, failing while the text
    // stays, succeeding once it is corrected.
    text.clear();
    whenModalOpens<QWidget>([&](QWidget *box) {
        text = static_cast<QMessageBox *>(box)->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    m_form->field<QWidget>(QStringLiteral("PBNumEdit2"))->setFocus(Qt::MouseFocusReason);
    QCOMPARE(text, QStringLiteral("'1,5' is not a valid integer value."));
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    typeInto(QStringLiteral("PBNumEdit2"), QStringLiteral("2"));
    QCOMPARE(results(), QStringList({"4200", "4200", "4200"}));
}

void TestDeclaration::theMenuBarIsNoLeavingOfTheField()
{
    auto *headcount = m_form->field<TPBNumEdit>(QStringLiteral("PBNumEdit2"));
    headcount->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(headcount, QStringLiteral("10"));
    QTest::keyClick(headcount, Qt::Key_Alt);
    QVERIFY(QApplication::focusWidget() != headcount);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(results(), QStringList({"0", "0", "0"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(results(), QStringList({"21000", "21000", "21000"}));
}

void TestDeclaration::reasonRuleKeepsTheOtherReasonText()
{
    const auto options = m_form->field<TLMDRadioGroup>(QStringLiteral("LMDRadioGroup7"))->findChildren<QRadioButton *>();
    auto *other = m_form->field<TEdit>(QStringLiteral("Edit9"));
    QTest::mouseClick(options.at(2), Qt::LeftButton);
    QVERIFY(other->isEnabled());
    other->setText(QStringLiteral("egyéb ok"));
    QTest::mouseClick(options.at(1), Qt::LeftButton);
    QVERIFY(!other->isEnabled());
    QCOMPARE(other->text(), QStringLiteral("egyéb ok"));
}

void TestDeclaration::saveChangeAndLoadBack()
{
    QTemporaryDir folder;
    m_form->setFillingFolder(folder.path());
    typeInto(QStringLiteral("PBNumEdit2"), QStringLiteral("10"));
    typeInto(QStringLiteral("PBNumEdit1"), QStringLiteral("15000"));
    m_form->field<TEdit>(QStringLiteral("Edit2"))->setText(QStringLiteral("Árvíztűrő Kft."));
    auto *taxNumber = m_form->field<TLMDMaskEdit>(QStringLiteral("LMDMaskEdit2"));
    taxNumber->setFocus();
    QTest::keyClicks(taxNumber, QStringLiteral("12345678-2-13"));
    m_form->field<TDateTimePicker>(QStringLiteral("DateTimePicker6"))->setDate(QDate(1970, 5, 17));
    const QStringList saved = results();

    answerPassword(QStringLiteral("tűzijáték"));
    m_form->field<QAction>(QStringLiteral("Kitltsmentse1"))->trigger();
    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("KRVR11007.txt"))));

    typeInto(QStringLiteral("PBNumEdit2"), QStringLiteral("3"));
    m_form->field<TEdit>(QStringLiteral("Edit2"))->setText(QStringLiteral("más"));
    taxNumber->resetToBlankTemplate();
    m_form->field<TDateTimePicker>(QStringLiteral("DateTimePicker6"))->setDate(QDate(2000, 1, 1));

    answerPassword(QStringLiteral("tűzijáték"));
    m_form->field<QAction>(QStringLiteral("Kitltttrlapbetltse1"))->trigger();
    QCOMPARE(m_form->field<TPBNumEdit>(QStringLiteral("PBNumEdit2"))->text(), QStringLiteral("10"));
    QCOMPARE(m_form->field<TEdit>(QStringLiteral("Edit2"))->text(), QStringLiteral("Árvíztűrő Kft."));
    QCOMPARE(taxNumber->text(), QStringLiteral("12345678-2-13"));
    QCOMPARE(m_form->field<TDateTimePicker>(QStringLiteral("DateTimePicker6"))->date(), QDate(1970, 5, 17));
    QCOMPARE(results(), saved);
    QVERIFY(m_reported.isEmpty());
}

void TestDeclaration::wrongPasswordLeavesTheFields()
{
    QTemporaryDir folder;
    m_form->setFillingFolder(folder.path());
    answerPassword(QStringLiteral("jó"));
    m_form->field<QAction>(QStringLiteral("Kitltsmentse1"))->trigger();
    m_form->field<TEdit>(QStringLiteral("Edit2"))->setText(QStringLiteral("megmarad"));

    QString information;
    answerPassword(QStringLiteral("rossz"));
    connect(qApp, &QApplication::focusChanged, this, [&information] {
        // The information box follows the password box.
        if (QWidget *box = QApplication::activeModalWidget(); box && !box->findChild<QLineEdit *>()) {
            for (QLabel *label : box->findChildren<QLabel *>()) {
                if (!label->text().isEmpty())
                    information = label->text();
            }
            QTimer::singleShot(0, box, [box] { QTest::keyClick(box, Qt::Key_Return); });
        }
    });
    m_form->field<QAction>(QStringLiteral("Kitltttrlapbetltse1"))->trigger();
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    QCOMPARE(information, QStringLiteral("Hibás jelszó!           ."));
    QCOMPARE(m_form->field<TEdit>(QStringLiteral("Edit2"))->text(), QStringLiteral("megmarad"));
}

void TestDeclaration::printCommandPreparesAndPreviews()
{
    m_form->setProcessorIdentification([] { return ProcessorRegisters{198313, 1050624, 2147154879, 3219913727}; });
    m_form->field<TEdit>(QStringLiteral("Edit2"))->setText(QStringLiteral("Árvíz Bt."));
    typeInto(QStringLiteral("PBNumEdit2"), QStringLiteral("10"));
    m_form->field<QCheckBox>(QStringLiteral("CheckBox1"))->setChecked(false);

    QString caption;
    whenModalOpens<QWidget>([&caption](QWidget *preview) {
        caption = preview->windowTitle();
        QTest::keyClick(preview, Qt::Key_Escape);
    });
    m_form->field<QAction>(QStringLiteral("Nyomtats1"))->trigger();
    QCOMPARE(caption, QStringLiteral("Előkép"));
    QCOMPARE(m_form->printIdentifier(), QStringLiteral("1983134D5"));

    // The prepared page holds the window's answers.
    QStringList texts;
    for (const TfrxReportPage &page : m_form->frxReport1().PreparedPages()) {
        for (const auto &object : page.objects)
            texts << object.text;
    }
    const QString page = texts.join(u'\n');
    QVERIFY(page.contains(QStringLiteral("Árvíz Bt.")));
    QVERIFY(page.contains(QStringLiteral("21 000 Ft.")));
    QVERIFY(page.contains(QStringLiteral("1983134D5")));
    QVERIFY(page.contains(QStringLiteral("Bevallás")));
}

void TestDeclaration::printWithoutAReasonFailsPreparation()
{
    m_form->field<TLMDRadioGroup>(QStringLiteral("LMDRadioGroup7"))->setItemIndex(-1);
    QString errorText;
    bool previewShown = false;
    m_form->frxReport1().setPreviewWindow([&previewShown](const PageDrawer &, QWidget *) { previewShown = true; });
    whenModalOpens<QWidget>([&errorText](QWidget *box) {
        for (QLabel *label : box->findChildren<QLabel *>())
            errorText += label->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    m_form->field<QAction>(QStringLiteral("Nyomtats1"))->trigger();
    QVERIFY(!previewShown);
    QVERIFY2(errorText.contains(QStringLiteral("A következő hiba történt:")), qPrintable(errorText));
    QVERIFY2(errorText.contains(QStringLiteral("List index out of bounds (-1)")), qPrintable(errorText));
}

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    TestDeclaration test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_declaration.moc"
