// SPDX-License-Identifier: GPL-3.0-or-later
#include "wizard/engine/Cells.h"

#include "data/FieldDefs.h"

#include <QString>
#include <QStringEncoder>
#include <cmath>
#include <cstring>

namespace zelvar::wizard {

SourceRow::SourceRow(const SourceRow& other)
{
    *this = other;
}

SourceRow& SourceRow::operator=(const SourceRow& other)
{
    if (this == &other)
        return *this;
    m_cells = other.m_cells;
    m_buffer = other.m_buffer;
    m_line = other.m_line;
    for (Cell& c : m_cells) {
        if (!c.outside)
            continue;
        const QByteArrayView text(c.outside, c.size);
        c.outside = nullptr;
        c.offset = quint32(m_buffer.size());
        m_buffer.append(text.data(), text.size());
    }
    return *this;
}

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
        c->outside = nullptr;
        c->offset = quint32(m_buffer.size());
        c->size = quint32(utf8.size());
        // Grown by hand: append() goes through insert(), which costs more
        // than the copy for the short values of a row.
        m_buffer.resize(qsizetype(c->offset) + c->size);
        if (c->size > 0)
            memcpy(m_buffer.data() + c->offset, utf8.data(), size_t(c->size));
    }
}

void SourceRow::pointAtText(int column, QByteArrayView utf8)
{
    if (Cell* c = cell(column)) {
        c->kind = utf8.isEmpty() ? CellKind::Empty : CellKind::Text;
        c->outside = utf8.data();
        c->offset = 0;
        c->size = quint32(utf8.size());
    }
}

void SourceRow::setText(int column, QStringView text)
{
    Cell* c = cell(column);
    if (!c)
        return;
    c->kind = text.isEmpty() ? CellKind::Empty : CellKind::Text;
    c->outside = nullptr;
    c->offset = quint32(m_buffer.size());
    QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
    m_buffer.resize(qsizetype(c->offset) + encoder.requiredSpace(text.size()));
    char* const start = m_buffer.data() + c->offset;
    c->size = quint32(encoder.appendToBuffer(start, text) - start);
    m_buffer.resize(qsizetype(c->offset) + c->size);
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
        // Dates are stored as four-digit years: 1 January 1 to 31 December 9999.
        static const qint64 first = QDate(1, 1, 1).toJulianDay();
        static const qint64 last = QDate(9999, 12, 31).toJulianDay();
        const qint64 day = date.toJulianDay();
        c->kind = date.isValid() && day >= first && day <= last ? CellKind::Date : CellKind::Empty;
        c->day = day;
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
