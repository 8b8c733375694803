// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bound/DBCheckBox.h"

namespace zelvar {

DBCheckBox::DBCheckBox(QWidget* parent)
    : QCheckBox(parent),
      BoundControl(this)
{
    connect(this, &QCheckBox::clicked, this, [this] { userChangedAndWrite(); });
}

DBCheckBox::DBCheckBox(DataSource* source, const QString& field, QWidget* parent)
    : DBCheckBox(parent)
{
    bind(source, field);
}

void DBCheckBox::setValues(const QString& checked, const QString& unchecked)
{
    m_checked = checked;
    m_unchecked = unchecked;
    reload();
}

void DBCheckBox::loadFromField()
{
    setChecked(fieldText() == m_checked);
}

void DBCheckBox::writeToField()
{
    dataset()->setText(fieldIndex(), isChecked() ? m_checked : m_unchecked);
}

} // namespace zelvar
