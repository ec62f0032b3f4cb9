// The printer properties: which of a driver's options are offered, what a job carries, how choices
// are kept per printer for the run, and the dialog that edits them.
#include "print/preview/cupsprinteroptions.h"
#include "print/preview/printeroptions.h"
#include "print/preview/printeroptionsdialog.h"
#include "tests/support/whenmodalopens.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

const QString fixturePpd = QStringLiteral(KRV_OPTIONS_PPD);

PrinterOption option(const QString &keyword, const QStringList &choices, const QString &defaultChoice,
                     const QString &group = QStringLiteral("General"))
{
    PrinterOption described{keyword, keyword, group, group, {}, defaultChoice};
    for (const QString &choice : choices)
        described.choices.append({choice, choice});
    return described;
}

QStringList keywordsOf(const PrinterOptions &options)
{
    QStringList keywords;
    for (const PrinterOption &offered : options.options())
        keywords.append(offered.keyword);
    return keywords;
}

QStringList captionsOf(const PrinterOption &offered)
{
    QStringList captions;
    for (const PrinterChoice &choice : offered.choices)
        captions.append(choice.caption);
    return captions;
}

using JobOptions = QList<QPair<QString, QString>>;

const QList<PrinterOption> resolutionAndColour = {
    option(QStringLiteral("Resolution"), {QStringLiteral("300dpi"), QStringLiteral("600dpi")}, QStringLiteral("600dpi")),
    option(QStringLiteral("ColorModel"), {QStringLiteral("RGB"), QStringLiteral("Gray")}, QStringLiteral("RGB")),
};

} // namespace

class TestPrinterOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsTheDriversOptionsInTheUsersLanguage();
    void unreadablePpd();
    void offersOnlyWhatAJobMayChange();
    void jobNamesTheChoicesThatDifferFromTheDefault();
    void storeReadsEachPrinterOnceAndKeepsItsChoices();
    void dialogKeepsChoicesWhenConfirmed();
    void dialogSaysWhenOptionsCannotBeRead();
    void busyCursorShowsOnlyWhileTheOptionsAreRead();
};

// The captions come from the PPD's Hungarian translations where it has them (the test runs with
// LC_ALL=hu_HU.UTF-8) and from its own texts otherwise.
void TestPrinterOptions::readsTheDriversOptionsInTheUsersLanguage()
{
    const std::optional<QList<PrinterOption>> described = readPpdOptions(fixturePpd);
    QVERIFY(described);
    const PrinterOptions options(*described);
    QCOMPARE(keywordsOf(options), QStringList({QStringLiteral("Resolution"), QStringLiteral("ColorModel"),
                                               QStringLiteral("InputSlot"), QStringLiteral("cupsPrintQuality")}));

    const PrinterOption &resolution = options.options().at(0);
    QCOMPARE(resolution.caption, QStringLiteral("Felbontás"));
    QCOMPARE(resolution.groupCaption, QStringLiteral("Általános"));
    QCOMPARE(captionsOf(resolution),
             QStringList({QStringLiteral("300 dpi"), QStringLiteral("600 dpi"), QStringLiteral("1200 dpi (finom)")}));
    QCOMPARE(options.chosenIndex(0), 1); // the PPD's default, 600dpi

    QCOMPARE(captionsOf(options.options().at(2)), QStringList({QStringLiteral("Automatikus"),
                                                               QStringLiteral("1. tálca"),
                                                               QStringLiteral("Kézi adagolás")}));
    const PrinterOption &quality = options.options().at(3);
    QCOMPARE(quality.caption, QStringLiteral("Print Quality"));
    QCOMPARE(quality.groupKeyword, QStringLiteral("Quality"));
    QCOMPARE(quality.choices.at(2), (PrinterChoice{QStringLiteral("High"), QStringLiteral("High")}));
    QVERIFY(options.jobOptions().isEmpty());
}

void TestPrinterOptions::unreadablePpd()
{
    QVERIFY(!readPpdOptions(QStringLiteral("/nonexistent/printer.ppd")));
    QVERIFY(!readPpdOptions(QStringLiteral(__FILE__)));
}

