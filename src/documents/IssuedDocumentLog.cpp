// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/IssuedDocumentLog.h"

#include "data/TDM2.h"
#include "platform/ErrorReporter.h"

#include <QTimer>
#include <memory>

namespace zelvar {

bool IssuedDocumentLog::append(int recordNumber, const QString& line)
{
    Database& db = m_dm.database();
    {
        Database::Transaction transaction(db);
        const QVariant found =
            db.scalar(QStringLiteral("select count(*) from zelvarx where KayitNo = ?"), {recordNumber});
        if (found.toInt() == 0)
            return false;
        QString log =
            db.scalar(QStringLiteral("select Belgeler from zelvarx where KayitNo = ?"), {recordNumber}).toString();
        if (!log.isEmpty() && !log.endsWith(QLatin1Char('\n')))
            log += QLatin1Char('\n');
        log += line;
        db.exec(QStringLiteral("update zelvarx set Belgeler = ? where KayitNo = ?"), {log, recordNumber});
        transaction.commit();
    }
    showInRegister();
    return true;
}

void IssuedDocumentLog::showInRegister()
{
    Dataset* reg = m_dm.Query2;
    if (!reg || !reg->isActive())
        return;
    // Reread once the register is browsing: a refresh while it edits would
    // save or drop the user's changes.
    auto reread = [reg] {
        if (reg->isActive() && !reg->isEditing())
            reg->refresh();
    };
    if (!reg->isEditing()) {
        reread();
        return;
    }
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(reg, &Dataset::stateChanged, reg, [reg, connection, reread] {
        if (reg->isEditing())
            return;
        QObject::disconnect(*connection);
        // After the post or cancel that ended the edit has finished.
        // A reread that fails there is only logged: the line is stored.
        QTimer::singleShot(0, reg, [reread] { runCommand(nullptr, reread); });
    });
}

} // namespace zelvar
