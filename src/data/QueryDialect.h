// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The free query's dialect. The user types a column list and a condition the
// way the old desktop engine read them: strings in double quotes, dates as
// "01.08.1964". This turns the two pieces into one SQLite select over the
// resident table in which every typed string is a bound parameter, and a
// date string compared with a date field is bound as the ISO date the
// database holds.
#include "data/Errors.h"

#include <QString>
#include <QVariantList>

namespace zelvar {

class Database;
class Dataset;

// The typed pieces cannot be read: an open quote, a comment, a parameter
// mark, a second statement, an impossible date.
class QueryDialectError : public EngineError {
public:
    using EngineError::EngineError;
};

struct TranslatedQuery {
    QString sql;         // "select <columns> from zelvarx \n<condition>", literals as "?"
    QVariantList params; // the literals, in order
};

// Throws QueryDialectError when a piece cannot be read.
TranslatedQuery translateFreeQuery(const QString& columns, const QString& condition);

// Prepares the statement on the given connection and checks that it is one
// read-only select and nothing after it. Throws EngineError otherwise.
void checkSingleSelect(Database& db, const QString& sql);

// Closes the query, gives it the translated pieces and opens it on its own
// connection. Throws EngineError (or QueryDialectError) when the pieces
// cannot be read or run; the query is then closed.
void runFreeQuery(Dataset& query, const QString& columns, const QString& condition);

} // namespace zelvar
