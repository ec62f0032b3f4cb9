#include "storage/cipher/passphrasedigest.h"

#include <QTest>

#include <cmath>

// Known values come from digest_reference.py beside this file (written from the digest's tables,
// separately from this code); Stir4(1, 0, 0, 0) and IsaacMix(1..8) were also worked by hand.

using Words4 = std::array<quint32, 4>;
using Words8 = std::array<quint32, 8>;
Q_DECLARE_METATYPE(Words4)
Q_DECLARE_METATYPE(Words8)

namespace {

// Bailey-Borwein-Plouffe: the hexadecimal digit of pi at `position` after the point (0-based),
// computed on its own without the digits before it.
int piHexDigit(int position)
{
    const auto series = [position](int j) {
        double sum = 0;
        for (int k = 0; k <= position; ++k) {
            const long long modulus = 8LL * k + j;
            long long power = 1;
            long long base = 16 % modulus;
            for (int exponent = position - k; exponent > 0; exponent >>= 1) {
                if (exponent & 1)
                    power = power * base % modulus;
                base = base * base % modulus;
            }
            sum += double(power) / double(modulus);
            sum -= std::floor(sum);
        }
        for (int k = position + 1; k <= position + 20; ++k)
            sum += std::pow(16.0, position - k) / double(8 * k + j);
        return sum - std::floor(sum);
    };
    double fraction = 4 * series(1) - 2 * series(4) - series(5) - series(6);
    fraction -= std::floor(fraction);
    return int(16 * fraction);
}

DigestBlockCipher::Key countingKey()
{
    DigestBlockCipher::Key key;
    for (std::size_t i = 0; i < key.size(); ++i)
        key[i] = quint8(i);
    return key;
}

std::array<quint8, 16> countingBlock()
{
    return countingKey();
}

QByteArray hex(const std::array<quint8, 16> &block)
{
    return QByteArray(reinterpret_cast<const char *>(block.data()), block.size()).toHex().toUpper();
}

} // namespace

class TestPassphraseDigest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startPoolHoldsPisHexadecimalFraction();
    void stir4_data();
    void stir4();
    void isaacMix_data();
    void isaacMix();
    void keyScheduleGivesKnownSubkeys();
    void blockCipher_data();
    void blockCipher();
    void digest_data();
    void digest();
    void fullPoolDigestEnciphersEveryBlock();
    void digestLengthIsClampedToThePool();
    void finishingLeavesTheDigestOpenForMoreInput();
};

void TestPassphraseDigest::startPoolHoldsPisHexadecimalFraction()
{
    const PassphraseDigest::Pool &pool = PassphraseDigest::startPool();
    for (int index = 0; index < PassphraseDigest::PoolSize; ++index) {
        const int expected = piHexDigit(2 * index) << 4 | piHexDigit(2 * index + 1);
        QVERIFY2(pool[index] == expected, qPrintable(QStringLiteral("pool byte %1").arg(index)));
    }
}

void TestPassphraseDigest::stir4_data()
{
    QTest::addColumn<Words4>("input");
    QTest::addColumn<Words4>("output");
    // The step-7 shift of d shows here: shifting c instead changes c and d.
    QTest::newRow("single bit, by hand") << Words4{1, 0, 0, 0}
                                         << Words4{0x0090810A, 0x48F0870F, 0x49710D18, 0xE1ACD28F};
    QTest::newRow("wrapping sums") << Words4{0x01234567, 0x89ABCDEF, 0xDEADBEEF, 0x55555555}
                                   << Words4{0x5892237F, 0x823C2101, 0x408E7445, 0x0D7223FD};
}

void TestPassphraseDigest::stir4()
{
    QFETCH(Words4, input);
    QFETCH(Words4, output);
    auto [a, b, c, d] = input;
    Stir4(a, b, c, d);
    QCOMPARE((Words4{a, b, c, d}), output);
}

void TestPassphraseDigest::isaacMix_data()
{
    QTest::addColumn<Words8>("input");
    QTest::addColumn<Words8>("output");
    QTest::newRow("one to eight, by hand")
        << Words8{1, 2, 3, 4, 5, 6, 7, 8}
        << Words8{0x04795161, 0x04691D3B, 0x40647E64, 0x0000100F, 0x40442D18, 0x00102425, 0x04691D36, 0x4054695C};
    QTest::newRow("high bits leave the word")
        << Words8{0xFFFFFFFF, 0, 0x80000000, 1, 0x55555555, 0xAAAAAAAA, 0x33333333, 0xCCCCCCCC}
        << Words8{0x7A4A2DEB, 0x288E3CFE, 0x53F6C840, 0xF555A000, 0xB55557FF, 0x51BBF0EE, 0x888E3CFE, 0xD3F6C840};
}

void TestPassphraseDigest::isaacMix()
{
    QFETCH(Words8, input);
    QFETCH(Words8, output);
    IsaacMix(input);
    QCOMPARE(input, output);
}

void TestPassphraseDigest::keyScheduleGivesKnownSubkeys()
{
    const DigestBlockCipher::Subkeys expected = {
        0x27646E17, 0xBA3365D3, 0x3829662E, 0xACFF92D2, 0x72E13D15, 0xDE6004AE, 0x9BF34C82, 0x0E1BA53B,
        0x90004DFC, 0x3531F7D3, 0x73456B96, 0x10BC1C29, 0xEBCDC2C0, 0x37F22135, 0xBA62E91B, 0x0713C6DD,
        0x0EA3C05C, 0x96F50A93, 0xD1E5F8F1, 0x425E33B2, 0x32991A7D, 0x9684B91F, 0xB405EC79, 0xAA41A798,
        0x8B09E17F, 0x5CC76842, 0xC8677D3A, 0x8109A746, 0xD0C23F3C, 0xC251F0B7, 0x7CC33EB8, 0x4184A9FB,
    };
    QCOMPARE(DigestBlockCipher(countingKey()).subkeys(), expected);
}

