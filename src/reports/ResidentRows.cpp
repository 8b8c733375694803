// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/ResidentRows.h"

#include "data/Database.h"
#include "data/Dataset.h"

#include <QImage>

namespace zelvar {

ResidentRows::ResidentRows(Dataset* residents)
    : m_residents(residents),
      m_rows(residents->isActive() ? residents->recordCount() : 0),
      m_photoField(residents->fieldCount()),
      m_numberField(residents->fieldIndex(QStringLiteral("KayitNo")))
{
}

ResidentRows::~ResidentRows() = default;

int ResidentRows::rowCount() const
{
    return m_rows;
}

int ResidentRows::fieldIndex(const QString& name) const
{
    if (name.compare(QLatin1String("Foto"), Qt::CaseInsensitive) == 0)
        return m_numberField < 0 ? -1 : m_photoField;
    return m_residents->fieldIndex(name);
}

QVariant ResidentRows::value(int row, int field) const
{
    if (field == m_photoField)
        return photo(row);
    // Row by row, as pages are laid out: the dataset keeps a few rows, so
    // a list of a million residents never sits in memory whole.
    return m_residents->displayTextAt(row, field);
}

// The photograph row that belongs to the resident; none leaves the box empty.
QVariant ResidentRows::photo(int row) const
{
    const QVariant number = m_residents->valueAt(row, m_numberField);
    if (number.isNull())
        return {};
    if (!m_photos)
        m_photos = std::make_unique<Statement>(m_residents->database()->handle(),
                                               QStringLiteral("select \"Foto\" from \"Foto\" where \"Kayitno\" = ?"));
    m_photos->reset();
    m_photos->bind(1, number);
    if (!m_photos->step())
        return {};
    const QImage picture = QImage::fromData(m_photos->column(0).toByteArray());
    m_photos->reset();
    return picture.isNull() ? QVariant() : QVariant(picture);
}

} // namespace zelvar
