// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: window guards, exit, hints, status bar, background and
// the hand-over of the photo tables to the data wizard.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "app/DocumentArea.h"
#include "app/MainWindow.h"
#include "data/Errors.h"
#include "platform/fakes/FakeServices.h"

#include <QAccessible>
#include <QAction>
#include <QHelpEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>
#include <QToolTip>

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

// Stand-in document windows: each factory counts how often it made one.
struct StandIns {
    int registers = 0;
    int statistics = 0;
    int editors = 0;
    QString editorCaption = QStringLiteral("Editor");
    WindowFactories factories()
    {
        WindowFactories f;
        f.registerWindow = [this](MainCommands&) { return window("Bilgi Bankası", registers); };
        f.statisticsWindow = [this](MainCommands&) { return window("İstatistik ve Raporlar", statistics); };
        f.editorWindow = [this](MainCommands&) { return window(editorCaption, editors); };
        return f;
    }
    static QWidget* window(const QString& caption, int& count)
    {
        ++count;
        auto* w = new QWidget;
        w->setWindowTitle(caption);
        w->resize(300, 200);
        return w;
    }
};

QMdiSubWindow* frameOf(QWidget* content)
{
    return content ? qobject_cast<QMdiSubWindow*>(content->parentWidget()) : nullptr;
}

QStringList captions(MainWindow& w)
{
    QStringList list;
    for (QMdiSubWindow* sub : w.documentArea()->subWindowList(QMdiArea::CreationOrder))
        list << sub->widget()->windowTitle();
    return list;
}

// Presses a control the way a screen reader or an outside test driver
// does: through its accessibility interface. False when it has no press.
bool pressAccessibly(QAccessibleInterface* iface)
{
    if (!iface || !iface->actionInterface())
        return false;
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    return true;
}

QAccessibleInterface* menuItem(MainWindow& w, const QString& menu, const QString& item)
{
    for (QAction* top : w.menuBar()->actions()) {
        if (top->text() != menu || !top->menu())
            continue;
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(top->menu());
        for (int i = 0; list && i < list->childCount(); ++i)
            if (list->child(i)->text(QAccessible::Name) == item)
                return list->child(i);
    }
    return nullptr;
}

