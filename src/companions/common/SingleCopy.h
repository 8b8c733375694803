// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SingleCopy: one copy of a companion program per data folder, without a
// message in the way. The copy that holds the folder's lock listens on a
// local socket named after the program and the folder; a second copy
// started on the same folder (by the user, or by the main program's
// reminder with the appointment that rang) hands its command line over and
// ends, and the first one comes to the front and shows what was asked.
#include <QObject>
#include <QStringList>

class QLocalServer;

namespace zelvar {

class SingleCopy : public QObject {
    Q_OBJECT
public:
    SingleCopy(const QString& program, const QString& dataFolder, QObject* parent = nullptr);

    // Starts listening; called by the copy that took the lock.
    bool listen();
    // Hands `arguments` to the copy already running; true when it took them.
    static bool handOver(const QString& program, const QString& dataFolder, const QStringList& arguments,
                         int timeoutMs = 3000);
    static QString serverName(const QString& program, const QString& dataFolder);

signals:
    void requested(const QStringList& arguments);

private:
    void accept();

    QString m_name;
    QLocalServer* m_server;
};

} // namespace zelvar
