#include "form/catalogue.h"
#include "form/checks/fieldcheck.h"
#include "form/checks/identifiers.h"

#include <QTest>

#include <functional>
#include <numeric>

Q_DECLARE_METATYPE(Verdict)

using Check = std::function<CheckResult(const QString &)>;
Q_DECLARE_METATYPE(Check)

// The valid numbers below were worked out by hand, not by the code under test:
//
// Tax number 12345676: 1·9 + 2·7 + 3·3 + 4·1 + 5·9 + 6·7 + 7·3 = 144, and 144 + 6 = 150.
// Tax number 16052721: 1·9 + 6·7 + 0·3 + 5·1 + 2·9 + 7·7 + 2·3 = 129, and 129 + 1 = 130.
// Account block 11773016: 1·9 + 1·7 + 7·3 + 7·1 + 3·9 + 0·7 + 1·3 = 74, and 74 + 6 = 80.
// Account blocks 12345678 90123452 taken together, weights 9 7 3 1 repeated: 150 + 2 (for the 8
//   in place of the 6 above) + 9·9 + 0·7 + 1·3 + 2·1 + 3·9 + 4·7 + 5·3 + 2·1 = 152 + 158 = 310.
// Tax identification number 8414091237: 17 May 1980 is day 41409 after 1 January 1867; serial 123;
//   8·1 + 4·2 + 1·3 + 4·4 + 0·5 + 9·6 + 1·7 + 2·8 + 3·9 = 139 = 12·11 + 7.
// Tax identification number 8325050403: 31 December 1955 is day 32505; 8 + 6 + 6 + 20 + 0 + 30 + 0
//   + 32 + 0 = 102 = 9·11 + 3.
// 844925101: 1 January 1990 is day 44925; serial 101 gives 8 + 8 + 12 + 36 + 10 + 30 + 7 + 0 + 9
//   = 120 = 10·11 + 10, a remainder no check digit can carry.
//
// Which mistakes the weights cannot catch. With 9, 7, 3, 1 modulo 10 (registration numbers and bank
// accounts) every weight is prime to 10, so every single wrong digit shows; but two neighbours whose
// weights differ by an even number (all of them do) swap unseen when the digits differ by 5 (0-5, 1-6,
// 2-7, 3-8, 4-9), and two digits four places apart share a weight and always swap unseen. A swap
// between the first block of an account and the rest changes both sums by an odd weight times the
// difference, so it always shows. With the weights 1 to 9 modulo 11 (the tax identification number)
// the check digit acts as weight 10, all ten weights differ modulo the prime 11, and so every single
// wrong digit and every swap of two different digits shows.
class TestIdentifierChecks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void taxIdentificationNumber_data();
    void taxIdentificationNumber();
    void taxNumber_data();
    void taxNumber();
    void statisticalCode_data();
    void statisticalCode();
    void bankAccount_data();
    void bankAccount();
    void postcode_data();
    void postcode();
    void email_data();
    void email();

    void everySingleWrongDigitIsCaught_data();
    void everySingleWrongDigitIsCaught();
    void weightedSwapsAreCaughtUnlessTheDigitsDifferByFive_data();
    void weightedSwapsAreCaughtUnlessTheDigitsDifferByFive();
    void everySwapInTheTaxIdentificationNumberIsCaught();

    void problemsListInvalidAndPartlyFilledFieldsInOrder();
    void everyCheckedFieldStartsEmpty();

private:
    static void addCase(const char *name, const QString &text, Verdict verdict, const QString &reason = {});
    static void compareResult(const CheckResult &result);
};

void TestIdentifierChecks::addCase(const char *name, const QString &text, Verdict verdict, const QString &reason)
{
    QTest::newRow(name) << text << verdict << reason;
}

void TestIdentifierChecks::compareResult(const CheckResult &result)
{
    QFETCH(Verdict, verdict);
    QFETCH(QString, reason);
    QCOMPARE(result.verdict, verdict);
    QCOMPARE(result.reason, reason);
}

namespace {

void addTextColumns()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Verdict>("verdict");
    QTest::addColumn<QString>("reason");
}

const QString taxIdCheckDigit = QStringLiteral("Az adóazonosító jel ellenőrző számjegye hibás.");
const QString taxNumberCheckDigit = QStringLiteral("Az adószám ellenőrző számjegye hibás.");
const QString accountFirstBlock = QStringLiteral("A számlaszám első nyolc számjegye hibás (ellenőrző számjegy).");
const QString accountRest = QStringLiteral("A számlaszám további számjegyei hibásak (ellenőrző számjegy).");

} // namespace

