// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Database.h"

#include "data/Errors.h"
#include "data/FieldDefs.h"
#include "data/SqliteErrors.h"
#include "data/TurkishText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <sqlite3.h>

namespace zelvar {

QString quoteIdentifier(const QString& name)
{
    QString n = name;
    n.replace('"', QLatin1String("\"\""));
    return '"' + n + '"';
}

namespace {

[[noreturn]] void throwEngine(sqlite3* db, const QString& context)
{
    throwSqliteError(db, sqlite3_extended_errcode(db), context);
}

// A file or folder the user marked read-only. Checked on the permission
// bits too: a program running as the superuser would otherwise write a file
// the office meant to keep unchanged.
bool markedReadOnly(const QFileInfo& info)
{
    const auto writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !info.isWritable() || !(info.permissions() & writeBits);
}

// A database whose tables or fields are missing: the file is not the one
// this program wrote, or lost part of itself.
class MissingStructure : public EngineError {
public:
    using EngineError::EngineError;
};

// The first 16 bytes of every SQLite database.
bool hasSqliteHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(16) == QByteArray("SQLite format 3\0", 16);
}

// like(pattern, text [, escape]) ignoring case the Turkish way.
void turkishLike(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    const auto* pattern = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    if (!pattern || !text) {
        sqlite3_result_null(ctx);
        return;
    }
    char32_t escape = 0;
    if (argc == 3) {
        const QString e = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[2])));
        if (e.size() == 1)
            escape = e[0].unicode();
    }
    sqlite3_result_int(ctx, turkish::likeMatch(pattern, text, escape) ? 1 : 0);
}

// trfold(text): the Turkish case fold, for ordering and comparing.
void turkishFold(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    if (!text) {
        sqlite3_result_null(ctx);
        return;
    }
    const QByteArray folded = turkish::fold(QString::fromUtf8(text)).toUtf8();
    sqlite3_result_text(ctx, folded.constData(), folded.size(), SQLITE_TRANSIENT);
}

QString sqlType(FieldType type)
{
    switch (type) {
    case FieldType::Text:
    case FieldType::Memo:
    case FieldType::Date:
        return QStringLiteral("TEXT");
    case FieldType::Number:
        return QStringLiteral("REAL");
    case FieldType::Integer:
        return QStringLiteral("INTEGER");
    case FieldType::Blob:
        return QStringLiteral("BLOB");
    case FieldType::AutoInc:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    }
    return QStringLiteral("TEXT");
}

QString createTableSql(const TableDef& table)
{
    QStringList columns;
    for (const FieldDef& f : table.fields)
        columns << quoteIdentifier(f.name) + ' ' + sqlType(f.type);
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteIdentifier(table.name), columns.join(", "));
}

} // namespace

// ---------------------------------------------------------------- Statement

Statement::Statement(sqlite3* db, const QString& sql)
    : m_db(db),
      m_sql(sql)
{
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), utf8.size(), &m_stmt, nullptr) != SQLITE_OK)
        throwEngine(db, QString());
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::bindAll(const QVariantList& params)
{
    for (int i = 0; i < params.size(); ++i)
        bind(i + 1, params[i]);
}

