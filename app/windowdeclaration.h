#pragma once

#include "print/reportvariables.h"

class TForm1;

// The declaration window as the printed page reads it: field texts, values, captions, the chosen
// reason, the check box and the dates, at the moment of each call.
class WindowDeclaration : public DeclarationSource
{
public:
    explicit WindowDeclaration(const TForm1 &form) : m_form(form) {}

    QString fieldText(const QString &fieldName) const override;
    DecimalNumber numericValue(const QString &fieldName) const override;
    QString labelCaption(const QString &labelName) const override;
    int selectedOption(const QString &groupName) const override;
    QStringList optionCaptions(const QString &groupName) const override;
    bool isChecked(const QString &checkBoxName) const override;
    QDate date(const QString &datePickerName) const override;

private:
    const TForm1 &m_form;
};
