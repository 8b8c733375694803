// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up to the login window: the program's own start (data module, main
// window, login) in a fresh process each run, timed from just before the
// process starts to the first paint of the login window. The floor, in a
// fresh process too and alternated with ours, does the same work without
// our code: a Qt application, the same database file opened and its tables
// listed, and a window of the login's widgets painted. The time to an idle
// login window is measured in bench_window.
//   bench_startup [residents]
#include "BenchSupport.h"
#include "app/LoginWindow.h"
#include "app/MainWindow.h"
#include "app/SplashWindow.h"
#include "app/WindowFactories.h"
#include "data/Database.h"
#include "data/TDM2.h"
#include "platform/HelpWindow.h"
#include "platform/ProcessLauncher.h"
#include "platform/QtPrinting.h"
#include "platform/QtPrompter.h"
#include "platform/QtSound.h"
#include "platform/TurkishTranslation.h"
#include "ui/ErrorHandler.h"
#include "ui/ZelvarApplication.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <ctime>
#include <memory>

using namespace zelvar;
using namespace zelvar::bench;

namespace {

// The system's monotonic clock in ms: the same in the parent and the child.
double monotonicMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Watches for the login window's first paint, notes the time and ends the
// login as its Cancel button would.
class LoginWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* login = qobject_cast<LoginWindow*>(watched);
        if (login && event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            std::printf("login %.3f %.3f %.1f\n", monotonicMs(), processCpuMs(), peakMb());
            std::fflush(stdout);
            QTimer::singleShot(0, login, [login] { login->cancel(); });
        }
        return false;
    }

private:
    bool m_seen = false;
};

// The child: main.cpp's steps up to the login.
int startUp(int argc, char** argv, const QString& folder)
{
    ZelvarApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    loadTurkishTranslation(app);
    QtPrompter prompter;
    QtSound sound;
    ProcessLauncher launcher;
    HelpWindow help;
    SystemClock clock;
    QtPrinting printing(prompter);
    ErrorHandler errors(prompter, sound);
    const Services services{prompter, sound, launcher, help, clock, printing, errors};
    LoginWatch watch;
    app.installEventFilter(&watch);
    auto* splash = new SplashWindow;
    splash->showNow();
    TDM2 dm(folder);
    MainWindow mainWindow(dm, services, makeWindowFactories(dm, services));
    mainWindow.startUp(splash);
    return 0;
}

// The floor's child: a bare start up to a painted window of the login's
// widgets.
int bareStart(int argc, char** argv, const QString& folder)
{
    QApplication app(argc, argv);
    auto db = Database::openFolder(folder);
    Statement tables(db->handle(), QStringLiteral("select * from sqlite_master"));
    while (tables.step())
        for (int c = 0; c < tables.columnCount(); ++c)
            tables.column(c);
    QDialog dialog;
    dialog.resize(420, 260);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Şifreniz ?")));
    layout->addWidget(new QLineEdit);
    layout->addWidget(new QPushButton(QStringLiteral("Tamam")));
    layout->addWidget(new QPushButton(QStringLiteral("İptal")));
    struct FirstPaint : QObject {
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && watched->isWidgetType() &&
                static_cast<QWidget*>(watched)->isWindow()) {
                std::printf("login %.3f %.3f %.1f\n", monotonicMs(), processCpuMs(), peakMb());
                std::fflush(stdout);
                QTimer::singleShot(0, qApp, &QCoreApplication::quit);
                qApp->removeEventFilter(this);
            }
            return false;
        }
    } watch;
    app.installEventFilter(&watch);
    dialog.show();
    return app.exec();
}

// One start in a child process: wall from before the start to the login's
// paint, the child's CPU time and peak memory then.
Sample oneStart(const QString& self, const QString& folder, double* peak, bool bare = false)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    const double before = monotonicMs();
    child.start(self, {bare ? QStringLiteral("--bare") : QStringLiteral("--child"), folder});
    child.waitForFinished(60000);
    const QStringList parts = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char(' '));
    if (parts.size() < 4 || parts[0] != QLatin1String("login"))
        return {-1, -1};
    *peak = parts[3].toDouble();
    return {parts[1].toDouble() - before, parts[2].toDouble()};
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 2 && QByteArray(argv[1]) == "--child")
        return startUp(argc, argv, QString::fromLocal8Bit(argv[2]));
    if (argc > 2 && QByteArray(argv[1]) == "--bare")
        return bareStart(argc, argv, QString::fromLocal8Bit(argv[2]));

    QCoreApplication app(argc, argv);
    const int residents = argc > 1 ? atoi(argv[1]) : 100000;
    const QString folder = generatedFolder(residents);
    const QString self = QCoreApplication::applicationFilePath();

    Samples ours;
    Samples floor;
    double peak = 0;
    double barePeak = 0;
    oneStart(self, folder, &peak); // warms the file and the libraries
    for (int run = 0; run < 7; ++run) {
        ours.add(oneStart(self, folder, &peak));
        floor.add(oneStart(self, folder, &barePeak, true));
    }
    runRow(QStringLiteral("start-up to the login window's first paint"), residents, ours, floor, Goal::ms(300));
    memoryRow(QStringLiteral("start-up to the login window, VmHWM"), residents, peak, barePeak, Goal());
    return 0;
}
