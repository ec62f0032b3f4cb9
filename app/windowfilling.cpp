#include "app/windowfilling.h"

#include "app/tform1.h"
#include "form/maskedit/tlmdmaskedit.h"
#include "form/numedit/tpbnumedit.h"
#include "form/widgets/tdatetimepicker.h"
#include "form/widgets/tedit.h"
#include "form/widgets/tlmdradiogroup.h"

QList<FormComponent> WindowFilling::components() const
{
    QList<FormComponent> values;
    for (const Component &component : m_form.components()) {
        FormComponent value;
        value.name = component.name;
        value.kind = component.kind;
        switch (component.kind) {
        case ComponentKind::TEdit:
            value.text = qobject_cast<TEdit *>(component.object)->text();
            break;
        case ComponentKind::TPBNumEdit:
            value.text = qobject_cast<TPBNumEdit *>(component.object)->text();
            break;
        case ComponentKind::TLMDMaskEdit:
            value.text = qobject_cast<TLMDMaskEdit *>(component.object)->text();
            break;
        case ComponentKind::TDateTimePicker: {
            const auto *picker = qobject_cast<TDateTimePicker *>(component.object);
            value.date = picker->date();
            value.minimumDate = picker->minimumDate();
            value.maximumDate = picker->maximumDate();
            break;
        }
        case ComponentKind::TLMDRadioGroup: {
            const auto *group = qobject_cast<TLMDRadioGroup *>(component.object);
            value.optionIndex = group->itemIndex();
            value.optionCount = int(group->items().size());
            break;
        }
        default:
            break;
        }
        values.append(value);
    }
    return values;
}

void WindowFilling::setText(const QString &name, const QString &text)
{
    m_form.field<TEdit>(name)->setText(text);
}

void WindowFilling::setNumberText(const QString &name, const QString &text)
{
    m_form.field<TPBNumEdit>(name)->setText(text);
}

void WindowFilling::setMaskText(const QString &name, const QString &text)
{
    m_form.field<TLMDMaskEdit>(name)->setText(text);
}

void WindowFilling::setDate(const QString &name, QDate date)
{
    // The time of day the field carries stays as it is.
    m_form.field<TDateTimePicker>(name)->setDate(date);
}

void WindowFilling::setOptionIndex(const QString &name, int index)
{
    m_form.field<TLMDRadioGroup>(name)->setItemIndex(index);
}

void WindowFilling::PBNumEdit5Exit()
{
    m_form.PBNumEdit5Exit();
}

void WindowFilling::LMDRadioGroup7Click()
{
    m_form.LMDRadioGroup7Click();
}

void WindowFilling::CheckBox1Click()
{
    m_form.CheckBox1Click();
}
