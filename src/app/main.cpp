// Zelvar 2001: start-up. Opens the data folder, shows the splash while the
// tables open, runs the password login and the main window.
#include "app/Artwork.h"
#include "app/MainWindow.h"
#include "app/SplashWindow.h"
#include "app/WindowFactories.h"
#include "app/ZelvarApplication.h"
#include "data/Errors.h"
#include "data/TDM2.h"
#include "documents/PrintedForms.h"
#include "platform/HelpWindow.h"
#include "platform/ProcessLauncher.h"
#include "platform/QtPrinting.h"
#include "platform/QtPrompter.h"
#include "platform/QtSound.h"
#include "ui/PleaseWaitWindow.h"
#include "ui/Resources.h"

#include <QCommandLineParser>
#include <QDir>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QStandardPaths>
#include <memory>

using namespace zelvar;

namespace {

QString dataFolder(const QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Zelvar 2001 - Muhtarlık kayıt programı"));
    parser.addHelpOption();
    const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                     QStringLiteral("Verilerin tutulduğu klasör (data folder)."),
                                     QStringLiteral("DIR"));
    parser.addOption(dataDir);
    parser.process(app);
    if (parser.isSet(dataDir))
        return QDir(parser.value(dataDir)).absolutePath();
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/zorp");
}

} // namespace

int main(int argc, char** argv)
{
    ZelvarApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    ZelvarApplication::loadTurkishTranslation(app);
    zelvar::initResources();
    QApplication::setApplicationName(QStringLiteral("Zelvar 2001"));
    QApplication::setWindowIcon(artwork::programIcon());
    // The program ends when its main window closes, whatever else is open.
    QApplication::setQuitOnLastWindowClosed(false);
    const QString folder = dataFolder(app);

    QtPrompter prompter;
    QtSound sound;
    ProcessLauncher launcher;
    HelpWindow help;
    SystemClock clock;
    QtPrinting printing(prompter);
    const Services services{prompter, sound, launcher, help, clock, printing};

    // The splash stays up while the tables open; the main window destroys it.
    auto* splash = new SplashWindow;
    splash->showNow();

    std::unique_ptr<TDM2> dm;
    try {
        dm = std::make_unique<TDM2>(folder);
    } catch (const DataStoreError& e) {
        delete splash;
        prompter.message(e.message(), MessageKind::Error);
        return 2;
    } catch (const ZelvarError& e) {
        delete splash;
        prompter.message(e.message(), MessageKind::Error);
        return 2;
    }

    MainWindow mainWindow(*dm, services, makeWindowFactories(*dm, services));
    QObject::connect(&mainWindow, &MainWindow::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    if (!mainWindow.startUp(splash))
        return 0;

    // The certificate and declaration forms, kept for the whole run.
    PrintedForms::instance();
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
