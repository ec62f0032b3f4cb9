#pragma once

#include <QByteArray>

class QFileDevice;

// Writes every byte, or returns false with the system's reason in the file's errorString(). Open the
// file unbuffered: buffered, a write reports the bytes written before the disk is met at all, and a
// flush that stops part-way gives no reason; unbuffered, a short write is followed by one that fails
// with the reason ("No space left on device", "File too large").
bool writeAll(QFileDevice &file, const QByteArray &content);
