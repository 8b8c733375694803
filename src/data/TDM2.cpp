// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/TDM2.h"

#include "data/Errors.h"
#include "data/FreeQueryRun.h"

#include <QDir>

namespace zelvar {

TDM2::TDM2(const QString& dataFolder, QObject* parent)
try : TDM2(Database::openFolder(dataFolder), parent) {
} catch (const DataStoreError&) {
    throw;
} catch (const ZelvarError& e) {
    // A table that cannot be read is an open failure like any other, told
    // with the same Turkish first line.
    throw DataStoreError(Database::openFailureMessage(QDir(dataFolder).absolutePath(), Database::reasonOf(e)),
                         Database::isDamage(e));
}

TDM2::TDM2(std::unique_ptr<Database> database, QObject* parent)
    : QObject(parent),
      m_db(std::move(database))
{
    setObjectName(QStringLiteral("DM2"));
    build();
    openAll();
}

TDM2::~TDM2()
{
    // Datasets go before the database they read.
    qDeleteAll(m_sources);
    for (Dataset* d : m_datasets)
        d->clearMasterLink();
    qDeleteAll(m_datasets);
    m_queryDb.reset();
}

void TDM2::build()
{
    const auto make = [this](const QString& name) {
        auto* d = new Dataset(m_db.get(), name);
        m_datasets << d;
        return d;
    };
    QStringList residentFields;
    for (const FieldDef& f : findTable(QStringLiteral("zelvarx"))->fields)
        residentFields << f.name;

    Query1 = make(QStringLiteral("Query1"));
    Query1->setSql(residentSelect() + QStringLiteral("\n"));
    Query1->setRequiredFields(residentFields);

    Query2 = make(QStringLiteral("Query2"));
    Query2->setSql(residentSelect());
    Query2->setRequiredFields(residentFields);
    // Names held in memory, folded, for the incremental search.
    Query2->setSearchFields({QStringLiteral("Adi")});
    // Read when first looked at, not at start: the login comes before the
    // register is read.
    Query2->setLoadOnFirstUse(true);

    Query3 = make(QStringLiteral("Query3"));
    Query3->setSql(maxNumberSelect());
    Query3->setRequiredFields({maxNumberField()});

    // The free query runs what the user typed, so it gets a connection of
    // its own that cannot write.
    m_queryDb = Database::openQueryConnection(*m_db);
    Query7 = new Dataset(&queryDatabase(), QStringLiteral("Query7"));
    m_datasets << Query7;
    Query7->setReadOnly(true);
    Query7->setResultLimit(FreeQueryRun::kResultBytes);

    tbMah = make(QStringLiteral("tbMah"));
    tbMah->setTableName(QStringLiteral("Mahalle.db"));
    tbsifre = make(QStringLiteral("tbsifre"));
    tbsifre->setTableName(QStringLiteral("sifre.DB"));

    tbfoto = make(QStringLiteral("tbfoto"));
    tbfoto->setTableName(QStringLiteral("Foto.DB"));
    tbfoto->setIndexFieldNames(QStringLiteral("Kayitno"));
    // Reading it would read its master, the register, before the login.
    tbfoto->setLoadOnFirstUse(true);
    Table2 = make(QStringLiteral("Table2"));
    Table2->setTableName(QStringLiteral("foto.DB"));
    Table2->setIndexFieldNames(QStringLiteral("Kayitno"));

    tbnakil = make(QStringLiteral("tbnakil"));
    tbnakil->setTableName(QStringLiteral("Nakil.db"));
    tbrandevu = make(QStringLiteral("tbrandevu"));
    tbrandevu->setTableName(QStringLiteral("Randevu.DB"));
    tbrandevu->setIndexFieldNames(QStringLiteral("Tarih;Saati"));

    const auto source = [this](const QString& name, Dataset* d) {
        auto* s = new DataSource(name, d);
        m_sources << s;
        return s;
    };
    ds2 = source(QStringLiteral("ds2"), Query1);
    DataSource1 = source(QStringLiteral("DataSource1"), Query2);
    DataSource2 = source(QStringLiteral("DataSource2"), Query3);
    DataSource3 = source(QStringLiteral("DataSource3"), Query7);
    dsMah = source(QStringLiteral("dsMah"), tbMah);
    dsfoto = source(QStringLiteral("dsfoto"), tbfoto);
    dsnakil = source(QStringLiteral("dsnakil"), tbnakil);

    tbfoto->setMasterLink(Query2, QStringLiteral("KayitNo"), QStringLiteral("Kayitno"));
    Table2->setMasterLink(Query1, QStringLiteral("KayitNo"), QStringLiteral("Kayitno"));
}

void TDM2::openAll()
{
    // The move-out table opens first, then the rest in the module's order.
    // Query1 and Query7 wait for a window to give them SQL.
    for (Dataset* d : {tbnakil, Query2, Query3, tbsifre, tbMah, tbfoto, Table2, tbrandevu}) {
        d->close();
        d->open();
    }
}

void TDM2::closeAll()
{
    for (Dataset* d : m_datasets)
        d->close();
}

void TDM2::reopenAll()
{
    closeAll();
    TDM2::reopen(Query2, residentSelect());
    openAll();
}

Dataset* TDM2::dataset(const QString& name) const
{
    for (Dataset* d : m_datasets)
        if (d->name().compare(name, Qt::CaseInsensitive) == 0)
            return d;
    return nullptr;
}

DataSource* TDM2::dataSource(const QString& name) const
{
    for (DataSource* s : m_sources)
        if (s->name().compare(name, Qt::CaseInsensitive) == 0)
            return s;
    return nullptr;
}

void TDM2::reopen(Dataset* query, const QString& sql, const QVariantList& params)
{
    query->close();
    query->setSql(sql, params);
    query->open();
}

void TDM2::removeResident(Dataset* residents)
{
    const QVariant number = residents->value(QStringLiteral("KayitNo"));
    tbfoto->cancel();
    {
        Database::Transaction transaction(*m_db);
        if (!number.isNull())
            m_db->exec(QStringLiteral("delete from %1 where %2 = ?")
                           .arg(quoteIdentifier(QStringLiteral("Foto")), quoteIdentifier(QStringLiteral("Kayitno"))),
                       {number});
        residents->remove();
        transaction.commit();
    }
    if (tbfoto->isActive())
        tbfoto->refresh();
}

void TDM2::dropOrphanPhotos(const QVariant& number)
{
    m_db->exec(QStringLiteral("delete from %1 where %2 = ? and not exists (select 1 from %3 where %4 = ?)")
                   .arg(quoteIdentifier(QStringLiteral("Foto")), quoteIdentifier(QStringLiteral("Kayitno")),
                        quoteIdentifier(QStringLiteral("zelvarx")), quoteIdentifier(QStringLiteral("KayitNo"))),
               {number, number});
}

void TDM2::releaseForExternalProgram()
{
    // The database file is shared by nature, so nothing is held exclusively;
    // closing drops what these datasets read, which the other program may
    // change.
    Query2->close();
    tbfoto->close();
    tbfoto->clearMasterLink();
    Table2->close();
}

void TDM2::takeBackAfterExternalProgram()
{
    reopen(Query2, residentSelect());
    Query2->refresh();
    tbfoto->setMasterLink(Query2, QStringLiteral("KayitNo"), QStringLiteral("Kayitno"));
    tbfoto->open();
    tbfoto->refresh();
    Table2->open();
    Table2->refresh();
}

int TDM2::nextRecordNumber()
{
    reopen(Query3, maxNumberSelect());
    const QString highest = Query3->displayText(maxNumberField());
    return highest.isEmpty() ? 1 : highest.toInt() + 1;
}

} // namespace zelvar
