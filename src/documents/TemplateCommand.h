// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TemplateCommand: what the register window's four text-certificate buttons
// do. With a resident in the register it sets DocumentKind, runs the main
// window's Editor command and has the editor compose the certificate for
// the current resident, remembering his record number for the log.
#include <QString>
#include <functional>

namespace zelvar {

class CertificateTemplate;
class Clock;
class MainCommands;
class TDM2;
class TEditor;

class TemplateCommand {
public:
    // `shownText` gives a resident field as the register's boxes show it.
    TemplateCommand(TDM2& dm, MainCommands& commands, Clock& clock,
                    std::function<QString(const QString& field)> shownText);

    // The editor that now shows the certificate, or null when nothing was
    // composed (an empty register, or no editor could be opened).
    TEditor* run(const CertificateTemplate& certificate);

private:
    TDM2& m_dm;
    MainCommands& m_commands;
    Clock& m_clock;
    std::function<QString(const QString&)> m_shownText;
};

} // namespace zelvar
