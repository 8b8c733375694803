// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// InstallLayout: where the program's shared files (sounds, help, cover
// pictures) and its companion programs lie. Run from the build folder, they
// lie beside the program or are compiled in. Installed under a prefix
// (/usr, /usr/local, a package unpacked anywhere), the program lies in
// <prefix>/bin and finds <prefix>/share/zelvar and <prefix>/libexec/zelvar
// from its own folder, so no absolute path is compiled in.
#include <QString>
#include <QStringList>

namespace zelvar {

class InstallLayout {
public:
    // programFolder: the folder of the program file; the running program's
    // folder when empty.
    explicit InstallLayout(const QString& programFolder = {});

    QString programFolder() const { return m_programFolder; }
    // The prefix the program is installed under; empty when the program does
    // not lie in <prefix>/bin (the build folder).
    QString prefix() const;

    // Folders holding the shared files, in order: <prefix>/share/zelvar,
    // then "zelvar" under each of the desktop's data folders
    // (~/.local/share, /usr/local/share, /usr/share).
    QStringList dataFolders() const;
    // Folders holding the companion programs, in order: the program's own
    // folder, then <prefix>/libexec/zelvar.
    QStringList companionFolders() const;

    // Full path of the first shared file at `relative` ("sounds/ring.wav",
    // "help/zelvar.html"); empty when no data folder holds it.
    QString findData(const QString& relative) const;

    // Install folders relative to the prefix, as the build installs them.
    static QString binFolder();
    static QString dataFolder();
    static QString companionFolder();

private:
    QString m_programFolder;
};

} // namespace zelvar
