// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CompanionFolder: a companion program's hold on the data folder. Takes the
// program's own lock, so that a second copy on the same folder ends (and
// hands its request to the first), then opens the shared database file.
// The main program keeps its own lock: all programs may run together. A
// file the main program would mend from a backup (damaged, or emptied while
// backups exist) is left to it, with a message that says so.
#include "companions/common/CompanionInfo.h"

#include <memory>

namespace zelvar {

class Database;
class DataFolderLock;

class CompanionFolder {
public:
    CompanionFolder(const QString& dataFolder, const CompanionInfo& info);
    ~CompanionFolder();

    enum class Result { Opened, AlreadyRunning, Failed };
    Result open();

    Database& database() { return *m_db; }
    QString folder() const { return m_folder; }
    // Why the folder could not be opened, for the user.
    QString message() const { return m_message; }

    static QString alreadyRunningMessage(const QString& title, const QString& folder);

private:
    bool emptiedWithBackups() const;

    QString m_folder;
    CompanionInfo m_info;
    QString m_message;
    std::unique_ptr<DataFolderLock> m_lock;
    std::unique_ptr<Database> m_db;
};

} // namespace zelvar
