#pragma once

#include "form/checks/checkresult.h"

#include <QDate>

#include <optional>

// The rules of the identifiers on the declaration. Each takes the field's text as the masked field
// shows it (blank characters and hyphens in place): a digit position holding anything but a digit
// counts as blank, and a text shorter than its template counts as blank at the end.

// Tax identification number of a private person, ten digits: 8, the days from 1 January 1867 to the
// birth date, three more digits, and the check digit. With a birth date, the days must match it.
CheckResult checkTaxIdentificationNumber(const QString &text, std::optional<QDate> birthDate = std::nullopt);

// Tax number, 8-1-2 digits: a registration number whose eighth digit checks the first seven, the VAT
// status and the area code.
CheckResult checkTaxNumber(const QString &text);

// Statistical code, 8-4-3-2 digits: it begins with the registration number, which is the first eight
// digits of the tax number when that is complete.
CheckResult checkStatisticalCode(const QString &text, const QString &taxNumberText = {});

// Bank account number, 8-8-8 digits, or 8-8 with the last block blank.
CheckResult checkBankAccount(const QString &text);

// Hungarian postcode: four digits from 1011 to 9985.
CheckResult checkPostcode(const QString &text);

// E-mail address, when one is given: one "@" with text on both sides and a dot inside the domain.
CheckResult checkEmail(const QString &text);
