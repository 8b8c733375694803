// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Taking a table out of the register into a spreadsheet (.xlsx, .ods) or a
// text file (.csv), through the program's export writers. What goes out
// comes back in through the import into an empty folder; photographs do not
// fit these files, the data folder's backup holds them.
#include "export/Exporters.h"

#include <QString>
#include <QVector>
#include <optional>

namespace zelvar {
class Database;
}

namespace zelvar::wizard {

enum class ExportFormat { Xlsx, Ods, Csv };

// The format a file's extension names; nothing for other extensions.
std::optional<ExportFormat> exportFormatOf(const QString& path);

struct ExportChoice {
    QString name;  // as the command line names it: "zelvarx", "kalanlar", "Nakil"
    QString title; // as the wizard shows it
    QString sql;   // "select * from zelvarx where ..."
};

QVector<ExportChoice> exportChoices();
// The choice of that name, any case; nothing for an unknown one.
std::optional<ExportChoice> exportChoice(const QString& name);

// Writes the rows of `choice` to `path` in `format`. Throws ExportError;
// nothing is left at `path` then. Gives the number of rows written.
int exportTable(Database& db, const ExportChoice& choice, const QString& path, ExportFormat format,
                const ExportProgress& progress = {});

} // namespace zelvar::wizard
