#include "fakepages.h"

#include "common/failure.h"
#include "dialogs/dialogs.h"
#include "tests/support/whenmodalopens.h"
#include "print/preview/previewform.h"
#include "print/preview/previewpages.h"
#include "print/preview/printdialog.h"
#include "print/preview/showpreview.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

#include <functional>

namespace {

const QList<PrinterEntry> threePrinters{{QStringLiteral("Laser"), QStringLiteral("Iroda")},
                                        {QStringLiteral("Tinta"), QString()},
                                        {QStringLiteral("Színes"), QStringLiteral("2. emelet")}};


template<typename T>
T *child(QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

// One preview window with a fake printing system behind it.
struct PrintBench
{
    explicit PrintBench(int pageCount = 1, QList<PrinterEntry> printers = threePrinters,
                        QString systemDefault = QStringLiteral("Tinta"))
        : pages(pageCount)
        , printerList(std::make_unique<FakePrinterSource>(std::move(printers), std::move(systemDefault)))
        , form(pages, printerList, services())
    {
        form.show();
    }

    PrintServices services()
    {
        PrintServices services;
        services.showPrinterProperties = [this](QWidget *, const QString &name) { propertiesShownFor.append(name); };
        services.askPrintFile = [this](QWidget *) { return chosenFile; };
        services.confirmReplacing = [this](QWidget *, const QString &fileName) {
            replacementsAsked.append(fileName);
            return replaceAnswer;
        };
        services.openDevice = [this](const QString &printer, const QString &file) -> std::unique_ptr<PrintDevice> {
            openedOn.append(printer + u'|' + file);
            if (realPrintDevice)
                return makePrintDevice(printer, file);
            return std::make_unique<RecordingDevice>(log);
        };
        services.handlePendingEvents = [this] {
            if (betweenPages)
                betweenPages();
        };
        return services;
    }

    // Presses the print button and answers the print dialog with `fill`, then OK (or "Mégsem").
    void print(std::function<void(TfrxPrintDialog *)> fill, bool confirm = true)
    {
        whenModalOpens<TfrxPrintDialog>([fill, confirm](TfrxPrintDialog *dialog) {
            fill(dialog);
            QTest::mouseClick(child<QPushButton>(dialog, confirm ? "OkB" : "CancelB"), Qt::LeftButton);
        });
        child<QAction>(&form, "PrintB")->trigger();
    }

    FakePages pages;
    PrinterList printerList;
    QStringList log;
    QStringList propertiesShownFor;
    QStringList openedOn;
    QString chosenFile;
    QStringList replacementsAsked;
    bool replaceAnswer = false;
    bool realPrintDevice = false; // a Qt print job instead of the recorder
    std::function<void()> betweenPages;
    TfrxPreviewForm form;
};

QStringList pagesOf(const QStringList &log)
{
    return log.filter(QStringLiteral("page copies"));
}

void setCopies(TfrxPrintDialog *dialog, const QString &text)
{
    auto *copies = child<CopiesSpinBox>(dialog, "CopiesE");
    copies->selectAll();
    QTest::keyClicks(copies, text);
}

} // namespace

class TestPreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showPreviewOpensMaximizedAt100WithOnlyItsButtons();
    void zoomBoxItemsAndTypedPercentage();
    void wheelScrollsThePages();
    void printingWithoutPrinterShowsErrorBox();
    void copiesAndCollation_data();
    void copiesAndCollation();
    void pageListAndParityThatMissEveryPageStartNoJob_data();
    void pageListAndParityThatMissEveryPageStartNoJob();
    void reverseOrderAndCurrentPage();
    void printerNamedDefaultIsCurrentWhenDialogOpens();
    void cancellingKeepsThePreviousPrinter();
    void chosenPrinterStaysForTheNextPrint();
    void copiesEntryThatIsNoNumberFailsInDefaultErrorBox();
    void copiesArrowsAndPageEntryChooseTheirOptions();
    void printToFileUsesPrnExtensionAndItsCancelStops();
    void printToFileAsksBeforeReplacingAFileNotChosen_data();
    void printToFileAsksBeforeReplacingAFileNotChosen();
    void printToFileHoldsEveryCopy_data();
    void printToFileHoldsEveryCopy();
    void escapeAndCloseCancelRunningPrintWithoutClosing();
    void keyboardAloneReachesAndPressesTheToolbar();
};

