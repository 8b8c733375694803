// SPDX-License-Identifier: GPL-3.0-or-later
// The dataset rules every window relies on.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "data/Errors.h"
#include "data/RowView.h"

#include <QSignalSpy>
#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

// A control that has typed text waiting to be written into its field.
class PendingText : public DataLink {
public:
    PendingText(Dataset* d, QString field)
        : m_ds(d),
          m_field(std::move(field))
    {
        d->addLink(this);
    }
    ~PendingText() override { m_ds->removeLink(this); }
    void type(const QString& text)
    {
        if (!m_ds->isEditing())
            m_ds->edit();
        m_text = text;
        m_pending = true;
    }
    void updateRecord() override
    {
        if (!m_pending)
            return;
        m_ds->setText(m_field, m_text);
        m_pending = false;
    }

private:
    Dataset* m_ds;
    QString m_field;
    QString m_text;
    bool m_pending = false;
};

} // namespace

class DatasetTest : public QObject {
    Q_OBJECT
private slots:
    void statesAndEditOnEmpty()
    {
        DataFixture f;
        Dataset* q = f.dm().Query2;
        QCOMPARE(q->state(), Dataset::State::Browse);
        QCOMPARE(q->recordCount(), 0);
        QVERIFY(q->isEmpty());
        // Edit on an empty dataset starts an insert.
        q->edit();
        QCOMPARE(q->state(), Dataset::State::Insert);
        q->setValue("Adi", "Ali Kaya");
        q->setValue("KayitNo", 1);
        q->post();
        QCOMPARE(q->state(), Dataset::State::Browse);
        QCOMPARE(q->recordCount(), 1);
        QCOMPARE(f.residentCount(), 1);
        // Saving while browsing is an error, but not an engine error.
        QVERIFY_THROWS_EXCEPTION(DatasetError, q->post());
        q->close();
        QCOMPARE(q->state(), Dataset::State::Inactive);
        QVERIFY_THROWS_EXCEPTION(DatasetError, q->edit());
    }

    void settleBeforeMovePostsChangedAndDropsUnchanged()
    {
        DataFixture f;
        f.addResident("Ali", 1);
        f.addResident("Veli", 2);
        Dataset* q = f.dm().Query2;
        q->refresh();
        PendingText name(q, "Adi");
        name.type("Ali Kaya");
        q->next(); // the typed text is written and saved before the move
        QCOMPARE(q->displayText("Adi"), QString("Veli"));
        QCOMPARE(f.dm().database().scalar("select Adi from zelvarx where KayitNo=1").toString(), QString("Ali Kaya"));

        // An unchanged new row is discarded by a move.
        q->insert();
        QCOMPARE(q->rowCount(), 3);
        QCOMPARE(q->recordCount(), 2);
        q->first();
        QCOMPARE(q->state(), Dataset::State::Browse);
        QCOMPARE(q->rowCount(), 2);
        QCOMPARE(f.residentCount(), 2);

        // A changed new row is saved by an insert, a refresh or a locate.
        q->insert();
        q->setValue("Adi", "Ayşe");
        q->setValue("KayitNo", 3);
        q->insert();
        QCOMPARE(f.residentCount(), 3);
        q->setValue("Adi", "Fatma");
        q->setValue("KayitNo", 4);
        q->refresh();
        QCOMPARE(f.residentCount(), 4);
        q->edit();
        q->setValue("Adi", "Fatma Demir");
        QVERIFY(q->locate("Adi", "Ali Kaya"));
        QCOMPARE(f.dm().database().scalar("select Adi from zelvarx where KayitNo=4").toString(),
                 QString("Fatma Demir"));
    }

