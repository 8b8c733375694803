// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BackgroundJob.h"

#include <QThread>
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace zelvar {

namespace {

// The idle class of the Linux I/O scheduler (linux/ioprio.h).
constexpr int kIoprioWhoProcess = 1;
constexpr int kIoprioClassIdle = 3;
constexpr int kIoprioClassShift = 13;

constexpr int kIoprioClassBestEffort = 2;
constexpr int kIoprioNormalLevel = 4;

// Puts the calling thread at idle CPU and I/O priority: it runs only when
// no other thread of the machine wants the processor, and its reads and
// writes wait for everyone else's.
void lowerThisThread()
{
    sched_param none{};
    sched_setscheduler(0, SCHED_IDLE, &none);
    syscall(SYS_ioprio_set, kIoprioWhoProcess, 0, kIoprioClassIdle << kIoprioClassShift);
}

// Puts a thread back at normal priority; refused (and left as it is) when
// the system does not let this program raise it.
void raiseThread(long tid)
{
    sched_param none{};
    sched_setscheduler(pid_t(tid), SCHED_OTHER, &none);
    syscall(SYS_ioprio_set, kIoprioWhoProcess, int(tid),
            (kIoprioClassBestEffort << kIoprioClassShift) | kIoprioNormalLevel);
}

} // namespace

BackgroundJob::BackgroundJob(std::function<void()> work, QObject* parent)
    : QObject(parent)
{
    m_thread = QThread::create([this, work = std::move(work)] {
        // Set before the thread starts, read only by it.
        if (m_idle) {
            m_tid = long(syscall(SYS_gettid));
            lowerThisThread();
        }
        work();
    });
    // Delivered on this object's thread, after the work has ended.
    connect(m_thread, &QThread::finished, this, &BackgroundJob::done);
}

BackgroundJob::~BackgroundJob()
{
    if (m_started)
        m_thread->wait();
    delete m_thread;
}

void BackgroundJob::start(Priority priority)
{
    if (m_started)
        return;
    m_started = true;
    m_idle = priority == Priority::Idle;
    m_thread->start();
}

bool BackgroundJob::isRunning() const
{
    return m_thread->isRunning();
}

void BackgroundJob::wait()
{
    start(Priority::Normal);
    raisePriority();
    m_thread->wait();
}

void BackgroundJob::raisePriority()
{
    if (const long tid = m_tid.exchange(0))
        raiseThread(tid);
}

} // namespace zelvar
