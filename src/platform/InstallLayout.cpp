// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/InstallLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

// The build passes the install folders it uses; these are the usual ones.
#ifndef ZELVAR_INSTALL_BINDIR
#define ZELVAR_INSTALL_BINDIR "bin"
#endif
#ifndef ZELVAR_INSTALL_DATADIR
#define ZELVAR_INSTALL_DATADIR "share/zelvar"
#endif
#ifndef ZELVAR_INSTALL_LIBEXECDIR
#define ZELVAR_INSTALL_LIBEXECDIR "libexec/zelvar"
#endif

namespace zelvar {

InstallLayout::InstallLayout(const QString& programFolder)
    : m_programFolder(QDir::cleanPath(programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder))
{
}

QString InstallLayout::binFolder()
{
    return QStringLiteral(ZELVAR_INSTALL_BINDIR);
}
QString InstallLayout::dataFolder()
{
    return QStringLiteral(ZELVAR_INSTALL_DATADIR);
}
QString InstallLayout::companionFolder()
{
    return QStringLiteral(ZELVAR_INSTALL_LIBEXECDIR);
}

QString InstallLayout::prefix() const
{
    const QString tail = QLatin1Char('/') + QDir::cleanPath(binFolder());
    if (!m_programFolder.endsWith(tail))
        return QString();
    const QString rest = m_programFolder.chopped(tail.size());
    return rest.isEmpty() ? QStringLiteral("/") : rest;
}

QStringList InstallLayout::dataFolders() const
{
    QStringList folders;
    const QString installed = prefix();
    if (!installed.isEmpty())
        folders << QDir::cleanPath(installed + QLatin1Char('/') + dataFolder());
    for (const QString& base : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders << QDir::cleanPath(base + QStringLiteral("/zelvar"));
    folders.removeDuplicates();
    return folders;
}

QStringList InstallLayout::companionFolders() const
{
    QStringList folders{m_programFolder};
    const QString installed = prefix();
    if (!installed.isEmpty())
        folders << QDir::cleanPath(installed + QLatin1Char('/') + companionFolder());
    folders.removeDuplicates();
    return folders;
}

QString InstallLayout::findData(const QString& relative) const
{
    // A path that climbs out of the data folders is never a shared file.
    const QString clean = QDir::cleanPath(relative);
    if (clean.isEmpty() || clean.startsWith(QLatin1String("..")) || QDir::isAbsolutePath(clean))
        return QString();
    for (const QString& folder : dataFolders()) {
        const QFileInfo file(QDir(folder).filePath(clean));
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return QString();
}

} // namespace zelvar
