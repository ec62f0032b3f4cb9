#pragma once

#include "storage/fillingform.h"

class TForm1;

// The declaration window as the saved filling sees it: its components with their values, and the
// writing back of loaded values by kind.
class WindowFilling : public FillingForm
{
public:
    explicit WindowFilling(TForm1 &form) : m_form(form) {}

    QList<FormComponent> components() const override;
    void setText(const QString &name, const QString &text) override;
    void setNumberText(const QString &name, const QString &text) override;
    void setMaskText(const QString &name, const QString &text) override;
    void setDate(const QString &name, QDate date) override;
    void setOptionIndex(const QString &name, int index) override;
    void PBNumEdit5Exit() override;
    void LMDRadioGroup7Click() override;
    void CheckBox1Click() override;

private:
    TForm1 &m_form;
};
