// SPDX-License-Identifier: GPL-3.0-or-later
// The move-out file: adding a resident, searching the list, and the lookups
// between the list and the register.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "data/Errors.h"
#include "platform/fakes/FakeServices.h"
#include "register/MoveOutOperations.h"

#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

const QVariantMap kAddress{{"GittigiAdres", "Atatürk Cad. No 5"}, {"Gittigiadres2", "Kadıköy / İstanbul"}};

int moveOutRows(DataFixture& f)
{
    return f.dm().database().scalar("select count(*) from Nakil").toInt();
}

QString flagOf(DataFixture& f, int number)
{
    return f.dm().database().scalar("select Nakil from zelvarx where KayitNo = ?", {double(number)}).toString();
}

void addMoveOutRow(DataFixture& f, const QString& name)
{
    f.dm().database().exec("insert into Nakil (ADI_SOYADI, Tarih) values (?, '2025-03-01')", {name});
}

} // namespace

class MoveOutOperationsTest : public QObject {
    Q_OBJECT
private slots:
    void addingStoresTheRowAndTheFlag()
    {
        DataFixture f;
        f.addResident("Ali Kaya", 1, kAddress);
        f.addResident("Veli Can", 2);
        f.restart();
        FakeServices fake;
        fake.clock.set(QDateTime(QDate(2026, 3, 14), QTime(10, 0)));
        MoveOutOperations moveOut(f.dm(), fake.services);
        Dataset* list = f.dm().tbnakil;

        fake.prompter.answer(Answer::Yes);
        const MoveOutFollowUp next = moveOut.addCurrentResident();
        QCOMPARE(fake.prompter.shown.size(), 1);
        QCOMPARE(fake.prompter.lastText(), QString("Bilgiler Nakil Dosyasına Eklensin mi?"));
        QCOMPARE(fake.prompter.shown.last().buttons, Buttons::YesCancel);
        QVERIFY(next.showMoveOutPage);
        QCOMPARE(next.coverVisible, std::optional<bool>(false));
        QVERIFY(next.paintByFlag);

        QCOMPARE(moveOutRows(f), 1);
        QCOMPARE(list->displayText("ADI_SOYADI"), QString("Ali Kaya"));
        QCOMPARE(list->value("Tarih").toDate(), QDate(2026, 3, 14));
        QCOMPARE(list->displayText("Not"), QString("Atatürk Cad. No 5\nKadıköy / İstanbul"));
        QCOMPARE(f.dm().database().scalar("select \"Not\" from Nakil").toString(),
                 QString("Atatürk Cad. No 5\nKadıköy / İstanbul"));
        QCOMPARE(flagOf(f, 1), QString("1"));
        QVERIFY(moveOut.currentResidentMovedOut());
        QCOMPARE(list->state(), Dataset::State::Browse);
        QCOMPARE(f.dm().Query2->state(), Dataset::State::Browse);

        // A second press finds the flag set: nothing is asked or stored.
        const MoveOutFollowUp again = moveOut.addCurrentResident();
        QVERIFY(!again.showMoveOutPage);
        QVERIFY(!again.coverVisible.has_value());
        QVERIFY(!again.paintByFlag);
        QCOMPARE(fake.prompter.shown.size(), 1);
        QCOMPARE(moveOutRows(f), 1);

        // So does a flag ticked by hand and not yet saved.
        f.dm().Query2->next();
        f.dm().Query2->edit();
        f.dm().Query2->setValue("GittigiAdres", "a");
        f.dm().Query2->setValue("Gittigiadres2", "b");
        f.dm().Query2->setValue("Nakil", "1");
        moveOut.addCurrentResident();
        QCOMPARE(fake.prompter.shown.size(), 1);
        QVERIFY(fake.prompter.unexpected.isEmpty());
    }