void TestPreview::showPreviewOpensMaximizedAt100WithOnlyItsButtons()
{
    PrinterList::instance().setSource(std::make_unique<FakePrinterSource>(threePrinters, QString()));
    FakePages pages;
    bool checked = false;
    whenModalOpens<TfrxPreviewForm>([&](TfrxPreviewForm *form) {
        checked = true;
        QCOMPARE(form->windowTitle(), QStringLiteral("Előkép"));
        QVERIFY(form->isModal());
        QVERIFY(form->windowState() & Qt::WindowMaximized);
        QCOMPARE(child<QLabel>(form, "StatusL")->text(), QStringLiteral("1. oldal 1 oldalból"));
        QCOMPARE(child<QComboBox>(form, "ZoomCB")->currentText(), QStringLiteral("100%"));
        QCOMPARE(child<QComboBox>(form, "ZoomCB")->toolTip(), QStringLiteral("Nagyít"));
        QCOMPARE(child<QToolButton>(form, "CancelB")->text(), QStringLiteral("Bezár"));
        // The page area, which takes the focus as the preview opens, is named for screen readers.
        auto *pageArea = child<QScrollArea>(form, "PreviewScroll");
        QCOMPARE(QAccessible::queryAccessibleInterface(pageArea)->text(QAccessible::Name),
                 QStringLiteral("Nyomtatási kép"));

        // Five buttons, the zoom box and "Bezár"; nothing else. Each button's picture is drawn at the
        // toolbar's size for a screen at scale 1 and 2, not stretched from another size.
        QStringList hints;
        int widgets = 0;
        auto *toolBar = child<QToolBar>(form, "ToolBar");
        for (QAction *action : toolBar->actions()) {
            if (action->isSeparator())
                continue;
            if (action->objectName().isEmpty()) {
                ++widgets;
                continue;
            }
            hints.append(action->toolTip());
            for (const qreal ratio : {1.0, 2.0})
                QCOMPARE(action->icon().pixmap(toolBar->iconSize(), ratio).size(), toolBar->iconSize() * ratio);
        }
        QCOMPARE(hints, (QStringList{QStringLiteral("Nyomtat"), QStringLiteral("Teljes oldal"),
                                     QStringLiteral("Oldalszélesség"), QStringLiteral("100%"),
                                     QStringLiteral("Két oldal")}));
        QCOMPARE(widgets, 2);

        // The page is drawn at the screen's resolution at 100 %.
        auto *view = child<PreviewPages>(form, "PreviewPages");
        view->grab();
        QCOMPARE(pages.lastDotsPerInch, QSizeF(view->logicalDpiX(), view->logicalDpiY()));
        QCOMPARE(view->width() >= qRound(210 / 25.4 * view->logicalDpiX()), true);

        QTest::keyClick(form, Qt::Key_Escape);
    });
    ShowPreview(pages, nullptr);
    QVERIFY(checked);
    QVERIFY(!QApplication::activeModalWidget());
}

