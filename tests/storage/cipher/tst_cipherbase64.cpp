#include "storage/cipher/cipherbase64.h"

#include "storage/cipher/ecipherexception.h"

#include <QRandomGenerator>
#include <QTest>

class TestCipherBase64 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encodeIsStandardAndOneLine_data();
    void encodeIsStandardAndOneLine();
    void decodeReadsWhatEncodeWrote();
    void decodeIsLenient_data();
    void decodeIsLenient();
    void decodeRejects_data();
    void decodeRejects();
};

void TestCipherBase64::encodeIsStandardAndOneLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    // RFC 4648 section 10.
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("f") << QByteArray("f") << QStringLiteral("Zg==");
    QTest::newRow("fo") << QByteArray("fo") << QStringLiteral("Zm8=");
    QTest::newRow("foo") << QByteArray("foo") << QStringLiteral("Zm9v");
    QTest::newRow("foobar") << QByteArray("foobar") << QStringLiteral("Zm9vYmFy");
    QTest::newRow("plus and slash") << QByteArray("\xFB\xFF\xBF") << QStringLiteral("+/+/");
    QTest::newRow("long input stays on one line") << QByteArray(120, '\0') << QString(160, u'A');
}

void TestCipherBase64::encodeIsStandardAndOneLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(base64::encode(bytes), text);
}

void TestCipherBase64::decodeReadsWhatEncodeWrote()
{
    for (int size = 0; size <= 70; ++size) {
        QByteArray bytes(size, Qt::Uninitialized);
        for (char &byte : bytes)
            byte = char(QRandomGenerator::global()->bounded(256));
        const QString text = base64::encode(bytes);
        QCOMPARE(text.size(), 4 * ((size + 2) / 3));
        QCOMPARE(base64::decode(text), bytes);
    }
}

void TestCipherBase64::decodeIsLenient_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("third place = ends the group whatever follows") << QStringLiteral("Zg=x") << QByteArray("f");
    QTest::newRow("decoding goes on after a padded group") << QStringLiteral("Zg==Zm9v") << QByteArray("ffoo");
    QTest::newRow("fourth place = gives two bytes") << QStringLiteral("Zm8=Zg==") << QByteArray("fof");
    // Characters between "+" and "z" outside the alphabet count as 127.
    QTest::newRow("= in the first two places") << QStringLiteral("====") << QByteArray("\xFF");
    QTest::newRow("punctuation") << QStringLiteral("-AAA") << QByteArray("\xFC\x00\x00", 3);
    QTest::newRow("brackets") << QStringLiteral("A[A]") << QByteArray("\x07\xF0\x7F");
    QTest::newRow("lowest and highest accepted") << QStringLiteral("+zz+") << QByteArray("\xFB\x3C\xFE");
}

void TestCipherBase64::decodeIsLenient()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(base64::decode(text), bytes);
}

void TestCipherBase64::decodeRejects_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("line end after the text") << QStringLiteral("Zm9vYmFy\r\n");
    QTest::newRow("line feed inside a group") << QStringLiteral("Zm\nv");
    QTest::newRow("space") << QStringLiteral("Zm9 ");
    QTest::newRow("just below +") << QStringLiteral("Zm9*");
    QTest::newRow("just above z") << QStringLiteral("Zm9{");
    QTest::newRow("NUL") << QString::fromLatin1("Zm9\0", 4);
    QTest::newRow("Latin-1 letter") << QStringLiteral("Zm9é");
    QTest::newRow("beyond Latin-1") << QStringLiteral("Zm9ő");
    QTest::newRow("three characters") << QStringLiteral("Zm9");
    QTest::newRow("five characters") << QStringLiteral("Zm9vY");
    QTest::newRow("bad character in a later group") << QStringLiteral("Zm9vZm9vZm9vZm9}");
}

void TestCipherBase64::decodeRejects()
{
    QFETCH(QString, text);
    try {
        base64::decode(text);
        QFAIL("decoding did not fail");
    } catch (const ECipherException &) {
        QFAIL("a bad character is not a file format error");
    } catch (const Exception &failure) {
        QCOMPARE(failure.message(), QStringLiteral("Invalid Base64 Character"));
    }
}

QTEST_APPLESS_MAIN(TestCipherBase64)
#include "tst_cipherbase64.moc"
