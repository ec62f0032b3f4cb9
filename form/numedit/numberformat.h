#pragma once

#include "common/decimalnumber.h"
#include "common/regionalsettings.h"

#include <QString>

// The form of the text that a numeric field writes.
enum class NumberFormat { Standard, Thousands, Scientific, Engineering };

// What the number pattern of a field keeps: a mandatory integer digit, optional thousands grouping,
// fraction digits that are always written and fraction digits that are written only when not zero,
// and an exponent written with a sign only when negative.
struct NumberPattern
{
    bool grouping = false;
    int mandatoryFractionDigits = 0;
    int optionalFractionDigits = 0;
    bool scientific = false;

    // Decimals -1 keeps up to fourteen fraction digits, 0 none, and 1 to 14 exactly that many.
    static NumberPattern forField(NumberFormat format, int decimals);
};

// Writes the number by the pattern with the regional separators. The number is rounded half away from
// zero to the kept digits (and never to more than the 18 significant digits that extended precision
// holds); a number with 19 or more integer digits is written in the general form with at most 15
// significant digits instead (1E20); zero and numbers that round to zero carry no sign.
QString formatNumber(const DecimalNumber &value, const NumberPattern &pattern, const RegionalSettings &regional);
// The same for a number set from code; infinities and NaN are written INF, -INF and NAN.
QString formatNumber(long double value, const NumberPattern &pattern, const RegionalSettings &regional);

// Reads a field's text as a number, exactly as it is written: thousands separators are dropped, an
// empty text reads as 0 and a lone "-" as -0; otherwise the text must be blanks, an optional sign,
// digits with an optional decimal separator, an optional exponent and blanks. Throws EConvertError for
// any other text, and for a number beyond the range of extended precision.
DecimalNumber readNumber(const QString &text, const RegionalSettings &regional);
