#include "storage/cipher/cipherbase64.h"

#include "common/exception.h"

#include <array>
#include <string_view>

namespace {

constexpr char16_t LowestAccepted = u'+';
constexpr char16_t HighestAccepted = u'z';
constexpr quint8 OutsideAlphabet = 127;
constexpr qsizetype GroupSize = 4;

constexpr std::array<quint8, HighestAccepted + 1> SextetValues = [] {
    std::array<quint8, HighestAccepted + 1> values{};
    values.fill(OutsideAlphabet);
    constexpr std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (std::size_t index = 0; index < alphabet.size(); ++index)
        values[static_cast<unsigned char>(alphabet[index])] = static_cast<quint8>(index);
    return values;
}();

[[noreturn]] void failOnCharacter()
{
    throw Exception(QStringLiteral("Invalid Base64 Character"));
}

} // namespace

namespace base64 {

QString encode(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toBase64());
}

QByteArray decode(QStringView text)
{
    if (text.size() % GroupSize != 0)
        failOnCharacter();

    QByteArray bytes;
    bytes.reserve(text.size() / GroupSize * 3);
    for (qsizetype start = 0; start < text.size(); start += GroupSize) {
        const QStringView group = text.sliced(start, GroupSize);
        std::array<unsigned, GroupSize> x{};
        for (qsizetype place = 0; place < GroupSize; ++place) {
            const char16_t character = group[place].unicode();
            if (character < LowestAccepted || character > HighestAccepted)
                failOnCharacter();
            x[place] = SextetValues[character];
        }
        bytes.append(static_cast<char>(((x[0] << 2) | (x[1] >> 4)) & 0xFF));
        if (group[2] == u'=')
            continue;
        bytes.append(static_cast<char>(((x[1] << 4) | (x[2] >> 2)) & 0xFF));
        if (group[3] == u'=')
            continue;
        bytes.append(static_cast<char>(((x[2] << 6) | x[3]) & 0xFF));
    }
    return bytes;
}

} // namespace base64
