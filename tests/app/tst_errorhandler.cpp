// The application error handler: two messages, otherwise the sound alone.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "app/ErrorHandler.h"
#include "app/MainWindow.h"
#include "data/Errors.h"
#include "platform/fakes/FakeServices.h"

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
};

ZELVAR_TEST(ErrorHandlerTest)
#include "tst_errorhandler.moc"
