#include "common/exception.h"
#include "common/regionalsettings.h"
#include "print/processor.h"
#include "print/reportvariables.h"
#include "tests/print/fakedeclaration.h"

#include <QTest>

#include <limits>

namespace {

// The leaf-1 values of the worked example.
constexpr ProcessorRegisters exampleProcessor{198313, 1050624, 2147154879, 3219913727};

const QDate today(2024, 5, 31);

} // namespace

class TestPrintVariables : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();

    void processorTextJoinsEcxEbxEdxEaxUnsigned();
    void identifierTakesLastSixProcessorCharactersAndChecksum_data();
    void identifierTakesLastSixProcessorCharactersAndChecksum();
    void processorIdentificationIsStable();

    void amountTextRoundsHalfAwayAndGroups_data();
    void amountTextRoundsHalfAwayAndGroups();
    void addressText_data();
    void addressText();

    void answersEveryPageVariable_data();
    void answersEveryPageVariable();
    void namesAreMatchedExactly_data();
    void namesAreMatchedExactly();
    void reasonOfReturn_data();
    void reasonOfReturn();
    void reasonWithoutChosenOptionFails();
    void privateIndividualAnswersAreDashesWhenUnchecked();
    void computedResultsPrintEveryDigit_data();
    void computedResultsPrintEveryDigit();
    void unreadableAmountFailsWithTheConversionMessage();
    void addressGroupsReadTheirOwnFields();
};

void TestPrintVariables::init()
{
    Regional::instance().setSettings({u',', u' ', QStringLiteral("yyyy.MM.dd.")});
}

void TestPrintVariables::processorTextJoinsEcxEbxEdxEaxUnsigned()
{
    QCOMPARE(processorText(exampleProcessor), QStringLiteral("214715487910506243219913727198313"));
    QCOMPARE(processorText({0, 0, 0, 0}), QStringLiteral("0000"));
    QCOMPARE(processorText({1, 2, std::numeric_limits<quint32>::max(), 3}), QStringLiteral("4294967295231"));
}

void TestPrintVariables::identifierTakesLastSixProcessorCharactersAndChecksum_data()
{
    QTest::addColumn<ProcessorRegisters>("registers");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("identifier");

    QTest::newRow("worked example, first byte outside ASCII")
        << exampleProcessor << QStringLiteral("Árvíz Bt.") << QStringLiteral("1983134D5");
    QTest::newRow("one character counts twice") << exampleProcessor << QStringLiteral("A") << QStringLiteral("19831382");
    QTest::newRow("only the first character counts twice")
        << exampleProcessor << QStringLiteral("AB") << QStringLiteral("198313C4");
    QTest::newRow("processor text shorter than six") << ProcessorRegisters{4, 3, 1, 2} << QStringLiteral("A")
                                                     << QStringLiteral("132482");
}

void TestPrintVariables::identifierTakesLastSixProcessorCharactersAndChecksum()
{
    QFETCH(ProcessorRegisters, registers);
    QFETCH(QString, name);
    QFETCH(QString, identifier);
    QCOMPARE(makePrintIdentifier(registers, name), identifier);
}

void TestPrintVariables::processorIdentificationIsStable()
{
    const ProcessorRegisters first = cpuidLeaf1();
    const ProcessorRegisters second = cpuidLeaf1();
    QCOMPARE(processorText(first), processorText(second));
#if defined(__x86_64__) || defined(__i386__)
    QVERIFY2(first.eax != 0, "every x86 processor reports its family and model in EAX");
#endif
}

void TestPrintVariables::amountTextRoundsHalfAwayAndGroups_data()
{
    QTest::addColumn<QString>("value"); // in C's number syntax
    QTest::addColumn<QString>("text");

    QTest::newRow("negative difference") << "-52500" << "-52 500 Ft.";
    QTest::newRow("half rounds up") << "1234.5" << "1 235 Ft.";
    QTest::newRow("negative half rounds down") << "-1234.5" << "-1 235 Ft.";
    QTest::newRow("two and a half") << "2.5" << "3 Ft.";
    QTest::newRow("below a half") << "1234.49" << "1 234 Ft.";
    QTest::newRow("just below a half, beyond a double's digits") << "0.49999999999999999999" << "0 Ft.";
    QTest::newRow("a half rounds a carry through every digit") << "999999999999999999999.5"
                                                               << "1 000 000 000 000 000 000 000 Ft.";
    QTest::newRow("small negative rounds to plain zero") << "-0.4" << "0 Ft.";
    QTest::newRow("zero") << "0" << "0 Ft.";
    QTest::newRow("three digits have no group") << "999" << "999 Ft.";
    QTest::newRow("four digits") << "1000" << "1 000 Ft.";
    QTest::newRow("seven digits") << "-1234567" << "-1 234 567 Ft.";

    // Where a double or extended precision would print other digits.
    QTest::newRow("seventeen nines") << "99999999999999999" << "99 999 999 999 999 999 Ft.";
    QTest::newRow("2^53 + 1") << "9007199254740993" << "9 007 199 254 740 993 Ft.";
    QTest::newRow("2^63") << "9223372036854775808" << "9 223 372 036 854 775 808 Ft.";
    QTest::newRow("-2^63 - 1") << "-9223372036854775809" << "-9 223 372 036 854 775 809 Ft.";
    QTest::newRow("2^64 + 1") << "18446744073709551617" << "18 446 744 073 709 551 617 Ft.";
    QTest::newRow("ten to the 28th") << "1e28" << "10" + QString(" 000").repeated(9) + " Ft.";
    QTest::newRow("largest number the fields accept") << "-1.18973149535723176e4932"
                                                       << "-1 189 731 495 357 231 760" + QString(" 000").repeated(1638)
            + " Ft.";
}

