// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DBGrid: a grid over a data source's dataset. Its current row and the
// dataset's current row follow each other; typing into a cell puts the row
// into editing. By default the rows are shaded by their number in the
// result: lavender for an even row number, the window colour for an odd
// one, on every cell, the selected one included, over any column colour.
#include "ui/bound/DatasetTableModel.h"

#include "data/DataSource.h"
#include "platform/ErrorReporter.h"

#include <QPointer>
#include <QStringListModel>
#include <QTableView>
#include <functional>

namespace zelvar {

class GridDelegate;

class DBGrid : public QTableView, public DataLink {
    Q_OBJECT
public:
    // The background of the row with this 1-based number; an invalid colour
    // leaves the grid's own.
    using RowShading = std::function<QColor(int rowNumber)>;
    static QColor lavender() { return QColor(210, 210, 255); }
    static RowShading alternateRowShading();

    explicit DBGrid(QWidget* parent = nullptr);
    DBGrid(DataSource* source, const QVector<GridColumn>& columns, QWidget* parent = nullptr);
    ~DBGrid() override;

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }
    Dataset* dataset() const;
    void setColumns(const QVector<GridColumn>& columns);
    DatasetTableModel* tableModel() const { return m_model; }
    // Shows another model over the same dataset; the grid takes it over.
    void setTableModel(DatasetTableModel* model);

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }
    void setTabStop(bool on);
    void setRowIndicator(bool on);
    void setGridLines(bool on) { setShowGrid(on); }
    void setRowShading(RowShading shading); // empty: no shading
    // Colours used where rows are not shaded.
    void setColors(const QColor& background, const QColor& text);

    QColor cellBackground(const QModelIndex& index) const;
    QColor cellTextColor(const QModelIndex& index) const;

    // Writes the text of an open cell editor into the row.
    void updateRecord() override;

    // Where the errors of the user's moves and cell edits go (a refused
    // post, an incomplete date); without one they are logged.
    void setErrorReporter(ErrorReporter* errors) { m_errors = errors; }
    ErrorReporter* errorReporter() const { return m_errors; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    friend class GridDelegate;
    void cellTyped();
    void applyColumnWidths();
    void followDataset();
    void viewRowChanged(const QModelIndex& current, const QModelIndex& previous);
    void setRowsTracked(bool tracked);
    void configureRowHeader(QHeaderView* rows, bool visible);
    void renewHiddenRowHeader();
    void takeOverRowHeaderUpdates();
    void repaintRowHeader(int first, int last);

    QPointer<DataSource> m_source;
    ErrorReporter* m_errors = nullptr;
    QPointer<Dataset> m_linked;
    DatasetTableModel* m_model = nullptr;
    QVector<GridColumn> m_columns;
    GridDelegate* m_delegate;
    RowShading m_shading;
    bool m_readOnly = false;
    bool m_following = false;
    QList<QMetaObject::Connection> m_connections;
    // Stands in for the rows under the row header while the grid is hidden.
    QStringListModel m_noRows;
    bool m_rowHeaderHasRoom = false; // the header has stood over the rows
};

} // namespace zelvar
