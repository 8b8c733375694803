// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// RowSource: the rows a report prints, as the paginator reads them. Field
// names are looked up once per item; values are text (already formatted for
// print) or a QImage for picture items.
#include <QHash>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace zelvar::report {

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual int rowCount() const = 0;
    // -1 when the rows have no such field; such an item prints empty.
    virtual int fieldIndex(const QString& name) const = 0;
    virtual QVariant value(int row, int field) const = 0;
};

// Rows held in memory: for tests, and for reports whose rows are few.
class TableRows : public RowSource {
public:
    explicit TableRows(QStringList fields = {});
    void addRow(const QVariantList& values); // in the order of the fields
    void addRow(const QHash<QString, QVariant>& values);

    int rowCount() const override { return int(m_rows.size()); }
    int fieldIndex(const QString& name) const override;
    QVariant value(int row, int field) const override;

private:
    QStringList m_fields;
    QVector<QVariantList> m_rows;
};

// No rows: a report that prints only its title, header and footer.
class NoRows : public RowSource {
public:
    int rowCount() const override { return 0; }
    int fieldIndex(const QString&) const override { return -1; }
    QVariant value(int, int) const override { return {}; }
};

} // namespace zelvar::report