    void missingAddressLineOrCancelDoesNothing()
    {
        DataFixture f;
        f.addResident("Ali Kaya", 1, {{"GittigiAdres", "Atatürk Cad. No 5"}});
        f.addResident("Veli Can", 2, {{"Gittigiadres2", "Kadıköy / İstanbul"}});
        f.addResident("Can Er", 3, kAddress);
        f.restart();
        FakeServices fake;
        MoveOutOperations moveOut(f.dm(), fake.services);
        Dataset* residents = f.dm().Query2;

        moveOut.addCurrentResident();
        residents->next();
        moveOut.addCurrentResident();
        QVERIFY(fake.prompter.shown.isEmpty());

        residents->next();
        fake.prompter.answer(Answer::Cancel);
        const MoveOutFollowUp next = moveOut.addCurrentResident();
        QCOMPARE(fake.prompter.shown.size(), 1);
        QVERIFY(!next.showMoveOutPage);
        QCOMPARE(moveOutRows(f), 0);
        QCOMPARE(flagOf(f, 3), QString());
        QCOMPARE(residents->state(), Dataset::State::Browse);
    }

    void aRefusedFlagTakesTheMoveOutRowBack()
    {
        DataFixture f;
        f.addResident("Ali Kaya", 1, kAddress);
        addMoveOutRow(f, "Eski Kayıt");
        f.restart();
        f.dm().database().exec("create trigger refuse before update of Nakil on zelvarx when new.Nakil = '1' "
                               "begin select raise(abort, 'refused'); end");
        FakeServices fake;
        MoveOutOperations moveOut(f.dm(), fake.services);
        fake.prompter.answer(Answer::Yes);
        QVERIFY_THROWS_EXCEPTION(EngineError, moveOut.addCurrentResident());
        Dataset* residents = f.dm().Query2;
        Dataset* list = f.dm().tbnakil;
        QCOMPARE(moveOutRows(f), 1);
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(list->displayText("ADI_SOYADI"), QString("Eski Kayıt"));
        QCOMPARE(list->state(), Dataset::State::Browse);
        QCOMPARE(residents->state(), Dataset::State::Browse);
        QCOMPARE(residents->displayText("Nakil"), QString());

        // A resident being corrected keeps his other changes, and his flag as it was.
        residents->edit();
        residents->setValue("Telefon", "555 12 34");
        fake.prompter.answer(Answer::Yes);
        QVERIFY_THROWS_EXCEPTION(EngineError, moveOut.addCurrentResident());
        QCOMPARE(moveOutRows(f), 1);
        QCOMPARE(residents->state(), Dataset::State::Edit);
        QCOMPARE(residents->displayText("Telefon"), QString("555 12 34"));
        QCOMPARE(residents->displayText("Nakil"), QString());
        QVERIFY(!moveOut.currentResidentMovedOut());
    }

    void listSearch()
    {
        DataFixture f;
        for (const char* name : {"Ali Kaya", "Ayşe Demir", "Işık Er", "İsmail Su"})
            addMoveOutRow(f, name);
        f.restart();
        FakeServices fake;
        MoveOutOperations moveOut(f.dm(), fake.services);
        Dataset* list = f.dm().tbnakil;
        Dataset* residents = f.dm().Query2;

        moveOut.searchList("AY");
        QCOMPARE(list->displayText("ADI_SOYADI"), QString("Ayşe Demir"));
        moveOut.searchList("is"); // "i" is the small "İ", not "I"
        QCOMPARE(list->displayText("ADI_SOYADI"), QString("İsmail Su"));
        moveOut.searchList("ış");
        QCOMPARE(list->displayText("ADI_SOYADI"), QString("Işık Er"));
        moveOut.searchList("zzz");
        QCOMPARE(list->displayText("ADI_SOYADI"), QString("Işık Er"));

        // Emptying the box drops a pending change and goes to the first row.
        list->edit();
        list->setValue("Not2", "yazılıyor");
        moveOut.searchList("");
        QCOMPARE(list->recNo(), 0);
        QCOMPARE(list->state(), Dataset::State::Browse);
        QCOMPARE(f.dm().database().scalar("select count(*) from Nakil where Not2 is not null").toInt(), 0);
        QVERIFY(!residents->isEditing());
    }