void TestPrintVariables::amountTextRoundsHalfAwayAndGroups()
{
    QFETCH(QString, value);
    QFETCH(QString, text);
    const std::optional<DecimalNumber> number = DecimalNumber::parse(value.toStdString());
    QVERIFY(number);
    QCOMPARE(amountText(*number, u' '), text);
    QCOMPARE(amountText(*number, QChar()), QString(text).remove(u' ').replace(QStringLiteral("Ft."), QStringLiteral(" Ft.")));
}

void TestPrintVariables::addressText_data()
{
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<QString>("text");

    QTest::newRow("every piece") << QStringList{"1234", "Minta", "Fő", "utca", "12", "A", "2", "3", "4"}
                                 << QStringLiteral("1234 Minta, Fő utca 12. A ép. 2. lh. 3. em. 4 ajtó ");
    QTest::newRow("without the optional pieces") << QStringList{"1234", "Minta", "Fő", "utca", "12", "", "", "", ""}
                                                 << QStringLiteral("1234 Minta, Fő utca 12. ");
    QTest::newRow("postcode and city only") << QStringList{"1234", "Minta", "", "", "", "", "", "", ""}
                                            << QStringLiteral("1234 Minta,   . ");
    QTest::newRow("door without floor") << QStringList{"1234", "Minta", "Fő", "utca", "12", "", "", "", "4"}
                                        << QStringLiteral("1234 Minta, Fő utca 12. 4 ajtó ");
    QTest::newRow("empty city hides everything") << QStringList{"1234", "", "Fő", "utca", "12", "A", "2", "3", "4"}
                                                 << QStringLiteral("-");
}

void TestPrintVariables::addressText()
{
    QFETCH(QStringList, pieces);
    QFETCH(QString, text);
    const AddressPieces address{pieces[0], pieces[1], pieces[2], pieces[3], pieces[4],
                                pieces[5], pieces[6], pieces[7], pieces[8]};
    QCOMPARE(::addressText(address), text);
}

void TestPrintVariables::answersEveryPageVariable_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("answer");

    QTest::newRow("m1") << "m1" << "Bevallás";
    QTest::newRow("m2") << "m2" << "";
    QTest::newRow("m3") << "m3" << "12";
    QTest::newRow("m4") << "m4" << "7";
    QTest::newRow("m5") << "m5" << "14 700 Ft.";
    QTest::newRow("m6") << "m6" << "1 235 Ft.";
    QTest::newRow("m7") << "m7" << "13 466 Ft.";
    QTest::newRow("m8") << "m8" << "10 000 Ft.";
    QTest::newRow("m9") << "m9" << "0 Ft.";
    QTest::newRow("m10") << "m10" << "-52 500 Ft.";
    QTest::newRow("m11") << "m11" << "Árvíz Bt.";
    QTest::newRow("m12") << "m12" << "Győr";
    QTest::newRow("m13") << "m13" << "1970.03.15.";
    QTest::newRow("m14") << "m14" << "Kiss Ilona";
    QTest::newRow("m15") << "m15" << "8123456789";
    QTest::newRow("m16") << "m16" << "12345678-2-08";
    QTest::newRow("m17") << "m17" << "12345678-6810-113-08";
    QTest::newRow("m18") << "m18" << "11773016-12345678-********";
    QTest::newRow("m19") << "m19" << "1234 Minta, Fő utca 12. A ép. 2. lh. 3. em. 4 ajtó ";
    QTest::newRow("m20") << "m20" << "9021 Győr, Kossuth tér 5. ";
    QTest::newRow("m21") << "m21" << "06-1-234-5678";
    QTest::newRow("m22") << "m22" << "arviz@example.hu";
    QTest::newRow("datum") << "datum" << "2024.05.31.";
    QTest::newRow("azon") << "azon" << "1983134D5";
}

void TestPrintVariables::answersEveryPageVariable()
{
    QFETCH(QString, name);
    QFETCH(QString, answer);
    const std::optional<QString> actual =
        reportVariable(name, filledDeclaration(), QStringLiteral("1983134D5"), today);
    QVERIFY(actual.has_value());
    QCOMPARE(*actual, answer);
}

