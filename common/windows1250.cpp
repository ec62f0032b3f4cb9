#include "common/windows1250.h"

#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace {

constexpr const char *codecName = "windows-1250";

// The characters that come back from the code page as they went in, one for each byte it defines. The
// encoder substitutes what it cannot hold, so the round trip tells.
const QSet<char16_t> &heldCharacters()
{
    static const QSet<char16_t> held = [] {
        QSet<char16_t> characters;
        for (int byte = 0; byte < 256; ++byte) {
            const QByteArray bytes(1, char(byte));
            const QString character = windows1250::decode(bytes);
            if (character.size() == 1 && windows1250::encode(character) == bytes)
                characters.insert(character.at(0).unicode());
        }
        return characters;
    }();
    return held;
}

} // namespace

namespace windows1250 {

QByteArray encode(const QString &text)
{
    QStringEncoder encoder(codecName, QStringConverter::Flag::Stateless);
    Q_ASSERT(encoder.isValid());
    return encoder.encode(text);
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder(codecName, QStringConverter::Flag::Stateless);
    Q_ASSERT(decoder.isValid());
    return decoder.decode(bytes);
}

bool canEncode(QChar character)
{
    return heldCharacters().contains(character.unicode());
}

bool canEncode(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar character) { return canEncode(character); });
}

std::optional<QString> encodableSpelling(const QString &text)
{
    if (canEncode(text))
        return text;
    // Composing first keeps an accent on its letter; a compatibility form is taken only for the
    // characters the code page lacks, so that what it holds ("™", "µ") stays as it is.
    const QString composed = text.normalized(QString::NormalizationForm_C);
    QString spelled;
    spelled.reserve(composed.size());
    for (qsizetype at = 0; at < composed.size(); ++at) {
        if (canEncode(composed.at(at))) {
            spelled += composed.at(at);
            continue;
        }
        // A character beyond the first 65,536 comes as two halves, and only whole it has a plain form.
        const qsizetype length = composed.at(at).isHighSurrogate() && at + 1 < composed.size() ? 2 : 1;
        const QString plain = composed.mid(at, length).normalized(QString::NormalizationForm_KC);
        if (!canEncode(plain))
            return std::nullopt;
        spelled += plain;
        at += length - 1;
    }
    return spelled;
}

} // namespace windows1250
