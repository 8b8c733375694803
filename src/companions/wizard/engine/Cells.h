// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One row of an import source as it was read: each column's value with the
// kind the file gave it (text, number, date, bytes), text held as UTF-8 in
// one buffer of the row, so that reading a large file makes no value object
// per cell.
#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QVector>

namespace zelvar::wizard {

enum class CellKind : quint8 { Empty, Text, Number, Date, Bytes };

class SourceRow {
public:
    // Starts a row of `columns` empty cells; `line` is its number in the
    // file as the user sees it (a spreadsheet's row number, a text file's line).
    void reset(int columns, qint64 line);

    void setText(int column, QByteArrayView utf8);
    void setNumber(int column, double value);
    void setDate(int column, QDate date);
    void setBytes(int column, QByteArrayView bytes);
    // The cell held a formula; its value is the one last computed.
    void markFormula(int column);
    // The cell lies under a merged cell: the value stands in its first cell only.
    void markMerged(int column);

    int columnCount() const { return int(m_cells.size()); }
    qint64 line() const { return m_line; }
    CellKind kind(int column) const;
    bool isEmpty(int column) const { return kind(column) == CellKind::Empty; }
    bool isFormula(int column) const;
    bool isMerged(int column) const;
    // Text or bytes of the cell; valid until the row is reset.
    QByteArrayView bytes(int column) const;
    double number(int column) const;
    QDate date(int column) const;
    // Every cell empty: a blank line or a spreadsheet row that has a format only.
    bool isBlank() const;
    // The cell as text, for messages and previews: numbers without a
    // needless fraction, dates dd.MM.yyyy.
    QString displayText(int column) const;

private:
    struct Cell {
        CellKind kind = CellKind::Empty;
        bool formula = false;
        bool merged = false;
        qsizetype offset = 0;
        qsizetype size = 0;
        double number = 0;
        QDate date;
    };
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
