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
    if (const std::vector<QVariant>* values = column(field))
        return Dataset::formatValue(m_residents->fieldDef(field), (*values)[row]);
    return m_residents->displayTextAt(row, field);
}

// A list walks every row: reading a field for all rows at once is far
// cheaper than loading each row whole. A dataset without such columns is
// read row by row.
const std::vector<QVariant>* ResidentRows::column(int field) const
{
    auto it = m_columns.find(field);
    if (it == m_columns.end())
        it = m_columns.insert(field, m_residents->columnValues(field));
    return int(it->size()) == m_rows ? &*it : nullptr;
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
