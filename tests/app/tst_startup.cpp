#include "app/programicon.h"
#include "app/tform1.h"
#include "common/fonts.h"
#include "print/preview/cupsprinteroptions.h"
#include "print/preview/libcups.h"
#include "storage/cipher/aes128ecb.h"
#include "storage/cipher/lbrijndael.h"

#include <QFile>
#include <QIcon>
#include <QTest>

namespace {

// Whether a shared library of that file name is mapped into this process.
bool isMapped(const QByteArray &fileName)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/maps");
    return maps.readAll().contains('/' + fileName);
}

} // namespace

// The window's first paint waits only for what it shows: the cipher's library comes with the first save
// or load, the printing system's library with the first reading of a printer's options, the program
// icon's images after the first paint. One function, in a process of its own, so that nothing else has
// loaded them before.
class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstPaintWaitsForNeitherLibrariesNorIcon();
    void iconComesWithoutAPaintToo();
};

void TestStartup::firstPaintWaitsForNeitherLibrariesNorIcon()
{
    fonts::install();
    TForm1 form;
    setProgramIconAfterFirstPaint(&form);
    form.show();
    QVERIFY(qApp->windowIcon().isNull());
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_VERIFY(!qApp->windowIcon().isNull());
    QCOMPARE(qApp->windowIcon().availableSizes(),
             (QList<QSize>{{16, 16}, {32, 32}, {16, 16}, {32, 32}, {48, 48}, {128, 128}}));
    QVERIFY(!isMapped(aes128ecb::LibcryptoFileName));
    QVERIFY(!isMapped(LibcupsFileName));

    TLbRijndael cipher;
    cipher.DeriveKey(QStringLiteral("titok"));
    QCOMPARE(cipher.DecryptText(cipher.EncryptText(QStringLiteral("Kerekrév"))), QStringLiteral("Kerekrév"));
    QVERIFY(isMapped(aes128ecb::LibcryptoFileName));

    QVERIFY(!readPpdOptions(QStringLiteral("/nonexistent/printer.ppd")));
    QVERIFY(isMapped(LibcupsFileName));
}

void TestStartup::iconComesWithoutAPaintToo()
{
    qApp->setWindowIcon(QIcon());
    QWidget unshown;
    setProgramIconAfterFirstPaint(&unshown);
    QTest::qWait(100);
    QVERIFY(qApp->windowIcon().isNull());
    QTRY_COMPARE_WITH_TIMEOUT(qApp->windowIcon().availableSizes().size(), 6, 5000);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
