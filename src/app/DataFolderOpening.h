// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DataFolderOpening: start-up's hold on the data folder. Takes the folder's
// lock, so that a second copy of the program ends without touching the data,
// then opens the data module. Every failure has a Turkish message for the
// user and gives the program's exit code. A database file too damaged to
// open may be replaced by the newest sound backup, when the user agrees.
#include "data/DataFolderLock.h"
#include "data/TDM2.h"
#include "platform/Clock.h"
#include "platform/Prompter.h"

#include <memory>

namespace zelvar {

class DamagedDatabaseRecovery;

class DataFolderOpening {
public:
    explicit DataFolderOpening(const QString& dataFolder);
    ~DataFolderOpening();

    // Exit codes of a start that cannot go on.
    static constexpr int kOpened = 0;
    static constexpr int kAlreadyRunning = 1;
    static constexpr int kCannotOpen = 2;

    // From now on a damaged database file makes open() offer the newest
    // sound backup through `prompter`. Without this it only fails.
    void offerRestore(Prompter& prompter, const Clock& clock);

    // Takes the folder and opens the data module. Anything but kOpened
    // means the program ends with that code after showing message().
    int open();
    TDM2* dm() const { return m_dm.get(); }
    QString message() const { return m_message; }
    // The user has read message() already, at the head of the backup
    // question he declined: it need not be shown again.
    bool messageShown() const { return m_messageShown; }
    MessageKind messageKind() const { return m_kind; }

    static QString alreadyRunningMessage(const QString& folder);

private:
    int openDataModule();
    bool tryOpenDataModule(bool& damaged);
    int restoreAndOpen();
    bool offerBackupForEmptyFile(std::unique_ptr<DamagedDatabaseRecovery>& restored);

    QString m_folder;
    Prompter* m_prompter = nullptr;
    const Clock* m_clock = nullptr;
    QString m_message;
    MessageKind m_kind = MessageKind::Error;
    bool m_messageShown = false;
    std::unique_ptr<DataFolderLock> m_lock;
    std::unique_ptr<TDM2> m_dm;
};

} // namespace zelvar
