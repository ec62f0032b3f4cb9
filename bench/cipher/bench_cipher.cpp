#include "storage/cipher/aes128ecb.h"
#include "storage/cipher/lbrijndael.h"

#include <benchmark/benchmark.h>

#include <openssl/evp.h>

#include <memory>

namespace {

constexpr int TextBytes = 4096;

QString fourKibText()
{
    const QString line = QStringLiteral("Edit2_Árvíztűrő tükörfúrógép Kft. 1234\r\n");
    QString text;
    while (text.size() < TextBytes)
        text += line;
    text.truncate(TextBytes);
    return text;
}

TLbRijndael keyedCipher()
{
    TLbRijndael cipher;
    cipher.DeriveKey(QStringLiteral("jelszó"));
    return cipher;
}

void deriveKey(benchmark::State &state)
{
    const QString password = QStringLiteral("x").repeated(int(state.range(0)));
    TLbRijndael cipher;
    for (auto _ : state)
        cipher.DeriveKey(password);
}
BENCHMARK(deriveKey)->Arg(0)->Arg(8)->Arg(255);

void encryptText(benchmark::State &state)
{
    const TLbRijndael cipher = keyedCipher();
    const QString text = fourKibText();
    for (auto _ : state)
        benchmark::DoNotOptimize(cipher.EncryptText(text));
    state.SetBytesProcessed(state.iterations() * TextBytes);
}
BENCHMARK(encryptText);

void decryptText(benchmark::State &state)
{
    const TLbRijndael cipher = keyedCipher();
    const QString cipherText = cipher.EncryptText(fourKibText());
    for (auto _ : state)
        benchmark::DoNotOptimize(cipher.DecryptText(cipherText));
    state.SetBytesProcessed(state.iterations() * TextBytes);
}
BENCHMARK(decryptText);

// Our AES wrapper alone, to show what framing, Base64 and Windows-1250 add around it.
void aes128EcbWrapper(benchmark::State &state)
{
    const Aes128Key key{};
    const QByteArray blocks(TextBytes, 'x');
    for (auto _ : state)
        benchmark::DoNotOptimize(aes128ecb::encrypt(key, blocks));
    state.SetBytesProcessed(state.iterations() * TextBytes);
}
BENCHMARK(aes128EcbWrapper);

// The floor: libcrypto's AES-128-ECB on the same number of bytes, context set up once.
void openSslRawAes128Ecb(benchmark::State &state)
{
    const unsigned char key[16] = {};
    const QByteArray in(TextBytes, 'x');
    QByteArray out(TextBytes, Qt::Uninitialized);
    const std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> context(EVP_CIPHER_CTX_new(),
                                                                                  &EVP_CIPHER_CTX_free);
    EVP_EncryptInit_ex(context.get(), EVP_aes_128_ecb(), nullptr, key, nullptr);
    EVP_CIPHER_CTX_set_padding(context.get(), 0);
    for (auto _ : state) {
        int written = 0;
        EVP_EncryptUpdate(context.get(), reinterpret_cast<unsigned char *>(out.data()), &written,
                          reinterpret_cast<const unsigned char *>(in.constData()), TextBytes);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * TextBytes);
}
BENCHMARK(openSslRawAes128Ecb);

} // namespace

BENCHMARK_MAIN();
