// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/EditorFileLoad.h"

#include <QTextDocument>
#include <QThread>

namespace zelvar {

EditorFileLoad::EditorFileLoad(QString path, const QFont& baseFont, QObject* parent)
    : QObject(parent),
      m_path(std::move(path)),
      m_baseFont(baseFont),
      m_home(thread())
{
}

EditorFileLoad::~EditorFileLoad()
{
    if (m_thread) {
        m_cancel = true;
        m_thread->wait();
        delete m_thread;
    }
}

void EditorFileLoad::start()
{
    m_thread = QThread::create([this] { run(); });
    connect(m_thread, &QThread::finished, this, &EditorFileLoad::finished);
    m_thread->start();
}

void EditorFileLoad::cancel()
{
    m_cancel = true;
}

void EditorFileLoad::run()
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(m_baseFont);
    m_result = EditorFiles::read(m_path, *document, [this](double share) {
        const int percent = int(share * 100);
        if (m_percent.exchange(percent) != percent)
            emit progress(percent);
        return !m_cancel;
    });
    if (m_result == EditorFiles::ReadResult::Read) {
        document->moveToThread(m_home);
        m_document = std::move(document);
    }
}

void EditorFileLoad::finished()
{
    m_done = true;
    emit done();
}

std::unique_ptr<QTextDocument> EditorFileLoad::takeDocument()
{
    return std::move(m_document);
}

} // namespace zelvar
