#pragma once

#include "form/checks/checkresult.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

// Which rule a field of the declaration is checked by.
enum class CheckRule {
    None,
    TaxIdentificationNumber,
    TaxNumber,
    StatisticalCode,
    BankAccount,
    Postcode,
    Email,
};

// The catalogue's column that links a field to its rule, with the caption the field goes by in the
// list of problems shown before printing.
struct FieldCheck
{
    CheckRule rule = CheckRule::None;
    const char *caption = ""; // UTF-8
};

// What some rules need from other fields.
struct CheckContext
{
    std::optional<QDate> birthDate = std::nullopt; // only for a private person who gave one
    QString taxNumber = {};                        // the tax number field's text
};

CheckResult checkField(CheckRule rule, const QString &text, const CheckContext &context);

// One field's value as the window holds it.
struct CheckedValue
{
    QString name;
    FieldCheck check;
    QString text;
};

struct Problem
{
    QString name; // the field's
    QString line; // caption and reason on one line
};

// The values that should be looked at before printing, in the given order: the invalid ones and the
// identifiers filled only in part.
QList<Problem> problemsOf(const QList<CheckedValue> &values, const CheckContext &context);
