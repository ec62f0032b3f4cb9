#include "common/fonts.h"
#include "common/regionalsettings.h"
#include "print/pagepainter.h"
#include "print/pagetemplate.h"
#include "print/report.h"
#include "tests/print/fakedeclaration.h"

#include <QFontInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

double pixels(double mm, double dpi)
{
    return mm / mmPerInch * dpi;
}

bool isInk(QRgb pixel)
{
    return qGray(pixel) < 200;
}

// Sheet coordinates in millimetres; the image covers the whole sheet.
int inkIn(const QImage &image, const QRectF &mm, double dpi)
{
    const QRect area = QRectF(pixels(mm.left(), dpi), pixels(mm.top(), dpi), pixels(mm.width(), dpi),
                              pixels(mm.height(), dpi))
                           .toAlignedRect()
                           .intersected(image.rect());
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            ink += isInk(image.pixel(x, y));
    }
    return ink;
}

QImage renderSheet(const PageDrawer &pages, double dpi, QPointF sheetTopLeft = {})
{
    QImage image(qCeil(pixels(210.0, dpi)), qCeil(pixels(297.0, dpi)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    pages.drawPage(0, painter, dpi, dpi, sheetTopLeft);
    return image;
}

// Draws a page holding nothing but the given objects, with the declaration's margins.
QImage renderObjects(const std::vector<TfrxView> &objects, double dpi)
{
    TfrxReportPage page = Page1();
    page.objects = objects;
    QImage image(qCeil(pixels(210.0, dpi)), qCeil(pixels(297.0, dpi)), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawReportPage(page, painter, dpi, dpi, QPointF());
    return image;
}

QRectF sheetRectMm(const TfrxView &view)
{
    const double unitsPerMm = mmToUnits(1.0);
    return QRectF(22.0 + view.bounds.left() / unitsPerMm, 10.0 + view.bounds.top() / unitsPerMm,
                  view.bounds.width() / unitsPerMm, view.bounds.height() / unitsPerMm);
}

TfrxView longTextMemo(const QString &text, TfrxVAlign alignment)
{
    TfrxView memo;
    memo.name = QStringLiteral("Memo1");
    memo.bounds = QRectF(mmToUnits(40.0), mmToUnits(100.0), mmToUnits(30.0), mmToUnits(5.0));
    memo.font = {QStringLiteral("Tahoma"), 11, true, Qt::black};
    memo.vAlign = alignment;
    memo.text = text;
    return memo;
}

// A single letter in Tahoma 11, the face and size of the page's bold values, drawn alone at the dpi.
QImage renderLetter(const QString &letter, bool bold, double dpi)
{
    TfrxView memo = longTextMemo(letter, vaTop);
    memo.font.bold = bold;
    return renderObjects({memo}, dpi);
}

// What an accent adds to its base letter, in the rows above the base letter's top: its ink as a sum of
// darkness, and the most separate dark strokes that one row crosses (the double acute's two).
struct AccentInk
{
    double darkness = 0;
    int strokes = 0;
};

AccentInk accentInk(const QImage &accented, const QImage &base)
{
    int baseTop = base.height();
    for (int y = 0; y < base.height() && baseTop == base.height(); ++y) {
        for (int x = 0; x < base.width(); ++x) {
            if (isInk(base.pixel(x, y))) {
                baseTop = y;
                break;
            }
        }
    }
    AccentInk ink;
    for (int y = 0; y < baseTop - 1; ++y) {
        int strokes = 0;
        bool inStroke = false;
        for (int x = 0; x < accented.width(); ++x) {
            const int gray = qGray(accented.pixel(x, y));
            ink.darkness += (255 - gray) / 255.0;
            const bool dark = gray < 128;
            strokes += dark && !inStroke;
            inStroke = dark;
        }
        ink.strokes = std::max(ink.strokes, strokes);
    }
    return ink;
}

} // namespace

class TestPageDrawing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void fixedTextsFitTheirBoxes();
    void typedTextBeyondItsBoxDoesNotPrintWhole_data();
    void typedTextBeyondItsBoxDoesNotPrintWhole();
    void rulesLandAtTheirNominalPlace_data();
    void rulesLandAtTheirNominalPlace();
    void printerOffsetShiftsThePage();
    void headingIsWhiteOnBlackTenUnitsIn();
    void textIsClippedToItsArea_data();
    void textIsClippedToItsArea();
    void overlongAnswerStaysInItsBox();
    void twoLineLabelShowsEveryStroke_data();
    void twoLineLabelShowsEveryStroke();
    void boldDoubleAcuteKeepsBothStrokes_data();
    void boldDoubleAcuteKeepsBothStrokes();
    void hiddenObjectsLeaveNoInk();
    void emblemsAreDrawnIntoTheirRectangles();
    void pdfHoldsEveryValueAsSearchableText();

private:
    TfrxReport m_report;
    FakeDeclaration m_declaration = filledDeclaration();
};

void TestPageDrawing::initTestCase()
{
    fonts::install();
    QCOMPARE(QFontInfo(QFont(QStringLiteral("Tahoma"))).family(), QStringLiteral("Tahoma"));
    Regional::instance().setSettings({u',', u' ', QStringLiteral("yyyy.MM.dd.")});
    m_report.OnGetValue = [this](const QString &name, QVariant &value) {
        if (const std::optional<QString> answer =
                reportVariable(name, m_declaration, QStringLiteral("1983134D5"), QDate::currentDate()))
            value = *answer;
    };
    QVERIFY(m_report.PreparePages(true));
}

// The labels were sized for the faces the form was drawn with; wrapped in the faces that stand in for
// them here, every fixed text must still fit its box, or a label loses its first words.
void TestPageDrawing::fixedTextsFitTheirBoxes()
{
    for (const TfrxView &view : Page1().objects) {
        if (view.kind != TfrxObjectKind::Memo || view.text.contains(u'['))
            continue;
        const QRectF area = view.bounds.adjusted(view.gapX, view.gapY, -view.gapX, -view.gapY);
        const qsizetype lines = wrapText(view.text, area.width(), textMeasure(view.font)).size();
        const double blockHeight = lines * (view.font.height + view.lineSpacing) - view.lineSpacing;
        QVERIFY2(blockHeight <= area.height(), qPrintable(view.name));
    }
}

void TestPageDrawing::typedTextBeyondItsBoxDoesNotPrintWhole_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("whole");

    QTest::newRow("a name on one line") << "Memo30" << "Árvíz Bt." << true;
    QTest::newRow("a name on two lines")
        << "Memo30" << "Kerekrévi Építőipari és Kereskedelmi Korlátolt Felelősségű Társaság Végelszámolás Alatt" << false;
    QTest::newRow("a place of birth") << "Memo40" << "Hódmezővásárhely" << true;
    QTest::newRow("one word wider than the box") << "Memo40" << QString(60, u'W') << false;
    QTest::newRow("an empty text") << "Memo48" << "" << true;
}

