// SPDX-License-Identifier: GPL-3.0-or-later
// The free query's dialect: typed strings and dates become bound parameters,
// one read-only select runs on its own connection, and nothing typed can
// change the register.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "data/QueryDialect.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

QByteArray folderDigest(const QString& folder)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    // The shared-memory index records readers; the database and its log are
    // what must stay as they were.
    for (const QString& name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        if (name.endsWith("-shm"))
            continue;
        QFile file(QDir(folder).filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        hash.addData(name.toUtf8());
        hash.addData(file.readAll());
    }
    return hash.result();
}

void addSampleResidents(DataFixture& f)
{
    f.addResident("Mustafa Yılmaz", 1,
                  {{"DogTar", QDate(1964, 8, 1)},
                   {"Medeni", "Evli"},
                   {"Cinsiyeti", "Erkek"},
                   {"Sokak", "4001"},
                   {"EvNo", "68/5"},
                   {"NC_Seri", "N 0054643"}});
    f.addResident(
        "Ayşe Çalışkan", 2,
        {{"DogTar", QDate(1999, 12, 31)}, {"Medeni", "Evli"}, {"Cinsiyeti", "Kadın"}, {"Apartman", "Gül Apt."}});
    f.addResident("Fatma Kara", 3, {{"DogTar", QDate(2000, 1, 2)}, {"Medeni", "Evli"}, {"Cinsiyeti", "Kadın"}});
    f.addResident("Ali Demir", 4, {{"DogTar", QDate(1960, 5, 5)}, {"Medeni", "Bekar"}});
}

QStringList names(Dataset* q)
{
    QStringList result;
    for (int row = 0; row < q->recordCount(); ++row)
        result << q->displayTextAt(row, q->fieldIndex("Adi"));
    return result;
}

} // namespace

class QueryDialectTest : public QObject {
    Q_OBJECT
private slots:
    void literalsAndDatesBecomeParameters()
    {
        TranslatedQuery q = translateFreeQuery("Adi, Sokak", "WHERE Adi =\"Mustafa\";");
        QCOMPARE(q.sql, QString("select Adi , Sokak from zelvarx \nWHERE Adi = ?"));
        QCOMPARE(q.params, QVariantList{"Mustafa"});

        // A date compared with a date field is bound as the ISO date stored.
        q = translateFreeQuery("Adi", "WHERE DogTar >=\"01.08.1964\" and DogTar<=\"01.01.2000\";");
        QCOMPARE(q.params, (QVariantList{"1964-08-01", "2000-01-01"}));
        q = translateFreeQuery("Adi", "where \"1.8.1964\" < dogtar or DogTar between '01.01.1990' and '2.2.1991'");
        QCOMPARE(q.params, (QVariantList{"1964-08-01", "1990-01-01", "1991-02-02"}));
        // Compared with a text field it stays text.
        q = translateFreeQuery("Adi", "WHERE NC_Seri = \"01.08.1964\" and Sokak = '4001'");
        QCOMPARE(q.params, (QVariantList{"01.08.1964", "4001"}));
        q = translateFreeQuery("Adi", "WHERE DogTar > \"01.01.1990\" and \"Ali\" = Adi or DogTar in ('1.1.1990')");
        QCOMPARE(q.params, (QVariantList{"1990-01-01", "Ali", "1990-01-01"}));
        // A doubled quote is one quote inside the literal.
        q = translateFreeQuery("Adi", "WHERE Adi = \"a\"\"b\" or Adi = 'c''d'");
        QCOMPARE(q.params, (QVariantList{"a\"b", "c'd"}));

        // What cannot be read is refused before anything runs.
        const QList<QPair<QString, QString>> unreadable{
            {"Adi", "WHERE Adi = \"open"},
            {"Adi", "WHERE Adi = ?"},
            {"Adi", "WHERE Adi = :name"},
            {"Adi", "WHERE Adi = \"x\" -- rest"},
            {"Adi", "WHERE /* */ Adi = \"x\""},
            {"Adi", "WHERE Adi = \"x\"; select 1"},
            {"Adi;", ""},
            {"[Adi]", ""},
            {"Adi", "WHERE DogTar = \"31.02.1999\""},
            // A date field is compared with dates only.
            {"Adi", "WHERE DogTar > \"1999\""},
            {"Adi", "WHERE \"abc\" < DogTar"},
            {"Adi", "WHERE YokTar between \"01.01.1990\" and \"1991\""},
        };
        for (const auto& [columns, condition] : unreadable) {
            bool refused = false;
            try {
                translateFreeQuery(columns, condition);
            } catch (const QueryDialectError&) {
                refused = true;
            }
            QVERIFY2(refused, qPrintable(columns + " / " + condition));
        }
    }

