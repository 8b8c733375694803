// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bound/DatasetTableModel.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace zelvar {

namespace {

enum class Indicator { Current, Editing, Inserting };

// The marks of the row indicator: an arrow at the current row, an I-beam
// while it is edited, a star while a new row is filled.
QIcon indicatorIcon(Indicator kind)
{
    static QIcon icons[3];
    QIcon& icon = icons[int(kind)];
    if (!icon.isNull())
        return icon;
    QPixmap pm(10, 10);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::black);
    switch (kind) {
    case Indicator::Current:
        p.drawPolygon(QPolygonF({QPointF(2.5, 1), QPointF(8, 5), QPointF(2.5, 9)}));
        break;
    case Indicator::Editing:
        p.drawLine(QPointF(5, 1), QPointF(5, 9));
        p.drawLine(QPointF(3, 1), QPointF(7, 1));
        p.drawLine(QPointF(3, 9), QPointF(7, 9));
        break;
    case Indicator::Inserting:
        p.drawLine(QPointF(5, 1), QPointF(5, 9));
        p.drawLine(QPointF(1.5, 3), QPointF(8.5, 7));
        p.drawLine(QPointF(1.5, 7), QPointF(8.5, 3));
        break;
    }
    p.end();
    icon = QIcon(pm);
    return icon;
}

} // namespace

DatasetTableModel::DatasetTableModel(Dataset* dataset, QObject* parent)
    : QAbstractTableModel(parent),
      m_dataset(dataset)
{
    // Each change of the row list is announced to the views before the
    // dataset makes it and completed after, as Qt's models must: views and
    // accessibility clients read the old rows in between.
    connect(dataset, &Dataset::rowsAboutToBeReset, this, [this] { beginReset(); });
    connect(dataset, &Dataset::rowsReset, this, [this] { endReset(); });
    connect(dataset, &Dataset::rowAboutToBeInserted, this, [this](int row) {
        if (m_change == Change::None && row >= 0 && row <= m_rows && m_dataset->rowCount() == m_rows) {
            beginInsertRows({}, row, row);
            m_change = Change::Inserting;
        }
    });
    connect(dataset, &Dataset::rowInserted, this, [this] {
        if (m_change != Change::Inserting)
            return resetAfterTheFact();
        m_rows = m_dataset->rowCount();
        m_change = Change::None;
        endInsertRows();
    });
    connect(dataset, &Dataset::rowAboutToBeRemoved, this, [this](int row) {
        if (m_change == Change::None && row >= 0 && row < m_rows && m_dataset->rowCount() == m_rows) {
            beginRemoveRows({}, row, row);
            m_change = Change::Removing;
        }
    });
    connect(dataset, &Dataset::rowRemoved, this, [this] {
        if (m_change != Change::Removing)
            return resetAfterTheFact();
        m_rows = m_dataset->rowCount();
        m_change = Change::None;
        endRemoveRows();
    });
    // A grid may outlive its dataset; it is then empty.
    connect(dataset, &QObject::destroyed, this, [this] { resetAfterTheFact(); });
    connect(dataset, &Dataset::rowUpdated, this, [this](int row) { rowChanged(row); });
    connect(dataset, &Dataset::fieldChanged, this, [this](int field) { fieldChanged(field); });
    connect(dataset, &Dataset::currentChanged, this, [this] { currentMoved(); });
    connect(dataset, &Dataset::stateChanged, this, [this] { currentMoved(); });
    rebuild();
}

void DatasetTableModel::setColumns(const QVector<GridColumn>& columns)
{
    beginResetModel();
    m_wanted = columns;
    rebuild();
    endResetModel();
}

void DatasetTableModel::beginReset()
{
    if (m_change == Change::Resetting)
        return;
    beginResetModel();
    m_change = Change::Resetting;
}

void DatasetTableModel::endReset()
{
    beginReset();
    rebuild();
    m_change = Change::None;
    endResetModel();
}

void DatasetTableModel::resetAfterTheFact()
{
    // A change that came without its notice (or a half-announced one):
    // the whole model starts again.
    if (m_change == Change::Inserting || m_change == Change::Removing) {
        m_rows = m_dataset ? m_dataset->rowCount() : 0;
        if (m_change == Change::Inserting)
            endInsertRows();
        else
            endRemoveRows();
        m_change = Change::None;
    }
    endReset();
}

void DatasetTableModel::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
}

void DatasetTableModel::rebuild()
{
    m_shown.clear();
    m_fields.clear();
    const bool active = m_dataset && m_dataset->isActive();
    if (m_wanted.isEmpty()) {
        if (active)
            for (int f = 0; f < m_dataset->fieldCount(); ++f) {
                GridColumn column;
                column.field = m_dataset->fieldName(f);
                m_shown << column;
                m_fields << f;
            }
    } else {
        m_shown = m_wanted;
        for (const GridColumn& column : m_wanted)
            m_fields << (active ? m_dataset->fieldIndex(column.field) : -1);
    }
    m_rows = active ? m_dataset->rowCount() : 0;
    m_current = active ? m_dataset->recNo() : -1;
}

