// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/common/SingleCopy.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace zelvar {

SingleCopy::SingleCopy(const QString& program, const QString& dataFolder, QObject* parent)
    : QObject(parent),
      m_name(serverName(program, dataFolder)),
      m_server(new QLocalServer(this))
{
    connect(m_server, &QLocalServer::newConnection, this, &SingleCopy::accept);
}

QString SingleCopy::serverName(const QString& program, const QString& dataFolder)
{
    const QByteArray folder = QDir(dataFolder).absolutePath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(16);
    return program + QLatin1Char('-') + QString::fromLatin1(hash);
}

bool SingleCopy::listen()
{
    // This copy holds the folder's lock: a socket left by a copy that
    // crashed is stale.
    QLocalServer::removeServer(m_name);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    return m_server->listen(m_name);
}

void SingleCopy::accept()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            QStringList arguments;
            in >> arguments;
            if (!in.commitTransaction())
                return; // the rest is still on its way
            socket->write("1");
            socket->flush();
            emit requested(arguments);
        });
    }
}

bool SingleCopy::handOver(const QString& program, const QString& dataFolder, const QStringList& arguments,
                          int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(serverName(program, dataFolder));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << arguments;
    socket.write(message);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    return socket.waitForReadyRead(timeoutMs) && socket.read(1) == "1";
}

} // namespace zelvar
