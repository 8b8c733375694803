// SPDX-License-Identifier: GPL-3.0-or-later
// Wires the program's windows to the main window. Every window that exists
// is handed over here; a member left empty makes its command do nothing.
#include "app/WindowFactories.h"

#include "app/ClockWindow.h"
#include "app/LoginWindow.h"
#include "app/PasswordChangeWindow.h"
#include "app/SettingsWindow.h"
#include "data/TDM2.h"
#include "documents/PrintedForms.h"
#include "documents/TEditor.h"
#include "platform/Services.h"
#include "query/TQSorgu.h"
#include "query/TSorgufrm.h"
#include "register/RegisterMemory.h"
#include "register/TForm2.h"
#include "reports/ListReports.h"
#include "reports/QueryReportsPage.h"
#include "reports/TAdres.h"

#include <memory>

namespace zelvar {

WindowFactories makeWindowFactories(TDM2& dm, const Services& services)
{
    // The windows keep their own copy of the bundle; it only holds references.
    const Services s = services;
    WindowFactories f;
    // The report forms made at start-up live as long as the factories, which
    // is the whole run; every register and statistics window prints through
    // them. So does what the register remembers between its windows.
    auto forms = std::make_shared<PrintedForms>();
    auto memory = std::make_shared<RegisterMemory>();
    f.registerWindow = [&dm, s, forms, memory](MainCommands& commands) -> QWidget* {
        return new TForm2(dm, s, *memory, *forms, &commands);
    };
    auto reports = std::make_shared<ListReports>();
    auto queryList = std::make_shared<TQSorgu>();
    f.statisticsWindow = [&dm, s, reports, queryList](MainCommands&) -> QWidget* {
        auto* window = new TAdres(dm, s, *reports);
        window->queryReportsPage()->setReport(queryList.get());
        return window;
    };
    f.editorWindow = [&dm, s](MainCommands&) -> QWidget* { return new TEditor(dm, s); };
    f.login = [&dm, s](QWidget* parent) { return LoginWindow::run(dm, s, parent); };
    f.settings = [&dm, s](QWidget* parent) {
        SettingsWindow window(dm, s, parent);
        window.exec();
    };
    f.passwordChange = [&dm, s](QWidget* parent) {
        PasswordChangeWindow window(dm, s, parent);
        window.exec();
    };
    f.clockWindow = [s]() -> QWidget* { return new ClockWindow(s); };
    f.queryWindow = [&dm, s](MainCommands&, QWidget* over) {
        TSorgufrm window(dm, s, over);
        window.exec();
    };
    return f;
}

} // namespace zelvar
