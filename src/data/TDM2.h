// SPDX-License-Identifier: GPL-3.0-or-later
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

    // Removes the current resident of `residents` (the register) with his
    // photographs, in one transaction: a resident and his photographs go
    // together or not at all. Engine errors throw with nothing removed.
    void removeResident(Dataset* residents);
    // Deletes the photographs stored under `number` when no resident holds
    // that number: rows left behind by an old resident, before the number
    // is given again.
    void dropOrphanPhotos(const QVariant& number);

    // Lets go of the register and both photo datasets while another program
    // (the data wizard) works on the file, and takes them back afterwards:
    // the whole register, read afresh, with tbfoto following it again.
    void releaseForExternalProgram();
    void takeBackAfterExternalProgram();

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