    void examplesBehaveAsWritten()
    {
        DataFixture f;
        addSampleResidents(f);
        Dataset* q = f.dm().Query7;

        runFreeQuery(*q, "Adi", "WHERE Adi =\"Mustafa\";");
        QCOMPARE(q->recordCount(), 0); // the whole name is compared
        runFreeQuery(*q, "Adi", "WHERE Adi =\"Mustafa Yılmaz\";");
        QCOMPARE(names(q), QStringList{"Mustafa Yılmaz"});

        runFreeQuery(*q, "Adi, DogTar", "WHERE DogTar >=\"01.08.1964\" and DogTar<=\"01.01.2000\";");
        QCOMPARE(names(q), (QStringList{"Mustafa Yılmaz", "Ayşe Çalışkan"}));
        QCOMPARE(q->displayTextAt(1, 1), QString("31.12.1999")); // the date field shows as a date

        QVERIFY_THROWS_EXCEPTION(EngineError,
                                 runFreeQuery(*q, "Adi", "WHEREDogTar <\"15.09.1999\" and DogYer = \"Bornova\";"));
        QVERIFY(!q->isActive());

        runFreeQuery(*q, "Adi", "WHERE NC_Seri = \"N 0054643\"");
        QCOMPARE(names(q), QStringList{"Mustafa Yılmaz"});
        runFreeQuery(*q, "Adi", "WHERE Adi LIKE \"%Çalışkan%\"");
        QCOMPARE(names(q), QStringList{"Ayşe Çalışkan"});
        runFreeQuery(*q, "Adi", "WHERE Apartman LIKE \"&Gül&\"");
        QCOMPARE(q->recordCount(), 0);
        runFreeQuery(*q, "Adi", "WHERE Sokak = \"4001\" and EvNo =\"68/5\";");
        QCOMPARE(names(q), QStringList{"Mustafa Yılmaz"});
        runFreeQuery(*q, "Adi", "WHERE Medeni = \"Evli\" and DogTar  > \"01.02.1996\" and Cinsiyeti=\"Kadın\";");
        QCOMPARE(names(q), (QStringList{"Ayşe Çalışkan", "Fatma Kara"}));
        runFreeQuery(*q, "Adi", "");
        QCOMPARE(q->recordCount(), 4);

        // Column lists: KayitNo before Adi, a leading comma, an unknown field, every field.
        runFreeQuery(*q, "KayitNo, Adi", "WHERE KayitNo = 4");
        QCOMPARE(q->fieldNames(), (QStringList{"KayitNo", "Adi"}));
        QCOMPARE(q->displayTextAt(0, 0), QString("4"));
        QVERIFY_THROWS_EXCEPTION(EngineError, runFreeQuery(*q, ", Adi", ""));
        QVERIFY_THROWS_EXCEPTION(EngineError, runFreeQuery(*q, "Adi, Yok", ""));
        runFreeQuery(*q, "*", "WHERE Cinsiyeti = \"Kadın\"");
        QCOMPARE(q->fieldCount(), 44);
        QCOMPARE(q->recordCount(), 2);
    }

    void nothingTypedChangesTheRegister()
    {
        DataFixture f;
        addSampleResidents(f);
        f.dm().database().exec("insert into sifre (Sifre) values ('gizli')");
        Dataset* q = f.dm().Query7;
        const QByteArray before = folderDigest(f.folder());

        const QList<QPair<QString, QString>> corpus{
            {"Adi", "WHERE Adi = \"x\"; drop table zelvarx;"},
            {"Adi", "WHERE Adi = \"x\"; delete from zelvarx"},
            {"Adi", "WHERE Adi = \"x\" -- ve gerisi"},
            {"Adi", "WHERE Adi = 'x' ; attach database 'baska.db' as b"},
            {"Adi", "WHERE 1=1; pragma query_only=0"},
            {"Adi", "WHERE Adi = \"x\"\"; drop table zelvarx; --\""},
            {"Adi", "WHERE Adi = 'x''; delete from zelvarx; --'"},
            {"Adi from zelvarx; drop table zelvarx; select Adi", ""},
            {"Adi from zelvarx; delete from zelvarx --", ""},
            {"Adi", "WHERE Adi in (select Sifre from sifre)"},
            {"Adi, (select Sifre from sifre)", ""},
            {"Adi", "union select Sifre from sifre"},
            {"Adi", "WHERE Adi in (select name from sqlite_master)"},
            {"Adi", "WHERE Adi = load_extension('x')"},
            {"Adi", "WHERE pragma_table_info('zelvarx') is null"},
            {"Adi", "WHERE Adi in (select Adi from pragma_table_info('zelvarx'))"},
            {"Adi", "WHERE Adi = \"'); delete from zelvarx; --\""},
            {"Adi", "; drop table zelvarx"},
            {"Adi", "WHERE Adi = \"x\" ; ;"},
        };
        for (const auto& [columns, condition] : corpus) {
            try {
                runFreeQuery(*q, columns, condition);
                // What ran only read: the literal was searched for.
                QVERIFY2(q->recordCount() == 0, qPrintable(columns + " / " + condition));
            } catch (const EngineError&) {
            }
        }
        // The connection itself refuses to write or to be made writable.
        Database& reader = f.dm().queryDatabase();
        QVERIFY(&reader != &f.dm().database());
        QVERIFY_THROWS_EXCEPTION(EngineError, reader.exec("delete from zelvarx"));
        QVERIFY_THROWS_EXCEPTION(EngineError, reader.exec("pragma query_only=0"));
        QVERIFY_THROWS_EXCEPTION(EngineError, reader.exec("drop table zelvarx"));
        // And the query's rows cannot be edited.
        runFreeQuery(*q, "*", "");
        QVERIFY_THROWS_EXCEPTION(DatasetError, q->edit());
        q->close();

        QCOMPARE(f.residentCount(), 4);
        QCOMPARE(folderDigest(f.folder()), before);
    }

    void seesWhatTheRegisterStored()
    {
        DataFixture f;
        Dataset* q = f.dm().Query7;
        runFreeQuery(*q, "Adi", "");
        QCOMPARE(q->recordCount(), 0);
        f.addResident("Yeni Kişi", 9);
        runFreeQuery(*q, "Adi", "");
        QCOMPARE(names(q), QStringList{"Yeni Kişi"});
    }
};

ZELVAR_TEST(QueryDialectTest)
#include "tst_querydialect.moc"
