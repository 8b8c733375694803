// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ResultRows: the rows of a result read whole, kept compact. Each value is
// kept as the engine gave it (null, integer, real, text as UTF-8, blob),
// one after another in blocks of a megabyte, and made into QVariants only
// when a row is looked at: a free query listing a million names holds tens
// of megabytes, not hundreds, and growing never copies what is held.
#include <QVariant>
#include <QVector>
#include <vector>

struct sqlite3_stmt;

namespace zelvar {

class ResultRows {
public:
    void clear();
    int size() const { return int(m_starts.size()); }
    bool empty() const { return m_starts.empty(); }
    // What the rows take in memory, in bytes.
    qint64 bytes() const { return m_bytes + qint64(m_starts.capacity() * sizeof(Start)); }

    // Appends the row a statement stands on.
    void append(sqlite3_stmt* statement);
    // One row's values as the engine gave them: qint64, double, QString,
    // QByteArray or null.
    QVector<QVariant> row(int index) const;

private:
    struct Start {
        quint32 block;
        quint32 offset;
    };
    std::vector<std::vector<char>> m_blocks;
    std::vector<Start> m_starts;
    qint64 m_bytes = 0; // the blocks' room
    int m_columns = 0;
};

} // namespace zelvar
