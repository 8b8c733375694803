// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/common/CompanionMain.h"

#include "companions/common/CompanionFolder.h"
#include "companions/common/CompanionWindow.h"
#include "companions/common/SingleCopy.h"
#include "platform/HelpWindow.h"
#include "platform/ProcessLauncher.h"
#include "platform/QtPrinting.h"
#include "platform/QtPrompter.h"
#include "platform/QtSound.h"
#include "platform/TurkishTranslation.h"
#include "ui/ErrorHandler.h"
#include "ui/ZelvarApplication.h"

#include <QGuiApplication>
#include <QScreen>

namespace zelvar {

int runCompanion(int argc, char** argv, const CompanionInfo& info, const CompanionWindowMaker& makeWindow)
{
    // The application's name places the default data folder: the main
    // program's own.
    QCoreApplication::setApplicationName(QStringLiteral("Zelvar 2001"));
    QCoreApplication::setApplicationVersion(CommandLine::version());
    const CommandLine commandLine(CommandLine::arguments(argc, argv), QLocale::system(), info.description);
    if (!commandLine.shouldRun())
        return commandLine.report();

    ZelvarApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    loadTurkishTranslation(app);
    QGuiApplication::setApplicationDisplayName(info.title);
    QApplication::setWindowIcon(artwork::icon(info.icon));

    QtPrompter prompter;
    QtSound sound;
    ProcessLauncher launcher;
    HelpWindow help;
    SystemClock clock;
    ErrorHandler errors(prompter, sound);
    QtPrinting printing(prompter, &errors);
    const Services services{prompter, sound, launcher, help, clock, printing, errors};

    CompanionFolder folder(commandLine.dataDir(), info);
    switch (folder.open()) {
    case CompanionFolder::Result::Opened:
        break;
    case CompanionFolder::Result::AlreadyRunning:
        // The running copy comes to the front and shows what was asked.
        if (SingleCopy::handOver(info.executable, folder.folder(), commandLine.forwarded()))
            return 0;
        prompter.message(folder.message(), MessageKind::Warning);
        return 1;
    case CompanionFolder::Result::Failed:
        prompter.message(folder.message(), MessageKind::Error);
        return 2;
    }

    std::unique_ptr<CompanionWindow> window = makeWindow(folder.database(), services, commandLine);
    SingleCopy copy(info.executable, folder.folder());
    QObject::connect(&copy, &SingleCopy::requested, window.get(), &CompanionWindow::startedAgain);
    copy.listen();

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect room = screen->availableGeometry();
        window->resize(window->size().boundedTo(room.size()));
        window->move(room.center() - window->rect().center());
    }
    window->show();
    return app.exec();
}

} // namespace zelvar
