#include "storage/cipher/aes128ecb.h"

#include "common/exception.h"

#include <openssl/evp.h>

#include <algorithm>
#include <memory>

namespace {

enum class Direction { Decrypt = 0, Encrypt = 1 };

// libcrypto counts in int; a chunk bound keeps every call well inside it.
constexpr qsizetype ChunkBytes = qsizetype(1) << 20;

[[noreturn]] void fail()
{
    throw Exception(QStringLiteral("AES-128 cipher failure"));
}

QByteArray run(const Aes128Key &key, QByteArrayView wholeBlocks, Direction direction)
{
    Q_ASSERT(wholeBlocks.size() % aes128ecb::BlockSize == 0);

    const std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(EVP_CIPHER_CTX_new(),
                                                                                  &EVP_CIPHER_CTX_free);
    if (!context
        || EVP_CipherInit_ex(context.get(), EVP_aes_128_ecb(), nullptr, key.data(), nullptr,
                             static_cast<int>(direction)) != 1
        || EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1)
        fail();

    QByteArray output(wholeBlocks.size(), Qt::Uninitialized);
    auto *out = reinterpret_cast<unsigned char *>(output.data());
    const auto *in = reinterpret_cast<const unsigned char *>(wholeBlocks.data());
    qsizetype written = 0;
    for (qsizetype offset = 0; offset < wholeBlocks.size(); offset += ChunkBytes) {
        const int chunk = static_cast<int>(std::min(ChunkBytes, wholeBlocks.size() - offset));
        int chunkWritten = 0;
        if (EVP_CipherUpdate(context.get(), out + written, &chunkWritten, in + offset, chunk) != 1)
            fail();
        written += chunkWritten;
    }
    int finalWritten = 0;
    if (EVP_CipherFinal_ex(context.get(), out + written, &finalWritten) != 1
        || written + finalWritten != output.size())
        fail();
    return output;
}

} // namespace

namespace aes128ecb {

QByteArray encrypt(const Aes128Key &key, QByteArrayView wholeBlocks)
{
    return run(key, wholeBlocks, Direction::Encrypt);
}

QByteArray decrypt(const Aes128Key &key, QByteArrayView wholeBlocks)
{
    return run(key, wholeBlocks, Direction::Decrypt);
}

} // namespace aes128ecb
