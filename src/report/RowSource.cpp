// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/RowSource.h"

namespace zelvar::report {

TableRows::TableRows(QStringList fields)
    : m_fields(std::move(fields))
{
}

void TableRows::addRow(const QVariantList& values)
{
    m_rows.append(values);
}

void TableRows::addRow(const QHash<QString, QVariant>& values)
{
    QVariantList row;
    row.reserve(m_fields.size());
    for (const QString& f : m_fields)
        row << values.value(f);
    m_rows.append(row);
}

int TableRows::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant TableRows::value(int row, int field) const
{
    if (row < 0 || row >= m_rows.size() || field < 0)
        return {};
    const QVariantList& values = m_rows[row];
    return field < values.size() ? values[field] : QVariant();
}

} // namespace zelvar::report