void TestPageDrawing::typedTextBeyondItsBoxDoesNotPrintWhole()
{
    QFETCH(QString, object);
    QFETCH(QString, text);
    const std::vector<TfrxView> objects = Page1().objects;
    const auto box = std::find_if(objects.begin(), objects.end(), [&object](const TfrxView &view) { return view.name == object; });
    QVERIFY(box != objects.end());
    TfrxView printed = *box;
    printed.text = text;
    QTEST(printsWhole(printed), "whole");
}

void TestPageDrawing::rulesLandAtTheirNominalPlace_data()
{
    QTest::addColumn<double>("dpi");
    QTest::newRow("screen") << 96.0;
    QTest::newRow("printer") << 300.0;
}

void TestPageDrawing::rulesLandAtTheirNominalPlace()
{
    QFETCH(double, dpi);
    const QImage sheet = renderSheet(m_report, dpi);

    // The footer rule: 266 mm below the sheet's top, from 22 mm to 190 mm.
    const int ruleRow = int(pixels(266.0, dpi));
    int inkOnRule = 0;
    const int ruleStart = qCeil(pixels(22.0, dpi));
    const int ruleEnd = int(pixels(190.0, dpi));
    for (int x = ruleStart; x < ruleEnd; ++x)
        inkOnRule += isInk(sheet.pixel(x, ruleRow));
    QCOMPARE(inkOnRule, ruleEnd - ruleStart);
    QCOMPARE(inkIn(sheet, QRectF(22.0, 264.0, 168.0, 1.5), dpi), 0);
    QCOMPARE(inkIn(sheet, QRectF(20.0, 265.0, 1.5, 2.0), dpi), 0);
    QCOMPARE(inkIn(sheet, QRectF(190.5, 265.0, 1.5, 2.0), dpi), 0);

    // Line21 runs down from y 152 at x 56 of the area.
    const int column = int(pixels(78.0, dpi));
    for (double y = 163.0; y < 173.5; y += 0.5)
        QVERIFY2(isInk(sheet.pixel(column, int(pixels(y, dpi)))), qPrintable(QString::number(y)));
}

