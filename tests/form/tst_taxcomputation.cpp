#include "common/exception.h"
#include "common/integertext.h"
#include "form/taxcomputation.h"

#include <QHash>
#include <QTest>

namespace {

// The five inputs and three results of section II, held as texts.
class Sheet : public TaxSheet
{
public:
    QHash<QString, QString> texts{{QStringLiteral("PBNumEdit2"), QStringLiteral("0")},
                                  {QStringLiteral("PBNumEdit6"), QStringLiteral("2100")},
                                  {QStringLiteral("PBNumEdit4"), QStringLiteral("0")},
                                  {QStringLiteral("PBNumEdit1"), QStringLiteral("0")},
                                  {QStringLiteral("PBNumEdit7"), QStringLiteral("0")},
                                  {QStringLiteral("Label29"), QStringLiteral("0")},
                                  {QStringLiteral("Label9"), QStringLiteral("0")},
                                  {QStringLiteral("Label23"), QStringLiteral("0")}};
    QStringList writes;

    QString fieldText(const QString &name) const override { return texts.value(name); }
    QString caption(const QString &name) const override { return texts.value(name); }
    void setCaption(const QString &name, const QString &caption) override
    {
        texts[name] = caption;
        writes << name;
    }
    QStringList results() const
    {
        return {texts.value(QStringLiteral("Label29")), texts.value(QStringLiteral("Label9")),
                texts.value(QStringLiteral("Label23"))};
    }
};

} // namespace

class TestTaxComputation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void convertsIntegers_data();
    void convertsIntegers();
    void refusesWhatIsNotAWholeNumber_data();
    void refusesWhatIsNotAWholeNumber();
    void computesTaxLiabilityAndDifference_data();
    void computesTaxLiabilityAndDifference();
    void rewritesOnlyChangedCaptions();
    void failureKeepsEarlierCaptionsAndLeavesLaterOnes_data();
    void failureKeepsEarlierCaptionsAndLeavesLaterOnes();
};

void TestTaxComputation::convertsIntegers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "21000" << 21000;
    QTest::newRow("leading spaces") << "   42" << 42;
    QTest::newRow("plus sign") << "+7" << 7;
    QTest::newRow("negative") << "-500" << -500;
    QTest::newRow("leading zeros") << "000123" << 123;
    QTest::newRow("largest") << "2147483647" << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << int(-2147483648LL);
    QTest::newRow("dollar hex") << "$1F" << 31;
    QTest::newRow("x hex") << "x10" << 16;
    QTest::newRow("X hex") << "Xff" << 255;
    QTest::newRow("0x hex") << "0x7FFFFFFF" << 2147483647;
    QTest::newRow("0X hex") << "0Xa" << 10;
    QTest::newRow("hex pattern is -1") << "$FFFFFFFF" << -1;
    QTest::newRow("hex leading zeros do not count") << "$000000001" << 1;
    QTest::newRow("negated hex") << "-$10" << -16;
}

void TestTaxComputation::convertsIntegers()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(parseIntegerText(text), value);
}

void TestTaxComputation::refusesWhatIsNotAWholeNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("spaces only") << "   ";
    QTest::newRow("sign only") << "-";
    QTest::newRow("trailing space") << "12 ";
    QTest::newRow("tab before") << "\t12";
    QTest::newRow("fraction") << "12,5";
    QTest::newRow("full stop") << "12.5";
    QTest::newRow("thousands separator") << "1 000";
    QTest::newRow("above range") << "2147483648";
    QTest::newRow("below range") << "-2147483649";
    QTest::newRow("hex mark alone") << "$";
    QTest::newRow("0x alone") << "0x";
    QTest::newRow("nine hex digits") << "$123456789";
    QTest::newRow("hex digit in decimal") << "12A";
    QTest::newRow("two signs") << "--1";
    QTest::newRow("exponent") << "12E3";
}

