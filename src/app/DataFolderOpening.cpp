#include "app/DataFolderOpening.h"

#include "data/Database.h"
#include "data/Errors.h"

#include <QDir>

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
        m_message = Database::openFailureMessage(
            m_folder, QStringLiteral("%1 kilit dosyası yazılamıyor.").arg(DataFolderLock::fileName()));
        m_kind = MessageKind::Error;
        return kCannotOpen;
    }
    try {
        m_dm = std::make_unique<TDM2>(m_folder);
    } catch (const DataStoreError& e) {
        m_message = e.message();
        m_kind = MessageKind::Error;
        return kCannotOpen;
    } catch (const ZelvarError& e) {
        m_message = Database::openFailureMessage(m_folder, Database::reasonOf(e));
        m_kind = MessageKind::Error;
        return kCannotOpen;
    }
    return kOpened;
}

} // namespace zelvar
