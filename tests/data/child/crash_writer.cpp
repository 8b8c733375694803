// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper for the crash-safety test: saves residents, move-out entries
// and statistics runs through the program's own data layer in an endless
// loop and prints each one as soon as it is committed. The test kills it
// with SIGKILL at random moments.
//   crash_writer DATA_FOLDER
// Lines: "ready", "R n" (resident n saved), "M n" (resident n moved out),
// "S? counts" (a statistics run about to be stored), "S! counts" (stored).
#include "CrashRecords.h"
#include "data/Database.h"
#include "data/StatisticsStore.h"
#include "data/TDM2.h"
#include "platform/fakes/FakeServices.h"
#include "register/MoveOutOperations.h"
#include "reports/StatisticsRun.h"

#include <QCoreApplication>
#include <QFont>
#include <cstdio>

using namespace zelvar;

namespace {

void say(const QString& line)
{
    std::fputs(qPrintable(line + '\n'), stdout);
    std::fflush(stdout);
}

QString countsText(const StatisticsCounts& c)
{
    QStringList values;
    for (int v : c.headcounts)
        values << QString::number(v);
    for (int v : c.ageBrackets)
        values << QString::number(v);
    return values.join(' ');
}

void saveResident(TDM2& dm)
{
    const int n = dm.nextRecordNumber();
    Dataset* q = dm.Query2;
    q->insert();
    q->setValue(QStringLiteral("KayitNo"), n);
    const QVariantMap fields = crashtest::residentFields(n);
    for (auto it = fields.begin(); it != fields.end(); ++it)
        q->setValue(it.key(), it.value());
    q->post();
    say(QStringLiteral("R %1").arg(n));
}

void moveOneOut(TDM2& dm, FakeServices& fake, MoveOutOperations& moveOut)
{
    const QVariant next = dm.database().scalar(
        QStringLiteral("select KayitNo from zelvarx where coalesce(Nakil, '') <> '1' order by KayitNo limit 1"));
    if (next.isNull() || !dm.Query2->locate(QStringLiteral("KayitNo"), next))
        return;
    fake.prompter.answer(Answer::Yes);
    if (moveOut.addCurrentResident().showMoveOutPage)
        say(QStringLiteral("M %1").arg(next.toInt()));
}

// Stores a run the way the statistics window does: through the statistics
// store, both tables in one transaction.
void storeStatistics(StatisticsStore& statistics)
{
    const StatisticsOutcome outcome = runStatistics(statistics.source(), QDate(2026, 12, 9));
    const QString text = countsText(outcome.counts);
    say(QStringLiteral("S? ") + text);
    storeCounts(statistics, outcome.counts);
    say(QStringLiteral("S! ") + text);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    TDM2 dm{QString::fromLocal8Bit(argv[1])};
    FakeServices fake;
    MoveOutOperations moveOut(dm, fake.services);
    StatisticsStore statistics(dm.database());
    say(QStringLiteral("ready"));
    for (int step = 0;; ++step) {
        saveResident(dm);
        if (step % 3 == 1)
            moveOneOut(dm, fake, moveOut);
        if (step % 4 == 2)
            storeStatistics(statistics);
    }
}
