// Prints the declaration through the platform's real printing path. cups_print_test.sh runs it under a
// private CUPS scheduler: noPrinterInstalled while the scheduler has no queue, the rest after it added
// one whose output lands in $KRV_CUPS_OUTPUT, each in the state of the scheduler it needs. A process
// keeps its printer list once it has found printers, hence a run for each state.
#include "common/failure.h"
#include "common/fonts.h"
#include "dialogs/dialogs.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/printingsteps.h"
#include "tests/support/whenmodalopens.h"
#include "print/preview/previewform.h"
#include "print/preview/printdialog.h"
#include "print/preview/printerlist.h"
#include "print/preview/printerlogin.h"
#include "print/report.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include <pwd.h>
#include <unistd.h>

namespace {

QString toolOutput(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The scheduler writes the job after Qt handed it over; a PDF is complete once pdfinfo can read it.
QString finishedPdfInfo(const QString &path)
{
    QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        if (QFileInfo::exists(path)) {
            const QString info = toolOutput(QStringLiteral("pdfinfo"), {path});
            if (!info.isEmpty())
                return info;
        }
        QTest::qWait(200);
    }
    return {};
}

// Presses print and confirms the dialog, collecting the failures the print reports instead of showing
// them.
QStringList failuresOfPrinting(TfrxPreviewForm &form)
{
    QStringList reported;
    const failure::Reporter previous =
        failure::setReporter([&reported](const QString &message) { reported.append(message); });
    pressPrintAndConfirm(form, [](TfrxPrintDialog *) {});
    failure::setReporter(previous);
    return reported;
}

// The login dialog opens only once the scheduler has refused the job, after the document is made.
void whenLoginIsAsked(std::function<void(PrinterLoginDialog *)> answer)
{
    whenModalOpens<PrinterLoginDialog>(std::move(answer), 12000);
}

int pageCountOf(const QString &pdfInfo)
{
    for (const QString &line : pdfInfo.split(u'\n')) {
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

} // namespace

class TestCupsPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void noPrinterInstalled();
    void printsCollatedCopiesThroughCups();
    void printsIntoPrnFileAsPdf();
    void printsWhileFilesCannotGrow();
    void jobTheQueueRefusesIsReported();
    void documentTheSchedulerRefusesIsReportedAndCancelled();
    void loginNotGivenIsReported();
    void printsAfterALogin();

private:
    void verifyPrintingIsRefused(const QString &reason);

    TfrxReport m_declaration;
};

// Every bracketed name of the page is answered with "Ertek-" and the name, so each answer is findable
// in the printed text.
void TestCupsPrint::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
        QSKIP("needs the private CUPS scheduler of cups_print_test.sh");
    fonts::install();
    QStringList preparationErrors;
    const bool prepared = prepareAnsweredDeclaration(m_declaration, QStringLiteral("Ertek-"), preparationErrors);
    QVERIFY2(prepared, qPrintable(preparationErrors.join(u'\n')));
}

void TestCupsPrint::noPrinterInstalled()
{
    PrinterList &printers = PrinterList::instance();
    QVERIFY(!printers.hasPrinters());
    QCOMPARE(printers.current().name, QStringLiteral("Virtuális"));

    // Not shown, so that the only modal window is the error box.
    TfrxPreviewForm form(m_declaration, printers, PrintServices::platform());
    QString caption;
    QStringList texts;
    whenModalOpens<QDialog>([&](QDialog *box) {
        caption = box->windowTitle();
        for (const QLabel *label : box->findChildren<QLabel *>())
            texts.append(label->text());
    });
    form.findChild<QAction *>(QStringLiteral("PrintB"))->trigger();
    QCOMPARE(caption, QStringLiteral("Hiba"));
    QVERIFY2(texts.contains(QStringLiteral("Nincs nyomtató telepítve")), qPrintable(texts.join(u'|')));
}

