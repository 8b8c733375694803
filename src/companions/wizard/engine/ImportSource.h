// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ImportSource: a file (or one table of a folder) whose rows the wizard
// reads, checks and writes. The check and the writing each read it from its
// first row, so a source can be read again from the start.
#include "data/Errors.h"
#include "wizard/engine/Cells.h"

#include <QString>
#include <QStringList>

namespace zelvar::wizard {

// A file that cannot be read: damaged, cut short, in an unknown encoding, a
// cell too large. The message is Turkish and names the file and, where it
// is known, the row.
class ImportError : public ZelvarError {
public:
    using ZelvarError::ZelvarError;
};

class ImportSource {
public:
    virtual ~ImportSource() = default;

    // The file's name as messages show it.
    virtual QString fileName() const = 0;
    // The column headings: the first row of a sheet or a text file, the
    // field names of a table.
    virtual QStringList headings() const = 0;
    // Reads the next row with data; false after the last. Blank rows are
    // passed over. Throws ImportError.
    virtual bool next(SourceRow& row) = 0;
    // Starts again at the first row after the headings.
    virtual void rewind() = 0;
    // Findings about the file as a whole, known only once it was read to
    // the end (a sheet's merged cells): row number and text.
    virtual QVector<QPair<qint64, QString>> lateNotes() const { return {}; }
};

} // namespace zelvar::wizard
