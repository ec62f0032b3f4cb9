#include "common/decimalnumber.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <utility>

namespace {

// 0.d × 10^4933 is the only decade where extended precision ends (at about 1.19 × 10^4932); a number
// 0.d × 10^-4951 or smaller lies below half the smallest denormal, which extended precision reads as 0.
constexpr int largestExponent = 4933;
constexpr int zeroExponent = -4951;
// Written exponents beyond this only decide between "beyond the range" and "zero", so they are capped
// to keep the arithmetic within 64 bits.
constexpr std::int64_t cappedWrittenExponent = 1'000'000'000'000;
constexpr int extendedSignificantDigits = 18;

locale_t cNumericLocale()
{
    static const locale_t locale = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    return locale;
}

long double extendedOf(bool negative, const std::string &digits, int exponent)
{
    const std::string text = (negative ? "-0." : "0.") + digits + 'e' + std::to_string(exponent);
    return strtold_l(text.c_str(), nullptr, cNumericLocale());
}

bool isDigit(std::string_view text, std::size_t at)
{
    return at < text.size() && text[at] >= '0' && text[at] <= '9';
}

} // namespace

DecimalNumber::DecimalNumber(bool negative, std::string digits, int exponent)
    : m_negative(negative), m_digits(std::move(digits)), m_exponent(exponent)
{
    const std::size_t firstSignificant = std::min(m_digits.find_first_not_of('0'), m_digits.size());
    m_digits.erase(0, firstSignificant);
    m_exponent -= int(firstSignificant);
    m_digits.erase(m_digits.find_last_not_of('0') + 1);
    if (m_digits.empty()) {
        m_negative = false;
        m_exponent = 0;
    }
}

std::optional<DecimalNumber> DecimalNumber::parse(std::string_view text)
{
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';

    std::string digits;
    std::int64_t exponent = 0;
    for (; isDigit(text, at); ++at, ++exponent)
        digits.push_back(text[at]);
    if (at < text.size() && text[at] == '.') {
        for (++at; isDigit(text, at); ++at)
            digits.push_back(text[at]);
    }
    if (digits.empty())
        return std::nullopt;

    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        bool negativeExponent = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            negativeExponent = text[at++] == '-';
        if (!isDigit(text, at))
            return std::nullopt;
        std::int64_t written = 0;
        for (; isDigit(text, at); ++at)
            written = std::min(written * 10 + (text[at] - '0'), cappedWrittenExponent);
        exponent += negativeExponent ? -written : written;
    }
    if (at != text.size())
        return std::nullopt;

    const std::size_t leadingZeros = std::min(digits.find_first_not_of('0'), digits.size());
    digits.erase(0, leadingZeros);
    exponent -= std::int64_t(leadingZeros);
    if (digits.empty() || exponent <= zeroExponent)
        return DecimalNumber();
    if (exponent > largestExponent)
        return std::nullopt;
    const DecimalNumber number(negative, std::move(digits), int(exponent));
    if (number.m_exponent == largestExponent && std::isinf(number.toExtended()))
        return std::nullopt;
    return number;
}

DecimalNumber DecimalNumber::fromExtended(long double value)
{
    if (value == 0)
        return DecimalNumber();
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", extendedSignificantDigits - 1, std::fabs(value));
    // "d.ddde±x"; the radix character depends on the C locale, so only the digits are taken.
    std::string digits;
    const char *cursor = buffer;
    for (; *cursor != 'e'; ++cursor) {
        if (*cursor >= '0' && *cursor <= '9')
            digits.push_back(*cursor);
    }
    return DecimalNumber(std::signbit(value), std::move(digits), std::atoi(cursor + 1) + 1);
}

std::string DecimalNumber::integerDigits() const
{
    if (m_exponent <= 0)
        return "0";
    std::string integer = m_digits.substr(0, std::size_t(m_exponent));
    integer.resize(std::size_t(m_exponent), '0');
    return integer;
}

std::string DecimalNumber::fractionDigits() const
{
    if (m_exponent >= int(m_digits.size()))
        return {};
    if (m_exponent >= 0)
        return m_digits.substr(std::size_t(m_exponent));
    return std::string(std::size_t(-m_exponent), '0') + m_digits;
}

DecimalNumber DecimalNumber::roundedToSignificantDigits(int kept) const
{
    if (kept >= int(m_digits.size()))
        return *this;
    if (kept < 0)
        return DecimalNumber();
    std::string digits = m_digits.substr(0, std::size_t(kept));
    int exponent = m_exponent;
    if (m_digits[std::size_t(kept)] >= '5') {
        while (!digits.empty() && digits.back() == '9')
            digits.pop_back();
        if (digits.empty()) {
            digits.push_back('1');
            ++exponent;
        } else {
            ++digits.back();
        }
    }
    return DecimalNumber(m_negative, std::move(digits), exponent);
}

DecimalNumber DecimalNumber::roundedToFraction(int fractionDigits) const
{
    return roundedToSignificantDigits(m_exponent + fractionDigits);
}

long double DecimalNumber::toExtended() const
{
    return isZero() ? 0 : extendedOf(m_negative, m_digits, m_exponent);
}
