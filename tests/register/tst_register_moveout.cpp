// SPDX-License-Identifier: GPL-3.0-or-later
// The register window's move-out page: adding the current resident from the
// civil-registry page, the list and its navigator leading the register, the
// "İsim Bul" search, the "Tarih" picker, a deleted resident's row, and the
// cover picture drawn on page changes made through the tabs only.
#include "TestRegistry.h"
#include "register/CoverPicture.h"
#include "tst_register_fixture.h"
#include "ui/bound/DBCheckBox.h"
#include "ui/bound/DBGrid.h"
#include "ui/bound/DBMemo.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace zelvar;
using namespace zelvar::testing;

namespace {

const QDate kToday(2026, 12, 9); // the fake clock's day

void addMoveOutRow(RegisterFixture& f, const QString& name, const QString& date = "2020-01-02")
{
    f.data.dm().database().exec("insert into Nakil (Tarih, ADI_SOYADI) values (?, ?)", {date, name});
    f.data.dm().tbnakil->refresh();
}

// Clicks the list row showing this name, as the mouse does.
void clickListRow(TForm2& w, const QString& name)
{
    DBGrid* grid = child<DBGrid>(w, "moveOutGrid");
    QAbstractItemModel* model = grid->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex cell = model->index(row, 1);
        if (cell.data().toString() == name) {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
            return;
        }
    }
    QFAIL(qPrintable("no list row " + name));
}

QColor entryColor(TForm2& w)
{
    return edit(w, "Adi")->backgroundColor();
}

} // namespace

class RegisterMoveOutTest : public QObject {
    Q_OBJECT
private slots:
    void addingFromTheCivilRegistryPage()
    {
        RegisterFixture f;
        f.data.addResident("Ali Kaya", 1, {{"GittigiAdres", "Atatürk Cad. 5"}});
        f.data.addResident("Veli Gider", 2, {{"GittigiAdres", "Gazi Sok. 3"}, {"Gittigiadres2", "Ankara"}});
        TForm2& w = f.open();
        w.showPage(TForm2::CivilRegistryPage);

        // One address line only: nothing, silently.
        child<QAbstractButton>(w, "moveOutAdd")->click();
        QVERIFY(f.fakes.prompter.shown.isEmpty());
        QCOMPARE(w.currentPage(), TForm2::CivilRegistryPage);

        // The second line typed into its box, not yet saved; Cancel stops.
        retype(edit(w, "Gittigiadres2"), "İzmir");
        f.fakes.prompter.answer(Answer::Cancel);
        child<QAbstractButton>(w, "moveOutAdd")->click();
        QCOMPARE(f.fakes.prompter.texts(), QStringList{"Bilgiler Nakil Dosyasına Eklensin mi?"});
        QCOMPARE(f.count("select count(*) from Nakil"), 0);
        QCOMPARE(w.currentPage(), TForm2::CivilRegistryPage);

        int draws = 0;
        w.coverPicture().setRandomSource([&draws] { return ++draws, 0; });
        f.fakes.prompter.answer(Answer::Yes);
        child<QAbstractButton>(w, "moveOutAdd")->click();
        QCOMPARE(w.currentPage(), TForm2::MoveOutPage);
        QCOMPARE(draws, 0); // the window's own switch draws no cover picture
        QVERIFY(!w.isCoverVisible());
        QCOMPARE(w.colorState(), ColorState::MovedOut);
        QCOMPARE(entryColor(w), colorOf(ColorState::MovedOut));
        QVERIFY(child<DBCheckBox>(w, "moveOutFlag")->isChecked());
        QCOMPARE(f.count("select count(*) from Nakil"), 1);
        QCOMPARE(f.stored("select ADI_SOYADI from Nakil"), QString("Ali Kaya"));
        QCOMPARE(f.stored("select \"Not\" from Nakil").replace("\r\n", "\n"), QString("Atatürk Cad. 5\nİzmir"));
        QCOMPARE(f.data.dm().tbnakil->value("Tarih").toDate(), kToday);
        QCOMPARE(f.stored("select Nakil from zelvarx where KayitNo = 1"), QString("1"));
        QCOMPARE(f.stored("select Gittigiadres2 from zelvarx where KayitNo = 1"), QString("İzmir"));
        QCOMPARE(child<DBGrid>(w, "moveOutGrid")->model()->rowCount(), 1);

        // The flag is ticked now: a second press does nothing.
        w.showPage(TForm2::CivilRegistryPage);
        f.fakes.prompter.clear();
        child<QAbstractButton>(w, "moveOutAdd")->click();
        QVERIFY(f.fakes.prompter.shown.isEmpty());
        QCOMPARE(f.count("select count(*) from Nakil"), 1);
        QCOMPARE(w.currentPage(), TForm2::CivilRegistryPage);
        QVERIFY(f.fakes.prompter.unexpected.isEmpty());
    }