void TestPreview::zoomBoxItemsAndTypedPercentage()
{
    PrintBench bench;
    auto *zoomBox = child<QComboBox>(&bench.form, "ZoomCB");
    auto *view = child<PreviewPages>(&bench.form, "PreviewPages");
    QStringList items;
    for (int i = 0; i < zoomBox->count(); ++i)
        items.append(zoomBox->itemText(i));
    QCOMPARE(items, (QStringList{"25%", "50%", "75%", "100%", "150%", "200%", "Oldal széles", "Teljes oldal"}));

    const int fullWidth = qRound(210 / 25.4 * view->logicalDpiX());
    const auto sheetWidth = [&] {
        view->grab();
        return qRound(bench.pages.lastDotsPerInch.width() / view->logicalDpiX() * fullWidth);
    };
    QCOMPARE(sheetWidth(), fullWidth);

    zoomBox->textActivated(QStringLiteral("50%"));
    QCOMPARE(sheetWidth(), qRound(fullWidth * 0.5));

    zoomBox->lineEdit()->selectAll();
    QTest::keyClicks(zoomBox->lineEdit(), QStringLiteral("137"));
    QTest::keyClick(zoomBox->lineEdit(), Qt::Key_Return);
    QCOMPARE(zoomBox->currentText(), QStringLiteral("137%"));
    QCOMPARE(sheetWidth(), qRound(fullWidth * 1.37));

    zoomBox->lineEdit()->selectAll();
    QTest::keyClicks(zoomBox->lineEdit(), QStringLiteral("sok"));
    QTest::keyClick(zoomBox->lineEdit(), Qt::Key_Return);
    QCOMPARE(zoomBox->currentText(), QStringLiteral("137%"));

    bench.form.resize(800, 600);
    zoomBox->textActivated(QStringLiteral("Teljes oldal"));
    const QRect viewport = view->parentWidget()->rect();
    QVERIFY(view->height() <= viewport.height());
    zoomBox->textActivated(QStringLiteral("Oldal széles"));
    QCOMPARE(sheetWidth(), viewport.width() - 2 * PreviewLayout::pageGap);
}

void TestPreview::wheelScrollsThePages()
{
    PrintBench bench(2);
    bench.form.resize(700, 500);
    QVERIFY(QTest::qWaitForWindowExposed(&bench.form));
    child<QAction>(&bench.form, "ZoomPageWidthB")->trigger();
    auto *view = child<PreviewPages>(&bench.form, "PreviewPages");
    auto *status = child<QLabel>(&bench.form, "StatusL");
    QCOMPARE(status->text(), QStringLiteral("1. oldal 2 oldalból"));

    const int startY = view->mapToParent(QPoint()).y();
    for (int notch = 0; notch < 40; ++notch) {
        QWheelEvent wheel(QPointF(50, 50), view->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->parentWidget(), &wheel); // the scroll area's viewport
    }
    QVERIFY(view->mapToParent(QPoint()).y() < startY);
    QCOMPARE(status->text(), QStringLiteral("2. oldal 2 oldalból"));
}

void TestPreview::printingWithoutPrinterShowsErrorBox()
{
    QList<MessDlgs::MessageBoxRequest> boxes;
    const MessDlgs::MessageBoxFunction realBox = MessDlgs::setMessageBoxFunction(
        [&boxes](const MessDlgs::MessageBoxRequest &request) {
            boxes.append(request);
            return int(mrOk);
        });
    PrintBench bench(1, {}, QString());
    bool dialogOpened = false;
    QTimer::singleShot(0, [&dialogOpened] {
        if (auto *dialog = qobject_cast<TfrxPrintDialog *>(QApplication::activeModalWidget())) {
            dialogOpened = true;
            dialog->close();
        }
    });
    child<QAction>(&bench.form, "PrintB")->trigger();
    QTest::qWait(10);
    MessDlgs::setMessageBoxFunction(realBox);
    QVERIFY(!dialogOpened);
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first().text, QStringLiteral("Nincs nyomtató telepítve"));
    QCOMPARE(boxes.first().type, mtError);
    QVERIFY(boxes.first().buttons == TMsgDlgButtons({mbOK}));
    QCOMPARE(boxes.first().language, int(MessDlgs::Hungarian));
    QVERIFY(bench.openedOn.isEmpty());
    QVERIFY(bench.form.isVisible());
}

