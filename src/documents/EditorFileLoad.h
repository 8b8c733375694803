// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// EditorFileLoad: reads a file for the editor on a thread of its own, into a
// document no view shows, so that the window keeps answering however long
// the file is. When it is done, the document belongs to the thread that
// started the load and is ready to be shown.
#include "documents/EditorFiles.h"

#include <QFont>
#include <QObject>
#include <atomic>
#include <memory>

class QTextDocument;
class QThread;

namespace zelvar {

class EditorFileLoad : public QObject {
    Q_OBJECT
public:
    EditorFileLoad(QString path, const QFont& baseFont, QObject* parent = nullptr);
    ~EditorFileLoad() override; // stops a load still running and waits for it

    void start();
    void cancel();
    bool isDone() const { return m_done; }
    EditorFiles::ReadResult result() const { return m_result; }
    // The document read (Read only), with the base font as its default.
    std::unique_ptr<QTextDocument> takeDocument();

signals:
    void progress(int percent);
    void done();

private:
    void run(); // on the thread
    void finished();

    QString m_path;
    QFont m_baseFont;
    QThread* m_thread = nullptr;
    QThread* m_home = nullptr; // where the document goes when read
    std::atomic<bool> m_cancel{false};
    std::atomic<int> m_percent{-1};
    EditorFiles::ReadResult m_result = EditorFiles::ReadResult::Stopped;
    std::unique_ptr<QTextDocument> m_document;
    bool m_done = false;
};

} // namespace zelvar
