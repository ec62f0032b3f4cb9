#include "form/checks/fieldcheck.h"

#include "form/checks/identifiers.h"

CheckResult checkField(CheckRule rule, const QString &text, const CheckContext &context)
{
    switch (rule) {
    case CheckRule::None: return CheckResult::valid();
    case CheckRule::TaxIdentificationNumber: return checkTaxIdentificationNumber(text, context.birthDate);
    case CheckRule::TaxNumber: return checkTaxNumber(text);
    case CheckRule::StatisticalCode: return checkStatisticalCode(text, context.taxNumber);
    case CheckRule::BankAccount: return checkBankAccount(text);
    case CheckRule::Postcode: return checkPostcode(text);
    case CheckRule::Email: return checkEmail(text);
    }
    return CheckResult::valid();
}

QList<Problem> problemsOf(const QList<CheckedValue> &values, const CheckContext &context)
{
    QList<Problem> problems;
    for (const CheckedValue &value : values) {
        const CheckResult result = checkField(value.check.rule, value.text, context);
        const QString caption = QString::fromUtf8(value.check.caption);
        if (result.verdict == Verdict::Invalid)
            problems.append({value.name, caption + QStringLiteral(": ") + result.reason});
        else if (result.verdict == Verdict::Incomplete)
            problems.append({value.name, caption + QStringLiteral(": nincs minden számjegye kitöltve.")});
    }
    return problems;
}