    void cancelDeleteAndClose()
    {
        DataFixture f;
        f.addResident("Ali", 1);
        f.addResident("Veli", 2);
        f.addResident("Can", 3);
        Dataset* q = f.dm().Query2;
        q->refresh();
        q->moveTo(1);
        q->edit();
        q->setValue("Adi", "Değişti");
        q->cancel();
        QCOMPARE(q->displayText("Adi"), QString("Veli"));
        QCOMPARE(q->state(), Dataset::State::Browse);

        // Cancelling a new row returns to the row that was current.
        q->insert();
        q->setValue("Adi", "Yeni");
        q->cancel();
        QCOMPARE(q->recNo(), 1);
        QCOMPARE(q->displayText("Adi"), QString("Veli"));
        QCOMPARE(q->rowCount(), 3);

        // Delete removes the row and the following one becomes current.
        q->remove();
        QCOMPARE(q->displayText("Adi"), QString("Can"));
        QCOMPARE(f.residentCount(), 2);
        q->remove();
        QCOMPARE(q->displayText("Adi"), QString("Ali")); // the last row went, the new last is current
        // Delete while inserting cancels.
        q->insert();
        q->setValue("Adi", "X");
        q->remove();
        QCOMPARE(f.residentCount(), 1);
        QCOMPARE(q->state(), Dataset::State::Browse);
        q->remove();
        QVERIFY_THROWS_EXCEPTION(DatasetError, q->remove());

        // Close drops a pending change without saving it.
        f.addResident("Zeki", 9);
        q->refresh();
        q->edit();
        q->setValue("Adi", "Kaydedilmedi");
        q->close();
        QCOMPARE(f.dm().database().scalar("select Adi from zelvarx where KayitNo=9").toString(), QString("Zeki"));
    }

    void refusedPostStaysInEdit()
    {
        DataFixture f;
        f.addResident("Ali", 1);
        Dataset* q = f.dm().Query2;
        q->refresh();
        q->insert();
        q->setValue("Adi", "İkinci");
        q->setValue("KayitNo", 1); // duplicate number
        QVERIFY_THROWS_EXCEPTION(EngineError, q->post());
        QCOMPARE(q->state(), Dataset::State::Insert);
        QCOMPARE(q->displayText("Adi"), QString("İkinci"));
        q->setValue("KayitNo", 2);
        q->post();
        QCOMPARE(f.residentCount(), 2);
    }

    void widthsDatesNumbersAndNames()
    {
        DataFixture f;
        Dataset* q = f.dm().Query2;
        q->insert();
        // Text longer than the field is cut to its width; memos are not.
        q->setValue("adi", QString(40, 'x'));
        QCOMPARE(q->displayText("ADI").size(), 25);
        q->setValue("IlKodu", "345");
        QCOMPARE(q->displayText("ilkodu"), QString("34"));
        q->setValue("Belgeler", QString(300, 'b'));
        QCOMPARE(q->displayText("Belgeler").size(), 300);
        // The cut keeps whole characters, even outside the basic plane.
        const QString smile = QString::fromUcs4(U"\U0001F600");
        q->setValue("Adi", smile.repeated(30));
        QCOMPARE(q->displayText("Adi"), smile.repeated(25));
        q->setValue("IlKodu", "3" + smile + "4");
        QCOMPARE(q->displayText("IlKodu"), "3" + smile);
        // One-line fields drop control characters and direction overrides;
        // memos keep their lines.
        q->setValue("Sokak", QString::fromUtf16(u"Lale\tSok.\u202Eİ\n\u0007No\u2066:\u20695\xD800"));
        QCOMPARE(q->displayText("Sokak"), QString("LaleSok.İNo:5"));
        q->setValue("Belgeler", "Satır 1\nSatır 2");
        QCOMPARE(q->displayText("Belgeler"), QString("Satır 1\nSatır 2"));
        // Dates: typed dd.mm.yyyy, blank mask means empty, incomplete is refused.
        q->setText("DogTar", "01.08.1964");
        QCOMPARE(q->value("dogtar").toDate(), QDate(1964, 8, 1));
        q->setText("DogTar", "  .  .    ");
        QVERIFY(q->value("DogTar").isNull());
        QVERIFY_THROWS_EXCEPTION(DateEntryError, q->setText("DogTar", "12.05.19__"));
        QVERIFY_THROWS_EXCEPTION(DateEntryError, q->setText("DogTar", "31.02.1990"));
        QVERIFY_THROWS_EXCEPTION(DatasetError, q->setText("KayitNo", "abc"));
        q->setText("KayitNo", "58");
        q->setText("YokTar", "09.12.2026");
        q->post();
        QCOMPARE(q->displayText("KayitNo"), QString("58"));
        QCOMPARE(f.dm().database().scalar("select YokTar from zelvarx").toString(), QString("2026-12-09"));
        QCOMPARE(f.dm().database().scalar("select length(Adi) from zelvarx").toInt(), 25);
        // Turkish letters are kept unchanged.
        q->edit();
        q->setValue("Dini", "Hıristiyan");
        q->post();
        q->refresh();
        QCOMPARE(q->displayText("Dini"), QString("Hıristiyan"));
        QVERIFY(q->fieldIndex("KAYITNO") >= 0);
        QCOMPARE(q->fieldIndex("kayitno"), q->fieldIndex("KayitNo"));
    }

