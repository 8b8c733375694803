// SPDX-License-Identifier: GPL-3.0-or-later
// The database wipe: two warnings, then every named resident and every
// photograph go together, and the register is reloaded under its filter.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "data/Errors.h"
#include "platform/fakes/FakeServices.h"
#include "register/DatabaseWipe.h"
#include "ui/PleaseWaitWindow.h"

#include <QApplication>

#include <QSignalSpy>
#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

int count(DataFixture& f, const QString& table)
{
    return f.dm().database().scalar(QStringLiteral("select count(*) from \"%1\"").arg(table)).toInt();
}

void addPhoto(DataFixture& f, int number)
{
    f.dm().database().exec("insert into Foto (Kayitno, Foto) values (?, ?)", {double(number), QByteArray("png")});
}

// Two named residents with photos, one without a name (NULL) and one with an
// empty name, both with photos; a move-out row, an appointment, the office
// row and the password.
bool pleaseWaitShown()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<PleaseWaitWindow*>(w) && w->isVisible())
            return true;
    return false;
}

void fillRegister(DataFixture& f)
{
    f.addResident("Ali Kaya", 1);
    f.addResident("Ayşe Demir", 2);
    f.addResident(QString(), 3); // NULL name
    f.dm().database().exec("insert into zelvarx (KayitNo, Adi) values (4, '')");
    for (int n = 1; n <= 4; ++n)
        addPhoto(f, n);
    f.dm().database().exec("insert into Nakil (ADI_SOYADI, Tarih) values ('Veli Can', '2025-03-01')");
    f.dm().database().exec("insert into Randevu (Tarih, Saati, Adi) values ('2026-12-09', '09:30', 'Muhtar')");
    f.dm().database().exec("insert into Mahalle (Il, Ilce, Mahalle) values ('Ankara', 'Çankaya', 'Kızılay')");
    f.dm().database().exec("insert into sifre (sifre) values ('x')");
    f.restart();
}

} // namespace

class DatabaseWipeTest : public QObject {
    Q_OBJECT
private slots:
    void noKeepsEverythingButReloads()
    {
        DataFixture f;
        fillRegister(f);
        FakeServices fake;
        QSignalSpy reopened(f.dm().Query2, &Dataset::activeChanged);
        fake.prompter.answer(Answer::No);
        QCOMPARE(DatabaseWipe(f.dm(), fake.services).run(), DatabaseWipe::Outcome::Kept);

        QCOMPARE(fake.sound.events, QStringList{"exclamation"});
        QCOMPARE(fake.prompter.shown.size(), 2);
        const ShownDialog warning = fake.prompter.shown[0];
        QCOMPARE(warning.text,
                 QString("Bundan Sonraki Sorguyu Onaylarsanız,\r\nTüm Veritabanındaki Bilgiler Silinecek !"
                         "\r\nBilgilerinizin Yedeğini Almanız Önerilir!"));
        QCOMPARE(warning.kind, MessageKind::Plain);
        QCOMPARE(warning.buttons, Buttons::Ok);
        const ShownDialog question = fake.prompter.shown[1];
        QCOMPARE(question.text,
                 QString("Tüm Veritabanı Boşaltılacak !\r\nBu İşlemi Geri Alamazsınız. Onaylıyor musunuz?"));
        QCOMPARE(question.title, QString("Dikkat !"));
        QCOMPARE(question.kind, MessageKind::Warning);
        QCOMPARE(question.buttons, Buttons::YesNoCancel);

        QCOMPARE(count(f, "zelvarx"), 4);
        QCOMPARE(count(f, "Foto"), 4);
        QCOMPARE(reopened.count(), 2); // closed and opened again
        QVERIFY(f.dm().Query2->isActive());
        QCOMPARE(f.dm().Query2->recordCount(), 4);
    }

    void cancelDoesNothingAtAll()
    {
        DataFixture f;
        fillRegister(f);
        FakeServices fake;
        f.dm().Query2->moveTo(1);
        QSignalSpy reopened(f.dm().Query2, &Dataset::activeChanged);
        fake.prompter.answer(Answer::Cancel);
        QCOMPARE(DatabaseWipe(f.dm(), fake.services).run(), DatabaseWipe::Outcome::Cancelled);
        QCOMPARE(count(f, "zelvarx"), 4);
        QCOMPARE(count(f, "Foto"), 4);
        QCOMPARE(reopened.count(), 0);
        QCOMPARE(f.dm().Query2->recNo(), 1);
    }

