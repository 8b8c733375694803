// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ImportRun: one import from start to end. The check reads every source
// once, converts and checks every row and keeps the converted rows for the
// writing when they fit in memory; the writing takes a backup of the data
// folder and then stores every row the decisions let through in one
// transaction, so that either all of them are in or none is. A cancel at
// any moment leaves the register as it was.
#include "data/Database.h"
#include "data/Errors.h"
#include "wizard/engine/FieldMapping.h"
#include "wizard/engine/ImportCheck.h"
#include "wizard/engine/ImportSource.h"

#include <QDateTime>
#include <functional>
#include <memory>
#include <vector>

namespace zelvar::wizard {

class StagedRows;

// The user cancelled a check or a write; nothing was written.
class ImportCancelled : public ZelvarError {
public:
    ImportCancelled()
        : ZelvarError(QStringLiteral("Aktarma iptal edildi; kayıtlar değişmedi."))
    {
    }
};

// Told how far a check or a write has come; returning false cancels it.
// `total` is -1 when the number of rows is not known beforehand.
using ImportProgress = std::function<bool(const QString& table, qint64 done, qint64 total)>;

struct TableSummary {
    QString table;
    qint64 read = 0;
    qint64 written = 0;
    qint64 skipped = 0;
    qint64 renumbered = 0;
};

class ImportRun {
public:
    explicit ImportRun(Database& db);
    ~ImportRun();

    // Adds a source to import into the mapping's table. `expectedRows` is
    // the number of rows when the source knows it (a Paradox table), else -1.
    void add(std::unique_ptr<ImportSource> source, const ColumnMapping& mapping, qint64 expectedRows = -1);
    int jobCount() const { return int(m_jobs.size()); }
    ImportSource& source(int job);
    const ColumnMapping& mapping(int job) const;

    // Reads and checks every source. Throws ImportError for a file that
    // cannot be read and ImportCancelled.
    void check(const ImportProgress& progress = {});
    bool checked() const { return m_checked; }
    const QVector<Issue>& issues() const { return m_issues; }
    int issueCount(IssueKind kind) const;
    QVector<TableSummary> checkSummary() const;

    // What to do per kind; the first allowed decision by default.
    Decision decision(IssueKind kind) const { return m_decisions[int(kind)]; }
    void setDecision(IssueKind kind, Decision decision);

    // Takes a backup of `dataFolder` (none for a database in memory), then
    // writes in one transaction. Throws ImportCancelled, BackupError,
    // EngineError or ImportError; the register is then as it was.
    // `committing` is told when every row is written and the transaction
    // commits: from then on the import can no longer be cancelled.
    QVector<TableSummary> write(const QString& dataFolder, const QDateTime& now, const ImportProgress& progress = {},
                                const std::function<void()>& committing = {});
    QString backupFile() const { return m_backupFile; }

    // The report as a CSV file (UTF-8, semicolons) that a spreadsheet opens.
    void saveReport(const QString& path) const;
    // One line per table: rows read, written, skipped, given new numbers.
    static QString summaryText(const QVector<TableSummary>& summary);

    // Rows kept in memory between the check and the writing, in bytes; a
    // larger import is read from its files a second time instead.
    static constexpr qint64 kStagingBudget = 96LL << 20;

private:
    struct Job;
    void checkJob(Job& job, const ImportProgress& progress);
    // `checkHolds`: the register is as the check found it, so each row's
    // findings are the check's.
    void writeJob(Job& job, bool checkHolds, const ImportProgress& progress, TableSummary& summary);
    bool jobNeedsSecondRead(const Job& job) const;

    Database& m_db;
    std::vector<std::unique_ptr<Job>> m_jobs;
    QVector<Issue> m_issues;
    QVector<Decision> m_decisions;
    bool m_checked = false;
    Database::ChangeStamp m_checkStamp; // the register as the check read it
    qint64 m_stagedBytes = 0;
    QString m_backupFile;
    // Record numbers of the residents in the import (as in the file) and
    // what they were stored under: photographs follow them.
    QSet<double> m_residentNumbersInFile;
    QHash<double, double> m_storedNumbers;
};

} // namespace zelvar::wizard
