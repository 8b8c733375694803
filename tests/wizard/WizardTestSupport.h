// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers of the data wizard's tests: registers to import, files to read,
// and a table read back whole for comparing every field.
#include "data/Database.h"

#include <QByteArray>
#include <QColor>
#include <QStringList>
#include <memory>

namespace zelvar::testing {

// Every row of a table, ordered, each row as "field=value|field=value"
// with the stored type beside the value, so that a number stored as text or
// an empty text stored for a null shows as a difference.
QStringList tableRows(Database& db, const QString& table, const QString& orderBy);

// Where two tables read with tableRows differ first: the row and the field
// with both values; empty when they are the same.
QString firstDifference(const QStringList& actual, const QStringList& expected);

// A generated register of `residents` people with move-outs, the office
// row and appointments, and a few rows that try the edges: every Turkish
// letter, a memo longer than its place in a Paradox row, line breaks.
std::unique_ptr<Database> sampleRegister(const QString& folder, int residents);

// A small Windows bitmap of one colour.
QByteArray bitmap(const QColor& colour, int width = 24, int height = 16);

// Runs the automatic import of `path` into `db` with the default decisions;
// gives the rows written per table.
QHash<QString, qint64> importAll(Database& db, const QString& path);

} // namespace zelvar::testing