void TestIdentifierChecks::taxIdentificationNumber_data()
{
    addTextColumns();
    QTest::addColumn<QDate>("birthDate");
    const QDate none;
    const QDate born1980(1980, 5, 17);
    QTest::newRow("valid, no birth date") << "8414091237" << Verdict::Valid << QString() << none;
    QTest::newRow("valid, its birth date") << "8414091237" << Verdict::Valid << QString() << born1980;
    QTest::newRow("another valid") << "8325050403" << Verdict::Valid << QString() << QDate(1955, 12, 31);
    QTest::newRow("birth date a day later") << "8414091237" << Verdict::Invalid
                                            << "Az adóazonosító jel nem egyezik a születési dátummal."
                                            << QDate(1980, 5, 18);
    QTest::newRow("birth date of another number") << "8325050403" << Verdict::Invalid
                                                  << "Az adóazonosító jel nem egyezik a születési dátummal."
                                                  << born1980;
    QTest::newRow("first digit not 8") << "7414091237" << Verdict::Invalid
                                       << "Az adóazonosító jel első számjegye csak 8 lehet." << none;
    QTest::newRow("wrong check digit") << "8414091238" << Verdict::Invalid << taxIdCheckDigit << none;
    for (char last = '0'; last <= '9'; ++last)
        QTest::addRow("remainder 10, check digit %c", last)
            << QStringLiteral("844925101") + QLatin1Char(last) << Verdict::Invalid << taxIdCheckDigit << none;
    QTest::newRow("blank template") << "**********" << Verdict::Empty << QString() << born1980;
    QTest::newRow("empty text") << "" << Verdict::Empty << QString() << none;
    QTest::newRow("last digit missing") << "841409123*" << Verdict::Incomplete << QString() << none;
    QTest::newRow("first digit missing") << "*414091237" << Verdict::Incomplete << QString() << born1980;
    QTest::newRow("text cut short") << "84140912" << Verdict::Incomplete << QString() << none;
}

void TestIdentifierChecks::taxIdentificationNumber()
{
    QFETCH(QString, text);
    QFETCH(QDate, birthDate);
    compareResult(checkTaxIdentificationNumber(text, birthDate.isValid() ? std::optional(birthDate) : std::nullopt));
}

void TestIdentifierChecks::taxNumber_data()
{
    addTextColumns();
    addCase("valid", "12345676-2-41", Verdict::Valid);
    addCase("another valid", "16052721-1-02", Verdict::Valid);
    for (const char *area : {"02", "13", "20", "22", "41", "44", "51"})
        QTest::addRow("area %s", area) << QStringLiteral("12345676-5-") + QLatin1String(area) << Verdict::Valid
                                       << QString();
    const QString areaReason = QStringLiteral("Az adószám utolsó két számjegye nem létező területi kód.");
    for (const char *area : {"00", "01", "21", "23", "40", "45", "50", "52", "99"})
        QTest::addRow("area %s", area) << QStringLiteral("12345676-5-") + QLatin1String(area) << Verdict::Invalid
                                       << areaReason;
    const QString vatReason = QStringLiteral("Az adószám 9. számjegye (áfakód) csak 1–5 lehet.");
    addCase("VAT status 0", "12345676-0-41", Verdict::Invalid, vatReason);
    addCase("VAT status 6", "12345676-6-41", Verdict::Invalid, vatReason);
    addCase("wrong check digit", "12345677-2-41", Verdict::Invalid, taxNumberCheckDigit);
    addCase("blank template", "********-*-**", Verdict::Empty);
    addCase("registration number unfinished", "1234567*-2-41", Verdict::Incomplete);
    addCase("VAT status missing", "12345676-*-41", Verdict::Incomplete);
    addCase("area code unfinished", "12345676-2-4*", Verdict::Incomplete);
}

void TestIdentifierChecks::taxNumber()
{
    QFETCH(QString, text);
    compareResult(checkTaxNumber(text));
}

