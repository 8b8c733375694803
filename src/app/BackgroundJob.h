// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// BackgroundJob: one piece of work run on a thread of its own, beside the
// window, so that the user never waits for it. It starts when it is told
// to (BackgroundScheduler decides when); `done` arrives on the window's
// thread after the work has ended.
#include <QObject>
#include <atomic>
#include <functional>

class QThread;

namespace zelvar {

class BackgroundJob : public QObject {
    Q_OBJECT
public:
    enum class Priority {
        Idle,   // the CPU and the disk only when nothing else wants them
        Normal, // work the program waits for (the backup at exit)
    };

    // The work must not touch widgets or the window thread's database
    // connection, and catches its own errors.
    explicit BackgroundJob(std::function<void()> work, QObject* parent = nullptr);
    // Waits for the work to end: a backup is never cut off half-way.
    ~BackgroundJob() override;

    void start(Priority priority);
    bool isStarted() const { return m_started; }
    bool isRunning() const;
    // Starts the work now if it has not started yet, and waits for its end.
    void wait();
    // Work the program now waits for: a thread at idle priority is raised to
    // normal priority, where the system allows it (an unprivileged program
    // may not raise it again; an idle machine then runs it at full speed
    // all the same).
    void raisePriority();

signals:
    void done();

private:
    QThread* m_thread;
    bool m_started = false;
    bool m_idle = false;
    std::atomic<long> m_tid{0}; // the thread's id, for raising its priority
};

} // namespace zelvar
