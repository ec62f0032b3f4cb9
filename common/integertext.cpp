#include "common/integertext.h"

#include "common/exception.h"
#include "common/messagevalue.h"

#include <QStringView>
#include <cstdint>
#include <optional>

namespace {

std::optional<int> digitValue(QChar character, int base)
{
    const char16_t c = character.unicode();
    int value = base;
    if (c >= u'0' && c <= u'9')
        value = c - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    if (value >= base)
        return std::nullopt;
    return value;
}

// The length of the hexadecimal mark at the start of the text, 0 when there is none.
qsizetype hexMarkLength(QStringView text)
{
    if (text.startsWith(u"0x") || text.startsWith(u"0X"))
        return 2;
    if (text.startsWith(u'$') || text.startsWith(u'x') || text.startsWith(u'X'))
        return 1;
    return 0;
}

std::optional<std::uint32_t> hexPattern(QStringView digits)
{
    if (digits.isEmpty())
        return std::nullopt;
    std::uint32_t pattern = 0;
    for (QChar character : digits) {
        const std::optional<int> digit = digitValue(character, 16);
        if (!digit || pattern > 0x0FFFFFFFu)
            return std::nullopt;
        pattern = pattern << 4 | std::uint32_t(*digit);
    }
    return pattern;
}

// The magnitude of a decimal number, up to 2^31 (the magnitude of the smallest int).
std::optional<std::uint32_t> decimalMagnitude(QStringView digits)
{
    constexpr std::uint32_t limit = 0x80000000u;
    if (digits.isEmpty())
        return std::nullopt;
    std::uint32_t magnitude = 0;
    for (QChar character : digits) {
        const std::optional<int> digit = digitValue(character, 10);
        if (!digit || magnitude > (limit - std::uint32_t(*digit)) / 10)
            return std::nullopt;
        magnitude = magnitude * 10 + std::uint32_t(*digit);
    }
    return magnitude;
}

std::optional<int> integerOf(QStringView text)
{
    while (text.startsWith(u' '))
        text = text.mid(1);
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.mid(1);

    if (const qsizetype markLength = hexMarkLength(text)) {
        const std::optional<std::uint32_t> pattern = hexPattern(text.mid(markLength));
        if (!pattern)
            return std::nullopt;
        // Unsigned negation wraps like the 32-bit pattern it is.
        return int(negative ? 0u - *pattern : *pattern);
    }

    const std::optional<std::uint32_t> magnitude = decimalMagnitude(text);
    if (!magnitude || (!negative && *magnitude > 0x7FFFFFFFu))
        return std::nullopt;
    return int(negative ? 0u - *magnitude : *magnitude);
}

} // namespace

int parseIntegerText(const QString &text)
{
    const std::optional<int> value = integerOf(text);
    if (!value)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(messagevalue::shortened(text)));
    return *value;
}
