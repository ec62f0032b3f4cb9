#include "common/exception.h"
#include "form/numedit/numberformat.h"

#include <QTest>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(NumberFormat)

namespace {

RegionalSettings hungarian()
{
    RegionalSettings settings;
    settings.decimalSeparator = u',';
    settings.thousandSeparator = QChar(0x00A0);
    return settings;
}

} // namespace

class TestNumberFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatting_data();
    void formatting();
    void separatorsComeFromTheRegionalSettings();
    void reading_data();
    void reading();
    void unreadableTextsFailWithTheConversionMessage_data();
    void unreadableTextsFailWithTheConversionMessage();
};

void TestNumberFormat::formatting_data()
{
    QTest::addColumn<long double>("value");
    QTest::addColumn<NumberFormat>("format");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");

    const auto standard = [](const char *name, long double value, const char *expected) {
        QTest::newRow(name) << value << NumberFormat::Standard << -1 << QString::fromUtf8(expected);
    };
    standard("integer", 705, "705");
    standard("negative", -5, "-5");
    standard("half", 12.5L, "12,5");
    standard("one third keeps fourteen digits", 1.0L / 3, "0,33333333333333");
    standard("two thirds round up", 2.0L / 3, "0,66666666666667");
    standard("one tenth", 0.1L, "0,1");
    standard("zero", 0, "0");
    standard("negative zero has no sign", -0.0L, "0");
    standard("rounds to zero without a sign", -1e-20L, "0");
    standard("fraction rounding carries into the integer", 0.999999999999999L, "1");
    standard("no more digits than extended precision holds", 123456789012.3L, "123456789012,3");
    standard("eighteen integer digits stay fixed", 999999999999999999.0L, "999999999999999999");
    standard("nineteen integer digits go general", 1e18L, "1E18");
    standard("ten to the twentieth", 1e20L, "1E20");
    standard("twenty digits keep fifteen significant", 12345678901234567890.0L, "1,23456789012346E19");
    standard("negative general form", -2.5e30L, "-2,5E30");
    standard("infinity", std::numeric_limits<long double>::infinity(), "INF");
    standard("not a number", std::numeric_limits<long double>::quiet_NaN(), "NAN");

    QTest::newRow("fixed decimals pad") << 12.5L << NumberFormat::Standard << 3 << QStringLiteral("12,500");
    QTest::newRow("integers round half away from zero") << 2.5L << NumberFormat::Standard << 0 << QStringLiteral("3");
    QTest::newRow("negative half rounds away too") << -2.5L << NumberFormat::Standard << 0 << QStringLiteral("-3");
    QTest::newRow("thousands grouping") << 1234567.891L << NumberFormat::Thousands << 2
                                        << QStringLiteral("1\u00A0234\u00A0567,89");
    QTest::newRow("grouping leaves short numbers alone") << 999.0L << NumberFormat::Thousands << -1 << QStringLiteral("999");
    QTest::newRow("scientific") << 12345.0L << NumberFormat::Scientific << -1 << QStringLiteral("1,2345E4");
    QTest::newRow("scientific small") << 0.00012L << NumberFormat::Engineering << -1 << QStringLiteral("1,2E-4");
    QTest::newRow("scientific fixed decimals") << 1.0L << NumberFormat::Scientific << 2 << QStringLiteral("1,00E0");
}

void TestNumberFormat::formatting()
{
    QFETCH(long double, value);
    QFETCH(NumberFormat, format);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(formatNumber(value, NumberPattern::forField(format, decimals), hungarian()), expected);
}

void TestNumberFormat::separatorsComeFromTheRegionalSettings()
{
    RegionalSettings english;
    english.decimalSeparator = u'.';
    english.thousandSeparator = u',';
    QCOMPARE(formatNumber(1234.5L, NumberPattern::forField(NumberFormat::Thousands, -1), english),
             QStringLiteral("1,234.5"));
    QVERIFY(readNumber(QStringLiteral("1,234.5"), english) == 1234.5L);
    // A comma is a thousands separator to English settings.
    QVERIFY(readNumber(QStringLiteral("12,5"), english) == 125.0L);
}

