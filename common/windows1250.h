#pragma once

#include <QByteArray>
#include <QString>

// Every text the program saves, enciphers or prints travels as Windows-1250 bytes.
namespace windows1250 {

QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);

// Whether the code page holds the character, so that nothing typed turns into "?" later.
bool canEncode(QChar character);
bool canEncode(const QString &text);

} // namespace windows1250
