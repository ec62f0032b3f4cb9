#include "print/pagetemplate.h"

#include <QImageReader>

namespace {

struct FontRow
{
    const char *family;
    int height; // report units
    bool bold;
};

constexpr FontRow tahoma8{"Tahoma", 8, false};
constexpr FontRow tahoma11{"Tahoma", 11, false};
constexpr FontRow tahoma11Bold{"Tahoma", 11, true};
constexpr FontRow tahoma13{"Tahoma", 13, false};
constexpr FontRow tahoma13Bold{"Tahoma", 13, true};
constexpr FontRow tahoma15Bold{"Tahoma", 15, true};
constexpr FontRow franklin12Bold{"Franklin Gothic Medium", 12, true};
constexpr FontRow franklin19Bold{"Franklin Gothic Medium", 19, true};

enum class RowStyle { Plain, Heading, Hidden };

// One object as the form's drawing gives it: millimetres, alignment as two letters (L/C/R, T/M/B),
// texts in UTF-8 with lines separated by "\n", pictures by resource path.
struct TemplateRow
{
    TfrxObjectKind kind;
    const char *name;
    double x, y, w, h;
    FontRow font;
    const char *align;
    const char *text;
    RowStyle style;
};

constexpr TemplateRow memo(const char *name, double x, double y, double w, double h, FontRow font,
                           const char *align, const char *text)
{
    return {TfrxObjectKind::Memo, name, x, y, w, h, font, align, text, RowStyle::Plain};
}

// Section headings: white bold letters on a black strip, set further in from the left.
constexpr TemplateRow heading(const char *name, double x, double y, double w, double h, const char *text)
{
    return {TfrxObjectKind::Memo, name, x, y, w, h, tahoma13Bold, "LT", text, RowStyle::Heading};
}

constexpr TemplateRow horizontalLine(const char *name, double x, double y, double length)
{
    return {TfrxObjectKind::Line, name, x, y, length, 0, {}, "", "", RowStyle::Plain};
}

constexpr TemplateRow verticalLine(const char *name, double x, double y, double length)
{
    return {TfrxObjectKind::Line, name, x, y, 0, length, {}, "", "", RowStyle::Plain};
}

constexpr TemplateRow picture(const char *name, double x, double y, double w, double h, const char *resource)
{
    return {TfrxObjectKind::Picture, name, x, y, w, h, {}, "", resource, RowStyle::Plain};
}

constexpr TemplateRow hidden(TemplateRow row)
{
    row.style = RowStyle::Hidden;
    return row;
}

constexpr TemplateRow barcode(const char *name, double x, double y, double w, double h, const char *text)
{
    return {TfrxObjectKind::BarCode, name, x, y, w, h, {}, "", text, RowStyle::Plain};
}

const TemplateRow page1Rows[] = {
    memo("Memo1", 44.0, 22.0, 80.0, 12.0, tahoma15Bold, "CT", "Bevallás\na vállalkozók kommunális adójáról"),
    memo("Memo2", 128.0, 22.0, 23.0, 5.0, tahoma13Bold, "LT", "Iktatószám:"),
    memo("Memo6", 1.0, 23.0, 39.0, 4.0, tahoma11, "CT", "Nyomtatvány száma:"),
    memo("Memo7", 1.0, 27.0, 39.0, 6.0, franklin19Bold, "CT", "KRV11007"),
    memo("Memo8", 2.0, 36.0, 163.0, 8.0, tahoma11Bold, "CM",
         "Kerekrév Város Önkormányzata - Pénzügyi Osztály Adócsoport nyomtatványa"),
    heading("Memo4", 2.0, 48.0, 50.0, 5.0, "A bevallás"),
    memo("Memo9", 2.0, 54.0, 8.0, 5.0, tahoma11Bold, "LB", "1a."),
    memo("Memo24", 10.0, 54.0, 39.0, 5.0, tahoma11, "LB", "A bevallás benyújtásának oka:"),
    memo("Memo22", 49.0, 54.0, 118.0, 5.0, tahoma11Bold, "LB", "[m1]"),
    memo("Memo25", 2.0, 61.0, 8.0, 5.0, tahoma11Bold, "LB", "1b."),
    memo("Memo63", 10.0, 61.0, 23.0, 5.0, tahoma11, "LB", "Bevallási időszak:"),
    memo("Memo29", 33.0, 61.0, 134.0, 5.0, tahoma11Bold, "LB", "[m2]"),
    heading("Memo37", 2.0, 71.0, 34.0, 5.0, "Az adó"),
    memo("Memo38", 2.0, 77.0, 8.0, 5.0, tahoma11Bold, "LB", "2a."),
    memo("Memo36", 10.0, 77.0, 100.0, 5.0, tahoma11, "LB",
         "Az adózó által foglalkoztatottak korrigált átlagos statisztikai állományi létszáma:"),
    memo("Memo87", 110.0, 77.0, 52.0, 5.0, tahoma11Bold, "RB", "[m3]"),
    memo("Memo66", 162.0, 77.0, 5.0, 5.0, tahoma11, "RB", "fő"),
    memo("Memo41", 2.0, 84.0, 8.0, 5.0, tahoma11Bold, "LB", "2b."),
    memo("Memo39", 10.0, 84.0, 100.0, 7.0, tahoma11, "LB",
         "Önkormányzat illetékességi területén foglalkoztatottak korrigált átlagos statisztikai állományi "
         "létszáma:"),
    memo("Memo88", 110.0, 84.0, 52.0, 5.0, tahoma11Bold, "RB", "[m4]"),
    memo("Memo17", 162.0, 84.0, 5.0, 5.0, tahoma11, "RB", "fő"),
    memo("Memo16", 2.0, 93.0, 8.0, 5.0, tahoma11Bold, "LB", "2c."),
    memo("Memo15", 10.0, 93.0, 100.0, 5.0, tahoma11, "LB", "Adóalapra jutó adó összege:"),
    memo("Memo89", 110.0, 93.0, 57.0, 5.0, tahoma11Bold, "RB", "[m5]"),
    memo("Memo19", 2.0, 100.0, 8.0, 5.0, tahoma11Bold, "LB", "2d."),
    memo("Memo18", 10.0, 100.0, 100.0, 7.0, tahoma11, "LB",
         "Kommunális beruházás miatt magánszemély által levonható kedzvemény összege (1995. évi XCVIII. tv. "
         "10.§. (2) bek. alapján):"),
    memo("Memo90", 110.0, 100.0, 57.0, 5.0, tahoma11Bold, "RB", "[m6]"),
    memo("Memo57", 2.0, 109.0, 8.0, 5.0, tahoma11Bold, "LB", "2e."),
    memo("Memo56", 10.0, 109.0, 33.0, 5.0, tahoma11, "LB", "Adófizetési kötelezettség:"),
    memo("Memo26", 110.0, 109.0, 57.0, 5.0, tahoma11Bold, "RB", "[m7]"),
    memo("Memo23", 2.0, 116.0, 8.0, 5.0, tahoma11Bold, "LB", "2f."),
    memo("Memo21", 10.0, 116.0, 100.0, 5.0, tahoma11, "LB", "Adóelőlegre befizetett összeg:"),
    memo("Memo74", 110.0, 116.0, 57.0, 5.0, tahoma11Bold, "RB", "[m8]"),
    memo("Memo82", 2.0, 123.0, 8.0, 5.0, tahoma11Bold, "LB", "2g."),
    memo("Memo81", 10.0, 123.0, 100.0, 5.0, tahoma11, "LB", "Feltöltési kötelezettség miatt befizetett összeg:"),
    memo("Memo79", 110.0, 123.0, 57.0, 5.0, tahoma11Bold, "RB", "[m9]"),
    memo("Memo86", 2.0, 130.0, 8.0, 5.0, tahoma11Bold, "LB", "2h."),
    memo("Memo85", 10.0, 130.0, 100.0, 5.0, tahoma11, "LB", "Különbözet:"),
    memo("Memo83", 110.0, 130.0, 57.0, 5.0, tahoma11Bold, "RB", "[m10]"),
    heading("Memo28", 2.0, 140.0, 34.0, 5.0, "Adóalany"),
    memo("Memo31", 2.0, 146.0, 8.0, 5.0, tahoma11Bold, "LB", "3a."),
    memo("Memo27", 10.0, 146.0, 34.0, 5.0, tahoma11, "LB", "Adóalany neve (cégneve):"),
    memo("Memo30", 44.0, 146.0, 123.0, 5.0, tahoma13Bold, "LB", "[m11]"),
    memo("Memo43", 2.0, 153.0, 8.0, 5.0, tahoma11Bold, "LB", "3b."),
    memo("Memo35", 10.0, 153.0, 22.0, 5.0, tahoma11, "LB", "Születési helye:"),
    memo("Memo46", 58.0, 153.0, 8.0, 5.0, tahoma11Bold, "LB", "3c."),
    memo("Memo44", 66.0, 153.0, 24.0, 5.0, tahoma11, "LB", "Születési időpont:"),
    memo("Memo49", 114.0, 153.0, 8.0, 5.0, tahoma11Bold, "LB", "3d."),
    memo("Memo47", 122.0, 153.0, 24.0, 5.0, tahoma11, "LB", "Anyja neve:"),
    memo("Memo40", 10.0, 158.0, 45.0, 5.0, tahoma11Bold, "LB", "[m12]"),
    memo("Memo45", 58.0, 158.0, 53.0, 5.0, tahoma11Bold, "LB", "[m13]"),
    memo("Memo48", 114.0, 158.0, 53.0, 5.0, tahoma11Bold, "LB", "[m14]"),
    memo("Memo32", 2.0, 165.0, 8.0, 5.0, tahoma11Bold, "LB", "3e."),
    memo("Memo50", 10.0, 165.0, 26.0, 5.0, tahoma11, "LB", "Adóazonosító szám:"),
    memo("Memo51", 36.0, 165.0, 48.0, 5.0, tahoma11Bold, "LB", "[m15]"),
    memo("Memo33", 86.0, 165.0, 8.0, 5.0, tahoma11Bold, "LB", "3f."),
    memo("Memo34", 94.0, 165.0, 15.0, 5.0, tahoma11, "LB", "Adószáma:"),
    memo("Memo59", 109.0, 165.0, 58.0, 5.0, tahoma11Bold, "LB", "[m16]"),
    memo("Memo64", 2.0, 172.0, 8.0, 5.0, tahoma11Bold, "LB", "3g."),
    memo("Memo65", 10.0, 172.0, 27.0, 5.0, tahoma11, "LB", "Statisztikai számjele:"),
    memo("Memo68", 37.0, 172.0, 130.0, 5.0, tahoma11Bold, "LB", "[m17]"),
    memo("Memo76", 2.0, 179.0, 8.0, 5.0, tahoma11Bold, "LB", "3h."),
    memo("Memo75", 10.0, 179.0, 35.0, 5.0, tahoma11, "LB", "Pénzintézeti számlaszáma:"),
    memo("Memo77", 45.0, 179.0, 122.0, 5.0, tahoma11Bold, "LB", "[m18]"),
    memo("Memo94", 2.0, 186.0, 8.0, 5.0, tahoma11Bold, "LB", "3i."),
    memo("Memo93", 10.0, 186.0, 28.0, 5.0, tahoma11, "LB", "Székhelye, lakóhelye:"),
    memo("Memo95", 38.0, 186.0, 129.0, 5.0, tahoma11Bold, "LB", "[m19]"),
    memo("Memo100", 2.0, 193.0, 8.0, 5.0, tahoma11Bold, "LB", "3j."),
    memo("Memo99", 10.0, 193.0, 22.0, 5.0, tahoma11, "LB", "Levelezési címe:"),
    memo("Memo101", 32.0, 193.0, 135.0, 5.0, tahoma11Bold, "LB", "[m20]"),
    memo("Memo67", 2.0, 201.0, 8.0, 5.0, tahoma11Bold, "LB", "3k."),
    memo("Memo60", 10.0, 201.0, 19.0, 5.0, tahoma11, "LB", "Telefonszáma:"),
    memo("Memo61", 29.0, 201.0, 55.0, 5.0, tahoma11Bold, "LB", "[m21]"),
    memo("Memo69", 86.0, 201.0, 8.0, 5.0, tahoma11Bold, "LB", "3l."),
    memo("Memo62", 94.0, 201.0, 17.0, 5.0, tahoma11, "LB", "E-mail címe:"),
    memo("Memo71", 111.0, 201.0, 56.0, 5.0, tahoma11Bold, "LB", "[m22]"),
    memo("Memo52", 2.0, 214.0, 122.0, 5.0, tahoma11, "LB",
         "Felelősségem tudatában kijelentem, hogy a bevallásban közölt adatok a valóságnak megfelelnek."),
    memo("Memo53", 19.0, 224.0, 21.0, 5.0, tahoma11, "LB", "Kerekrév"),
    memo("Memo54", 53.0, 224.0, 20.0, 5.0, tahoma11Bold, "LB", "[datum]"),
    memo("Memo55", 87.0, 242.0, 72.0, 4.0, tahoma11, "CB", "adózó, vagy képviselője (meghatalmazottja) aláírása"),
    memo("Memo11", 0.0, 257.0, 21.0, 4.0, tahoma8, "LB", "Nyomtatvány száma:"),
    memo("Memo12", 21.0, 257.0, 17.0, 4.0, franklin12Bold, "LM", "KRV11007"),
    memo("Memo14", 38.0, 257.0, 26.0, 4.0, tahoma8, "LB", "([azon])"),
    memo("Memo10", 65.0, 257.0, 25.0, 4.0, tahoma8, "LB", "[datum]"),
    memo("Memo13", 147.0, 257.0, 21.0, 4.0, tahoma8, "LB", "Oldal: 1/1"),

    verticalLine("Line2", 42.0, 20.0, 15.0),
    verticalLine("Line9", 126.0, 20.0, 15.0),
    horizontalLine("Line1", 0.0, 35.0, 168.0),
    horizontalLine("Line3", 0.0, 45.0, 168.0),
    horizontalLine("Line6", 0.0, 53.0, 168.0),
    horizontalLine("Line4", 0.0, 60.0, 168.0),
    horizontalLine("Line10", 0.0, 67.0, 168.0),
    horizontalLine("Line17", 0.0, 76.0, 168.0),
    horizontalLine("Line16", 0.0, 83.0, 168.0),
    horizontalLine("Line7", 0.0, 92.0, 168.0),
    horizontalLine("Line8", 0.0, 99.0, 168.0),
    horizontalLine("Line12", 0.0, 108.0, 168.0),
    horizontalLine("Line26", 0.0, 115.0, 168.0),
    horizontalLine("Line18", 0.0, 122.0, 168.0),
    horizontalLine("Line11", 0.0, 129.0, 168.0),
    horizontalLine("Line27", 0.0, 136.0, 168.0),
    horizontalLine("Line19", 0.0, 145.0, 168.0),
    horizontalLine("Line13", 0.0, 152.0, 168.0),
    verticalLine("Line21", 56.0, 152.0, 12.0),
    verticalLine("Line22", 112.0, 152.0, 12.0),
    horizontalLine("Line20", 0.0, 164.0, 168.0),
    verticalLine("Line15", 85.0, 164.0, 7.0),
    horizontalLine("Line14", 0.0, 171.0, 168.0),
    horizontalLine("Line29", 0.0, 178.0, 168.0),
    horizontalLine("Line35", 0.0, 185.0, 168.0),
    horizontalLine("Line36", 0.0, 192.0, 168.0),
    horizontalLine("Line37", 0.0, 199.0, 168.0),
    verticalLine("Line25", 85.0, 199.0, 8.0),
    horizontalLine("Line24", 0.0, 207.0, 168.0),
    horizontalLine("Line23", 87.0, 242.0, 72.0),
    horizontalLine("Line5", 0.0, 256.0, 168.0),

    picture("Picture1", 0.0, 0.0, 15.9, 16.4, ":/emblems/emblem-crest.jpg"),
    picture("Picture2", 19.0, 0.0, 23.8, 16.4, ":/emblems/emblem-seal.jpg"),

    hidden(memo("Memo5", 134.0, -1.0, 24.0, 19.0, tahoma13, "CM", "illetékbélyeg\nhelye")),
    // Code 39 without human-readable text; the print command puts the print identifier here.
    hidden(barcode("BarCode1", 129.0, 29.0, 33.9, 9.0, "12345678")),
};

TfrxHAlign horizontalAlignment(char letter)
{
    switch (letter) {
    case 'C':
        return haCenter;
    case 'R':
        return haRight;
    default:
        return haLeft;
    }
}

TfrxVAlign verticalAlignment(char letter)
{
    switch (letter) {
    case 'M':
        return vaCenter;
    case 'B':
        return vaBottom;
    default:
        return vaTop;
    }
}

QRectF boundsInUnits(const TemplateRow &row)
{
    return {mmToUnits(row.x), mmToUnits(row.y), mmToUnits(row.w), mmToUnits(row.h)};
}

TfrxView textObject(const TemplateRow &row)
{
    TfrxView view;
    view.name = QString::fromLatin1(row.name);
    view.bounds = boundsInUnits(row);
    view.text = QString::fromUtf8(row.text).replace(u'\n', QStringLiteral("\r\n"));
    view.font = {QString::fromLatin1(row.font.family), double(row.font.height), row.font.bold, Qt::black};
    view.hAlign = horizontalAlignment(row.align[0]);
    view.vAlign = verticalAlignment(row.align[1]);
    if (row.style == RowStyle::Heading) {
        view.fill = QColor(Qt::black);
        view.font.color = Qt::white;
        view.gapX = 10;
    }
    return view;
}

TfrxView lineObject(const TemplateRow &row)
{
    TfrxView view;
    view.kind = TfrxObjectKind::Line;
    view.name = QString::fromLatin1(row.name);
    view.bounds = boundsInUnits(row);
    view.frame = row.w == 0 ? ftLeft : ftTop;
    return view;
}

// Pictures size themselves to their image, one image pixel per report unit.
TfrxView pictureObject(const TemplateRow &row)
{
    TfrxView view;
    view.kind = TfrxObjectKind::Picture;
    view.name = QString::fromLatin1(row.name);
    view.picture = QImageReader(QString::fromLatin1(row.text)).read();
    view.bounds = QRectF(QPointF(mmToUnits(row.x), mmToUnits(row.y)),
                         view.picture.isNull() ? boundsInUnits(row).size() : QSizeF(view.picture.size()));
    return view;
}

TfrxView barcodeObject(const TemplateRow &row)
{
    TfrxView view;
    view.kind = TfrxObjectKind::BarCode;
    view.name = QString::fromLatin1(row.name);
    view.bounds = boundsInUnits(row);
    view.text = QString::fromLatin1(row.text);
    return view;
}

TfrxView viewFromRow(const TemplateRow &row)
{
    TfrxView view;
    switch (row.kind) {
    case TfrxObjectKind::Memo:
        view = textObject(row);
        break;
    case TfrxObjectKind::Line:
        view = lineObject(row);
        break;
    case TfrxObjectKind::Picture:
        view = pictureObject(row);
        break;
    case TfrxObjectKind::BarCode:
        view = barcodeObject(row);
        break;
    }
    view.visible = row.style != RowStyle::Hidden;
    return view;
}

} // namespace

TfrxView *TfrxReportPage::findObject(const QString &objectName)
{
    for (TfrxView &view : objects) {
        if (view.name == objectName)
            return &view;
    }
    return nullptr;
}

const TfrxView *TfrxReportPage::findObject(const QString &objectName) const
{
    return const_cast<TfrxReportPage *>(this)->findObject(objectName);
}

TfrxReportPage Page1()
{
    TfrxReportPage page;
    page.name = QStringLiteral("Page1");
    page.paperMm = QSizeF(210.0, 297.0);
    page.paperSize = 9;
    page.portrait = true;
    page.leftMarginMm = 22.0;
    page.rightMarginMm = 20.0;
    page.topMarginMm = 10.0;
    page.bottomMarginMm = 25.0;
    for (const TemplateRow &row : page1Rows)
        page.objects.push_back(viewFromRow(row));
    return page;
}
