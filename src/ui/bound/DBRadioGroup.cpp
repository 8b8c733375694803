// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bound/DBRadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <algorithm>

namespace zelvar {

DBRadioGroup::DBRadioGroup(const QString& title, QWidget* parent)
    : QGroupBox(title, parent),
      BoundControl(this),
      m_group(new QButtonGroup(this))
{
    setAccessibleName(title);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setSpacing(2);
    connect(m_group, &QButtonGroup::idClicked, this, [this] { userChangedAndWrite(); });
}

void DBRadioGroup::setItems(const QStringList& captions, const QStringList& codes)
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
    m_codes = codes.isEmpty() ? captions : codes;
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QRadioButton(captions[i], this);
        m_group->addButton(button, i);
        m_buttons << button;
    }
    layoutButtons();
    reload();
}

void DBRadioGroup::setColumns(int columns)
{
    m_columns = std::max(1, columns);
    layoutButtons();
}

void DBRadioGroup::layoutButtons()
{
    auto* grid = static_cast<QGridLayout*>(layout());
    for (QRadioButton* b : m_buttons)
        grid->removeWidget(b);
    // Items fill the first column top to bottom, then the next.
    const int perColumn = (int(m_buttons.size()) + m_columns - 1) / m_columns;
    for (int i = 0; i < m_buttons.size(); ++i)
        grid->addWidget(m_buttons[i], perColumn ? i % perColumn : 0, perColumn ? i / perColumn : 0);
}

int DBRadioGroup::itemIndex() const
{
    return m_group->checkedId();
}

QRadioButton* DBRadioGroup::button(int item) const
{
    return m_buttons.value(item);
}

void DBRadioGroup::loadFromField()
{
    const int item = m_codes.indexOf(fieldText());
    if (item >= 0) {
        m_buttons[item]->setChecked(true);
        return;
    }
    // No item chosen: an exclusive group cannot clear itself.
    m_group->setExclusive(false);
    for (QRadioButton* b : m_buttons)
        b->setChecked(false);
    m_group->setExclusive(true);
}

void DBRadioGroup::writeToField()
{
    const int item = itemIndex();
    dataset()->setText(fieldIndex(), item >= 0 ? m_codes.value(item) : QString());
}

} // namespace zelvar