void TestPageDrawing::printerOffsetShiftsThePage()
{
    const QImage atOrigin = renderSheet(m_report, 96.0);
    const QImage shifted = renderSheet(m_report, 96.0, QPointF(-7, -11));
    QCOMPARE(shifted.copy(0, 0, 700, 1000), atOrigin.copy(7, 11, 700, 1000));
}

void TestPageDrawing::headingIsWhiteOnBlackTenUnitsIn()
{
    const double dpi = 300.0;
    const QImage sheet = renderSheet(m_report, dpi);
    const QRectF strip = sheetRectMm(*m_report.FindObject(QStringLiteral("Memo4")));
    const QRect stripPixels(QPoint(qCeil(pixels(strip.left(), dpi)), qCeil(pixels(strip.top(), dpi))),
                            QPoint(int(pixels(strip.right(), dpi)) - 1, int(pixels(strip.bottom(), dpi)) - 1));
    const int gapPixels = int(10 * dpi / reportUnitsPerInch);
    int whiteBeforeGap = 0;
    int whiteAfterGap = 0;
    for (int y = stripPixels.top(); y <= stripPixels.bottom(); ++y) {
        for (int x = stripPixels.left(); x <= stripPixels.right(); ++x) {
            const bool white = qGray(sheet.pixel(x, y)) > 128;
            (x < stripPixels.left() + gapPixels - 1 ? whiteBeforeGap : whiteAfterGap) += white;
        }
    }
    QCOMPARE(whiteBeforeGap, 0);
    QVERIFY(whiteAfterGap > 100);
}

void TestPageDrawing::textIsClippedToItsArea_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("alignment");

    const QString words = QStringLiteral("Kommunális beruházás miatt magánszemély által levonható kedvezmény");
    const QString oneWord = QStringLiteral("Adóelőlegre_befizetett_összeg_Adóelőlegre_befizetett_összeg");
    QTest::newRow("words wrapped upwards") << words << int(vaBottom);
    QTest::newRow("words wrapped downwards") << words << int(vaTop);
    QTest::newRow("over-long word broken") << oneWord << int(vaCenter);
}

void TestPageDrawing::textIsClippedToItsArea()
{
    QFETCH(QString, text);
    QFETCH(int, alignment);
    const double dpi = 300.0;
    const TfrxView memo = longTextMemo(text, TfrxVAlign(alignment));
    const QImage sheet = renderObjects({memo}, dpi);

    const QRectF box = sheetRectMm(memo);
    const double gapX = 2 / mmToUnits(1.0);
    const double gapY = 1 / mmToUnits(1.0);
    const QRectF area = box.adjusted(gapX, gapY, -gapX, -gapY);
    const int inkTotal = inkIn(sheet, QRectF(0, 0, 210, 297), dpi);
    QVERIFY(inkTotal > 200);
    QCOMPARE(inkIn(sheet, area.adjusted(-0.1, -0.1, 0.1, 0.1), dpi), inkTotal);
}