    void listLeadsTheRegister()
    {
        RegisterFixture f;
        f.data.addResident("Ali Kaya", 1);
        f.data.addResident("Veli Gider", 2, {{"Nakil", "1"}, {"BabaAdi", "Hasan"}});
        f.data.addResident("Ayşe Gider", 3, {{"Nakil", "0"}});
        addMoveOutRow(f, "VELİ GİDER");
        addMoveOutRow(f, "Kimse Yok");
        addMoveOutRow(f, "ayşe gider");
        TForm2& w = f.open();
        w.showPage(TForm2::MoveOutPage);

        clickListRow(w, "Kimse Yok");
        QVERIFY(w.isCoverVisible());
        QCOMPARE(f.number(), 1); // the register stays
        QCOMPARE(w.colorState(), ColorState::Normal);

        clickListRow(w, "VELİ GİDER"); // whole name, ignoring case
        QVERIFY(!w.isCoverVisible());
        QCOMPARE(f.number(), 2);
        QCOMPARE(w.colorState(), ColorState::MovedOut);
        QCOMPARE(entryColor(w), colorOf(ColorState::MovedOut));

        clickListRow(w, "Kimse Yok");
        QVERIFY(w.isCoverVisible());
        QCOMPARE(f.number(), 2);
        QCOMPARE(w.colorState(), ColorState::MovedOut); // still by his flag

        // Under the surname filter the list still paints by the flag.
        w.showPage(TForm2::RecordCheckPage);
        type(child<QLineEdit>(w, "searchBox"), "Gider");
        child<QAbstractButton>(w, "surnameFilter")->click();
        QCOMPARE(w.colorState(), ColorState::SurnameFilter);
        w.showPage(TForm2::MoveOutPage);
        clickListRow(w, "ayşe gider");
        QCOMPARE(f.number(), 3);
        QVERIFY(!w.isCoverVisible());
        QCOMPARE(w.colorState(), ColorState::Normal);

        // The list's navigator does the same after every button.
        DBNavigator* nav = navigator(w, TForm2::MoveOutPage);
        nav->click(DBNavigator::First);
        QCOMPARE(f.number(), 2);
        QVERIFY(!w.isCoverVisible());
        QCOMPARE(w.colorState(), ColorState::MovedOut);
        nav->click(DBNavigator::Next);
        QVERIFY(w.isCoverVisible());
        QCOMPARE(f.number(), 2);

        // A register navigator leads the list back.
        navigator(w, TForm2::RecordCheckPage)->click(DBNavigator::Last);
        QCOMPARE(f.number(), 3);
        QCOMPARE(f.data.dm().tbnakil->displayText("ADI_SOYADI"), QString("ayşe gider"));
        QVERIFY(!w.isCoverVisible());
        QCOMPARE(w.colorState(), ColorState::SurnameFilter);
    }

    void searchMovesTheListOnly()
    {
        RegisterFixture f;
        f.data.addResident("Ali Kaya", 1);
        f.data.addResident("Zeki Uzak", 2, {{"Nakil", "1"}});
        addMoveOutRow(f, "Ali Kaya");
        addMoveOutRow(f, "Zeki Uzak");
        TForm2& w = f.open();
        w.showPage(TForm2::MoveOutPage);
        const bool coverBefore = w.isCoverVisible();
        type(child<QLineEdit>(w, "moveOutSearch"), "ze");
        QCOMPARE(f.data.dm().tbnakil->displayText("ADI_SOYADI"), QString("Zeki Uzak"));
        QCOMPARE(f.number(), 1); // the register does not follow
        QCOMPARE(w.isCoverVisible(), coverBefore);
        QCOMPARE(w.colorState(), ColorState::Normal);
        type(child<QLineEdit>(w, "moveOutSearch"), "x"); // no match: the list stays
        QCOMPARE(f.data.dm().tbnakil->displayText("ADI_SOYADI"), QString("Zeki Uzak"));
        child<QLineEdit>(w, "moveOutSearch")->clear();
        QCOMPARE(f.data.dm().tbnakil->displayText("ADI_SOYADI"), QString("Ali Kaya"));
        QVERIFY(f.fakes.prompter.shown.isEmpty());
    }

