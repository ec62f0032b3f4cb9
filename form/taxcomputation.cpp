#include "form/taxcomputation.h"

#include "common/exception.h"
#include "common/integertext.h"

#include <limits>

namespace {

std::int32_t checked(std::int64_t value)
{
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        throw Exception(QStringLiteral("Integer overflow"));
    return std::int32_t(value);
}

void writeCaption(TaxSheet &sheet, const QString &name, std::int32_t value)
{
    const QString caption = QString::number(value);
    if (sheet.caption(name) != caption)
        sheet.setCaption(name, caption);
}

} // namespace

void recomputeTax(TaxSheet &sheet)
{
    const auto input = [&sheet](const char *name) {
        return std::int64_t(parseIntegerText(sheet.fieldText(QString::fromLatin1(name))));
    };
    const auto result = [&sheet](const char *name) {
        return std::int64_t(parseIntegerText(sheet.caption(QString::fromLatin1(name))));
    };

    const std::int64_t headcount = input("PBNumEdit2");
    const std::int64_t rate = input("PBNumEdit6");
    writeCaption(sheet, QStringLiteral("Label29"), checked(headcount * rate));

    const std::int64_t tax = result("Label29");
    const std::int64_t allowance = input("PBNumEdit4");
    writeCaption(sheet, QStringLiteral("Label9"), checked(tax - allowance));

    const std::int64_t liability = result("Label9");
    const std::int64_t advance = input("PBNumEdit1");
    const std::int64_t topUp = input("PBNumEdit7");
    writeCaption(sheet, QStringLiteral("Label23"), checked(checked(liability - advance) - topUp));
}
