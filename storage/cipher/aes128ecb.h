#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <array>

using Aes128Key = std::array<quint8, 16>;

// AES-128 (FIPS-197) in ECB mode through libcrypto, without padding: each 16-byte block on its own.
// The input must be whole blocks; framing the text into them is the caller's business.
// libcrypto is opened at the first call; when it cannot be, that call fails with a message naming it.
namespace aes128ecb {

constexpr qsizetype BlockSize = 16;

// The file name under which libcrypto is opened.
extern const char *const LibcryptoFileName;

QByteArray encrypt(const Aes128Key &key, QByteArrayView wholeBlocks);
QByteArray decrypt(const Aes128Key &key, QByteArrayView wholeBlocks);

} // namespace aes128ecb
