// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ResidentRows: the residents of a dataset as a report reads them: each
// field's display text (dates as dd.mm.yyyy, record numbers without
// decimals) and, under the name "Foto", the resident's photograph from the
// photo table, found by his record number.
#include "report/RowSource.h"

#include <QHash>
#include <memory>
#include <vector>

namespace zelvar {

class Dataset;
class Statement;

class ResidentRows : public report::RowSource {
public:
    explicit ResidentRows(Dataset* residents);
    ~ResidentRows() override;

    int rowCount() const override;
    int fieldIndex(const QString& name) const override;
    QVariant value(int row, int field) const override;

private:
    QVariant photo(int row) const;

    Dataset* m_residents;
    int m_rows;
    int m_photoField;                            // the index that stands for "Foto"
    int m_numberField;                           // KayitNo
    mutable std::unique_ptr<Statement> m_photos; // prepared on the first photograph
};

} // namespace zelvar
