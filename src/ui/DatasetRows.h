// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DatasetRows: a dataset's rows as a report reads them. Values print as the
// data store shows them (dates as dd.MM.yyyy, record numbers whole); a blob
// field gives the picture it holds. Rows are read on demand, so a report
// over a large result does not copy it first.
#include "report/RowSource.h"

#include <QPointer>

namespace zelvar {

class Dataset;

class DatasetRows : public report::RowSource {
public:
    explicit DatasetRows(Dataset* dataset);

    int rowCount() const override;
    int fieldIndex(const QString& name) const override;
    QVariant value(int row, int field) const override;

private:
    QPointer<Dataset> m_dataset;
};

} // namespace zelvar
