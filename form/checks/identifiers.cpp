#include "form/checks/identifiers.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace {

constexpr QChar blank = u' ';

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int digitValue(QChar c)
{
    return c.unicode() - u'0';
}

// The digit positions of a masked text made of digit groups joined by one literal each. A position
// without a digit becomes a blank, so the result always has the groups' total length.
QString digitPositions(const QString &text, std::initializer_list<int> groupLengths)
{
    QString digits;
    qsizetype position = 0;
    for (int length : groupLengths) {
        for (int index = 0; index < length; ++index, ++position) {
            const QChar c = position < text.size() ? text.at(position) : blank;
            digits += isDigit(c) ? c : blank;
        }
        ++position; // the literal that joins this group to the next
    }
    return digits;
}

bool isBlank(QStringView digits)
{
    return std::all_of(digits.begin(), digits.end(), [](QChar c) { return c == blank; });
}

bool isFilled(QStringView digits)
{
    return std::none_of(digits.begin(), digits.end(), [](QChar c) { return c == blank; });
}

// Empty or incomplete; nothing when every position holds a digit.
std::optional<CheckResult> unfinished(QStringView digits)
{
    if (isBlank(digits))
        return CheckResult::empty();
    if (!isFilled(digits))
        return CheckResult::incomplete();
    return std::nullopt;
}

// Registration numbers and bank account blocks: the digits weighted 9, 7, 3, 1, 9, 7, 3, 1, ... add
// up to a multiple of 10. The weights are prime to 10, so every single wrong digit shows.
bool passesWeightedCheck(QStringView digits)
{
    constexpr std::array weights{9, 7, 3, 1};
    int sum = 0;
    for (qsizetype index = 0; index < digits.size(); ++index)
        sum += digitValue(digits[index]) * weights[index % weights.size()];
    return sum % 10 == 0;
}

bool isAreaCodeInUse(int code)
{
    return (code >= 2 && code <= 20) || code == 22 || (code >= 41 && code <= 44) || code == 51;
}

const QDate taxIdentificationEpoch(1867, 1, 1);

} // namespace

CheckResult checkTaxIdentificationNumber(const QString &text, std::optional<QDate> birthDate)
{
    const QString digits = digitPositions(text, {10});
    if (const auto result = unfinished(digits))
        return *result;
    if (digits[0] != u'8')
        return CheckResult::invalid(QStringLiteral("Az adóazonosító jel első számjegye csak 8 lehet."));
    // A remainder of 10 is never issued, and no check digit equals it.
    int sum = 0;
    for (int position = 1; position <= 9; ++position)
        sum += digitValue(digits[position - 1]) * position;
    if (sum % 11 != digitValue(digits[9]))
        return CheckResult::invalid(QStringLiteral("Az adóazonosító jel ellenőrző számjegye hibás."));
    if (birthDate && taxIdentificationEpoch.daysTo(*birthDate) != digits.mid(1, 5).toInt())
        return CheckResult::invalid(QStringLiteral("Az adóazonosító jel nem egyezik a születési dátummal."));
    return CheckResult::valid();
}

CheckResult checkTaxNumber(const QString &text)
{
    const QString digits = digitPositions(text, {8, 1, 2});
    if (const auto result = unfinished(digits))
        return *result;
    if (!passesWeightedCheck(QStringView(digits).first(8)))
        return CheckResult::invalid(QStringLiteral("Az adószám ellenőrző számjegye hibás."));
    const int vatStatus = digitValue(digits[8]);
    if (vatStatus < 1 || vatStatus > 5)
        return CheckResult::invalid(QStringLiteral("Az adószám 9. számjegye (áfakód) csak 1–5 lehet."));
    if (!isAreaCodeInUse(digits.mid(9, 2).toInt()))
        return CheckResult::invalid(QStringLiteral("Az adószám utolsó két számjegye nem létező területi kód."));
    return CheckResult::valid();
}

CheckResult checkStatisticalCode(const QString &text, const QString &taxNumberText)
{
    const QString digits = digitPositions(text, {8, 4, 3, 2});
    if (const auto result = unfinished(digits))
        return *result;
    const QString taxNumber = digitPositions(taxNumberText, {8, 1, 2});
    if (isFilled(taxNumber) && QStringView(digits).first(8) != QStringView(taxNumber).first(8))
        return CheckResult::invalid(QStringLiteral("A statisztikai számjel eleje nem egyezik az adószáméval."));
    // The first eight digits are the registration number, whose check holds with or without a tax number.
    if (!passesWeightedCheck(QStringView(digits).first(8)))
        return CheckResult::invalid(QStringLiteral("A statisztikai számjel ellenőrző számjegye hibás."));
    return CheckResult::valid();
}

CheckResult checkBankAccount(const QString &text)
{
    const QString digits = digitPositions(text, {8, 8, 8});
    const QStringView firstTwoBlocks = QStringView(digits).first(16);
    const QStringView lastBlock = QStringView(digits).sliced(16);
    if (isBlank(digits))
        return CheckResult::empty();
    // The short form leaves the whole last block blank; a last block begun but not finished is incomplete.
    if (!isFilled(firstTwoBlocks) || !(isBlank(lastBlock) || isFilled(lastBlock)))
        return CheckResult::incomplete();
    if (!passesWeightedCheck(firstTwoBlocks.first(8)))
        return CheckResult::invalid(QStringLiteral("A számlaszám első nyolc számjegye hibás (ellenőrző számjegy)."));
    const QStringView rest = isBlank(lastBlock) ? firstTwoBlocks.sliced(8) : QStringView(digits).sliced(8);
    if (!passesWeightedCheck(rest))
        return CheckResult::invalid(QStringLiteral("A számlaszám további számjegyei hibásak (ellenőrző számjegy)."));
    return CheckResult::valid();
}

CheckResult checkPostcode(const QString &text)
{
    const QString digits = digitPositions(text, {4});
    if (const auto result = unfinished(digits))
        return *result;
    const int postcode = digits.toInt();
    if (postcode < 1011 || postcode > 9985)
        return CheckResult::invalid(QStringLiteral("Az irányítószám nem esik 1011 és 9985 közé."));
    return CheckResult::valid();
}

CheckResult checkEmail(const QString &text)
{
    // A space typed at either end does no harm on paper; one inside breaks the address.
    const QString address = text.trimmed();
    if (address.isEmpty())
        return CheckResult::empty();
    if (std::any_of(address.begin(), address.end(), [](QChar c) { return c.isSpace(); }))
        return CheckResult::invalid(QStringLiteral("Az e-mail címben nem lehet szóköz."));
    if (address.count(u'@') != 1)
        return CheckResult::invalid(QStringLiteral("Az e-mail címben pontosan egy @ jel kell."));
    const qsizetype at = address.indexOf(u'@');
    const QStringView local = QStringView(address).first(at);
    const QStringView domain = QStringView(address).sliced(at + 1);
    if (local.isEmpty() || domain.isEmpty())
        return CheckResult::invalid(QStringLiteral("Az e-mail címben a @ előtt és után is kell szöveg."));
    const qsizetype dot = domain.indexOf(u'.', 1);
    if (dot < 0 || dot == domain.size() - 1)
        return CheckResult::invalid(QStringLiteral("Az e-mail cím @ utáni részében nincs pont."));
    return CheckResult::valid();
}
