// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// MainCommands: the main window's commands that other windows may run. The
// main window implements it and the window factories hand it to each window,
// so no window needs to know the main window's class.
#include <QList>

class QWidget;

namespace zelvar {

class MainCommands {
public:
    virtual ~MainCommands() = default;
    // The "Editor" command: brings the one editor window forward, or makes
    // and shows it. Returns the editor, or null when it could not be made.
    virtual QWidget* editorCommand() = 0;
    // The query window, shown modally over the given window; returns when it
    // is closed.
    virtual void queryWindowCommand(QWidget* over) = 0;
    // The open document windows' contents, in the order they were opened.
    virtual QList<QWidget*> documentWindows() const = 0;
};

} // namespace zelvar