void Statement::bind(int position, const QVariant& value)
{
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, position);
    } else {
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(m_stmt, position, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, position, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob(m_stmt, position, bytes.constData(), bytes.size(), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDate: {
            const QByteArray iso = value.toDate().toString(kIsoDateFormat).toUtf8();
            rc = sqlite3_bind_text(m_stmt, position, iso.constData(), iso.size(), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, position, text.constData(), text.size(), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        throwEngine(m_db, QString());
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_stmt);
    throwSqliteError(m_db, rc);
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QString Statement::columnOriginName(int column) const
{
    return QString::fromUtf8(sqlite3_column_origin_name(m_stmt, column));
}

QString Statement::columnTableName(int column) const
{
    return QString::fromUtf8(sqlite3_column_table_name(m_stmt, column));
}

QVariant Statement::column(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant::fromValue<qint64>(sqlite3_column_int64(m_stmt, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_stmt, column);
    case SQLITE_TEXT:
        return columnText(column);
    case SQLITE_BLOB: {
        const void* data = sqlite3_column_blob(m_stmt, column);
        return QByteArray(static_cast<const char*>(data), sqlite3_column_bytes(m_stmt, column));
    }
    default:
        return {};
    }
}

qint64 Statement::columnInt64(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

QString Statement::columnText(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column));
}

const char* Statement::columnUtf8(int column, int* bytes) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    *bytes = text ? sqlite3_column_bytes(m_stmt, column) : 0;
    return text;
}

bool Statement::columnIsNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

// ---------------------------------------------------------------- Database

Database::Database(sqlite3* db, QString folder)
    : m_db(db),
      m_folder(std::move(folder))
{
}

Database::~Database()
{
    sqlite3_close_v2(m_db);
}

QString Database::openFailureMessage(const QString& folder, const QString& why)
{
    return QStringLiteral("Veritabanı açılamadı.\nKlasör: %1\n%2").arg(QDir::toNativeSeparators(folder), why);
}

QString Database::reasonOf(const ZelvarError& error)
{
    const auto* storage = dynamic_cast<const StorageError*>(&error);
    if (!storage)
        return error.message();
    switch (storage->problem()) {
    case StorageProblem::Damaged:
        return QStringLiteral("%1 dosyası bozuk (%2).").arg(fileName(), error.message());
    case StorageProblem::Locked:
        return QStringLiteral("%1 dosyasını başka bir program kullanıyor (%2).").arg(fileName(), error.message());
    case StorageProblem::ReadOnly:
        return QStringLiteral("%1 dosyası salt okunur (%2).").arg(fileName(), error.message());
    case StorageProblem::DiskFull:
        return QStringLiteral("Diskte yer kalmadı (%1).").arg(error.message());
    case StorageProblem::DiskError:
        return QStringLiteral("Disk hatası (%1).").arg(error.message());
    }
    return error.message();
}

bool Database::isDamage(const ZelvarError& error)
{
    if (dynamic_cast<const MissingStructure*>(&error))
        return true;
    const auto* storage = dynamic_cast<const StorageError*>(&error);
    return storage && storage->problem() == StorageProblem::Damaged;
}

QString Database::prepareFolder(const QString& dir)
{
    QString folder = QDir(dir).absolutePath();
    if (!QDir().mkpath(folder))
        throw DataStoreError(openFailureMessage(folder, QStringLiteral("Klasör oluşturulamıyor.")));
    if (markedReadOnly(QFileInfo(folder)))
        throw DataStoreError(
            openFailureMessage(folder, QStringLiteral("Klasör salt okunur; klasöre yazma izni veriniz.")));
    return folder;
}

std::unique_ptr<Database> Database::openFolder(const QString& dir)
{
    const QString folder = prepareFolder(dir);
    const auto failure = [&folder](const QString& why) { return DataStoreError(openFailureMessage(folder, why)); };
    const QString path = QDir(folder).filePath(fileName());
    const QFileInfo info(path);
    const bool exists = info.exists();
    if (exists && !info.isFile())
        throw failure(QStringLiteral("%1 bir dosya değil.").arg(fileName()));
    if (exists && !info.isReadable())
        throw failure(QStringLiteral("%1 dosyası okunamıyor.").arg(fileName()));
    if (exists && markedReadOnly(info))
        throw failure(QStringLiteral("%1 dosyası salt okunur; dosyaya yazma izni veriniz.").arg(fileName()));
    // An empty file holds nothing to lose (a first start cut short, a copy
    // gone wrong): it becomes a new database.
    const bool fresh = !exists || info.size() == 0;
    if (!fresh && !hasSqliteHeader(path))
        throw DataStoreError(
            openFailureMessage(folder, QStringLiteral("%1 bir Zelvar veritabanı değil ya da bozuk.").arg(fileName())),
            true);

    sqlite3* raw = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (exists ? 0 : SQLITE_OPEN_CREATE);
    if (sqlite3_open_v2(path.toUtf8().constData(), &raw, flags, nullptr) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(raw ? sqlite3_errmsg(raw) : "");
        sqlite3_close_v2(raw);
        throw failure(QStringLiteral("%1 dosyası açılamıyor (%2).").arg(fileName(), msg));
    }
    std::unique_ptr<Database> db(new Database(raw, folder));
    try {
        db->configure();
        // A file that is refused is only read, never written: its structure
        // is checked before the journal mode is set.
        if (!fresh)
            db->checkSchema();
        db->setJournalMode();
        if (fresh)
            db->createSchema();
        db->upgradeSchema();
    } catch (const ZelvarError& e) {
        db.reset();
        // A file still locked was being made by another program opening the
        // same folder: it is that program's, and stays.
        const auto* storage = dynamic_cast<const StorageError*>(&e);
        const bool othersAtWork = storage && storage->problem() == StorageProblem::Locked;
        if (fresh && !othersAtWork) {
            // Leave no half-made database behind; an empty file stays empty.
            QFile::remove(path + "-wal");
            QFile::remove(path + "-shm");
            if (exists)
                QFile(path).resize(0);
            else
                QFile::remove(path);
        }
        throw DataStoreError(openFailureMessage(folder, reasonOf(e)), !fresh && isDamage(e));
    }
    return db;
}

std::unique_ptr<Database> Database::openInMemory()
{
    sqlite3* raw = nullptr;
    sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::unique_ptr<Database> db(new Database(raw, QString()));
    db->configure();
    db->setJournalMode();
    db->createSchema();
    return db;
}

void Database::configure()
{
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    // Reads go through the system's file cache as well: half of SQLite's
    // usual page cache keeps the register's reads as fast and the program
    // a megabyte smaller.
    exec(QStringLiteral("PRAGMA cache_size=-%1").arg(kPageCacheKiB));
    registerFunctions();
}

void Database::registerFunctions()
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(m_db, "like", 2, flags, nullptr, turkishLike, nullptr, nullptr);
    sqlite3_create_function(m_db, "like", 3, flags, nullptr, turkishLike, nullptr, nullptr);
    sqlite3_create_function(m_db, "trfold", 1, flags, nullptr, turkishFold, nullptr, nullptr);
}

void Database::setJournalMode()
{
    exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    exec(QStringLiteral("PRAGMA synchronous=FULL"));
}

void Database::setBusyTimeout(int ms)
{
    sqlite3_busy_timeout(m_db, ms);
}

qint64 Database::totalChanges() const
{
    return sqlite3_total_changes64(m_db);
}

QString Database::filePath() const
{
    return m_folder.isEmpty() ? QString() : QDir(m_folder).filePath(fileName());
}

namespace {

// What a typed query may do on its connection: select, call functions and
// read the resident table (and the data version, see below). Other tables, pragmas, attaching and every write
// are refused while the statement is prepared.
int queryAuthorizer(void*, int action, const char* table, const char* argument, const char*, const char*)
{
    switch (action) {
    case SQLITE_PRAGMA:
        // Reading data_version, which tells a dataset whether its rows are
        // still current, is the one pragma allowed; setting it is impossible.
        return table && !argument && qstricmp(table, "data_version") == 0 ? SQLITE_OK : SQLITE_DENY;
    case SQLITE_SELECT:
    case SQLITE_FUNCTION:
    case SQLITE_TRANSACTION: // the exports read in one snapshot
        return SQLITE_OK;
    case SQLITE_READ:
        return table && QString::fromUtf8(table).compare(QLatin1String("zelvarx"), Qt::CaseInsensitive) == 0
                   ? SQLITE_OK
                   : SQLITE_DENY;
    default:
        return SQLITE_DENY;
    }
}

} // namespace

std::unique_ptr<Database> Database::openQueryConnection(const Database& main)
{
    const char* path = sqlite3_db_filename(main.m_db, "main");
    if (!path || !*path)
        return nullptr;
    sqlite3* raw = nullptr;
    if (sqlite3_open_v2(path, &raw, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        const QString msg = QString::fromUtf8(raw ? sqlite3_errmsg(raw) : "");
        sqlite3_close_v2(raw);
        throw EngineError(msg);
    }
    std::unique_ptr<Database> db(new Database(raw, main.m_folder));
    sqlite3_busy_timeout(raw, 2000);
    db->registerFunctions();
    db->exec(QStringLiteral("PRAGMA query_only=1"));
    sqlite3_set_authorizer(raw, queryAuthorizer, nullptr);
    // A typed value can take a megabyte, a row a few dozen of them: past
    // that the statement stops with "string or blob too big".
    sqlite3_limit(raw, SQLITE_LIMIT_LENGTH, kQueryValueBytes);
    sqlite3_limit(raw, SQLITE_LIMIT_COLUMN, kQueryColumns);
    return db;
}

void Database::createSchema()
{
    Transaction tx(*this);
    // Another program opening the same new folder at the same moment may
    // have made the tables while this one waited for the lock.
    if (scalar(QStringLiteral("select count(*) from sqlite_master where type = 'table'")).toInt() > 0)
        return;
    for (const TableDef& table : allTables())
        exec(createTableSql(table));
    createIndexes(0);
    for (const QString& label : headcountLabels())
        exec(QStringLiteral("INSERT INTO \"GRUP1\" (\"Grup\", \"Sayi\") VALUES (?, 0)"), {label});
    for (const QString& label : ageBracketLabels())
        exec(QStringLiteral("INSERT INTO \"YASLAR\" (\"Grup\", \"Sayi\") VALUES (?, 0)"), {label});
    exec(QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion));
    tx.commit();
}

// The indexes of the tables that versions after `sinceVersion` added.
void Database::createIndexes(int sinceVersion)
{
    struct Index {
        int version;
        const char* sql;
    };
    static const Index indexes[] = {
        {1, "CREATE UNIQUE INDEX IF NOT EXISTS \"zelvarx_KayitNo\" ON \"zelvarx\" (\"KayitNo\")"},
        {1, "CREATE INDEX IF NOT EXISTS \"Foto_Kayitno\" ON \"Foto\" (\"Kayitno\")"},
        {1, "CREATE UNIQUE INDEX IF NOT EXISTS \"Randevu_key\" ON \"Randevu\" (\"Tarih\", \"Saati\")"},
        {2, "CREATE INDEX IF NOT EXISTS \"Adresler_Adi\" ON \"Adresler\" (\"Adi\")"},
        {2, "CREATE INDEX IF NOT EXISTS \"Notlar_Tarih\" ON \"Notlar\" (\"Tarih\")"},
    };
    for (const Index& index : indexes)
        if (index.version > sinceVersion)
            exec(QString::fromLatin1(index.sql));
}

int Database::schemaVersion()
{
    // A file from before the version was kept holds the first version.
    return std::max(1, scalar(QStringLiteral("PRAGMA user_version")).toInt());
}

void Database::upgradeSchema()
{
    if (schemaVersion() >= kSchemaVersion)
        return;
    Transaction tx(*this);
    // Looked at again under the lock: another program may have done it.
    const int version = schemaVersion();
    if (version >= kSchemaVersion)
        return;
    for (const TableDef& table : allTables())
        if (table.since > version)
            exec(createTableSql(table).replace(QLatin1String("CREATE TABLE"),
                                               QLatin1String("CREATE TABLE IF NOT EXISTS")));
    createIndexes(version);
    exec(QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion));
    tx.commit();
}