void TestPrintVariables::namesAreMatchedExactly_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("capital M") << "M1";
    QTest::newRow("capital D") << "Datum";
    QTest::newRow("leading space") << " m1";
    QTest::newRow("trailing space") << "m1 ";
    QTest::newRow("beyond the table") << "m23";
    QTest::newRow("empty") << "";
}

void TestPrintVariables::namesAreMatchedExactly()
{
    QFETCH(QString, name);
    QVERIFY(!reportVariable(name, filledDeclaration(), QString(), today).has_value());
}

void TestPrintVariables::reasonOfReturn_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("otherReason");
    QTest::addColumn<QString>("answer");

    QTest::newRow("return") << 0 << "ignored" << "Bevallás";
    QTest::newRow("final return") << 1 << "ignored" << "Záró bevallás";
    QTest::newRow("other takes the text field") << 2 << "Átalakulás" << "Átalakulás";
    QTest::newRow("other with an empty text field") << 2 << "" << "";
}

void TestPrintVariables::reasonOfReturn()
{
    QFETCH(int, option);
    QFETCH(QString, otherReason);
    QFETCH(QString, answer);
    FakeDeclaration declaration;
    declaration.reasonOption = option;
    declaration.texts.insert(QStringLiteral("Edit9"), otherReason);
    QCOMPARE(reportVariable(QStringLiteral("m1"), declaration, QString(), today).value(), answer);
}

void TestPrintVariables::reasonWithoutChosenOptionFails()
{
    FakeDeclaration declaration;
    declaration.reasonOption = -1;
    try {
        reportVariable(QStringLiteral("m1"), declaration, QString(), today);
        QFAIL("no chosen option must fail");
    } catch (const Exception &error) {
        QCOMPARE(error.message(), QStringLiteral("List index out of bounds (-1)"));
    }
}

void TestPrintVariables::privateIndividualAnswersAreDashesWhenUnchecked()
{
    FakeDeclaration declaration = filledDeclaration();
    declaration.privateIndividual = false;
    for (const char *name : {"m12", "m13", "m14"})
        QCOMPARE(reportVariable(QString::fromLatin1(name), declaration, QString(), today).value(), QStringLiteral("-"));
}

void TestPrintVariables::computedResultsPrintEveryDigit_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("answer");

    QTest::newRow("negative difference") << "-52500" << "-52 500 Ft.";
    QTest::newRow("smallest difference") << "-2147483648" << "-2 147 483 648 Ft.";
    QTest::newRow("largest difference") << "2147483647" << "2 147 483 647 Ft.";
}

void TestPrintVariables::computedResultsPrintEveryDigit()
{
    QFETCH(QString, caption);
    QFETCH(QString, answer);
    FakeDeclaration declaration;
    for (const char *label : {"Label29", "Label9", "Label23"})
        declaration.captions.insert(QString::fromLatin1(label), caption);
    for (const char *name : {"m5", "m7", "m10"})
        QCOMPARE(reportVariable(QString::fromLatin1(name), declaration, QString(), today).value(), answer);
}

void TestPrintVariables::unreadableAmountFailsWithTheConversionMessage()
{
    FakeDeclaration declaration;
    declaration.values.insert(QStringLiteral("PBNumEdit1"), QStringLiteral("12a"));
    try {
        reportVariable(QStringLiteral("m8"), declaration, QString(), today);
        QFAIL("an unreadable value must fail");
    } catch (const EConvertError &error) {
        QCOMPARE(error.message(), QStringLiteral("'12a' is not a valid floating point value"));
    }
    QCOMPARE(reportVariable(QStringLiteral("m5"), declaration, QString(), today).value(), QStringLiteral("0 Ft."));
}

void TestPrintVariables::addressGroupsReadTheirOwnFields()
{
    FakeDeclaration declaration;
    for (int edit = 75; edit <= 90; ++edit)
        declaration.texts.insert(QStringLiteral("Edit%1").arg(edit), QString::number(edit));
    declaration.texts.insert(QStringLiteral("LMDMaskEdit32"), QStringLiteral("P32"));
    declaration.texts.insert(QStringLiteral("LMDMaskEdit33"), QStringLiteral("P33"));
    QCOMPARE(reportVariable(QStringLiteral("m19"), declaration, QString(), today).value(),
             QStringLiteral("P32 75, 76 77 78. 79 ép. 80. lh. 81. em. 82 ajtó "));
    QCOMPARE(reportVariable(QStringLiteral("m20"), declaration, QString(), today).value(),
             QStringLiteral("P33 83, 84 85 86. 87 ép. 88. lh. 89. em. 90 ajtó "));
}

QTEST_GUILESS_MAIN(TestPrintVariables)
#include "tst_printvariables.moc"
