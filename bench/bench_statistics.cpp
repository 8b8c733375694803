// The statistics run over a register of 100,000 residents: one pass, within
// 100 ms. Prints the run's time and, as the floor, the time the sqlite3 shell
// takes to read the same seven fields.
#include "BenchSupport.h"
#include "data/Database.h"
#include "reports/StatisticsRun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

using namespace zelvar;

namespace {

constexpr int kResidents = 100000;
constexpr double kBudgetMs = 100;

// Simple varied rows: every counted field takes each of its values, with
// some empty, and the other text fields make the rows as long as real ones.
void fillRegister(Database& db, QDate today)
{
    const QStringList sexes{"Kadın", "Erkek", "Erkek", "kadın", ""};
    const QStringList literacy{"Evet", "Evet", "Hayır", ""};
    const QStringList tenure{"Ev Sahibi", "Kiracı", ""};
    const QStringList marital{"Evli", "Bekar", "Dul", "Boşanmış", ""};
    const QStringList jobs{"Memur", "İşsiz", "Öğrenci", "Emekli", "Serbest Meslek", "Ev Hanımı"};
    const QStringList religions{"İslam", "İslam", "İslam", "Hristiyan", "Musevi", ""};
    const QStringList names{"Ayşe", "Mehmet", "Fatma", "Ali", "Zeynep", "Hüseyin", "Elif", "Mustafa"};
    const QStringList surnames{"Yılmaz", "Kaya", "Demir", "Şahin", "Çelik", "Yıldız", "Öztürk", "Aydın"};

    Database::Transaction tx(db);
    Statement insert(db.handle(),
                     "insert into zelvarx (KayitNo, Adi, BabaAdi, AnaAdi, DogYeri, Sokak, Apartman, EvNo, "
                     "Vilayeti, Kazasi, DogTar, Cinsiyeti, EvDuru2, EvDurum1, Medeni, Meslek, Dini) "
                     "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int i = 0; i < kResidents; ++i) {
        const auto pick = [i](const QStringList& list, int salt) { return list[(i * 7 + salt * 13 + i / 11) % list.size()]; };
        insert.bindAll({double(i + 1), pick(names, 1) + ' ' + pick(surnames, 2), pick(names, 3), pick(names, 4),
                        "İzmir", QString::number(1000 + i % 400), pick(surnames, 5) + " Apt.",
                        QString::number(i % 90), "İzmir", "Bornova", today.addDays(-((i * 7919) % 32000) + 30),
                        pick(sexes, 6), pick(literacy, 7), pick(tenure, 8), pick(marital, 9), pick(jobs, 10),
                        pick(religions, 11)});
        insert.step();
        insert.reset();
    }
    tx.commit();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    std::unique_ptr<Database> db = Database::openFolder(dir.path());
    const QDate today(2026, 12, 9);

    QElapsedTimer timer;
    timer.start();
    fillRegister(*db, today);
    std::printf("register of %d residents written in %.0f ms\n", kResidents, timer.nsecsElapsed() / 1e6);
    db->exec("PRAGMA wal_checkpoint(TRUNCATE)");

    Statement source(db->handle(), statisticsSelect());
    double first = 0;
    double best = 1e9;
    StatisticsOutcome outcome;
    for (int run = 0; run < 5; ++run) {
        timer.restart();
        outcome = runStatistics(source, today);
        const double ms = timer.nsecsElapsed() / 1e6;
        if (run == 0)
            first = ms;
        best = std::min(best, ms);
    }
    int counted = outcome.counts.headcounts[Women] + outcome.counts.headcounts[Men];
    std::printf("statistics run: first %.1f ms, best of 5 %.1f ms (%d residents counted, %s)\n", first, best,
                counted, outcome.complete ? "complete" : "INCOMPLETE");

    const double floor = bench::sqliteShellMs(dir.filePath(Database::fileName()), statisticsSelect());
    if (floor < 0)
        std::printf("sqlite3 shell not found: no floor\n");
    else
        std::printf("floor, sqlite3 shell reading the seven fields: %.1f ms (its own timer, median of 5)\n", floor);

    const bool ok = outcome.complete && counted == kResidents && first <= kBudgetMs;
    std::printf("%s: budget %.0f ms\n", ok ? "OK" : "TOO SLOW OR WRONG", kBudgetMs);
    return ok ? 0 : 1;
}
