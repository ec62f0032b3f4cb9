#include "common/exception.h"
#include "storage/cipher/aes128ecb.h"
#include "storage/cipher/countframing.h"
#include "storage/cipher/ecipherexception.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

Aes128Key keyFromHex(const char *hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    Aes128Key key{};
    std::copy(bytes.cbegin(), bytes.cend(), key.begin());
    return key;
}

// Deciphered blocks whose last byte is `count`, filled so that every output byte is traceable.
QByteArray blocksWithCount(int blockCount, int count)
{
    QByteArray blocks;
    for (int index = 0; index < blockCount * countframing::BlockSize; ++index)
        blocks.append(char('a' + index % 26));
    blocks.back() = char(count);
    return blocks;
}

} // namespace

class TestCipherBlocks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aesMatchesOpenSslCommandLine_data();
    void aesMatchesOpenSslCommandLine();
    void frameAlwaysAddsTheCountBlock_data();
    void frameAlwaysAddsTheCountBlock();
    void unframeCutsTheLastBlockByItsCount_data();
    void unframeCutsTheLastBlockByItsCount();
    void lessThanOneBlockIsNoFile_data();
    void lessThanOneBlockIsNoFile();
    void bytesAfterTheLastWholeBlockAreIgnored();
    void unloadableLibcryptoFailsTheFirstUseByName();
};

void TestCipherBlocks::aesMatchesOpenSslCommandLine_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<QByteArray>("enciphered");
    // openssl enc -aes-128-ecb -nopad -K <key>; the first is also FIPS-197 appendix C.1.
    QTest::newRow("FIPS-197 C.1") << QByteArray("000102030405060708090a0b0c0d0e0f")
                                  << QByteArray("00112233445566778899aabbccddeeff")
                                  << QByteArray("69c4e0d86a7b0430d8cdb78070b4c55a");
    QTest::newRow("two blocks, each on its own")
        << QByteArray("773B36DDBC78879E4B10E814C3870CC0")
        << QByteArray("Kerekrev KRV1100").toHex() + QByteArray(32, '0')
        << QByteArray("b21f57720063c1cba1ae761d8b2776ebd6817c507a56dc9a07fd17c1082cf660");
    QTest::newRow("no blocks") << QByteArray("000102030405060708090a0b0c0d0e0f") << QByteArray() << QByteArray();
}

void TestCipherBlocks::aesMatchesOpenSslCommandLine()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, plain);
    QFETCH(QByteArray, enciphered);
    const Aes128Key aesKey = keyFromHex(key.constData());
    QCOMPARE(aes128ecb::encrypt(aesKey, QByteArray::fromHex(plain)).toHex(), enciphered);
    QCOMPARE(aes128ecb::decrypt(aesKey, QByteArray::fromHex(enciphered)).toHex(), plain.toLower());
}

void TestCipherBlocks::frameAlwaysAddsTheCountBlock_data()
{
    QTest::addColumn<int>("length");
    for (const int length : {0, 1, 15, 16, 17, 31, 32, 4101})
        QTest::addRow("%d bytes", length) << length;
}

void TestCipherBlocks::frameAlwaysAddsTheCountBlock()
{
    QFETCH(int, length);
    QByteArray text;
    for (int index = 0; index < length; ++index)
        text.append(char(0x80 | index));

    const QByteArray framed = countframing::frame(text);
    const int tail = length % 16;
    QCOMPARE(framed.size(), 16 * (length / 16 + 1));
    QCOMPARE(framed.first(length), text);
    QCOMPARE(framed.sliced(length, framed.size() - length - 1), QByteArray(15 - tail, '\0'));
    QCOMPARE(int(framed.back()), tail);
    QCOMPARE(countframing::unframe(framed), text);
}

void TestCipherBlocks::unframeCutsTheLastBlockByItsCount_data()
{
    QTest::addColumn<int>("blockCount");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("textLength");
    QTest::newRow("count 0") << 1 << 0 << 0;
    QTest::newRow("count 15") << 1 << 15 << 15;
    QTest::newRow("count 16 keeps the whole block") << 1 << 16 << 16;
    QTest::newRow("count 255 keeps the whole block") << 1 << 255 << 16;
    QTest::newRow("earlier blocks whole, count 5") << 3 << 5 << 37;
    QTest::newRow("earlier blocks whole, count 128") << 3 << 128 << 48;
}

void TestCipherBlocks::unframeCutsTheLastBlockByItsCount()
{
    QFETCH(int, blockCount);
    QFETCH(int, count);
    QFETCH(int, textLength);
    const QByteArray blocks = blocksWithCount(blockCount, count);
    QCOMPARE(countframing::unframe(blocks), blocks.first(textLength));
}

void TestCipherBlocks::lessThanOneBlockIsNoFile_data()
{
    QTest::addColumn<int>("size");
    for (const int size : {0, 1, 15})
        QTest::addRow("%d bytes", size) << size;
}

void TestCipherBlocks::lessThanOneBlockIsNoFile()
{
    QFETCH(int, size);
    const QByteArray decoded(size, '\x10');
    QVERIFY_THROWS_EXCEPTION(ECipherException, countframing::wholeBlocks(decoded));
    try {
        countframing::unframe(decoded);
        QFAIL("unframing did not fail");
    } catch (const ECipherException &failure) {
        QCOMPARE(failure.message(), QStringLiteral("Invalid file format"));
    }
}

void TestCipherBlocks::bytesAfterTheLastWholeBlockAreIgnored()
{
    const QByteArray blocks = blocksWithCount(2, 3);
    const QByteArray withTail = blocks + QByteArray(15, '\x0F');
    QCOMPARE(countframing::wholeBlocks(withTail), QByteArrayView(blocks));
    QCOMPARE(countframing::unframe(withTail), blocks.first(19));
}

// The test runs itself again with a broken libcrypto first in the library path; the child encrypts once
// and prints what it met.
void TestCipherBlocks::unloadableLibcryptoFailsTheFirstUseByName()
{
    if (qEnvironmentVariableIsSet("KRV_ENCRYPT_ONCE")) {
        try {
            aes128ecb::encrypt(Aes128Key{}, QByteArray(16, 'x'));
            std::puts("encrypted");
        } catch (const Exception &failure) {
            std::puts(failure.message().toUtf8().constData());
        }
        return;
    }
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString fake = folder.filePath(QString::fromLatin1(aes128ecb::LibcryptoFileName));
    QFile library(fake);
    QVERIFY(library.open(QIODevice::WriteOnly) && library.write("not a library") > 0);
    library.close();

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_LIBRARY_PATH"), folder.path());
    environment.insert(QStringLiteral("KRV_ENCRYPT_ONCE"), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.start(QFile::symLinkTarget(QStringLiteral("/proc/self/exe")),
                {QStringLiteral("unloadableLibcryptoFailsTheFirstUseByName")});
    QVERIFY(child.waitForFinished());
    const QString output = QString::fromUtf8(child.readAllStandardOutput());
    QVERIFY2(output.contains(QStringLiteral("A mentéshez és a betöltéshez szükséges titkosító könyvtár nem tölthető be (")
                             + fake),
             qPrintable(output));
    QVERIFY(!output.contains(QStringLiteral("encrypted")));
}

QTEST_APPLESS_MAIN(TestCipherBlocks)
#include "tst_cipherblocks.moc"
