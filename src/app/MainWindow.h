// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// MainWindow: the program's frame. A multiple-document window with the menu,
// the two toolbar bands "Menu  " and "Araç  ", the status bar with the clock
// and the hint, the tiled background and the one-second timer that drives the
// status clock and the appointment reminder. It opens every other window.
#include "app/AppointmentReminder.h"
#include "app/HintHandler.h"
#include "app/WindowFactories.h"
#include "app/WindowGuard.h"
#include "platform/Services.h"
#include "ui/Artwork.h"
#include "ui/ErrorHandler.h"
#include "ui/MainCommands.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

namespace zelvar {

class DocumentArea;
class RecordsSafety;
class TDM2;
class ValueLabel;

class MainWindow : public QMainWindow, public MainCommands {
    Q_OBJECT
public:
    MainWindow(TDM2& dm, const Services& services, WindowFactories factories, QWidget* parent = nullptr);
    ~MainWindow() override;

    static QString caption() { return QStringLiteral("Zelvar 2001 s.5.01"); }
    static QString exitQuestion() { return QStringLiteral("Programdan Çıkmak İstiyor musunuz?"); }
    static constexpr int kHelpTopic = 333;
    static constexpr int kWizardWaitMs = 500;
    // The status clock's text: "dd MMMM yyyy  hh:mm:ss" with Turkish months.
    static QString statusClockText(const QDateTime& now);

    // The creation step: installs the hint handler, destroys the
    // splash, runs the password login, cascades and lays the background.
    // False when the login ends the program.
    bool startUp(QWidget* splash = nullptr);

    DocumentArea* documentArea() const { return m_area; }
    // The editor window while it is open; the certificate texts write into it.
    QWidget* editorWindow() const { return m_editorGuard.remembered(); }
    QWidget* registerWindow() const { return m_registerGuard.remembered(); }
    QWidget* statisticsWindow() const { return m_statisticsGuard.remembered(); }

    // True once the password has been accepted; until then no command of
    // the frame answers, by mouse, key or accessibility interface.
    bool commandsEnabled() const { return m_commandsEnabled; }

    // State the status bar and the toolbar show.
    QString clockText() const;
    QString hintText() const;
    bool reminderSwitchDown() const;
    void setReminderSwitch(bool down);
    bool hintsOn() const { return m_hints.popupsEnabled(); }
    bool hintsButtonDown() const;
    bool hintsMenuChecked() const;
    HintHandler& hintHandler() { return m_hints; }
    // Backups, restore and the start-up check of the database.
    RecordsSafety& recordsSafety() { return *m_safety; }

    QList<QWidget*> documentWindows() const override;

    // Every action of the menu and the toolbars, found by its menu text or,
    // for the toolbar-only switches, by its hint.
    QAction* findAction(const QString& text) const;
    QToolBar* menuBand() const { return m_menuBand; }
    QToolBar* toolBand() const { return m_toolBand; }

signals:
    // The main window has closed; the program ends.
    void closed();

public slots:
    // "Çık": asks, and on Yes beeps and closes the program.
    void exitCommand();
    // The three document windows, each kept single.
    QWidget* registerCommand();
    QWidget* statisticsCommand();
    QWidget* editorCommand() override;
    void queryWindowCommand(QWidget* over) override;
    // Companion programs.
    void addressBookCommand();
    void diaryCommand();
    void notebookCommand();
    // Hands the photo tables to the data wizard and takes them back.
    void dataWizardCommand();
    QWidget* clockCommand();
    void settingsCommand();
    void passwordChangeCommand();
    // The hints switch: the toolbar button and its menu item stay in step.
    void hintsButtonClicked();
    void hintsMenuClicked();
    // Desktop programs, each with its own message when it is missing.
    void calculatorCommand();
    void wordPadCommand();
    void msWordCommand();
    void msExcelCommand();
    void browserCommand();
    void musicPlayerCommand();
    void cascadeCommand();
    void arrangeIconsCommand();
    void helpCommand();
    void aboutCommand();
    // One tick of the one-second timer: the reminder, then the status clock.
    void tick();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QAction* makeAction(const QString& text, const QString& hint, const QKeySequence& shortcut,
                        std::function<void()> handler);
    void buildActions();
    void buildMenus();
    void buildToolBars();
    void buildStatusBar();
    void addButton(QToolBar* band, QAction* action, artwork::Icon icon);
    void fillWindowMenu();
    QStringList companionArguments() const;
    void startCompanion(Program program);
    void startProgram(Program program, const QString& failure, MessageKind kind);
    void installHandlers();
    void setCommandsEnabled(bool enabled);
    bool isMenuKey(const QKeyEvent* event) const;
    bool isInProgram(QObject* object) const;
    static void waitWithoutInput(int ms);
    bool closeDocumentWindows();

    TDM2& m_dm;
    Services m_services;
    WindowFactories m_factories;
    HintHandler m_hints;
    AppointmentReminder m_reminder;

    DocumentArea* m_area;
    WindowGuard m_registerGuard;
    WindowGuard m_statisticsGuard;
    WindowGuard m_editorGuard;
    QTimer* m_timer;

    QToolBar* m_menuBand = nullptr;
    QToolBar* m_toolBand = nullptr;
    QMenu* m_windowMenu = nullptr;
    ValueLabel* m_clockPanel = nullptr;
    ValueLabel* m_hintPanel = nullptr;
    QLabel* m_emptyPanel = nullptr;

    QList<QAction*> m_actions;
    RecordsSafety* m_safety = nullptr;
    QAction* m_backupNow = nullptr;
    QAction* m_restore = nullptr;
    bool m_commandsEnabled = false;
    QAction* m_exit = nullptr;
    QAction* m_register = nullptr;
    QAction* m_statistics = nullptr;
    QAction* m_editor = nullptr;
    QAction* m_addressBook = nullptr;
    QAction* m_diary = nullptr;
    QAction* m_notebook = nullptr;
    QAction* m_dataWizard = nullptr;
    QAction* m_clock = nullptr;
    QAction* m_settings = nullptr;
    QAction* m_passwordChange = nullptr;
    QAction* m_hintsMenu = nullptr;
    QAction* m_hintsButton = nullptr;
    QAction* m_reminderSwitch = nullptr;
    QAction* m_calculator = nullptr;
    QAction* m_wordPad = nullptr;
    QAction* m_msWord = nullptr;
    QAction* m_msExcel = nullptr;
    QAction* m_browser = nullptr;
    QAction* m_musicPlayer = nullptr;
    QAction* m_cascade = nullptr;
    QAction* m_arrangeIcons = nullptr;
    QAction* m_help = nullptr;
    QAction* m_about = nullptr;
};

} // namespace zelvar
