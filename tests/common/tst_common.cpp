#include "common/beep.h"
#include "common/exception.h"
#include "common/failure.h"
#include "common/regionalsettings.h"
#include "common/windows1250.h"

#include <QSignalSpy>
#include <QTest>

class TestCommon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windows1250Bytes_data();
    void windows1250Bytes();
    void charactersOutsideTheCodePageAreRefused();
    void otherSpellingsBecomeTheCodePages_data();
    void otherSpellingsBecomeTheCodePages();
    void dateTextFollowsTheShortFormat();
    void settingsChangeIsAnnouncedOnlyWhenDifferent();
    void beepGoesThroughTheSeam();
    void guardReportsTheFailureAndStopsTheHandler();
};

void TestCommon::windows1250Bytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("a acute") << QStringLiteral("á") << QByteArray("\xE1");
    QTest::newRow("u double acute") << QStringLiteral("ű") << QByteArray("\xFB");
    QTest::newRow("o double acute") << QStringLiteral("ő") << QByteArray("\xF5");
    QTest::newRow("marker") << QStringLiteral("kőfaragók") << QByteArray("k\xF5" "farag\xF3k");
    QTest::newRow("euro") << QStringLiteral("€") << QByteArray("\x80");
}

void TestCommon::windows1250Bytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(windows1250::encode(text), bytes);
    QCOMPARE(windows1250::decode(bytes), text);
}

void TestCommon::charactersOutsideTheCodePageAreRefused()
{
    QVERIFY(windows1250::canEncode(QStringLiteral("Árvíztűrő tükörfúrógép")));
    QVERIFY(!windows1250::canEncode(QChar(0x20AC + 1)));
    QVERIFY(!windows1250::canEncode(QStringLiteral("ñ漢")));
    QVERIFY(windows1250::canEncode(QStringLiteral("?")));
}

void TestCommon::otherSpellingsBecomeTheCodePages_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("spelled");
    const QString refused;
    QTest::newRow("held as it is") << QStringLiteral("Árvíztűrő ™µ\u00A0§") << QStringLiteral("Árvíztűrő ™µ\u00A0§");
    QTest::newRow("acute spelled apart") << QStringLiteral("Kova\u0301cs") << QStringLiteral("Kovács");
    QTest::newRow("double acute spelled apart") << QStringLiteral("O\u030Brs u\u030B") << QStringLiteral("Őrs ű");
    QTest::newRow("ligature") << QStringLiteral("\uFB01ók") << QStringLiteral("fiók");
    QTest::newRow("full width") << QStringLiteral("\uFF21\uFF11") << QStringLiteral("A1");
    QTest::newRow("styled, beyond 16 bits") << QStringLiteral("\U0001D400b") << QStringLiteral("Ab");
    QTest::newRow("held kept beside a ligature") << QStringLiteral("™µ\u00A0\uFB01") << QStringLiteral("™µ\u00A0fi");
    QTest::newRow("no spelling") << QStringLiteral("a漢") << refused;
    QTest::newRow("accent the page lacks") << QStringLiteral("a\u0303") << refused;
    QTest::newRow("half a pair") << QString(QChar(0xD835)) << refused;
}

void TestCommon::otherSpellingsBecomeTheCodePages()
{
    QFETCH(QString, text);
    QFETCH(QString, spelled);
    QCOMPARE(windows1250::encodableSpelling(text).value_or(QString()), spelled);
}

void TestCommon::dateTextFollowsTheShortFormat()
{
    RegionalSettings hungarian;
    hungarian.shortDateFormat = QStringLiteral("yyyy.MM.dd.");
    Regional::instance().setSettings(hungarian);
    QCOMPARE(dateText(QDate(2010, 12, 31)), QStringLiteral("2010.12.31."));

    RegionalSettings twoDigitYears;
    twoDigitYears.shortDateFormat = QStringLiteral("M/d/yy");
    Regional::instance().setSettings(twoDigitYears);
    QCOMPARE(dateText(QDate(2011, 2, 2)), QStringLiteral("2/2/11"));
}

void TestCommon::settingsChangeIsAnnouncedOnlyWhenDifferent()
{
    Regional::instance().setSettings(RegionalSettings());
    QSignalSpy spy(&Regional::instance(), &Regional::changed);
    Regional::instance().setSettings(RegionalSettings());
    QCOMPARE(spy.count(), 0);
    RegionalSettings dotted;
    dotted.decimalSeparator = u'.';
    Regional::instance().setSettings(dotted);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(Regional::settings().decimalSeparator, QChar(u'.'));
}

void TestCommon::beepGoesThroughTheSeam()
{
    int beeps = 0;
    const auto previous = beep::setHandler([&beeps] { ++beeps; });
    beep::sound();
    beep::sound();
    beep::setHandler(previous);
    QCOMPARE(beeps, 2);
}

void TestCommon::guardReportsTheFailureAndStopsTheHandler()
{
    QStringList shown;
    const auto previous = failure::setReporter([&shown](const QString &message) { shown << message; });
    bool afterThrow = false;
    failure::guard([&] {
        throw EConvertError(QStringLiteral("'x' is not a valid integer value"));
        afterThrow = true;
    });
    failure::guard([] {});
    failure::setReporter(previous);
    QCOMPARE(shown, QStringList{QStringLiteral("'x' is not a valid integer value")});
    QVERIFY(!afterThrow);
}

QTEST_MAIN(TestCommon)
#include "tst_common.moc"
