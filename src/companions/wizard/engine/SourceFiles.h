// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a path given to the wizard holds, and the import sources it opens:
// a folder of Paradox tables, or one spreadsheet or text file.
#include "wizard/engine/CodePages.h"
#include "wizard/engine/ImportRun.h"
#include "wizard/engine/ImportSource.h"

#include <memory>
#include <optional>

namespace zelvar::wizard {

enum class SourceType { ParadoxFolder, Csv, Xlsx, Ods, Unknown };

SourceType sourceTypeOf(const QString& path);

// Opens a spreadsheet or text file by its extension; `encoding` replaces
// the guess for a text file. Throws ImportError naming the file.
std::unique_ptr<ImportSource> openSheet(const QString& path, std::optional<Encoding> encoding = std::nullopt);

// Prepares `run` for everything at `path` with the automatic mapping:
// every table of a Paradox folder that the register has (its password row
// and its statistics tables excepted), or the one sheet into the table its
// headings name. Gives the notes on what is left out, one per line.
// Throws ImportError for a path that holds nothing to import or a table
// that cannot be read.
QStringList addAutomatic(ImportRun& run, const QString& path, std::optional<Encoding> encoding = std::nullopt);

// Why a Paradox table is not imported; empty for the tables that are.
QString paradoxTableLeftOut(const QString& tableName);

} // namespace zelvar::wizard