// Tries every way in to the register window and the password change.
void tryTheWayIn(MainWindow& w)
{
    QWidget* button = w.menuBand()->widgetForAction(w.findAction("Bilgi Bankası"));
    QVERIFY(pressAccessibly(QAccessible::queryAccessibleInterface(button)));
    QVERIFY(pressAccessibly(menuItem(w, "&Sabit", "Şifre Değişimi")));
    QVERIFY(pressAccessibly(menuItem(w, "&Birim", "İstatistik ve Raporlar")));
    QTest::keyClick(&w, Qt::Key_B, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_F1);
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void guardsKeepEachDocumentWindowSingle()
    {
        DataFixture f;
        FakeServices s;
        StandIns standIns;
        MainWindow w(f.dm(), s.services, standIns.factories());
        QVERIFY(w.startUp());
        w.resize(800, 600);
        w.show();

        QWidget* reg = w.registerCommand();
        QVERIFY(reg);
        // Shown in the document area at the size the window chose.
        QCOMPARE(frameOf(reg)->mdiArea(), w.documentArea());
        QTRY_COMPARE(reg->size(), QSize(300, 200));
        QCOMPARE(frameOf(reg)->pos(), QPoint(0, 0));
        QWidget* stats = w.statisticsCommand();
        QCOMPARE(w.documentArea()->activeSubWindow(), frameOf(stats));
        QCOMPARE(frameOf(stats)->pos(), QPoint(0, 0));
        // A second register command brings the open window forward.
        QCOMPARE(w.registerCommand(), reg);
        QCOMPARE(standIns.registers, 1);
        QCOMPARE(w.documentArea()->activeSubWindow(), frameOf(reg));
        QCOMPARE(w.statisticsCommand(), stats);
        QCOMPARE(standIns.statistics, 1);
        QCOMPARE(captions(w), (QStringList{"Bilgi Bankası", "İstatistik ve Raporlar"}));

        // Closed, it is made anew.
        frameOf(reg)->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w.registerWindow());
        QWidget* reg2 = w.registerCommand();
        QVERIFY(reg2);
        QCOMPARE(standIns.registers, 2);
        QCOMPARE(w.registerWindow(), reg2);
    }

    void editorIsFoundByItsFirstLetter()
    {
        DataFixture f;
        FakeServices s;
        StandIns standIns;
        MainWindow w(f.dm(), s.services, standIns.factories());
        QVERIFY(w.startUp());
        w.registerCommand(); // "Bilgi Bankası" is no editor

        QWidget* editor = w.editorCommand();
        QCOMPARE(standIns.editors, 1);
        QVERIFY(!frameOf(editor)->isMinimized() && !frameOf(editor)->isMaximized());
        QCOMPARE(w.editorWindow(), editor);
        // A certificate renames it; the command still finds it.
        editor->setWindowTitle(QStringLiteral("Editor [İlmuhaber]"));
        w.registerCommand();
        QCOMPARE(w.editorCommand(), editor);
        QCOMPARE(standIns.editors, 1);
        QCOMPARE(w.documentArea()->activeSubWindow(), frameOf(editor));
        // A minimized editor is brought forward, not restored.
        frameOf(editor)->showMinimized();
        QCOMPARE(w.editorCommand(), editor);
        QVERIFY(frameOf(editor)->isMinimized());
    }

    void guardFindsAWindowItDidNotMake()
    {
        DataFixture f;
        FakeServices s;
        StandIns standIns;
        MainWindow w(f.dm(), s.services, standIns.factories());
        QVERIFY(w.startUp());
        auto* other = new QWidget;
        other->setWindowTitle(QStringLiteral("Bilgi Bankası"));
        w.documentArea()->addSubWindow(other)->show();
        QCOMPARE(w.registerCommand(), other);
        QCOMPARE(standIns.registers, 0);
    }

    void editorFailureIsSilentAndEmptyFactoriesDoNothing()
    {
        DataFixture f;
        FakeServices s;
        WindowFactories failing;
        failing.editorWindow = [](MainCommands&) -> QWidget* { throw EngineError("editor"); };
        MainWindow w(f.dm(), s.services, failing);
        QVERIFY(w.startUp());
        QVERIFY(!w.editorCommand());
        QVERIFY(!w.registerCommand());
        QVERIFY(!w.statisticsCommand());
        QVERIFY(!w.clockCommand());
        w.settingsCommand();
        w.passwordChangeCommand();
        QVERIFY(w.documentArea()->subWindowList().isEmpty());
        QVERIFY(s.prompter.shown.isEmpty());
        QVERIFY(s.sound.events.isEmpty());
    }

    void dialogsAndClockWindows()
    {
        DataFixture f;
        FakeServices s;
        WindowFactories factories;
        QList<QWidget*> dialogParents;
        factories.settings = [&](QWidget* parent) { dialogParents << parent; };
        factories.passwordChange = [&](QWidget* parent) { dialogParents << parent; };
        factories.clockWindow = [] {
            auto* clock = new QWidget(nullptr, Qt::WindowStaysOnTopHint);
            clock->setWindowTitle(QStringLiteral("Saat"));
            return clock;
        };
        MainWindow w(f.dm(), s.services, factories);
        QVERIFY(w.startUp());
        w.findAction("Mahalle Bilgileri")->trigger();
        w.findAction("Şifre Değişimi")->trigger();
        QCOMPARE(dialogParents, (QList<QWidget*>{&w, &w}));
        // Every use opens another clock, a window of its own.
        QWidget* first = w.clockCommand();
        QWidget* second = w.clockCommand();
        QVERIFY(first && second && first != second);
        QVERIFY(first->isWindow() && first->isVisible());
        QVERIFY(first->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(w.documentArea()->subWindowList().isEmpty());
    }

    void exitAsksAndClosingThroughTheFrameDoesNot()
    {
        DataFixture f;
        FakeServices s;
        MainWindow w(f.dm(), s.services, {});
        QVERIFY(w.startUp());
        QSignalSpy ended(&w, &MainWindow::closed);
        w.show();

        s.prompter.answer(Answer::No);
        w.findAction("Çık")->trigger();
        QCOMPARE(s.prompter.texts(), QStringList{"Programdan Çıkmak İstiyor musunuz?"});
        QCOMPARE(s.prompter.shown.last().buttons, Buttons::YesNo);
        QVERIFY(w.isVisible());
        QVERIFY(s.sound.events.isEmpty());
        QCOMPARE(ended.count(), 0);

        s.prompter.answer(Answer::Yes);
        w.exitCommand();
        QCOMPARE(s.sound.events, QStringList{"beep"});
        QCOMPARE(ended.count(), 1);
        QVERIFY(!w.isVisible());

        MainWindow w2(f.dm(), s.services, {});
        QVERIFY(w2.startUp());
        QSignalSpy ended2(&w2, &MainWindow::closed);
        w2.show();
        s.prompter.clear();
        w2.close();
        QCOMPARE(ended2.count(), 1);
        QVERIFY(s.prompter.shown.isEmpty());
        QVERIFY(s.prompter.unexpected.isEmpty());
    }

    void nothingAnswersBeforeThePasswordIsAccepted()
    {
        DataFixture f;
        FakeServices s;
        StandIns standIns;
        int passwordChanges = 0;
        WindowFactories factories = standIns.factories();
        factories.passwordChange = [&](QWidget*) { ++passwordChanges; };
        // While the password is asked the main window exists, hidden, then
        // shown: neither its buttons, menus nor keys answer.
        factories.login = [&](QWidget* parent) {
            auto* w = static_cast<MainWindow*>(parent);
            tryTheWayIn(*w);
            w->show();
            w->activateWindow();
            if (!QTest::qWaitForWindowActive(w))
                return false;
            tryTheWayIn(*w);
            return false;
        };
        {
            MainWindow w(f.dm(), s.services, factories);
            QVERIFY(!w.startUp());
            QVERIFY(!w.commandsEnabled());
            tryTheWayIn(w); // a refused login leaves it all shut
        }
        QCOMPARE(standIns.registers + standIns.statistics + passwordChanges, 0);
        QVERIFY(s.help.topics.isEmpty());

        // The same ways in work once the password is accepted.
        factories.login = [](QWidget*) { return true; };
        MainWindow w(f.dm(), s.services, factories);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(w.startUp());
        tryTheWayIn(w);
        QCOMPARE(standIns.registers, 1);
        QCOMPARE(standIns.statistics, 1);
        QCOMPARE(passwordChanges, 2);
        QCOMPARE(s.help.topics, QList<int>{333});
    }

    void loginDecidesWhetherTheProgramGoesOn()
    {
        DataFixture f;
        FakeServices s;
        WindowFactories refused;
        refused.login = [](QWidget*) { return false; };
        MainWindow w(f.dm(), s.services, refused);
        auto* splash = new QWidget;
        QPointer<QWidget> splashAlive(splash);
        QVERIFY(!w.startUp(splash));
        QVERIFY(!splashAlive); // the splash is gone before the login

        WindowFactories accepted;
        QWidget* loginParent = nullptr;
        accepted.login = [&](QWidget* parent) {
            loginParent = parent;
            return true;
        };
        MainWindow w2(f.dm(), s.services, accepted);
        QVERIFY(w2.startUp());
        QCOMPARE(loginParent, &w2);
        QCOMPARE(w2.documentArea()->tile().size(), QSize(200, 201));
    }

    void hintsSwitchStaysInStepWithItsMenuMark()
    {
        DataFixture f;
        FakeServices s;
        MainWindow w(f.dm(), s.services, {});
        QVERIFY(w.startUp());
        QAction* button = w.findAction("İpuçları düğmesi");
        QAction* menuItem = w.findAction("İpuçları");
        QVERIFY(button && menuItem && button != menuItem);
        QVERIFY(w.hintsOn() && w.hintsButtonDown() && w.hintsMenuChecked());

        button->trigger(); // the button pressed up
        QVERIFY(!w.hintsOn());
        QVERIFY(!w.hintsButtonDown());
        QVERIFY(!w.hintsMenuChecked());

        menuItem->trigger();
        QVERIFY(w.hintsOn() && w.hintsButtonDown() && w.hintsMenuChecked());
        menuItem->trigger();
        QVERIFY(!w.hintsOn() && !w.hintsButtonDown() && !w.hintsMenuChecked());
        button->trigger();
        QVERIFY(w.hintsOn() && w.hintsButtonDown() && w.hintsMenuChecked());

        // With hints off no pop-up hint appears.
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QWidget* registerButton = w.menuBand()->widgetForAction(w.findAction("Bilgi Bankası"));
        const auto askForTip = [&] {
            QHelpEvent tip(QEvent::ToolTip, QPoint(3, 3), registerButton->mapToGlobal(QPoint(3, 3)));
            QCoreApplication::sendEvent(registerButton, &tip);
        };
        menuItem->trigger();
        askForTip();
        QVERIFY(!QToolTip::isVisible());
        menuItem->trigger();
        askForTip();
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Bilgi Bankası"));
        QToolTip::hideText();
    }

    void hintOfTheControlUnderTheMouseGoesToPanelTwo()
    {
        DataFixture f;
        FakeServices s;
        MainWindow w(f.dm(), s.services, {});
        QVERIFY(w.startUp());
        w.show();
        QWidget* diaryButton = w.menuBand()->widgetForAction(w.findAction("Takvim"));
        QCOMPARE(diaryButton->accessibleName(), QStringLiteral("Takvim ve Randevu"));
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(diaryButton, &enter);
        QCOMPARE(w.hintText(), QStringLiteral("Takvim ve Randevu"));
        // A screen reader hears both panels' captions and what they show.
        w.tick();
        QHash<QString, QString> heard;
        for (QWidget* panel : w.statusBar()->findChildren<QWidget*>())
            if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(panel))
                heard.insert(iface->text(QAccessible::Name), iface->text(QAccessible::Value));
        QCOMPARE(heard.value("İpucu"), QStringLiteral("Takvim ve Randevu"));
        QVERIFY(!w.clockText().isEmpty());
        QCOMPARE(heard.value("Tarih ve saat"), w.clockText());
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(diaryButton, &leave);
        QCOMPARE(w.hintText(), QString());

        // A control without a hint of its own shows the hint around it.
        auto* inner = new QWidget;
        auto* holder = new QWidget;
        holder->setToolTip(QStringLiteral("Kayıt No Bul"));
        inner->setParent(holder);
        w.documentArea()->addSubWindow(holder)->show();
        QCoreApplication::sendEvent(inner, &enter);
        QCOMPARE(w.hintText(), QStringLiteral("Kayıt No Bul"));

        // A menu item announces its hint; the status bar shows no other text.
        QStatusTipEvent tip(QStringLiteral("Şifre Değiştir !"));
        QCoreApplication::sendEvent(&w, &tip);
        QCOMPARE(w.hintText(), QStringLiteral("Şifre Değiştir !"));
        QVERIFY(w.statusBar()->currentMessage().isEmpty());
    }

    void statusClockShowsTurkishDateAndTime()
    {
        DataFixture f;
        FakeServices s;
        s.clock.set(QDateTime(QDate(2026, 12, 9), QTime(9, 30, 0)));
        MainWindow w(f.dm(), s.services, {});
        QVERIFY(w.startUp());
        w.tick();
        QCOMPARE(w.clockText(), QStringLiteral("09 Aralık 2026  09:30:00"));
        s.clock.set(QDateTime(QDate(2027, 2, 1), QTime(23, 5, 9)));
        w.tick();
        QCOMPARE(w.clockText(), QStringLiteral("01 Şubat 2027  23:05:09"));
        QCOMPARE(MainWindow::statusClockText(QDateTime(QDate(2027, 8, 31), QTime(0, 0, 0))),
                 QStringLiteral("31 Ağustos 2027  00:00:00"));
    }

    void timerTickRingsForAnAppointmentWhileTheSwitchIsDown()
    {
        DataFixture f;
        f.dm().database().exec(QStringLiteral("insert into \"Randevu\" (\"Tarih\", \"Saati\") values (?, ?)"),
                               {QStringLiteral("2026-12-09"), QStringLiteral("09:30")});
        FakeServices s;
        s.clock.set(QDateTime(QDate(2026, 12, 9), QTime(9, 30, 0)));
        MainWindow w(f.dm(), s.services, {});
        QVERIFY(w.startUp());
        QVERIFY(w.reminderSwitchDown());
        w.setReminderSwitch(false);
        w.tick();
        QVERIFY(s.sound.events.isEmpty());
        w.findAction("Alarm Açık/Kapalı")->trigger(); // pressed down again
        QVERIFY(w.reminderSwitchDown());
        w.tick();
        QCOMPARE(s.sound.events, QStringList{"play ring.wav x4"});
        QCOMPARE(s.launcher.started, QList<Program>{Program::Diary});
    }

    void backgroundTilesFromTheTopLeft()
    {
        const QSize tile(200, 201);
        // 643 × 476: columns 0..3, rows 0..2, the last ones cut at the edge.
        const QList<QRect> tiles = backgroundTiles(tile, QSize(643, 476));
        QCOMPARE(tiles.size(), 12);
        QCOMPARE(tiles.first(), QRect(0, 0, 200, 201));
        QCOMPARE(tiles[3], QRect(600, 0, 200, 201));
        QCOMPARE(tiles.last(), QRect(600, 402, 200, 201));
        QRegion covered;
        for (const QRect& r : tiles)
            covered += r;
        QVERIFY(covered.contains(QRect(0, 0, 643, 476)));
        // An area of whole tiles still gets the extra row and column.
        QCOMPARE(backgroundTiles(tile, QSize(400, 402)).size(), 9);
        QCOMPARE(backgroundTiles(tile, QSize(150, 100)), QList<QRect>{QRect(0, 0, 200, 201)});
        QVERIFY(backgroundTiles(tile, QSize(0, 0)).isEmpty());

        // Painted: the picture repeats unscaled every 200 × 201 pixels.
        DocumentArea area;
        QImage picture(tile, QImage::Format_RGB32);
        picture.fill(Qt::white);
        picture.setPixel(10, 20, qRgb(255, 0, 0));
        area.setTile(QPixmap::fromImage(picture));
        area.resize(643, 476);
        const QImage shot = area.viewport()->grab().toImage();
        QCOMPARE(shot.pixel(10, 20), qRgb(255, 0, 0));
        QCOMPARE(shot.pixel(210, 20), qRgb(255, 0, 0));
        QCOMPARE(shot.pixel(610, 221), qRgb(255, 0, 0));
        QCOMPARE(shot.pixel(11, 20), qRgb(255, 255, 255));
    }

    void cascadeKeepsSizesAndIconsLineTheBottom()
    {
        const QList<QPoint> places = cascadePositions(4, 30, QSize(400, 300), QSize(120, 90));
        QCOMPARE(places, (QList<QPoint>{{0, 0}, {30, 30}, {60, 60}, {90, 90}}));
        // A window that would start too low begins a new cascade.
        QCOMPARE(cascadePositions(3, 100, QSize(400, 300), QSize(120, 150)),
                 (QList<QPoint>{{0, 0}, {100, 100}, {0, 0}}));
        QCOMPARE(iconPositions({QSize(160, 30), QSize(160, 30), QSize(160, 30)}, QSize(400, 300)),
                 (QList<QPoint>{{0, 270}, {160, 270}, {0, 240}}));

        DataFixture f;
        FakeServices s;
        StandIns standIns;
        MainWindow w(f.dm(), s.services, standIns.factories());
        QVERIFY(w.startUp());
        w.show();
        QWidget* reg = w.registerCommand();
        QWidget* stats = w.statisticsCommand();
        frameOf(stats)->move(200, 150);
        const QSize regSize = frameOf(reg)->size();
        w.resize(800, 600);
        QTRY_COMPARE(frameOf(reg)->pos(), QPoint(0, 0));
        QVERIFY(frameOf(stats)->pos().x() > 0);
        QCOMPARE(frameOf(stats)->pos().x(), frameOf(stats)->pos().y());
        QCOMPARE(frameOf(reg)->size(), regSize);
    }

    void windowMenuListsTheOpenWindows()
    {
        DataFixture f;
        FakeServices s;
        StandIns standIns;
        MainWindow w(f.dm(), s.services, standIns.factories());
        QVERIFY(w.startUp());
        w.registerCommand();
        w.editorCommand();
        QMenu* windows = nullptr;
        for (QAction* a : w.menuBar()->actions())
            if (a->text() == QStringLiteral("&Pencere"))
                windows = a->menu();
        QVERIFY(windows);
        emit windows->aboutToShow();
        QStringList items;
        for (QAction* a : windows->actions())
            if (!a->isSeparator())
                items << a->text();
        QCOMPARE(items, (QStringList{"Ardarda Sırala", "Simgeleri Düzelt", "&1 Bilgi Bankası", "&2 Editor"}));
        // Choosing one brings it forward.
        windows->actions().at(3)->trigger();
        QCOMPARE(w.documentArea()->activeSubWindow()->widget()->windowTitle(), QStringLiteral("Bilgi Bankası"));
    }

    void dataWizardHandoverLeavesThePhotosFollowingTheRegister()
    {
        DataFixture f;
        f.addResident("Ali Kaya", 1);
        f.addResident("Veli Can", 2);
        f.dm().database().exec(QStringLiteral("insert into \"Foto\" (\"Kayitno\", \"Not\") values (1, 'birinci')"));
        f.dm().database().exec(QStringLiteral("insert into \"Foto\" (\"Kayitno\", \"Not\") values (2, 'ikinci')"));
        TDM2& dm = f.dm();
        // The register is filtered to one resident before the hand-over.
        TDM2::reopen(dm.Query2, QStringLiteral("select * from zelvarx where \"KayitNo\" = ?"), {2});
        QCOMPARE(dm.Query2->recordCount(), 1);
        FakeServices s;
        MainWindow w(dm, s.services, {});
        QVERIFY(w.startUp());

        w.findAction("Veri Sihirbazı")->trigger();
        QCOMPARE(s.launcher.started, QList<Program>{Program::DataWizard});
        QCOMPARE(dm.Query2->sql(), QStringLiteral("select * from zelvarx"));
        QCOMPARE(dm.Query2->recordCount(), 2);
        QVERIFY(dm.tbfoto->isActive() && dm.Table2->isActive());
        QCOMPARE(dm.tbfoto->master(), dm.Query2);

        dm.Query2->first();
        QCOMPARE(dm.tbfoto->value("Not").toString(), QStringLiteral("birinci"));
        dm.Query2->next();
        QCOMPARE(dm.tbfoto->value("Not").toString(), QStringLiteral("ikinci"));
        QCOMPARE(dm.tbfoto->recordCount(), 1);
    }
};

ZELVAR_TEST(MainWindowTest)
#include "tst_mainwindow.moc"