void TestIdentifierChecks::statisticalCode_data()
{
    addTextColumns();
    QTest::addColumn<QString>("taxNumber");
    const QString noTaxNumber = QStringLiteral("********-*-**");
    const QString taxNumber = QStringLiteral("12345676-2-41");
    const QString mismatch = QStringLiteral("A statisztikai számjel eleje nem egyezik az adószáméval.");
    QTest::newRow("same registration number") << "12345676-6820-113-01" << Verdict::Valid << QString() << taxNumber;
    QTest::newRow("no tax number") << "16052721-6820-113-01" << Verdict::Valid << QString() << noTaxNumber;
    QTest::newRow("another valid registration number")
        << "16052721-6820-113-01" << Verdict::Invalid << mismatch << taxNumber;
    QTest::newRow("one digit off the tax number") << "12345677-6820-113-01" << Verdict::Invalid << mismatch << taxNumber;
    QTest::newRow("tax number unfinished, not compared")
        << "16052721-6820-113-01" << Verdict::Valid << QString() << "1234567*-2-41";
    QTest::newRow("wrong check digit, no tax number")
        << "16052722-6820-113-01" << Verdict::Invalid << "A statisztikai számjel ellenőrző számjegye hibás."
        << noTaxNumber;
    QTest::newRow("blank template") << "********-****-***-**" << Verdict::Empty << QString() << taxNumber;
    QTest::newRow("county code missing") << "12345676-6820-113-**" << Verdict::Incomplete << QString() << taxNumber;
}

void TestIdentifierChecks::statisticalCode()
{
    QFETCH(QString, text);
    QFETCH(QString, taxNumber);
    compareResult(checkStatisticalCode(text, taxNumber));
}

void TestIdentifierChecks::bankAccount_data()
{
    addTextColumns();
    addCase("two blocks", "11773016-12345676-********", Verdict::Valid);
    addCase("three blocks", "11773016-12345678-90123452", Verdict::Valid);
    addCase("three blocks, each valid alone", "16052721-38160493-50273816", Verdict::Valid);
    // 12345678 fails alone: the last two blocks are checked together, not each for itself.
    addCase("second block wrong in the short form", "11773016-12345678-********", Verdict::Invalid, accountRest);
    addCase("first block wrong", "11773017-12345676-********", Verdict::Invalid, accountFirstBlock);
    addCase("third block wrong", "11773016-12345678-90123453", Verdict::Invalid, accountRest);
    addCase("blank template", "********-********-********", Verdict::Empty);
    addCase("second block unfinished", "11773016-1234567*-********", Verdict::Incomplete);
    addCase("third block begun", "11773016-12345676-1*******", Verdict::Incomplete);
    addCase("first block blank", "********-12345676-********", Verdict::Incomplete);
    addCase("third block alone", "********-********-90123452", Verdict::Incomplete);
}

void TestIdentifierChecks::bankAccount()
{
    QFETCH(QString, text);
    compareResult(checkBankAccount(text));
}

void TestIdentifierChecks::postcode_data()
{
    addTextColumns();
    const QString range = QStringLiteral("Az irányítószám nem esik 1011 és 9985 közé.");
    addCase("lowest", "1011", Verdict::Valid);
    addCase("highest", "9985", Verdict::Valid);
    addCase("below the lowest", "1010", Verdict::Invalid, range);
    addCase("above the highest", "9986", Verdict::Invalid, range);
    addCase("leading zero", "0999", Verdict::Invalid, range);
    addCase("blank template", "****", Verdict::Empty);
    addCase("two digits", "12**", Verdict::Incomplete);
    addCase("gap", "1*34", Verdict::Incomplete);
}

void TestIdentifierChecks::postcode()
{
    QFETCH(QString, text);
    compareResult(checkPostcode(text));
}

void TestIdentifierChecks::email_data()
{
    addTextColumns();
    const QString oneAt = QStringLiteral("Az e-mail címben pontosan egy @ jel kell.");
    const QString bothSides = QStringLiteral("Az e-mail címben a @ előtt és után is kell szöveg.");
    const QString noDot = QStringLiteral("Az e-mail cím @ utáni részében nincs pont.");
    addCase("plain", "kovacs.janos@pelda.hu", Verdict::Valid);
    addCase("subdomain", "a@b.c.hu", Verdict::Valid);
    addCase("empty", "", Verdict::Empty);
    addCase("spaces only", "   ", Verdict::Empty);
    addCase("no @", "kovacs.pelda.hu", Verdict::Invalid, oneAt);
    addCase("two @", "a@b@pelda.hu", Verdict::Invalid, oneAt);
    addCase("nothing before @", "@pelda.hu", Verdict::Invalid, bothSides);
    addCase("nothing after @", "kovacs@", Verdict::Invalid, bothSides);
    addCase("no dot in the domain", "kovacs.janos@peldahu", Verdict::Invalid, noDot);
    addCase("dot first in the domain", "kovacs@.hu", Verdict::Invalid, noDot);
    addCase("dot last in the domain", "kovacs@pelda.", Verdict::Invalid, noDot);
    const QString noSpace = QStringLiteral("Az e-mail címben nem lehet szóköz.");
    addCase("space inside", "kovacs @pelda.hu", Verdict::Invalid, noSpace);
    addCase("space in the domain", "kovacs@pelda .hu", Verdict::Invalid, noSpace);
    addCase("spaces around", " kovacs@pelda.hu ", Verdict::Valid);
    addCase("dot last before a trailing space", "kovacs@pelda. ", Verdict::Invalid, noDot);
}

