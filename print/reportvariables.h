#pragma once

#include "common/decimalnumber.h"

#include <QChar>
#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// What the page's variables read from the declaration, by component name. The main window implements
// it over its fields; every call reads the field's state at that moment.
class DeclarationSource
{
public:
    virtual ~DeclarationSource() = default;

    // What a text, numeric or masked field shows (masked fields with their blank characters).
    virtual QString fieldText(const QString &fieldName) const = 0;
    // A numeric field's Value, digit for digit as its text says; fails with EConvertError when the text
    // does not read as a number.
    virtual DecimalNumber numericValue(const QString &fieldName) const = 0;
    virtual QString labelCaption(const QString &labelName) const = 0;
    // The chosen item of an option group, -1 when none is chosen.
    virtual int selectedOption(const QString &groupName) const = 0;
    virtual QStringList optionCaptions(const QString &groupName) const = 0;
    virtual bool isChecked(const QString &checkBoxName) const = 0;
    virtual QDate date(const QString &datePickerName) const = 0;
};

// The nine fields of an address group, in their roles.
struct AddressPieces
{
    QString postcode;
    QString city;
    QString streetName;
    QString streetKind;
    QString houseNumber;
    QString building;
    QString staircase;
    QString floor;
    QString door;
};

// The number rounded half away from zero, every integer digit grouped by threes with the separator,
// then " Ft.". A null separator groups nothing.
QString amountText(const DecimalNumber &value, QChar thousandSeparator);

// The address as the page writes it: "-" when the city is empty.
QString addressText(const AddressPieces &address);

// The answer to a page variable, matched case-sensitively; no answer for a name the page does not
// use. Amounts use the thousands separator of the regional settings, dates their short date format.
// Fails with the reading's message when a numeric field or a computed result does not convert, and
// with "List index out of bounds (-1)" when the reason of the return has no chosen option.
std::optional<QString> reportVariable(const QString &variableName, const DeclarationSource &declaration,
                                      const QString &printIdentifier, QDate today);