    void locateWithTurkishCaseAndPrefix()
    {
        DataFixture f;
        f.addResident("Veli Can", 1);
        f.addResident("ayten Kılıç", 2);
        f.addResident("Ayşe Demir", 3);
        f.addResident("Işık Öz", 4);
        f.addResident("İsmail Er", 5);
        f.addResident("Ahmet Demirci", 6);
        f.addResident("Ahmet Demir", 7);
        Dataset* q = f.dm().Query2;
        q->refresh();
        const LocateOptions prefixNoCase{true, true};
        QVERIFY(q->locate("Adi", "AY", prefixNoCase));
        QCOMPARE(q->displayText("KayitNo"), QString("2"));
        QVERIFY(!q->locate("Adi", "ayx", prefixNoCase));
        QCOMPARE(q->displayText("KayitNo"), QString("2")); // stays
        // I and İ are different letters: ı matches I, i matches İ.
        QVERIFY(q->locate("Adi", "ış", prefixNoCase));
        QCOMPARE(q->displayText("KayitNo"), QString("4"));
        QVERIFY(q->locate("Adi", "ism", prefixNoCase));
        QCOMPARE(q->displayText("KayitNo"), QString("5"));
        QVERIFY(!q->locate("Adi", "Ism", prefixNoCase));
        // Whole-value match ignoring case.
        QVERIFY(q->locate("Adi", "ahmet demir", {true, false}));
        QCOMPARE(q->displayText("KayitNo"), QString("7"));
        // Case-sensitive prefix.
        QVERIFY(!q->locate("Adi", "veli", {false, true}));
        QVERIFY(q->locate("Adi", "Veli", {false, true}));
        // Numbers.
        QVERIFY(q->locate("Kayitno", 6));
        QCOMPARE(q->displayText("Adi"), QString("Ahmet Demirci"));
        QVERIFY(!q->locate("Kayitno", "6x"));
        // A name typed into the current row is found at once.
        q->edit();
        q->setValue("Adi", "Zeynep");
        QVERIFY(q->locate("Adi", "zey", prefixNoCase));
        QCOMPARE(q->state(), Dataset::State::Browse);
    }

    void masterDetailFollowing()
    {
        DataFixture f;
        f.addResident("Ali", 1);
        f.addResident("Veli", 2);
        f.dm().database().exec("insert into Foto (Kayitno, Foto) values (2, x'01'), (2, x'02')");
        TDM2& dm = f.dm();
        dm.Query2->refresh();
        QCOMPARE(dm.tbfoto->recordCount(), 0);
        dm.Query2->next();
        QCOMPARE(dm.tbfoto->recordCount(), 2);
        dm.Query2->prior();
        QCOMPARE(dm.tbfoto->recordCount(), 0);
        // A row inserted into the detail takes the master's number.
        dm.tbfoto->insert();
        QCOMPARE(dm.tbfoto->value("Kayitno").toDouble(), 1.0);
        dm.tbfoto->setValue("Foto", QByteArray("abc"));
        dm.tbfoto->post();
        QCOMPARE(dm.database().scalar("select count(*) from Foto where Kayitno=1").toInt(), 1);
        // An unchanged new detail row is dropped when the master moves.
        dm.tbfoto->insert();
        dm.Query2->next();
        QCOMPARE(dm.database().scalar("select count(*) from Foto").toInt(), 3);
        // A new master row has no photos; its number set later is followed.
        dm.Query2->insert();
        QCOMPARE(dm.tbfoto->recordCount(), 0);
        dm.Query2->setValue("KayitNo", 2);
        QCOMPARE(dm.tbfoto->recordCount(), 2);
        dm.Query2->cancel();

        // Table2 follows Query1 in the same way.
        TDM2::reopen(dm.Query1, "select * from zelvarx where KayitNo = ?", {2});
        QCOMPARE(dm.Table2->recordCount(), 2);
    }

