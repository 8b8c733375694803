// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Launcher: starts the desktop and companion programs and opens files with
// the desktop's default program.
#include <QString>
#include <QStringList>

namespace zelvar {

enum class Program {
    Calculator,
    WordProcessor,
    MsWord,
    MsExcel,
    WebBrowser,
    MusicPlayer,
    AddressBook,
    Diary,
    Notebook,
    DataWizard,
};

class Launcher {
public:
    virtual ~Launcher() = default;
    // True when the program could be started. `arguments` go on its
    // command line after the candidate's own (a companion's data folder).
    virtual bool start(Program program, const QStringList& arguments = {}) = 0;
    // Opens a document with the desktop's default program.
    virtual bool openFile(const QString& path) = 0;
};

} // namespace zelvar