void TestPreview::copiesAndCollation_data()
{
    QTest::addColumn<QString>("copies");
    QTest::addColumn<bool>("collate");
    QTest::addColumn<QStringList>("pages");

    const QString once = QStringLiteral("page copies=1");
    QTest::newRow("three collated: three passes") << "3" << true << QStringList{once, once, once};
    QTest::newRow("three uncollated: printer copies")
        << "3" << false << QStringList{QStringLiteral("page copies=3")};
    QTest::newRow("zero counts as one") << "0" << true << QStringList{once};
}

void TestPreview::copiesAndCollation()
{
    QFETCH(QString, copies);
    QFETCH(bool, collate);
    QFETCH(QStringList, pages);

    PrintBench bench;
    bench.print([&](TfrxPrintDialog *dialog) {
        setCopies(dialog, copies);
        child<QCheckBox>(dialog, "CollateCB")->setChecked(collate);
        QCOMPARE(child<CollatePicture>(dialog, "CollateImg")->isCollated(), collate);
    });
    QCOMPARE(bench.openedOn, QStringList{QStringLiteral("Tinta|")});
    QCOMPARE(pagesOf(bench.log), pages);
    QCOMPARE(bench.log.first(), QStringLiteral("job KRV11007"));
    QCOMPARE(bench.log.last(), QStringLiteral("end job"));
    QCOMPARE(bench.log.filter(QStringLiteral("job KRV11007")).size(), 1);
}

void TestPreview::pageListAndParityThatMissEveryPageStartNoJob_data()
{
    QTest::addColumn<QString>("pageNumbers");
    QTest::addColumn<int>("printPages");
    QTest::newRow("page list 2") << "2" << int(ppAll);
    QTest::newRow("even pages") << "" << int(ppEven);
}

void TestPreview::pageListAndParityThatMissEveryPageStartNoJob()
{
    QFETCH(QString, pageNumbers);
    QFETCH(int, printPages);

    PrintBench bench;
    bench.print([&](TfrxPrintDialog *dialog) {
        if (!pageNumbers.isEmpty()) {
            child<QRadioButton>(dialog, "PageNumbersRB")->setChecked(true);
            child<QLineEdit>(dialog, "PageNumbersE")->setText(pageNumbers);
        }
        child<QComboBox>(dialog, "PrintPagesCB")->setCurrentIndex(printPages);
    });
    QVERIFY(bench.log.isEmpty());
    QVERIFY(bench.pages.printed.isEmpty());
}

void TestPreview::reverseOrderAndCurrentPage()
{
    PrintBench bench(4);
    bench.print([](TfrxPrintDialog *dialog) {
        child<QCheckBox>(dialog, "ReverseCB")->setChecked(true);
        child<QComboBox>(dialog, "PrintPagesCB")->setCurrentIndex(1); // "Páratlan oldalak"
    });
    QCOMPARE(bench.pages.printed, (QList<int>{2, 0}));

    bench.pages.printed.clear();
    bench.print([](TfrxPrintDialog *dialog) { child<QRadioButton>(dialog, "CurPageRB")->setChecked(true); });
    QCOMPARE(bench.pages.printed, QList<int>{0});
}

void TestPreview::printerNamedDefaultIsCurrentWhenDialogOpens()
{
    PrintBench bench(1, {{QStringLiteral("Laser"), {}}, {QStringLiteral("DEFAULT"), QStringLiteral("lpt1")}},
                     QStringLiteral("Laser"));
    bench.print([](TfrxPrintDialog *dialog) {
        QCOMPARE(child<QComboBox>(dialog, "PrintersCB")->currentText(), QStringLiteral("DEFAULT"));
        QCOMPARE(child<QLabel>(dialog, "TypeL")->text(), QStringLiteral("DEFAULT"));
        QCOMPARE(child<QLabel>(dialog, "WhereL")->text(), QStringLiteral("lpt1"));
    });
    QCOMPARE(bench.openedOn, QStringList{QStringLiteral("DEFAULT|")});
}

