// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// WindowFactories: how the main window gets the windows that other parts of
// the program build. An empty member means the window is not available and
// its command does nothing.
#include <QWidget>
#include <functional>

#include "ui/MainCommands.h"

namespace zelvar {

class TDM2;
struct Services;

struct WindowFactories {
    // Document windows. Each creates the window's content widget; the main
    // window's commands are passed in, so that a window can run them (e.g. the
    // register window's certificate buttons running the editor command), and
    // the main window puts the widget into its document area and shows it. The caption
    // finds an open window again: "Bilgi Bankası", "İstatistik ve Raporlar",
    // and for the editor any caption beginning with "E".
    std::function<QWidget*(MainCommands& commands)> registerWindow;
    std::function<QWidget*(MainCommands& commands)> statisticsWindow;
    std::function<QWidget*(MainCommands& commands)> editorWindow;

    // The password login at start: shows it modally over the given parent;
    // false ends the program.
    std::function<bool(QWidget* parent)> login;
    // Modal dialogs: each shows its window, waits for it and destroys it.
    std::function<void(QWidget* parent)> settings;
    std::function<void(QWidget* parent)> passwordChange;

    // A new clock window; the main window shows it. Any number may be open.
    std::function<QWidget*()> clockWindow;
    // The query window, shown modally over the given window.
    std::function<void(MainCommands& commands, QWidget* over)> queryWindow;
};

// The windows of this program, built over the data module and the services.
WindowFactories makeWindowFactories(TDM2& dm, const Services& services);

} // namespace zelvar
