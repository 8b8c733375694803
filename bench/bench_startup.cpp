// Start-up to the login window: the program's own start (data module, main
// window, login) in a fresh process each run, timed from just before the
// process starts to the first paint of the login window. The floor is the
// same start on an empty register, alternated with ours: what the register's
// size adds is the difference.
//   bench_startup [residents]
#include "BenchSupport.h"
#include "app/LoginWindow.h"
#include "app/MainWindow.h"
#include "app/SplashWindow.h"
#include "app/WindowFactories.h"
#include "app/ZelvarApplication.h"
#include "data/TDM2.h"
#include "platform/HelpWindow.h"
#include "platform/ProcessLauncher.h"
#include "platform/QtPrinting.h"
#include "platform/QtPrompter.h"
#include "platform/QtSound.h"
#include "platform/TurkishTranslation.h"
#include "ui/ErrorHandler.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
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

// One start in a child process: wall from before the start to the login's
// paint, the child's CPU time and peak memory then.
Sample oneStart(const QString& self, const QString& folder, double* peak)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    const double before = monotonicMs();
    child.start(self, {QStringLiteral("--child"), folder});
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

    QCoreApplication app(argc, argv);
    const int residents = argc > 1 ? atoi(argv[1]) : 100000;
    const QString folder = generatedFolder(residents);
    QTemporaryDir empty;
    copyDatabase(generatedFolder(0), empty.path());
    const QString self = QCoreApplication::applicationFilePath();

    Samples ours;
    Samples floor;
    double peak = 0;
    double emptyPeak = 0;
    oneStart(self, folder, &peak); // warms the file and the libraries
    for (int run = 0; run < 7; ++run) {
        ours.add(oneStart(self, folder, &peak));
        floor.add(oneStart(self, empty.path(), &emptyPeak));
    }
    runRow(QStringLiteral("start-up to the login window (floor: empty register)"), residents, ours, floor,
           Goal::ms(300));
    memoryRow(QStringLiteral("start-up to the login window, VmHWM"), residents, peak, emptyPeak, Goal());
    return 0;
}
