#include "form/numedit/numberformat.h"

#include "common/exception.h"
#include "common/messagevalue.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

constexpr int freeFractionDigits = 14;
constexpr int extendedSignificantDigits = 18;
constexpr int generalSignificantDigits = 15;
constexpr int largestFixedExponent = 18;

// A finite number as 0.digits × 10^exponent; digits has no leading or trailing zeros and is empty
// for zero.
struct DecimalDigits
{
    bool negative = false;
    std::string digits;
    int exponent = 0;

    bool isZero() const { return digits.empty(); }
};

void stripTrailingZeros(DecimalDigits &number)
{
    while (!number.digits.empty() && number.digits.back() == '0')
        number.digits.pop_back();
}

// The digits as the C library writes them, correctly rounded to the given number of significant digits.
DecimalDigits decimalDigits(long double value, int significantDigits)
{
    DecimalDigits number;
    number.negative = std::signbit(value);
    if (value == 0)
        return number;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", significantDigits - 1, std::fabs(value));
    // "d.ddde±x"; the radix character depends on the C locale, so only the digits are taken.
    const char *cursor = buffer;
    for (; *cursor != 'e'; ++cursor) {
        if (*cursor >= '0' && *cursor <= '9')
            number.digits.push_back(*cursor);
    }
    number.exponent = std::atoi(cursor + 1) + 1;
    stripTrailingZeros(number);
    return number;
}

// Keeps the first `kept` digits, rounding half away from zero.
void roundToDigits(DecimalDigits &number, int kept)
{
    if (kept >= int(number.digits.size()))
        return;
    const bool up = kept >= 0 && number.digits[kept] >= '5';
    number.digits.resize(std::max(kept, 0));
    if (up) {
        while (!number.digits.empty() && number.digits.back() == '9')
            number.digits.pop_back();
        if (number.digits.empty()) {
            number.digits.push_back('1');
            ++number.exponent;
        } else {
            ++number.digits.back();
        }
    }
    stripTrailingZeros(number);
    if (number.isZero())
        number.exponent = 0;
}

QChar digitAt(const DecimalDigits &number, int index)
{
    if (index < 0 || index >= int(number.digits.size()))
        return u'0';
    return QChar(number.digits[index]);
}

QString signOf(const DecimalDigits &number)
{
    return number.negative && !number.isZero() ? QStringLiteral("-") : QString();
}

QString grouped(const QString &integerDigits, QChar separator)
{
    QString text;
    for (int i = 0; i < integerDigits.size(); ++i) {
        if (i > 0 && (integerDigits.size() - i) % 3 == 0)
            text += separator;
        text += integerDigits[i];
    }
    return text;
}

QString fractionPart(QString fraction, int mandatoryDigits, QChar decimalSeparator)
{
    while (fraction.size() < mandatoryDigits)
        fraction += u'0';
    return fraction.isEmpty() ? QString() : decimalSeparator + fraction;
}

QString exponentPart(int exponent)
{
    return QStringLiteral("E") + QString::number(exponent);
}

// Up to 15 significant digits, then the exponent: 1E20, 1,5E-10.
QString generalForm(DecimalDigits number, QChar decimalSeparator)
{
    roundToDigits(number, generalSignificantDigits);
    QString fraction;
    for (int i = 1; i < int(number.digits.size()); ++i)
        fraction += digitAt(number, i);
    return signOf(number) + digitAt(number, 0) + fractionPart(fraction, 0, decimalSeparator)
        + exponentPart(number.exponent - 1);
}

QString fixedForm(const DecimalDigits &number, const NumberPattern &pattern, const RegionalSettings &regional)
{
    QString integer;
    for (int i = 0; i < number.exponent; ++i)
        integer += digitAt(number, i);
    if (integer.isEmpty())
        integer = QStringLiteral("0");
    if (pattern.grouping)
        integer = grouped(integer, regional.thousandSeparator);
    QString fraction;
    for (int i = number.exponent; i < int(number.digits.size()); ++i)
        fraction += digitAt(number, i);
    return signOf(number) + integer
        + fractionPart(fraction, pattern.mandatoryFractionDigits, regional.decimalSeparator);
}

