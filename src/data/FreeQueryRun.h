// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// FreeQueryRun: one run of the typed free query on a thread of its own,
// through a read-only connection of its own, so that the window answers
// while it runs and the user can stop it. The run is held to the free
// query's limits: a value may take a megabyte, the result 64 MB and the
// engine's own work 32 MB beside what the program already uses; past them
// it stops as TooLarge instead of taking the machine's memory.
#include "data/Dataset.h"

#include <QObject>
#include <QString>
#include <atomic>
#include <memory>

class QThread;

namespace zelvar {

class FreeQueryRun : public QObject {
    Q_OBJECT
public:
    enum class Outcome { Running, Done, Faulty, TooLarge, Cancelled };

    static constexpr qint64 kResultBytes = 64LL << 20;
    static constexpr qint64 kEngineBytes = 32LL << 20;

    // Starts the run of the pieces as `query` would run them.
    FreeQueryRun(Dataset& query, const QString& columns, const QString& condition, QObject* parent = nullptr);
    // Stops a run still going and waits for its thread.
    ~FreeQueryRun() override;

    // From any thread: the statement stops at its next step.
    void cancel();
    bool isFinished() const { return m_outcome != Outcome::Running; }
    // Waits for the thread to end.
    void wait();
    Outcome outcome() const { return m_outcome; }
    // What went wrong, in the engine's words, for the log.
    QString error() const { return m_error; }

    // After Done: closes `query` and opens it on the result read.
    void openOn(Dataset& query);

signals:
    void finished();

private:
    void run();
    static int watch(void* self);

    std::unique_ptr<Database> m_connection;
    Database* m_db; // the run's own connection, or the query's in memory
    QString m_columns;
    QString m_condition;
    QString m_sql; // the statement run, with its bound values
    QVariantList m_params;
    Dataset::Reading m_reading;
    QThread* m_thread = nullptr;
    std::atomic<Outcome> m_outcome{Outcome::Running};
    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_overMemory{false};
    qint64 m_engineAtStart = 0;
    QString m_error;
};

} // namespace zelvar
