#include "storage/cipher/lbrijndael.h"

#include "common/windows1250.h"

#include <QTest>

// Expected ciphertexts: the key from digest_reference.py, the AES blocks from
// `openssl enc -aes-128-ecb -nopad -K <key>`, Base64 from base64(1).

namespace {

const QString FileText17 = QStringLiteral("Kerekrév KRV11007");

QString accentedText(int length)
{
    const QString alphabet = QStringLiteral("Árvíztűrő tükörfúrógép ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP €„”\r\n0123456789_");
    QString text;
    for (int index = 0; index < length; ++index)
        text.append(alphabet.at(index % alphabet.size()));
    return text;
}

QString decryptionFailure(const TLbRijndael &cipher, const QString &cipherText, bool &isCipherException)
{
    isCipherException = false;
    try {
        cipher.DecryptText(cipherText);
    } catch (const ECipherException &failure) {
        isCipherException = true;
        return failure.message();
    } catch (const Exception &failure) {
        return failure.message();
    }
    return QString();
}

} // namespace

class TestLbRijndael : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyIsTheDigestOfThePasswordsWindows1250Bytes_data();
    void keyIsTheDigestOfThePasswordsWindows1250Bytes();
    void encryptTextMatchesOpenSsl_data();
    void encryptTextMatchesOpenSsl();
    void roundTrip_data();
    void roundTrip();
    void decryptTextFailures_data();
    void decryptTextFailures();
    void failedDecryptionKeepsTheKey();
    void wrongKeyGivesTextCutByItsCountByte_data();
    void wrongKeyGivesTextCutByItsCountByte();
    void bytesAfterTheLastWholeBlockAreIgnored();
};

void TestLbRijndael::keyIsTheDigestOfThePasswordsWindows1250Bytes_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("emptyTextCipher");
    QTest::newRow("empty password") << QString() << QStringLiteral("oXX7rK/6T6mAOfhZFfug2g==");
    QTest::newRow("one letter") << QStringLiteral("a") << QStringLiteral("zZmWMtUYlVgEQtZPZrYfWA==");
    QTest::newRow("7 bytes") << QStringLiteral("jelszo1") << QStringLiteral("mCGxaBENzhUzHRzFew9umw==");
    QTest::newRow("8 bytes") << QStringLiteral("jelszo12") << QStringLiteral("orqaOWfnRn6PfuPX2KimEQ==");
    QTest::newRow("a acute is E1") << QStringLiteral("á") << QStringLiteral("2ns2gY5DHIodfUAiRCBwHg==");
    QTest::newRow("u double acute is FB") << QStringLiteral("ű") << QStringLiteral("g2hcscpRjkvublThMdtrug==");
    QTest::newRow("accented word") << QStringLiteral("árvíztűrő") << QStringLiteral("Il6qjcunafp3V2tpE9Rx5g==");
    QTest::newRow("300 bytes") << QStringLiteral("0123456789").repeated(30)
                               << QStringLiteral("k5nVnTSlVUyQjLff6RLLIg==");
}

void TestLbRijndael::keyIsTheDigestOfThePasswordsWindows1250Bytes()
{
    QFETCH(QString, password);
    QFETCH(QString, emptyTextCipher);
    TLbRijndael cipher;
    cipher.DeriveKey(password);
    QCOMPARE(cipher.EncryptText(QString()), emptyTextCipher);
}

void TestLbRijndael::encryptTextMatchesOpenSsl_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cipherText");
    QTest::newRow("3 bytes") << QStringLiteral("abc") << QStringLiteral("Sx8ErUTZqIIq5CFOcufCNA==");
    QTest::newRow("16 bytes end with the zero count block")
        << FileText17.first(16) << QStringLiteral("h3WDMmHU/Ri14w6L/B3SnNaBfFB6VtyaB/0XwQgs9mA=");
    QTest::newRow("17 bytes end with count 1")
        << FileText17 << QStringLiteral("h3WDMmHU/Ri14w6L/B3SnCZIxv7YcnVvsmXELMYJmtE=");
}

void TestLbRijndael::encryptTextMatchesOpenSsl()
{
    QFETCH(QString, text);
    QFETCH(QString, cipherText);
    TLbRijndael cipher;
    cipher.DeriveKey(QStringLiteral("titok"));
    QCOMPARE(cipher.EncryptText(text), cipherText);
    QCOMPARE(cipher.DecryptText(cipherText), text);
}

void TestLbRijndael::roundTrip_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("length");
    const QStringList passwords = {QString(), QStringLiteral("jelszo1"), QStringLiteral("jelszo12"),
                                   QStringLiteral("x").repeated(300), QStringLiteral("Őszi ÁRVÍZ űrő")};
    for (const int length : {0, 1, 15, 16, 17, 31, 32, 4096, 5000}) {
        for (const QString &password : passwords)
            QTest::addRow("%d characters, %d-character password", length, int(password.size()))
                << password << length;
    }
}