void TestTaxComputation::refusesWhatIsNotAWholeNumber()
{
    QFETCH(QString, text);
    try {
        parseIntegerText(text);
        QFAIL("accepted");
    } catch (const EConvertError &error) {
        QCOMPARE(error.message(), QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
}

void TestTaxComputation::computesTaxLiabilityAndDifference_data()
{
    QTest::addColumn<QStringList>("inputs"); // PBNumEdit2, PBNumEdit4, PBNumEdit1, PBNumEdit7
    QTest::addColumn<QStringList>("results");
    QTest::newRow("initial values") << QStringList{"0", "0", "0", "0"} << QStringList{"0", "0", "0"};
    QTest::newRow("worked example") << QStringList{"10", "1000", "5000", "2000"} << QStringList{"21000", "20000", "13000"};
    QTest::newRow("allowance above tax") << QStringList{"10", "21500", "0", "0"} << QStringList{"21000", "-500", "-500"};
    QTest::newRow("overpaid") << QStringList{"1", "0", "3000", "0"} << QStringList{"2100", "2100", "-900"};
}

void TestTaxComputation::computesTaxLiabilityAndDifference()
{
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, results);
    Sheet sheet;
    sheet.texts[QStringLiteral("PBNumEdit2")] = inputs.at(0);
    sheet.texts[QStringLiteral("PBNumEdit4")] = inputs.at(1);
    sheet.texts[QStringLiteral("PBNumEdit1")] = inputs.at(2);
    sheet.texts[QStringLiteral("PBNumEdit7")] = inputs.at(3);
    recomputeTax(sheet);
    QCOMPARE(sheet.results(), results);
}

void TestTaxComputation::rewritesOnlyChangedCaptions()
{
    Sheet sheet;
    recomputeTax(sheet);
    QVERIFY(sheet.writes.isEmpty());
    sheet.texts[QStringLiteral("PBNumEdit7")] = QStringLiteral("5");
    recomputeTax(sheet);
    QCOMPARE(sheet.writes, QStringList{QStringLiteral("Label23")});
}

void TestTaxComputation::failureKeepsEarlierCaptionsAndLeavesLaterOnes_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("results");
    QTest::newRow("fraction in the headcount")
        << "PBNumEdit2" << "1,5" << "'1,5' is not a valid integer value" << QStringList{"1", "2", "3"};
    QTest::newRow("fraction in the allowance")
        << "PBNumEdit4" << "0,5" << "'0,5' is not a valid integer value" << QStringList{"21000", "2", "3"};
    QTest::newRow("advance beyond 32 bits")
        << "PBNumEdit1" << "2147483648" << "'2147483648' is not a valid integer value"
        << QStringList{"21000", "21000", "3"};
    QTest::newRow("tax beyond 32 bits")
        << "PBNumEdit2" << "1022612" << "Integer overflow" << QStringList{"1", "2", "3"};
    QTest::newRow("difference beyond 32 bits")
        << "PBNumEdit1" << "-2147483648" << "Integer overflow" << QStringList{"21000", "21000", "3"};
}

void TestTaxComputation::failureKeepsEarlierCaptionsAndLeavesLaterOnes()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QFETCH(QStringList, results);
    Sheet sheet;
    sheet.texts[QStringLiteral("PBNumEdit2")] = QStringLiteral("10");
    sheet.texts[QStringLiteral("Label29")] = QStringLiteral("1");
    sheet.texts[QStringLiteral("Label9")] = QStringLiteral("2");
    sheet.texts[QStringLiteral("Label23")] = QStringLiteral("3");
    sheet.texts[field] = text;
    try {
        recomputeTax(sheet);
        QFAIL("the recomputation went through");
    } catch (const Exception &error) {
        QCOMPARE(error.message(), message);
    }
    QCOMPARE(sheet.results(), results);
    QCOMPARE(sheet.texts.value(field), text);
}

QTEST_APPLESS_MAIN(TestTaxComputation)
#include "tst_taxcomputation.moc"
