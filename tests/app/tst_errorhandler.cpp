// SPDX-License-Identifier: GPL-3.0-or-later
// The application error handler: two messages, otherwise the sound alone;
// commands of the windows report their errors to it and the windows go on.
#include "DataFixture.h"
#include "FindChild.h"
#include "TestRegistry.h"
#include "app/MainWindow.h"
#include "data/Errors.h"
#include "documents/PrintedForms.h"
#include "platform/fakes/FakeServices.h"
#include "register/RegisterMemory.h"
#include "register/TForm2.h"
#include "ui/ErrorHandler.h"
#include "ui/ZelvarApplication.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <stdexcept>

using namespace zelvar;

class ErrorHandlerTest : public QObject {
    Q_OBJECT
private slots:
    void messagesByKindOfError()
    {
        FakeServices s;
        ErrorHandler handler(s.prompter, s.sound);

        handler.report(std::make_exception_ptr(DateEntryError("31.02.2001")));
        QCOMPARE(s.sound.events, QStringList{"exclamation"});
        QCOMPARE(s.prompter.texts(), QStringList{"Lütfen Tarihleri Eksiksiz Giriniz !"});

        handler.report(std::make_exception_ptr(EngineError("UNIQUE constraint failed")));
        QCOMPARE(s.prompter.lastText(), QStringLiteral("Bilgiyi Eksik veya Tekrar Girdiniz !"));
        QCOMPARE(s.prompter.shown.last().buttons, Buttons::Ok);

        // Everything else: the exclamation and nothing more.
        s.prompter.clear();
        s.sound.events.clear();
        handler.report(std::make_exception_ptr(DatasetError("'abc' geçerli bir sayı değil")));
        handler.report(std::make_exception_ptr(std::runtime_error("other")));
        handler.report(std::make_exception_ptr(42));
        QCOMPARE(s.sound.events, (QStringList{"exclamation", "exclamation", "exclamation"}));
        QVERIFY(s.prompter.shown.isEmpty());
    }

    void commandsAbandonedOnAnErrorReportIt()
    {
        FakeServices s;
        ErrorHandler handler(s.prompter, s.sound);
        const Services services{s.prompter, s.sound, s.launcher, s.help, s.clock, s.printing, handler};
        int stepsDone = 0;
        runCommand(&handler, [&] {
            ++stepsDone;
            throw EngineError("NOT NULL constraint failed");
        });
        QCOMPARE(stepsDone, 1);
        QCOMPARE(s.prompter.texts(), QStringList{"Bilgiyi Eksik veya Tekrar Girdiniz !"});

        // The main window's commands, by key and by button: each error is
        // reported and the window goes on.
        testing::DataFixture f;
        WindowFactories factories;
        factories.settings = [](QWidget*) { throw EngineError("UNIQUE constraint failed"); };
        factories.passwordChange = [](QWidget*) { throw DateEntryError("31.02.2001"); };
        int clocks = 0;
        factories.clockWindow = [&]() -> QWidget* {
            ++clocks;
            throw std::runtime_error("other");
        };
        s.prompter.clear();
        s.sound.events.clear();
        MainWindow w(f.dm(), services, factories);
        QVERIFY(w.startUp());
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_M, Qt::ControlModifier);
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(s.prompter.texts(),
                 (QStringList{"Bilgiyi Eksik veya Tekrar Girdiniz !", "Lütfen Tarihleri Eksiksiz Giriniz !"}));
        QWidget* clockButton = w.menuBand()->widgetForAction(w.findAction("Saat"));
        QTest::mouseClick(clockButton, Qt::LeftButton);
        QCOMPARE(clocks, 1);
        QCOMPARE(s.sound.events, (QStringList{"exclamation", "exclamation", "exclamation"}));
        QCOMPARE(s.prompter.shown.size(), 2);
        QVERIFY(w.isVisible());
        QTest::mouseClick(clockButton, Qt::LeftButton);
        QCOMPARE(clocks, 2);
    }

    void registerWindowReportsItsErrorsAndGoesOn()
    {
        // A button's command and a bound box's write fail inside Qt's event
        // handling; each error is told through the handler, and the window
        // works on afterwards.
        testing::DataFixture f;
        f.addResident("Ali Veli", 1);
        FakeServices s;
        ErrorHandler handler(s.prompter, s.sound);
        const Services services{s.prompter, s.sound, s.launcher, s.help, s.clock, s.printing, handler};
        RegisterMemory memory;
        PrintedForms forms;
        TForm2 w(f.dm(), services, memory, forms);
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.showPage(TForm2::EntryPage);

        f.dm().database().exec("create trigger keep before update on zelvarx begin select raise(abort, 'kept'); end");
        auto* father = testing::child<QLineEdit>(w, "BabaAdi");
        father->setFocus();
        QTest::keyClicks(father, "Hasan");
        testing::child<QPushButton>(w, "saveButton")->click();
        QCOMPARE(s.prompter.texts(), QStringList{ErrorHandler::engineMessage()});
        QVERIFY(f.dm().Query2->isEditing()); // the record waits to be saved again

        auto* born = testing::child<QLineEdit>(w, "DogTar");
        born->setFocus();
        QTest::keyClicks(born, "1203");
        testing::child<QLineEdit>(w, "AnaAdi")->setFocus();
        QCOMPARE(s.prompter.lastText(), ErrorHandler::dateMessage());
        QTRY_VERIFY(born->hasFocus()); // back to the date that was refused

        f.dm().database().exec("drop trigger keep");
        born->selectAll();
        QTest::keyClick(born, Qt::Key_Delete);
        QTest::keyClicks(born, "12031980");
        QTest::keyClick(born, Qt::Key_F10);
        QCOMPARE(s.prompter.shown.size(), 2);
        QCOMPARE(s.sound.events.count("exclamation"), 2);
        QCOMPARE(f.dm().database().scalar("select BabaAdi || ' ' || DogTar from zelvarx").toString(),
                 QString("Hasan 1980-03-12"));
    }
};

ZELVAR_TEST(ErrorHandlerTest)
#include "tst_errorhandler.moc"
