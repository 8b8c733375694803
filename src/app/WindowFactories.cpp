// Wires the program's windows to the main window. Every window that exists
// is handed over here; a member left empty makes its command do nothing.
#include "app/WindowFactories.h"

#include "app/ClockWindow.h"
#include "app/LoginWindow.h"
#include "app/PasswordChangeWindow.h"
#include "app/SettingsWindow.h"
#include "data/TDM2.h"
#include "documents/TEditor.h"
#include "platform/Services.h"
#include "query/TQSorgu.h"
#include "query/TSorgufrm.h"
#include "register/TForm2.h"
#include "reports/ListReports.h"
#include "reports/QueryReportsPage.h"
#include "reports/TAdres.h"

#include <memory>

namespace zelvar {

WindowFactories makeWindowFactories(TDM2& dm, const Services& services)
{
    // The windows keep their own copy of the bundle; it only holds references.
    Services s = services;
    WindowFactories f;
    f.registerWindow = [&dm, s](MainCommands& commands) mutable -> QWidget* { return new TForm2(dm, s, &commands); };
    // The list reports made at start-up live as long as the factories, which
    // is the whole run; every statistics window prints through them.
    auto reports = std::make_shared<ListReports>();
    auto queryList = std::make_shared<TQSorgu>();
    f.statisticsWindow = [&dm, s, reports, queryList](MainCommands&) mutable -> QWidget* {
        auto* window = new TAdres(dm, s, *reports);
        window->queryReportsPage()->setReport(queryList.get());
        return window;
    };
    f.editorWindow = [&dm, s](MainCommands&) -> QWidget* { return new TEditor(dm, s); };
    f.login = [&dm, s](QWidget* parent) mutable { return LoginWindow::run(dm, s, parent); };
    f.settings = [&dm, s](QWidget* parent) mutable {
        SettingsWindow window(dm, s, parent);
        window.exec();
    };
    f.passwordChange = [&dm, s](QWidget* parent) mutable {
        PasswordChangeWindow window(dm, s, parent);
        window.exec();
    };
    f.clockWindow = [s]() mutable -> QWidget* { return new ClockWindow(s); };
    f.queryWindow = [&dm, s](MainCommands&, QWidget* over) mutable {
        TSorgufrm window(dm, s, over);
        window.exec();
    };
    return f;
}

} // namespace zelvar
