// SPDX-License-Identifier: GPL-3.0-or-later
#include "query/QueryRows.h"

#include "data/Dataset.h"

namespace zelvar {

int QueryRows::rowCount() const
{
    return m_rows && m_rows->isActive() ? m_rows->recordCount() : 0;
}

int QueryRows::fieldIndex(const QString& name) const
{
    return m_rows && m_rows->isActive() ? m_rows->fieldIndex(name) : -1;
}

QVariant QueryRows::value(int row, int field) const
{
    return m_rows->displayTextAt(row, field);
}

} // namespace zelvar
