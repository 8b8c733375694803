// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DamagedDatabaseRecovery.h"

#include "data/Database.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zelvar {

namespace {

// The files that make up one database: the file and its write-ahead log
// with the log's index. They move together or not at all, since a log
// left behind would be read into the restored file.
const char* const kCompanions[] = {"", "-wal", "-shm"};

QString dateTimeText(const QDateTime& t)
{
    return t.toString(QStringLiteral("dd.MM.yyyy hh:mm"));
}

} // namespace

DamagedDatabaseRecovery::DamagedDatabaseRecovery(const QString& dataFolder, Prompter& prompter, const Clock& clock)
    : m_folder(QDir(dataFolder).absolutePath()),
      m_prompter(prompter),
      m_clock(clock)
{
}

QString DamagedDatabaseRecovery::databaseFile() const
{
    return QDir(m_folder).filePath(Database::fileName());
}

QString DamagedDatabaseRecovery::setAsideName(const QDateTime& when)
{
    return QStringLiteral("zorp_bozuk_%1.sqlite").arg(when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")));
}

QString DamagedDatabaseRecovery::question(const QString& failure, const QString& backupFile, const BackupInfo& info)
{
    return failure + QStringLiteral("\n\nEn yeni sağlam yedek: %1 (%2 kişi)\n%3\n\n"
                                    "Bozuk dosya silinmez, veri klasöründe ayrı bir adla saklanır.\n"
                                    "Bu yedek geri yüklensin mi?")
                         .arg(dateTimeText(info.taken))
                         .arg(info.residents)
                         .arg(QDir::toNativeSeparators(backupFile));
}

DamagedDatabaseRecovery::Result DamagedDatabaseRecovery::offer(const QString& failure)
{
    if (!findSoundBackup())
        return Result::NoBackup;
    if (m_prompter.ask(question(failure, m_backup, m_info), Buttons::YesNo, MessageKind::Warning) != Answer::Yes)
        return Result::Declined;
    if (!setDamagedFileAside())
        return Result::Failed;
    try {
        installBackup(m_backup, databaseFile());
    } catch (const BackupError& e) {
        m_problem = QStringLiteral("Yedek geri yüklenemedi: %1").arg(e.message());
        putDamagedFileBack();
        return Result::Failed;
    }
    return Result::Restored;
}

void DamagedDatabaseRecovery::tellRestored()
{
    m_prompter.message(
        QStringLiteral("Yedek geri yüklendi: %1 tarihli yedekteki %2 kişi ile çalışmaya devam ediliyor.\n"
                       "Bozuk veritabanı dosyası şu adla saklandı:\n%3")
            .arg(dateTimeText(m_info.taken))
            .arg(m_info.residents)
            .arg(QDir::toNativeSeparators(m_setAside)),
        MessageKind::Information);
}

bool DamagedDatabaseRecovery::findSoundBackup()
{
    m_backup = BackupFolder(m_folder).newestSound(&m_info);
    return !m_backup.isEmpty();
}

// Renames within the data folder: one step on the same disk, nothing copied.
bool DamagedDatabaseRecovery::setDamagedFileAside()
{
    QDateTime when = m_clock.now();
    while (QFileInfo::exists(QDir(m_folder).filePath(setAsideName(when))))
        when = when.addSecs(1);
    m_setAside = QDir(m_folder).filePath(setAsideName(when));
    const QString live = databaseFile();
    for (const char* suffix : kCompanions) {
        const QString from = live + QLatin1String(suffix);
        if (!QFileInfo::exists(from))
            continue;
        if (!QFile::rename(from, m_setAside + QLatin1String(suffix))) {
            m_problem = QStringLiteral("Bozuk dosya ayrı bir adla saklanamadı; yedek geri yüklenmedi: %1")
                            .arg(QDir::toNativeSeparators(from));
            putDamagedFileBack();
            return false;
        }
    }
    return true;
}

void DamagedDatabaseRecovery::putDamagedFileBack()
{
    const QString live = databaseFile();
    for (const char* suffix : kCompanions) {
        const QString from = m_setAside + QLatin1String(suffix);
        if (QFileInfo::exists(from) && !QFile::rename(from, live + QLatin1String(suffix)))
            qWarning() << "Zelvar: bozuk dosya yerine konamadı:" << from;
    }
    m_setAside.clear();
}

} // namespace zelvar