void TestPageDrawing::overlongAnswerStaysInItsBox()
{
    TfrxReport report;
    FakeDeclaration declaration = filledDeclaration();
    declaration.texts[QStringLiteral("Edit2")] =
        QStringLiteral("Kerekrévi Építőipari és Kereskedelmi Korlátolt Felelősségű Társaság Végelszámolás Alatt "
                       "Kiegészítő Telephely Nyilvántartási Egység");
    report.OnGetValue = [&](const QString &name, QVariant &value) {
        if (const std::optional<QString> answer = reportVariable(name, declaration, QString(), QDate::currentDate()))
            value = *answer;
    };
    QVERIFY(report.PreparePages(true));
    const double dpi = 300.0;
    const QImage sheet = renderSheet(report, dpi);

    // The name's box (row 3a) is bottom-aligned: the lines that do not fit would rise into the empty strip
    // beside the heading "Adóalany", above the rule at 155 mm.
    const QRectF box = sheetRectMm(*report.FindObject(QStringLiteral("Memo30")));
    QVERIFY(inkIn(sheet, box, dpi) > 100);
    QCOMPARE(inkIn(sheet, QRectF(box.left(), 150.0, box.width(), 4.6), dpi), 0);
}

// Row 2b's label is two lines of Tahoma 11 in a 7 mm box: 26 units of lines in a 24.5-unit text area, in a
// 26.5-unit object. Every stroke of both lines must show, as it does in a box with room to spare.
void TestPageDrawing::twoLineLabelShowsEveryStroke_data()
{
    QTest::addColumn<int>("alignment");
    QTest::newRow("bottom") << int(vaBottom);
    QTest::newRow("middle") << int(vaCenter);
}

void TestPageDrawing::twoLineLabelShowsEveryStroke()
{
    QFETCH(int, alignment);
    const double dpi = 600.0;
    TfrxView crowded = longTextMemo(QStringLiteral("Önkormányzat\r\nstatisztikai"), TfrxVAlign(alignment));
    crowded.font = {QStringLiteral("Tahoma"), 11, false, Qt::black};
    crowded.bounds.setHeight(mmToUnits(7.0));
    TfrxView roomy = crowded;
    roomy.bounds.setHeight(mmToUnits(20.0));
    roomy.vAlign = vaTop;
    roomy.gapY = 0; // lines from the object's top, as the crowded box draws them

    const QImage roomySheet = renderObjects({roomy}, dpi);
    const QRectF roomyBox = sheetRectMm(roomy);
    const int crowdedInk = inkIn(renderObjects({crowded}, dpi), sheetRectMm(crowded), dpi);
    const int roomyInk = inkIn(roomySheet, roomyBox, dpi);
    QVERIFY(roomyInk > 500);
    QCOMPARE(crowdedInk, roomyInk);
    // The dots of the first line's "Ö" lie below the line's top, as under Windows, not cut off by it.
    QCOMPARE(inkIn(roomySheet, QRectF(roomyBox.left(), roomyBox.top(), roomyBox.width(), 0.1), dpi), 0);
}

// Bold values in Wine's Tahoma, which has no bold design: on the screen "Győr" must not turn into "Györ".
void TestPageDrawing::boldDoubleAcuteKeepsBothStrokes_data()
{
    QTest::addColumn<QString>("accented");
    QTest::addColumn<QString>("base");
    QTest::addColumn<double>("dpi");

    for (const double dpi : {96.0, 144.0, 192.0}) {
        const QByteArray zoom = QByteArray::number(qRound(dpi / 96 * 100)) + " %";
        QTest::newRow("ő " + zoom) << QStringLiteral("ő") << QStringLiteral("o") << dpi;
        QTest::newRow("Ű " + zoom) << QStringLiteral("Ű") << QStringLiteral("U") << dpi;
    }
}

void TestPageDrawing::boldDoubleAcuteKeepsBothStrokes()
{
    QFETCH(QString, accented);
    QFETCH(QString, base);
    QFETCH(double, dpi);

    const AccentInk bold = accentInk(renderLetter(accented, true, dpi), renderLetter(base, true, dpi));
    const AccentInk regular = accentInk(renderLetter(accented, false, dpi), renderLetter(base, false, dpi));
    QVERIFY2(bold.darkness >= regular.darkness,
             qPrintable(QStringLiteral("bold accent %1, regular %2").arg(bold.darkness).arg(regular.darkness)));
    QCOMPARE(bold.strokes, 2);
}