    void recordNumbering()
    {
        DataFixture f;
        QCOMPARE(f.dm().nextRecordNumber(), 1);
        f.addResident("A", 1);
        f.addResident("B", 2);
        f.addResident("C", 7);
        QCOMPARE(f.dm().nextRecordNumber(), 8);
        QCOMPARE(f.dm().Query3->fieldName(0), QString("MAX OF kayitno"));
        f.dm().database().exec("delete from zelvarx where KayitNo = 7");
        QCOMPARE(f.dm().nextRecordNumber(), 3);
    }

    void queriesAndRequiredFields()
    {
        DataFixture f;
        f.addResident("Ali", 1);
        TDM2& dm = f.dm();
        // A column list cannot open in the register query, but can in Query7.
        dm.Query2->close();
        dm.Query2->setSql("select Adi from zelvarx");
        QVERIFY_THROWS_EXCEPTION(EngineError, dm.Query2->open());
        QVERIFY(!dm.Query2->isActive());
        TDM2::reopen(dm.Query7, "select Adi from zelvarx");
        QCOMPARE(dm.Query7->fieldCount(), 1);
        QCOMPARE(dm.Query7->displayText("adi"), QString("Ali"));
        QVERIFY_THROWS_EXCEPTION(DatasetError, dm.Query7->edit());
        // A quote in a bound search word is searched for, not executed.
        f.addResident("Ali \"Deli\" Kaya", 2);
        TDM2::reopen(dm.Query2, "select * from zelvarx where adi like ?", {"%\"Deli%"});
        QCOMPARE(dm.Query2->recordCount(), 1);
        // LIKE ignores case the Turkish way: Ş is not S, I is not İ.
        f.addResident("Şule", 3);
        f.addResident("Selim", 4);
        f.addResident("ırmak", 5);
        f.addResident("İpek", 6);
        TDM2::reopen(dm.Query2, "select * from zelvarx where Adi  like ?", {"Ş%"});
        QCOMPARE(dm.Query2->recordCount(), 1);
        TDM2::reopen(dm.Query2, "select * from zelvarx where Adi  like ?", {"I%"});
        QCOMPARE(dm.Query2->displayText("Adi"), QString("ırmak"));
        QCOMPARE(dm.Query2->recordCount(), 1);
        // Unknown tables are engine errors.
        dm.Query1->setSql("select * from yok");
        QVERIFY_THROWS_EXCEPTION(EngineError, dm.Query1->open());
    }

