#pragma once
// TDM2: the data module. Owns the database and every named dataset and data
// source that the windows share, and numbers new residents.
#include "data/DataSource.h"
#include "data/Database.h"
#include "data/Dataset.h"

#include <QObject>
#include <memory>

namespace zelvar {

class TDM2 : public QObject {
    Q_OBJECT
public:
    // Opens (or creates) the database of the data folder and the datasets.
    explicit TDM2(const QString& dataFolder, QObject* parent = nullptr);
    // Works on the given database; for tests.
    explicit TDM2(std::unique_ptr<Database> database, QObject* parent = nullptr);
    ~TDM2() override;

    Database& database() { return *m_db; }
    // The read-only connection Query7 runs the typed free query on.
    Database& queryDatabase() { return m_queryDb ? *m_queryDb : *m_db; }

    // Closes every dataset and opens the module's ones again, as at start:
    // after the database's content was replaced by a backup.
    void reopenAll();
    // Closes every dataset, dropping unsaved changes.
    void closeAll();

    Dataset* dataset(const QString& name) const;       // any case; nullptr if unknown
    DataSource* dataSource(const QString& name) const; // any case; nullptr if unknown

    // Reruns "select max(kayitno) from zelvarx" in Query3 and gives the
    // number a new resident gets: the highest plus one, or 1 on an empty table.
    int nextRecordNumber();

    // Closes a query, gives it new SQL and opens it again.
    static void reopen(Dataset* query, const QString& sql, const QVariantList& params = {});

    static QString residentSelect() { return QStringLiteral("select * from zelvarx"); }
    static QString maxNumberSelect() { return QStringLiteral("select max(kayitno) from zelvarx"); }
    static QString maxNumberField() { return QStringLiteral("MAX OF kayitno"); }

    // The named datasets.
    Dataset* Query1;    // print and listing query
    Dataset* Query2;    // the register
    Dataset* Query3;    // highest record number
    Dataset* Query7;    // free column query
    Dataset* tbMah;     // neighbourhood row
    Dataset* tbsifre;   // password row
    Dataset* tbfoto;    // photos of Query2's current resident
    Dataset* Table2;    // photos of Query1's current resident
    Dataset* tbnakil;   // move-out file
    Dataset* tbrandevu; // appointments

    // The named data sources.
    DataSource* ds2;         // Query1
    DataSource* DataSource1; // Query2
    DataSource* DataSource2; // Query3
    DataSource* DataSource3; // Query7
    DataSource* dsMah;       // tbMah
    DataSource* dsfoto;      // tbfoto
    DataSource* dsnakil;     // tbnakil

private:
    void build();
    void openAll();
    std::unique_ptr<Database> m_db;
    std::unique_ptr<Database> m_queryDb;
    QList<Dataset*> m_datasets;
    QList<DataSource*> m_sources;
};

} // namespace zelvar