void TestPreview::cancellingKeepsThePreviousPrinter()
{
    PrintBench bench;
    bench.print(
        [](TfrxPrintDialog *dialog) {
            auto *printers = child<QComboBox>(dialog, "PrintersCB");
            QCOMPARE(printers->currentText(), QStringLiteral("Tinta"));
            printers->setFocus();
            QTest::keyClick(printers, Qt::Key_Down);
            QCOMPARE(child<QLabel>(dialog, "TypeL")->text(), QStringLiteral("Színes"));
            QCOMPARE(child<QLabel>(dialog, "WhereL")->text(), QStringLiteral("2. emelet"));
            QTest::mouseClick(child<QPushButton>(dialog, "PropButton"), Qt::LeftButton);
        },
        false);
    QCOMPARE(bench.propertiesShownFor, QStringList{QStringLiteral("Színes")});
    QCOMPARE(bench.printerList.current().name, QStringLiteral("Tinta"));
    QVERIFY(bench.openedOn.isEmpty());
    QVERIFY(bench.log.isEmpty());
    QVERIFY(bench.form.isVisible());
}

void TestPreview::chosenPrinterStaysForTheNextPrint()
{
    PrintBench bench;
    bench.print([](TfrxPrintDialog *dialog) {
        auto *printers = child<QComboBox>(dialog, "PrintersCB");
        printers->setFocus();
        QTest::keyClick(printers, Qt::Key_Up);
    });
    bench.print([](TfrxPrintDialog *dialog) {
        QCOMPARE(child<QComboBox>(dialog, "PrintersCB")->currentText(), QStringLiteral("Laser"));
    });
    QCOMPARE(bench.openedOn, (QStringList{QStringLiteral("Laser|"), QStringLiteral("Laser|")}));
}

void TestPreview::copiesEntryThatIsNoNumberFailsInDefaultErrorBox()
{
    QStringList reported;
    const failure::Reporter previous =
        failure::setReporter([&reported](const QString &message) { reported.append(message); });
    PrintBench bench;
    bench.print([](TfrxPrintDialog *dialog) { setCopies(dialog, QStringLiteral("2,5")); });
    failure::setReporter(previous);

    QCOMPARE(reported, QStringList{QStringLiteral("'2,5' is not a valid integer value")});
    QVERIFY(bench.openedOn.isEmpty());
    QVERIFY(bench.form.isVisible());
}

void TestPreview::copiesArrowsAndPageEntryChooseTheirOptions()
{
    PrintBench bench;
    bench.print(
        [](TfrxPrintDialog *dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Nyomtat"));
            QVERIFY(child<QRadioButton>(dialog, "AllRB")->isChecked());
            QVERIFY(child<QCheckBox>(dialog, "CollateCB")->isChecked());
            auto *copies = child<CopiesSpinBox>(dialog, "CopiesE");
            QCOMPARE(copies->text(), QStringLiteral("1"));
            copies->setFocus();
            QTest::keyClick(copies, Qt::Key_Down);
            QCOMPARE(copies->text(), QStringLiteral("1"));
            QTest::keyClick(copies, Qt::Key_Up);
            QCOMPARE(copies->text(), QStringLiteral("2"));
            setCopies(dialog, QStringLiteral("500"));
            QCOMPARE(copies->text(), QStringLiteral("500"));

            // Focus events reach a window only once it is active, which the platform makes it in its own time.
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            auto *pageNumbers = child<QLineEdit>(dialog, "PageNumbersE");
            pageNumbers->setFocus();
            QVERIFY(child<QRadioButton>(dialog, "PageNumbersRB")->isChecked());
            QAccessibleInterface *pageEntry = QAccessible::queryAccessibleInterface(pageNumbers);
            QCOMPARE(pageEntry->text(QAccessible::Name), QStringLiteral("Oldalak:"));
            QCOMPARE(pageEntry->text(QAccessible::Description), child<QLabel>(dialog, "DescrL")->text());
            const PrintDialogChoice choice = dialog->choice();
            QCOMPARE(choice.copiesText, QStringLiteral("500"));
            QCOMPARE(choice.range, PrintDialogChoice::ListedPages);
        },
        false);
}

