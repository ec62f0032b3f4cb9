#include "app/windowdeclaration.h"

#include "app/tform1.h"
#include "form/maskedit/tlmdmaskedit.h"
#include "form/numedit/tpbnumedit.h"
#include "form/widgets/tdatetimepicker.h"
#include "form/widgets/tlmdradiogroup.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

QString WindowDeclaration::fieldText(const QString &fieldName) const
{
    if (const auto *masked = m_form.field<TLMDMaskEdit>(fieldName))
        return masked->text();
    return m_form.field<QLineEdit>(fieldName)->text();
}

DecimalNumber WindowDeclaration::numericValue(const QString &fieldName) const
{
    return m_form.field<TPBNumEdit>(fieldName)->value();
}

QString WindowDeclaration::labelCaption(const QString &labelName) const
{
    return m_form.field<QLabel>(labelName)->text();
}

int WindowDeclaration::selectedOption(const QString &groupName) const
{
    return m_form.field<TLMDRadioGroup>(groupName)->itemIndex();
}

QStringList WindowDeclaration::optionCaptions(const QString &groupName) const
{
    return m_form.field<TLMDRadioGroup>(groupName)->items();
}

bool WindowDeclaration::isChecked(const QString &checkBoxName) const
{
    return m_form.field<QCheckBox>(checkBoxName)->isChecked();
}

QDate WindowDeclaration::date(const QString &datePickerName) const
{
    return m_form.field<TDateTimePicker>(datePickerName)->date();
}
