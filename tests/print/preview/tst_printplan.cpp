#include "fakepages.h"

#include "common/exception.h"
#include "print/preview/previewlayout.h"
#include "print/preview/printloop.h"
#include "print/preview/printoptions.h"
#include "tests/support/filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>


using Pages = QList<int>;

class TestPrintPlan : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pageSelection_data();
    void pageSelection();
    void copiesBecomePassesPrinterCopiesOrRepeatedPages_data();
    void copiesBecomePassesPrinterCopiesOrRepeatedPages();
    void dialogChoiceBecomesOptions();
    void copiesEntryThatIsNoWholeNumberFails_data();
    void copiesEntryThatIsNoWholeNumberFails();
    void copiesBeyondWhatOnePrintTakesFail();
    void arrowsStepCopiesWithinOneToHundred_data();
    void arrowsStepCopiesWithinOneToHundred();
    void printFileGetsPrnExtension_data();
    void printFileGetsPrnExtension();

    void printLoopStartsJobAtFirstPrintedPage_data();
    void printLoopStartsJobAtFirstPrintedPage();
    void printLoopDrawsAtDeviceResolutionAndSheetOrigin();
    void printLoopAbortsWhenCancelledBetweenPages();
    void printIntoUnwritableFileFailsInsteadOfReportingSuccess();
    void printIntoFullDiskFailsAndKeepsThePreviousFile();

    void printerListTakesSystemDefaultAndIsBuiltOnce();
    void printerListWithoutPrintersHoldsPlaceholderUntilOneIsInstalled();
    void printerNamedDefaultIsFoundInAnyCase();

    void typedZoom_data();
    void typedZoom();
    void fittedZoomModesFollowTheVisibleArea();
    void zoomStaysWithinLimits();
};

void TestPrintPlan::pageSelection_data()
{
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<QString>("pageNumbers");
    QTest::addColumn<int>("printPages");
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<Pages>("expected");

    QTest::newRow("all pages") << 3 << "" << int(ppAll) << false << Pages{0, 1, 2};
    QTest::newRow("list with range") << 14 << "1,3,5-12" << int(ppAll) << false
                                     << Pages{0, 2, 4, 5, 6, 7, 8, 9, 10, 11};
    QTest::newRow("blanks around pieces") << 5 << " 2 , 4 - 5 " << int(ppAll) << false << Pages{1, 3, 4};
    QTest::newRow("backward range") << 5 << "4-2" << int(ppAll) << false << Pages{1, 2, 3};
    QTest::newRow("open range runs to the end") << 4 << "3-" << int(ppAll) << false << Pages{2, 3};
    QTest::newRow("huge range costs nothing") << 2 << "1-2000000000" << int(ppAll) << false << Pages{0, 1};
    QTest::newRow("list beyond the pages") << 1 << "2" << int(ppAll) << false << Pages{};
    QTest::newRow("no number in the list") << 3 << "abc,-,+1" << int(ppAll) << false << Pages{};
    QTest::newRow("odd") << 5 << "" << int(ppOdd) << false << Pages{0, 2, 4};
    QTest::newRow("even of one page") << 1 << "" << int(ppEven) << false << Pages{};
    QTest::newRow("even within a list, reversed") << 8 << "2-7" << int(ppEven) << true << Pages{5, 3, 1};
    QTest::newRow("reverse") << 3 << "" << int(ppAll) << true << Pages{2, 1, 0};
}

void TestPrintPlan::pageSelection()
{
    QFETCH(int, pageCount);
    QFETCH(QString, pageNumbers);
    QFETCH(int, printPages);
    QFETCH(bool, reverse);
    QFETCH(Pages, expected);

    PrintOptions options;
    options.pageNumbers = pageNumbers;
    options.printPages = TfrxPrintPages(printPages);
    options.reverse = reverse;
    const PrintPlan plan = planPrint(options, pageCount);
    QCOMPARE(plan.pageIndexes, expected);
    QCOMPARE(plan.isEmpty(), expected.isEmpty());
}

