// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One row of an import source as it was read: each column's value with the
// kind the file gave it (text, number, date, bytes), text held as UTF-8 in
// one buffer of the row, so that reading a large file makes no value object
// per cell.
#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QStringView>
#include <QVector>

namespace zelvar::wizard {

enum class CellKind : quint8 { Empty, Text, Number, Date, Bytes };

class SourceRow {
public:
    SourceRow() = default;
    // A copy holds its own text, also of the cells that only point at it.
    SourceRow(const SourceRow& other);
    SourceRow& operator=(const SourceRow& other);
    SourceRow(SourceRow&&) = default;
    SourceRow& operator=(SourceRow&&) = default;
    ~SourceRow() = default;

    // Starts a row of `columns` empty cells; `line` is its number in the
    // file as the user sees it (a spreadsheet's row number, a text file's line).
    void reset(int columns, qint64 line);

    void setText(int column, QByteArrayView utf8);
    void setText(int column, QStringView text); // turned into UTF-8
    // The cell points at text kept elsewhere instead of copying it: the
    // caller keeps that text unchanged until the row is reset. Sources use
    // it for the row just read, which is good until their next read.
    void pointAtText(int column, QByteArrayView utf8);
    void setNumber(int column, double value);
    void setDate(int column, QDate date);
    void setBytes(int column, QByteArrayView bytes);
    // The cell held a formula; its value is the one last computed.
    void markFormula(int column);
    // The cell lies under a merged cell: the value stands in its first cell only.
    void markMerged(int column);

    int columnCount() const { return int(m_cells.size()); }
    qint64 line() const { return m_line; }
    CellKind kind(int column) const { return has(column) ? m_cells[column].kind : CellKind::Empty; }
    bool isEmpty(int column) const { return kind(column) == CellKind::Empty; }
    bool isFormula(int column) const { return has(column) && m_cells[column].formula; }
    bool isMerged(int column) const { return has(column) && m_cells[column].merged; }
    // Text or bytes of the cell; valid until the row is reset.
    QByteArrayView bytes(int column) const
    {
        if (!has(column))
            return {};
        const Cell& c = m_cells[column];
        return QByteArrayView(c.outside ? c.outside : m_buffer.constData() + c.offset, c.size);
    }
    double number(int column) const { return kind(column) == CellKind::Number ? m_cells[column].number : 0; }
    QDate date(int column) const
    {
        return kind(column) == CellKind::Date ? QDate::fromJulianDay(m_cells[column].day) : QDate();
    }
    // Every cell empty: a blank line or a spreadsheet row that has a format only.
    bool isBlank() const;
    // The cell as text, for messages and previews: numbers without a
    // needless fraction, dates dd.MM.yyyy.
    QString displayText(int column) const;

private:
    // Small, as a row's cells are cleared for every row read.
    struct Cell {
        const char* outside = nullptr; // text kept elsewhere, see pointAtText
        union {
            double number = 0;
            qint64 day; // a date's Julian day
        };
        quint32 offset = 0; // text or bytes in m_buffer
        quint32 size = 0;
        CellKind kind = CellKind::Empty;
        bool formula = false;
        bool merged = false;
    };
    bool has(int column) const { return column >= 0 && column < m_cells.size(); }
    Cell* cell(int column);
    QVector<Cell> m_cells;
    QByteArray m_buffer;
    qint64 m_line = 0;
};

// Text that holds nothing but blanks (or nothing at all).
bool isBlankText(QByteArrayView utf8);

// A number as a record number or a text field shows it: 12, not 12.0.
QString numberText(double value);

} // namespace zelvar::wizard
