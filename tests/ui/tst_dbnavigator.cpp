// SPDX-License-Identifier: GPL-3.0-or-later
// The navigator: its buttons, hints, the delete question and the signal
// after every press.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "data/Errors.h"
#include "platform/fakes/FakeServices.h"
#include "ui/bound/DBNavigator.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace zelvar;
using zelvar::testing::DataFixture;
using Nav = zelvar::DBNavigator;

class DBNavigatorTest : public QObject {
    Q_OBJECT
private slots:
    void hintsAndVisibleButtons()
    {
        DataFixture f;
        Nav full(f.dm().DataSource1, Nav::allButtons());
        const QStringList hints{"İlk", "Önceki", "Sonraki", "Son",    "Yeni",
                                "Sil", "Düzelt", "Kaydet",  "Vazgeç", "Tazele"};
        for (int i = 0; i < Nav::kButtonCount; ++i) {
            QCOMPARE(full.button(Nav::Button(i))->toolTip(), hints[i]);
            QCOMPARE(full.button(Nav::Button(i))->accessibleName(), hints[i]);
            QVERIFY(!full.button(Nav::Button(i))->icon().isNull());
            QCOMPARE(full.button(Nav::Button(i))->focusPolicy(), Qt::NoFocus);
        }
        Nav list(f.dm().DataSource1, {Nav::First, Nav::Prior, Nav::Next, Nav::Last, Nav::Post});
        list.setHints({"Baş", "Geri", "İleri", "Sona", "Kaydet !"});
        QCOMPARE(list.visibleButtons().size(), 5);
        QVERIFY(list.button(Nav::Insert)->isHidden());
        QCOMPARE(list.hint(Nav::Last), QString("Sona"));
        QCOMPARE(list.hint(Nav::Post), QString("Kaydet !"));
    }

    void buttonsActAndSignalAfterwards()
    {
        DataFixture f;
        f.addResident("Ali", 1);
        f.addResident("Veli", 2);
        f.addResident("Can", 3);
        Dataset* q = f.dm().Query2;
        q->refresh();
        FakeServices services;
        Nav nav(f.dm().DataSource1, Nav::allButtons());
        nav.setPrompter(&services.prompter);
        QSignalSpy after(&nav, &Nav::clicked);
        QVector<int> rowsSeen;
        connect(&nav, &Nav::clicked, this, [&] { rowsSeen << q->recNo(); });

        // At the first row the backward buttons are off; pressing one still signals.
        QVERIFY(!nav.button(Nav::Prior)->isEnabled());
        nav.click(Nav::Prior);
        QCOMPARE(after.size(), 1);
        QTest::mouseClick(nav.button(Nav::Next), Qt::LeftButton);
        QCOMPARE(q->recNo(), 1);
        QCOMPARE(after.last().at(0).value<Nav::Button>(), Nav::Next);
        nav.click(Nav::Last);
        QCOMPARE(q->recNo(), 2);
        QVERIFY(!nav.button(Nav::Next)->isEnabled());
        nav.click(Nav::First);
        QCOMPARE(rowsSeen, QVector<int>({0, 1, 2, 0})); // the signal comes after the move

        // Edit, post and cancel follow the state.
        QVERIFY(!nav.button(Nav::Post)->isEnabled());
        nav.click(Nav::Edit);
        QVERIFY(nav.button(Nav::Post)->isEnabled() && nav.button(Nav::Cancel)->isEnabled());
        QVERIFY(!nav.button(Nav::Edit)->isEnabled());
        nav.click(Nav::Cancel);
        QCOMPARE(q->state(), Dataset::State::Browse);

        // Delete asks first; No keeps the row.
        services.prompter.answer(Answer::No);
        nav.click(Nav::Delete);
        QCOMPARE(services.prompter.lastText(), QString("Kayıt silinsin mi?"));
        QCOMPARE(f.residentCount(), 3);
        services.prompter.answer(Answer::Yes);
        nav.click(Nav::Delete);
        QCOMPARE(f.residentCount(), 2);
        QCOMPARE(q->displayText("Adi"), QString("Veli"));
        QVERIFY(services.prompter.unexpected.isEmpty());

        // A refused save signals and then goes on to the caller.
        nav.click(Nav::Insert);
        q->setValue("KayitNo", 2); // a number already taken
        // NOLINTNEXTLINE(clang-analyzer-deadcode.DeadStores): read after the throw, whose catch the analyzer skips
        const int before = after.size();
        QVERIFY_THROWS_EXCEPTION(EngineError, nav.click(Nav::Post));
        QCOMPARE(after.size(), before + 1);
        QCOMPARE(after.last().at(0).value<Nav::Button>(), Nav::Post);
        QCOMPARE(q->state(), Dataset::State::Insert);
        nav.click(Nav::Cancel);
        nav.click(Nav::Refresh);
        QCOMPARE(q->recordCount(), 2);
    }
};

ZELVAR_TEST(DBNavigatorTest)
#include "tst_dbnavigator.moc"
