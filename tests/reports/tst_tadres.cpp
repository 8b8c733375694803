// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics window: runs, the chart tables, the blank-date block, the
// toolbar and the page placement.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "data/Database.h"
#include "platform/fakes/FakeServices.h"
#include "reports/TAdres.h"
#include "ui/PleaseWaitWindow.h"
#include "ui/chart/BarChart.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

QList<int> tableCounts(DataFixture& f, const QString& table)
{
    QList<int> counts;
    Statement st(f.dm().database().handle(), QStringLiteral("select Sayi from %1 order by rowid").arg(table));
    while (st.step())
        counts << int(st.columnInt64(0));
    return counts;
}

QStringList tableLabels(DataFixture& f, const QString& table)
{
    QStringList labels;
    Statement st(f.dm().database().handle(), QStringLiteral("select Grup from %1 order by rowid").arg(table));
    while (st.step())
        labels << st.columnText(0);
    return labels;
}

QStringList panelTexts(const TAdres& w)
{
    QStringList texts;
    for (int i = 0; i < HeadcountCount; ++i)
        texts << w.headcountPanel(Headcount(i))->text();
    for (int i = 0; i < AgeBracketCount; ++i)
        texts << w.agePanel(AgeBracket(i))->text();
    return texts;
}

int pleaseWaitWindows()
{
    int n = 0;
    for (QWidget* w : QApplication::allWidgets())
        if (qobject_cast<PleaseWaitWindow*>(w))
            ++n;
    return n;
}

// A small register; today is the fake clock's 09.12.2026.
void addRegister(DataFixture& f)
{
    const QDate today(2026, 12, 9);
    f.addResident("Ayşe Yılmaz", 1,
                  {{"DogTar", today.addDays(-7400)},
                   {"Cinsiyeti", "Kadın"},
                   {"EvDuru2", "Evet"},
                   {"Medeni", "Evli"},
                   {"Dini", "İslam"},
                   {"Meslek", "İşsiz"}});
    f.addResident(
        "Ali Yılmaz", 2,
        {{"DogTar", today.addDays(-1000)}, {"Cinsiyeti", "Erkek"}, {"EvDurum1", "Kiracı"}, {"Dini", "İslam"}});
    f.addResident("Veli Kaya", 3, {{"DogTar", today.addDays(-24000)}, {"Medeni", "Dul"}});
}

// Shows the window as the main window does; the first count follows.
void showAndCount(TAdres& w)
{
    w.show();
    QTRY_VERIFY(w.firstRunDone());
}

} // namespace

class TAdresTest : public QObject {
    Q_OBJECT
private slots:
    void creationCountsAndStoresTheRegister()
    {
        DataFixture f;
        addRegister(f);
        FakeServices s;
        TAdres w(f.dm(), s.services);
        showAndCount(w);

        QCOMPARE(w.windowTitle(), QString("İstatistik ve Raporlar"));
        QCOMPARE(w.size(), QSize(632, 436));
        // Kadın, Erkek, Okur-Yazar, Okumaz-Yazmaz, Ev Sahibi, Kiracı, Evli, Bekar, İşsiz, Azınlık
        const QList<int> heads{1, 2, 1, 2, 2, 1, 1, 2, 1, 1};
        const QList<int> ages{1, 0, 0, 2, 1, 1};
        QCOMPARE(tableCounts(f, "GRUP1"), heads);
        QCOMPARE(tableCounts(f, "YASLAR"), ages);
        QStringList expected;
        for (int n : heads + ages)
            expected << QString::number(n);
        QCOMPARE(panelTexts(w), expected);
        // A screen reader hears each panel's caption and its count.
        QAccessibleInterface* men = QAccessible::queryAccessibleInterface(w.headcountPanel(Men));
        QCOMPARE(men->text(QAccessible::Name), headcountLabels().at(Men));
        QCOMPARE(men->text(QAccessible::Value), QString("2"));
        QCOMPARE(QAccessible::queryAccessibleInterface(w.agePanel(Over65))->text(QAccessible::Value), QString("1"));
        // The bar labels are never written.
        QCOMPARE(tableLabels(f, "GRUP1"), headcountLabels());
        QCOMPARE(tableLabels(f, "YASLAR"), ageBracketLabels());
        // The charts show what the tables hold.
        QCOMPARE(w.headcountChart()->values(), (QVector<double>{1, 2, 1, 2, 2, 1, 1, 2, 1, 1}));
        QCOMPARE(w.headcountChart()->labels(), headcountLabels());
        QCOMPARE(w.ageChart()->values(), (QVector<double>{1, 0, 0, 2, 1, 1}));
        QVERIFY(s.prompter.shown.isEmpty());
        QCOMPARE(pleaseWaitWindows(), 0);

        // A resident stored while the window is open is counted by the next run.
        f.addResident("Zeynep", 4, {{"DogTar", QDate(2026, 1, 1)}, {"Cinsiyeti", "Kadın"}});
        w.updateAction()->trigger();
        QCOMPARE(w.headcountPanel(Women)->text(), QString("2"));
        QCOMPARE(w.headcountChart()->values().at(Women), 2.0);
        QCOMPARE(w.agePanel(UpTo6)->text(), QString("2"));
        QCOMPARE(tableCounts(f, "YASLAR").at(UpTo6), 2);
    }

