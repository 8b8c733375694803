// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DatasetRows.h"

#include "data/Dataset.h"

#include <QImage>

namespace zelvar {

DatasetRows::DatasetRows(Dataset* dataset)
    : m_dataset(dataset)
{
}

int DatasetRows::rowCount() const
{
    return m_dataset && m_dataset->isActive() ? m_dataset->recordCount() : 0;
}

int DatasetRows::fieldIndex(const QString& name) const
{
    return m_dataset && m_dataset->isActive() ? m_dataset->fieldIndex(name) : -1;
}

QVariant DatasetRows::value(int row, int field) const
{
    if (field < 0 || row < 0 || row >= rowCount())
        return {};
    if (m_dataset->fieldDef(field).type == FieldType::Blob)
        return QImage::fromData(m_dataset->valueAt(row, field).toByteArray());
    return m_dataset->displayTextAt(row, field);
}

} // namespace zelvar