void TestPageDrawing::hiddenObjectsLeaveNoInk()
{
    const double dpi = 150.0;
    const QImage sheet = renderSheet(m_report, dpi);
    const QRectF stamp = sheetRectMm(*m_report.FindObject(QStringLiteral("Memo5")));
    QRectF barcode = sheetRectMm(*m_report.FindObject(QStringLiteral("BarCode1")));
    barcode.setBottom(44.6); // below that the full-width rule at 45 mm crosses it
    QCOMPARE(inkIn(sheet, stamp, dpi), 0);
    QCOMPARE(inkIn(sheet, barcode, dpi), 0);

    TfrxReportPage page = m_report.PreparedPages().front();
    page.findObject(QStringLiteral("Memo5"))->visible = true;
    QVERIFY(inkIn(renderObjects(page.objects, dpi), stamp, dpi) > 50);
}

void TestPageDrawing::emblemsAreDrawnIntoTheirRectangles()
{
    const double dpi = 300.0;
    const QImage sheet = renderSheet(m_report, dpi);
    for (const char *name : {"Picture1", "Picture2"}) {
        const TfrxView *picture = m_report.FindObject(QString::fromLatin1(name));
        const QRectF rect = sheetRectMm(*picture);
        const QColor drawn = sheet.pixelColor(int(pixels(rect.center().x(), dpi)), int(pixels(rect.center().y(), dpi)));
        const QColor source = picture->picture.pixelColor(picture->picture.width() / 2, picture->picture.height() / 2);
        QVERIFY2(qAbs(drawn.red() - source.red()) < 40 && qAbs(drawn.green() - source.green()) < 40
                     && qAbs(drawn.blue() - source.blue()) < 40,
                 name);
        QCOMPARE(inkIn(sheet, QRectF(rect.right() + 0.3, rect.top(), 1.0, rect.height()), dpi), 0);
    }
}

void TestPageDrawing::pdfHoldsEveryValueAsSearchableText()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QVERIFY2(!pdftotext.isEmpty(), "pdftotext (poppler-utils) is needed");
    QTemporaryDir folder;
    const QString pdfPath = folder.filePath(QStringLiteral("page.pdf"));
    {
        QPdfWriter writer(pdfPath);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF());
        writer.setResolution(600);
        QPainter painter(&writer);
        m_report.drawPage(0, painter, writer.resolution(), writer.resolution(), QPointF());
    }

    QProcess process;
    process.start(pdftotext, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdfPath, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    const QString text = QString::fromUtf8(process.readAllStandardOutput()).simplified();

    const QStringList expected{
        QStringLiteral("Bevallás"), QStringLiteral("12"), QStringLiteral("14 700 Ft."), QStringLiteral("1 235 Ft."),
        QStringLiteral("13 466 Ft."), QStringLiteral("10 000 Ft."), QStringLiteral("0 Ft."),
        QStringLiteral("-52 500 Ft."), QStringLiteral("Árvíz Bt."), QStringLiteral("Győr"),
        QStringLiteral("1970.03.15."), QStringLiteral("Kiss Ilona"), QStringLiteral("8123456789"),
        QStringLiteral("12345678-2-08"), QStringLiteral("12345678-6810-113-08"),
        QStringLiteral("11773016-12345678-********"),
        QStringLiteral("1234 Minta, Fő utca 12. A ép. 2. lh. 3. em. 4 ajtó"),
        QStringLiteral("9021 Győr, Kossuth tér 5."), QStringLiteral("06-1-234-5678"),
        QStringLiteral("arviz@example.hu"), QStringLiteral("(1983134D5)"), dateText(QDate::currentDate()),
        QStringLiteral("KRV11007"), QStringLiteral("Oldal: 1/1"), QStringLiteral("A bevallás"),
        // Drawn with an "fi" ligature these would be stored with U+FB01, and a search would miss them.
        QStringLiteral("Adófizetési kötelezettség"), QStringLiteral("Adóelőlegre befizetett összeg"),
    };
    for (const QString &value : expected)
        QVERIFY2(text.contains(value), qPrintable(value + QStringLiteral(" missing from: ") + text));
    QVERIFY(!text.contains(u'['));
    QVERIFY(!text.contains(QStringLiteral("illetékbélyeg")));
}

QTEST_MAIN(TestPageDrawing)
#include "tst_pagedrawing.moc"