void TestPrintPlan::copiesBecomePassesPrinterCopiesOrRepeatedPages_data()
{
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("collate");
    QTest::addColumn<bool>("toFile");
    QTest::addColumn<int>("passes");
    QTest::addColumn<int>("printerCopies");
    QTest::addColumn<int>("pageRepeats");

    QTest::newRow("three collated") << 3 << true << false << 3 << 1 << 1;
    QTest::newRow("three uncollated") << 3 << false << false << 1 << 3 << 1;
    QTest::newRow("zero counts as one") << 0 << true << false << 1 << 1 << 1;
    QTest::newRow("negative uncollated counts as one") << -5 << false << false << 1 << 1 << 1;
    QTest::newRow("three collated into a file") << 3 << true << true << 3 << 1 << 1;
    QTest::newRow("three uncollated into a file: pages repeated") << 3 << false << true << 1 << 1 << 3;
}

void TestPrintPlan::copiesBecomePassesPrinterCopiesOrRepeatedPages()
{
    QFETCH(int, copies);
    QFETCH(bool, collate);
    QFETCH(int, passes);
    QFETCH(bool, toFile);
    QFETCH(int, printerCopies);
    QFETCH(int, pageRepeats);

    PrintOptions options;
    options.copies = copies;
    options.collate = collate;
    options.toFile = toFile;
    const PrintPlan plan = planPrint(options, 1);
    QCOMPARE(plan.passes, passes);
    QCOMPARE(plan.printerCopies, printerCopies);
    QCOMPARE(plan.pageRepeats, pageRepeats);
}

void TestPrintPlan::dialogChoiceBecomesOptions()
{
    PrintDialogChoice choice;
    choice.copiesText = QStringLiteral("-2");
    choice.range = PrintDialogChoice::CurrentPage;
    choice.pageNumbers = QStringLiteral("7");
    QCOMPARE(printOptionsFrom(choice, 3).copies, 1);
    QCOMPARE(printOptionsFrom(choice, 3).pageNumbers, QStringLiteral("3"));

    choice.copiesText = QStringLiteral(" 4");
    choice.range = PrintDialogChoice::ListedPages;
    QCOMPARE(printOptionsFrom(choice, 3).copies, 4);
    QCOMPARE(printOptionsFrom(choice, 3).pageNumbers, QStringLiteral("7"));

    choice.range = PrintDialogChoice::AllPages;
    QVERIFY(printOptionsFrom(choice, 3).pageNumbers.isEmpty());
}

void TestPrintPlan::copiesEntryThatIsNoWholeNumberFails_data()
{
    QTest::addColumn<QString>("copiesText");
    QTest::newRow("empty") << "";
    QTest::newRow("fraction") << "2,5";
    QTest::newRow("trailing blank") << "3 ";
    QTest::newRow("letters") << "három";
    QTest::newRow("too large") << "99999999999";
}

void TestPrintPlan::copiesEntryThatIsNoWholeNumberFails()
{
    QFETCH(QString, copiesText);
    PrintDialogChoice choice;
    choice.copiesText = copiesText;
    try {
        printOptionsFrom(choice, 1);
        QFAIL("the copies entry was accepted");
    } catch (const EConvertError &error) {
        QCOMPARE(error.message(), QStringLiteral("'%1' is not a valid integer value").arg(copiesText));
    }
}

void TestPrintPlan::copiesBeyondWhatOnePrintTakesFail()
{
    PrintDialogChoice choice;
    choice.copiesText = QString::number(mostCopies);
    QCOMPARE(printOptionsFrom(choice, 1).copies, mostCopies);
    choice.copiesText = QStringLiteral("111111111");
    try {
        printOptionsFrom(choice, 1);
        QFAIL("the copies entry was accepted");
    } catch (const Exception &error) {
        QCOMPARE(error.message(), QStringLiteral("Egyszerre legfeljebb 9999 másolat nyomtatható."));
    }
}

