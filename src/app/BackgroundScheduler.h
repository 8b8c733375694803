// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// BackgroundScheduler: when and how the program's own background work runs
// (the start-up check, the day's backup). Work waits until the user has
// left the program alone for a moment, then runs on a thread at idle CPU
// and I/O priority; while it runs it rests a little now and then, and
// stops whenever the user types or clicks until he has paused again.
#include "app/BackgroundJob.h"
#include "data/Backup.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <atomic>

namespace zelvar {

class BackgroundScheduler : public QObject {
    Q_OBJECT
public:
    // How long the user must have left the program alone before work starts.
    static constexpr int kIdleDelayMs = 2000;
    // How long running work stands still after each key or click.
    static constexpr int kYieldMs = 500;

    explicit BackgroundScheduler(int idleDelayMs = kIdleDelayMs, QObject* parent = nullptr);
    ~BackgroundScheduler() override;

    // Work for a quiet moment. It is handed pause(), to call often.
    BackgroundJob* whenIdle(const std::function<void(const Pause&)>& work, QObject* owner);
    // Work the program waits for (the backup at exit): at once, at normal
    // priority, without pauses.
    BackgroundJob* now(const std::function<void(const Pause&)>& work, QObject* owner);

    // A key, click or wheel turn of the user; seen through the
    // application's events, callable by hand.
    void userActed();
    // For the work, on its own thread: waits while the user is at work and
    // rests a few milliseconds after every stretch of work.
    void pause() const;
    // The program now waits for the work (at exit, before a restore): it
    // rests no more, and its threads are raised where the system allows.
    void hurry();
    // Work started from now on gives way to the user again.
    void relax();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startWaitingJobs();
    static qint64 nowMs();

    QTimer m_idle;
    QList<QPointer<BackgroundJob>> m_waiting;
    QList<QPointer<BackgroundJob>> m_jobs;
    std::atomic<qint64> m_lastAction{0};
    std::atomic<bool> m_hurry{false};
};

} // namespace zelvar
