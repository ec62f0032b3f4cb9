#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <array>

using Aes128Key = std::array<quint8, 16>;

// AES-128 (FIPS-197) in ECB mode through libcrypto, without padding: each 16-byte block on its own.
// The input must be whole blocks; framing the text into them is the caller's business.
namespace aes128ecb {

constexpr qsizetype BlockSize = 16;

QByteArray encrypt(const Aes128Key &key, QByteArrayView wholeBlocks);
QByteArray decrypt(const Aes128Key &key, QByteArrayView wholeBlocks);

} // namespace aes128ecb
