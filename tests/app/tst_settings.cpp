// SPDX-License-Identifier: GPL-3.0-or-later
// The neighbourhood settings window over the shared neighbourhood row.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "app/SettingsWindow.h"
#include "platform/fakes/FakeServices.h"
#include "ui/bound/DBEdit.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

void typeInto(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QString row(DataFixture& f)
{
    return f.dm()
        .database()
        .scalar("select group_concat(Zelvar || '/' || Il || '/' || Ilce || '/' || Mahalle, '|') "
                "from Mahalle")
        .toString();
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void saveOnAnEmptyTableCreatesTheRow()
    {
        DataFixture f;
        FakeServices s;
        SettingsWindow w(f.dm(), s.services);
        QCOMPARE(w.windowTitle(), QString("Mahalle Bilgileri"));
        QCOMPARE(w.size(), QSize(296, 176));
        QCOMPARE(w.neighbourhoodBox()->toolTip(), QString("Yalnız İsmini Giriniz !"));
        QCOMPARE(w.headmanBox()->width(), 273);
        QCOMPARE(w.provinceBox()->width(), 129);
        QCOMPARE(w.districtBox()->width(), 137);
        QCOMPARE(w.headmanBox()->font().pixelSize(), 13);
        QCOMPARE(w.provinceBox()->accessibleName(), QString("İl"));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(w.headmanBox()->hasFocus());

        // Typing, moving on with Tab in the window's order.
        typeInto(w.headmanBox(), "Hasan Çelik");
        QTest::keyClick(w.headmanBox(), Qt::Key_Tab);
        QVERIFY(w.provinceBox()->hasFocus());
        typeInto(w.provinceBox(), "İzmir");
        QTest::keyClick(w.provinceBox(), Qt::Key_Tab);
        QVERIFY(w.districtBox()->hasFocus());
        typeInto(w.districtBox(), "Karşıyaka");
        QTest::keyClick(w.districtBox(), Qt::Key_Tab);
        typeInto(w.neighbourhoodBox(), "Bostanlı");
        QTest::keyClick(w.neighbourhoodBox(), Qt::Key_Tab);
        QVERIFY(w.saveButton()->hasFocus());
        QTest::keyClick(w.saveButton(), Qt::Key_Tab);
        QVERIFY(w.okButton()->hasFocus());

        QTest::mouseClick(w.saveButton(), Qt::LeftButton);
        QCOMPARE(row(f), QString("Hasan Çelik/İzmir/Karşıyaka/Bostanlı"));
        QCOMPARE(f.dm().tbMah->state(), Dataset::State::Browse);
        QCOMPARE(w.provinceBox()->text(), QString("İzmir")); // shown again after the reopen
        // Saving again changes the one row, never adds another.
        w.neighbourhoodBox()->setFocus();
        w.neighbourhoodBox()->selectAll();
        typeInto(w.neighbourhoodBox(), "Alaybey");
        w.save();
        QCOMPARE(row(f), QString("Hasan Çelik/İzmir/Karşıyaka/Alaybey"));

        // A 31st character cannot be typed into the headman box.
        w.headmanBox()->setFocus();
        w.headmanBox()->selectAll();
        typeInto(w.headmanBox(), QString(31, QChar(u'Ş')));
        QCOMPARE(w.headmanBox()->text(), QString(30, QChar(u'Ş')));
        QVERIFY(s.prompter.shown.isEmpty());
    }

    void okLeavesTypedChangesPending()
    {
        // Closing writes the typed text into the shared row without saving
        // it, however the window is closed.
        DataFixture f;
        f.dm().database().exec("insert into Mahalle (Zelvar, Il, Ilce, Mahalle) values "
                               "('Hasan Çelik', 'İzmir', 'Karşıyaka', 'Bostanlı')");
        f.dm().tbMah->refresh();
        FakeServices s;
        {
            SettingsWindow w(f.dm(), s.services);
            w.show();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QCOMPARE(w.provinceBox()->text(), QString("İzmir"));
            w.provinceBox()->setFocus();
            w.provinceBox()->selectAll();
            typeInto(w.provinceBox(), "Manisa");
            QTest::keyClick(w.provinceBox(), Qt::Key_T, Qt::AltModifier); // "&Tamam"
            QTRY_VERIFY(!w.isVisible());
            QCOMPARE(w.result(), int(QDialog::Accepted));
        }
        // The table keeps the old value; the shared row holds the typed one.
        QCOMPARE(row(f), QString("Hasan Çelik/İzmir/Karşıyaka/Bostanlı"));
        QCOMPARE(f.dm().tbMah->state(), Dataset::State::Edit);
        QCOMPARE(f.dm().tbMah->displayText("Il"), QString("Manisa"));
        {
            // The close box does the same; the next window shows the pending row.
            SettingsWindow w(f.dm(), s.services);
            w.show();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QCOMPARE(w.provinceBox()->text(), QString("Manisa"));
            w.districtBox()->setFocus();
            w.districtBox()->selectAll();
            typeInto(w.districtBox(), "Turgutlu");
            w.close();
        }
        QCOMPARE(f.dm().tbMah->displayText("Ilce"), QString("Turgutlu"));
        // The next save of the row by any window stores it.
        f.dm().tbMah->post();
        QCOMPARE(row(f), QString("Hasan Çelik/Manisa/Turgutlu/Bostanlı"));
    }
};

ZELVAR_TEST(SettingsTest)
#include "tst_settings.moc"