QString scientificForm(DecimalDigits number, const NumberPattern &pattern, const RegionalSettings &regional)
{
    const int mantissaDigits = 1 + pattern.mandatoryFractionDigits + pattern.optionalFractionDigits;
    roundToDigits(number, std::min(mantissaDigits, extendedSignificantDigits));
    QString fraction;
    for (int i = 1; i < int(number.digits.size()); ++i)
        fraction += digitAt(number, i);
    const int exponent = number.isZero() ? 0 : number.exponent - 1;
    return signOf(number) + digitAt(number, 0)
        + fractionPart(fraction, pattern.mandatoryFractionDigits, regional.decimalSeparator)
        + exponentPart(exponent);
}

QString nonFiniteText(long double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

bool isAsciiDigit(QChar character)
{
    return character >= u'0' && character <= u'9';
}

// Translates a text of the conversion's grammar into the C library's own number syntax; returns an
// empty string when the text does not follow the grammar.
std::string cNumberSyntax(const QString &text, QChar decimalSeparator)
{
    std::string number;
    int at = 0;
    const int size = int(text.size());
    const auto skipBlanks = [&] {
        while (at < size && text[at] == u' ')
            ++at;
    };
    const auto takeDigits = [&] {
        const int start = at;
        while (at < size && isAsciiDigit(text[at]))
            number.push_back(char(text[at++].unicode()));
        return at - start;
    };
    const auto takeSign = [&] {
        if (at < size && (text[at] == u'+' || text[at] == u'-'))
            number.push_back(char(text[at++].unicode()));
    };

    skipBlanks();
    takeSign();
    const int integerDigits = takeDigits();
    bool separator = false;
    int fractionDigits = 0;
    if (at < size && text[at] == decimalSeparator) {
        separator = true;
        ++at;
        number.push_back('.');
        fractionDigits = takeDigits();
    }
    if (integerDigits == 0 && fractionDigits == 0) {
        if (!separator)
            return {};
        number.push_back('0');
    }
    if (at < size && (text[at] == u'E' || text[at] == u'e')) {
        ++at;
        std::string mantissa = number;
        number.push_back('e');
        takeSign();
        if (takeDigits() == 0)
            number = mantissa;
    }
    skipBlanks();
    return at == size ? number : std::string();
}

locale_t cNumericLocale()
{
    static const locale_t locale = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    return locale;
}

} // namespace

NumberPattern NumberPattern::forField(NumberFormat format, int decimals)
{
    NumberPattern pattern;
    pattern.grouping = format == NumberFormat::Thousands;
    if (decimals > 0)
        pattern.mandatoryFractionDigits = decimals;
    else if (decimals < 0)
        pattern.optionalFractionDigits = freeFractionDigits;
    pattern.scientific = format == NumberFormat::Scientific || format == NumberFormat::Engineering;
    return pattern;
}

QString formatNumber(long double value, const NumberPattern &pattern, const RegionalSettings &regional)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    DecimalDigits number = decimalDigits(value, extendedSignificantDigits);
    if (pattern.scientific)
        return scientificForm(number, pattern, regional);
    roundToDigits(number, number.exponent + pattern.mandatoryFractionDigits + pattern.optionalFractionDigits);
    if (number.exponent > largestFixedExponent)
        return generalForm(number, regional.decimalSeparator);
    return fixedForm(number, pattern, regional);
}

long double readNumber(const QString &text, const RegionalSettings &regional)
{
    QString converted = text;
    converted.remove(regional.thousandSeparator);
    if (converted.isEmpty())
        converted = QStringLiteral("0");
    else if (converted == u"-")
        converted = QStringLiteral("-0");

    const std::string number = cNumberSyntax(converted, regional.decimalSeparator);
    const long double value = number.empty() ? 0 : strtold_l(number.c_str(), nullptr, cNumericLocale());
    if (number.empty() || !std::isfinite(value))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(messagevalue::shortened(converted)));
    return value;
}
