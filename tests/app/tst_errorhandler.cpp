// The application error handler: two messages, otherwise the sound alone.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "app/MainWindow.h"
#include "data/Errors.h"
#include "platform/fakes/FakeServices.h"
#include "ui/ErrorHandler.h"
#include "ui/ZelvarApplication.h"

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

        handler.handle(std::make_exception_ptr(DateEntryError("31.02.2001")));
        QCOMPARE(s.sound.events, QStringList{"exclamation"});
        QCOMPARE(s.prompter.texts(), QStringList{"Lütfen Tarihleri Eksiksiz Giriniz !"});

        handler.handle(std::make_exception_ptr(EngineError("UNIQUE constraint failed")));
        QCOMPARE(s.prompter.lastText(), QStringLiteral("Bilgiyi Eksik veya Tekrar Girdiniz !"));
        QCOMPARE(s.prompter.shown.last().buttons, Buttons::Ok);

        // Everything else: the exclamation and nothing more.
        s.prompter.clear();
        s.sound.events.clear();
        handler.handle(std::make_exception_ptr(DatasetError("'abc' geçerli bir sayı değil")));
        handler.handle(std::make_exception_ptr(std::runtime_error("other")));
        handler.handle(std::make_exception_ptr(42));
        QCOMPARE(s.sound.events, (QStringList{"exclamation", "exclamation", "exclamation"}));
        QVERIFY(s.prompter.shown.isEmpty());
    }

    void guardAbandonsTheOperationAndGoesOn()
    {
        FakeServices s;
        ErrorHandler handler(s.prompter, s.sound);
        int stepsDone = 0;
        const bool result = handler.guard([&] {
            ++stepsDone;
            throw EngineError("NOT NULL constraint failed");
            ++stepsDone;
            return true;
        });
        QVERIFY(!result);
        QCOMPARE(stepsDone, 1);
        QCOMPARE(s.prompter.texts(), QStringList{"Bilgiyi Eksik veya Tekrar Girdiniz !"});
        // A guarded operation that succeeds gives its own result, silently.
        QVERIFY(handler.guard([] { return true; }));
        QCOMPARE(s.sound.events.size(), 1);
    }
    void errorsEscapingEventsReachTheHandler()
    {
        // The application object routes every event; an error escaping a
        // key's handler is reported and the program goes on.
        auto* app = ZelvarApplication::instance();
        QVERIFY(app);
        testing::DataFixture f;
        FakeServices s;
        WindowFactories factories;
        factories.settings = [](QWidget*) { throw EngineError("UNIQUE constraint failed"); };
        factories.passwordChange = [](QWidget*) { throw DateEntryError("31.02.2001"); };
        int clocks = 0;
        factories.clockWindow = [&]() -> QWidget* {
            ++clocks;
            throw std::runtime_error("other");
        };
        {
            MainWindow w(f.dm(), s.services, factories);
            QVERIFY(w.startUp());
            QCOMPARE(app->errorHandler(), &w.errorHandler());
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
        }
        // The handler goes with its window; events pass through plainly again.
        QVERIFY(!app->errorHandler());
    }
};

ZELVAR_TEST(ErrorHandlerTest)
#include "tst_errorhandler.moc"
