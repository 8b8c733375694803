// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A named dataset with a current row, states and bound controls, over one
// table or one SQL statement of the database.
//
// A dataset over a table, or over "select * from <table> ...", keeps only the
// row ids of its result in order and loads row values on demand, so it is
// editable and cheap on a large register. Any other statement (a column
// list, an aggregate) is read whole and is read-only.
#include "data/Database.h"
#include "data/Errors.h"
#include "data/FieldDefs.h"
#include "data/FoldedColumn.h"
#include "data/ResultRows.h"

#include <QDate>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace zelvar {

class Database;
class RowView;
class Statement;

// A bound control as its dataset sees it. Before the dataset inserts,
// moves, refreshes or saves, it asks every link to write the text the user
// typed into the row.
class DataLink {
public:
    virtual ~DataLink() = default;
    virtual void updateRecord() = 0;
};

// An open stopped because its result would take more memory than the
// dataset's limit allows.
class ResultTooLarge : public EngineError {
public:
    using EngineError::EngineError;
};

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false; // match only the beginning of the field
};

class Dataset : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    Dataset(Database* db, const QString& name, QObject* parent = nullptr);
    ~Dataset() override;

    QString name() const { return m_name; }
    Database* database() const { return m_db; }

    // --- what the dataset reads (set while closed)
    void setTableName(const QString& table);
    QString tableName() const { return m_tableName; }
    void setSql(const QString& sql, const QVariantList& params = {});
    QString sql() const { return m_sql; }
    QVariantList params() const { return m_params; }
    void setIndexFieldNames(const QString& fields); // "Kayitno" or "Tarih;Saati"
    void setRequiredFields(const QStringList& fields);
    // Text fields held in memory, folded, from the load on: a locate that
    // ignores case reads nothing more (the register's names).
    void setSearchFields(const QStringList& fields);
    // Opens without reading the row list; the first look at the rows reads
    // it. Lets the program start before a large register has been read.
    void setLoadOnFirstUse(bool onFirstUse) { m_loadOnFirstUse = onFirstUse; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const;
    void setMasterLink(Dataset* master, const QString& masterField, const QString& detailField);
    void clearMasterLink();
    Dataset* master() const { return m_master; }

    // Stops an open whose result would take more than `bytes` of memory
    // with ResultTooLarge; 0 sets no limit.
    void setResultLimit(qint64 bytes) { m_resultLimit = bytes; }

    // --- reading elsewhere
    // What an open reads: the fields and rows of a result read whole, or
    // the row ids of a statement over one table. A dataset with the same
    // statement on another connection to the same file, on another thread,
    // reads it; this one then opens on it without running the statement.
    struct Reading {
        bool keyed = false;
        QVector<FieldDef> fields;
        ResultRows rows;
        std::vector<qint64> ids;
    };
    // Closes the dataset and hands over what its open read.
    Reading takeReading();

    // --- opening
    void open();
    // Opens on a reading of this dataset's statement (see Reading). Not for
    // a dataset that follows a master or keeps folded search fields.
    void open(Reading reading);
    void close();
    bool isActive() const { return m_state != State::Inactive; }
    void refresh();
    void execSql();    // runs a statement that returns no rows (delete)
    void emptyTable(); // deletes every row of the table

    // --- state and position
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }
    bool isInserting() const { return m_state == State::Insert; }
    bool isModified() const { return m_modified; }
    int recordCount() const; // stored rows of the result, without a pending new row
    bool isEmpty() const;    // no row at all, not even a new one
    int rowCount() const;    // rows a grid shows, a pending new row included
    int recNo() const;
    bool bof() const;
    bool eof() const;
    void first();
    void prior();
    void next();
    void last();
    void moveTo(int row);

    // --- changing
    void edit();
    void insert();
    void post();
    void cancel();
    void remove();
    void settle(); // saves a changed row, drops an unchanged one

    // --- finding
    bool locate(const QString& field, const QVariant& value, LocateOptions options = {});
    bool findKey(const QVariantList& values);

    // --- fields
    int fieldCount() const { return m_fields.size(); }
    QStringList fieldNames() const;
    int fieldIndex(const QString& name) const; // any case; -1 if absent
    QString fieldName(int field) const { return m_fields[field].name; }
    const FieldDef& fieldDef(int field) const { return m_fields[field]; }
    const FieldDef* fieldDef(const QString& name) const;
    QVariant value(const QString& field) const;
    QVariant value(int field) const;
    QString displayText(const QString& field) const;
    QString displayText(int field) const;
    void setValue(const QString& field, const QVariant& value);
    void setValue(int field, const QVariant& value);
    void setText(const QString& field, const QString& text); // typed text
    void setText(int field, const QString& text);
    QVariant valueAt(int row, int field) const;
    // Every field of one row in field order, for walks over many rows; valid
    // until the dataset reads another row.
    const QVector<QVariant>& valuesAt(int row) const;
    // Hands every row to visit in row order, as stored, with no values made
    // or kept: what a writer of a whole register to a file reads. The row
    // being edited is handed over as edited.
    void forEachRow(const std::function<void(int row, const RowView& values)>& visit) const;
    QString displayTextAt(int row, int field) const;
    static QString formatValue(const FieldDef& def, const QVariant& value);

    // --- bound controls
    void addLink(DataLink* link);
    void removeLink(DataLink* link);
    void updateLinks(); // every bound control writes its typed text
    void disableControls();
    void enableControls();

