// SPDX-License-Identifier: GPL-3.0-or-later
// The register's rules without a window: numbering and carry-over, what the
// rules ask of the screen, and the filters with the colour state they leave.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "data/Database.h"
#include "platform/fakes/FakeServices.h"
#include "register/RegisterMemory.h"
#include "register/RegisterRecords.h"

#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

// A screen whose boxes show the register's current row, or what a test typed.
struct FakeScreen : RegisterScreen {
    explicit FakeScreen(Dataset* reg)
        : q(reg)
    {
    }
    QString boxText(const QString& field) const override
    {
        return typed.contains(field) ? typed.value(field) : q->displayText(field);
    }
    bool showsHouse() const override { return q->displayText(QStringLiteral("Konuturu")) == QLatin1String("E"); }
    void showEntryPage() override { asked << QStringLiteral("entry page"); }
    void focusBox(const QString& field) override { asked << QStringLiteral("focus ") + field; }
    void recordSaved() override { asked << QStringLiteral("saved"); }
    void paintState(ColorState state) override { painted = state; }

    Dataset* q;
    QHash<QString, QString> typed;
    QStringList asked;
    ColorState painted = ColorState::Normal;
};

struct Desk {
    DataFixture data;
    FakeServices fakes;
    RegisterMemory memory;
    FakeScreen screen{data.dm().Query2};
    RegisterRecords records{data.dm(), fakes.services, memory, screen};

    Desk() { records.openWholeTable(); }
    Dataset* q() { return data.dm().Query2; }
    QString stored(const QString& field, int number)
    {
        return data.dm()
            .database()
            .scalar(QStringLiteral("select \"%1\" from zelvarx where KayitNo = ?").arg(field), {number})
            .toString();
    }
};

} // namespace

class RegisterRecordsTest : public QObject {
    Q_OBJECT
private slots:
    void newNumbersCarriesOverAndAddStores()
    {
        Desk d;
        d.data.addResident("Hasan Kaya", 57,
                           {{"Sokak", "Lale Sok."}, {"IlKodu", "34"}, {"Vilayeti", "Eski İl"}, {"Konuturu", "E"}});
        d.data.addResident("Can Veli", 3);
        d.records.openWholeTable();
        QVERIFY(d.q()->locate("KayitNo", 57));

        d.records.newRecord();
        QCOMPARE(d.q()->displayText("KayitNo"), QString("58")); // the highest plus one, not the first gap
        QCOMPARE(d.records.colorState(), ColorState::Entry);
        QCOMPARE(d.screen.painted, ColorState::Entry);
        QCOMPARE(d.screen.asked, (QStringList{"entry page", "focus YokTar"}));
        QCOMPARE(d.q()->displayText("YokTar"), d.fakes.clock.today().toString("dd.MM.yyyy"));

        // The name is still empty: a second New only shows the entry page.
        d.records.newRecord();
        QCOMPARE(d.q()->rowCount(), 3);

        // Add stores the household's data remembered by New.
        d.q()->setText("Adi", "Zeynep Kaya");
        d.records.addRecord();
        QVERIFY(!d.q()->isEditing());
        QCOMPARE(d.stored("Sokak", 58), QString("Lale Sok."));
        QCOMPARE(d.stored("Vilayeti", 58), QString("Eski İl"));
        QCOMPARE(d.stored("Konuturu", 58), QString("E"));

        // Save without a name: the sound, the message, the name box; nothing stored.
        d.records.newRecord();
        d.screen.asked.clear();
        d.records.saveRecord();
        QCOMPARE(d.fakes.prompter.texts(), QStringList{RegisterRecords::enterNameFirstMessage()});
        QCOMPARE(d.screen.asked, (QStringList{"entry page", "focus Adi"}));
        QVERIFY(d.q()->isInserting());
        d.q()->setText("Adi", "Ece Kaya");
        d.records.saveRecord();
        QCOMPARE(d.stored("Adi", 59), QString("Ece Kaya"));
        QCOMPARE(d.records.colorState(), ColorState::Normal);
        QCOMPARE(d.screen.asked.last(), QString("saved"));
    }

    void filtersBindTheTypedTextAndSetTheColours()
    {
        Desk d;
        for (const auto& [name, number] :
             {std::pair<QString, int>{"Ali Kaya", 1}, {"Şule Acar", 2}, {"Selim Sarı", 3}, {"Ayla \"Kaya\"", 4}})
            d.data.addResident(name, number, number == 3 ? QVariantMap{{"Nakil", "1"}} : QVariantMap{});
        d.records.openWholeTable();

        QVERIFY(d.records.surnameFilter("\"Kaya\""));
        QCOMPARE(d.q()->recordCount(), 1);
        QCOMPARE(d.q()->params(), QVariantList{"%\"Kaya\"%"});
        QCOMPARE(d.records.colorState(), ColorState::SurnameFilter);
        // Navigators keep the aqua while the filter is in force, moved out or not.
        d.records.alphabetFilter("S");
        QCOMPARE(d.q()->recordCount(), 1); // "Ş" is another letter
        QCOMPARE(d.memory.currentLetter, QString("S"));
        d.records.paintAfterMove();
        QCOMPARE(d.records.colorState(), ColorState::SurnameFilter);
        d.records.wholeTable();
        d.records.paintAfterMove();
        QCOMPARE(d.q()->recordCount(), 4);
        QCOMPARE(d.records.colorState(), ColorState::Normal);
        QVERIFY(d.q()->locate("KayitNo", 3));
        d.records.paintAfterMove();
        QCOMPARE(d.records.colorState(), ColorState::MovedOut);

        // No text: the warning, and the result stays.
        QVERIFY(!d.records.surnameFilter(QString()));
        QCOMPARE(d.fakes.prompter.texts(), QStringList{RegisterRecords::typeSurnameMessage()});
        QCOMPARE(d.q()->recordCount(), 4);
    }
};

ZELVAR_TEST(RegisterRecordsTest)
#include "tst_register_records.moc"