void TestLbRijndael::roundTrip()
{
    QFETCH(QString, password);
    QFETCH(int, length);
    const QString text = accentedText(length);
    TLbRijndael cipher;
    cipher.DeriveKey(password);
    const QString cipherText = cipher.EncryptText(text);

    const int encipheredLength = 16 * (length / 16 + 1);
    QCOMPARE(cipherText.size(), 4 * ((encipheredLength + 2) / 3));
    QCOMPARE(QByteArray::fromBase64(cipherText.toLatin1()).size(), encipheredLength);
    QVERIFY(!cipherText.contains(u'\n') && !cipherText.contains(u'\r'));

    TLbRijndael reader;
    reader.DeriveKey(password);
    QCOMPARE(reader.DecryptText(cipherText), text);
}

void TestLbRijndael::decryptTextFailures_data()
{
    QTest::addColumn<QString>("cipherText");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("isCipherException");
    const QString valid = QStringLiteral("Sx8ErUTZqIIq5CFOcufCNA==");
    const QString badCharacter = QStringLiteral("Invalid Base64 Character");
    const QString badFormat = QStringLiteral("Invalid file format");
    QTest::newRow("CR LF after the text") << valid + QStringLiteral("\r\n") << badCharacter << false;
    QTest::newRow("CR LF twice after the text") << valid + QStringLiteral("\r\n\r\n") << badCharacter << false;
    QTest::newRow("length not a multiple of four") << valid.chopped(1) << badCharacter << false;
    QTest::newRow("character below +") << QStringLiteral("Sx8E)UTZqIIq5CFOcufCNA==") << badCharacter << false;
    QTest::newRow("character above z") << QStringLiteral("Sx8E~UTZqIIq5CFOcufCNA==") << badCharacter << false;
    QTest::newRow("empty text") << QString() << badFormat << true;
    QTest::newRow("15 decoded bytes") << QStringLiteral("AAAAAAAAAAAAAAAAAAAA") << badFormat << true;
}

void TestLbRijndael::decryptTextFailures()
{
    QFETCH(QString, cipherText);
    QFETCH(QString, message);
    QFETCH(bool, isCipherException);
    TLbRijndael cipher;
    cipher.DeriveKey(QStringLiteral("titok"));
    bool thrownCipherException = false;
    QCOMPARE(decryptionFailure(cipher, cipherText, thrownCipherException), message);
    QCOMPARE(thrownCipherException, isCipherException);
}

void TestLbRijndael::failedDecryptionKeepsTheKey()
{
    TLbRijndael cipher;
    cipher.DeriveKey(QStringLiteral("titok"));
    bool isCipherException = false;
    QVERIFY(!decryptionFailure(cipher, QStringLiteral("Zm9v\r\n"), isCipherException).isEmpty());
    QVERIFY(!decryptionFailure(cipher, QString(), isCipherException).isEmpty());
    QCOMPARE(cipher.DecryptText(QStringLiteral("Sx8ErUTZqIIq5CFOcufCNA==")), QStringLiteral("abc"));
}

void TestLbRijndael::wrongKeyGivesTextCutByItsCountByte_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("deciphered");
    // The 17-character text enciphered under "titok", deciphered by openssl under other keys.
    QTest::newRow("count byte 0x0D keeps 13 bytes")
        << QString() << QByteArray::fromHex("224ae0b6020db4587ff376badc80f1627a86096c06d6f5a98051d94bb5");
    QTest::newRow("count byte 0x2B keeps the whole block")
        << QStringLiteral("jelszo1")
        << QByteArray::fromHex("ee25a2108aa41b6916fa8f4fca70fa9289f09ffea23bf4a578403c09d449962b");
}

void TestLbRijndael::wrongKeyGivesTextCutByItsCountByte()
{
    QFETCH(QString, password);
    QFETCH(QByteArray, deciphered);
    TLbRijndael cipher;
    cipher.DeriveKey(password);
    QCOMPARE(cipher.DecryptText(QStringLiteral("h3WDMmHU/Ri14w6L/B3SnCZIxv7YcnVvsmXELMYJmtE=")),
             windows1250::decode(deciphered));
}

void TestLbRijndael::bytesAfterTheLastWholeBlockAreIgnored()
{
    TLbRijndael cipher;
    cipher.DeriveKey(QStringLiteral("titok"));
    const QString cipherText = cipher.EncryptText(FileText17);
    // The 44 characters hold the two blocks exactly; seven more bytes follow them.
    QCOMPARE(cipher.DecryptText(cipherText + QStringLiteral("QUJDRA==QUJD")), FileText17);
}

QTEST_APPLESS_MAIN(TestLbRijndael)
#include "tst_lbrijndael.moc"
