#include "data/Database.h"

#include "data/Errors.h"
#include "data/FieldDefs.h"
#include "data/TurkishText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
    throw EngineError(context.isEmpty() ? msg : context + QStringLiteral(": ") + msg);
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

Statement::Statement(sqlite3* db, const QString& sql) : m_db(db), m_sql(sql)
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
    const QString msg = QString::fromUtf8(sqlite3_errmsg(m_db));
    sqlite3_reset(m_stmt);
    throw EngineError(msg);
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

Database::Database(sqlite3* db, QString folder) : m_db(db), m_folder(std::move(folder)) {}

Database::~Database()
{
    sqlite3_close_v2(m_db);
}

std::unique_ptr<Database> Database::openFolder(const QString& dir)
{
    const QString folder = QDir(dir).absolutePath();
    const auto failure = [&folder](const QString& why) {
        return DataStoreError(QStringLiteral("Veritabanı açılamadı.\nKlasör: %1\n%2").arg(folder, why));
    };
    if (!QDir().mkpath(folder))
        throw failure(QStringLiteral("Klasör oluşturulamıyor."));
    const QString path = QDir(folder).filePath(fileName());
    const bool exists = QFileInfo::exists(path);
    if (exists && !QFileInfo(path).isReadable())
        throw failure(QStringLiteral("%1 dosyası okunamıyor.").arg(fileName()));

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
        if (exists)
            db->checkSchema();
        else
            db->createSchema();
    } catch (const ZelvarError& e) {
        db.reset();
        if (!exists) {
            // Leave no half-made database behind.
            QFile::remove(path);
            QFile::remove(path + "-wal");
            QFile::remove(path + "-shm");
        }
        throw failure(e.message());
    }
    return db;
}

std::unique_ptr<Database> Database::openInMemory()
{
    sqlite3* raw = nullptr;
    sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::unique_ptr<Database> db(new Database(raw, QString()));
    db->configure();
    db->createSchema();
    return db;
}

void Database::configure()
{
    sqlite3_busy_timeout(m_db, 2000);
    // Detect a file that is not a database at all before anything else.
    exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    exec(QStringLiteral("PRAGMA synchronous=FULL"));
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(m_db, "like", 2, flags, nullptr, turkishLike, nullptr, nullptr);
    sqlite3_create_function(m_db, "like", 3, flags, nullptr, turkishLike, nullptr, nullptr);
    sqlite3_create_function(m_db, "trfold", 1, flags, nullptr, turkishFold, nullptr, nullptr);
}

void Database::createSchema()
{
    Transaction tx(*this);
    for (const TableDef& table : allTables())
        exec(createTableSql(table));
    exec(QStringLiteral("CREATE UNIQUE INDEX \"zelvarx_KayitNo\" ON \"zelvarx\" (\"KayitNo\")"));
    exec(QStringLiteral("CREATE INDEX \"Foto_Kayitno\" ON \"Foto\" (\"Kayitno\")"));
    exec(QStringLiteral("CREATE UNIQUE INDEX \"Randevu_key\" ON \"Randevu\" (\"Tarih\", \"Saati\")"));
    for (const QString& label : headcountLabels())
        exec(QStringLiteral("INSERT INTO \"GRUP1\" (\"Grup\", \"Sayi\") VALUES (?, 0)"), {label});
    for (const QString& label : ageBracketLabels())
        exec(QStringLiteral("INSERT INTO \"YASLAR\" (\"Grup\", \"Sayi\") VALUES (?, 0)"), {label});
    exec(QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion));
    tx.commit();
}

void Database::checkSchema()
{
    const int version = scalar(QStringLiteral("PRAGMA user_version")).toInt();
    if (version > kSchemaVersion)
        throw EngineError(QStringLiteral("Veritabanı bu programdan daha yeni bir sürüme ait."));
    for (const TableDef& table : allTables()) {
        const QVariant found = scalar(
            QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"),
            {table.name});
        if (found.toInt() == 0)
            throw EngineError(QStringLiteral("%1 tablosu bulunamadı.").arg(table.name));
    }
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

Database::Transaction::Transaction(Database& db) : m_db(db)
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