void TestPassphraseDigest::blockCipher_data()
{
    QTest::addColumn<int>("requestedRounds");
    QTest::addColumn<int>("rounds");
    QTest::addColumn<QByteArray>("enciphered");
    const QByteArray eightRounds = "87D5E852CF17CC091E2C3C0517ED6A78";
    const QByteArray fourRounds = "813BECD38DF32E3BC554CC3935C23732";
    const QByteArray sixteenRounds = "23A4F5D95E72C00778B4B87212245EBD";
    QTest::newRow("digest's eight rounds") << 8 << 8 << eightRounds;
    QTest::newRow("sixteen rounds use K16 to K31") << 16 << 16 << sixteenRounds;
    QTest::newRow("too many clamped to sixteen") << 40 << 16 << sixteenRounds;
    QTest::newRow("too few clamped to four") << 1 << 4 << fourRounds;
    QTest::newRow("negative clamped to four") << -3 << 4 << fourRounds;
}

void TestPassphraseDigest::blockCipher()
{
    QFETCH(int, requestedRounds);
    QFETCH(int, rounds);
    QFETCH(QByteArray, enciphered);
    const DigestBlockCipher cipher(countingKey(), requestedRounds);
    QCOMPARE(cipher.rounds(), rounds);

    std::array<quint8, 16> block = countingBlock();
    cipher.encipherBlock(block);
    QCOMPARE(hex(block), enciphered);
}

void TestPassphraseDigest::digest_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("digest");
    QTest::newRow("empty: padding alone") << QByteArray() << QByteArray("0BD132AA831C56AC1F92E61084A342D2");
    QTest::newRow("one byte") << QByteArray("a") << QByteArray("845EB2948758DC943B8A2F887491032E");
    QTest::newRow("7 bytes: single padding byte")
        << QByteArray("jelszo1") << QByteArray("55E4DCBB6937289734E7F257F0A640CF");
    QTest::newRow("8 bytes: stir, then eight padding bytes")
        << QByteArray("jelszo12") << QByteArray("10C0BB23603A1705C7F867CB5F6B371F");
    QTest::newRow("byte E1") << QByteArray("\xE1") << QByteArray("88ED03BE5039260A4CA112518B792AEB");
    QTest::newRow("byte FB") << QByteArray("\xFB") << QByteArray("E4916C0A50F423B3D4009C590CA2E783");
    QTest::newRow("high bytes") << QByteArray("\xE1rv\xEDzt\xFBr\xF5") << QByteArray("73F5F394DDC1B2119A4C443532261887");
    QTest::newRow("300 bytes wrap the pool")
        << QByteArray("0123456789").repeated(30) << QByteArray("4AC0B58C13A556EA0F3ECE69A0C73EFA");
}

void TestPassphraseDigest::digest()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, digest);
    PassphraseDigest passphraseDigest;
    passphraseDigest.absorb(input);
    QCOMPARE(passphraseDigest.finished(16).toHex().toUpper(), digest);
}

void TestPassphraseDigest::fullPoolDigestEnciphersEveryBlock()
{
    PassphraseDigest digest;
    digest.absorb("titok");
    QCOMPARE(digest.finished(256).toHex().toUpper(),
             QByteArray("773B36DDBC78879E4B10E814C3870CC02BDCC5F61BBDBDF1D3175CCE7509751D0F5921619F8870ACAD45574B455685"
                        "515FA65B4DE7028E9AA914DC767B96BD9BEFEFEAF0FE1457DABD0B2E8FE56F43FCA991ADBFB101204C3CEE2B6200"
                        "550204BB9375A06CBA5361E9D929B22AD3B5A489A811C99BC283FE29916D44737178004B1D775A2190843AE3F858"
                        "4657CF3FE6670EB74B1297B83D77B58B836611B972BD95B28683E6300502DA4F89FC81547E303C5B9B166C85F1CB"
                        "ABB73FF2B016DFD68CB905FB072E17E8B7E30EE9BB092FCF137CE917D958BCF6B26B89AEAD5C495ED489C97BBF18"
                        "034AAAC9DE7FD002F977839D01174C36CBF2A46BC8F85A6BAC"));
}

void TestPassphraseDigest::digestLengthIsClampedToThePool()
{
    PassphraseDigest digest;
    digest.absorb("titok");
    QCOMPARE(digest.finished(1000), digest.finished(256));
    QCOMPARE(digest.finished(-1), QByteArray());
    QCOMPARE(digest.finished(17), digest.finished(256).first(17));
}

void TestPassphraseDigest::finishingLeavesTheDigestOpenForMoreInput()
{
    PassphraseDigest inPieces;
    inPieces.absorb("jel");
    QCOMPARE(inPieces.finished(16).size(), 16);
    inPieces.absorb("szo12");
    QCOMPARE(inPieces.finished(16).toHex().toUpper(), QByteArray("10C0BB23603A1705C7F867CB5F6B371F"));
}

QTEST_APPLESS_MAIN(TestPassphraseDigest)
#include "tst_passphrasedigest.moc"
