// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/SqliteErrors.h"

#include <sqlite3.h>

namespace zelvar {

std::optional<StorageProblem> storageProblemOf(int sqliteCode)
{
    switch (sqliteCode & 0xff) {
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return StorageProblem::ReadOnly;
    case SQLITE_FULL:
        return StorageProblem::DiskFull;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return StorageProblem::Locked;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return StorageProblem::Damaged;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        return StorageProblem::DiskError;
    default:
        return std::nullopt;
    }
}

void throwSqliteError(sqlite3* db, int rc, const QString& context)
{
    const QString engineText = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    const QString detail = context.isEmpty() ? engineText : context + QStringLiteral(": ") + engineText;
    // The extended code tells a full disk written through the WAL apart too.
    const int code = db ? sqlite3_extended_errcode(db) : rc;
    if (const auto problem = storageProblemOf(code ? code : rc))
        throw StorageError(*problem, detail);
    throw EngineError(detail);
}

} // namespace zelvar
