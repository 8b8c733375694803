// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// For tests that drive a real modal dialog: the action runs from inside the
// dialog's own event loop, once it is the active modal window.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace zelvar::testing {

// Runs `act` on the first modal dialog of type T that opens.
template <typename T>
void whenDialogOpens(std::function<void(T*)> act)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            act(dialog);
        }
    });
    poll->start(10);
}

} // namespace zelvar::testing