void TestNumberFormat::reading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<long double>("expected");

    QTest::newRow("decimal separator") << QStringLiteral("12,5") << 12.5L;
    QTest::newRow("thousands separators are dropped") << QStringLiteral("1\u00A0234,5") << 1234.5L;
    QTest::newRow("empty reads as zero") << QString() << 0.0L;
    QTest::newRow("blanks and sign") << QStringLiteral("  -12  ") << -12.0L;
    QTest::newRow("plus sign") << QStringLiteral("+7") << 7.0L;
    QTest::newRow("exponent without digits") << QStringLiteral("1E") << 1.0L;
    QTest::newRow("small e") << QStringLiteral("12e3") << 12000.0L;
    QTest::newRow("signed exponent") << QStringLiteral("1E-2") << 1e-2L;
    QTest::newRow("plus exponent") << QStringLiteral("1E+3") << 1000.0L;
    QTest::newRow("lone separator") << QStringLiteral(",") << 0.0L;
    QTest::newRow("leading separator") << QStringLiteral(",5") << 0.5L;
    QTest::newRow("trailing separator") << QStringLiteral("5,") << 5.0L;
    QTest::newRow("leading zeros") << QStringLiteral("0012") << 12.0L;
    QTest::newRow("general form reads back") << QStringLiteral("1,23456789012346E19") << 1.23456789012346e19L;
    QTest::newRow("underflow reads as zero") << QStringLiteral("1E-5000") << 0.0L;
}

void TestNumberFormat::reading()
{
    QFETCH(QString, text);
    QFETCH(long double, expected);
    const long double value = readNumber(text, hungarian());
    QVERIFY2(value == expected, qPrintable(QString::number(double(value), 'g', 20)));
}

void TestNumberFormat::unreadableTextsFailWithTheConversionMessage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("quoted");

    QTest::newRow("letters") << QStringLiteral("abc") << QStringLiteral("abc");
    QTest::newRow("exponent alone") << QStringLiteral("E5") << QStringLiteral("E5");
    QTest::newRow("sign and exponent") << QStringLiteral("-E") << QStringLiteral("-E");
    QTest::newRow("two separators") << QStringLiteral("1,2,3") << QStringLiteral("1,2,3");
    QTest::newRow("foreign separator") << QStringLiteral("12.5") << QStringLiteral("12.5");
    QTest::newRow("two exponents") << QStringLiteral("1E5E") << QStringLiteral("1E5E");
    QTest::newRow("two signs") << QStringLiteral("--1") << QStringLiteral("--1");
    QTest::newRow("hexadecimal") << QStringLiteral("0x10") << QStringLiteral("0x10");
    QTest::newRow("infinity word") << QStringLiteral("inf") << QStringLiteral("inf");
    QTest::newRow("beyond extended range") << QStringLiteral("2E4932") << QStringLiteral("2E4932");
    QTest::newRow("quoted without thousands separators") << QStringLiteral("1\u00A02x") << QStringLiteral("12x");
    // A loaded number text of any length reaches the recomputation; its message must stay short.
    QTest::newRow("long text quoted short")
        << QString(1000000, u'7') + u'x' << QString(50, u'7') + QStringLiteral("...");
}

void TestNumberFormat::unreadableTextsFailWithTheConversionMessage()
{
    QFETCH(QString, text);
    QFETCH(QString, quoted);
    try {
        readNumber(text, hungarian());
        QFAIL("the text was read as a number");
    } catch (const EConvertError &error) {
        QCOMPARE(error.message(), QStringLiteral("'%1' is not a valid floating point value").arg(quoted));
    }
}

QTEST_APPLESS_MAIN(TestNumberFormat)
#include "tst_numberformat.moc"
