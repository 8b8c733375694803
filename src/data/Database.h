// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one SQLite file of the data folder, "zorp.sqlite". Opens or, on an
// empty folder, creates it with every table; runs statements with bound
// parameters; registers the Turkish LIKE.
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace zelvar {

// One prepared statement. Values are bound by position, never spliced
// into the SQL text.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bindAll(const QVariantList& params);
    void bind(int position, const QVariant& value); // 1-based
    bool step();                                    // true while a row is there
    void reset();
    int columnCount() const;
    QString columnName(int column) const;
    QString columnOriginName(int column) const; // table column it reads, or empty
    QString columnTableName(int column) const;
    QVariant column(int column) const;
    qint64 columnInt64(int column) const;
    QString columnText(int column) const;
    // The column's UTF-8 text as the engine holds it, valid until the next
    // step; null for NULL. Reads a large result without a copy per value.
    const char* columnUtf8(int column, int* bytes) const;
    bool columnIsNull(int column) const;
    sqlite3_stmt* handle() const { return m_stmt; }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_sql;
};

class ZelvarError;

class Database {
public:
    // Opens dir/zorp.sqlite; on a folder without it creates the database
    // with every table and the statistics rows. Throws DataStoreError with a
    // Turkish message naming the folder when that fails.
    static std::unique_ptr<Database> openFolder(const QString& dir);
    // Makes the data folder if it is missing and checks that it is not
    // read-only; gives its absolute path. Throws DataStoreError.
    static QString prepareFolder(const QString& dir);
    // The message of a failed open: always the Turkish line "Veritabanı
    // açılamadı.", the folder, then why.
    static QString openFailureMessage(const QString& folder, const QString& why);
    // Why an open failed, in Turkish, with the engine's own words after it.
    static QString reasonOf(const ZelvarError& error);
    // Whether an open stopped because the file itself is broken (damaged
    // pages, a missing table or field) rather than because of its folder,
    // its permissions or another program's lock.
    static bool isDamage(const ZelvarError& error);
    // What keeps an open database from being this program's: a missing
    // table or field, a newer version. Empty when the structure is right.
    static QString schemaProblem(Database& db);
    // Wraps a connection opened elsewhere (a backup file, a worker's own
    // connection); closes it when destroyed.
    static std::unique_ptr<Database> adopt(sqlite3* db)
    {
        return std::unique_ptr<Database>(new Database(db, QString()));
    }
    // A throw-away database in memory with every table, for tests.
    static std::unique_ptr<Database> openInMemory();
    // A second connection to the same file for the typed free query. It is
    // read-only twice over (opened read-only and PRAGMA query_only), reads
    // the resident table only, and holds a value to kQueryValueBytes and a
    // result to kQueryColumns columns. Null for a database in memory.
    static std::unique_ptr<Database> openQueryConnection(const Database& main);
    static constexpr int kQueryValueBytes = 1000 * 1000;
    static constexpr int kQueryColumns = 64;
    ~Database();

    static QString fileName() { return QStringLiteral("zorp.sqlite"); }
    QString folder() const { return m_folder; }
    // folder()/zorp.sqlite; empty for a database in memory.
    QString filePath() const;
    sqlite3* handle() const { return m_db; }

    void exec(const QString& sql, const QVariantList& params = {});
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    qint64 lastInsertRowId() const;
    int changes() const;
    // Rows changed through this connection since it opened.
    qint64 totalChanges() const;
    // How long a statement waits for another program's lock before the
    // store reports it locked.
    void setBusyTimeout(int ms);
    static constexpr int kBusyTimeoutMs = 2000;

    // Where the file's rows stand: rows written through this connection and
    // commits of other connections. While two stamps are equal, a statement
    // gives the same result as before, so a result read then can be reused.
    struct ChangeStamp {
        qint64 own = -1;
        qint64 rollbacks = -1;
        qint64 others = -1;
        bool operator==(const ChangeStamp& o) const
        {
            return own == o.own && rollbacks == o.rollbacks && others == o.others;
        }
        bool operator!=(const ChangeStamp& o) const { return !(*this == o); }
    };
    ChangeStamp changeStamp();
    // The file's rows were replaced wholesale (a restore through the backup
    // interface), which no row count sees: results read before are stale.
    void markRowsReplaced() { ++m_rollbacks; }

    // Multi-step changes run in one transaction: all or nothing. Nested
    // transactions become savepoints.
    class Transaction {
    public:
        explicit Transaction(Database& db);
        ~Transaction(); // rolls back unless committed
        void commit();

    private:
        Database& m_db;
        QString m_savepoint;
        bool m_done = false;
    };

    // One read snapshot over many statements: a long walk over rows (an
    // export) then takes the file's read lock once instead of once per row.
    // Changes made meanwhile on this connection nest inside it as
    // savepoints and are kept when it ends.
    class ReadTransaction {
    public:
        explicit ReadTransaction(Database& db);
        ~ReadTransaction();

    private:
        Database& m_db;
        bool m_began = false;
    };

    // Brings a database of an earlier version up to this one: the tables a
    // later version added are created and the version raised, in one
    // transaction that takes the write lock first, so that programs opening
    // the file at the same moment do it once. Nothing when it is current.
    void upgradeSchema();
    int schemaVersion();

    // 1: the register's tables; 2: the address book's and notebook's.
    static constexpr int kSchemaVersion = 2;
    static constexpr int kPageCacheKiB = 1024;

private:
    explicit Database(sqlite3* db, QString folder);
    void configure();
    void setJournalMode();
    void registerFunctions();
    void createSchema();
    void createIndexes(int sinceVersion);
    void checkSchema();
    friend class Transaction;
    friend class ReadTransaction;
    sqlite3* m_db;
    QString m_folder;
    int m_transactionDepth = 0;
    qint64 m_rollbacks = 0;
};

// SQL text for a quoted identifier: "Not" is a field name and a keyword.
QString quoteIdentifier(const QString& name);

} // namespace zelvar