void TestPrintPlan::arrowsStepCopiesWithinOneToHundred_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("expected");
    QTest::newRow("up") << "1" << 1 << 2;
    QTest::newRow("down stops at 1") << "1" << -1 << 1;
    QTest::newRow("up stops at 100") << "100" << 1 << 100;
    QTest::newRow("typed beyond 100 comes back") << "250" << -1 << 100;
    QTest::newRow("no number becomes 1") << "x" << 5 << 1;
    QTest::newRow("extreme steps do not overflow") << "2147483647" << 2147483647 << 100;
}

void TestPrintPlan::arrowsStepCopiesWithinOneToHundred()
{
    QFETCH(QString, text);
    QFETCH(int, steps);
    QFETCH(int, expected);
    QCOMPARE(steppedCopies(text, steps), expected);
}

void TestPrintPlan::printFileGetsPrnExtension_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("expected");
    QTest::newRow("other extension") << "/tmp/a/bevallas.pdf" << "/tmp/a/bevallas.prn";
    QTest::newRow("no extension") << "/tmp/a/bevallas" << "/tmp/a/bevallas.prn";
    QTest::newRow("dot in the folder only") << "/tmp/a.b/bevallas" << "/tmp/a.b/bevallas.prn";
    QTest::newRow("last extension only") << "/tmp/x.tar.gz" << "/tmp/x.tar.prn";
    QTest::newRow("already prn") << "/tmp/x.prn" << "/tmp/x.prn";
}

void TestPrintPlan::printFileGetsPrnExtension()
{
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    QCOMPARE(printFileName(chosen), expected);
}

void TestPrintPlan::printLoopStartsJobAtFirstPrintedPage_data()
{
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<Pages>("pageIndexes");
    QTest::addColumn<int>("passes");
    QTest::addColumn<int>("printerCopies");
    QTest::addColumn<QStringList>("expectedLog");
    QTest::addColumn<Pages>("expectedDrawn");

    const QString job = QStringLiteral("job KRV11007");
    const QString endPage = QStringLiteral("end page");
    const QString endJob = QStringLiteral("end job");
    const QString page1 = QStringLiteral("page copies=1");
    QTest::newRow("nothing selected starts no job") << 1 << Pages{} << 3 << 1 << QStringList{} << Pages{};
    QTest::newRow("collated passes in one job")
        << 2 << Pages{0, 1} << 2 << 1
        << QStringList{job, page1, endPage, page1, endPage, page1, endPage, page1, endPage, endJob}
        << Pages{0, 1, 0, 1};
    QTest::newRow("uncollated copies go to the printer")
        << 1 << Pages{0} << 1 << 3 << QStringList{job, QStringLiteral("page copies=3"), endPage, endJob}
        << Pages{0};
    QTest::newRow("pages the report does not have are skipped")
        << 1 << Pages{5, 0} << 1 << 1 << QStringList{job, page1, endPage, endJob} << Pages{0};
}

void TestPrintPlan::printLoopStartsJobAtFirstPrintedPage()
{
    QFETCH(int, pageCount);
    QFETCH(Pages, pageIndexes);
    QFETCH(int, passes);
    QFETCH(int, printerCopies);
    QFETCH(QStringList, expectedLog);
    QFETCH(Pages, expectedDrawn);

    FakePages pages(pageCount);
    QStringList log;
    RecordingDevice device(log);
    int eventPumps = 0;
    PrintLoop loop(pages, device, [&eventPumps] { ++eventPumps; });
    PrintPlan plan;
    plan.pageIndexes = pageIndexes;
    plan.passes = passes;
    plan.printerCopies = printerCopies;

    QVERIFY(loop.run(plan, QStringLiteral("KRV11007")));
    QCOMPARE(log, expectedLog);
    QCOMPARE(pages.printed, expectedDrawn);
    QCOMPARE(eventPumps, expectedDrawn.size());
}