void Database::checkSchema()
{
    const QString problem = schemaProblem(*this);
    if (problem.isEmpty())
        return;
    // A newer program's database is sound; only a missing part is damage.
    if (scalar(QStringLiteral("PRAGMA user_version")).toInt() > kSchemaVersion)
        throw EngineError(problem);
    throw MissingStructure(problem);
}

QString Database::schemaProblem(Database& db)
{
    const int version = db.schemaVersion();
    if (version > kSchemaVersion)
        return QStringLiteral("Veritabanı bu programdan daha yeni bir sürüme ait.");
    // The tables of later versions come with the upgrade at the first open.
    for (const TableDef& table : allTables()) {
        if (table.since > version)
            continue;
        QStringList columns;
        Statement info(db.m_db, QStringLiteral("PRAGMA table_info(%1)").arg(quoteIdentifier(table.name)));
        while (info.step())
            columns << info.columnText(1);
        if (columns.isEmpty())
            return QStringLiteral("%1 tablosu bulunamadı.").arg(table.name);
        for (const FieldDef& field : table.fields)
            if (!columns.contains(field.name, Qt::CaseInsensitive))
                return QStringLiteral("%1 tablosunda %2 alanı bulunamadı.").arg(table.name, field.name);
    }
    return QString();
}

void Database::exec(const QString& sql, const QVariantList& params)
{
    Statement st(m_db, sql);
    st.bindAll(params);
    while (st.step()) {
    }
}

