#pragma once

#include "storage/cipher/aes128ecb.h"
#include "storage/cipher/ecipherexception.h"

#include <QString>

// The passphrase cipher of the saved filling: a key digested from the password, AES-128 in ECB
// mode with a count-carrying final block, and one line of Base64. Texts cross it as Windows-1250
// bytes. The key lives only in this object and is replaced by each DeriveKey.
class TLbRijndael
{
public:
    // The key becomes the first 16 bytes of the passphrase digest of the password's bytes.
    void DeriveKey(const QString &passphrase);

    // One Base64 line of the enciphered text.
    QString EncryptText(const QString &plainText) const;

    // Throws Exception("Invalid Base64 Character") or ECipherException("Invalid file format").
    // A wrong key is not detected: it gives a meaningless text.
    QString DecryptText(const QString &cipherText) const;

private:
    Aes128Key m_key{};
};
