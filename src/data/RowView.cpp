// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/RowView.h"

#include "data/Database.h"
#include "data/StoredDate.h"

#include <sqlite3.h>

namespace zelvar {

bool ValuesRowView::isNull(int field) const
{
    const QVariant& value = m_values[field];
    return !value.isValid() || value.isNull();
}

double ValuesRowView::number(int field) const
{
    return m_values[field].toDouble();
}

QDate ValuesRowView::date(int field) const
{
    return m_values[field].toDate();
}

QByteArrayView ValuesRowView::utf8(int field) const
{
    m_text = m_values[field].toString().toUtf8();
    return m_text;
}

bool StatementRowView::isNull(int field) const
{
    return m_statement.columnIsNull(field);
}

double StatementRowView::number(int field) const
{
    return sqlite3_column_double(m_statement.handle(), field);
}

QDate StatementRowView::date(int field) const
{
    return storedDate(utf8(field));
}

QByteArrayView StatementRowView::utf8(int field) const
{
    int bytes = 0;
    const char* text = m_statement.columnUtf8(field, &bytes);
    return QByteArrayView(text, bytes);
}

} // namespace zelvar