void TestPrintPlan::printLoopDrawsAtDeviceResolutionAndSheetOrigin()
{
    struct OriginPages : FakePages
    {
        void drawPage(int pageIndex, QPainter &painter, double dpiX, double dpiY, QPointF origin) const override
        {
            FakePages::drawPage(pageIndex, painter, dpiX, dpiY, origin);
            lastOrigin = origin;
        }
        mutable QPointF lastOrigin;
    } pages;
    QStringList log;
    RecordingDevice device(log);
    PrintLoop loop(pages, device, {});
    PrintPlan plan;
    plan.pageIndexes = {0};

    loop.run(plan, QString());
    QCOMPARE(pages.lastDotsPerInch, QSizeF(600, 600));
    QCOMPARE(pages.lastOrigin, QPointF(-12, -8));
}

void TestPrintPlan::printLoopAbortsWhenCancelledBetweenPages()
{
    FakePages pages(3);
    QStringList log;
    RecordingDevice device(log);
    PrintLoop *running = nullptr;
    PrintLoop loop(pages, device, [&running] { running->cancel(); });
    running = &loop;
    PrintPlan plan;
    plan.pageIndexes = {0, 1, 2};

    QVERIFY(!loop.run(plan, QStringLiteral("t")));
    QCOMPARE(log, (QStringList{QStringLiteral("job t"), QStringLiteral("page copies=1"), QStringLiteral("end page"),
                               QStringLiteral("abort job")}));
    QCOMPARE(pages.printed, Pages{0});
}

void TestPrintPlan::printIntoUnwritableFileFailsInsteadOfReportingSuccess()
{
    FakePages pages;
    const QString target = QStringLiteral("/nonexistent-folder/bevallas.prn");
    const std::unique_ptr<PrintDevice> device = makePrintDevice(QString(), target);
    PrintLoop loop(pages, *device, {});
    PrintPlan plan;
    plan.pageIndexes = {0};
    try {
        loop.run(plan, QStringLiteral("KRV11007"));
        QFAIL("printing into a file that cannot be written succeeded");
    } catch (const Exception &error) {
        QVERIFY2(error.message().contains(target), qPrintable(error.message()));
    }
}

void TestPrintPlan::printIntoFullDiskFailsAndKeepsThePreviousFile()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString target = folder.filePath(QStringLiteral("bevallas.prn"));
    const QByteArray previous = "az előző nyomtatás";
    {
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(previous);
    }
    FakePages pages;
    const std::unique_ptr<PrintDevice> device = makePrintDevice(QString(), target);
    PrintLoop loop(pages, *device, {});
    PrintPlan plan;
    plan.pageIndexes = {0};
    {
        // Room for the previous file, not for the page.
        FileSizeLimit fullDisk(512);
        QVERIFY(fullDisk.isSet());
        try {
            loop.run(plan, QStringLiteral("KRV11007"));
            QFAIL("printing onto a full disk reported success");
        } catch (const Exception &error) {
            QVERIFY2(error.message().contains(target), qPrintable(error.message()));
        }
    }
    QFile file(target);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), previous);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("bevallas.prn")});
}

void TestPrintPlan::printerListTakesSystemDefaultAndIsBuiltOnce()
{
    auto source = std::make_unique<FakePrinterSource>(
        QList<PrinterEntry>{{QStringLiteral("Laser"), QStringLiteral("usb")}, {QStringLiteral("Office"), {}}},
        QStringLiteral("Office"));
    const FakePrinterSource &counted = *source;
    PrinterList list(std::move(source));

    QVERIFY(list.hasPrinters());
    QCOMPARE(list.current().name, QStringLiteral("Office"));
    list.setCurrentIndex(0);
    list.setCurrentIndex(7);
    QCOMPARE(list.current(), (PrinterEntry{QStringLiteral("Laser"), QStringLiteral("usb")}));
    QCOMPARE(list.printers().size(), 2);
    QCOMPARE(counted.enumerations, 1);
}

