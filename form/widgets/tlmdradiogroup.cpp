#include "form/widgets/tlmdradiogroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

TLMDRadioGroup::TLMDRadioGroup(const QStringList &items, int columns, QWidget *parent)
    : TLMDGroupBox(parent), m_group(new QButtonGroup(this))
{
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    for (int index = 0; index < items.size(); ++index) {
        auto *button = new QRadioButton(items.at(index), this);
        m_group->addButton(button, index);
        m_buttons.append(button);
        layout->addWidget(button, index / columns, index % columns, Qt::AlignLeft | Qt::AlignVCenter);
    }
    for (int column = 0; column < columns; ++column)
        layout->setColumnStretch(column, 1);
    connect(m_group, &QButtonGroup::idClicked, this, [this] {
        updateTabStop();
        Q_EMIT clicked();
    });
    updateTabStop();
}

QStringList TLMDRadioGroup::items() const
{
    QStringList captions;
    for (const QRadioButton *button : m_buttons)
        captions.append(button->text());
    return captions;
}

int TLMDRadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

void TLMDRadioGroup::setItemIndex(int index)
{
    if (index >= 0 && index < m_buttons.size()) {
        m_buttons.at(index)->setChecked(true);
    } else if (QAbstractButton *checked = m_group->checkedButton()) {
        // An exclusive group never unchecks its last button by itself.
        m_group->setExclusive(false);
        checked->setChecked(false);
        m_group->setExclusive(true);
    }
    updateTabStop();
}

void TLMDRadioGroup::updateTabStop()
{
    const int stop = qMax(itemIndex(), 0);
    for (int index = 0; index < m_buttons.size(); ++index)
        m_buttons.at(index)->setFocusPolicy(index == stop ? Qt::StrongFocus : Qt::ClickFocus);
}
