// SPDX-License-Identifier: GPL-3.0-or-later
// The register's list on a large scale: names held folded, the list read
// when first looked at and not again while the file is unchanged, the record
// number found through the table.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "data/Database.h"
#include "data/Errors.h"
#include "data/FoldedColumn.h"
#include "data/TurkishText.h"

#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;

class RegisterListTest : public QObject {
    Q_OBJECT
private slots:
    void foldedColumnFoldsAsTurkishTextDoes()
    {
        const QStringList names{"IŞIK İpek", "ılgaz ıŞık", "ÇAĞLAR Ümit", "Ödül ŞÜKRÜ",
                                "",          "Zoë Ñandú",  "日本 Ab",     "😀 Emoji İ"};
        FoldedColumn column;
        for (const QString& name : names) {
            const QByteArray utf8 = name.toUtf8();
            column.appendUtf8(utf8.constData(), utf8.size());
        }
        column.appendUtf8(nullptr, 0); // a NULL name is an empty one
        QCOMPARE(column.size(), names.size() + 1);
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(column.at(i), turkish::fold(names[i]).toUtf8());
        QCOMPARE(column.at(0), QByteArray("ışık ipek"));

        // Prefixes and whole values; "I" and "İ" stay different letters.
        QCOMPARE(column.findPrefix(FoldedColumn::fold("ış")), 0);
        QCOMPARE(column.findPrefix(FoldedColumn::fold("Il")), 1);
        QCOMPARE(column.findPrefix(FoldedColumn::fold("il")), -1);
        QCOMPARE(column.findPrefix(FoldedColumn::fold("ödül ş")), 3);
        QCOMPARE(column.findEqual(FoldedColumn::fold("çağlar ümit")), 2);
        QCOMPARE(column.findEqual(FoldedColumn::fold("çağlar")), -1);
        QCOMPARE(column.findEqual(FoldedColumn::fold("")), 4);
        QCOMPARE(column.findPrefix(FoldedColumn::fold("IŞ"), 1), -1); // from a later row on

        // Rows inserted, changed and erased keep their places; many changes
        // leave the values right after the buffer is compacted.
        column.insert(1, "Ali Veli");
        QCOMPARE(column.findPrefix(FoldedColumn::fold("ALİ")), 1);
        QCOMPARE(column.findPrefix(FoldedColumn::fold("ılg")), 2);
        column.erase(0);
        QCOMPARE(column.findPrefix(FoldedColumn::fold("ALİ")), 0);
        for (int round = 0; round < 2000; ++round)
            column.set(round % 3, QStringLiteral("Kişi %1 Uzun Bir Soyadı").arg(round));
        QCOMPARE(column.at(1999 % 3), FoldedColumn::fold("Kişi 1999 Uzun Bir Soyadı"));
        QCOMPARE(column.at(3), FoldedColumn::fold("Ödül ŞÜKRÜ"));
        QVERIFY(column.bytesHeld() < size_t{64} * 1024);
    }

    void searchFollowsNewChangedAndRemovedRows()
    {
        DataFixture f;
        f.addResident("Veli Can", 1);
        f.addResident("Ayşe Demir", 2);
        Dataset* q = f.dm().Query2;
        q->refresh();
        const LocateOptions prefixNoCase{true, true};
        // A new row is found by its name once it is stored.
        q->insert();
        q->setValue("KayitNo", 3);
        q->setValue("Adi", "Işıl Kaya");
        q->post();
        q->first();
        QVERIFY(q->locate("Adi", "IŞI", prefixNoCase));
        QCOMPARE(q->displayText("KayitNo"), QString("3"));
        // A changed name is found by its new value, not its old one.
        QVERIFY(q->locate("Adi", "veli", prefixNoCase));
        q->edit();
        q->setValue("Adi", "Ömer Can");
        q->post();
        q->first();
        QVERIFY(!q->locate("Adi", "veli", prefixNoCase));
        QVERIFY(q->locate("Adi", "ömer can", {true, false}));
        QCOMPARE(q->displayText("KayitNo"), QString("1"));
        // A cancelled edit leaves the stored name to be found.
        q->edit();
        q->setValue("Adi", "Geçici");
        q->cancel();
        QVERIFY(!q->locate("Adi", "geçici", prefixNoCase));
        // A removed row is not found; the rows after it still are.
        QVERIFY(q->locate("Adi", "ayşe", prefixNoCase));
        q->remove();
        QVERIFY(!q->locate("Adi", "ayşe", prefixNoCase));
        QVERIFY(q->locate("Adi", "ışıl", prefixNoCase));
        QCOMPARE(q->displayText("KayitNo"), QString("3"));
        QVERIFY(q->locate("Adi", "ömer", prefixNoCase));
        QCOMPARE(q->recordCount(), 2);
    }

