// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ProcessLauncher: starts the desktop programs and the companion programs as
// detached processes. Each program stands for a list of Linux candidates;
// the first one installed is started.
#include "platform/Launcher.h"

#include <QList>
#include <QStringList>

namespace zelvar {

struct Candidate {
    QString executable;
    QStringList arguments;
};

class ProcessLauncher : public Launcher {
public:
    // searchPath: folders to look in instead of the system PATH (for tests).
    // programFolder: where the companion programs lie next to this one; the
    // running program's folder when empty. Installed, they are also looked
    // for in <prefix>/libexec/zelvar.
    explicit ProcessLauncher(QStringList searchPath = {}, QString programFolder = {});

    bool start(Program program, const QStringList& arguments = {}) override;
    bool openFile(const QString& path) override;

    // The candidates of a program, in order of preference.
    static QList<Candidate> candidates(Program program);
    // File name of a companion program; empty for the desktop programs.
    static QString companionName(Program program);
    // Full path of the first installed candidate, with its arguments; an
    // empty executable when none is installed.
    Candidate resolve(Program program) const;

private:
    QString find(const QString& executable, bool companion) const;

    QStringList m_searchPath;
    QString m_programFolder;
};

} // namespace zelvar
