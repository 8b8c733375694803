// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// LockWait: writing while other programs share the database. Each change
// runs in one transaction; while another program holds the write lock for a
// moment, the change waits (the connection's busy timeout) and is tried
// again, so that a moment's lock is never reported as an error. Only a lock
// held longer than kMaxWaitMs reaches the user, as the lock's own message.
#include <functional>

namespace zelvar {

class Database;

constexpr int kMaxWaitMs = 15000;

// Runs `change` in one transaction, committed when it returns; anything it
// throws rolls the transaction back and goes on to the caller. `change` may
// run more than once, each time from the start of a new transaction.
void writeTransaction(Database& db, const std::function<void()>& change, int maxWaitMs = kMaxWaitMs);

} // namespace zelvar
