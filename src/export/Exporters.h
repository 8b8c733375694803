// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writers of a dataset's rows to office files: spreadsheets (.xlsx, .ods)
// and text files of separated values (.csv) with a heading row of field
// names, and a word-processor document (.odt) with one paragraph per row. Neither needs a window; both stream, so a
// register of 100,000 residents is never held in memory twice.
#include "data/Errors.h"

#include <QString>
#include <functional>

namespace zelvar {

class Dataset;

// Called with the number of rows written so far, every few hundred rows and
// once at the end.
using ExportProgress = std::function<void(int rows)>;

// The file could not be written; the message names it. Nothing is left at
// the target path (an existing file there stays as it was).
class ExportError : public ZelvarError {
public:
    using ZelvarError::ZelvarError;
};

// Row 1: the field names; row n + 1: source row n, one field per column in
// the source's order. Dates are date cells shown dd.mm.yyyy, numbers are
// numbers, text and memo text are strings. Empty fields stay empty cells.
void exportToXlsx(const Dataset& source, const QString& path, const ExportProgress& progress = {});

// The same sheet as an OpenDocument spreadsheet: dates as date cells shown
// dd.mm.yyyy, numbers as numbers, line breaks kept.
void exportToOds(const Dataset& source, const QString& path, const ExportProgress& progress = {});

// The same rows as text: UTF-8 with a byte-order mark (so that spreadsheet
// programs read the Turkish letters), fields separated by semicolons,
// quoted where they hold a semicolon, a quote or a line break; dates
// dd.mm.yyyy, whole numbers without a fraction. Blob fields stay empty.
void exportToCsv(const Dataset& source, const QString& path, const ExportProgress& progress = {});

// One paragraph per row: every field's display text followed by one blank,
// so an empty field leaves two blanks in a row.
void exportToOdt(const Dataset& source, const QString& path, const ExportProgress& progress = {});

// The paragraph text of one row, as the document holds it.
QString odtParagraphText(const Dataset& source, int row);

} // namespace zelvar