void TestPrinterOptions::offersOnlyWhatAJobMayChange()
{
    const QStringList yesNo = {QStringLiteral("True"), QStringLiteral("False")};
    const PrinterOptions options({
        option(QStringLiteral("PageSize"), {QStringLiteral("A4"), QStringLiteral("Custom")}, QStringLiteral("A4")),
        option(QStringLiteral("PageRegion"), {QStringLiteral("A4")}, QStringLiteral("A4")),
        option(QStringLiteral("Collate"), yesNo, QStringLiteral("False")),
        option(QStringLiteral("Duplex"), {QStringLiteral("None")}, QStringLiteral("None")),
        option(QStringLiteral("EFDuplex"), {QStringLiteral("None")}, QStringLiteral("None")),
        option(QStringLiteral("manualduplex"), {QStringLiteral("off")}, QStringLiteral("off")),
        option(QStringLiteral("contentorientation"), {QStringLiteral("portrait")}, QStringLiteral("portrait")),
        option(QStringLiteral("OptionTray2"), yesNo, QStringLiteral("False"), QStringLiteral("InstallableOptions")),
        option(QStringLiteral("JobName"), {QStringLiteral("Custom")}, QStringLiteral("Custom")),
        option(QStringLiteral("MediaType"), {QStringLiteral("Custom"), QStringLiteral("Plain")}, QStringLiteral("Plain")),
        option(QStringLiteral("Resolution"), {QStringLiteral("600dpi")}, QStringLiteral("600dpi")),
    });
    QCOMPARE(keywordsOf(options), QStringList({QStringLiteral("MediaType"), QStringLiteral("Resolution")}));
    QCOMPARE(captionsOf(options.options().at(0)), QStringList({QStringLiteral("Plain")}));
    QVERIFY(options.jobOptions().isEmpty());
}

void TestPrinterOptions::jobNamesTheChoicesThatDifferFromTheDefault()
{
    PrinterOptions options(resolutionAndColour);
    options.choose(1, 1);
    QCOMPARE(options.jobOptions(), JobOptions({{QStringLiteral("ColorModel"), QStringLiteral("Gray")}}));
    options.choose(1, 2);
    options.choose(2, 0);
    options.choose(-1, 0);
    QCOMPARE(options.chosenIndex(1), 1);
    options.choose(1, 0);
    QVERIFY(options.jobOptions().isEmpty());

    // A default the printer does not list: the first choice is shown, so the job names it.
    const PrinterOptions unlisted({option(QStringLiteral("InputSlot"), {QStringLiteral("Tray1")}, QStringLiteral("Upper"))});
    QCOMPARE(unlisted.chosenIndex(0), 0);
    QCOMPARE(unlisted.jobOptions(), JobOptions({{QStringLiteral("InputSlot"), QStringLiteral("Tray1")}}));
}

void TestPrinterOptions::storeReadsEachPrinterOnceAndKeepsItsChoices()
{
    QStringList reads;
    PrinterOptionStore store([&reads](const QString &printer) -> std::optional<QList<PrinterOption>> {
        reads.append(printer);
        if (printer == QStringLiteral("offline"))
            return std::nullopt;
        if (printer == QStringLiteral("plotter"))
            return QList{option(QStringLiteral("InputSlot"), {QStringLiteral("Tray1")}, QStringLiteral("Upper"))};
        return resolutionAndColour;
    });
    QVERIFY(store.jobOptions(QStringLiteral("laser")).isEmpty());
    QVERIFY(reads.isEmpty());

    std::optional<PrinterOptions> laser = store.options(QStringLiteral("laser"));
    QVERIFY(laser);
    laser->choose(0, 0);
    store.keep(QStringLiteral("laser"), *laser);
    QVERIFY(!store.options(QStringLiteral("offline")));
    QVERIFY(!store.options(QStringLiteral("offline")));

    const JobOptions lowResolution = {{QStringLiteral("Resolution"), QStringLiteral("300dpi")}};
    QCOMPARE(store.jobOptions(QStringLiteral("laser")), lowResolution);
    QCOMPARE(store.options(QStringLiteral("laser"))->chosenIndex(0), 0);
    QVERIFY(store.options(QStringLiteral("inkjet"))->jobOptions().isEmpty());
    QVERIFY(store.jobOptions(QStringLiteral("inkjet")).isEmpty());
    QCOMPARE(reads, QStringList({QStringLiteral("laser"), QStringLiteral("offline"), QStringLiteral("offline"),
                                 QStringLiteral("inkjet")}));

    // The dialog shows a choice in place of a default the printer does not list; the jobs name it only
    // once the dialog is confirmed, not when it was merely opened.
    const std::optional<PrinterOptions> plotter = store.options(QStringLiteral("plotter"));
    QVERIFY(!plotter->jobOptions().isEmpty());
    QVERIFY(store.jobOptions(QStringLiteral("plotter")).isEmpty());
    store.keep(QStringLiteral("plotter"), *plotter);
    QCOMPARE(store.jobOptions(QStringLiteral("plotter")), plotter->jobOptions());
}