void TestPreview::printToFileUsesPrnExtensionAndItsCancelStops()
{
    PrintBench bench;
    bench.chosenFile = QStringLiteral("/tmp/kimenet/bevallas.pdf");
    bench.print([](TfrxPrintDialog *dialog) { child<QCheckBox>(dialog, "FileCB")->setChecked(true); });
    QCOMPARE(bench.openedOn, QStringList{QStringLiteral("Tinta|/tmp/kimenet/bevallas.prn")});

    bench.chosenFile.clear();
    bench.log.clear();
    bench.print([](TfrxPrintDialog *dialog) { child<QCheckBox>(dialog, "FileCB")->setChecked(true); });
    QCOMPARE(bench.openedOn.size(), 1);
    QVERIFY(bench.log.isEmpty());
}

void TestPreview::printToFileAsksBeforeReplacingAFileNotChosen_data()
{
    QTest::addColumn<QString>("chosenName");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("printed");

    QTest::newRow("other extension, kept") << "bevallas.pdf" << false << true << false;
    QTest::newRow("other extension, replaced") << "bevallas.pdf" << true << true << true;
    QTest::newRow("no extension, kept") << "bevallas" << false << true << false;
    QTest::newRow("the file itself, asked by the file dialog") << "bevallas.prn" << false << false << true;
}

void TestPreview::printToFileAsksBeforeReplacingAFileNotChosen()
{
    QFETCH(QString, chosenName);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    QFETCH(bool, printed);
    QTemporaryDir folder;
    const QString written = folder.filePath(QStringLiteral("bevallas.prn"));
    QFile previous(written);
    QVERIFY(previous.open(QIODevice::WriteOnly));
    previous.close();

    PrintBench bench;
    bench.chosenFile = folder.filePath(chosenName);
    bench.replaceAnswer = answer;
    bench.print([](TfrxPrintDialog *dialog) { child<QCheckBox>(dialog, "FileCB")->setChecked(true); });

    QCOMPARE(bench.replacementsAsked, asked ? QStringList{QStringLiteral("bevallas.prn")} : QStringList());
    QCOMPARE(bench.openedOn, printed ? QStringList{QStringLiteral("Tinta|") + written} : QStringList());
    QVERIFY(bench.form.isVisible());
}

void TestPreview::printToFileHoldsEveryCopy_data()
{
    QTest::addColumn<bool>("collate");
    QTest::addColumn<QStringList>("pages");

    QTest::newRow("collated: the set three times") << true << QStringList{"1", "2", "1", "2", "1", "2"};
    QTest::newRow("uncollated: each page three times") << false << QStringList{"1", "1", "1", "2", "2", "2"};
}

void TestPreview::printToFileHoldsEveryCopy()
{
    QFETCH(bool, collate);
    QFETCH(QStringList, pages);
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QVERIFY2(!pdftotext.isEmpty(), "pdftotext (poppler-utils) is needed");

    QTemporaryDir folder;
    PrintBench bench(2);
    bench.realPrintDevice = true;
    bench.chosenFile = folder.filePath(QStringLiteral("bevallas"));
    bench.print([collate](TfrxPrintDialog *dialog) {
        child<QCheckBox>(dialog, "FileCB")->setChecked(true);
        setCopies(dialog, QStringLiteral("3"));
        child<QCheckBox>(dialog, "CollateCB")->setChecked(collate);
    });

    QProcess process;
    process.start(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                              folder.filePath(QStringLiteral("bevallas.prn")), QStringLiteral("-")});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    // pdftotext ends every page with a form feed.
    const QStringList pageTexts = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f', Qt::SkipEmptyParts);
    QStringList printed;
    for (const QString &text : pageTexts) {
        const QString trimmed = text.simplified();
        if (!trimmed.isEmpty())
            printed.append(trimmed.section(u' ', -1));
    }
    QCOMPARE(printed, pages);
}

