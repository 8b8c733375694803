#include "app/BackgroundJob.h"

#include <QThread>

namespace zelvar {

BackgroundJob::BackgroundJob(std::function<QStringList()> work, QObject* parent)
    : QObject(parent)
{
    m_thread = QThread::create([this, work = std::move(work)] {
        try {
            m_result = work();
        } catch (const std::exception& e) {
            m_result = {QString::fromLocal8Bit(e.what())};
        }
    });
    // Delivered on this object's thread, after the work has ended.
    connect(m_thread, &QThread::finished, this, [this] { emit done(m_result); });
    m_thread->start(QThread::LowPriority);
}

BackgroundJob::~BackgroundJob()
{
    m_thread->wait();
    delete m_thread;
}

bool BackgroundJob::isRunning() const
{
    return m_thread->isRunning();
}

void BackgroundJob::wait()
{
    m_thread->wait();
}

} // namespace zelvar
