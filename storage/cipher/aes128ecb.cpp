#include "storage/cipher/aes128ecb.h"

#include "common/exception.h"

#include <dlfcn.h>
#include <openssl/evp.h>
#include <openssl/opensslv.h>

#include <algorithm>
#include <memory>

#define KRV_STRINGIFY(x) #x
#define KRV_SONAME(version) "libcrypto.so." KRV_STRINGIFY(version)

namespace {

// The part of libcrypto the cipher uses. The library is loaded on the first use, not with the program:
// only saving and loading need it, and mapping and relocating it would otherwise slow every start.
struct Libcrypto
{
    decltype(&::EVP_CIPHER_CTX_new) EVP_CIPHER_CTX_new;
    decltype(&::EVP_CIPHER_CTX_free) EVP_CIPHER_CTX_free;
    decltype(&::EVP_aes_128_ecb) EVP_aes_128_ecb;
    decltype(&::EVP_CipherInit_ex) EVP_CipherInit_ex;
    decltype(&::EVP_CIPHER_CTX_set_padding) EVP_CIPHER_CTX_set_padding;
    decltype(&::EVP_CipherUpdate) EVP_CipherUpdate;
    decltype(&::EVP_CipherFinal_ex) EVP_CipherFinal_ex;
};

[[noreturn]] void failToLoad()
{
    throw Exception(QStringLiteral("A mentéshez és a betöltéshez szükséges titkosító könyvtár nem tölthető be (%1)")
                        .arg(QString::fromLocal8Bit(dlerror())));
}

template<typename Function>
void resolve(void *library, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (!function)
        failToLoad();
}

Libcrypto load()
{
    // Kept loaded for the rest of the program, like a linked library.
    void *library = dlopen(aes128ecb::LibcryptoFileName, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        failToLoad();
    Libcrypto functions{};
    resolve(library, "EVP_CIPHER_CTX_new", functions.EVP_CIPHER_CTX_new);
    resolve(library, "EVP_CIPHER_CTX_free", functions.EVP_CIPHER_CTX_free);
    resolve(library, "EVP_aes_128_ecb", functions.EVP_aes_128_ecb);
    resolve(library, "EVP_CipherInit_ex", functions.EVP_CipherInit_ex);
    resolve(library, "EVP_CIPHER_CTX_set_padding", functions.EVP_CIPHER_CTX_set_padding);
    resolve(library, "EVP_CipherUpdate", functions.EVP_CipherUpdate);
    resolve(library, "EVP_CipherFinal_ex", functions.EVP_CipherFinal_ex);
    return functions;
}

// A failed load is tried again on the next use.
const Libcrypto &libcrypto()
{
    static const Libcrypto loaded = load();
    return loaded;
}

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

    const Libcrypto &crypto = libcrypto();
    const std::unique_ptr<EVP_CIPHER_CTX, decltype(&::EVP_CIPHER_CTX_free)> context(crypto.EVP_CIPHER_CTX_new(),
                                                                                    crypto.EVP_CIPHER_CTX_free);
    if (!context
        || crypto.EVP_CipherInit_ex(context.get(), crypto.EVP_aes_128_ecb(), nullptr, key.data(), nullptr,
                                    static_cast<int>(direction)) != 1
        || crypto.EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1)
        fail();

    QByteArray output(wholeBlocks.size(), Qt::Uninitialized);
    auto *out = reinterpret_cast<unsigned char *>(output.data());
    const auto *in = reinterpret_cast<const unsigned char *>(wholeBlocks.data());
    qsizetype written = 0;
    for (qsizetype offset = 0; offset < wholeBlocks.size(); offset += ChunkBytes) {
        const int chunk = static_cast<int>(std::min(ChunkBytes, wholeBlocks.size() - offset));
        int chunkWritten = 0;
        if (crypto.EVP_CipherUpdate(context.get(), out + written, &chunkWritten, in + offset, chunk) != 1)
            fail();
        written += chunkWritten;
    }
    int finalWritten = 0;
    if (crypto.EVP_CipherFinal_ex(context.get(), out + written, &finalWritten) != 1
        || written + finalWritten != output.size())
        fail();
    return output;
}

} // namespace

namespace aes128ecb {

// The libcrypto whose headers the program was built against.
const char *const LibcryptoFileName = KRV_SONAME(OPENSSL_SHLIB_VERSION);

QByteArray encrypt(const Aes128Key &key, QByteArrayView wholeBlocks)
{
    return run(key, wholeBlocks, Direction::Encrypt);
}

QByteArray decrypt(const Aes128Key &key, QByteArrayView wholeBlocks)
{
    return run(key, wholeBlocks, Direction::Decrypt);
}

} // namespace aes128ecb