QModelIndex DatasetTableModel::index(int row, int column, const QModelIndex& parent) const
{
    if (parent.isValid() || row < 0 || column < 0 || row >= m_rows || column >= m_shown.size())
        return {};
    // Qt hashes an index as (row << 4) + column + internal id. With more
    // than 16 columns neighbouring rows then collide, and the persistent
    // indexes a screen reader keeps for every cell it has read make each
    // inserted or removed row cost minutes. A well-spread id, the same for
    // the same cell every time, keeps those hashes apart.
    const quint64 id = quint64(row) * 0x9E3779B97F4A7C15ull ^ quint64(column) * 0xC2B2AE3D27D4EB4Full;
    return createIndex(row, column, quintptr(id));
}

int DatasetTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DatasetTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_shown.size());
}

Qt::Alignment DatasetTableModel::alignmentOf(int column) const
{
    const Qt::Alignment wanted = m_shown[column].alignment;
    if (wanted & Qt::AlignHorizontal_Mask)
        return (wanted & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
    const int field = m_fields[column];
    const bool numeric = field >= 0 && m_dataset->fieldDef(field).isNumeric();
    return (numeric ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

QVariant DatasetTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows || !m_dataset)
        return {};
    const int field = m_fields[index.column()];
    switch (role) {
    case Qt::DisplayRole: {
        if (field < 0)
            return {};
        QString text = m_dataset->displayTextAt(index.row(), field);
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return text;
    }
    case Qt::EditRole:
        return field < 0 ? QVariant() : QVariant(m_dataset->displayTextAt(index.row(), field));
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignmentOf(index.column()));
    case Qt::BackgroundRole:
        return m_shown[index.column()].color.isValid() ? QVariant(m_shown[index.column()].color) : QVariant();
    default:
        return {};
    }
}

QVariant DatasetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= m_shown.size())
            return {};
        if (role == Qt::DisplayRole)
            return m_shown[section].title.isEmpty() ? m_shown[section].field : m_shown[section].title;
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        return {};
    }
    // The row indicator: no numbers, a mark at the current row.
    if (role == Qt::DecorationRole && m_dataset && section == m_dataset->recNo()) {
        if (m_dataset->isInserting())
            return indicatorIcon(Indicator::Inserting);
        return indicatorIcon(m_dataset->isEditing() ? Indicator::Editing : Indicator::Current);
    }
    return {};
}

Qt::ItemFlags DatasetTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || !m_dataset)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const int field = m_fields[index.column()];
    if (m_readOnly || m_shown[index.column()].readOnly || field < 0 || m_dataset->isReadOnly())
        return flags;
    const FieldType type = m_dataset->fieldDef(field).type;
    if (type != FieldType::AutoInc && type != FieldType::Blob)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DatasetTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    // Only the current row is written. A cell editor still open on a row
    // the dataset has left (it moved or inserted meanwhile) writes nothing.
    const int field = m_fields[index.column()];
    if (index.row() != m_dataset->recNo())
        return false;
    const QString text = value.toString();
    if (!m_dataset->isEditing()) {
        if (text == m_dataset->displayText(field))
            return false;
        m_dataset->edit();
    }
    m_dataset->setText(field, text);
    return true;
}

void DatasetTableModel::rowChanged(int row)
{
    if (row >= 0 && row < m_rows && !m_shown.isEmpty())
        emit dataChanged(index(row, 0), index(row, int(m_shown.size()) - 1));
}

void DatasetTableModel::fieldChanged(int field)
{
    if (!m_dataset)
        return;
    const int row = m_dataset->recNo();
    if (row < 0 || row >= m_rows)
        return;
    for (int c = 0; c < m_fields.size(); ++c)
        if (m_fields[c] == field)
            emit dataChanged(index(row, c), index(row, c));
}

void DatasetTableModel::currentMoved()
{
    // The indicator moves with the current row. Outside editing the row may
    // have been reloaded (a cancelled change); while editing its values
    // change only field by field, and an open cell editor keeps its text.
    const int previous = m_current;
    m_current = m_dataset && m_dataset->isActive() ? m_dataset->recNo() : -1;
    if (previous >= 0 && previous < m_rows && previous != m_current)
        emit headerDataChanged(Qt::Vertical, previous, previous);
    if (m_current >= 0 && m_current < m_rows) {
        emit headerDataChanged(Qt::Vertical, m_current, m_current);
        if (!m_dataset->isEditing())
            rowChanged(m_current);
    }
}

} // namespace zelvar
