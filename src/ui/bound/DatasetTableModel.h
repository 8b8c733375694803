// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table model over a dataset, for grids. Each column shows one field; the
// rows are the dataset's rows, a pending new row included. Values are read
// row by row as the view asks for them, so a grid over 100,000 residents
// reads only the rows it shows.
#include "data/Dataset.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QPointer>
#include <QVector>

namespace zelvar {

struct GridColumn {
    QString field;
    QString title; // empty: the field name
    int width = 0; // pixels; 0: from the field's width
    bool readOnly = false;
    Qt::Alignment alignment = {}; // empty: numbers right, everything else left
    QColor color = {};            // background when the grid does not shade its rows
};

class DatasetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DatasetTableModel(Dataset* dataset, QObject* parent = nullptr);

    Dataset* dataset() const { return m_dataset; }
    // The columns to show; an empty list shows every field of the dataset,
    // following it when it is opened on other SQL.
    void setColumns(const QVector<GridColumn>& columns);
    const QVector<GridColumn>& columns() const { return m_shown; }
    int fieldOf(int column) const { return m_fields.value(column, -1); }
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }
    // Between the notice of a change of the row list and its end; a view's
    // current row that moves then is no move of the user's.
    bool isChanging() const { return m_change != Change::None; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Puts the current row into editing and writes the typed text into the
    // field; other rows are not written.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    enum class Change { None, Resetting, Inserting, Removing };
    void beginReset();
    void endReset();
    void resetAfterTheFact();
    void rebuild();
    void rowChanged(int row);
    void fieldChanged(int field);
    void currentMoved();
    Qt::Alignment alignmentOf(int column) const;

    QPointer<Dataset> m_dataset;
    QVector<GridColumn> m_wanted;
    QVector<GridColumn> m_shown;
    QVector<int> m_fields; // field index per shown column
    int m_rows = 0;
    int m_current = -1;
    bool m_readOnly = false;
    Change m_change = Change::None; // a change announced and not yet done
};

} // namespace zelvar