void TestPreview::escapeAndCloseCancelRunningPrintWithoutClosing()
{
    PrintBench bench(3);
    int pagesSeen = 0;
    bench.betweenPages = [&] {
        ++pagesSeen;
        if (pagesSeen == 1) {
            QTest::mouseClick(child<QToolButton>(&bench.form, "CancelB"), Qt::LeftButton);
            bench.form.close();
            QVERIFY(bench.form.isVisible());
            QTest::keyClick(&bench.form, Qt::Key_Escape);
            QVERIFY(bench.form.isVisible());
            QTest::keyClick(&bench.form, Qt::Key_Escape);
        }
    };
    bench.print([](TfrxPrintDialog *) {});
    QCOMPARE(bench.log.last(), QStringLiteral("abort job"));
    QCOMPARE(bench.pages.printed, QList<int>{0});
    QVERIFY(bench.form.isVisible());

    QTest::mouseClick(child<QToolButton>(&bench.form, "CancelB"), Qt::LeftButton);
    QVERIFY(!bench.form.isVisible());
}

void TestPreview::keyboardAloneReachesAndPressesTheToolbar()
{
    PrintBench bench;
    bench.form.resize(800, 600);
    // The offscreen platform gives the activation back to no window when a dialog closes.
    const auto activate = [&bench] {
        bench.form.activateWindow();
        return QTest::qWaitForWindowActive(&bench.form);
    };
    QVERIFY(activate());
    int dialogsOpened = 0;
    const auto cancelPrintDialog = [&dialogsOpened] {
        whenModalOpens<TfrxPrintDialog>([&dialogsOpened](TfrxPrintDialog *dialog) {
            ++dialogsOpened;
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
    };

    cancelPrintDialog();
    QTest::keyClick(&bench.form, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(dialogsOpened, 1);
    QVERIFY(activate());

    // Tab goes round every control of the window; on the way it reaches each toolbar button, which
    // names itself in its tool tip and to screen readers.
    QList<QToolButton *> reached;
    for (int press = 0; press < 20; ++press) {
        QWidget *focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : &bench.form, Qt::Key_Tab);
        if (auto *button = qobject_cast<QToolButton *>(QApplication::focusWidget()); button && !reached.contains(button))
            reached.append(button);
    }
    QStringList names;
    for (QToolButton *button : reached) {
        const QString name = QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
        if (button->objectName() != QStringLiteral("CancelB"))
            QCOMPARE(button->toolTip(), name);
        names.append(name);
    }
    QCOMPARE(names, (QStringList{QStringLiteral("Nyomtat"), QStringLiteral("Teljes oldal"),
                                 QStringLiteral("Oldalszélesség"), QStringLiteral("100%"),
                                 QStringLiteral("Két oldal"), QStringLiteral("Bezár")}));

    reached[0]->setFocus();
    cancelPrintDialog();
    QTest::keyClick(reached[0], Qt::Key_Return);
    QCOMPARE(dialogsOpened, 2);
    QVERIFY(activate());

    auto *zoomBox = child<QComboBox>(&bench.form, "ZoomCB");
    QCOMPARE(zoomBox->currentText(), QStringLiteral("100%"));
    reached[1]->setFocus();
    QTest::keyClick(reached[1], Qt::Key_Space);
    QVERIFY(zoomBox->currentText() != QStringLiteral("100%"));
    reached[3]->setFocus();
    QTest::keyClick(reached[3], Qt::Key_Enter);
    QCOMPARE(zoomBox->currentText(), QStringLiteral("100%"));

    reached[5]->setFocus();
    QTest::keyClick(reached[5], Qt::Key_Return);
    QVERIFY(!bench.form.isVisible());
    QVERIFY(bench.log.isEmpty());
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
