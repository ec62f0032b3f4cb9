#include "common/fonts.h"
#include "form/catalogue.h"
#include "form/contentbuilder.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHash>
#include <QLabel>
#include <QSet>
#include <QTest>

class TestCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void holdsEveryComponentOnceInComponentOrder();
    void fieldsFollowTheComponentOrder();
    void containersComeBeforeTheirContents();
    void labelsAndUnitsStandBesideWhatTheyName();
    void geometryScalesWithTheWindowFont_data();
    void geometryScalesWithTheWindowFont();
    void titleShrinksToTheLargestSizeThatFits_data();
    void titleShrinksToTheLargestSizeThatFits();
    void componentsKeepTheirCatalogueBoxesAndFonts();
    void fontsNameTheFamilyThatDrawsThem();
    void applicationFontsAreLeftAsTheyWere();
};

void TestCatalogue::holdsEveryComponentOnceInComponentOrder()
{
    QSet<QString> names;
    int number = 0;
    for (const CatalogueRow &row : catalogue()) {
        QCOMPARE(row.number, ++number);
        const QString name = QString::fromLatin1(row.name).toLower();
        QVERIFY2(!names.contains(name), row.name);
        names.insert(name);
    }
    QCOMPARE(number, 110);
}

void TestCatalogue::fieldsFollowTheComponentOrder()
{
    const QSet<ComponentKind> fieldKinds{ComponentKind::TEdit, ComponentKind::TPBNumEdit, ComponentKind::TLMDMaskEdit,
                                         ComponentKind::TDateTimePicker, ComponentKind::TLMDRadioGroup,
                                         ComponentKind::TCheckBox};
    QStringList fields;
    for (const CatalogueRow &row : catalogue()) {
        if (fieldKinds.contains(row.kind))
            fields << QString::fromLatin1(row.name);
    }
    QStringList expected{"PBNumEdit2", "PBNumEdit4", "PBNumEdit6", "PBNumEdit5", "PBNumEdit1", "PBNumEdit7",
                         "LMDRadioGroup7", "Edit9", "DateTimePicker3", "DateTimePicker4", "Edit3", "Edit2",
                         "DateTimePicker6", "Edit7", "LMDMaskEdit3", "LMDMaskEdit2", "LMDMaskEdit1", "LMDMaskEdit31",
                         "LMDMaskEdit32"};
    for (int edit = 75; edit <= 82; ++edit)
        expected << QStringLiteral("Edit%1").arg(edit);
    expected << "LMDMaskEdit33";
    for (int edit = 83; edit <= 90; ++edit)
        expected << QStringLiteral("Edit%1").arg(edit);
    expected << "Edit91" << "Edit92" << "CheckBox1";
    QCOMPARE(fields, expected);
    QCOMPARE(fields.size(), 39);
}

void TestCatalogue::containersComeBeforeTheirContents()
{
    QSet<QString> seen;
    for (const CatalogueRow &row : catalogue()) {
        if (row.container)
            QVERIFY2(seen.contains(QString::fromLatin1(row.container)), row.name);
        seen.insert(QString::fromLatin1(row.name));
    }
}

void TestCatalogue::labelsAndUnitsStandBesideWhatTheyName()
{
    QHash<QString, const CatalogueRow *> rows;
    for (const CatalogueRow &row : catalogue())
        rows.insert(QString::fromLatin1(row.name), &row);
    const auto isTextLabel = [](const CatalogueRow *row) {
        return row->kind == ComponentKind::TLabel || row->kind == ComponentKind::TLMDLabel;
    };
    int named = 0;
    for (const CatalogueRow &row : catalogue()) {
        for (const char *link : {row.label, row.unit}) {
            if (!link)
                continue;
            const CatalogueRow *label = rows.value(QString::fromLatin1(link));
            QVERIFY2(label && isTextLabel(label), row.name);
            QVERIFY2(qstrcmp(label->container, row.container) == 0, row.name);
        }
        const bool namedByOwnCaption = row.kind == ComponentKind::TCheckBox || row.kind == ComponentKind::TLMDRadioGroup;
        if (row.label)
            ++named;
        QVERIFY2(!row.unit || row.label, row.name);
        QVERIFY2(!(row.label && namedByOwnCaption), row.name);
    }
    // The 37 fields without a caption of their own and the three computed results.
    QCOMPARE(named, 37 + 3);
}

void TestCatalogue::geometryScalesWithTheWindowFont_data()
{
    QTest::addColumn<int>("textHeight");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QRect>("scaled");
    QTest::newRow("design height keeps it") << 13 << QRect(552, 88, 100, 21) << QRect(552, 88, 100, 21);
    QTest::newRow("larger font scales edges")
        << 16 << QRect(552, 88, 100, 21) << QRect(QPoint(679, 108), QPoint(802 - 1, 134 - 1));
}

