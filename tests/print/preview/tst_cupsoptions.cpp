// A printer option chosen in the printer's properties dialog reaches the print job. cups_print_test.sh
// runs it under its private CUPS scheduler, once the default queue $KRV_CUPS_PRINTER describes its
// options with krvoptions.ppd; the job's attributes are asked of the scheduler.
#include "common/fonts.h"
#include "print/preview/cupsprinteroptions.h"
#include "dialogs/dialogs.h"
#include "print/preview/previewform.h"
#include "print/preview/printdialog.h"
#include "print/preview/printerlist.h"
#include "print/preview/printeroptionsdialog.h"
#include "print/preview/printsystemthread.h"
#include "print/report.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/printingsteps.h"
#include "tests/support/whenmodalopens.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cups/cups.h>

#include <memory>

namespace {

struct IppDeleter
{
    void operator()(ipp_t *ipp) const { ippDelete(ipp); }
};
using IppResponse = std::unique_ptr<ipp_t, IppDeleter>;

// The newest job of the queue, 0 when it has none.
int lastJobId(const QString &queue)
{
    cups_job_t *jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    int last = 0;
    for (int i = 0; i < count; ++i)
        last = qMax(last, jobs[i].id);
    cupsFreeJobs(count, jobs);
    return last;
}

IppResponse jobAttributes(int jobId)
{
    ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray jobUri = "ipp://localhost/jobs/" + QByteArray::number(jobId);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, jobUri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "all");
    return IppResponse(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/jobs/"));
}

QString textOf(ipp_t *attributes, const char *name)
{
    ipp_attribute_t *attribute = ippFindAttribute(attributes, name, IPP_TAG_ZERO);
    return attribute ? QString::fromUtf8(ippGetString(attribute, 0, nullptr)) : QString();
}

int stateOf(ipp_t *attributes)
{
    ipp_attribute_t *state = ippFindAttribute(attributes, "job-state", IPP_TAG_ENUM);
    return state ? ippGetInteger(state, 0) : 0;
}

// The job's attributes once the scheduler has ended it (completed, cancelled or aborted), so that the
// chosen option is known to have been printed with rather than only accepted.
IppResponse endedJobAttributes(int jobId)
{
    QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        IppResponse attributes = jobAttributes(jobId);
        if (attributes && stateOf(attributes.get()) >= IPP_JSTATE_CANCELED)
            return attributes;
        QTest::qWait(200);
    }
    return {};
}

} // namespace

class TestCupsOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void chosenOptionReachesEveryLaterJob();
    void printerWithoutDriverOrScheduler();
    void classOffersItsFirstMembersOptions();
    void optionsAreReadWholeWhileFilesCannotGrow();

private:
    TfrxReport m_declaration;
};

void TestCupsOptions::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
        QSKIP("needs the private CUPS scheduler of cups_print_test.sh");
    fonts::install();
    QStringList preparationErrors;
    const bool prepared = prepareAnsweredDeclaration(m_declaration, QString(), preparationErrors);
    QVERIFY2(prepared, qPrintable(preparationErrors.join(u'\n')));
}

