// SPDX-License-Identifier: GPL-3.0-or-later
// zelvar-sihirbaz, the data wizard: the step-by-step window, or an import or
// export run from the command line (see --help).
#include "data/DataFolderLock.h"
#include "data/Database.h"
#include "platform/QtPrompter.h"
#include "platform/TurkishTranslation.h"
#include "wizard/engine/WizardCommand.h"
#include "wizard/window/WizardWindow.h"

#include <QApplication>
#include <QLocale>
#include <QTextStream>
#include <cstdio>

using namespace zelvar;
using namespace zelvar::wizard;

namespace {

int runWindow(int argc, char** argv, const WizardCommand& command)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    // Qt's own dialogs in Turkish ("Evet", "Hayır", "İptal").
    loadTurkishTranslation(app);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zelvar.Zelvar"));
    QtPrompter prompter;
    SystemClock clock;
    try {
        const QString folder = Database::prepareFolder(command.dataDir());
        // One wizard per data folder; the main program keeps its own lock
        // and may go on running beside it.
        DataFolderLock lock(folder, WizardCommand::lockFileName());
        if (lock.take() != DataFolderLock::Result::Taken) {
            prompter.message(WizardCommand::alreadyRunningMessage(folder), MessageKind::Warning);
            return WizardCommand::kNothingDone;
        }
        auto db = Database::openFolder(folder);
        WizardWindow window(*db, folder, prompter, clock);
        window.show();
        return app.exec();
    } catch (const ZelvarError& e) {
        prompter.message(e.message(), MessageKind::Error);
        return WizardCommand::kNothingDone;
    }
}

} // namespace

int main(int argc, char** argv)
{
    // The main program's name, so that the default data folder is its own.
    QCoreApplication::setApplicationName(QStringLiteral("Zelvar 2001"));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const WizardCommand command(arguments, QLocale::system());
    switch (command.mode()) {
    case WizardCommand::Mode::Answered:
        return command.report();
    case WizardCommand::Mode::Window:
        return runWindow(argc, argv, command);
    case WizardCommand::Mode::Import:
    case WizardCommand::Mode::Export:
        break;
    }
    // Pictures are converted without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = command.run(out, err, QDateTime::currentDateTime());
    out.flush();
    err.flush();
    return code;
}