    void emptyRegisterWritesZeros()
    {
        DataFixture f;
        f.dm().database().exec("update GRUP1 set Sayi = 7");
        f.dm().database().exec("update YASLAR set Sayi = 9");
        FakeServices s;
        TAdres w(f.dm(), s.services);
        showAndCount(w);
        QCOMPARE(tableCounts(f, "GRUP1"), QList<int>(10, 0));
        QCOMPARE(tableCounts(f, "YASLAR"), QList<int>(6, 0));
        QCOMPARE(panelTexts(w), QStringList(16, "0"));
        QCOMPARE(w.ageChart()->values(), QVector<double>(6, 0.0));
        QVERIFY(s.prompter.shown.isEmpty());
    }

    void blankBirthDateBlocksTheRun()
    {
        DataFixture f;
        addRegister(f);
        FakeServices s;
        TAdres w(f.dm(), s.services);
        showAndCount(w);
        const QStringList panelsBefore = panelTexts(w);
        const QList<int> headsBefore = tableCounts(f, "GRUP1");
        const QList<int> agesBefore = tableCounts(f, "YASLAR");

        // A new resident who would change every count, and one without a birth date.
        f.addResident("Yeni", 4, {{"DogTar", QDate(2026, 1, 1)}, {"Cinsiyeti", "Kadın"}});
        f.addResident("Tarihsiz", 5, {{"Cinsiyeti", "Kadın"}});
        QVERIFY(!w.runStatistics());
        QCOMPARE(s.prompter.texts(), QStringList{"Yanlış Girdiğiniz ya da Boş Bıraktığınız Doğum Tarihleri Var!"});
        QCOMPARE(panelTexts(w), panelsBefore);
        QCOMPARE(tableCounts(f, "GRUP1"), headsBefore);
        QCOMPARE(tableCounts(f, "YASLAR"), agesBefore);
        QCOMPARE(w.headcountChart()->values().at(Women), 1.0);
        QCOMPARE(pleaseWaitWindows(), 0);

        // The buttons on both pages run it too, with the same outcome.
        s.prompter.clear();
        w.headcountUpdateButton()->click();
        w.ageUpdateButton()->click();
        QCOMPARE(s.prompter.texts().size(), 2);
        QCOMPARE(panelTexts(w), panelsBefore);
    }

    void failedWriteChangesNeitherTable()
    {
        DataFixture f;
        addRegister(f);
        FakeServices s;
        TAdres w(f.dm(), s.services);
        showAndCount(w);
        const QStringList panelsBefore = panelTexts(w);
        const QList<int> headsBefore = tableCounts(f, "GRUP1");

        // The age table refuses the write after the headcounts were stored:
        // both tables stay as they were, so the two charts still agree.
        f.addResident("Yeni", 4, {{"DogTar", QDate(2026, 1, 1)}, {"Cinsiyeti", "Kadın"}});
        f.dm().database().exec("create trigger refuse before update on YASLAR begin select raise(abort, 'dolu'); end");
        QVERIFY(!w.runStatistics());
        QCOMPARE(s.prompter.texts(), QStringList{TAdres::blankDateMessage()});
        QCOMPARE(tableCounts(f, "GRUP1"), headsBefore);
        QCOMPARE(w.headcountChart()->values().at(Women), 1.0);
        QCOMPARE(panelTexts(w), panelsBefore);
        QCOMPARE(pleaseWaitWindows(), 0);

        f.dm().database().exec("drop trigger refuse");
        QVERIFY(w.runStatistics());
        QCOMPARE(w.headcountChart()->values().at(Women), 2.0);
        QCOMPARE(w.ageChart()->values().at(UpTo6), 2.0);
    }