signals:
    void activeChanged(bool active);
    void stateChanged();
    void currentChanged();        // another row is current, or the current row was reloaded
    void fieldChanged(int field); // a value of the current row changed
    // Changes of the row list come in pairs, announced before they are
    // made and reported after, the order item views rely on.
    void rowsAboutToBeReset();
    void rowsReset(); // the whole row list changed
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void rowUpdated(int row);

private:
    static constexpr qint64 kPendingRow = -1;
    enum class Mode { Keyed, Materialized };

    void checkActive() const;
    void checkWritable() const;
    void openKeyed(const QString& idSql, const QVariantList& params);
    void openMaterialized();
    void checkRequiredFields();
    QString idQuerySql(QVariantList& params) const;
    QString tailOfSelectStar(QString* table) const;
    void loadIds(const QString& sql, const QVariantList& params);
    void ensureLoaded() const;
    void loadRows();
    bool resultStillCurrent(const QString& sql, const QVariantList& params);
    void keepResult();
    bool takeKeptResult();
    int firstRowWithNumber(int field, double wanted);
    void setPosition(int row);
    void notifyCurrent();
    const QVector<QVariant>& rowValues(int row) const;
    const QVector<QVariant>& materializedRow(int row) const;
    std::unique_ptr<Reading> takeOpenReading(bool keyed);
    void checkResultSize(qint64 bytes) const;
    const QVector<QVariant>& loadRow(qint64 id) const;
    QString rowSelectSql() const;
    QVariant normalize(int field, const QVariant& value) const;
    QVariant fromStorage(int field, const QVariant& stored) const;
    QVariant toStorage(int field, const QVariant& value) const;
    void insertIdAt(int pos, qint64 id);
    void eraseIdAt(int pos);
    void replaceIdAt(int pos, qint64 id);
    const std::vector<QVariant>& columnCache(int field);
    void postInsert();
    void postEdit();
    void followMaster();
    QVariant masterValue() const;
    int indexOfId(qint64 id, int hint) const;

    Database* m_db;
    QString m_name;
    QString m_tableName;
    QString m_sql;
    QVariantList m_params;
    QStringList m_indexFields;
    QStringList m_requiredFields;
    QStringList m_searchFields;
    bool m_readOnly = false;
    bool m_loadOnFirstUse = false;

    Dataset* m_master = nullptr;
    QString m_masterField;
    QString m_detailField;
    QVariant m_linkValue;
    QList<QMetaObject::Connection> m_masterConnections;

    State m_state = State::Inactive;
    Mode m_mode = Mode::Keyed;
    const TableDef* m_table = nullptr; // base table in keyed mode
    QVector<FieldDef> m_fields;
    int m_cur = -1;
    bool m_bof = true;
    bool m_eof = true;

    std::vector<qint64> m_ids;         // keyed mode; kPendingRow marks a new row
    bool m_loadPending = false;        // keyed mode: open, row list not read yet
    QHash<int, FoldedColumn> m_folded; // search field -> folded values aligned to m_ids
    // What the row list was read with, to tell whether reading it again
    // would give the same rows.
    QString m_loadedSql;
    QVariantList m_loadedParams;
    Database::ChangeStamp m_loadedStamp;
    // The row list of the last close, taken up again by an open on the same
    // statement while the file is unchanged: closing and reopening the
    // register on the same statement reads nothing.
    struct KeptResult {
        bool valid = false;
        const TableDef* table = nullptr;
        QString sql;
        QVariantList params;
        QStringList searchFields;
        Database::ChangeStamp stamp;
        std::vector<qint64> ids;
        QHash<int, FoldedColumn> folded;
    } m_kept;
    ResultRows m_rows; // materialized mode
    qint64 m_resultLimit = 0;
    std::unique_ptr<Reading> m_reading;          // during open(Reading)
    QHash<int, std::vector<QVariant>> m_columns; // field -> values aligned to m_ids
    mutable QHash<qint64, QVector<QVariant>> m_rowCache;
    mutable std::unique_ptr<Statement> m_rowStatement;
    std::unique_ptr<Statement> m_numberStatement; // rows with a number, for locate
    int m_numberField = -1;

    QVector<QVariant> m_buffer; // the row being edited or inserted
    QVector<QVariant> m_original;
    bool m_modified = false;

    QList<DataLink*> m_links;
    int m_controlsDisabled = 0;
    bool m_updatingLinks = false;
};

// Reads typed date text, "dd.MM.yyyy" with blanks or "_" where nothing was
// typed. All-blank gives a null date; anything incomplete or impossible
// throws DateEntryError.
QDate parseDateText(const QString& text);

} // namespace zelvar
