// SPDX-License-Identifier: GPL-3.0-or-later
// An edit box that keeps its text unselected when it is entered by Tab.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "ui/bound/DBEdit.h"

#include <QTest>
#include <QVBoxLayout>

using namespace zelvar;
using zelvar::testing::DataFixture;

class DBEditFocusTest : public QObject {
    Q_OBJECT
private slots:
    void enteringByTabSelectsOnlyWhenAsked()
    {
        DataFixture f;
        f.addResident("Ali", 1, {{"Sokak", "Lale Sok."}, {"GittigiAdres", "Yeni Sok. 2"}});
        f.dm().Query2->refresh();
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* first = new DBEdit(f.dm().DataSource1, "Adi");
        auto* selecting = new DBEdit(f.dm().DataSource1, "Sokak");
        auto* keeping = new DBEdit(f.dm().DataSource1, "GittigiAdres");
        keeping->setSelectAllOnFocus(false);
        for (DBEdit* box : {first, selecting, keeping})
            layout->addWidget(box);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(selecting->selectsAllOnFocus());

        first->setFocus();
        QTest::keyClick(first, Qt::Key_Tab);
        QVERIFY(selecting->hasFocus());
        QCOMPARE(selecting->selectedText(), QString("Lale Sok."));
        QTest::keyClick(selecting, Qt::Key_Tab);
        QVERIFY(keeping->hasFocus());
        QVERIFY(!keeping->hasSelectedText());
        QCOMPARE(keeping->cursorPosition(), keeping->text().size());
        // Typing adds to the text instead of replacing it.
        QTest::keyClicks(keeping, " B");
        QCOMPARE(keeping->text(), QString("Yeni Sok. 2 B"));
    }
};

ZELVAR_TEST(DBEditFocusTest)
#include "tst_dbedit_focus.moc"