    void yesDeletesNamedResidentsAndAllPhotos()
    {
        DataFixture f;
        fillRegister(f);
        FakeServices fake;
        fake.prompter.answer(Answer::Yes);
        QCOMPARE(DatabaseWipe(f.dm(), fake.services).run(), DatabaseWipe::Outcome::Wiped);

        // Both nameless residents stay, NULL and empty alike.
        QCOMPARE(count(f, "zelvarx"), 2);
        QCOMPARE(f.dm().database().scalar("select count(*) from zelvarx where Adi is null or Adi = ''").toInt(), 2);
        QCOMPARE(f.dm().Query2->recordCount(), 2);
        QCOMPARE(count(f, "Foto"), 0);
        QVERIFY(f.dm().tbfoto->isActive());
        QCOMPARE(f.dm().tbfoto->rowCount(), 0);
        // Everything else stays.
        QCOMPARE(count(f, "Nakil"), 1);
        QCOMPARE(f.dm().tbnakil->recordCount(), 1);
        QCOMPARE(count(f, "Randevu"), 1);
        QCOMPARE(count(f, "Mahalle"), 1);
        QCOMPARE(count(f, "sifre"), 1);
        // The spare query is left closed, holding the statement.
        QVERIFY(!f.dm().Query1->isActive());
        QCOMPARE(f.dm().Query1->sql(), DatabaseWipe::deleteStatement());
        QVERIFY(fake.prompter.unexpected.isEmpty());
        // The wait cursor and the please-wait window are gone again.
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!pleaseWaitShown());
    }

    void anEmptiedRegisterNumbersFromOne()
    {
        DataFixture f;
        f.addResident("Ali Kaya", 5);
        f.addResident("Veli Can", 9);
        f.restart();
        FakeServices fake;
        fake.prompter.answer(Answer::Yes);
        DatabaseWipe(f.dm(), fake.services).run();
        QCOMPARE(f.dm().Query2->recordCount(), 0);
        QCOMPARE(f.dm().nextRecordNumber(), 1);
    }

    void aFilterInForceStaysInForce()
    {
        DataFixture f;
        fillRegister(f);
        f.addResident("Veli Can", 5);
        const QString filter = "select * from zelvarx where Adi like ? order by Adi";
        TDM2::reopen(f.dm().Query2, filter, {"A%"});
        QCOMPARE(f.dm().Query2->recordCount(), 2);

        FakeServices fake;
        fake.prompter.answer(Answer::No);
        DatabaseWipe(f.dm(), fake.services).run();
        QCOMPARE(f.dm().Query2->sql(), filter);
        QCOMPARE(f.dm().Query2->params(), QVariantList{"A%"});
        QCOMPARE(f.dm().Query2->recordCount(), 2);

        fake.prompter.answer(Answer::Yes);
        DatabaseWipe(f.dm(), fake.services).run();
        QCOMPARE(f.dm().Query2->sql(), filter);
        QCOMPARE(f.dm().Query2->recordCount(), 0);
        QCOMPARE(count(f, "zelvarx"), 2);
    }

    void aFailingResidentDeleteKeepsThePhotos()
    {
        DataFixture f;
        fillRegister(f);
        f.dm().database().exec("create trigger refuse before delete on zelvarx "
                               "begin select raise(abort, 'refused'); end");
        FakeServices fake;
        fake.prompter.answer(Answer::Yes);
        QVERIFY_THROWS_EXCEPTION(EngineError, DatabaseWipe(f.dm(), fake.services).run());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!pleaseWaitShown());
        QCOMPARE(count(f, "Foto"), 4);
        QCOMPARE(count(f, "zelvarx"), 4);
        // The photo table is open again and shows the current resident's photo.
        QVERIFY(f.dm().tbfoto->isActive());
        QCOMPARE(f.dm().tbfoto->rowCount(), 1);
        QCOMPARE(f.dm().tbfoto->value("Kayitno").toInt(), f.dm().Query2->value("KayitNo").toInt());
    }
};

ZELVAR_TEST(DatabaseWipeTest)
#include "tst_wipe.moc"
