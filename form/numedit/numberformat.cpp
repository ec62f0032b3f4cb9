#include "form/numedit/numberformat.h"

#include "common/exception.h"
#include "common/messagevalue.h"

#include <cmath>
#include <optional>
#include <string>

namespace {

constexpr int freeFractionDigits = 14;
constexpr int extendedSignificantDigits = 18;
constexpr int generalSignificantDigits = 15;
constexpr int largestFixedExponent = 18;

QString signOf(const DecimalNumber &number)
{
    return number.isNegative() ? QStringLiteral("-") : QString();
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

QString fractionPart(std::string fraction, int mandatoryDigits, QChar decimalSeparator)
{
    if (int(fraction.size()) < mandatoryDigits)
        fraction.resize(std::size_t(mandatoryDigits), '0');
    return fraction.empty() ? QString() : decimalSeparator + QString::fromLatin1(fraction);
}

QString exponentPart(int exponent)
{
    return QStringLiteral("E") + QString::number(exponent);
}

// The first digit, then the others as the fraction and the exponent: 1E20, 1,5E-10.
QString mantissaAndExponent(const DecimalNumber &number, int mandatoryFractionDigits, QChar decimalSeparator)
{
    const std::string &digits = number.digits();
    const QChar first = digits.empty() ? u'0' : QChar::fromLatin1(digits.front());
    const std::string fraction = digits.empty() ? std::string() : digits.substr(1);
    const int exponent = number.isZero() ? 0 : number.exponent() - 1;
    return signOf(number) + first + fractionPart(fraction, mandatoryFractionDigits, decimalSeparator)
        + exponentPart(exponent);
}

QString fixedForm(const DecimalNumber &number, const NumberPattern &pattern, const RegionalSettings &regional)
{
    QString integer = QString::fromLatin1(number.integerDigits());
    if (pattern.grouping)
        integer = grouped(integer, regional.thousandSeparator);
    return signOf(number) + integer
        + fractionPart(number.fractionDigits(), pattern.mandatoryFractionDigits, regional.decimalSeparator);
}

QString scientificForm(const DecimalNumber &number, const NumberPattern &pattern, QChar decimalSeparator)
{
    const int mantissaDigits = 1 + pattern.mandatoryFractionDigits + pattern.optionalFractionDigits;
    return mantissaAndExponent(number.roundedToSignificantDigits(mantissaDigits), pattern.mandatoryFractionDigits,
                               decimalSeparator);
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

QString formatNumber(const DecimalNumber &value, const NumberPattern &pattern, const RegionalSettings &regional)
{
    const DecimalNumber number = value.roundedToSignificantDigits(extendedSignificantDigits);
    if (pattern.scientific)
        return scientificForm(number, pattern, regional.decimalSeparator);
    const DecimalNumber kept =
        number.roundedToFraction(pattern.mandatoryFractionDigits + pattern.optionalFractionDigits);
    if (kept.exponent() > largestFixedExponent)
        return mantissaAndExponent(kept.roundedToSignificantDigits(generalSignificantDigits), 0,
                                   regional.decimalSeparator);
    return fixedForm(kept, pattern, regional);
}

QString formatNumber(long double value, const NumberPattern &pattern, const RegionalSettings &regional)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    return formatNumber(DecimalNumber::fromExtended(value), pattern, regional);
}

DecimalNumber readNumber(const QString &text, const RegionalSettings &regional)
{
    QString converted = text;
    converted.remove(regional.thousandSeparator);
    if (converted.isEmpty())
        converted = QStringLiteral("0");
    else if (converted == u"-")
        converted = QStringLiteral("-0");

    const std::string number = cNumberSyntax(converted, regional.decimalSeparator);
    const std::optional<DecimalNumber> value = number.empty() ? std::nullopt : DecimalNumber::parse(number);
    if (!value)
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(messagevalue::shortened(converted)));
    return *value;
}
