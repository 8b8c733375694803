// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WorkWait.h"

#include "ui/PleaseWaitWindow.h"

#include <QPointer>
#include <QTimer>

namespace zelvar {

bool WorkWait::waitIn(QEventLoop& loop, const std::function<bool()>& finished, const std::function<void()>& cancel,
                      const std::function<void()>& block, QWidget* parent)
{
    // The first moment: windows repaint, keys and clicks wait their turn.
    if (!finished()) {
        QTimer::singleShot(kQuietMs, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (finished())
        return true;

    bool cancelled = false;
    // Held by its parent too: a window closed meanwhile takes it along.
    QPointer<PleaseWaitWindow> window = new PleaseWaitWindow(parent);
    window->setWindowModality(Qt::ApplicationModal);
    window->offerCancel();
    QObject::connect(window, &PleaseWaitWindow::cancelRequested, window, [&cancelled, &cancel] {
        cancelled = true;
        cancel();
    });
    window->showNow();
    loop.exec();
    delete window;
    if (!finished()) {
        // The loop was ended from outside (the program is closing).
        cancelled = true;
        cancel();
        block();
    }
    return !cancelled;
}

} // namespace zelvar
