#pragma once

#include "storage/fillingform.h"

// A window of one text field, the taxpayer's name in Edit2: enough to save a filling and to tell
// whether it came back.
class OneFieldForm : public FillingForm
{
public:
    QString name;

    QList<FormComponent> components() const override
    {
        FormComponent field;
        field.name = QStringLiteral("Edit2");
        field.kind = ComponentKind::TEdit;
        field.text = name;
        return {field};
    }
    void setText(const QString &, const QString &text) override { name = text; }
    void setNumberText(const QString &, const QString &) override {}
    void setMaskText(const QString &, const QString &) override {}
    void setDate(const QString &, QDate) override {}
    void setOptionIndex(const QString &, int) override {}
    void PBNumEdit5Exit() override {}
    void LMDRadioGroup7Click() override {}
    void CheckBox1Click() override {}
};
