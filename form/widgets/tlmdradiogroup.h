#pragma once

#include "form/widgets/tlmdgroupbox.h"

#include <QList>

class QButtonGroup;
class QRadioButton;

// A framed group of mutually exclusive options in columns. Like a platform radio group it is one
// stop in the tab order: the chosen option (or the first, when none is chosen) takes the focus.
class TLMDRadioGroup : public TLMDGroupBox
{
    Q_OBJECT

public:
    TLMDRadioGroup(const QStringList &items, int columns, QWidget *parent = nullptr);

    QStringList items() const;

    // The chosen option, counted from 0; -1 when none is chosen.
    int itemIndex() const;
    void setItemIndex(int index);

Q_SIGNALS:
    // The user chose an option, by mouse or keyboard.
    void clicked();

private:
    void updateTabStop();

    QButtonGroup *m_group;
    QList<QRadioButton *> m_buttons;
};
