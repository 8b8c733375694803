// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Backup.h"

#include "data/Database.h"
#include "data/SqliteErrors.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QUrl>
#include <cstdio>
#include <sqlite3.h>

namespace zelvar {

namespace {

const char* const kTakenFormat = "yyyy-MM-dd_HH-mm-ss";

// A connection that closes itself.
class Connection {
public:
    Connection(const QString& uriOrPath, int flags)
    {
        m_rc = sqlite3_open_v2(uriOrPath.toUtf8().constData(), &m_db, flags | SQLITE_OPEN_URI, nullptr);
        if (m_rc == SQLITE_OK)
            sqlite3_busy_timeout(m_db, 5000);
    }
    ~Connection() { sqlite3_close_v2(m_db); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    bool ok() const { return m_rc == SQLITE_OK; }
    sqlite3* get() const { return m_db; }
    QString error() const { return QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(m_rc)); }
    // Hands the connection to a Database, which closes it from then on.
    std::unique_ptr<Database> adopt()
    {
        sqlite3* db = m_db;
        m_db = nullptr;
        return Database::adopt(db);
    }

private:
    sqlite3* m_db = nullptr;
    int m_rc = SQLITE_OK;
};

// A read-only URI: the file is never written, not even its journal mode.
QString readOnlyUri(const QString& file)
{
    return QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toString(QUrl::FullyEncoded) +
           QStringLiteral("?mode=ro");
}

// Why writing a copy failed, in the user's words.
QString writeProblem(int rc, const QString& target, const QString& engineText)
{
    switch (storageProblemOf(rc).value_or(StorageProblem::DiskError)) {
    case StorageProblem::DiskFull:
        return QStringLiteral("Diskte yer kalmadı, yedek alınamadı: %1").arg(QDir::toNativeSeparators(target));
    case StorageProblem::ReadOnly:
        return QStringLiteral("Yedeğin yazılacağı yer salt okunur: %1").arg(QDir::toNativeSeparators(target));
    default:
        return QStringLiteral("Yedek yazılamadı: %1 (%2)").arg(QDir::toNativeSeparators(target), engineText);
    }
}

// Pages copied in one step of a paced backup: a megabyte of 4 KiB pages.
constexpr int kPagesPerStep = 256;
// How often a long check lets its pause in, in virtual-machine steps.
constexpr int kCheckOpsPerPause = 1000;

// Runs a whole backup from source to destination; waits out short locks.
// With a pause the copy goes in small steps with the pause between them.
int runBackup(sqlite3* destination, sqlite3* source, const Pause& pause = {})
{
    sqlite3_backup* backup = sqlite3_backup_init(destination, "main", source, "main");
    if (!backup)
        return sqlite3_extended_errcode(destination);
    int rc = SQLITE_OK;
    int busy = 0;
    while (true) {
        rc = sqlite3_backup_step(backup, pause ? kPagesPerStep : -1);
        if (rc == SQLITE_OK) {
            pause();
            continue;
        }
        if ((rc != SQLITE_BUSY && rc != SQLITE_LOCKED) || ++busy >= 100)
            break;
        sqlite3_sleep(50);
    }
    const int finish = sqlite3_backup_finish(backup);
    return rc == SQLITE_DONE ? finish : rc;
}

// Lets a pause in while a long statement runs on the connection.
class PausingStatements {
public:
    PausingStatements(sqlite3* db, const Pause& pause)
        : m_db(db),
          m_pause(pause)
    {
        if (m_pause)
            sqlite3_progress_handler(m_db, kCheckOpsPerPause, &PausingStatements::call, this);
    }
    ~PausingStatements()
    {
        if (m_pause)
            sqlite3_progress_handler(m_db, 0, nullptr, nullptr);
    }
    PausingStatements(const PausingStatements&) = delete;
    PausingStatements& operator=(const PausingStatements&) = delete;

private:
    static int call(void* self)
    {
        static_cast<PausingStatements*>(self)->m_pause();
        return 0;
    }
    sqlite3* m_db;
    const Pause& m_pause;
};

// One of SQLite's checks on an open connection: the problems, none for "ok".
QStringList runCheck(sqlite3* db, const char* pragma, const Pause& pause)
{
    QStringList problems;
    PausingStatements pacing(db, pause);
    try {
        Statement check(db, QString::fromLatin1(pragma));
        while (check.step())
            problems << check.columnText(0);
    } catch (const ZelvarError& e) {
        problems << e.message();
    }
    if (problems == QStringList{QStringLiteral("ok")})
        problems.clear();
    return problems;
}

// The residents a database file holds; -1 when it cannot be read.
int residentsIn(const QString& file)
{
    Connection connection(readOnlyUri(file), SQLITE_OPEN_READONLY);
    if (!connection.ok())
        return -1;
    try {
        Statement count(connection.get(), QStringLiteral("select count(*) from \"zelvarx\""));
        return count.step() ? int(count.columnInt64(0)) : -1;
    } catch (const ZelvarError&) {
        return -1;
    }
}

QStringList checkFile(const QString& databaseFile, const char* pragma, const Pause& pause)
{
    Connection connection(databaseFile, SQLITE_OPEN_READWRITE);
    if (!connection.ok())
        return {connection.error()};
    return runCheck(connection.get(), pragma, pause);
}

bool hasSqliteHeader(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3\0", 16);
}

} // namespace

// ----------------------------------------------------------- BackupFolder

BackupFolder::BackupFolder(const QString& dataFolder)
    : m_dataFolder(QDir(dataFolder).absolutePath()),
      m_path(QDir(m_dataFolder).filePath(folderName()))
{
}

QString BackupFolder::fileNameFor(const QDateTime& taken)
{
    return QStringLiteral("zorp_%1.sqlite").arg(taken.toString(QLatin1String(kTakenFormat)));
}

QDateTime BackupFolder::takenFromFileName(const QString& fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    if (!name.startsWith(QLatin1String("zorp_")) || !name.endsWith(QLatin1String(".sqlite")))
        return {};
    return QDateTime::fromString(name.mid(5, name.size() - 5 - 7), QLatin1String(kTakenFormat));
}

QStringList BackupFolder::files() const
{
    QStringList found;
    // The names sort by date and time.
    const QStringList names =
        QDir(m_path).entryList({QStringLiteral("zorp_*.sqlite")}, QDir::Files, QDir::Name | QDir::Reversed);
    for (const QString& name : names)
        if (takenFromFileName(name).isValid())
            found << QDir(m_path).filePath(name);
    return found;
}

QString BackupFolder::newest() const
{
    const QStringList all = files();
    return all.isEmpty() ? QString() : all.first();
}

bool BackupFolder::hasBackupOn(const QDate& day) const
{
    for (const QString& file : files())
        if (takenFromFileName(file).date() == day)
            return true;
    return false;
}

QString BackupFolder::backUp(const QDateTime& now, const Pause& pause) const
{
    if (!QDir().mkpath(m_path))
        throw BackupError(QStringLiteral("Yedek klasörü oluşturulamıyor: %1").arg(QDir::toNativeSeparators(m_path)));
    QString target = QDir(m_path).filePath(fileNameFor(now));
    copyDatabaseFile(QDir(m_dataFolder).filePath(Database::fileName()), target, {pause, true});
    // The new copy is the register as it is now.
    prune(residentsIn(target));
    return target;
}

void BackupFolder::prune(int currentResidents) const
{
    const QStringList all = files();
    std::vector<bool> keep(all.size(), false);
    QSet<QDate> days;
    QSet<int> months;
    for (int i = 0; i < all.size(); ++i) {
        const QDate day = takenFromFileName(all[i]).date();
        const int month = day.year() * 12 + day.month();
        if (!days.contains(day) && days.size() < kDaysKept) {
            days.insert(day);
            keep[i] = true;
        }
        if (!months.contains(month) && months.size() < kMonthsKept) {
            months.insert(month);
            keep[i] = true;
        }
    }

    // A register that shrank to none or under half keeps the newest sound
    // backup from before: an emptied file logged into day after day must
    // not push the last good copy out. Counted only when a backup that
    // would go holds that many, so a steady register costs one count a day.
    QHash<int, int> counts;
    const auto holdsMore = [&](int i) {
        if (!counts.contains(i))
            counts.insert(i, residentsIn(all[i]));
        return counts[i] > 2 * std::max(currentResidents, 0);
    };
    bool shrank = false;
    for (int i = 0; i < all.size() && !shrank; ++i)
        shrank = !keep[i] && holdsMore(i);
    if (shrank) {
        for (int i = 0; i < all.size(); ++i) {
            if (!holdsMore(i))
                continue;
            try {
                inspectBackup(all[i]);
                keep[i] = true;
                break;
            } catch (const BackupError&) {
            }
        }
    }
    for (int i = 0; i < all.size(); ++i)
        if (!keep[i])
            QFile::remove(all[i]);
}

QString BackupFolder::newestSound(BackupInfo* info, const Pause& pause) const
{
    for (const QString& candidate : files()) {
        try {
            const BackupInfo found = inspectBackup(candidate, pause);
            if (info)
                *info = found;
            return candidate;
        } catch (const BackupError& e) {
            qWarning() << "Zelvar: yedek kullanılamaz:" << candidate << e.message();
        }
    }
    return QString();
}

// ------------------------------------------------------------- copying

DamagedCopyError::DamagedCopyError(const QStringList& problems)
    : BackupError(QStringLiteral("Yedeğin denetiminde bozukluk bulundu: %1").arg(problems.value(0))),
      m_problems(problems)
{
}

void copyDatabase(sqlite3* source, const QString& target, const CopyOptions& options)
{
    const QString part = target + QStringLiteral(".part");
    QFile::remove(part);
    int rc = SQLITE_OK;
    QString engineText;
    QStringList problems;
    {
        Connection destination(part, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        if (!destination.ok())
            throw BackupError(writeProblem(SQLITE_CANTOPEN, target, destination.error()));
        rc = runBackup(destination.get(), source, options.pause);
        // The copy stands alone as one file, without a write-ahead log.
        if (rc == SQLITE_OK)
            rc = sqlite3_exec(destination.get(), "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            engineText = destination.error();
        else if (options.verify)
            problems = runCheck(destination.get(), "PRAGMA integrity_check", options.pause);
    }
    if (rc != SQLITE_OK || !problems.isEmpty()) {
        QFile::remove(part);
        QFile::remove(part + QStringLiteral("-journal"));
        if (!problems.isEmpty())
            throw DamagedCopyError(problems);
        throw BackupError(writeProblem(rc, target, engineText));
    }
    // rename() replaces an older file of the same name in one step.
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(part);
        throw BackupError(writeProblem(SQLITE_CANTOPEN, target, QStringLiteral("rename")));
    }
}

void copyDatabaseFile(const QString& databaseFile, const QString& target, const CopyOptions& options)
{
    Connection source(databaseFile, SQLITE_OPEN_READWRITE);
    if (!source.ok())
        throw BackupError(QStringLiteral("Veritabanı okunamadı, yedek alınamadı (%1).").arg(source.error()));
    // One read snapshot for the whole copy: a save in the program meanwhile
    // would otherwise start a copy in small steps over again.
    sqlite3_exec(source.get(), "BEGIN; SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr);
    copyDatabase(source.get(), target, options);
    sqlite3_exec(source.get(), "COMMIT", nullptr, nullptr, nullptr);
}

void installBackup(const QString& backupFile, const QString& databaseFile)
{
    Connection source(readOnlyUri(backupFile), SQLITE_OPEN_READONLY);
    if (!source.ok())
        throw BackupError(QStringLiteral("Yedek dosyası açılamadı (%1).").arg(source.error()));
    copyDatabase(source.get(), databaseFile);
}

// ------------------------------------------------------------- checking

BackupInfo inspectBackup(const QString& file, const Pause& pause)
{
    const QFileInfo info(file);
    const auto refuse = [](const QString& why) {
        return BackupError(QStringLiteral("Seçilen dosya geçerli bir Zelvar yedeği değil.\n%1").arg(why));
    };
    if (!info.isFile())
        throw refuse(QStringLiteral("Dosya bulunamadı."));
    if (info.size() == 0)
        throw refuse(QStringLiteral("Dosya boş."));
    if (!hasSqliteHeader(file))
        throw refuse(QStringLiteral("Dosya bir veritabanı değil."));
    Connection connection(readOnlyUri(file), SQLITE_OPEN_READONLY);
    if (!connection.ok())
        throw refuse(QStringLiteral("Dosya açılamadı (%1).").arg(connection.error()));
    std::unique_ptr<Database> db = connection.adopt();
    BackupInfo result;
    try {
        const QStringList problems = runCheck(db->handle(), "PRAGMA integrity_check", pause);
        if (!problems.isEmpty())
            throw refuse(QStringLiteral("Dosya bozuk: %1").arg(problems.value(0)));
        const QString schema = Database::schemaProblem(*db);
        if (!schema.isEmpty())
            throw refuse(schema);
        result.residents = db->scalar(QStringLiteral("select count(*) from \"zelvarx\"")).toInt();
    } catch (const BackupError&) {
        throw;
    } catch (const ZelvarError& e) {
        throw refuse(QStringLiteral("Dosya okunamadı (%1).").arg(e.message()));
    }
    result.taken = BackupFolder::takenFromFileName(file);
    if (!result.taken.isValid())
        result.taken = info.lastModified();
    return result;
}

void restoreBackup(Database& live, const QString& file)
{
    Connection source(readOnlyUri(file), SQLITE_OPEN_READONLY);
    if (!source.ok())
        throw BackupError(QStringLiteral("Yedek dosyası açılamadı (%1).").arg(source.error()));
    const int rc = runBackup(live.handle(), source.get());
    live.markRowsReplaced();
    if (rc != SQLITE_OK)
        throw BackupError(QStringLiteral("Yedek geri yüklenemedi; mevcut bilgiler değişmedi (%1).")
                              .arg(QString::fromUtf8(sqlite3_errstr(rc))));
    // A backup of an earlier version lacks the tables added since.
    try {
        live.upgradeSchema();
    } catch (const ZelvarError& e) {
        throw BackupError(QStringLiteral("Yedek geri yüklendi ama yeni tablolar eklenemedi (%1).").arg(e.message()));
    }
}

QStringList quickCheck(const QString& databaseFile, const Pause& pause)
{
    return checkFile(databaseFile, "PRAGMA quick_check", pause);
}

QStringList integrityCheck(const QString& databaseFile, const Pause& pause)
{
    return checkFile(databaseFile, "PRAGMA integrity_check", pause);
}

} // namespace zelvar
