// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns SQLite's result codes into this program's errors: a read-only file,
// a full disk, a lock held by another program or a damaged file become a
// StorageError with its own message; everything else stays an EngineError.
#include "data/Errors.h"

#include <optional>

struct sqlite3;

namespace zelvar {

// The storage problem behind an SQLite result code (primary or extended),
// or nothing when the code is about the statement or the data.
std::optional<StorageProblem> storageProblemOf(int sqliteCode);

// Throws the error for the connection's last failure, code rc.
[[noreturn]] void throwSqliteError(sqlite3* db, int rc, const QString& context = QString());

} // namespace zelvar