    void panelsShowNothingUntilAFirstSuccessfulRun()
    {
        DataFixture f;
        f.dm().database().exec("update GRUP1 set Sayi = 3");
        f.addResident("Tarihsiz", 1);
        FakeServices s;
        TAdres w(f.dm(), s.services);
        QVERIFY(!w.firstRunDone()); // nothing is counted before the window shows
        QVERIFY(s.prompter.shown.isEmpty());
        bool visibleAtMessage = false;
        s.prompter.onShow = [&](const ShownDialog&) { visibleAtMessage = w.isVisible(); };
        showAndCount(w);
        QVERIFY(visibleAtMessage);
        QCOMPARE(s.prompter.texts(), QStringList{TAdres::blankDateMessage()});
        QCOMPARE(panelTexts(w), QStringList(16, QString()));
        QCOMPARE(tableCounts(f, "GRUP1"), QList<int>(10, 3));
        QCOMPARE(w.headcountChart()->values(), QVector<double>(10, 3.0));
        QCOMPARE(pleaseWaitWindows(), 0);

        // Once the date is there the run completes.
        f.dm().database().exec("update zelvarx set DogTar = '1990-04-04'");
        QVERIFY(w.runStatistics());
        QCOMPARE(w.headcountPanel(Men)->text(), QString("1"));
        QCOMPARE(w.agePanel(Over18)->text(), QString("1"));
    }

