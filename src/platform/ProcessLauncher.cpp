// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProcessLauncher.h"

#include "platform/InstallLayout.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace zelvar {

ProcessLauncher::ProcessLauncher(QStringList searchPath, QString programFolder)
    : m_searchPath(std::move(searchPath)),
      m_programFolder(std::move(programFolder))
{
}

QString ProcessLauncher::companionName(Program program)
{
    switch (program) {
    case Program::AddressBook:
        return QStringLiteral("zelvar-adres");
    case Program::Diary:
        return QStringLiteral("zelvar-takvim");
    case Program::Notebook:
        return QStringLiteral("zelvar-defter");
    case Program::DataWizard:
        return QStringLiteral("zelvar-sihirbaz");
    default:
        return QString();
    }
}

QList<Candidate> ProcessLauncher::candidates(Program program)
{
    const auto plain = [](const char* name) { return Candidate{QString::fromLatin1(name), {}}; };
    switch (program) {
    case Program::Calculator:
        return {plain("gnome-calculator"), plain("kcalc"), plain("galculator"), plain("mate-calc"), plain("xcalc")};
    case Program::WordProcessor:
    case Program::MsWord:
        return {{QStringLiteral("libreoffice"), {QStringLiteral("--writer")}}, plain("abiword")};
    case Program::MsExcel:
        return {{QStringLiteral("libreoffice"), {QStringLiteral("--calc")}}, plain("gnumeric")};
    case Program::WebBrowser:
        // The Debian alternative that points at the desktop's chosen browser.
        return {plain("x-www-browser")};
    case Program::MusicPlayer:
        return {plain("audacious"), plain("rhythmbox"), plain("vlc")};
    case Program::AddressBook:
    case Program::Diary:
    case Program::Notebook:
    case Program::DataWizard:
        return {Candidate{companionName(program), {}}};
    }
    return {};
}

QString ProcessLauncher::find(const QString& executable, bool companion) const
{
    if (companion) {
        // A companion lies next to this program first of all, then in the
        // installed program's own folder of helper programs.
        QString own = QStandardPaths::findExecutable(executable, InstallLayout(m_programFolder).companionFolders());
        if (!own.isEmpty())
            return own;
    }
    return QStandardPaths::findExecutable(executable, m_searchPath);
}

Candidate ProcessLauncher::resolve(Program program) const
{
    const bool companion = !companionName(program).isEmpty();
    for (const Candidate& c : candidates(program)) {
        const QString path = find(c.executable, companion);
        if (!path.isEmpty())
            return {path, c.arguments};
    }
    return {};
}

bool ProcessLauncher::start(Program program, const QStringList& arguments)
{
    const Candidate found = resolve(program);
    if (!found.executable.isEmpty() && QProcess::startDetached(found.executable, found.arguments + arguments))
        return true;
    // Without a browser of its own choosing, the desktop opens its default one.
    if (program == Program::WebBrowser && m_searchPath.isEmpty())
        return QDesktopServices::openUrl(QUrl(QStringLiteral("about:blank")));
    return false;
}

bool ProcessLauncher::openFile(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace zelvar
