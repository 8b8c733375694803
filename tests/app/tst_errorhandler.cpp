// The application error handler: two messages, otherwise the sound alone.
#include "TestRegistry.h"
#include "app/ErrorHandler.h"
#include "data/Errors.h"
#include "platform/fakes/FakeServices.h"

#include <QTest>

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
};

ZELVAR_TEST(ErrorHandlerTest)
#include "tst_errorhandler.moc"