QVariant Database::scalar(const QString& sql, const QVariantList& params)
{
    Statement st(m_db, sql);
    st.bindAll(params);
    return st.step() ? st.column(0) : QVariant();
}

qint64 Database::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int Database::changes() const
{
    return sqlite3_changes(m_db);
}

Database::ChangeStamp Database::changeStamp()
{
    // total_changes counts every row this connection wrote (rolled-back ones
    // too, which only costs a reload), the rollbacks count what undid rows
    // already read; data_version moves when another connection commits.
    return {qint64(sqlite3_total_changes64(m_db)), m_rollbacks,
            scalar(QStringLiteral("PRAGMA data_version")).toLongLong()};
}

Database::Transaction::Transaction(Database& db)
    : m_db(db)
{
    if (m_db.m_transactionDepth == 0) {
        m_db.exec(QStringLiteral("BEGIN IMMEDIATE"));
    } else {
        m_savepoint = QStringLiteral("sp%1").arg(m_db.m_transactionDepth);
        m_db.exec(QStringLiteral("SAVEPOINT ") + m_savepoint);
    }
    ++m_db.m_transactionDepth;
}

Database::Transaction::~Transaction()
{
    if (m_done)
        return;
    --m_db.m_transactionDepth;
    // Rows read inside the transaction may be gone after it: a rollback
    // moves the change stamp.
    ++m_db.m_rollbacks;
    try {
        if (m_savepoint.isEmpty()) {
            m_db.exec(QStringLiteral("ROLLBACK"));
        } else {
            m_db.exec(QStringLiteral("ROLLBACK TO ") + m_savepoint);
            m_db.exec(QStringLiteral("RELEASE ") + m_savepoint);
        }
    } catch (...) {
        // A failed rollback leaves SQLite's own rollback in force.
    }
}

Database::ReadTransaction::ReadTransaction(Database& db)
    : m_db(db)
{
    if (m_db.m_transactionDepth > 0 || !sqlite3_get_autocommit(m_db.m_db))
        return;
    m_db.exec(QStringLiteral("BEGIN"));
    m_began = true;
    ++m_db.m_transactionDepth;
}

Database::ReadTransaction::~ReadTransaction()
{
    if (!m_began)
        return;
    --m_db.m_transactionDepth;
    try {
        m_db.exec(QStringLiteral("COMMIT"));
    } catch (...) {
        // A failed commit leaves SQLite's own rollback in force.
    }
}

void Database::Transaction::commit()
{
    if (m_done)
        return;
    if (m_savepoint.isEmpty())
        m_db.exec(QStringLiteral("COMMIT"));
    else
        m_db.exec(QStringLiteral("RELEASE ") + m_savepoint);
    m_done = true;
    --m_db.m_transactionDepth;
}

} // namespace zelvar