    void toolbarPagesAndKeys()
    {
        DataFixture f;
        FakeServices s;
        auto* w = new TAdres(f.dm(), s.services);
        QPointer<TAdres> alive(w);

        QStringList hints;
        for (QAction* a : w->toolBar()->actions())
            if (!a->isSeparator())
                hints << a->toolTip();
        QCOMPARE(hints, (QStringList{" Çık ! ", "Grafiği Güncelle !", "Grafikte Değer Göster !",
                                     "Grafikte Yüzde Oranı Göster !", "Yardım Dosyası"}));
        QCOMPARE(w->toolBar()->actions().size(), 5 + 5); // with five separators
        for (QAction* a : {w->exitAction(), w->helpAction(), w->percentAction()})
            QCOMPARE(w->toolBar()->widgetForAction(a)->accessibleName(), a->toolTip());

        QStringList tabs;
        for (int i = 0; i < w->pages()->count(); ++i)
            tabs << w->pages()->tabText(i);
        QCOMPARE(tabs, (QStringList{"&Kişi Sayıları Grafiği", "&Yaş Grupları Grafiği", "&Genel Raporlar",
                                    "&Sorgu Raporları"}));
        QCOMPARE(w->pages()->currentIndex(), 0);
        QCOMPARE(w->headcountChart()->size(), QSize(593, 221));
        QCOMPARE(w->ageChart()->size(), QSize(593, 220));
        QCOMPARE(w->headcountPanel(Women)->size(), QSize(89, 25));
        QCOMPARE(w->agePanel(Over65)->size(), QSize(80, 25));
        QCOMPARE(w->headcountPanel(Tenants)->accessibleName(), QString("Kiracı"));

        // Values is down at start; Percent and Values change both charts and
        // pressing the one that is down keeps it down.
        QVERIFY(w->valuesAction()->isChecked());
        QCOMPARE(w->headcountChart()->markStyle(), MarkStyle::Value);
        w->percentAction()->trigger();
        QVERIFY(w->percentAction()->isChecked() && !w->valuesAction()->isChecked());
        QCOMPARE(w->headcountChart()->markStyle(), MarkStyle::Percent);
        QCOMPARE(w->ageChart()->markStyle(), MarkStyle::Percent);
        w->percentAction()->trigger();
        QVERIFY(w->percentAction()->isChecked());
        w->valuesAction()->trigger();
        QCOMPARE(w->ageChart()->markStyle(), MarkStyle::Value);

        // Help from the button and from F1.
        w->helpAction()->trigger();
        showAndCount(*w);
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->setFocus();
        QTest::keyClick(w, Qt::Key_F1);
        QCOMPARE(s.help.topics, (QList<int>{106, 106}));

        // Esc on a page's button is the button's, Esc on the window closes it.
        w->pages()->setCurrentIndex(1);
        w->ageUpdateButton()->setFocus();
        QCOMPARE(QApplication::focusWidget(), w->ageUpdateButton());
        QTest::keyClick(w->ageUpdateButton(), Qt::Key_Escape);
        QVERIFY(alive);
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Escape);
        QTRY_VERIFY(!alive);
    }

    void insideTheDocumentArea()
    {
        DataFixture f;
        FakeServices s;
        QMdiArea area;
        area.resize(900, 700);
        auto* w = new TAdres(f.dm(), s.services);
        QMdiSubWindow* frame = area.addSubWindow(w);
        QPointer<QMdiSubWindow> alive(frame);
        QCOMPARE(frame->windowTitle(), QString("İstatistik ve Raporlar"));
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        QCOMPARE(w->size(), QSize(632, 436));
        // Its border does not drag; the title bar still moves it.
        const QSize before = frame->size();
        const auto send = [frame](QEvent::Type type, const QPoint& at, Qt::MouseButton button, Qt::MouseButtons held) {
            QMouseEvent event(type, at, frame->mapToGlobal(at), button, held, Qt::NoModifier);
            QApplication::sendEvent(frame, &event);
        };
        for (const QPoint edge :
             {QPoint(frame->width() - 2, frame->height() / 2), QPoint(frame->width() - 2, frame->height() - 2),
              QPoint(frame->width() / 2, frame->height() - 2)}) {
            send(QEvent::MouseMove, edge, Qt::NoButton, Qt::NoButton);
            send(QEvent::MouseButtonPress, edge, Qt::LeftButton, Qt::LeftButton);
            send(QEvent::MouseMove, edge + QPoint(160, 120), Qt::NoButton, Qt::LeftButton);
            send(QEvent::MouseButtonRelease, edge + QPoint(160, 120), Qt::LeftButton, Qt::NoButton);
            QCOMPARE(frame->size(), before);
        }
        const QPoint title(frame->width() / 2, w->y() / 2);
        const QPoint start = frame->pos();
        send(QEvent::MouseMove, title, Qt::NoButton, Qt::NoButton);
        send(QEvent::MouseButtonPress, title, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, title + QPoint(40, 30), Qt::NoButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, title + QPoint(40, 30), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(frame->size(), before);
        QVERIFY(frame->pos() != start);
        // Exit closes the frame and frees both.
        w->exitAction()->trigger();
        QTRY_VERIFY(!alive);
        QVERIFY(area.subWindowList().isEmpty());
    }

    void pageAreaIsCentred()
    {
        // The window's own size: pages just under the toolbar.
        QCOMPARE(centredPageOrigin(QSize(632, 416), QSize(632, 386), 30), QPoint(0, 30));
        // Halves go to the even neighbour.
        QCOMPARE(centredPageOrigin(QSize(633, 386), QSize(632, 386), 0), QPoint(0, 0));
        QCOMPARE(centredPageOrigin(QSize(635, 389), QSize(632, 386), 0), QPoint(2, 2));
        QCOMPARE(centredPageOrigin(QSize(637, 391), QSize(632, 386), 0), QPoint(2, 2));
        // The toolbar's half is rounded on its own: 15.5 + 15.5 gives 32, not 31.
        QCOMPARE(centredPageOrigin(QSize(632, 417), QSize(632, 386), 31), QPoint(0, 32));
        QCOMPARE(centredPageOrigin(QSize(632, 417), QSize(632, 386), 29), QPoint(0, 30));
        // Maximised.
        QCOMPARE(centredPageOrigin(QSize(1000, 700), QSize(632, 386), 30), QPoint(184, 172));

        DataFixture f;
        FakeServices s;
        TAdres w(f.dm(), s.services);
        showAndCount(w);
        w.show();
        QCOMPARE(w.pages()->pos(), QPoint(0, 30));
        QVERIFY(w.pages()->geometry().bottom() < w.statusBar()->geometry().top());
        w.resize(1000, 720);
        QCOMPARE(w.pages()->pos(), QPoint(184, 172));
        QCOMPARE(w.statusBar()->geometry(), QRect(0, 700, 1000, 20));
    }
};

ZELVAR_TEST(TAdresTest)
#include "tst_tadres.moc"
