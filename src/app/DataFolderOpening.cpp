// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DataFolderOpening.h"

#include "app/DamagedDatabaseRecovery.h"
#include "data/Database.h"
#include "data/Errors.h"

#include <QDir>
#include <QFileInfo>

namespace zelvar {

DataFolderOpening::DataFolderOpening(const QString& dataFolder)
    : m_folder(QDir(dataFolder).absolutePath())
{
}

// The data module goes before the lock that guards it.
DataFolderOpening::~DataFolderOpening()
{
    m_dm.reset();
    m_lock.reset();
}

void DataFolderOpening::offerRestore(Prompter& prompter, const Clock& clock)
{
    m_prompter = &prompter;
    m_clock = &clock;
}

QString DataFolderOpening::alreadyRunningMessage(const QString& folder)
{
    return QStringLiteral("Zelvar bu veri klasöründe zaten çalışıyor.\nKlasör: %1\n"
                          "İkinci bir kopya açılmadı; açık olan programı kullanınız.")
        .arg(QDir::toNativeSeparators(folder));
}

int DataFolderOpening::open()
{
    try {
        Database::prepareFolder(m_folder);
    } catch (const DataStoreError& e) {
        m_message = e.message();
        m_kind = MessageKind::Error;
        return kCannotOpen;
    }
    m_lock = std::make_unique<DataFolderLock>(m_folder);
    switch (m_lock->take()) {
    case DataFolderLock::Result::Taken:
        break;
    case DataFolderLock::Result::HeldByAnother:
        m_message = alreadyRunningMessage(m_folder);
        m_kind = MessageKind::Warning;
        return kAlreadyRunning;
    case DataFolderLock::Result::Failed:
        m_message = Database::openFailureMessage(m_folder, m_lock->failure());
        m_kind = MessageKind::Error;
        return kCannotOpen;
    }
    return openDataModule();
}

int DataFolderOpening::openDataModule()
{
    std::unique_ptr<DamagedDatabaseRecovery> emptyFileRestored;
    if (!offerBackupForEmptyFile(emptyFileRestored))
        return kCannotOpen;
    bool damaged = false;
    if (tryOpenDataModule(damaged)) {
        if (emptyFileRestored)
            emptyFileRestored->tellRestored();
        return kOpened;
    }
    // Only a broken file is mended by a backup; a folder, permission or
    // lock problem would meet the backup just the same.
    if (!damaged || !m_prompter)
        return kCannotOpen;
    return restoreAndOpen();
}

bool DataFolderOpening::tryOpenDataModule(bool& damaged)
{
    m_kind = MessageKind::Error;
    try {
        m_dm = std::make_unique<TDM2>(m_folder);
        return true;
    } catch (const DataStoreError& e) {
        m_message = e.message();
        damaged = e.damaged();
    } catch (const ZelvarError& e) {
        m_message = Database::openFailureMessage(m_folder, Database::reasonOf(e));
        damaged = Database::isDamage(e);
    }
    return false;
}

int DataFolderOpening::restoreAndOpen()
{
    DamagedDatabaseRecovery recovery(m_folder, *m_prompter, *m_clock);
    switch (recovery.offer(m_message)) {
    case DamagedDatabaseRecovery::Result::NoBackup:
        return kCannotOpen;
    case DamagedDatabaseRecovery::Result::Declined:
        m_messageShown = true;
        return kCannotOpen;
    case DamagedDatabaseRecovery::Result::Failed:
        m_message += QStringLiteral("\n\n") + recovery.problem();
        return kCannotOpen;
    case DamagedDatabaseRecovery::Result::Restored:
        break;
    }
    bool damaged = false;
    if (!tryOpenDataModule(damaged)) {
        m_message += QStringLiteral("\n\nYedek geri yüklendi ama açılamadı. Bozuk dosya şu adla saklandı:\n%1")
                         .arg(QDir::toNativeSeparators(recovery.setAsidePath()));
        return kCannotOpen;
    }
    recovery.tellRestored();
    return kOpened;
}

// An empty database file opens as a new, empty register. That is right for
// a first start cut short, but when backups exist the file more likely lost
// its contents: the newest sound backup is offered first. Declined or
// without backups, the empty file opens as before. A restore that took
// place is left in `restored`, to be told once the data has opened. False
// when a restore failed and start-up cannot go on.
bool DataFolderOpening::offerBackupForEmptyFile(std::unique_ptr<DamagedDatabaseRecovery>& restored)
{
    const QFileInfo file(QDir(m_folder).filePath(Database::fileName()));
    if (!m_prompter || !file.exists() || file.size() != 0)
        return true;
    auto recovery = std::make_unique<DamagedDatabaseRecovery>(m_folder, *m_prompter, *m_clock);
    const QString empty =
        Database::openFailureMessage(m_folder, QStringLiteral("%1 dosyası boş (0 bayt).").arg(Database::fileName()));
    switch (recovery->offer(empty)) {
    case DamagedDatabaseRecovery::Result::NoBackup:
    case DamagedDatabaseRecovery::Result::Declined:
        return true;
    case DamagedDatabaseRecovery::Result::Failed:
        m_message = empty + QStringLiteral("\n\n") + recovery->problem();
        m_kind = MessageKind::Error;
        return false;
    case DamagedDatabaseRecovery::Result::Restored:
        restored = std::move(recovery);
        return true;
    }
    return true;
}

} // namespace zelvar
