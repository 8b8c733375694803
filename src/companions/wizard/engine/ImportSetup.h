// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ImportSetup: the choices the wizard's import pages make, kept without
// widgets: the path, which tables of a Paradox folder, the encoding, the
// table a sheet goes into and its column mapping; the preview of the first
// rows as they will be stored, and the import run made from them.
#include "wizard/engine/CodePages.h"
#include "wizard/engine/FieldMapping.h"
#include "wizard/engine/ImportRun.h"
#include "wizard/engine/ParadoxFolder.h"
#include "wizard/engine/SourceFiles.h"

#include <memory>
#include <optional>

namespace zelvar::wizard {

class ImportSetup {
public:
    explicit ImportSetup(Database& db);
    ~ImportSetup();

    // Looks at what the path holds: a Paradox folder's tables, or a sheet's
    // headings with the table and mapping they suggest. Throws ImportError.
    void setPath(const QString& path);
    QString path() const { return m_path; }
    SourceType type() const { return m_type; }
    bool isParadox() const { return m_type == SourceType::ParadoxFolder; }

    // Text encoding in place of the guess; nothing goes back to the guess.
    void setEncoding(std::optional<Encoding> encoding);
    std::optional<Encoding> encoding() const { return m_encoding; }
    // The encoding in force: the chosen one, the file's guess or the tables' code page.
    Encoding effectiveEncoding() const;

    // A Paradox folder's tables and which of them are imported.
    const ParadoxFolder* folder() const { return m_folder.get(); }
    bool tableImportable(int table) const;
    // Why a table is not imported: left out by design, unreadable, unknown.
    QString tableNote(int table) const;
    bool tableChosen(int table) const { return m_chosen.value(table); }
    void setTableChosen(int table, bool chosen);

    // A sheet's headings, the table it goes into and the mapping.
    QStringList headings() const { return m_headings; }
    const TableDef* targetTable() const { return m_mapping.table; }
    void setTargetTable(const TableDef* table); // guesses the mapping again
    const ColumnMapping& mapping() const { return m_mapping; }
    void setColumnField(int column, int field); // -1: the column is not imported

    // The first rows as they will be stored. For a folder, of the chosen
    // table `table` (its index in folder()->tables()).
    QVector<SourceRow> preview(int rows, int table = -1) const;
    const TableDef* previewTable(int table = -1) const;

    // The run for the check and the writing. Throws ImportError.
    std::unique_ptr<ImportRun> makeRun() const;

private:
    std::unique_ptr<ImportSource> openSource(int table) const;

    Database& m_db;
    QString m_path;
    SourceType m_type = SourceType::Unknown;
    std::optional<Encoding> m_encoding;
    Encoding m_guessed = Encoding::Utf8;
    std::unique_ptr<ParadoxFolder> m_folder;
    QVector<bool> m_chosen;
    QStringList m_headings;
    ColumnMapping m_mapping;
};

} // namespace zelvar::wizard
