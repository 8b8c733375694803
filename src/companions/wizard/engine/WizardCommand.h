// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The data wizard's command line: the options, their help, and the
// scripted migrations it runs without a window.
//   zelvar-sihirbaz [--data-dir DIR]                       the wizard window
//   zelvar-sihirbaz --data-dir DIR --import PATH [--dry-run] [--encoding CP]
//   zelvar-sihirbaz --data-dir DIR --export TABLE FILE
#include "wizard/engine/CodePages.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

namespace zelvar {
class Database;
}

namespace zelvar::wizard {

class WizardCommand {
public:
    enum class Mode { Window, Import, Export, Answered };
    static constexpr int kUsageError = 2;
    // Exit code when nothing was imported or exported.
    static constexpr int kNothingDone = 1;

    // arguments: the whole command line, the program's name first.
    WizardCommand(const QStringList& arguments, const QLocale& locale);

    Mode mode() const { return m_mode; }
    // The data folder: --data-dir made absolute, else the main program's default.
    QString dataDir() const;
    static QString defaultDataDir();
    QString importPath() const { return m_importPath; }
    bool dryRun() const { return m_dryRun; }
    std::optional<Encoding> encoding() const { return m_encoding; }
    QString exportTable() const { return m_exportTable; }
    QString exportFile() const { return m_exportFile; }

    // After Mode::Answered: what to print and the exit code.
    QString output() const { return m_output; }
    QString error() const { return m_error; }
    int exitCode() const { return m_exitCode; }
    // Prints output() and error(); returns exitCode().
    int report() const;

    // Runs an import or export (the data folder's own lock held), writing
    // the report to `out` and failures to `err`; returns the exit code.
    int run(QTextStream& out, QTextStream& err, const QDateTime& now) const;

    static QString version();
    static QString lockFileName() { return QStringLiteral("zorp-sihirbaz.lock"); }
    static QString alreadyRunningMessage(const QString& folder);

private:
    QString text(const char* turkish, const char* english) const;
    void refuse(const QString& message);
    QString helpText() const;
    int runImport(Database& db, QTextStream& out, QTextStream& err, const QDateTime& now) const;
    int runExport(Database& db, QTextStream& out, QTextStream& err) const;

    bool m_turkish = true;
    QString m_program;
    Mode m_mode = Mode::Window;
    QString m_dataDir;
    QString m_importPath;
    bool m_dryRun = false;
    std::optional<Encoding> m_encoding;
    QString m_exportTable;
    QString m_exportFile;
    QString m_output;
    QString m_error;
    int m_exitCode = 0;
};

} // namespace zelvar::wizard
