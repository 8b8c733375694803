// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Dataset.h"

#include "data/Database.h"
#include "data/Errors.h"
#include "data/RowView.h"
#include "data/StoredDate.h"
#include "data/TurkishText.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <functional>

namespace zelvar {

namespace {

// Rows kept as values: a few screens of a grid. Walks over every row (a
// report, an export) read each row once, so a larger cache only holds the
// memory of a whole walk's worth of rows after it has ended.
constexpr int kRowCacheLimit = 512;
constexpr size_t kInsertRoom = 4096;

const QRegularExpression& selectStarPattern()
{
    static const QRegularExpression re(
        QStringLiteral(R"re(^\s*select\s+\*\s+from\s+"?([A-Za-z_][A-Za-z0-9_]*(?:\.db)?)"?(\s.*)?$)re"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    return re;
}

// The engine names an aggregate column the way the old desktop engine did:
// "max(kayitno)" is read as "MAX OF kayitno".
QString aggregateColumnName(const QString& name)
{
    static const QRegularExpression re(QStringLiteral(R"re(^\s*(\w+)\s*\(\s*"?(\w+)"?\s*\)\s*$)re"));
    const auto m = re.match(name);
    if (!m.hasMatch())
        return name;
    return m.captured(1).toUpper() + QStringLiteral(" OF ") + m.captured(2);
}

bool isBlankDateText(const QString& text)
{
    for (QChar c : text)
        if (c.isDigit())
            return false;
    return true;
}

} // namespace

QDate parseDateText(const QString& text)
{
    if (isBlankDateText(text))
        return {};
    static const QRegularExpression re(QStringLiteral(R"re(^\s*(\d{1,2})[./-](\d{1,2})[./-](\d{4})\s*$)re"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        throw DateEntryError(QStringLiteral("'%1' geçerli bir tarih değil").arg(text));
    const QDate date(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (!date.isValid())
        throw DateEntryError(QStringLiteral("'%1' geçerli bir tarih değil").arg(text));
    return date;
}

Dataset::Dataset(Database* db, const QString& name, QObject* parent)
    : QObject(parent),
      m_db(db),
      m_name(name)
{
    setObjectName(name);
}

Dataset::~Dataset()
{
    clearMasterLink();
}

// ------------------------------------------------------------- configuration

void Dataset::setTableName(const QString& table)
{
    m_tableName = table;
    m_sql.clear();
}

void Dataset::setSql(const QString& sql, const QVariantList& params)
{
    if (isActive())
        close();
    m_sql = sql;
    m_params = params;
    m_tableName.clear();
}

void Dataset::setIndexFieldNames(const QString& fields)
{
    m_indexFields = fields.split(';', Qt::SkipEmptyParts);
}

void Dataset::setRequiredFields(const QStringList& fields)
{
    m_requiredFields = fields;
}

void Dataset::setSearchFields(const QStringList& fields)
{
    m_searchFields = fields;
}

bool Dataset::isReadOnly() const
{
    return m_readOnly || m_mode == Mode::Materialized;
}

void Dataset::setMasterLink(Dataset* master, const QString& masterField, const QString& detailField)
{
    clearMasterLink();
    m_master = master;
    m_masterField = masterField;
    m_detailField = detailField;
    m_linkValue = QVariant();
    const auto follow = [this] { followMaster(); };
    m_masterConnections << connect(master, &Dataset::currentChanged, this, follow)
                        << connect(master, &Dataset::activeChanged, this, follow)
                        << connect(master, &Dataset::rowsReset, this, follow)
                        << connect(master, &Dataset::fieldChanged, this, [this](int field) {
                               if (m_master->fieldName(field).compare(m_masterField, Qt::CaseInsensitive) == 0)
                                   followMaster();
                           });
    if (isActive())
        refresh();
}

void Dataset::clearMasterLink()
{
    for (const auto& c : m_masterConnections)
        disconnect(c);
    m_masterConnections.clear();
    m_master = nullptr;
}

// ------------------------------------------------------------------ opening

void Dataset::checkActive() const
{
    if (!isActive())
        throw DatasetError(QStringLiteral("%1: Kapalı veri kümesinde işlem yapılamaz").arg(m_name));
    ensureLoaded();
}

void Dataset::checkWritable() const
{
    checkActive();
    if (isReadOnly())
        throw DatasetError(QStringLiteral("%1: Salt okunur veri kümesi değiştirilemez").arg(m_name));
}

QString Dataset::tailOfSelectStar(QString* table) const
{
    const auto m = selectStarPattern().match(m_sql);
    if (!m.hasMatch())
        return QString();
    *table = m.captured(1);
    return m.captured(2);
}

QString Dataset::idQuerySql(QVariantList& params) const
{
    QString columns = QStringLiteral("rowid");
    for (const QString& f : m_searchFields)
        columns += QStringLiteral(", ") + quoteIdentifier(m_table->field(f)->name);

    if (!m_sql.isEmpty()) {
        QString table;
        const QString tail = tailOfSelectStar(&table);
        params = m_params;
        return QStringLiteral("select %1 from %2 %3").arg(columns, quoteIdentifier(m_table->name), tail);
    }

    QString sql = QStringLiteral("select %1 from %2").arg(columns, quoteIdentifier(m_table->name));
    params.clear();
    if (m_master) {
        sql += QStringLiteral(" where %1 = ?").arg(quoteIdentifier(m_detailField));
        params << m_linkValue;
    }
    QStringList order;
    for (const QString& f : m_indexFields)
        order << quoteIdentifier(f);
    order << QStringLiteral("rowid");
    sql += QStringLiteral(" order by ") + order.join(", ");
    return sql;
}

void Dataset::open()
{
    if (isActive())
        return;
    m_table = nullptr;
    m_fields.clear();
    m_ids.clear();
    m_folded.clear();
    m_loadPending = false;
    m_rows.clear();
    m_columns.clear();
    m_rowCache.clear();
    m_rowStatement.reset();
    m_numberStatement.reset();

    QString table = m_tableName;
    if (table.isEmpty() && !m_sql.isEmpty() && !selectStarPattern().match(m_sql).hasMatch()) {
        openMaterialized();
    } else {
        if (table.isEmpty())
            tailOfSelectStar(&table);
        if (table.isEmpty())
            throw EngineError(QStringLiteral("%1: SQL metni yok").arg(m_name));
        m_table = findTable(table);
        if (!m_table)
            throw EngineError(QStringLiteral("Tablo bulunamadı: %1").arg(table));
        m_mode = Mode::Keyed;
        m_fields = m_table->fields;
        {
            // A statement that cannot run fails here, at the open, even when
            // its rows are read later.
            QVariantList params;
            Statement check(m_db->handle(), idQuerySql(params));
        }
        m_rowStatement = std::make_unique<Statement>(m_db->handle(), rowSelectSql());
    }
    emit rowsAboutToBeReset();
    m_state = State::Browse;
    m_modified = false;
    try {
        checkRequiredFields();
        if (m_mode == Mode::Materialized) {
            m_cur = recordCount() > 0 ? 0 : -1;
            m_bof = true;
            m_eof = recordCount() == 0;
        } else {
            m_loadPending = true;
            if (m_reading || (!takeKeptResult() && !m_loadOnFirstUse))
                loadRows();
        }
    } catch (...) {
        m_state = State::Inactive;
        m_loadPending = false;
        m_rowStatement.reset();
        m_numberStatement.reset();
        emit rowsReset();
        throw;
    }
    emit activeChanged(true);
    emit rowsReset();
    emit stateChanged();
    notifyCurrent();
}

void Dataset::open(Reading reading)
{
    if (isActive())
        return;
    if (m_master || !m_searchFields.isEmpty())
        throw EngineError(QStringLiteral("%1: okunmuş sonuçla açılamaz").arg(m_name));
    m_reading = std::make_unique<Reading>(std::move(reading));
    try {
        open();
    } catch (...) {
        m_reading.reset();
        throw;
    }
    m_reading.reset();
}

Dataset::Reading Dataset::takeReading()
{
    Reading reading;
    if (!isActive())
        return reading;
    ensureLoaded();
    reading.keyed = m_mode == Mode::Keyed;
    reading.fields = m_fields;
    reading.rows = std::move(m_rows);
    reading.ids = std::move(m_ids);
    m_rows.clear();
    m_ids.clear();
    close();
    return reading;
}

// The reading handed to open(Reading), checked against what this dataset
// reads; null when it reads for itself.
std::unique_ptr<Dataset::Reading> Dataset::takeOpenReading(bool keyed)
{
    if (m_reading && m_reading->keyed != keyed)
        throw EngineError(QStringLiteral("%1: okunmuş sonuç bu sorgunun değil").arg(m_name));
    return std::move(m_reading);
}

void Dataset::checkResultSize(qint64 bytes) const
{
    if (m_resultLimit > 0 && bytes > m_resultLimit)
        throw ResultTooLarge(QStringLiteral("%1: sonuç %2 MB sınırını aşıyor").arg(m_name).arg(m_resultLimit >> 20));
}

void Dataset::loadIds(const QString& sql, const QVariantList& params)
{
    m_kept = KeptResult();
    // The stamp is taken before reading: a change made meanwhile only
    // costs a later reload.
    m_loadedStamp = m_db->changeStamp();
    m_loadedSql = sql;
    m_loadedParams = params;
    m_folded.clear();
    if (std::unique_ptr<Reading> reading = takeOpenReading(true)) {
        m_ids = std::move(reading->ids);
        return;
    }
    Statement st(m_db->handle(), sql);
    st.bindAll(params);
    m_ids.clear();
    std::vector<FoldedColumn*> folded;
    for (const QString& f : m_searchFields)
        folded.push_back(&m_folded[fieldIndex(f)]);
    if (!folded.empty()) {
        // A large list is read without moving it as it grows: room for as
        // many rows as the table's highest row id. Room never used costs
        // address space only, not memory.
        const size_t rows = size_t(std::max<qint64>(
            0, m_db->scalar(QStringLiteral("select max(rowid) from %1").arg(quoteIdentifier(m_table->name)))
                   .toLongLong()));
        // Some room beyond it lets new rows in without moving the list.
        m_ids.reserve(rows + kInsertRoom);
        for (FoldedColumn* column : folded)
            column->reserve(rows + kInsertRoom, (rows + kInsertRoom) * 24);
    }
    int bytes = 0;
    while (st.step()) {
        m_ids.push_back(st.columnInt64(0));
        if (m_ids.size() % 4096 == 0)
            checkResultSize(qint64(m_ids.size()) * qint64(sizeof(qint64)));
        for (size_t k = 0; k < folded.size(); ++k) {
            const char* text = st.columnUtf8(int(k) + 1, &bytes);
            folded[k]->appendUtf8(text, bytes);
        }
    }
}

void Dataset::ensureLoaded() const
{
    // Reading the row list changes what the dataset holds, not what it
    // shows: it is the same whenever it happens, so const callers may ask.
    if (m_loadPending)
        const_cast<Dataset*>(this)->loadRows();
}

void Dataset::loadRows()
{
    m_loadPending = false;
    if (m_master)
        m_linkValue = masterValue();
    QVariantList params;
    const QString sql = idQuerySql(params);
    loadIds(sql, params);
    m_cur = m_ids.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_ids.empty();
}

bool Dataset::resultStillCurrent(const QString& sql, const QVariantList& params)
{
    return sql == m_loadedSql && params == m_loadedParams && m_loadedStamp == m_db->changeStamp();
}

void Dataset::keepResult()
{
    m_kept = KeptResult();
    // Only a browsed list is kept: a pending new row or edited values are
    // dropped by the close. A detail list follows its master instead.
    if (m_mode != Mode::Keyed || m_loadPending || m_state != State::Browse || m_master)
        return;
    m_kept.valid = true;
    m_kept.table = m_table;
    m_kept.sql = m_loadedSql;
    m_kept.params = m_loadedParams;
    m_kept.searchFields = m_searchFields;
    m_kept.stamp = m_loadedStamp;
    m_kept.ids.swap(m_ids);
    m_kept.folded.swap(m_folded);
}

bool Dataset::takeKeptResult()
{
    if (!m_kept.valid || m_master || m_kept.table != m_table || m_kept.searchFields != m_searchFields) {
        m_kept = KeptResult();
        return false;
    }
    QVariantList params;
    const QString sql = idQuerySql(params);
    if (sql != m_kept.sql || params != m_kept.params || m_kept.stamp != m_db->changeStamp()) {
        m_kept = KeptResult();
        return false;
    }
    m_ids.swap(m_kept.ids);
    m_folded.swap(m_kept.folded);
    m_loadedSql = m_kept.sql;
    m_loadedParams = m_kept.params;
    m_loadedStamp = m_kept.stamp;
    m_kept = KeptResult();
    m_loadPending = false;
    m_cur = m_ids.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_ids.empty();
    return true;
}

void Dataset::openMaterialized()
{
    m_mode = Mode::Materialized;
    if (std::unique_ptr<Reading> reading = takeOpenReading(false)) {
        m_fields = std::move(reading->fields);
        m_rows = std::move(reading->rows);
        return;
    }
    Statement st(m_db->handle(), m_sql);
    st.bindAll(m_params);
    bool first = true;
    while (true) {
        const bool hasRow = st.step();
        if (first) {
            for (int c = 0; c < st.columnCount(); ++c) {
                FieldDef def{aggregateColumnName(st.columnName(c)), FieldType::Text, 0, QString()};
                const TableDef* origin = findTable(st.columnTableName(c));
                const FieldDef* originField = origin ? origin->field(st.columnOriginName(c)) : nullptr;
                if (originField) {
                    const QString name = def.name;
                    def = *originField;
                    def.name = name;
                } else if (def.name.contains(QLatin1String(" OF "))) {
                    def.type = FieldType::Number;
                }
                m_fields << def;
            }
            first = false;
        }
        if (!hasRow)
            break;
        m_rows.append(st.handle());
        checkResultSize(m_rows.bytes());
    }
}

void Dataset::checkRequiredFields()
{
    for (const QString& f : m_requiredFields)
        if (fieldIndex(f) < 0)
            throw EngineError(QStringLiteral("%1: '%2' alanı bulunamadı").arg(m_name, f));
}

void Dataset::close()
{
    if (!isActive())
        return;
    emit rowsAboutToBeReset();
    keepResult();
    m_state = State::Inactive;
    m_buffer.clear();
    m_modified = false;
    m_ids.clear();
    m_folded.clear();
    m_loadPending = false;
    m_rows.clear();
    m_columns.clear();
    m_rowCache.clear();
    m_rowStatement.reset();
    m_numberStatement.reset();
    m_cur = -1;
    m_bof = m_eof = true;
    emit activeChanged(false);
    emit rowsReset();
    emit stateChanged();
    notifyCurrent();
}

void Dataset::refresh()
{
    checkActive();
    settle();
    emit rowsAboutToBeReset();
    try {
        if (m_mode == Mode::Materialized) {
            const int row = m_cur;
            m_rows.clear();
            m_rowCache.clear();
            m_fields.clear();
            openMaterialized();
            m_cur = std::min(std::max(row, 0), recordCount() - 1);
        } else {
            const qint64 currentId = m_cur >= 0 ? m_ids[m_cur] : 0;
            const int oldRow = m_cur;
            m_rowCache.clear();
            if (m_master)
                m_linkValue = masterValue();
            QVariantList params;
            const QString sql = idQuerySql(params);
            // Unchanged rows need no second reading.
            if (!resultStillCurrent(sql, params)) {
                m_columns.clear();
                loadIds(sql, params);
            }
            const int found = indexOfId(currentId, oldRow);
            m_cur = found >= 0 ? found : std::min(std::max(oldRow, 0), recordCount() - 1);
        }
    } catch (...) {
        // A grid must not stay between the two notices.
        m_cur = std::min(m_cur, rowCount() - 1);
        emit rowsReset();
        throw;
    }
    m_bof = m_cur <= 0;
    m_eof = recordCount() == 0;
    emit rowsReset();
    notifyCurrent();
}

void Dataset::execSql()
{
    if (isActive())
        close();
    Statement st(m_db->handle(), m_sql);
    st.bindAll(m_params);
    while (st.step()) {
    }
}

void Dataset::emptyTable()
{
    const TableDef* table = m_table ? m_table : findTable(m_tableName);
    if (!table)
        throw EngineError(QStringLiteral("Tablo bulunamadı: %1").arg(m_tableName));
    m_db->exec(QStringLiteral("delete from %1").arg(quoteIdentifier(table->name)));
    if (isActive()) {
        emit rowsAboutToBeReset();
        m_state = State::Browse;
        m_buffer.clear();
        m_modified = false;
        m_ids.clear();
        m_loadPending = false;
        for (auto it = m_folded.begin(); it != m_folded.end(); ++it)
            it->clear();
        m_columns.clear();
        m_rowCache.clear();
        m_cur = -1;
        m_bof = m_eof = true;
        emit rowsReset();
        emit stateChanged();
        notifyCurrent();
    }
}

// --------------------------------------------------------- state, position

int Dataset::recordCount() const
{
    if (!isActive())
        return 0;
    ensureLoaded();
    if (m_mode == Mode::Materialized)
        return int(m_rows.size());
    return int(m_ids.size()) - (m_state == State::Insert ? 1 : 0);
}

bool Dataset::isEmpty() const
{
    return rowCount() == 0;
}

int Dataset::rowCount() const
{
    if (!isActive())
        return 0;
    ensureLoaded();
    return m_mode == Mode::Materialized ? int(m_rows.size()) : int(m_ids.size());
}

int Dataset::recNo() const
{
    ensureLoaded();
    return m_cur;
}

bool Dataset::bof() const
{
    ensureLoaded();
    return m_bof;
}

bool Dataset::eof() const
{
    ensureLoaded();
    return m_eof;
}

int Dataset::indexOfId(qint64 id, int hint) const
{
    if (hint >= 0 && hint < int(m_ids.size()) && m_ids[hint] == id)
        return hint;
    const auto it = std::find(m_ids.begin(), m_ids.end(), id);
    return it == m_ids.end() ? -1 : int(it - m_ids.begin());
}

void Dataset::setPosition(int row)
{
    const int count = rowCount();
    m_cur = count == 0 ? -1 : std::clamp(row, 0, count - 1);
    notifyCurrent();
}

void Dataset::notifyCurrent()
{
    if (m_controlsDisabled == 0)
        emit currentChanged();
}

void Dataset::first()
{
    checkActive();
    settle();
    m_bof = true;
    m_eof = rowCount() == 0;
    setPosition(0);
}

void Dataset::last()
{
    checkActive();
    settle();
    m_eof = true;
    m_bof = rowCount() == 0;
    setPosition(rowCount() - 1);
}

void Dataset::next()
{
    checkActive();
    settle();
    m_bof = false;
    if (m_cur + 1 >= rowCount()) {
        m_eof = true;
        return;
    }
    m_eof = false;
    setPosition(m_cur + 1);
}

void Dataset::prior()
{
    checkActive();
    settle();
    m_eof = false;
    if (m_cur <= 0) {
        m_bof = true;
        return;
    }
    m_bof = false;
    setPosition(m_cur - 1);
}

void Dataset::moveTo(int row)
{
    checkActive();
    if (row < 0 || row >= rowCount() || row == m_cur)
        return;
    if (m_mode == Mode::Materialized) {
        m_bof = m_eof = false;
        setPosition(row);
        return;
    }
    const qint64 target = m_ids[row];
    if (target == kPendingRow)
        return;
    settle();
    m_bof = m_eof = false;
    setPosition(indexOfId(target, row));
}

// ------------------------------------------------------------------ changes

void Dataset::edit()
{
    checkWritable();
    if (isEditing())
        return;
    if (recordCount() == 0) {
        insert();
        return;
    }
    m_buffer = rowValues(m_cur);
    m_original = m_buffer;
    m_modified = false;
    m_state = State::Edit;
    emit stateChanged();
}

void Dataset::insert()
{
    checkWritable();
    settle();
    const int pos = m_cur < 0 ? 0 : m_cur;
    m_buffer = QVector<QVariant>(m_fields.size());
    if (m_master) {
        const int link = fieldIndex(m_detailField);
        if (link >= 0)
            m_buffer[link] = normalize(link, masterValue());
    }
    m_original = QVector<QVariant>(m_fields.size());
    m_modified = false;
    emit rowAboutToBeInserted(pos);
    insertIdAt(pos, kPendingRow);
    m_cur = pos;
    m_state = State::Insert;
    emit rowInserted(pos);
    emit stateChanged();
    notifyCurrent();
}

void Dataset::post()
{
    checkActive();
    if (!isEditing())
        throw DatasetError(QStringLiteral("%1: Veri kümesi düzenleme veya ekleme durumunda değil").arg(m_name));
    updateLinks();
    if (m_state == State::Insert)
        postInsert();
    else
        postEdit();
    m_state = State::Browse;
    m_modified = false;
    m_buffer.clear();
    emit rowUpdated(m_cur);
    emit stateChanged();
    notifyCurrent();
}

QVariant Dataset::toStorage(int field, const QVariant& value) const
{
    if (value.isNull() || !value.isValid())
        return QVariant();
    const FieldDef& def = m_fields[field];
    switch (def.type) {
    case FieldType::Date:
        return value.toDate().toString(kIsoDateFormat);
    case FieldType::Text:
    case FieldType::Memo: {
        const QString text = value.toString();
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    default:
        return value;
    }
}

void Dataset::postInsert()
{
    QStringList columns;
    QStringList marks;
    QVariantList params;
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].type == FieldType::AutoInc && m_buffer[i].isNull())
            continue;
        const QVariant stored = toStorage(i, m_buffer[i]);
        if (stored.isNull())
            continue;
        columns << quoteIdentifier(m_fields[i].name);
        marks << QStringLiteral("?");
        params << stored;
    }
    const QString table = quoteIdentifier(m_table->name);
    if (columns.isEmpty())
        m_db->exec(QStringLiteral("insert into %1 default values").arg(table));
    else
        m_db->exec(QStringLiteral("insert into %1 (%2) values (%3)").arg(table, columns.join(", "), marks.join(", ")),
                   params);
    const qint64 id = m_db->lastInsertRowId();
    m_rowCache.remove(id);
    replaceIdAt(m_cur, id);
}

void Dataset::postEdit()
{
    QStringList sets;
    QVariantList params;
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].type == FieldType::AutoInc)
            continue;
        if (m_buffer[i] == m_original[i] && m_buffer[i].isNull() == m_original[i].isNull())
            continue;
        sets << quoteIdentifier(m_fields[i].name) + QStringLiteral(" = ?");
        params << toStorage(i, m_buffer[i]);
    }
    const qint64 id = m_ids[m_cur];
    if (!sets.isEmpty()) {
        params << id;
        m_db->exec(
            QStringLiteral("update %1 set %2 where rowid = ?").arg(quoteIdentifier(m_table->name), sets.join(", ")),
            params);
        if (m_db->changes() == 0)
            throw EngineError(QStringLiteral("Kayıt bulunamadı; başka bir program silmiş olabilir"));
    }
    m_rowCache.remove(id);
    replaceIdAt(m_cur, id);
}

void Dataset::cancel()
{
    if (!isEditing())
        return;
    const bool wasInsert = m_state == State::Insert;
    m_state = State::Browse;
    m_modified = false;
    m_buffer.clear();
    if (wasInsert) {
        const int pos = m_cur;
        emit rowAboutToBeRemoved(pos);
        eraseIdAt(pos);
        m_cur = rowCount() == 0 ? -1 : std::min(pos, rowCount() - 1);
        emit rowRemoved(pos);
    } else if (m_mode == Mode::Keyed && m_cur >= 0) {
        // Cached columns held the edited values; put the stored ones back.
        const QVector<QVariant>& row = loadRow(m_ids[m_cur]);
        for (auto it = m_columns.begin(); it != m_columns.end(); ++it)
            if (size_t(m_cur) < it->size())
                (*it)[m_cur] = row.value(it.key());
    }
    emit stateChanged();
    notifyCurrent();
}

void Dataset::remove()
{
    checkWritable();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (recordCount() == 0)
        throw DatasetError(QStringLiteral("%1: Boş veri kümesinde bu işlem yapılamaz").arg(m_name));
    const qint64 id = m_ids[m_cur];
    m_db->exec(QStringLiteral("delete from %1 where rowid = ?").arg(quoteIdentifier(m_table->name)), {id});
    m_state = State::Browse;
    m_modified = false;
    m_buffer.clear();
    m_rowCache.remove(id);
    const int pos = m_cur;
    emit rowAboutToBeRemoved(pos);
    eraseIdAt(pos);
    m_cur = rowCount() == 0 ? -1 : std::min(pos, rowCount() - 1);
    m_eof = rowCount() == 0;
    emit rowRemoved(pos);
    emit stateChanged();
    notifyCurrent();
}

void Dataset::settle()
{
    if (!isEditing())
        return;
    updateLinks();
    if (m_modified)
        post();
    else
        cancel();
}

// ------------------------------------------------------------------ finding

const std::vector<QVariant>& Dataset::columnCache(int field)
{
    auto it = m_columns.find(field);
    if (it != m_columns.end() && it->size() == m_ids.size())
        return *it;
    std::vector<QVariant> values;
    values.reserve(m_ids.size());
    if (!m_ids.empty()) {
        // One statement reads the column of every row, then the values are
        // put in the dataset's row order.
        QHash<qint64, QVariant> byId;
        byId.reserve(int(m_ids.size()));
        Statement st(m_db->handle(), QStringLiteral("select rowid, %1 from %2")
                                         .arg(quoteIdentifier(m_fields[field].name), quoteIdentifier(m_table->name)));
        if (m_ids.size() < 64) {
            for (qint64 id : m_ids)
                values.push_back(id == kPendingRow ? m_buffer.value(field) : loadRow(id).value(field));
        } else {
            while (st.step())
                byId.insert(st.columnInt64(0), st.column(1));
            for (qint64 id : m_ids)
                values.push_back(id == kPendingRow ? m_buffer.value(field) : fromStorage(field, byId.value(id)));
        }
    }
    m_columns[field] = std::move(values);
    return m_columns[field];
}

bool Dataset::locate(const QString& field, const QVariant& value, LocateOptions options)
{
    checkActive();
    settle();
    const int f = fieldIndex(field);
    if (f < 0)
        throw DatasetError(QStringLiteral("%1: '%2' alanı bulunamadı").arg(m_name, field));
    const FieldDef& def = m_fields[f];
    const int count = rowCount();

    if (m_mode == Mode::Keyed) {
        int found = -2;
        if (def.isNumeric() && !options.partialKey) {
            // Asked of the table, whose index on the field (the record
            // number has one) answers at once.
            bool ok = false;
            const double wanted = value.toString().toDouble(&ok);
            found = ok ? firstRowWithNumber(f, wanted) : -1;
        } else if (options.caseInsensitive && m_folded.contains(f) && size_t(m_folded[f].size()) == m_ids.size()) {
            const QByteArray key = FoldedColumn::fold(value.toString());
            found = options.partialKey ? m_folded[f].findPrefix(key) : m_folded[f].findEqual(key);
        }
        if (found >= 0) {
            m_bof = m_eof = false;
            if (found != m_cur)
                setPosition(found);
            return true;
        }
        if (found == -1)
            return false;
    }

    std::function<bool(const QVariant&)> matches;
    if (def.isNumeric() && !options.partialKey) {
        bool ok = false;
        const double wanted = value.toString().toDouble(&ok);
        if (!ok)
            return false;
        matches = [wanted](const QVariant& v) { return !v.isNull() && v.toDouble() == wanted; };
    } else {
        const QString wanted = def.isDate() && value.typeId() == QMetaType::QDate ? value.toDate().toString(kDateFormat)
                                                                                  : value.toString();
        const QString folded = options.caseInsensitive ? turkish::fold(wanted) : wanted;
        matches = [&, folded, wanted](const QVariant& v) {
            const QString text = formatValue(def, v);
            if (options.partialKey)
                return options.caseInsensitive ? turkish::startsWithFolded(text, folded) : text.startsWith(wanted);
            return options.caseInsensitive ? turkish::equalsIgnoringCase(text, wanted) : text == wanted;
        };
    }

    int found = -1;
    if (m_mode == Mode::Materialized) {
        for (int r = 0; r < count && found < 0; ++r)
            if (matches(rowValues(r)[f]))
                found = r;
    } else {
        const std::vector<QVariant>& column = columnCache(f);
        for (int r = 0; r < count; ++r) {
            if (matches(column[r])) {
                found = r;
                break;
            }
        }
    }
    if (found < 0)
        return false;
    m_bof = m_eof = false;
    if (found != m_cur)
        setPosition(found);
    return true;
}

int Dataset::firstRowWithNumber(int field, double wanted)
{
    // Kept prepared: a record-number search asks this on every key.
    if (!m_numberStatement || m_numberField != field) {
        m_numberStatement = std::make_unique<Statement>(
            m_db->handle(), QStringLiteral("select rowid from %1 where %2 = ?")
                                .arg(quoteIdentifier(m_table->name), quoteIdentifier(m_fields[field].name)));
        m_numberField = field;
    }
    Statement& st = *m_numberStatement;
    st.reset();
    st.bind(1, wanted);
    std::vector<qint64> matching;
    while (st.step())
        matching.push_back(st.columnInt64(0));
    st.reset();
    if (matching.empty())
        return -1;
    // The first of them in the dataset's order, if the result holds any.
    if (matching.size() == 1) {
        const auto it = std::find(m_ids.begin(), m_ids.end(), matching.front());
        return it == m_ids.end() ? -1 : int(it - m_ids.begin());
    }
    std::sort(matching.begin(), matching.end());
    for (size_t row = 0; row < m_ids.size(); ++row)
        if (m_ids[row] != kPendingRow && std::binary_search(matching.begin(), matching.end(), m_ids[row]))
            return int(row);
    return -1;
}

bool Dataset::findKey(const QVariantList& values)
{
    checkActive();
    settle();
    QStringList keys = m_indexFields;
    if (keys.isEmpty() && m_table)
        keys = m_table->keyFields;
    if (keys.size() < values.size())
        throw DatasetError(QStringLiteral("%1: Anahtar alanı yok").arg(m_name));
    std::vector<int> fields;
    std::vector<QVariant> wanted;
    for (int k = 0; k < values.size(); ++k) {
        const int f = fieldIndex(keys[k]);
        fields.push_back(f);
        const QVariant& v = values[k];
        // Key values are cut to the field width like any stored text.
        wanted.push_back(m_fields[f].isDate() ? QVariant(v.toDate()) : normalize(f, v));
    }
    for (int r = 0; r < rowCount(); ++r) {
        bool all = true;
        for (size_t k = 0; k < fields.size() && all; ++k)
            all = valueAt(r, fields[k]) == wanted[k];
        if (all) {
            m_bof = m_eof = false;
            if (r != m_cur)
                setPosition(r);
            return true;
        }
    }
    return false;
}

// ------------------------------------------------------------------- fields

QStringList Dataset::fieldNames() const
{
    QStringList names;
    for (const FieldDef& f : m_fields)
        names << f.name;
    return names;
}

int Dataset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

const FieldDef* Dataset::fieldDef(const QString& name) const
{
    const int i = fieldIndex(name);
    return i < 0 ? nullptr : &m_fields[i];
}

const QVector<QVariant>& Dataset::loadRow(qint64 id) const
{
    auto it = m_rowCache.constFind(id);
    if (it != m_rowCache.constEnd())
        return *it;
    if (m_rowCache.size() >= kRowCacheLimit)
        m_rowCache.clear();
    QVector<QVariant> row(m_fields.size());
    m_rowStatement->reset();
    m_rowStatement->bind(1, id);
    if (m_rowStatement->step()) {
        for (int i = 0; i < m_fields.size(); ++i)
            row[i] = fromStorage(i, m_rowStatement->column(i));
    }
    m_rowStatement->reset();
    return *m_rowCache.insert(id, row);
}

// A row of a result read whole, made into values when it is looked at; the
// rows looked at last are kept made.
const QVector<QVariant>& Dataset::materializedRow(int row) const
{
    auto it = m_rowCache.constFind(row);
    if (it != m_rowCache.constEnd())
        return *it;
    if (m_rowCache.size() >= kRowCacheLimit)
        m_rowCache.clear();
    QVector<QVariant> values = m_rows.row(row);
    for (int i = 0; i < values.size() && i < m_fields.size(); ++i)
        values[i] = fromStorage(i, values[i]);
    return *m_rowCache.insert(row, values);
}

const QVector<QVariant>& Dataset::rowValues(int row) const
{
    static const QVector<QVariant> none;
    if (row < 0 || row >= rowCount())
        return none;
    if (m_mode == Mode::Materialized)
        return materializedRow(row);
    const qint64 id = m_ids[row];
    if (id == kPendingRow)
        return m_buffer;
    return loadRow(id);
}

QVariant Dataset::fromStorage(int field, const QVariant& stored) const
{
    if (stored.isNull() || !stored.isValid())
        return QVariant();
    const FieldDef& def = m_fields[field];
    switch (def.type) {
    case FieldType::Date: {
        const QDate d = storedDate(stored.toString());
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::Number:
        return stored.toDouble();
    case FieldType::Integer:
    case FieldType::AutoInc:
        return stored.toLongLong();
    case FieldType::Blob:
        return stored.toByteArray();
    default:
        return stored.typeId() == QMetaType::QString ? stored : QVariant(stored.toString());
    }
}

QVariant Dataset::value(int field) const
{
    if (field < 0 || field >= m_fields.size())
        throw DatasetError(QStringLiteral("%1: alan yok").arg(m_name));
    if (isEditing())
        return m_buffer[field];
    ensureLoaded();
    if (m_cur < 0)
        return QVariant();
    return rowValues(m_cur)[field];
}

QVariant Dataset::value(const QString& field) const
{
    const int i = fieldIndex(field);
    if (i < 0)
        throw DatasetError(QStringLiteral("%1: '%2' alanı bulunamadı").arg(m_name, field));
    return value(i);
}

QString Dataset::formatValue(const FieldDef& def, const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (def.type) {
    case FieldType::Date:
        return value.toDate().toString(kDateFormat);
    case FieldType::Number: {
        const double d = value.toDouble();
        if (std::floor(d) == d && std::fabs(d) < 1e15)
            return QString::number(qint64(d));
        return QString::number(d, 'g', 15);
    }
    case FieldType::Blob:
        return QStringLiteral("(Blob)");
    default:
        return value.toString();
    }
}

QString Dataset::displayText(int field) const
{
    return formatValue(m_fields[field], value(field));
}

QString Dataset::displayText(const QString& field) const
{
    const int i = fieldIndex(field);
    if (i < 0)
        throw DatasetError(QStringLiteral("%1: '%2' alanı bulunamadı").arg(m_name, field));
    return displayText(i);
}

QVariant Dataset::valueAt(int row, int field) const
{
    if (row == m_cur && isEditing())
        return m_buffer[field];
    return rowValues(row).value(field);
}

const QVector<QVariant>& Dataset::valuesAt(int row) const
{
    if (row == m_cur && isEditing())
        return m_buffer;
    return rowValues(row);
}

QString Dataset::rowSelectSql() const
{
    QStringList columns;
    for (const FieldDef& f : m_fields)
        columns << quoteIdentifier(f.name);
    return QStringLiteral("select %1 from %2 where rowid = ?").arg(columns.join(", "), quoteIdentifier(m_table->name));
}

void Dataset::forEachRow(const std::function<void(int row, const RowView& values)>& visit) const
{
    if (!isActive())
        return;
    ensureLoaded();
    // A statement of its own, so a visitor may still ask for single rows.
    std::unique_ptr<Statement> read;
    if (m_mode == Mode::Keyed)
        read = std::make_unique<Statement>(m_db->handle(), rowSelectSql());
    const int rows = recordCount();
    for (int row = 0; row < rows; ++row) {
        const bool held = m_mode == Mode::Materialized || (row == m_cur && isEditing()) || m_ids[row] == kPendingRow;
        if (held) {
            visit(row, ValuesRowView(valuesAt(row)));
            continue;
        }
        read->reset();
        read->bind(1, m_ids[row]);
        // A row deleted by another copy since the list was read is empty,
        // as valuesAt gives it.
        if (read->step())
            visit(row, StatementRowView(*read));
        else
            visit(row, ValuesRowView(QVector<QVariant>(m_fields.size())));
    }
}

QString Dataset::displayTextAt(int row, int field) const
{
    return formatValue(m_fields[field], valueAt(row, field));
}

QVariant Dataset::normalize(int field, const QVariant& value) const
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    const FieldDef& def = m_fields[field];
    switch (def.type) {
    case FieldType::Text:
    case FieldType::Memo: {
        const QString text = cutToWidth(def, value.toString());
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    case FieldType::Date: {
        if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
            return value.toDate().isValid() ? QVariant(value.toDate()) : QVariant();
        const QDate d = parseDateText(value.toString());
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::Number:
    case FieldType::Integer:
    case FieldType::AutoInc: {
        if (value.typeId() == QMetaType::QString) {
            const QString text = value.toString().trimmed();
            if (text.isEmpty())
                return QVariant();
            bool ok = false;
            const double d = text.toDouble(&ok);
            if (!ok)
                throw DatasetError(QStringLiteral("'%1' geçerli bir sayı değil").arg(text));
            return def.type == FieldType::Number ? QVariant(d) : QVariant(qint64(d));
        }
        return def.type == FieldType::Number ? QVariant(value.toDouble()) : QVariant(value.toLongLong());
    }
    case FieldType::Blob:
        return value.toByteArray();
    }
    return value;
}

void Dataset::setValue(int field, const QVariant& value)
{
    checkActive();
    if (!isEditing())
        throw DatasetError(QStringLiteral("%1: Veri kümesi düzenleme veya ekleme durumunda değil").arg(m_name));
    if (field < 0 || field >= m_fields.size())
        throw DatasetError(QStringLiteral("%1: alan yok").arg(m_name));
    if (m_fields[field].type == FieldType::AutoInc)
        throw DatasetError(QStringLiteral("%1: '%2' alanı değiştirilemez").arg(m_name, m_fields[field].name));
    m_buffer[field] = normalize(field, value);
    m_modified = true;
    if (m_columns.contains(field) && m_cur >= 0 && size_t(m_cur) < m_columns[field].size())
        m_columns[field][m_cur] = m_buffer[field];
    emit fieldChanged(field);
}

void Dataset::setValue(const QString& field, const QVariant& value)
{
    const int i = fieldIndex(field);
    if (i < 0)
        throw DatasetError(QStringLiteral("%1: '%2' alanı bulunamadı").arg(m_name, field));
    setValue(i, value);
}

void Dataset::setText(int field, const QString& text)
{
    setValue(field, QVariant(text));
}

void Dataset::setText(const QString& field, const QString& text)
{
    setValue(field, QVariant(text));
}

// ----------------------------------------------------------- id list upkeep

void Dataset::insertIdAt(int pos, qint64 id)
{
    m_ids.insert(m_ids.begin() + pos, id);
    for (auto it = m_columns.begin(); it != m_columns.end(); ++it)
        if (it->size() + 1 == m_ids.size())
            it->insert(it->begin() + pos, QVariant());
    for (auto it = m_folded.begin(); it != m_folded.end(); ++it)
        if (size_t(it->size()) + 1 == m_ids.size())
            it->insert(pos, QString());
}

void Dataset::eraseIdAt(int pos)
{
    m_ids.erase(m_ids.begin() + pos);
    for (auto it = m_columns.begin(); it != m_columns.end(); ++it)
        if (it->size() == m_ids.size() + 1)
            it->erase(it->begin() + pos);
    for (auto it = m_folded.begin(); it != m_folded.end(); ++it)
        if (size_t(it->size()) == m_ids.size() + 1)
            it->erase(pos);
}

void Dataset::replaceIdAt(int pos, qint64 id)
{
    m_ids[pos] = id;
    const QVector<QVariant>& row = loadRow(id);
    for (auto it = m_columns.begin(); it != m_columns.end(); ++it)
        if (it->size() == m_ids.size())
            (*it)[pos] = row.value(it.key());
    for (auto it = m_folded.begin(); it != m_folded.end(); ++it)
        if (size_t(it->size()) == m_ids.size())
            it->set(pos, row.value(it.key()).toString());
}

// ------------------------------------------------------------ master–detail

QVariant Dataset::masterValue() const
{
    if (!m_master || !m_master->isActive() || m_master->rowCount() == 0)
        return QVariant();
    const int f = m_master->fieldIndex(m_masterField);
    return f < 0 ? QVariant() : m_master->value(f);
}

void Dataset::followMaster()
{
    // A list not read yet reads the master's value when it is read.
    if (!isActive() || m_loadPending)
        return;
    const QVariant wanted = masterValue();
    if (wanted == m_linkValue && wanted.isNull() == m_linkValue.isNull())
        return;
    settle();
    emit rowsAboutToBeReset();
    m_linkValue = wanted;
    m_rowCache.clear();
    m_columns.clear();
    QVariantList params;
    try {
        loadIds(idQuerySql(params), params);
    } catch (...) {
        m_cur = m_ids.empty() ? -1 : 0;
        emit rowsReset();
        throw;
    }
    m_cur = m_ids.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_ids.empty();
    emit rowsReset();
    notifyCurrent();
}

// ----------------------------------------------------------- bound controls

void Dataset::addLink(DataLink* link)
{
    if (!m_links.contains(link))
        m_links << link;
}

void Dataset::removeLink(DataLink* link)
{
    m_links.removeAll(link);
}

void Dataset::updateLinks()
{
    if (m_updatingLinks)
        return;
    m_updatingLinks = true;
    try {
        const QList<DataLink*> links = m_links;
        for (DataLink* link : links)
            link->updateRecord();
    } catch (...) {
        m_updatingLinks = false;
        throw;
    }
    m_updatingLinks = false;
}

void Dataset::disableControls()
{
    ++m_controlsDisabled;
}

void Dataset::enableControls()
{
    if (m_controlsDisabled > 0 && --m_controlsDisabled == 0)
        emit currentChanged();
}

} // namespace zelvar
