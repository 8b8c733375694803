// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/common/DataChangeWatch.h"

#include "data/Database.h"
#include "data/Errors.h"
#include "platform/ErrorReporter.h"

namespace zelvar {

DataChangeWatch::DataChangeWatch(Database& db, ErrorReporter& errors, int intervalMs, QObject* parent)
    : QObject(parent),
      m_db(db)
{
    try {
        m_version = version();
    } catch (const ZelvarError&) {
        // The first look at the timer's tick reads it then.
    }
    connectCommand(errors, &m_timer, &QTimer::timeout, this, &DataChangeWatch::check);
    m_timer.start(intervalMs);
}

qint64 DataChangeWatch::version()
{
    return m_db.scalar(QStringLiteral("PRAGMA data_version")).toLongLong();
}

bool DataChangeWatch::check()
{
    try {
        const qint64 now = version();
        if (now == m_version)
            return false;
        m_db.upgradeSchema();
        m_version = now;
    } catch (const ZelvarError&) {
        return false;
    }
    emit changed();
    return true;
}

} // namespace zelvar
