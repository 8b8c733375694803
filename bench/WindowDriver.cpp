// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowDriver.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <ctime>

namespace zelvar::bench {

double monotonicMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

namespace {

// Notes every event the application delivers, except those of its own
// quiet timer, and the moment the loop next waits after one.
class IdleWatch : public QObject {
public:
    explicit IdleWatch(QTimer& quiet)
        : m_quiet(quiet)
    {
        qApp->installEventFilter(this);
        m_connection = connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                               [this] { aboutToBlock(); });
    }
    ~IdleWatch() override
    {
        qApp->removeEventFilter(this);
        disconnect(m_connection);
    }

    void start()
    {
        m_busy = true;
        m_end = {monotonicMs(), processCpuMs()};
    }
    Moment end() const { return m_end; }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != &m_quiet || event->type() != QEvent::Timer)
            m_busy = true;
        return false;
    }

private:
    void aboutToBlock()
    {
        if (!m_busy)
            return;
        m_busy = false;
        m_end = {monotonicMs(), processCpuMs()};
        m_quiet.start(kQuietMs);
    }

    QTimer& m_quiet;
    QMetaObject::Connection m_connection;
    bool m_busy = false;
    Moment m_end;
};

QWindow* windowOf(QWidget* target)
{
    QWidget* top = target->window();
    if (!top->windowHandle())
        top->winId();
    return top->windowHandle();
}

} // namespace

Sample untilIdle(const std::function<void()>& act, const std::function<void()>& whenIdle)
{
    QTimer quiet;
    quiet.setSingleShot(true);
    IdleWatch watch(quiet);
    QEventLoop loop;
    Moment begin;
    Moment end;
    bool finished = false;
    QObject::connect(&quiet, &QTimer::timeout, &loop, [&] {
        if (finished)
            return;
        finished = true;
        end = watch.end();
        if (whenIdle)
            whenIdle();
        loop.quit();
    });
    QTimer::singleShot(0, &loop, [&] {
        begin = {monotonicMs(), processCpuMs()};
        watch.start();
        act();
    });
    loop.exec();
    return {end.monotonicMs - begin.monotonicMs, end.cpuMs - begin.cpuMs};
}

void settleIdle()
{
    untilIdle([] {});
}

Moment nextIdle()
{
    QTimer quiet;
    quiet.setSingleShot(true);
    IdleWatch watch(quiet);
    QEventLoop loop;
    QObject::connect(&quiet, &QTimer::timeout, &loop, &QEventLoop::quit);
    QTimer::singleShot(0, &loop, [&] { watch.start(); });
    loop.exec();
    return watch.end();
}

void pressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    // QTest's window overloads enter at the window system's entry, as
    // the platform plugin does: the shortcut map first, then the focus.
    QTest::sendKeyEvent(QTest::Click, windowOf(target), Qt::Key(key), text, modifiers);
}

void typeChar(QWidget* target, QChar c)
{
    const QChar upper = c.toUpper();
    int key = upper.unicode();
    if (c == QLatin1Char(' '))
        key = Qt::Key_Space;
    pressKey(target, key, c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier, QString(c));
}

void click(QWidget* target, QPoint at)
{
    if (at.x() < 0)
        at = target->rect().center();
    QTest::mouseClick(windowOf(target), Qt::LeftButton, Qt::NoModifier, target->mapTo(target->window(), at));
}

double waitForQuietCpu(int quietMs, int limitMs)
{
    QElapsedTimer waited;
    waited.start();
    double last = processCpuMs();
    while (waited.elapsed() < limitMs) {
        QEventLoop loop;
        QTimer::singleShot(quietMs, &loop, &QEventLoop::quit);
        loop.exec();
        const double now = processCpuMs();
        // A clock tick or two is not work.
        if (now - last < 0.02 * quietMs)
            break;
        last = now;
    }
    return double(waited.elapsed());
}

} // namespace zelvar::bench
