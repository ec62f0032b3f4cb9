#include "common/windows1250.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr const char *codecName = "windows-1250";
}

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

bool canEncode(const QString &text)
{
    // The encoder substitutes what it cannot hold, so a round trip tells.
    return decode(encode(text)) == text;
}

bool canEncode(QChar character)
{
    return canEncode(QString(character));
}

} // namespace windows1250
