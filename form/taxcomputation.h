#pragma once

#include <QString>
#include <cstdint>

// What the recomputation reads and writes: the texts of the numeric fields and the captions of the
// three result labels, by component name.
class TaxSheet
{
public:
    virtual ~TaxSheet() = default;
    virtual QString fieldText(const QString &name) const = 0;
    virtual QString caption(const QString &name) const = 0;
    virtual void setCaption(const QString &name, const QString &caption) = 0;
};

// Tax = headcount in the municipality x rate, liability = tax - allowance, difference = liability -
// advance - top-up, each written before the next is read. A text that does not convert, or a result
// outside the 32-bit range ("Integer overflow"), ends the recomputation; what was written stays.
void recomputeTax(TaxSheet &sheet);
