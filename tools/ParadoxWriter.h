// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes registers as an old office keeps them: a folder of Paradox tables
// (.DB with their .MB blob files) laid out as the program's tables, text in
// a Turkish code page, optionally under a table password. Made with Debian's
// pxlib; the data wizard's tests, its benchmark and the demo import them.
#include "data/FieldDefs.h"

#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>

namespace zelvar {

class Database;

struct ParadoxOptions {
    int codePage = 1254; // 1254 (Windows Turkish) or 857 (DOS Turkish)
    QByteArray password; // four digits to encrypt the tables; empty for none
};

// The file name a table has in an office's folder: "zelvarx.DB", "Mahalle.db".
QString paradoxFileName(const TableDef& table);

class ParadoxTableWriter {
public:
    // Creates the table's .DB file (and .MB file when it has memo or blob
    // fields) at `path`. Throws ZelvarError.
    ParadoxTableWriter(const QString& path, const TableDef& table, const ParadoxOptions& options);
    ~ParadoxTableWriter();

    // One row, values in the table's field order: text, dates, numbers,
    // bytes for blobs; null values stay empty. Text is cut to its field.
    void append(const QVector<QVariant>& values);
    // Finishes the files; the destructor does it too.
    void close();

    struct Document;

private:
    std::unique_ptr<Document> m_doc;
    const TableDef& m_table;
    QString m_blobPath;
};

// Writes the eight tables of the first schema from `db` into `folder`
// under their Paradox file names.
void writeParadoxFolder(Database& db, const QString& folder, const ParadoxOptions& options = {});

} // namespace zelvar