    // The pass writers of whole files read must give every row as valuesAt
    // does: the edit in progress, rows gone since the list was read, dates
    // stored the old way, and datasets read whole.
    void rowPassGivesWhatValuesAtGives()
    {
        DataFixture f;
        f.addResident("Ali", 1);
        f.addResident("Ayşe", 2);
        f.addResident("Cem", 3);
        TDM2& dm = f.dm();
        dm.database().exec("update zelvarx set DogTar = '01.08.1964', Belgeler = 'a\nb' where KayitNo = 1");
        dm.database().exec("update zelvarx set DogTar = '1990-02-28' where KayitNo = 2");
        TDM2::reopen(dm.Query2, "select * from zelvarx order by KayitNo");
        dm.Query2->first();
        dm.Query2->edit();
        dm.Query2->setValue("Adi", "Ali Veli");
        // Another copy deletes the last row after it was listed.
        dm.database().exec("delete from zelvarx where KayitNo = 3");

        const auto passMatches = [](const Dataset& ds) {
            int visited = 0;
            ds.forEachRow([&](int row, const RowView& view) {
                QCOMPARE(row, visited++);
                const QVector<QVariant>& values = ds.valuesAt(row);
                for (int field = 0; field < ds.fieldCount(); ++field) {
                    const QVariant& v = values[field];
                    QCOMPARE(view.isNull(field), v.isNull());
                    if (v.isNull())
                        continue;
                    switch (ds.fieldDef(field).type) {
                    case FieldType::Date:
                        QCOMPARE(view.date(field), v.toDate());
                        break;
                    case FieldType::Number:
                    case FieldType::Integer:
                    case FieldType::AutoInc:
                        QCOMPARE(view.number(field), v.toDouble());
                        break;
                    case FieldType::Blob:
                        break;
                    default:
                        QCOMPARE(view.utf8(field).toByteArray(), v.toString().toUtf8());
                    }
                }
            });
            QCOMPARE(visited, ds.recordCount());
        };
        passMatches(*dm.Query2);
        QCOMPARE(dm.Query2->valuesAt(0)[dm.Query2->fieldIndex("Adi")].toString(), QString("Ali Veli"));
        QCOMPARE(dm.Query2->valuesAt(0)[dm.Query2->fieldIndex("DogTar")].toDate(), QDate(1964, 8, 1));
        QVERIFY(dm.Query2->valuesAt(2)[dm.Query2->fieldIndex("Adi")].isNull());
        dm.Query2->cancel();

        TDM2::reopen(dm.Query7, "select Adi, DogTar, KayitNo * 2 as Iki from zelvarx order by Adi");
        passMatches(*dm.Query7);
        // A visitor that fails leaves the dataset able to read again.
        TDM2::reopen(dm.Query2, "select * from zelvarx order by KayitNo");
        QVERIFY_THROWS_EXCEPTION(DatasetError,
                                 dm.Query2->forEachRow([](int, const RowView&) { throw DatasetError("dur"); }));
        passMatches(*dm.Query2);
    }

    void findKeyCutsToKeyWidth()
    {
        DataFixture f;
        f.dm().database().exec("insert into Randevu (Tarih, Saati, Adi) values ('2026-12-09', '14:30', 'Toplantı')");
        Dataset* r = f.dm().tbrandevu;
        r->refresh();
        QVERIFY(r->findKey({QDate(2026, 12, 9), "14:30:05"}));
        QCOMPARE(r->displayText("Adi"), QString("Toplantı"));
        QVERIFY(!r->findKey({QDate(2026, 12, 9), "14:31:00"}));
        QVERIFY(!r->findKey({QDate(2026, 12, 10), "14:30:00"}));
    }

    void startUpOnAFolder()
    {
        QTemporaryDir dir;
        {
            TDM2 dm(dir.path());
            // A new database has the statistics rows and no password or office row.
            QCOMPARE(dm.database().scalar("select count(*) from GRUP1").toInt(), 10);
            QCOMPARE(dm.database().scalar("select Grup from YASLAR where rowid=6").toString(), QString("65 den Büyük"));
            QCOMPARE(dm.tbsifre->recordCount(), 0);
            QCOMPARE(dm.tbMah->recordCount(), 0);
        }
        // A file that is not a database gives a Turkish message naming the folder.
        QTemporaryDir bad;
        QFile file(bad.filePath("zorp.sqlite"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'z'));
        file.close();
        try {
            TDM2 dm(bad.path());
            QFAIL("a broken file must not open");
        } catch (const DataStoreError& e) {
            QVERIFY(e.message().contains(bad.path()));
            QVERIFY(e.message().startsWith("Veritabanı açılamadı"));
        }
        // A database missing a table is refused, not patched.
        QTemporaryDir partial;
        {
            TDM2 dm(partial.path());
            dm.database().exec("drop table Nakil");
        }
        QVERIFY_THROWS_EXCEPTION(DataStoreError, TDM2(partial.path()));
    }
};

ZELVAR_TEST(DatasetTest)
#include "tst_dataset.moc"
