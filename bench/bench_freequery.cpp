// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics window's free query on a generated register, driven through
// the shown page: how long the window stands still while a query of minutes
// runs, how soon "İptal" stops it and what it cost in CPU; and the peak
// memory of the queries that ask for gigabytes, each in a process of its
// own, against the same page running "Adi" alone.
//
// The old way, the query run on the window's own thread without limits, is
// measured beside it with "old": the window then stands still until the
// query ends (give it a few minutes).
//
// Usage: bench_freequery [residents] [old]
#include "BenchSupport.h"
#include "SilentServices.h"
#include "data/Dataset.h"
#include "data/QueryDialect.h"
#include "data/TDM2.h"
#include "query/TQSorgu.h"
#include "reports/QueryReportsPage.h"
#include "ui/PleaseWaitWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <sqlite3.h>
#include <tuple>

using namespace zelvar;
using namespace zelvar::bench;

namespace {

const QString kCrossJoin = QStringLiteral("WHERE (SELECT count(*) FROM zelvarx a, zelvarx b, zelvarx c) > 0");

struct Case {
    const char* name;
    const char* columns;
    const char* condition;
};
const Case kMemoryCases[] = {
    {"Adi alone (the page's own floor)", "Adi", ""},
    {"Adi, randomblob(1000000000)", "Adi, randomblob(1000000000)", ""},
    {"printf('%.*c',1e9,'x') in the condition", "Adi", "WHERE Adi <> printf('%.*c',1e9,'x')"},
    {"Adi, Sokak, EvNo of every resident", "Adi, Sokak, EvNo", ""},
};

// The longest time the event loop did not turn, seen by a 10 ms timer.
class StillWatch {
public:
    StillWatch()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_clock.start();
        m_timer.start(10);
    }
    qint64 longest() const { return m_longest; }

private:
    void tick()
    {
        const qint64 now = m_clock.elapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

// The old way: the statement run on the window's thread, without limits.
void liftLimits(TDM2& dm)
{
    sqlite3_limit(dm.queryDatabase().handle(), SQLITE_LIMIT_LENGTH, 1000000000);
    dm.Query7->setResultLimit(0);
}

int memoryCase(TDM2& dm, QueryReportsPage& page, int index, bool old)
{
    const Case& c = kMemoryCases[index];
    resetPeak();
    const double before = residentMb();
    if (old) {
        liftLimits(dm);
        try {
            runFreeQuery(*dm.Query7, QString::fromUtf8(c.columns), QString::fromUtf8(c.condition));
        } catch (const std::exception&) {
        }
    } else {
        page.columnsBox()->setText(QString::fromUtf8(c.columns));
        page.conditionBox()->setEditText(QString::fromUtf8(c.condition));
        page.query();
    }
    std::printf("%.1f %.1f %d\n", before, peakMb(), dm.Query7->recordCount());
    return 0;
}

// Runs one memory case in a process of its own: the resident size before the
// query and the peak, in MB, and the rows it found.
std::tuple<double, double, int> peakOf(const QString& self, int residents, int index, bool old)
{
    QProcess child;
    QStringList args{QString::number(residents), QStringLiteral("memory"), QString::number(index)};
    if (old)
        args << QStringLiteral("old");
    child.start(self, args);
    child.waitForFinished(600000);
    const QStringList figures = QString::fromUtf8(child.readAllStandardOutput()).trimmed().split(' ');
    if (figures.size() < 3)
        return {-1, -1, -1};
    return {figures[0].toDouble(), figures[1].toDouble(), figures[2].toInt()};
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int residents = argc > 1 ? atoi(argv[1]) : 2010;
    const bool memoryChild = argc > 3 && QByteArray(argv[2]) == "memory";
    const bool old = QCoreApplication::arguments().contains(QStringLiteral("old"));
    const QString folder = generatedFolder(residents);

    TDM2 dm(folder);
    SilentServices silent;
    TQSorgu report;
    QueryReportsPage page(dm, silent.services);
    page.setReport(&report);
    page.resize(640, 380);
    page.show();
    QApplication::processEvents();

    if (memoryChild)
        return memoryCase(dm, page, atoi(argv[3]), old);

    std::printf("Free query on %d residents (%s)\n", residents, qPrintable(folder));
    std::printf("  %s\n", qPrintable(kCrossJoin));
    page.columnsBox()->setText(QStringLiteral("Adi"));
    page.conditionBox()->setEditText(kCrossJoin);
    StillWatch still;
    QElapsedTimer clock;
    clock.start();
    const double cpuStart = processCpuMs();
    if (old) {
        liftLimits(dm);
        try {
            runFreeQuery(*dm.Query7, QStringLiteral("Adi"), kCrossJoin);
        } catch (const std::exception&) {
        }
        QApplication::processEvents();
        std::printf("  old way: the window stood still %lld ms; query %lld ms wall, %.0f ms CPU\n", still.longest(),
                    clock.elapsed(), processCpuMs() - cpuStart);
    } else {
        // "İptal" is pressed three seconds after the query starts.
        qint64 offeredAt = -1;
        qint64 cancelledAt = -1;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* wait = qobject_cast<PleaseWaitWindow*>(w);
                if (!wait || !wait->isVisible())
                    continue;
                if (offeredAt < 0)
                    offeredAt = clock.elapsed();
                if (cancelledAt < 0 && clock.elapsed() >= 3000) {
                    cancelledAt = clock.elapsed();
                    wait->cancelButton()->click();
                }
            }
        });
        poll.start(5);
        page.query();
        const qint64 returned = clock.elapsed();
        std::printf("  please-wait window with İptal shown after %lld ms\n", offeredAt);
        std::printf("  window stood still at most %lld ms while the query ran\n", still.longest());
        std::printf("  İptal at %lld ms; the page was back %lld ms later\n", cancelledAt, returned - cancelledAt);
        std::printf("  CPU of all threads until then: %.0f ms in %lld ms\n", processCpuMs() - cpuStart, returned);
    }

    std::printf("Peak memory (VmHWM) of one query in a process of its own\n");
    const QString self = QCoreApplication::applicationFilePath();
    for (int i = 0; i < int(std::size(kMemoryCases)); ++i) {
        if (old && i == 1) {
            // Without limits every row holds its gigabyte: measured once at
            // 20.9 GB before the system killed it. Not run again.
            std::printf("  %-44s not run the old way: grows until the system kills it\n", kMemoryCases[i].name);
            continue;
        }
        const auto [before, peak, rows] = peakOf(self, residents, i, old);
        std::printf("  %-44s %7.1f MB peak, %7.1f MB resident before it, +%.1f MB, %d rows\n", kMemoryCases[i].name,
                    peak, before, peak - before, rows);
    }
    return 0;
}