void TestIdentifierChecks::email()
{
    QFETCH(QString, text);
    compareResult(checkEmail(text));
}

namespace {

// The digit positions the check digits cover: the registration number of a tax number, every digit of
// an account.
QList<qsizetype> digitPositionsBefore(const QString &text, qsizetype end)
{
    QList<qsizetype> positions;
    for (qsizetype position = 0; position < end; ++position) {
        if (text.at(position).isDigit())
            positions.append(position);
    }
    return positions;
}

struct Identifier
{
    const char *name;
    QString valid;
    Check check;
    QList<qsizetype> weightedPositions;
};

QList<Identifier> weightedIdentifiers()
{
    const Check taxNumber = [](const QString &text) { return checkTaxNumber(text); };
    const Check account = [](const QString &text) { return checkBankAccount(text); };
    const QString plainTaxNumber = QStringLiteral("12345676-2-41");
    const QString taxNumberWithNeighboursFiveApart = QStringLiteral("16052721-2-41");
    const QString shortAccount = QStringLiteral("11773016-12345676-********");
    const QString longAccount = QStringLiteral("16052721-38160493-50273816");
    return {
        {"tax number", plainTaxNumber, taxNumber, digitPositionsBefore(plainTaxNumber, 8)},
        {"tax number with 0-5 neighbours", taxNumberWithNeighboursFiveApart, taxNumber,
         digitPositionsBefore(taxNumberWithNeighboursFiveApart, 8)},
        {"account, two blocks", shortAccount, account, digitPositionsBefore(shortAccount, shortAccount.size())},
        {"account, three blocks", longAccount, account, digitPositionsBefore(longAccount, longAccount.size())},
    };
}

} // namespace

void TestIdentifierChecks::everySingleWrongDigitIsCaught_data()
{
    QTest::addColumn<QString>("valid");
    QTest::addColumn<Check>("check");
    QTest::addColumn<QList<qsizetype>>("positions");
    for (const Identifier &identifier : weightedIdentifiers())
        QTest::newRow(identifier.name) << identifier.valid << identifier.check
                                       << identifier.weightedPositions;
    QList<qsizetype> allTen(10);
    std::iota(allTen.begin(), allTen.end(), 0);
    QTest::newRow("tax identification number")
        << QStringLiteral("8414091237") << Check([](const QString &text) { return checkTaxIdentificationNumber(text); })
        << allTen;
}

void TestIdentifierChecks::everySingleWrongDigitIsCaught()
{
    QFETCH(QString, valid);
    QFETCH(Check, check);
    QFETCH(QList<qsizetype>, positions);
    QCOMPARE(check(valid).verdict, Verdict::Valid);
    for (qsizetype position : positions) {
        for (char digit = '0'; digit <= '9'; ++digit) {
            if (valid.at(position) == QLatin1Char(digit))
                continue;
            QString mistyped = valid;
            mistyped[position] = QLatin1Char(digit);
            QVERIFY2(check(mistyped).verdict == Verdict::Invalid, qPrintable(mistyped));
        }
    }
}

void TestIdentifierChecks::weightedSwapsAreCaughtUnlessTheDigitsDifferByFive_data()
{
    QTest::addColumn<QString>("valid");
    QTest::addColumn<Check>("check");
    QTest::addColumn<QList<qsizetype>>("positions");
    for (const Identifier &identifier : weightedIdentifiers())
        QTest::newRow(identifier.name) << identifier.valid << identifier.check
                                       << identifier.weightedPositions;
}

