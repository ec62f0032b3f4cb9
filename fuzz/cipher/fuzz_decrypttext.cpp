#include "storage/cipher/lbrijndael.h"

#include <cstddef>
#include <cstdint>

// Hostile stored texts: DecryptText may only return a text or raise one of its two failures.
// Each input byte is one character, so the whole range around the Base64 alphabet is reached;
// inputs from the 0x7F-0xFF half also exercise characters beyond "z".
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const TLbRijndael cipher = [] {
        TLbRijndael keyed;
        keyed.DeriveKey(QStringLiteral("titok"));
        return keyed;
    }();

    const QString cipherText = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const QString text = cipher.DecryptText(cipherText);
        // Every four characters give at most three bytes, and each byte one character.
        if (text.size() > cipherText.size() / 4 * 3)
            __builtin_trap();
    } catch (const Exception &) {
    }
    return 0;
}
