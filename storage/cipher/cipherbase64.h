#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Base64 as the stored filling uses it: standard alphabet and "=" padding on one line when writing,
// and a lenient reading that stored files may rely on.
namespace base64 {

// RFC 4648, one line, no line end.
QString encode(const QByteArray &bytes);

// Reads groups of four characters. Any character outside "+" to "z", or a length that is not a
// multiple of four, throws Exception("Invalid Base64 Character"). Other characters in that range
// that are not in the alphabet count as the value 127; "=" in the third or fourth place of a
// group ends that group early, and reading goes on with the next group.
QByteArray decode(QStringView text);

} // namespace base64