    void datePickerSetsTheDepartureDate()
    {
        RegisterFixture f;
        f.data.addResident("Ali Kaya", 1);
        addMoveOutRow(f, "Ali Kaya", "2020-01-02");
        addMoveOutRow(f, "Zeki Uzak", "2021-03-04");
        TForm2& w = f.open();
        w.showPage(TForm2::MoveOutPage);
        QCOMPARE(child<QDateEdit>(w, "moveOutDate")->date(), kToday);
        Dataset* list = f.data.dm().tbnakil;
        QCOMPARE(list->displayText("ADI_SOYADI"), QString("Ali Kaya"));

        // The drop-down calendar closes on a chosen day.
        emit child<QDateEdit>(w, "moveOutDate")->calendarWidget()->clicked(QDate(2024, 5, 6));
        QVERIFY(list->isEditing());
        QCOMPARE(list->value("Tarih").toDate(), QDate(2024, 5, 6));
        QCOMPARE(f.stored("select Tarih from Nakil where ADI_SOYADI = 'Ali Kaya'"), QString("2020-01-02"));
        navigator(w, TForm2::MoveOutPage)->click(DBNavigator::Post);
        QCOMPARE(f.stored("select Tarih from Nakil where ADI_SOYADI = 'Ali Kaya'"), QString("2024-05-06"));
        QCOMPARE(f.stored("select Tarih from Nakil where ADI_SOYADI = 'Zeki Uzak'"), QString("2021-03-04"));
    }

    void deletedResidentKeepsHisRowUnderTheCover()
    {
        RegisterFixture f;
        f.data.addResident("Ali Kaya", 1);
        f.data.addResident("Veli Gider", 2, {{"Nakil", "1"}});
        addMoveOutRow(f, "Veli Gider");
        TForm2& w = f.open();
        navigator(w, TForm2::RecordCheckPage)->click(DBNavigator::Last);
        QVERIFY(!w.isCoverVisible());
        f.fakes.prompter.answer(Answer::Yes);
        w.deleteRecord();
        QCOMPARE(f.count("select count(*) from zelvarx"), 1);
        QCOMPARE(f.count("select count(*) from Nakil"), 1);

        w.showPage(TForm2::MoveOutPage);
        clickListRow(w, "Veli Gider");
        QVERIFY(w.isCoverVisible());
        QCOMPARE(f.name(), QString("Ali Kaya"));
        QCOMPARE(w.colorState(), ColorState::Normal);
    }