    void recordNumberFoundWithinTheResultOnly()
    {
        DataFixture f;
        f.addResident("Ali Kaya", 5);
        f.addResident("Mehmet Öz", 12);
        f.addResident("Ayşe Kara", 7);
        Dataset* q = f.dm().Query2;
        TDM2::reopen(q, TDM2::residentSelect());
        QVERIFY(q->locate("KayitNo", 12));
        QCOMPARE(q->displayText("Adi"), QString("Mehmet Öz"));
        QVERIFY(q->locate("KayitNo", "7"));
        QCOMPARE(q->displayText("Adi"), QString("Ayşe Kara"));
        QVERIFY(!q->locate("KayitNo", 99));
        QVERIFY(!q->locate("KayitNo", "12x"));
        QCOMPARE(q->displayText("Adi"), QString("Ayşe Kara")); // stays
        // A number outside the filtered result is not found.
        TDM2::reopen(q, "select * from zelvarx where Adi like ?", {"A%"});
        QCOMPARE(q->recordCount(), 2);
        QVERIFY(!q->locate("KayitNo", 12));
        QVERIFY(q->locate("KayitNo", 7));
        QCOMPARE(q->recNo(), 1);
    }

    void readOnceAndAgainOnlyAfterAChange()
    {
        DataFixture f;
        f.addResident("Ali Kaya", 1);
        f.addResident("Veli Can", 2);
        f.restart();
        Dataset* q = f.dm().Query2;
        // Opened at start without reading: the first look reads it.
        QVERIFY(q->isActive());
        QCOMPARE(q->recordCount(), 2);
        QCOMPARE(q->recNo(), 0);
        QVERIFY(q->bof());

        // Reopening on the same statement takes up the list read before;
        // the current row is the first again, as after any open.
        q->next();
        TDM2::reopen(q, TDM2::residentSelect());
        q->refresh();
        QCOMPARE(q->recNo(), 0);
        QCOMPARE(q->recordCount(), 2);

        // Rows written through this connection are seen at the next open
        // and refresh.
        f.addResident("Ayşe Demir", 3);
        TDM2::reopen(q, TDM2::residentSelect());
        QCOMPARE(q->recordCount(), 3);
        QVERIFY(q->locate("Adi", "ayşe", {true, true}));
        f.dm().database().exec("delete from zelvarx where KayitNo = 1");
        q->refresh();
        QCOMPARE(q->recordCount(), 2);
        QVERIFY(!q->locate("Adi", "ali", {true, true}));

        // So are rows another program commits to the file.
        {
            auto other = Database::openFolder(f.folder());
            other->exec("insert into zelvarx (KayitNo, Adi) values (9, 'Zeki Öztürk')");
        }
        q->refresh();
        QCOMPARE(q->recordCount(), 3);
        QVERIFY(q->locate("Adi", "zeki", {true, true}));
        {
            auto other = Database::openFolder(f.folder());
            other->exec("delete from zelvarx where KayitNo = 9");
        }
        TDM2::reopen(q, TDM2::residentSelect());
        QCOMPARE(q->recordCount(), 2);

        // Rows read inside a transaction that is then rolled back are not
        // taken up again.
        {
            Database::Transaction tx(f.dm().database());
            f.dm().database().exec("insert into zelvarx (KayitNo, Adi) values (10, 'Geri Alınan')");
            TDM2::reopen(q, TDM2::residentSelect());
            QCOMPARE(q->recordCount(), 3);
        }
        TDM2::reopen(q, TDM2::residentSelect());
        QCOMPARE(q->recordCount(), 2);

        // A new row pending at the close is not kept.
        q->insert();
        q->close();
        q->open();
        QCOMPARE(q->recordCount(), 2);
        QCOMPARE(q->state(), Dataset::State::Browse);
    }

    void faultyStatementFailsAtTheOpen()
    {
        DataFixture f;
        Dataset* q = f.dm().Query2;
        // Read later or not, a statement the engine refuses fails the open.
        QVERIFY_THROWS_EXCEPTION(EngineError, TDM2::reopen(q, "select * from zelvarx where NoSuchField = 1"));
        QVERIFY(!q->isActive());
        TDM2::reopen(q, TDM2::residentSelect());
        QVERIFY(q->isActive());
    }
};

ZELVAR_TEST(RegisterListTest)
#include "tst_registerlist.moc"
