// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Driving shown windows as their user does, and timing what he waits for.
//
// Keys and mouse clicks enter through the window system's own entry (QTest's
// window overloads hand them to QWindowSystemInterface, as the platform
// plugin does): the shortcut map, focus and the widgets see what a real key
// or click gives.
// An action is timed from its event until the windows have painted and the
// event loop has gone idle: the moment the loop is about to wait with
// nothing delivered since, confirmed by a quiet spell with no event at all.
// CPU time is the process's, all threads counted.
#include "BenchSupport.h"

#include <QPoint>
#include <QString>
#include <functional>

class QWidget;

namespace zelvar::bench {

// What idle looks like: no event delivered for this long.
constexpr int kQuietMs = 40;

// The system's monotonic clock in ms: the same in every process.
double monotonicMs();

// Runs `act` from the event loop and waits until the program has gone idle;
// the figures end at the moment it went idle. `whenIdle` then runs where
// the program is waiting, inside any modal window the action opened: a
// benchmark goes on there and closes the window.
Sample untilIdle(const std::function<void()>& act, const std::function<void()>& whenIdle = {});
// Waits until the program is idle, untimed.
void settleIdle();
// The moment the program next goes idle: monotonic ms and process CPU ms.
struct Moment {
    double monotonicMs = 0;
    double cpuMs = 0;
};
Moment nextIdle();

// Input as the window system gives it, to the window holding `target`.
// A key goes to that window's focus widget.
void pressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              const QString& text = QString());
// One typed character: its key with its text.
void typeChar(QWidget* target, QChar c);
// A left click at `at` in the widget's coordinates (its centre by default).
void click(QWidget* target, QPoint at = QPoint(-1, -1));

// Waits until the process has used no CPU for `quietMs` (background work
// ended), at most `limitMs`; returns the wait in ms.
double waitForQuietCpu(int quietMs, int limitMs);

} // namespace zelvar::bench