// Neighbours on paper, and digits four places apart, which share a weight. The first eight digits and
// the rest of an account are checked apart, so swaps between them always show.
void TestIdentifierChecks::weightedSwapsAreCaughtUnlessTheDigitsDifferByFive()
{
    QFETCH(QString, valid);
    QFETCH(Check, check);
    QFETCH(QList<qsizetype>, positions);
    int unseen = 0;
    for (qsizetype index = 0; index < positions.size(); ++index) {
        for (const qsizetype distance : {1, 4}) {
            if (index + distance >= positions.size())
                continue;
            const qsizetype first = positions.at(index);
            const qsizetype second = positions.at(index + distance);
            if (distance == 1 && second != first + 1)
                continue; // a hyphen stands between them
            const int difference = std::abs(valid.at(first).unicode() - valid.at(second).unicode());
            if (difference == 0)
                continue;
            QString swapped = valid;
            std::swap(swapped[first], swapped[second]);
            const bool sameCheck = (index < 8) == (index + distance < 8);
            const bool expectUnseen = sameCheck && (distance == 4 || difference == 5);
            const bool caught = check(swapped).verdict == Verdict::Invalid;
            QVERIFY2(caught == !expectUnseen, qPrintable(swapped));
            unseen += expectUnseen ? 1 : 0;
        }
    }
    QVERIFY(unseen > 0); // the numbers do hold swaps the weights cannot catch
}

void TestIdentifierChecks::everySwapInTheTaxIdentificationNumberIsCaught()
{
    const QString valid = QStringLiteral("8414091237");
    for (qsizetype first = 0; first < valid.size(); ++first) {
        for (qsizetype second = first + 1; second < valid.size(); ++second) {
            if (valid.at(first) == valid.at(second))
                continue;
            QString swapped = valid;
            std::swap(swapped[first], swapped[second]);
            QVERIFY2(checkTaxIdentificationNumber(swapped).verdict == Verdict::Invalid, qPrintable(swapped));
        }
    }
}

void TestIdentifierChecks::problemsListInvalidAndPartlyFilledFieldsInOrder()
{
    const QList<CheckedValue> values{
        {QStringLiteral("LMDMaskEdit3"), {CheckRule::TaxIdentificationNumber, "Adóazonosító jele"},
         QStringLiteral("84140912**")},
        {QStringLiteral("LMDMaskEdit2"), {CheckRule::TaxNumber, "Adószáma"}, QStringLiteral("12345677-2-41")},
        {QStringLiteral("LMDMaskEdit1"), {CheckRule::StatisticalCode, "Statisztikai számjele"},
         QStringLiteral("********-****-***-**")},
        {QStringLiteral("LMDMaskEdit32"), {CheckRule::Postcode, "Székhely irányítószáma"}, QStringLiteral("1011")},
        {QStringLiteral("Edit92"), {CheckRule::Email, "E-mail címe"}, QStringLiteral("kovacs")},
    };
    const QList<Problem> problems = problemsOf(values, {});
    QCOMPARE(problems.size(), 3);
    QCOMPARE(problems.at(0).name, QStringLiteral("LMDMaskEdit3"));
    QCOMPARE(problems.at(0).line, QStringLiteral("Adóazonosító jele: nincs minden számjegye kitöltve."));
    QCOMPARE(problems.at(1).name, QStringLiteral("LMDMaskEdit2"));
    QCOMPARE(problems.at(1).line, QStringLiteral("Adószáma: Az adószám ellenőrző számjegye hibás."));
    QCOMPARE(problems.at(2).line, QStringLiteral("E-mail címe: Az e-mail címben pontosan egy @ jel kell."));

    // The birth date reaches the tax identification number through the context.
    const QList<CheckedValue> taxId{{QStringLiteral("LMDMaskEdit3"),
                                     {CheckRule::TaxIdentificationNumber, "Adóazonosító jele"},
                                     QStringLiteral("8414091237")}};
    QVERIFY(problemsOf(taxId, {.birthDate = QDate(1980, 5, 17)}).isEmpty());
    QCOMPARE(problemsOf(taxId, {.birthDate = QDate(1980, 5, 16)}).size(), 1);
}

// A field with a rule but a template the rule reads as filled would stop every print.
void TestIdentifierChecks::everyCheckedFieldStartsEmpty()
{
    int masked = 0;
    for (const CatalogueRow &row : catalogue()) {
        if (row.kind == ComponentKind::TLMDMaskEdit) {
            ++masked;
            QVERIFY2(row.check.rule != CheckRule::None, row.name);
        }
        if (row.check.rule == CheckRule::None)
            continue;
        // The window reads the value of a masked or a text field only.
        QVERIFY2(row.kind == ComponentKind::TLMDMaskEdit || row.kind == ComponentKind::TEdit, row.name);
        QVERIFY2(*row.check.caption, row.name);
        QCOMPARE(checkField(row.check.rule, QString::fromUtf8(row.text), {}).verdict, Verdict::Empty);
    }
    QCOMPARE(masked, 6);
}

QTEST_APPLESS_MAIN(TestIdentifierChecks)
#include "tst_identifierchecks.moc"
