// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/FreeQueryRun.h"

#include "data/Database.h"
#include "data/QueryDialect.h"

#include <QDebug>
#include <QThread>
#include <sqlite3.h>

namespace zelvar {

namespace {

// How often the engine lets the run's watch look at its memory, in
// virtual-machine steps.
constexpr int kWatchEverySteps = 1000;

} // namespace

FreeQueryRun::FreeQueryRun(Dataset& query, const QString& columns, const QString& condition, QObject* parent)
    : QObject(parent),
      m_connection(Database::openQueryConnection(*query.database())),
      m_db(m_connection ? m_connection.get() : query.database()),
      m_columns(columns),
      m_condition(condition)
{
    m_thread = QThread::create([this] { run(); });
    // Delivered on this object's thread, after the run has ended.
    connect(m_thread, &QThread::finished, this, &FreeQueryRun::finished);
    if (m_connection) {
        m_thread->start();
    } else {
        // A database in memory has no second connection: run here.
        run();
        QMetaObject::invokeMethod(this, &FreeQueryRun::finished, Qt::QueuedConnection);
    }
}

FreeQueryRun::~FreeQueryRun()
{
    cancel();
    m_thread->wait();
    delete m_thread;
}

void FreeQueryRun::cancel()
{
    m_cancelled = true;
    if (m_connection)
        sqlite3_interrupt(m_connection->handle());
}

void FreeQueryRun::wait()
{
    m_thread->wait();
}

int FreeQueryRun::watch(void* self)
{
    auto* run = static_cast<FreeQueryRun*>(self);
    if (sqlite3_memory_used() - run->m_engineAtStart > kEngineBytes) {
        run->m_overMemory = true;
        return 1;
    }
    return run->m_cancelled ? 1 : 0;
}

void FreeQueryRun::run()
{
    Database& db = *m_db;
    m_engineAtStart = sqlite3_memory_used();
    sqlite3_progress_handler(db.handle(), kWatchEverySteps, &FreeQueryRun::watch, this);
    Outcome outcome = Outcome::Done;
    try {
        Dataset reader(&db, QStringLiteral("Query7"));
        reader.setReadOnly(true);
        reader.setResultLimit(kResultBytes);
        runFreeQuery(reader, m_columns, m_condition);
        m_sql = reader.sql();
        m_params = reader.params();
        m_reading = reader.takeReading();
    } catch (const ResultTooLarge& e) {
        outcome = Outcome::TooLarge;
        m_error = e.message();
    } catch (const ZelvarError& e) {
        const int code = sqlite3_errcode(db.handle());
        if (m_cancelled)
            outcome = Outcome::Cancelled;
        else if (m_overMemory || code == SQLITE_TOOBIG || code == SQLITE_NOMEM)
            outcome = Outcome::TooLarge;
        else
            outcome = Outcome::Faulty;
        m_error = e.message();
    } catch (const std::bad_alloc&) {
        outcome = Outcome::TooLarge;
    }
    sqlite3_progress_handler(db.handle(), 0, nullptr, nullptr);
    if (outcome != Outcome::Done)
        m_reading = Dataset::Reading();
    m_outcome = outcome;
}

void FreeQueryRun::openOn(Dataset& query)
{
    query.close();
    query.setSql(m_sql, m_params);
    query.open(std::move(m_reading));
}

} // namespace zelvar