// The user opens "Tulajdonságok...", picks the first tray by its Hungarian caption and prints; a second
// print, without opening the properties again, still feeds from that tray. The page stays A4 and
// one-sided.
void TestCupsOptions::chosenOptionReachesEveryLaterJob()
{
    const QString queue = qEnvironmentVariable("KRV_CUPS_PRINTER");
    TfrxPreviewForm form(m_declaration, PrinterList::instance(), PrintServices::platform());
    form.show();

    QString shownPrinter;
    QStringList optionCaptions;
    QString chosenTray;
    pressPrintAndConfirm(form, [&](TfrxPrintDialog *dialog) {
        shownPrinter = dialog->findChild<QComboBox *>(QStringLiteral("PrintersCB"))->currentText();
        whenModalOpens<PrinterOptionsDialog>([&](PrinterOptionsDialog *properties) {
            for (const QLabel *label : properties->findChildren<QLabel *>())
                optionCaptions.append(label->text());
            auto *tray = properties->findChild<QComboBox *>(QStringLiteral("InputSlot"));
            QVERIFY(tray);
            tray->setFocus();
            QTest::keyClick(tray, Qt::Key_Down);
            chosenTray = tray->currentText();
            QTest::mouseClick(properties->findChild<QPushButton *>(QStringLiteral("OkB")), Qt::LeftButton);
        });
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("PropButton")), Qt::LeftButton);
    });
    QCOMPARE(shownPrinter, queue);
    QVERIFY2(optionCaptions.contains(QStringLiteral("Papírforrás")), qPrintable(optionCaptions.join(u'|')));
    QVERIFY(!optionCaptions.contains(QStringLiteral("Page Size")));
    QCOMPARE(chosenTray, QStringLiteral("1. tálca"));
    const int firstJob = lastJobId(queue);
    QVERIFY(firstJob > 0);

    pressPrintAndConfirm(form, [](TfrxPrintDialog *) {});
    const int secondJob = lastJobId(queue);
    QVERIFY(secondJob > firstJob);

    for (const int job : {firstJob, secondJob}) {
        const IppResponse attributes = endedJobAttributes(job);
        QVERIFY2(attributes, "the scheduler did not end the job");
        QCOMPARE(stateOf(attributes.get()), int(IPP_JSTATE_COMPLETED));
        QCOMPARE(textOf(attributes.get(), "InputSlot"), QStringLiteral("Tray1"));
        QCOMPARE(textOf(attributes.get(), "sides"), QStringLiteral("one-sided"));
        QCOMPARE(textOf(attributes.get(), "media"), QStringLiteral("A4"));
        QVERIFY(textOf(attributes.get(), "Resolution").isEmpty()); // left at the printer's default
    }
}

// A raw queue ($KRV_CUPS_RAW_PRINTER) has no driver and so nothing to set; a scheduler that cannot be
// reached is a failure to read, which the dialog reports.
void TestCupsOptions::printerWithoutDriverOrScheduler()
{
    const std::optional<QList<PrinterOption>> raw = readCupsPrinterOptions(qEnvironmentVariable("KRV_CUPS_RAW_PRINTER"));
    QVERIFY(raw);
    QVERIFY(raw->isEmpty());
    QVERIFY(!readCupsPrinterOptions(qEnvironmentVariable("KRV_CUPS_PRINTER"))->isEmpty());

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    // CUPS keeps the server per thread; the program asks from its print system's thread.
    const QByteArray noServer = QFile::encodeName(folder.filePath(QStringLiteral("none.sock")));
    waitForPrintSystem([&noServer] { cupsSetServer(noServer.constData()); });
    const std::optional<QList<PrinterOption>> unreachable = readCupsPrinterOptions(qEnvironmentVariable("KRV_CUPS_PRINTER"));
    waitForPrintSystem([] { cupsSetServer(nullptr); });
    QVERIFY(!unreachable);
}

// A class of printers ($KRV_CUPS_CLASS, holding $KRV_CUPS_PRINTER) offers its member's options.
void TestCupsOptions::classOffersItsFirstMembersOptions()
{
    const std::optional<QList<PrinterOption>> ofMember = readCupsPrinterOptions(qEnvironmentVariable("KRV_CUPS_PRINTER"));
    const std::optional<QList<PrinterOption>> ofClass = readCupsPrinterOptions(qEnvironmentVariable("KRV_CUPS_CLASS"));
    QVERIFY(ofMember && !ofMember->isEmpty());
    QVERIFY(ofClass);
    QCOMPARE(*ofClass, *ofMember);
}

// A full disk, made real by a limit on the size of files this process writes, below the size of the
// queue's PPD: the properties still offer every option the printer describes, none cut off.
void TestCupsOptions::optionsAreReadWholeWhileFilesCannotGrow()
{
    const QString queue = qEnvironmentVariable("KRV_CUPS_PRINTER");
    const std::optional<QList<PrinterOption>> whole = readCupsPrinterOptions(queue);
    QVERIFY(whole && !whole->isEmpty());

    std::optional<QList<PrinterOption>> readOnAFullDisk;
    {
        const FileSizeLimit fullDisk(1024);
        QVERIFY(fullDisk.isSet());
        readOnAFullDisk = readCupsPrinterOptions(queue);
    }
    QVERIFY(readOnAFullDisk);
    QCOMPARE(*readOnAFullDisk, *whole);
}

QTEST_MAIN(TestCupsOptions)
#include "tst_cupsoptions.moc"
