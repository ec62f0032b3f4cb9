#pragma once

#include <optional>
#include <string>
#include <string_view>

// A number kept as its decimal digits, so that an amount travels from a field's text to the printed
// page without the rounding of a binary type: a double keeps only 15 to 17 digits, and even extended
// precision cannot write 10^28 exactly. It holds any number of digits within the range of extended
// precision (about 1.19 × 10^4932), which is the range the numeric fields accept.
class DecimalNumber
{
public:
    // Zero.
    DecimalNumber() = default;

    // Reads C's own number syntax: an optional sign, digits with an optional "." and fraction digits (at
    // least one digit in all), an optional "e" or "E" with an optional sign and at least one digit.
    // Nothing else, no blanks. No result for any other text, nor for a number beyond the range of
    // extended precision; numbers too small for it are kept as they are.
    static std::optional<DecimalNumber> parse(std::string_view text);
    // A finite extended-precision number, to the 18 significant digits that it holds faithfully.
    static DecimalNumber fromExtended(long double value);

    bool isZero() const { return m_digits.empty(); }
    // Never true for zero: a negative zero is zero.
    bool isNegative() const { return m_negative; }
    // The significant digits without leading or trailing zeros ("" for zero); the number is
    // 0.digits × 10^exponent, so 12.5 is "125" with exponent 2.
    const std::string &digits() const { return m_digits; }
    int exponent() const { return m_exponent; }

    // The digits before the decimal point, without sign and leading zeros; "0" when there are none.
    std::string integerDigits() const;
    // The digits after the decimal point, without trailing zeros; "" for a whole number.
    std::string fractionDigits() const;

    // Keeps the first `kept` significant digits (none when kept is 0 or less), rounding half away from
    // zero.
    DecimalNumber roundedToSignificantDigits(int kept) const;
    // Rounds half away from zero to that many digits after the decimal point.
    DecimalNumber roundedToFraction(int fractionDigits) const;

    // The nearest extended-precision number (0 or a denormal for numbers too small for it).
    long double toExtended() const;

    friend bool operator==(const DecimalNumber &, const DecimalNumber &) = default;

private:
    DecimalNumber(bool negative, std::string digits, int exponent);

    bool m_negative = false;
    std::string m_digits;
    int m_exponent = 0;
};
