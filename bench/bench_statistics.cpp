// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics run over a generated register: one pass over the counted
// fields. The floor is the sqlite3 shell running the run's own statement on
// the same file with its rows discarded, alternated with our runs.
//   bench_statistics [residents]
#include "BenchSupport.h"
#include "data/Database.h"
#include "reports/StatisticsRun.h"

#include <QCoreApplication>
#include <QDate>
#include <cstdio>

using namespace zelvar;
using namespace zelvar::bench;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int residents = argc > 1 ? atoi(argv[1]) : 100000;
    const QString folder = generatedFolder(residents);
    const QString file = databaseFile(folder);
    std::unique_ptr<Database> db = Database::openFolder(folder);
    const QDate today = QDate::currentDate();

    Samples ours;
    Samples floor;
    StatisticsOutcome outcome;
    for (int run = 0; run < 5; ++run) {
        ours.add(measure([&] {
            Statement source(db->handle(), statisticsSelect());
            outcome = runStatistics(source, today);
        }));
        floor.add(shellOnce(file, statisticsSelect()));
    }
    const int counted = outcome.counts.headcounts[Women] + outcome.counts.headcounts[Men];
    std::fprintf(stderr, "statistics: %d residents counted, %s\n", counted,
                 outcome.complete ? "complete" : "stopped at a blank birth date");
    // Over half a second the window shows its please-wait window.
    runRow(QStringLiteral("statistics run"), residents, ours, floor, Goal::ratio(1.5));
    return 0;
}
