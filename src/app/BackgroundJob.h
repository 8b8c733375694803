#pragma once
// BackgroundJob: one piece of work run on a thread of its own, beside the
// window, so that the user never waits for it. Its result, a list of
// problems (empty when all went well), arrives on the window's thread.
#include <QObject>
#include <QStringList>
#include <functional>

class QThread;

namespace zelvar {

class BackgroundJob : public QObject {
    Q_OBJECT
public:
    // Starts the work at once. The work must not touch widgets or the
    // window thread's database connection.
    BackgroundJob(std::function<QStringList()> work, QObject* parent = nullptr);
    // Waits for the work to end: a backup is never cut off half-way.
    ~BackgroundJob() override;

    bool isRunning() const;
    void wait();

signals:
    void done(const QStringList& problems);

private:
    QThread* m_thread;
    QStringList m_result;
};

} // namespace zelvar
