// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// WorkWait: a window waits for work running on another thread without
// freezing. For the first half second the program goes on painting and
// nothing else; then the please-wait window comes up with an "İptal"
// button, modal over the program, until the work ends. The work is an
// object with a finished() signal and isFinished(), cancel() and wait().
#include <QEventLoop>
#include <functional>

class QWidget;

namespace zelvar {

class WorkWait {
public:
    static constexpr int kQuietMs = 500;

    // Returns when the work has ended: true when it ran to its end, false
    // when the user cancelled it.
    template <typename Work>
    static bool until(Work& work, QWidget* parent)
    {
        QEventLoop loop;
        QObject::connect(&work, &Work::finished, &loop, &QEventLoop::quit);
        return waitIn(
            loop, [&work] { return work.isFinished(); }, [&work] { work.cancel(); }, [&work] { work.wait(); }, parent);
    }

private:
    static bool waitIn(QEventLoop& loop, const std::function<bool()>& finished, const std::function<void()>& cancel,
                       const std::function<void()>& block, QWidget* parent);
};

} // namespace zelvar