void TestPrinterOptions::dialogKeepsChoicesWhenConfirmed()
{
    PrinterOptionStore store([](const QString &) { return readPpdOptions(fixturePpd); });

    QString title;
    QStringList labels;
    whenModalOpens<PrinterOptionsDialog>([&](PrinterOptionsDialog *dialog) {
        title = dialog->windowTitle();
        for (const QLabel *label : dialog->findChildren<QLabel *>())
            labels.append(label->text());
        auto *resolution = dialog->findChild<QComboBox *>(QStringLiteral("Resolution"));
        QCOMPARE(resolution->currentText(), QStringLiteral("600 dpi"));
        resolution->setFocus();
        QTest::keyClick(resolution, Qt::Key_Down);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OkB")), Qt::LeftButton);
    });
    showPrinterOptions(nullptr, QStringLiteral("krvopts"), store);
    QCOMPARE(title, QStringLiteral("Nyomtató tulajdonságai: krvopts"));
    QVERIFY2(labels.contains(QStringLiteral("Felbontás")) && labels.contains(QStringLiteral("Print Quality")),
             qPrintable(labels.join(u'|')));
    QVERIFY(!labels.contains(QStringLiteral("Page Size")));
    const JobOptions fine = {{QStringLiteral("Resolution"), QStringLiteral("1200dpi")}};
    QCOMPARE(store.jobOptions(QStringLiteral("krvopts")), fine);

    // Reopened, the dialog shows the kept choice; a change that is cancelled is forgotten.
    QString shownResolution;
    whenModalOpens<PrinterOptionsDialog>([&](PrinterOptionsDialog *dialog) {
        shownResolution = dialog->findChild<QComboBox *>(QStringLiteral("Resolution"))->currentText();
        auto *colour = dialog->findChild<QComboBox *>(QStringLiteral("ColorModel"));
        colour->setFocus();
        QTest::keyClick(colour, Qt::Key_Down);
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("CancelB")), Qt::LeftButton);
    });
    showPrinterOptions(nullptr, QStringLiteral("krvopts"), store);
    QCOMPARE(shownResolution, QStringLiteral("1200 dpi (finom)"));
    QCOMPARE(store.jobOptions(QStringLiteral("krvopts")), fine);
}

// Confirming the dialog of a printer whose options could not be read keeps nothing, so the next
// opening reads them again.
void TestPrinterOptions::dialogSaysWhenOptionsCannotBeRead()
{
    bool schedulerUp = false;
    PrinterOptionStore store([&schedulerUp](const QString &) -> std::optional<QList<PrinterOption>> {
        if (!schedulerUp)
            return std::nullopt;
        return resolutionAndColour;
    });
    QStringList labels;
    int choiceLists = -1;
    const auto confirm = [&](PrinterOptionsDialog *dialog) {
        labels.clear();
        for (const QLabel *label : dialog->findChildren<QLabel *>())
            labels.append(label->text());
        choiceLists = dialog->findChildren<QComboBox *>().size();
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OkB")), Qt::LeftButton);
    };
    whenModalOpens<PrinterOptionsDialog>(confirm);
    showPrinterOptions(nullptr, QStringLiteral("laser"), store);
    QVERIFY2(labels.contains(QStringLiteral("A nyomtató beállításai nem olvashatók be.")), qPrintable(labels.join(u'|')));
    QCOMPARE(choiceLists, 0);

    schedulerUp = true;
    whenModalOpens<PrinterOptionsDialog>(confirm);
    showPrinterOptions(nullptr, QStringLiteral("laser"), store);
    QCOMPARE(choiceLists, 2);
}

// Reading a network printer's options can take seconds while its queue is set up; the busy cursor
// shows meanwhile, and the dialog itself has the usual one.
void TestPrinterOptions::busyCursorShowsOnlyWhileTheOptionsAreRead()
{
    const auto shownCursor = [] {
        const QCursor *cursor = QGuiApplication::overrideCursor();
        return cursor ? cursor->shape() : Qt::ArrowCursor;
    };
    Qt::CursorShape whileReading = Qt::ArrowCursor;
    PrinterOptionStore store([&](const QString &) {
        whileReading = shownCursor();
        return std::optional<QList<PrinterOption>>(resolutionAndColour);
    });
    Qt::CursorShape inTheDialog = Qt::WaitCursor;
    whenModalOpens<PrinterOptionsDialog>([&](PrinterOptionsDialog *dialog) {
        inTheDialog = shownCursor();
        QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("OkB")), Qt::LeftButton);
    });
    showPrinterOptions(nullptr, QStringLiteral("laser"), store);
    QCOMPARE(whileReading, Qt::WaitCursor);
    QCOMPARE(inTheDialog, Qt::ArrowCursor);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(TestPrinterOptions)
#include "tst_printeroptions.moc"