void TestCupsPrint::printsCollatedCopiesThroughCups()
{
    const QString output = qEnvironmentVariable("KRV_CUPS_OUTPUT");
    PrinterList &printers = PrinterList::instance();
    QVERIFY(printers.hasPrinters());

    TfrxPreviewForm form(m_declaration, printers, PrintServices::platform());
    form.show();
    QString shownPrinter;
    QStringList listedPrinters;
    QString shownLocation;
    pressPrintAndConfirm(form, [&](TfrxPrintDialog *dialog) {
        auto *printerBox = dialog->findChild<QComboBox *>(QStringLiteral("PrintersCB"));
        shownPrinter = printerBox->currentText();
        for (int i = 0; i < printerBox->count(); ++i)
            listedPrinters << printerBox->itemText(i);
        shownLocation = dialog->findChild<QLabel *>(QStringLiteral("WhereL"))->text();
        auto *copies = dialog->findChild<CopiesSpinBox *>(QStringLiteral("CopiesE"));
        copies->selectAll();
        QTest::keyClicks(copies, QStringLiteral("3"));
    });
    // The scheduler's default, its instance named after it, and the location in its own letters.
    const QString queue = qEnvironmentVariable("KRV_CUPS_PRINTER");
    QCOMPARE(shownPrinter, queue);
    QCOMPARE(listedPrinters, (QStringList{queue, queue + u'/' + qEnvironmentVariable("KRV_CUPS_INSTANCE")}));
    QCOMPARE(shownLocation, qEnvironmentVariable("KRV_CUPS_LOCATION"));

    const QString info = finishedPdfInfo(output);
    QVERIFY2(!info.isEmpty(), "the scheduler wrote no readable PDF");
    QCOMPARE(pageCountOf(info), 3);
    QVERIFY2(info.contains(QStringLiteral("(A4)")), qPrintable(info));
    const QString text = toolOutput(QStringLiteral("pdftotext"), {output, QStringLiteral("-")});
    QCOMPARE(text.count(QRegularExpression(QStringLiteral("Ertek-m1\\b"))), 3);
    QCOMPARE(text.count(QStringLiteral("KRV11007")), 6); // the form number in the header and the footer
}

void TestCupsPrint::printsIntoPrnFileAsPdf()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    PrintServices services = PrintServices::platform();
    services.askPrintFile = [&folder](QWidget *) { return folder.filePath(QStringLiteral("bevallas.pdf")); };
    TfrxPreviewForm form(m_declaration, PrinterList::instance(), services);
    form.show();
    pressPrintAndConfirm(form, [](TfrxPrintDialog *dialog) {
        dialog->findChild<QCheckBox *>(QStringLiteral("FileCB"))->setChecked(true);
    });

    const QString written = folder.filePath(QStringLiteral("bevallas.prn"));
    const QString info = toolOutput(QStringLiteral("pdfinfo"), {written});
    QCOMPARE(pageCountOf(info), 1);
    QVERIFY2(info.contains(QStringLiteral("(A4)")), qPrintable(info));
    QVERIFY(toolOutput(QStringLiteral("pdftotext"), {written, QStringLiteral("-")})
                .contains(QStringLiteral("Ertek-m1")));
    QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("bevallas.pdf"))));
}

// Prints on $KRV_CUPS_PRINTER, the default queue, whose scheduler refuses the print: the print reports one
// failure, naming the queue and the scheduler's reason, and the preview stays open.
void TestCupsPrint::verifyPrintingIsRefused(const QString &reason)
{
    TfrxPreviewForm form(m_declaration, PrinterList::instance(), PrintServices::platform());
    form.show();
    const QStringList reported = failuresOfPrinting(form);

    QCOMPARE(reported.size(), 1);
    QVERIFY2(reported.first().startsWith(QStringLiteral("A nyomtatás nem fejeződött be: ")
                                         + qEnvironmentVariable("KRV_CUPS_PRINTER"))
                 && reported.first().contains(reason),
             qPrintable(reported.first()));
    QVERIFY(form.isVisible());
}

// A full disk, made real by a limit on the size of files this process writes: the job still reaches
// the printer whole, or the print reports that it did not.
void TestCupsPrint::printsWhileFilesCannotGrow()
{
    const QString output = qEnvironmentVariable("KRV_CUPS_OUTPUT");
    QFile::remove(output);
    TfrxPreviewForm form(m_declaration, PrinterList::instance(), PrintServices::platform());
    form.show();
    QStringList reported;
    {
        const FileSizeLimit fullDisk(4096);
        QVERIFY(fullDisk.isSet());
        reported = failuresOfPrinting(form);
    }

    QCOMPARE(reported, QStringList());
    const QString info = finishedPdfInfo(output);
    QVERIFY2(!info.isEmpty(), "the scheduler wrote no readable PDF");
    QCOMPARE(pageCountOf(info), 1);
    QVERIFY(toolOutput(QStringLiteral("pdftotext"), {output, QStringLiteral("-")}).contains(QStringLiteral("Ertek-m1")));
}

