// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A folder of Paradox tables (the .DB files with their .MB blob files) read
// through Debian's pxlib: the tables found with their row counts, code pages
// and problems, and each table as an import source whose fields are read by
// name, text turned from the table's code page into UTF-8.
#include "data/FieldDefs.h"
#include "wizard/engine/CodePages.h"
#include "wizard/engine/ImportSource.h"

#include <memory>
#include <optional>

namespace zelvar::wizard {

struct ParadoxTable {
    QString path;                     // the .DB file
    QString fileName;                 // as found in the folder: "zelvarx.DB"
    const TableDef* target = nullptr; // the register's table of that name; null for others
    int rows = 0;
    int codePage = 0; // from the table's header
    bool encrypted = false;
    QString blobPath; // the .MB file beside it; empty when there is none
    QString problem;  // why the table cannot be read; empty when it can
};

class ParadoxFolder {
public:
    // Looks at every .DB file of the folder (any case of the name).
    explicit ParadoxFolder(const QString& folder);

    const QVector<ParadoxTable>& tables() const { return m_tables; }
    const ParadoxTable* table(const QString& name) const; // by our table's name, any case
    // The code page most tables declare (1254, 857, ...); 0 when none does.
    int commonCodePage() const;

    // True when the folder holds at least one .DB file.
    static bool holdsTables(const QString& folder);

private:
    QVector<ParadoxTable> m_tables;
};

class ParadoxSource : public ImportSource {
public:
    // Opens the table; text is read in `encoding`, or in the code page its
    // header names (1254 when the header names none that is Turkish).
    // Throws ImportError naming the file.
    explicit ParadoxSource(const ParadoxTable& table, std::optional<Encoding> encoding = std::nullopt);
    ~ParadoxSource() override;

    QString fileName() const override { return m_fileName; }
    QStringList headings() const override { return m_headings; }
    bool next(SourceRow& row) override;
    void rewind() override { m_next = 0; }

    int rowCount() const { return m_rows; }
    Encoding encoding() const { return m_encoding; }

    struct Document;

private:
    void attachBlobFile(const QString& path);
    [[noreturn]] void fail(const QString& why, qint64 row = 0) const;

    QString m_fileName;
    std::unique_ptr<Document> m_doc;
    QStringList m_headings;
    QVector<int> m_types;
    int m_rows = 0;
    int m_next = 0;
    Encoding m_encoding = Encoding::Windows1254;
    std::optional<SingleByteCodec> m_codec;
    QByteArray m_text;
};

} // namespace zelvar::wizard
