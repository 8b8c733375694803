// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CompanionWindow: the frame every companion program shares, in the main
// program's look: its title and icon, a toolbar band of commands, a status
// bar. Every command runs guarded: a refusal shows its own sentence, a
// database or date error the system's message, nothing escapes into Qt.
// The window reads what it shows again whenever another program commits to
// the database, and comes to the front when the program is started again.
#include "companions/common/CompanionInfo.h"
#include "platform/Services.h"

#include <QMainWindow>
#include <functional>

class QLabel;
class QToolBar;

namespace zelvar {

class Database;
class DataChangeWatch;

class CompanionWindow : public QMainWindow {
    Q_OBJECT
public:
    CompanionWindow(const CompanionInfo& info, Database& db, const Services& services, QWidget* parent = nullptr);
    ~CompanionWindow() override;

    // Runs one command; false when it failed, after its message was shown.
    bool run(const std::function<void()>& command);

    // The program was started again on this folder with these options.
    void startedAgain(const QStringList& arguments);

    QToolBar* commandBar() const { return m_bar; }
    // Every command of the toolbar, found by its text.
    QAction* command(const QString& text) const;
    const CompanionInfo& info() const { return m_info; }

    static QString closeText() { return QStringLiteral("Kapat"); }

protected:
    // Reads everything the window shows again: another program changed the
    // database.
    virtual void reload() = 0;
    // What a second start asked for, beyond coming to the front.
    virtual void handleRequest(const CommandLine& commandLine) { Q_UNUSED(commandLine) }

    // A toolbar command running `handler` guarded.
    QAction* addCommand(const QString& text, const QIcon& icon, const QKeySequence& shortcut,
                        std::function<void()> handler);
    void addSeparator();
    // "Yeni", "Düzelt" and "Sil", the commands on records every companion has.
    void addRecordCommands(std::function<void()> add, std::function<void()> edit, std::function<void()> remove);
    // "Dışa Aktar" and "İçe Aktar", to and from files.
    void addFileCommands(std::function<void()> exportToFile, std::function<void()> importFromFile);
    // Ends the toolbar with the close command.
    void addCloseCommand();

    // Writes an exported file whole or not at all; a failure is told. True
    // when written.
    bool writeExport(const QString& path, const QByteArray& bytes);
    // The message after an import: "<n> <what> alındı." and, when some were
    // left out, the first of them and how many more.
    void tellImported(int added, const QString& what, const QStringList& skipped);
    static QString skippedList(const QStringList& skipped);
    // Tells that a command needs a record chosen in the list first.
    void askForChoice(const QString& what);
    // The status bar's first panel (what is shown) and second (a count).
    void setStatus(const QString& text);
    void setCount(const QString& text);

    Database& m_db;
    Services m_services;

private:
    CompanionInfo m_info;
    DataChangeWatch* m_watch;
    QToolBar* m_bar;
    QLabel* m_status;
    QLabel* m_count;
};

} // namespace zelvar
