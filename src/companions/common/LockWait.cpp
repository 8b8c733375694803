// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/common/LockWait.h"

#include "data/Database.h"
#include "data/Errors.h"

#include <QElapsedTimer>
#include <QThread>

namespace zelvar {

void writeTransaction(Database& db, const std::function<void()>& change, int maxWaitMs)
{
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        try {
            Database::Transaction tx(db);
            change();
            tx.commit();
            return;
        } catch (const StorageError& e) {
            if (e.problem() != StorageProblem::Locked || waited.elapsed() >= maxWaitMs)
                throw;
        }
        // The busy timeout has waited already; a short pause lets the other
        // program finish before the next try.
        QThread::msleep(50);
    }
}

} // namespace zelvar