    void coverPictureChangesOnTabsOnly()
    {
        QTemporaryDir folder;
        QImage street(64, 48, QImage::Format_RGB32);
        street.fill(QColor(20, 140, 60));
        QVERIFY(street.save(folder.filePath("2.jpg"), "JPG"));
        RegisterFixture f;
        f.data.addResident("Ali Kaya", 1);
        TForm2& w = f.open();
        // The panel shows a picture stretched to its own size: which one is
        // told by its colours.
        const QSize panel = child<QLabel>(w, "cover")->contentsRect().size();
        const auto shows = [&w, panel](const QImage& picture) {
            const QImage shown = child<QLabel>(w, "cover")->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
            const QImage expected = picture.scaled(panel, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                        .convertToFormat(QImage::Format_RGB32);
            return shown.size() == panel && shown == expected;
        };
        const QImage builtIn = CoverPicture::builtInPicture();
        QVERIFY(!builtIn.isNull());
        QVERIFY(shows(builtIn));

        w.coverPicture().setProgramFolder(folder.path());
        QList<int> draws = {4, 2, 0};
        int drawn = 0;
        w.coverPicture().setRandomSource([&] { return draws.value(drawn++, 5); });

        // Keys and buttons of the window switch pages without a draw.
        QTest::keyClick(child<QLineEdit>(w, "searchBox"), Qt::Key_F6);
        QCOMPARE(w.currentPage(), TForm2::EntryPage);
        QTest::keyClick(w.focusWidget(), Qt::Key_F7);
        QCOMPARE(w.currentPage(), TForm2::CivilRegistryPage);
        child<QAbstractButton>(w, "civilToCheck")->click();
        QCOMPARE(w.currentPage(), TForm2::RecordCheckPage);
        QCOMPARE(drawn, 0);

        QTabBar* tabs = child<QTabWidget>(w, "pages")->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(TForm2::MoveOutPage).center());
        QCOMPARE(w.currentPage(), TForm2::MoveOutPage);
        QCOMPARE(drawn, 1); // 4.jpg does not exist: the picture stays
        QVERIFY(shows(builtIn));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(TForm2::EntryPage).center());
        QCOMPARE(drawn, 2);
        QVERIFY(shows(w.coverPicture().picture()));
        QVERIFY(qAbs(child<QLabel>(w, "cover")
                         ->pixmap()
                         .toImage()
                         .pixelColor(panel.width() / 2, panel.height() / 2)
                         .green() -
                     140) < 6);
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(TForm2::RecordCheckPage).center());
        QCOMPARE(drawn, 3); // 0.jpg missing: 2.jpg stays
        QVERIFY(shows(w.coverPicture().picture()));
        QVERIFY(!shows(builtIn));
    }
    void keysWorkAfterEveryTabChange()
    {
        RegisterFixture f;
        f.data.addResident("Ali Kaya", 1);
        // Inside a document area, as the main window holds it.
        QMdiArea area;
        area.resize(900, 700);
        auto* w = new TForm2(f.data.dm(), f.fakes.services, f.memory, f.forms);
        f.window = w;
        area.addSubWindow(w)->show();
        area.show();
        area.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&area));
        // A key goes where the keyboard sends it: the focus, else the window.
        const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
            QTest::keyClick(target, key, modifiers);
        };
        QTabBar* tabs = child<QTabWidget>(w, "pages")->tabBar();
        const auto clickTab = [&](TForm2::Page page) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
            QCOMPARE(w->currentPage(), page);
        };
        for (TForm2::Page from : {TForm2::RecordCheckPage, TForm2::EntryPage, TForm2::CivilRegistryPage,
                                  TForm2::DetailedViewPage, TForm2::DocumentsPage, TForm2::MoveOutPage}) {
            for (TForm2::Page to : {TForm2::DocumentsPage, TForm2::MoveOutPage, TForm2::DetailedViewPage}) {
                if (from == to)
                    continue;
                clickTab(from);
                // Work on the page: the focus goes into one of its controls.
                for (QWidget* control : child<QTabWidget>(w, "pages")->currentWidget()->findChildren<QWidget*>())
                    if ((control->focusPolicy() & Qt::TabFocus) && control->isVisible() && control->isEnabled()) {
                        control->setFocus();
                        break;
                    }
                clickTab(to);
                press(Qt::Key_F6);
                QVERIFY2(w->currentPage() == TForm2::EntryPage,
                         qPrintable(QString("F6 after page %1 to %2").arg(int(from) + 1).arg(int(to) + 1)));
            }
        }
        w->showPage(TForm2::DocumentsPage);
        child<DBMemo>(w, "documents")->setFocus();
        clickTab(TForm2::MoveOutPage);
        press(Qt::Key_Escape);
        QTRY_VERIFY(f.window.isNull());
    }
    void pageKeysWinOverTheMainMenu()
    {
        RegisterFixture f;
        f.data.addResident("Ali Kaya", 1);
        // A frame with the main window's menus around the document area.
        QMainWindow frame;
        for (const char* title : {"&Dosya", "&Birim", "&Sabit", "&Görünüm", "&Araç", "&Pencere", "&Yardım"})
            frame.menuBar()->addMenu(QString::fromUtf8(title))->addAction(QStringLiteral("x"));
        auto* area = new QMdiArea(&frame);
        frame.setCentralWidget(area);
        frame.resize(900, 700);
        // The window belongs to its frame, which the test deletes first.
        auto* w = new TForm2(f.data.dm(), f.fakes.services, f.memory, f.forms);
        area->addSubWindow(w)->show();
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        child<QLineEdit>(w, "searchBox")->setFocus();
        const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
            QTest::keyClick(target, key, modifiers);
        };
        const QList<QPair<Qt::Key, TForm2::Page>> accelerators{
            {Qt::Key_B, TForm2::EntryPage},     {Qt::Key_A, TForm2::DetailedViewPage},
            {Qt::Key_D, TForm2::MoveOutPage},   {Qt::Key_N, TForm2::CivilRegistryPage},
            {Qt::Key_V, TForm2::DocumentsPage}, {Qt::Key_K, TForm2::RecordCheckPage}};
        for (const auto& [key, page] : accelerators) {
            press(key, Qt::AltModifier);
            QCOMPARE(w->currentPage(), page);
            QVERIFY(!QApplication::activePopupWidget());
            QVERIFY(!frame.menuBar()->activeAction());
        }
        // Ctrl+Tab steps through the pages, with Shift backwards.
        press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(w->currentPage(), TForm2::EntryPage);
        press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w->currentPage(), TForm2::MoveOutPage);
        press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(w->currentPage(), TForm2::RecordCheckPage);
        // Outside the window the menu keeps its key.
        delete w;
        frame.menuBar()->setFocus();
        press(Qt::Key_B, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget() || frame.menuBar()->activeAction());
        QTest::keyClick(QApplication::activePopupWidget() ? QApplication::activePopupWidget() : frame.menuBar(),
                        Qt::Key_Escape);
    }
};

ZELVAR_TEST(RegisterMoveOutTest)
#include "tst_register_moveout.moc"
