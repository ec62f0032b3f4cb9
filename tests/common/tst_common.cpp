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