    void listAndRegisterFollowEachOther()
    {
        DataFixture f;
        f.addResident("Veli Can", 1);
        f.addResident("Ali Kaya", 2, {{"Nakil", "1"}});
        f.addResident("İsmet Işık", 3);
        addMoveOutRow(f, "ali kaya");
        addMoveOutRow(f, "Yok Biri");
        addMoveOutRow(f, "İSMET IŞIK");
        f.restart();
        FakeServices fake;
        MoveOutOperations moveOut(f.dm(), fake.services);
        Dataset* list = f.dm().tbnakil;
        Dataset* residents = f.dm().Query2;

        // List to register: a matching name makes that resident current.
        MoveOutFollowUp next = moveOut.followListToRegister();
        QCOMPARE(residents->displayText("Adi"), QString("Ali Kaya"));
        QCOMPARE(next.coverVisible, std::optional<bool>(false));
        QVERIFY(next.paintByFlag);
        QVERIFY(moveOut.currentResidentMovedOut());
        QVERIFY(!next.showMoveOutPage);

        // No match: the cover shows and the register stays.
        list->next();
        next = moveOut.followListToRegister();
        QCOMPARE(next.coverVisible, std::optional<bool>(true));
        QVERIFY(next.paintByFlag);
        QCOMPARE(residents->displayText("Adi"), QString("Ali Kaya"));

        // A new row without a name names nobody.
        list->insert();
        next = moveOut.followListToRegister();
        QCOMPARE(next.coverVisible, std::optional<bool>(true));
        list->cancel();

        // Register to list.
        residents->last();
        next = moveOut.followRegisterToList();
        QCOMPARE(list->displayText("ADI_SOYADI"), QString("İSMET IŞIK"));
        QCOMPARE(next.coverVisible, std::optional<bool>(false));
        QVERIFY(!next.paintByFlag);
        residents->first();
        const int before = list->recNo();
        next = moveOut.followRegisterToList();
        QCOMPARE(next.coverVisible, std::optional<bool>(true));
        QCOMPARE(list->recNo(), before);
    }

    void pickedDateBecomesTheDepartureDate()
    {
        DataFixture f;
        addMoveOutRow(f, "Ali Kaya");
        f.restart();
        FakeServices fake;
        MoveOutOperations moveOut(f.dm(), fake.services);
        Dataset* list = f.dm().tbnakil;
        moveOut.setMoveOutDate(QDate(2026, 1, 15));
        QCOMPARE(list->state(), Dataset::State::Edit);
        QCOMPARE(list->displayText("Tarih"), QString("15.01.2026"));
        list->post();
        QCOMPARE(f.dm().database().scalar("select Tarih from Nakil").toString(), QString("2026-01-15"));
    }

    void aDeletedResidentsRowStaysAndFindsNobody()
    {
        DataFixture f;
        f.addResident("Ali Kaya", 1, kAddress);
        f.addResident("Veli Can", 2);
        f.restart();
        FakeServices fake;
        MoveOutOperations moveOut(f.dm(), fake.services);
        fake.prompter.answer(Answer::Yes);
        moveOut.addCurrentResident();
        f.dm().Query2->first();
        f.dm().Query2->remove();
        QCOMPARE(moveOutRows(f), 1);
        f.dm().tbnakil->first();
        const MoveOutFollowUp next = moveOut.followListToRegister();
        QCOMPARE(next.coverVisible, std::optional<bool>(true));
        QCOMPARE(f.dm().Query2->displayText("Adi"), QString("Veli Can"));
    }
};

ZELVAR_TEST(MoveOutOperationsTest)
#include "tst_moveout.moc"
