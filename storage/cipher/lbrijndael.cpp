#include "storage/cipher/lbrijndael.h"

#include "common/windows1250.h"
#include "storage/cipher/cipherbase64.h"
#include "storage/cipher/countframing.h"
#include "storage/cipher/passphrasedigest.h"

#include <algorithm>

void TLbRijndael::DeriveKey(const QString &passphrase)
{
    PassphraseDigest digest;
    digest.absorb(windows1250::encode(passphrase));
    const QByteArray key = digest.finished(static_cast<qsizetype>(m_key.size()));
    std::copy(key.cbegin(), key.cend(), m_key.begin());
}

QString TLbRijndael::EncryptText(const QString &plainText) const
{
    const QByteArray framed = countframing::frame(windows1250::encode(plainText));
    return base64::encode(aes128ecb::encrypt(m_key, framed));
}

QString TLbRijndael::DecryptText(const QString &cipherText) const
{
    const QByteArray decoded = base64::decode(cipherText);
    const QByteArray deciphered = aes128ecb::decrypt(m_key, countframing::wholeBlocks(decoded));
    return windows1250::decode(countframing::unframe(deciphered));
}
