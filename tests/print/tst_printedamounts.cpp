#include "app/application.h"
#include "app/tform1.h"
#include "common/failure.h"
#include "common/regionalsettings.h"
#include "dialogs/dialogs.h"
#include "form/numedit/tpbnumedit.h"
#include "form/widgets/tedit.h"
#include "print/pagetemplate.h"

#include <QAction>
#include <QTest>

#include <algorithm>
#include <memory>

// Amounts typed into the real window reach the printed page digit for digit: the page's variables are
// read back from the page that the print command prepared.
class TestPrintedAmounts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void typedAmountsPrintAsTyped_data();
    void typedAmountsPrintAsTyped();

private:
    void typeInto(const QString &fieldName, const QString &text);
    QString printedVariable(const QString &variable) const;

    std::unique_ptr<TForm1> m_form;
    QStringList m_reported;
    failure::Reporter m_previousReporter;
    MessDlgs::MessageBoxFunction m_previousMessageBox;
};

void TestPrintedAmounts::init()
{
    Regional::instance().setSettings(RegionalSettings()); // a Hungarian system's: ",", " ", "yyyy.MM.dd."
    m_reported.clear();
    m_previousReporter = failure::setReporter([this](const QString &message) { m_reported << message; });
    m_previousMessageBox = MessDlgs::setMessageBoxFunction([this](const MessDlgs::MessageBoxRequest &request) {
        m_reported << request.text;
        return int(mrOk);
    });
    m_form = std::make_unique<TForm1>();
    m_form->frxReport1().setPreviewWindow([](const PageDrawer &, QWidget *) {});
    m_form->show();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestPrintedAmounts::cleanup()
{
    m_form.reset();
    MessDlgs::setMessageBoxFunction(m_previousMessageBox);
    failure::setReporter(m_previousReporter);
}

void TestPrintedAmounts::typeInto(const QString &fieldName, const QString &text)
{
    auto *edit = m_form->field<TPBNumEdit>(fieldName);
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

// The text that the prepared page holds where the template brackets the variable.
QString TestPrintedAmounts::printedVariable(const QString &variable) const
{
    const QString bracketed = u'[' + variable + u']';
    const TfrxReportPage layout = Page1();
    const auto templateObject = std::find_if(layout.objects.begin(), layout.objects.end(),
                                             [&](const TfrxView &view) { return view.text == bracketed; });
    if (templateObject == layout.objects.end() || m_form->frxReport1().PreparedPages().empty())
        return QString();
    const TfrxView *printed = m_form->frxReport1().PreparedPages().front().findObject(templateObject->name);
    return printed ? printed->text : QString();
}

void TestPrintedAmounts::typedAmountsPrintAsTyped_data()
{
    QTest::addColumn<QString>("allowance");
    QTest::addColumn<QString>("advance");
    QTest::addColumn<QString>("topUp");
    QTest::addColumn<QStringList>("printed"); // m6, m8, m9

    QTest::newRow("seventeen nines, beyond 2^53, eighteen digits")
        << "99999999999999999" << "9007199254740993" << "-999999999999999999"
        << QStringList{"99 999 999 999 999 999 Ft.", "9 007 199 254 740 993 Ft.", "-999 999 999 999 999 999 Ft."};
    // Beyond a double's range the amounts still print whole. The last is close to the largest that the
    // field accepts; its display form keeps 15 digits, so it is typed with 15.
    QTest::newRow("beyond a double's range")
        << "1E400" << "-12345E305" << "1,18973149535723E4932"
        << QStringList{"10" + QString(" 000").repeated(133) + " Ft.",
                       "-1 234 500" + QString(" 000").repeated(101) + " Ft.",
                       "1 189 731 495 357 230" + QString(" 000").repeated(1639) + " Ft."};
}

void TestPrintedAmounts::typedAmountsPrintAsTyped()
{
    QFETCH(QString, allowance);
    QFETCH(QString, advance);
    QFETCH(QString, topUp);
    QFETCH(QStringList, printed);

    typeInto(QStringLiteral("PBNumEdit4"), allowance);
    typeInto(QStringLiteral("PBNumEdit1"), advance);
    typeInto(QStringLiteral("PBNumEdit7"), topUp);
    // Away from the numeric fields, so that printing has no field of them left to finish.
    m_form->field<TEdit>(QStringLiteral("Edit2"))->setFocus(Qt::TabFocusReason);
    m_form->field<QAction>(QStringLiteral("Nyomtats1"))->trigger();

    QCOMPARE((QStringList{printedVariable(QStringLiteral("m6")), printedVariable(QStringLiteral("m8")),
                          printedVariable(QStringLiteral("m9"))}),
             printed);
    // The recomputation refuses the allowance (no 32-bit integer) each time a field is left; nothing else
    // is reported, and no message quotes a number that was not typed.
    const QString refused = QStringLiteral("'%1' is not a valid integer value").arg(allowance);
    QCOMPARE(m_reported, QStringList(3, refused));
}

int main(int argc, char *argv[])
{
    Application application(argc, argv);
    TestPrintedAmounts test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_printedamounts.moc"
