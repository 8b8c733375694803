// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TitleGrid: the query page's grid of printed headings. Its heading row
// holds the result's field names, its one row the heading the user types
// for each column. Columns can be dragged, heading and field together, and
// are read by their position on the screen.
#include <QTableWidget>

namespace zelvar {

class TitleGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kInitialColumns = 10;
    static constexpr int kEditableColumns = 10;

    explicit TitleGrid(QWidget* parent = nullptr);

    // One column per field, named in order. More columns than can be printed
    // turn the grid yellow and read-only.
    void setFields(const QStringList& names);
    // Empties the field name and the heading of every column.
    void clearCells();
    bool isEditable() const { return m_editable; }

    // By position from the left, 0-based; empty text past the last column.
    QString fieldAt(int position) const;
    QString headingAt(int position) const;
    void setHeadingAt(int position, const QString& text);
    // Moves the column at `from` to `to`, as a drag does.
    void moveColumn(int from, int to);

private:
    void setColumns(int count);
    bool m_editable = true;
};

} // namespace zelvar