// The queue rejects jobs, as an administrator can set it to: the job reaches nobody, so the print does
// not end as if it had printed.
void TestCupsPrint::jobTheQueueRefusesIsReported()
{
    verifyPrintingIsRefused(QStringLiteral("not accepting jobs"));
}

// The scheduler opens the job but refuses its document, here for being larger than it accepts: the print
// is reported as not finished, and the opened job is cancelled, not left to wait for a document while
// it holds up the queue.
void TestCupsPrint::documentTheSchedulerRefusesIsReportedAndCancelled()
{
    verifyPrintingIsRefused(QStringLiteral("Request Entity Too Large"));
    if (QTest::currentTestFailed())
        return;
    const QString queue = qEnvironmentVariable("KRV_CUPS_PRINTER");
    QCOMPARE(toolOutput(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue}), QString());
    // A job cancelled while the scheduler held it carries this reason among the ended ones.
    const QString endedJobs = toolOutput(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("completed"),
                                                                     QStringLiteral("-l"), QStringLiteral("-o"), queue});
    QVERIFY2(endedJobs.contains(QStringLiteral("processing-to-stop-point")), qPrintable(endedJobs));
}

// The default queue takes jobs only from a user who logs in. The program asks in its own dialog, not on
// the terminal it may have been started from (where the windows hung, waiting for an answer nobody
// saw), names the printer and offers the user's own name. Without a login the print reports that it
// did not finish, and no job is left behind.
void TestCupsPrint::loginNotGivenIsReported()
{
    const QString queue = qEnvironmentVariable("KRV_CUPS_PRINTER");
    int asked = 0;
    QString message;
    QString offeredUser;
    whenLoginIsAsked([&](PrinterLoginDialog *dialog) {
        ++asked;
        message = dialog->findChild<QLabel *>(QStringLiteral("MessageL"))->text();
        offeredUser = dialog->userName();
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("CancelB")), Qt::LeftButton);
    });
    verifyPrintingIsRefused(QStringLiteral("bejelentkezés nélkül"));
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(asked, 1);
    QVERIFY2(message.contains(queue), qPrintable(message));
    QCOMPARE(offeredUser, QString::fromLocal8Bit(getpwuid(geteuid())->pw_name));
    QCOMPARE(toolOutput(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue}), QString());
}

// A wrong password is asked for again, with the name just given; the right one prints the job, which
// the scheduler holds as that user's.
void TestCupsPrint::printsAfterALogin()
{
    const QString queue = qEnvironmentVariable("KRV_CUPS_PRINTER");
    const QString output = qEnvironmentVariable("KRV_CUPS_OUTPUT");
    const QString user = qEnvironmentVariable("KRV_CUPS_LOGIN_USER");
    const QString password = qEnvironmentVariable("KRV_CUPS_LOGIN_PASSWORD");
    QFile::remove(output);
    QStringList offeredUsers;
    std::function<void(PrinterLoginDialog *)> answer = [&](PrinterLoginDialog *dialog) {
        offeredUsers.append(dialog->userName());
        const bool first = offeredUsers.size() == 1;
        dialog->findChild<QLineEdit *>(QStringLiteral("UserNameE"))->setText(user);
        dialog->findChild<QLineEdit *>(QStringLiteral("PasswordE"))
            ->setText(first ? QStringLiteral("rossz") : password);
        if (first)
            whenLoginIsAsked(answer);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OkB")), Qt::LeftButton);
    };
    whenLoginIsAsked(answer);
    TfrxPreviewForm form(m_declaration, PrinterList::instance(), PrintServices::platform());
    form.show();
    const QStringList reported = failuresOfPrinting(form);

    QCOMPARE(reported, QStringList());
    QCOMPARE(offeredUsers.size(), 2);
    QCOMPARE(offeredUsers.at(1), user);
    const QString info = finishedPdfInfo(output);
    QVERIFY2(!info.isEmpty(), "the scheduler wrote no readable PDF");
    QCOMPARE(pageCountOf(info), 1);
    const QString jobs = toolOutput(QStringLiteral("lpstat"),
                                    {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), queue});
    const QRegularExpression jobOfUser(QStringLiteral("^%1-\\d+\\s+%2\\s").arg(queue, user),
                                       QRegularExpression::MultilineOption);
    QVERIFY2(jobOfUser.match(jobs).hasMatch(), qPrintable(jobs));
}

QTEST_MAIN(TestCupsPrint)
#include "tst_cupsprint.moc"
