#pragma once
// CommandLine: the program's options. Read before any window exists, so that
// "zelvar --help" and "zelvar --version" answer on a console without a
// display. Its texts are Turkish or English as the user's locale says.
#include <QLocale>
#include <QString>
#include <QStringList>

namespace zelvar {

class CommandLine {
public:
    // Exit code for a command line that cannot be understood.
    static constexpr int kUsageError = 2;

    // arguments: the whole command line, the program's name first.
    // locale: the user's locale; Turkish texts for Turkish, English otherwise.
    CommandLine(const QStringList& arguments, const QLocale& locale);

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

    QString helpText() const;
    QString versionText() const;
    static QString version();
    // The command line as main() receives it.
    static QStringList arguments(int argc, char** argv);

    // Prints output() and error(); returns exitCode().
    int report() const;

private:
    QString text(const char* turkish, const char* english) const;
    void refuse(const QString& message);

    bool m_turkish;
    QString m_program;
    bool m_run = false;
    int m_exitCode = 0;
    QString m_output;
    QString m_error;
    QString m_dataDir;
};

} // namespace zelvar
