// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A data module over a fresh database in a temporary folder.
#include "data/TDM2.h"

#include <QTemporaryDir>
#include <memory>

namespace zelvar::testing {

class DataFixture {
public:
    DataFixture();
    TDM2& dm() { return *m_dm; }
    QString folder() const { return m_dir.path(); }

    // Stores a resident directly: name, record number and any further fields.
    void addResident(const QString& name, int number, const QVariantMap& fields = {});
    // Stores a resident that the record-number index lacks: the damage that
    // SQLite's quick check does not see and its full check does.
    void addResidentMissingFromIndex(const QString& name, int number);
    // Reopens the data module, as a new program run would.
    void restart();
    int residentCount();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TDM2> m_dm;
};

} // namespace zelvar::testing
