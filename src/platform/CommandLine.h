// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CommandLine: a program's options. Read before any window exists, so that
// "zelvar --help" and "zelvar --version" answer on a console without a
// display. Its texts are Turkish or English as the user's locale says. The
// main program and its companions share the data folder's options; a
// companion describes itself and may add options of its own.
#include <QHash>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace zelvar {

// A text in both languages of the command line.
struct BilingualText {
    const char* turkish;
    const char* english;
};

// An option that takes a value, beside --data-dir.
struct ProgramOption {
    QString name;            // "date" for --date
    BilingualText valueName; // "YYYY-AA-GG" / "YYYY-MM-DD"
    BilingualText help;      // one line
};

// What --help and --version say of a program.
struct ProgramDescription {
    QString name;          // "Zelvar 2001", "Takvim ve Randevu"
    BilingualText about;   // the help's line under the usage
    BilingualText summary; // the version's second line
    QList<ProgramOption> options;

    static ProgramDescription mainProgram();
};

class CommandLine {
public:
    // Exit code for a command line that cannot be understood.
    static constexpr int kUsageError = 2;

    // arguments: the whole command line, the program's name first.
    // locale: the user's locale; Turkish texts for Turkish, English otherwise.
    CommandLine(const QStringList& arguments, const QLocale& locale,
                const ProgramDescription& program = ProgramDescription::mainProgram());

    // True when the program should start its windows; false when it has
    // answered (help, version) or refused the command line, and should end
    // with exitCode() after printing output() (or error() on stderr).
    bool shouldRun() const { return m_run; }
    int exitCode() const { return m_exitCode; }
    QString output() const { return m_output; }
    QString error() const { return m_error; }

    // The data folder: the one asked for with --data-dir, made absolute,
    // else the default one in the user's data folder.
    QString dataDir() const;
    static QString defaultDataDir();
    // The value given to one of the program's own options; empty when absent.
    QString value(const QString& option) const { return m_values.value(option); }
    // The program's options for starting it again: --data-dir and its own.
    QStringList forwarded() const;

    QString helpText() const;
    QString versionText() const;
    static QString version();
    // The command line as main() receives it.
    static QStringList arguments(int argc, char** argv);

    // Prints output() and error(); returns exitCode().
    int report() const;

private:
    QString text(const char* turkish, const char* english) const;
    QString text(const BilingualText& both) const { return text(both.turkish, both.english); }
    void refuse(const QString& message);
    QString missingValue(const QStringList& arguments) const;

    ProgramDescription m_description;
    bool m_turkish;
    QString m_program;
    bool m_run = false;
    int m_exitCode = 0;
    QString m_output;
    QString m_error;
    QString m_dataDir;
    QHash<QString, QString> m_values;
};

} // namespace zelvar
