#include "common/exception.h"
#include "form/numedit/numberformat.h"

#include <QTest>

#include <limits>
#include <optional>
#include <string>

Q_DECLARE_METATYPE(NumberFormat)

// Failure output: the number as digits and exponent.
char *toString(const DecimalNumber &number)
{
    const std::string text =
        (number.isNegative() ? "-0." : "0.") + number.digits() + 'e' + std::to_string(number.exponent());
    return qstrdup(text.c_str());
}

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
    void leavingKeepsWhatExtendedPrecisionHolds_data();
    void leavingKeepsWhatExtendedPrecisionHolds();
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
    QCOMPARE(readNumber(QStringLiteral("1,234.5"), english), DecimalNumber::parse("1234.5"));
    // A comma is a thousands separator to English settings.
    QCOMPARE(readNumber(QStringLiteral("12,5"), english), DecimalNumber::parse("125"));
}

void TestNumberFormat::reading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // in C's number syntax

    QTest::newRow("decimal separator") << QStringLiteral("12,5") << "12.5";
    QTest::newRow("thousands separators are dropped") << QStringLiteral("1\u00A0234,5") << "1234.5";
    QTest::newRow("empty reads as zero") << QString() << "0";
    QTest::newRow("lone minus reads as zero") << QStringLiteral("-") << "0";
    QTest::newRow("blanks and sign") << QStringLiteral("  -12  ") << "-12";
    QTest::newRow("plus sign") << QStringLiteral("+7") << "7";
    QTest::newRow("exponent without digits") << QStringLiteral("1E") << "1";
    QTest::newRow("small e") << QStringLiteral("12e3") << "12000";
    QTest::newRow("signed exponent") << QStringLiteral("1E-2") << "0.01";
    QTest::newRow("plus exponent") << QStringLiteral("1E+3") << "1000";
    QTest::newRow("lone separator") << QStringLiteral(",") << "0";
    QTest::newRow("leading separator") << QStringLiteral(",5") << "0.5";
    QTest::newRow("trailing separator") << QStringLiteral("5,") << "5";
    QTest::newRow("leading zeros") << QStringLiteral("0012") << "12";
    QTest::newRow("general form reads back") << QStringLiteral("1,23456789012346E19") << "12345678901234600000";
    QTest::newRow("underflow reads as zero") << QStringLiteral("1E-5000") << "0";

    // Every digit counts, where a double keeps 15 to 17 and extended precision 18 to 19.
    QTest::newRow("seventeen nines") << QStringLiteral("99999999999999999") << "99999999999999999";
    QTest::newRow("2^53 + 1") << QStringLiteral("9007199254740993") << "9007199254740993";
    QTest::newRow("2^63") << QStringLiteral("9223372036854775808") << "9223372036854775808";
    QTest::newRow("-2^63 - 1") << QStringLiteral("-9223372036854775809") << "-9223372036854775809";
    QTest::newRow("2^64 + 1") << QStringLiteral("18446744073709551617") << "18446744073709551617";
    QTest::newRow("fraction beyond eighteen digits") << QStringLiteral("0,1234567890123456789012")
                                                     << "0.1234567890123456789012";
    QTest::newRow("ten to the 28th") << QStringLiteral("1E28") << "1e28";
    QTest::newRow("beyond a double's range") << QStringLiteral("-1E400") << "-1e400";
    QTest::newRow("just below the largest extended number") << QStringLiteral("1,18973149535723176E4932")
                                                           << "1.18973149535723176e4932";
    QTest::newRow("denormal of extended precision") << QStringLiteral("1E-4940") << "1e-4940";
}

void TestNumberFormat::reading()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const std::optional<DecimalNumber> number = DecimalNumber::parse(expected.toStdString());
    QVERIFY(number);
    QCOMPARE(readNumber(text, hungarian()), *number);
}

void TestNumberFormat::leavingKeepsWhatExtendedPrecisionHolds_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("seventeen nines") << "99999999999999999" << "99999999999999999";
    QTest::newRow("2^53 + 1") << "9007199254740993" << "9007199254740993";
    QTest::newRow("eighteen digits with a fraction round to eighteen") << "-123456789012345678,5"
                                                                       << "-123456789012345679";
    QTest::newRow("rounding up to nineteen digits goes general") << "999999999999999999,5" << "1E18";
    QTest::newRow("2^63 goes general") << "9223372036854775808" << "9,22337203685478E18";
    QTest::newRow("largest extended number") << "1,18973149535723176E4932" << "1,18973149535723E4932";
    QTest::newRow("fraction keeps fourteen digits") << "0,1234567890123456789012" << "0,12345678901235";
    QTest::newRow("a denormal shows as zero") << "-1E-4940" << "0";
}

void TestNumberFormat::leavingKeepsWhatExtendedPrecisionHolds()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    const NumberPattern field = NumberPattern::forField(NumberFormat::Standard, -1);
    QCOMPARE(formatNumber(readNumber(typed, hungarian()), field, hungarian()), shown);
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
    QTest::newRow("just beyond the largest extended number")
        << QStringLiteral("1,18973149535723177E4932") << QStringLiteral("1,18973149535723177E4932");
    QTest::newRow("exponent beyond any range") << QStringLiteral("1E99999999999999999999")
                                               << QStringLiteral("1E99999999999999999999");
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
