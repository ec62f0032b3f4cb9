#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Every text the program saves, enciphers or prints travels as Windows-1250 bytes.
namespace windows1250 {

QByteArray encode(const QString &text);
QString decode(const QByteArray &bytes);

// Whether the code page holds the character, so that nothing typed turns into "?" later.
bool canEncode(QChar character);
bool canEncode(const QString &text);

// The text spelled in characters the code page holds, where it differs only in spelling: a letter
// followed by a combining accent becomes the accented letter, and a character that is another form of
// plain ones (the ligature "ﬁ", a full-width or styled letter) becomes those. Text pasted from a PDF or
// from files named on a Mac comes spelled so. Empty when something in it has no such spelling.
std::optional<QString> encodableSpelling(const QString &text);

} // namespace windows1250