void TestCatalogue::geometryScalesWithTheWindowFont()
{
    QFETCH(int, textHeight);
    QFETCH(QRect, geometry);
    QFETCH(QRect, scaled);
    QCOMPARE(scaledGeometry(geometry, contentScale(textHeight)), scaled);
}

void TestCatalogue::titleShrinksToTheLargestSizeThatFits_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("expected"); // 0: the largest size that fits, or a pixel less
    QTest::newRow("wide enough keeps the size") << 2000 << 27;
    QTest::newRow("the title's own box") << 537 << 0;
    QTest::newRow("three quarters of it") << 400 << 0;
    QTest::newRow("half of it") << 270 << 0;
    QTest::newRow("never below 8 pixels") << 40 << 8;
}

void TestCatalogue::titleShrinksToTheLargestSizeThatFits()
{
    QFETCH(int, width);
    QFETCH(int, expected);
    fonts::install();
    const QString title = QStringLiteral("BEVALLÁS A VÁLLALKOZÓK KOMMUNÁLIS ADÓJÁRÓL");
    QFont font = catalogueFont(FontRole::FormTitle);
    QCOMPARE(font.pixelSize(), 27);
    const auto advance = [&font, &title](int size) {
        font.setPixelSize(size);
        return QFontMetrics(font).horizontalAdvance(title);
    };

    const int size =
        fittingPixelSize(catalogueFont(FontRole::FormTitle), title, width, catalogueFont(FontRole::LabelBold));
    if (expected != 0) {
        QCOMPARE(size, expected);
        return;
    }
    int largest = 27;
    while (advance(largest) > width)
        --largest;
    QVERIFY2(advance(size) <= width, qPrintable(QString::number(size)));
    QVERIFY2(size == largest || size == largest - 1, qPrintable(QStringLiteral("%1 for %2").arg(size).arg(largest)));
}

// Each component keeps the box and the font of its catalogue row. Labels keep the boxes the window was
// designed with, whatever their face's widths; only the title's box ends under its line, and the title's
// size is fitted to it. A component inherits from its container whatever its own font leaves open: the
// fields stand in panels of the label font, whose narrowed stretch they must not take on.
void TestCatalogue::componentsKeepTheirCatalogueBoxesAndFonts()
{
    fonts::install();
    QWidget clientArea;
    QHash<QString, const CatalogueRow *> rows;
    for (const CatalogueRow &row : catalogue())
        rows.insert(QString::fromLatin1(row.name), &row);
    for (const Component &component : buildContent(&clientArea)) {
        const auto *widget = qobject_cast<const QWidget *>(component.object);
        const CatalogueRow *row = rows.value(component.name);
        const QRect box = row->geometry;
        QFont expected = catalogueFont(row->font);
        if (component.kind == ComponentKind::TRTFLabel) {
            QCOMPARE(widget->pos(), box.topLeft());
            QCOMPARE(widget->width(), box.width());
            QVERIFY2(widget->height() < box.height(), qPrintable(QString::number(widget->height())));
            expected.setPixelSize(widget->font().pixelSize());
        } else {
            QCOMPARE(widget->geometry(), box);
        }
        QVERIFY2(widget->font() == expected,
                 qPrintable(component.name + u' ' + widget->font().toString() + QStringLiteral(" for ")
                            + expected.toString()));
    }
}

// A font that names a family the font database does not have is drawn all the same, by fontconfig's
// fallback; but that search runs again for every font engine made, which costs the start-up dearly.
void TestCatalogue::fontsNameTheFamilyThatDrawsThem()
{
    fonts::install();
    for (FontRole role : {FontRole::Window, FontRole::Label, FontRole::LabelBold, FontRole::Caption,
                          FontRole::FormTitle, FontRole::FormNumber}) {
        const QFont font = catalogueFont(role);
        QCOMPARE(QFontInfo(font).family(), font.family());
    }
}

// The build lends the window's font to the application for a while. Afterwards the application's font,
// and the fonts a desktop theme gives widget classes, are as they were, so the stock dialogs keep the
// desktop's fonts.
void TestCatalogue::applicationFontsAreLeftAsTheyWere()
{
    fonts::install();
    const QFont themeMessageFont(QStringLiteral("DejaVu Serif"), 17);
    QApplication::setFont(themeMessageFont, "QMessageBox");
    const QFont applicationFont = QGuiApplication::font();
    QWidget clientArea;
    buildContent(&clientArea);
    QCOMPARE(QGuiApplication::font(), applicationFont);
    QCOMPARE(QApplication::font("QMessageBox"), themeMessageFont);
}

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
