// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/engine/Cells.h"

#include "data/FieldDefs.h"

#include <QString>
#include <cmath>
#include <cstring>

namespace zelvar::wizard {

void SourceRow::reset(int columns, qint64 line)
{
    m_cells.fill(Cell(), columns);
    m_buffer.resize(0); // keeps its room for the next row
    m_line = line;
}

SourceRow::Cell* SourceRow::cell(int column)
{
    if (column < 0)
        return nullptr;
    if (column >= m_cells.size())
        m_cells.resize(column + 1);
    return &m_cells[column];
}

void SourceRow::setText(int column, QByteArrayView utf8)
{
    if (Cell* c = cell(column)) {
        c->kind = utf8.isEmpty() ? CellKind::Empty : CellKind::Text;
        c->offset = m_buffer.size();
        c->size = utf8.size();
        // Grown by hand: append() goes through insert(), which costs more
        // than the copy for the short values of a row.
        m_buffer.resize(c->offset + c->size);
        if (c->size > 0)
            memcpy(m_buffer.data() + c->offset, utf8.data(), size_t(c->size));
    }
}

void SourceRow::setBytes(int column, QByteArrayView bytes)
{
    setText(column, bytes);
    if (Cell* c = cell(column); c && !bytes.isEmpty())
        c->kind = CellKind::Bytes;
}

void SourceRow::setNumber(int column, double value)
{
    if (Cell* c = cell(column)) {
        c->kind = CellKind::Number;
        c->number = value;
    }
}

void SourceRow::setDate(int column, QDate date)
{
    if (Cell* c = cell(column)) {
        // Dates are stored as four-digit years.
        c->kind = date.isValid() && date.year() >= 1 && date.year() <= 9999 ? CellKind::Date : CellKind::Empty;
        c->date = date;
    }
}

void SourceRow::markFormula(int column)
{
    if (Cell* c = cell(column))
        c->formula = true;
}

void SourceRow::markMerged(int column)
{
    if (Cell* c = cell(column))
        c->merged = true;
}

CellKind SourceRow::kind(int column) const
{
    return column >= 0 && column < m_cells.size() ? m_cells[column].kind : CellKind::Empty;
}

bool SourceRow::isFormula(int column) const
{
    return column >= 0 && column < m_cells.size() && m_cells[column].formula;
}

bool SourceRow::isMerged(int column) const
{
    return column >= 0 && column < m_cells.size() && m_cells[column].merged;
}

QByteArrayView SourceRow::bytes(int column) const
{
    if (column < 0 || column >= m_cells.size())
        return {};
    const Cell& c = m_cells[column];
    return QByteArrayView(m_buffer.constData() + c.offset, c.size);
}

double SourceRow::number(int column) const
{
    return column >= 0 && column < m_cells.size() ? m_cells[column].number : 0;
}

QDate SourceRow::date(int column) const
{
    return column >= 0 && column < m_cells.size() ? m_cells[column].date : QDate();
}

bool SourceRow::isBlank() const
{
    for (const Cell& c : m_cells)
        if (c.kind != CellKind::Empty)
            return false;
    return true;
}

QString SourceRow::displayText(int column) const
{
    switch (kind(column)) {
    case CellKind::Empty:
        return {};
    case CellKind::Text:
        return QString::fromUtf8(bytes(column));
    case CellKind::Number:
        return numberText(number(column));
    case CellKind::Date:
        return date(column).toString(QLatin1String(kDateFormat));
    case CellKind::Bytes:
        return QStringLiteral("(%1 bayt)").arg(bytes(column).size());
    }
    return {};
}

bool isBlankText(QByteArrayView utf8)
{
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80) // a blank beyond ASCII (a no-break space) is still a blank
            return QString::fromUtf8(utf8).trimmed().isEmpty();
        if (u != ' ' && (u < '\t' || u > '\r'))
            return false;
    }
    return true;
}

QString numberText(double value)
{
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15);
}

} // namespace zelvar::wizard
