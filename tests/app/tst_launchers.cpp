// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's buttons that start other programs.
#include "DataFixture.h"
#include "FindChild.h"
#include "TestRegistry.h"
#include "app/ClockWindow.h"
#include "app/MainWindow.h"
#include "app/WindowFactories.h"
#include "platform/fakes/FakeServices.h"
#include "register/TForm2.h"
#include "ui/bound/DBEdit.h"

#include <QAction>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;

class LaunchersTest : public QObject {
    Q_OBJECT
private slots:
    void missingDesktopProgramsGiveTheirOwnMessages()
    {
        DataFixture f;
        FakeServices s;
        s.launcher.failing = {Program::Calculator, Program::WordProcessor, Program::MsWord,
                              Program::MsExcel,    Program::WebBrowser,    Program::MusicPlayer};
        MainWindow w(f.dm(), s.services, {});
        QVERIFY(w.startUp());

        // Each button through its action, as a click would run it.
        for (const char* text :
             {"Hesap Makinesi", "Kelime İşlemci", "MS Word", "MS Excel", "MS Internet Explorer", "WinAmp"}) {
            QAction* a = w.findAction(QString::fromUtf8(text));
            QVERIFY2(a, text);
            a->trigger();
        }
        QCOMPARE(s.launcher.started, s.launcher.failing);
        // The browser gives no message.
        QCOMPARE(s.prompter.texts(), (QStringList{"Window'un Hesap Makinesini Yüklü Değil !",
                                                  "Lütfen Wordpad Programını Yükleyiniz!", "Microsoft Word Bulunamadı!",
                                                  "Microsoft Excel Bulunamadı !", "WinAmp Programı Yüklü Değil !"}));
        QCOMPARE(s.prompter.shown[2].kind, MessageKind::Warning);
        QCOMPARE(s.prompter.shown[3].kind, MessageKind::Warning);
        for (const ShownDialog& d : s.prompter.shown)
            QCOMPARE(d.buttons, Buttons::Ok);
    }

    void startedProgramsAndCompanionsAreSilent()
    {
        DataFixture f;
        FakeServices s;
        MainWindow w(f.dm(), s.services, {});
        QVERIFY(w.startUp());
        w.calculatorCommand();
        w.msExcelCommand();
        QVERIFY(s.prompter.shown.isEmpty());

        // Companions never give a message, whether they start or not.
        s.launcher.started.clear();
        s.launcher.failing = {Program::AddressBook, Program::Diary, Program::Notebook};
        w.findAction("Adres Defteri")->trigger();
        w.findAction("Takvim")->trigger();
        w.findAction("Bilgi Defteri")->trigger();
        QCOMPARE(s.launcher.started, (QList<Program>{Program::AddressBook, Program::Diary, Program::Notebook}));
        QVERIFY(s.prompter.shown.isEmpty());
    }

    void shortcutsReachTheirCommands()
    {
        DataFixture f;
        FakeServices s;
        MainWindow w(f.dm(), s.services, {});
        QVERIFY(w.startUp());
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(s.launcher.started, QList<Program>{Program::AddressBook});
        QTest::keyClick(&w, Qt::Key_T, Qt::ControlModifier);
        QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(s.launcher.started, (QList<Program>{Program::AddressBook, Program::Diary, Program::Notebook}));
        QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(s.help.topics, QList<int>{333});
        QTest::keyClick(&w, Qt::Key_F1);
        QCOMPARE(s.help.topics, (QList<int>{333, 333}));
    }
    void menuKeysWinOverEditBoxes()
    {
        DataFixture f;
        FakeServices s;
        f.addResident("Ali Veli", 1);
        WindowFactories factories = makeWindowFactories(f.dm(), s.services);
        factories.login = nullptr;
        MainWindow w(f.dm(), s.services, factories);
        QVERIFY(w.startUp());
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));

        // "Bul" has the focus when the register opens; it does not take
        // Ctrl+A as select-all nor Ctrl+E as end of line.
        auto* reg = qobject_cast<TForm2*>(w.registerCommand());
        QVERIFY(reg);
        QLineEdit* find = testing::child<QLineEdit>(reg, "searchBox");
        find->setFocus();
        QTest::keyClicks(find, "Al");
        QTest::keyClick(find, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(s.launcher.started, QList<Program>{Program::AddressBook});
        QVERIFY(!find->hasSelectedText());
        s.prompter.answer(Answer::No);
        QTest::keyClick(find, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(s.prompter.texts(), QStringList{MainWindow::exitQuestion()});
        // An entry box of the register's pages and a clock window's box too.
        reg->showPage(TForm2::EntryPage);
        QTest::keyClick(testing::child<QWidget>(reg, "Adi"), Qt::Key_T, Qt::ControlModifier);
        auto* clock = qobject_cast<ClockWindow*>(w.clockCommand());
        QVERIFY(clock);
        QTest::keyClick(clock->hourBox(), Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(s.launcher.started, (QList<Program>{Program::AddressBook, Program::Diary, Program::Notebook}));
    }
};

ZELVAR_TEST(LaunchersTest)
#include "tst_launchers.moc"