// A printer installed while the program runs is found by the next print, not only after a restart;
// once there are printers, the list is kept.
void TestPrintPlan::printerListWithoutPrintersHoldsPlaceholderUntilOneIsInstalled()
{
    auto owned = std::make_unique<FakePrinterSource>(QList<PrinterEntry>{}, QStringLiteral("Office"));
    FakePrinterSource &source = *owned;
    PrinterList list(std::move(owned));
    QVERIFY(!list.hasPrinters());
    QCOMPARE(list.printers(), (QList<PrinterEntry>{{QStringLiteral("Virtuális"), {}}}));
    QVERIFY(!list.selectNamed(QStringLiteral("Virtuális")));
    QCOMPARE(source.enumerations, 1);

    source.setPrinters({{QStringLiteral("Laser"), {}}, {QStringLiteral("Office"), {}}});
    QVERIFY(list.hasPrinters());
    QCOMPARE(list.current().name, QStringLiteral("Office"));
    list.setCurrentIndex(0);
    source.setPrinters({});
    QVERIFY(list.hasPrinters());
    QCOMPARE(list.current().name, QStringLiteral("Laser"));
    QCOMPARE(source.enumerations, 2);
}

void TestPrintPlan::printerNamedDefaultIsFoundInAnyCase()
{
    PrinterList list(std::make_unique<FakePrinterSource>(
        QList<PrinterEntry>{{QStringLiteral("Laser"), {}}, {QStringLiteral("dEfAuLt"), {}}}, QStringLiteral("Laser")));
    QCOMPARE(list.currentIndex(), 0);
    QVERIFY(list.selectNamed(QStringLiteral("Default")));
    QCOMPARE(list.currentIndex(), 1);
    QVERIFY(!list.selectNamed(QStringLiteral("Defaults")));
    QCOMPARE(list.currentIndex(), 1);
}

void TestPrintPlan::typedZoom_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected"); // 0: refused
    QTest::newRow("percent") << "150%" << 1.5;
    QTest::newRow("bare number") << "80" << 0.8;
    QTest::newRow("decimal comma and blank") << "37,5 %" << 0.375;
    QTest::newRow("zero") << "0%" << 0.0;
    QTest::newRow("negative") << "-50" << 0.0;
    QTest::newRow("words") << "Nagy" << 0.0;
    QTest::newRow("infinite") << "inf" << 0.0;
}

void TestPrintPlan::typedZoom()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(::typedZoom(text).value_or(0.0), expected);
}

void TestPrintPlan::fittedZoomModesFollowTheVisibleArea()
{
    PreviewLayout layout({QSizeF(200, 400), QSizeF(200, 400)});
    layout.setViewportSize(QSize(820, 420));

    layout.setZoomMode(zmPageWidth);
    QCOMPARE(layout.zoom(), 4.0);
    QCOMPARE(layout.pageRect(0), QRect(10, 10, 800, 1600));
    QCOMPARE(layout.pageRect(1).top(), 1620);

    layout.setZoomMode(zmWholePage);
    QCOMPARE(layout.zoom(), 1.0);
    QCOMPARE(layout.pageRect(0), QRect(310, 10, 200, 400)); // centred
    QCOMPARE(layout.pageAt(0), 0);
    QCOMPARE(layout.pageAt(420), 1);

    layout.setZoomMode(zmManyPages);
    QCOMPARE(layout.pageRect(0).top(), layout.pageRect(1).top());
    QCOMPARE(layout.pageRect(1).left() - layout.pageRect(0).right() - 1, PreviewLayout::pageGap);

    layout.setZoom(0.5);
    QCOMPARE(layout.zoomMode(), zmDefault);
    QCOMPARE(layout.pageRect(0).size(), QSize(100, 200));
    QCOMPARE(zoomText(layout.zoom()), QStringLiteral("50%"));
}

void TestPrintPlan::zoomStaysWithinLimits()
{
    PreviewLayout layout({QSizeF(794, 1123)});
    layout.setZoom(100000);
    QCOMPARE(layout.zoom(), PreviewLayout::largestZoom);
    layout.setViewportSize(QSize(0, 0));
    layout.setZoomMode(zmWholePage);
    QCOMPARE(layout.zoom(), PreviewLayout::smallestZoom);
}

QTEST_MAIN(TestPrintPlan)
#include "tst_printplan.moc"
