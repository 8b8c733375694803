// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// QueryRows: the rows of a dataset as a report reads them, each value as its
// display text. A closed dataset has no rows and no fields.
#include "report/RowSource.h"

namespace zelvar {

class Dataset;

class QueryRows : public report::RowSource {
public:
    explicit QueryRows(const Dataset* rows)
        : m_rows(rows)
    {
    }
    int rowCount() const override;
    int fieldIndex(const QString& name) const override;
    QVariant value(int row, int field) const override;

private:
    const Dataset* m_rows;
};

} // namespace zelvar
