// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/common/CompanionFolder.h"

#include "data/Backup.h"
#include "data/DataFolderLock.h"
#include "data/Database.h"
#include "data/Errors.h"

#include <QDir>
#include <QFileInfo>

namespace zelvar {

namespace {

const QString kMainProgramMends =
    QStringLiteral("Zelvar ana programını açınız: ana program veritabanını denetler ve gerekirse son sağlam "
                   "yedeği geri yüklemeyi önerir.");

} // namespace

CompanionFolder::CompanionFolder(const QString& dataFolder, const CompanionInfo& info)
    : m_folder(QDir(dataFolder).absolutePath()),
      m_info(info)
{
}

// The database goes before the lock that guards it.
CompanionFolder::~CompanionFolder()
{
    m_db.reset();
    m_lock.reset();
}

QString CompanionFolder::alreadyRunningMessage(const QString& title, const QString& folder)
{
    return QStringLiteral("%1 bu veri klasöründe zaten açık.\nKlasör: %2").arg(title, QDir::toNativeSeparators(folder));
}

bool CompanionFolder::emptiedWithBackups() const
{
    const QFileInfo file(QDir(m_folder).filePath(Database::fileName()));
    return file.exists() && file.size() == 0 && !BackupFolder(m_folder).files().isEmpty();
}

CompanionFolder::Result CompanionFolder::open()
{
    try {
        Database::prepareFolder(m_folder);
    } catch (const DataStoreError& e) {
        m_message = e.message();
        return Result::Failed;
    }
    m_lock = std::make_unique<DataFolderLock>(m_folder, m_info.lockFileName());
    switch (m_lock->take()) {
    case DataFolderLock::Result::Taken:
        break;
    case DataFolderLock::Result::HeldByAnother:
        m_message = alreadyRunningMessage(m_info.title, m_folder);
        return Result::AlreadyRunning;
    case DataFolderLock::Result::Failed:
        m_message = Database::openFailureMessage(
            m_folder, QStringLiteral("%1 kilit dosyası yazılamıyor.").arg(m_info.lockFileName()));
        return Result::Failed;
    }
    // An emptied file would open as a new, empty database and hide the
    // backups the main program offers for it.
    if (emptiedWithBackups()) {
        m_message = Database::openFailureMessage(m_folder,
                                                 QStringLiteral("%1 dosyası boş (0 bayt).").arg(Database::fileName())) +
                    QStringLiteral("\n\n") + kMainProgramMends;
        return Result::Failed;
    }
    try {
        m_db = Database::openFolder(m_folder);
    } catch (const DataStoreError& e) {
        m_message = e.message();
        if (e.damaged())
            m_message += QStringLiteral("\n\n") + kMainProgramMends;
        return Result::Failed;
    }
    return Result::Opened;
}

} // namespace zelvar
