// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads exported files back the way their users' programs would.
#include <QList>
#include <QString>
#include <QStringList>

namespace zelvar::testing {

// The sheet's rows through xlsx2csv, each a list of cell texts.
QList<QStringList> xlsxRows(const QString& path);
// One entry of a zip container as text, through unzip.
QString unzipEntry(const QString& path, const QString& entry);
// The text of each paragraph of an .odt file, blanks and breaks restored.
QStringList odtParagraphs(const QString& path);

} // namespace zelvar::testing
