// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BackgroundScheduler.h"

#include <QCoreApplication>
#include <QEvent>
#include <chrono>
#include <thread>

namespace zelvar {

namespace {

// Work runs this long between its rests, and rests this long.
constexpr qint64 kStretchMs = 20;
constexpr int kRestMs = 3;

bool isUserAction(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
        return true;
    default:
        return false;
    }
}

} // namespace

BackgroundScheduler::BackgroundScheduler(int idleDelayMs, QObject* parent)
    : QObject(parent)
{
    m_idle.setSingleShot(true);
    m_idle.setTimerType(Qt::PreciseTimer); // a coarse timer may end the quiet moment 5 % early
    m_idle.setInterval(idleDelayMs);
    connect(&m_idle, &QTimer::timeout, this, &BackgroundScheduler::startWaitingJobs);
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

BackgroundScheduler::~BackgroundScheduler()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

qint64 BackgroundScheduler::nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

BackgroundJob* BackgroundScheduler::whenIdle(const std::function<void(const Pause&)>& work, QObject* owner)
{
    auto* job = new BackgroundJob([this, work] { work([this] { pause(); }); }, owner);
    m_waiting << job;
    m_jobs.removeAll(nullptr);
    m_jobs << job;
    if (!m_idle.isActive())
        m_idle.start();
    return job;
}

BackgroundJob* BackgroundScheduler::now(const std::function<void(const Pause&)>& work, QObject* owner)
{
    auto* job = new BackgroundJob([work] { work(Pause()); }, owner);
    job->start(BackgroundJob::Priority::Normal);
    return job;
}

void BackgroundScheduler::userActed()
{
    m_lastAction = nowMs();
    if (!m_waiting.isEmpty())
        m_idle.start(); // the quiet moment begins again
}

void BackgroundScheduler::startWaitingJobs()
{
    const QList<QPointer<BackgroundJob>> waiting = m_waiting;
    m_waiting.clear();
    for (BackgroundJob* job : waiting)
        if (job)
            job->start(BackgroundJob::Priority::Idle);
}

void BackgroundScheduler::hurry()
{
    m_hurry = true;
    for (BackgroundJob* job : m_jobs)
        if (job)
            job->raisePriority();
}

void BackgroundScheduler::relax()
{
    m_hurry = false;
}

void BackgroundScheduler::pause() const
{
    if (m_hurry)
        return;
    // Each working thread keeps its own stretch.
    thread_local qint64 stretchStart = nowMs();
    while (nowMs() - m_lastAction.load() < kYieldMs && !m_hurry)
        std::this_thread::sleep_for(std::chrono::milliseconds(kYieldMs / 5));
    if (nowMs() - stretchStart >= kStretchMs) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kRestMs));
        stretchStart = nowMs();
    }
}

bool BackgroundScheduler::eventFilter(QObject* watched, QEvent* event)
{
    if (isUserAction(event->type()))
        userActed();
    return QObject::eventFilter(watched, event);
}

} // namespace zelvar
