#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

// The block framing of enciphered texts: the text's whole 16-byte blocks, then always one final
// block holding the remaining 0 to 15 bytes, zeros, and their count in its last byte.
namespace countframing {

constexpr qsizetype BlockSize = 16;

// The plain blocks to encipher: 16 * (n / 16 + 1) bytes for n text bytes.
QByteArray frame(QByteArrayView text);

// The whole blocks of decoded bytes; bytes after the last whole block are ignored.
// Throws ECipherException("Invalid file format") when there is no whole block.
QByteArrayView wholeBlocks(QByteArrayView decoded);

// The text of deciphered blocks: all but the last block whole, then as many bytes of the last
// block as its count byte says, the whole block for a count of 16 or more (a wrong key gives any
// count). Throws ECipherException("Invalid file format") when there is no whole block.
QByteArray unframe(QByteArrayView deciphered);

} // namespace countframing
