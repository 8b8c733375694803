// SPDX-License-Identifier: GPL-3.0-or-later
// The data module's operations that change or re-read several tables at
// once: removing a resident with his photographs, the hand-over of the file
// to another program, and the statistics store.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "data/Database.h"
#include "data/Errors.h"
#include "data/StatisticsStore.h"

#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

void addPhoto(Database& db, int number, const QString& note)
{
    db.exec(QStringLiteral("insert into \"Foto\" (\"Kayitno\", \"Not\") values (?, ?)"), {double(number), note});
}

int photoCount(Database& db, int number)
{
    return db.scalar(QStringLiteral("select count(*) from \"Foto\" where \"Kayitno\" = ?"), {double(number)}).toInt();
}

QList<int> storedCounts(Database& db, const char* table)
{
    QList<int> values;
    Statement st(db.handle(), QStringLiteral("select Sayi from \"%1\" order by rowid").arg(table));
    while (st.step())
        values << st.column(0).toInt();
    return values;
}

} // namespace

class DataOperationsTest : public QObject {
    Q_OBJECT
private slots:
    void residentAndPhotosGoTogetherOrNotAtAll()
    {
        DataFixture f;
        TDM2& dm = f.dm();
        Database& db = dm.database();
        f.addResident("Ali Kaya", 1);
        f.addResident("Veli Can", 2);
        addPhoto(db, 1, "ön");
        addPhoto(db, 1, "yan");
        addPhoto(db, 2, "başka");
        dm.Query2->refresh();
        QVERIFY(dm.Query2->locate("KayitNo", 1));
        QCOMPARE(dm.tbfoto->recordCount(), 2);

        dm.removeResident(dm.Query2);
        QCOMPARE(f.residentCount(), 1);
        QCOMPARE(photoCount(db, 1), 0);
        QCOMPARE(photoCount(db, 2), 1); // another resident's photo stays
        QCOMPARE(dm.Query2->recordCount(), 1);
        QCOMPARE(dm.tbfoto->value("Not").toString(), QStringLiteral("başka"));

        // The resident's delete is refused after his photos were deleted:
        // the photos come back with him.
        addPhoto(db, 2, "ikinci");
        db.exec("create trigger keep before delete on zelvarx begin select raise(abort, 'silinemez'); end");
        QVERIFY_THROWS_EXCEPTION(ZelvarError, dm.removeResident(dm.Query2));
        QCOMPARE(f.residentCount(), 1);
        QCOMPARE(photoCount(db, 2), 2);

        // A record without a number still goes; no photo is touched.
        db.exec("drop trigger keep");
        f.addResident("Numarasız", 0);
        db.exec("update zelvarx set KayitNo = null where Adi = 'Numarasız'");
        addPhoto(db, 0, "sahipsiz");
        dm.Query2->refresh();
        QVERIFY(dm.Query2->locate("Adi", QStringLiteral("Numarasız")));
        dm.removeResident(dm.Query2);
        QCOMPARE(f.residentCount(), 1);
        QCOMPARE(photoCount(db, 0), 1);
    }

    void orphanPhotosDropOnlyWithoutTheirResident()
    {
        DataFixture f;
        Database& db = f.dm().database();
        f.addResident("Ali Kaya", 1);
        addPhoto(db, 1, "kendi");
        addPhoto(db, 2, "eski");
        addPhoto(db, 2, "eski 2");
        f.dm().dropOrphanPhotos(1);
        f.dm().dropOrphanPhotos(2);
        QCOMPARE(photoCount(db, 1), 1);
        QCOMPARE(photoCount(db, 2), 0);
    }

    void takenBackRegisterShowsRowsWrittenMeanwhile()
    {
        DataFixture f;
        TDM2& dm = f.dm();
        f.addResident("Ali Kaya", 1);
        f.addResident("Veli Can", 2);
        addPhoto(dm.database(), 1, "birinci");
        // The register is filtered to one resident before the hand-over.
        TDM2::reopen(dm.Query2, QStringLiteral("select * from zelvarx where \"KayitNo\" = ?"), {2});
        QCOMPARE(dm.Query2->recordCount(), 1);

        dm.releaseForExternalProgram();
        QVERIFY(!dm.Query2->isActive() && !dm.tbfoto->isActive() && !dm.Table2->isActive());
        {
            // The other program writes through a connection of its own.
            auto other = Database::openFolder(f.folder());
            other->exec("insert into zelvarx (\"Adi\", \"KayitNo\") values ('Yeni Kişi', 3)");
            addPhoto(*other, 3, "yeni");
        }
        dm.takeBackAfterExternalProgram();

        QCOMPARE(dm.Query2->sql(), TDM2::residentSelect());
        QCOMPARE(dm.Query2->recordCount(), 3);
        QVERIFY(dm.tbfoto->isActive() && dm.Table2->isActive());
        QCOMPARE(dm.tbfoto->master(), dm.Query2);
        QVERIFY(dm.Query2->locate("KayitNo", 3));
        QCOMPARE(dm.tbfoto->recordCount(), 1);
        QCOMPARE(dm.tbfoto->value("Not").toString(), QStringLiteral("yeni"));
        QVERIFY(dm.Query2->locate("KayitNo", 1));
        QCOMPARE(dm.tbfoto->value("Not").toString(), QStringLiteral("birinci"));
        QVERIFY(dm.Query2->locate("KayitNo", 2));
        QVERIFY(dm.tbfoto->isEmpty());
    }

    void statisticsStoredWholeOrNotAtAll()
    {
        DataFixture f;
        Database& db = f.dm().database();
        StatisticsStore store(db);
        const QList<int> heads{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        const QList<int> ages{11, 12, 13, 14, 15, 16};
        store.store(heads, ages);
        QCOMPARE(storedCounts(db, "GRUP1"), heads);
        QCOMPARE(storedCounts(db, "YASLAR"), ages);
        QCOMPARE(store.headcounts()->recordCount(), 10);
        QCOMPARE(store.ageBrackets()->recordCount(), 6);

        // The age table refuses the write after the headcounts were written:
        // both stay as they were, in the file and in the datasets.
        db.exec("create trigger refuse before update on YASLAR begin select raise(abort, 'dolu'); end");
        QVERIFY_THROWS_EXCEPTION(ZelvarError, store.store(QList<int>(10, 0), QList<int>(6, 0)));
        QCOMPARE(storedCounts(db, "GRUP1"), heads);
        QCOMPARE(storedCounts(db, "YASLAR"), ages);
        store.headcounts()->first();
        QCOMPARE(store.headcounts()->value("Sayi").toInt(), 1);
        QVERIFY(!store.ageBrackets()->isEditing());

        // The prepared source reads residents stored after it was made, and
        // holds no lock between runs.
        f.addResident("Ayşe", 1, {{"DogTar", QDate(1990, 1, 1)}});
        Statement& source = store.source();
        source.reset();
        QVERIFY(source.step());
        QCOMPARE(source.columnText(0), QStringLiteral("1990-01-01"));
        QVERIFY(!source.step());
        source.reset();
        db.exec("drop trigger refuse");
        store.store(QList<int>(10, 0), QList<int>(6, 0));
        QCOMPARE(storedCounts(db, "YASLAR"), QList<int>(6, 0));
    }
};

ZELVAR_TEST(DataOperationsTest)
#include "tst_dataoperations.moc"
