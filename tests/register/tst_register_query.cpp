// SPDX-License-Identifier: GPL-3.0-or-later
// The register window's "Sorgula" button asks the main window for the query
// window, shown over the register window.
#include "DataFixture.h"
#include "FindChild.h"
#include "TestRegistry.h"
#include "documents/PrintedForms.h"
#include "platform/fakes/FakeServices.h"
#include "register/RegisterMemory.h"
#include "register/TForm2.h"
#include "ui/MainCommands.h"

#include <QAbstractButton>
#include <QTest>

using namespace zelvar;
using zelvar::testing::child;
using zelvar::testing::DataFixture;

namespace {

class RecordingCommands : public MainCommands {
public:
    QWidget* editorCommand() override { return nullptr; }
    void queryWindowCommand(QWidget* over) override { queryOver << over; }
    QList<QWidget*> documentWindows() const override { return {}; }
    QList<QWidget*> queryOver;
};

} // namespace

class RegisterQueryTest : public QObject {
    Q_OBJECT
private slots:
    void queryButtonOpensTheQueryWindow()
    {
        DataFixture f;
        FakeServices s;
        RecordingCommands commands;
        RegisterMemory memory;
        PrintedForms forms;
        TForm2 w(f.dm(), s.services, memory, forms, &commands);
        QVERIFY(child<QAbstractButton>(w, "query")->isEnabled());
        child<QAbstractButton>(w, "query")->click();
        QCOMPARE(commands.queryOver, QList<QWidget*>{&w});

        // Without the main window's commands the button does nothing.
        TForm2 alone(f.dm(), s.services, memory, forms);
        child<QAbstractButton>(alone, "query")->click();
        QCOMPARE(commands.queryOver.size(), 1);
    }
};

ZELVAR_TEST(RegisterQueryTest)
#include "tst_register_query.moc"
