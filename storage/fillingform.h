#pragma once

#include "form/catalogue.h"

#include <QDate>
#include <QList>
#include <QString>

// One component of the window with the value it holds. Only the member that belongs to the kind is
// meaningful.
struct FormComponent
{
    QString name; // as the window spells it
    ComponentKind kind = ComponentKind::TPanel;
    QString text; // TEdit, TPBNumEdit (its text, not its number), TLMDMaskEdit (blanks and literals kept)
    QDate date;   // TDateTimePicker (the date only)
    int optionIndex = -1; // TLMDRadioGroup; -1 when no option is selected
    int optionCount = 0;  // TLMDRadioGroup
    // TDateTimePicker: the dates the field can hold (by default the range of a Qt date editor).
    QDate minimumDate = QDate(1752, 9, 14);
    QDate maximumDate = QDate(9999, 12, 31);
};

// What saving and loading need from the main window, so that they never touch its widgets.
class FillingForm
{
public:
    virtual ~FillingForm() = default;

    // Every component of the window in component order, containers and labels included: a saved line
    // may name any of them.
    virtual QList<FormComponent> components() const = 0;

    // Writing a loaded value back, by the field's kind; the name is spelled as the window spells it.
    virtual void setText(const QString &name, const QString &text) = 0;
    // The text is taken unchanged; the field puts it into display form when the user next leaves it.
    virtual void setNumberText(const QString &name, const QString &text) = 0;
    // The field fits the text to its mask.
    virtual void setMaskText(const QString &name, const QString &text) = 0;
    // Only the date changes; the field keeps its time of day. The date lies in the field's range.
    virtual void setDate(const QString &name, QDate date) = 0;
    // An index from -1 (no option selected) to the last option.
    virtual void setOptionIndex(const QString &name, int index) = 0;

    // The recomputation and the two field rules, run after a load.
    virtual void PBNumEdit5Exit() = 0;
    virtual void LMDRadioGroup7Click() = 0;
    virtual void CheckBox1Click() = 0;
};
