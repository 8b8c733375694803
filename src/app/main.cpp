// SPDX-License-Identifier: GPL-3.0-or-later
// Zelvar 2001: start-up. Opens the data folder, shows the splash while the
// tables open, runs the password login and the main window.
#include "app/DataFolderOpening.h"
#include "app/MainWindow.h"
#include "app/SplashWindow.h"
#include "app/WindowFactories.h"
#include "data/Errors.h"
#include "data/TDM2.h"
#include "platform/CommandLine.h"
#include "platform/HelpWindow.h"
#include "platform/ProcessLauncher.h"
#include "platform/QtPrinting.h"
#include "platform/QtPrompter.h"
#include "platform/QtSound.h"
#include "platform/TurkishTranslation.h"
#include "ui/Artwork.h"
#include "ui/ErrorHandler.h"
#include "ui/PleaseWaitWindow.h"
#include "ui/ZelvarApplication.h"

#include <QIcon>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <memory>

using namespace zelvar;

int main(int argc, char** argv)
{
    // The command line is read before the window system is reached, so that
    // --help and --version answer on a console too.
    QCoreApplication::setApplicationName(QStringLiteral("Zelvar 2001"));
    QCoreApplication::setApplicationVersion(CommandLine::version());
    const CommandLine commandLine(CommandLine::arguments(argc, argv), QLocale::system());
    if (!commandLine.shouldRun())
        return commandLine.report();

    ZelvarApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    loadTurkishTranslation(app);
    QApplication::setApplicationName(QStringLiteral("Zelvar 2001"));
    // The installed program wears the icon of its menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zelvar.Zelvar"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.zelvar.Zelvar"), artwork::programIcon()));
    // The program ends when its main window closes, whatever else is open.
    QApplication::setQuitOnLastWindowClosed(false);
    const QString folder = commandLine.dataDir();

    QtPrompter prompter;
    QtSound sound;
    ProcessLauncher launcher;
    HelpWindow help;
    SystemClock clock;
    ErrorHandler errors(prompter, sound);
    QtPrinting printing(prompter, &errors);
    const Services services{prompter, sound, launcher, help, clock, printing, errors};

    // The splash stays up while the tables open; the main window destroys it.
    auto* splash = new SplashWindow;
    splash->showNow();

    // One program per data folder; the folder stays locked until the end.
    DataFolderOpening opening(folder);
    opening.offerRestore(prompter, clock);
    if (const int failed = opening.open()) {
        delete splash;
        if (!opening.messageShown())
            prompter.message(opening.message(), opening.messageKind());
        return failed;
    }
    TDM2* dm = opening.dm();

    MainWindow mainWindow(*dm, services, makeWindowFactories(*dm, services));
    QObject::connect(&mainWindow, &MainWindow::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    if (!mainWindow.startUp(splash))
        return 0;

    // Long jobs make their own; this one is kept hidden for the whole run.
    PleaseWaitWindow pleaseWait(&mainWindow);
    pleaseWait.hide();

    mainWindow.showMaximized();
    // Without a window manager nothing maximizes the window: fill the
    // screen by hand then.
    QTimer::singleShot(400, &mainWindow, [&mainWindow] {
        QScreen* screen = mainWindow.screen();
        if (screen && mainWindow.frameGeometry().width() < screen->availableGeometry().width() * 3 / 4)
            mainWindow.setGeometry(screen->availableGeometry());
    });
    return app.exec();
}
