// SPDX-License-Identifier: GPL-3.0-or-later
// The data layer on a generated register: reading the register (row ids and
// folded names), reopening it on an unchanged file, the next record number,
// moving to a row and reading its 44 fields, and the memory the read list
// holds. Floors: the sqlite3 shell running the same statements.
//   bench_data [residents]
#include "BenchSupport.h"
#include "data/TDM2.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <cstdio>

using namespace zelvar;
using namespace zelvar::bench;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int residents = argc > 1 ? atoi(argv[1]) : 100000;
    const QString folder = generatedFolder(residents);
    const QString file = databaseFile(folder);
    const QString readStatement = QStringLiteral("select rowid, \"Adi\" from \"zelvarx\" ");

    // Memory first, while nothing else has been held: before and after the
    // first read of the register.
    {
        TDM2 dm(folder);
        const double before = residentMb();
        dm.Query2->recordCount();
        memoryRow(QStringLiteral("data layer: register read, VmRSS (floor: before)"), residents, residentMb(), before,
                  Goal());
        memoryRow(QStringLiteral("data layer: register read, VmHWM"), residents, peakMb(), before, Goal());
    }

    {
        Samples ours;
        Samples floor;
        for (int run = 0; run < 7; ++run) {
            TDM2 dm(folder);
            ours.add(measure([&] { dm.Query2->recordCount(); }));
            floor.add(shellOnce(file, readStatement));
        }
        runRow(QStringLiteral("read the register (ids and folded names)"), residents, ours, floor, Goal::ratio(1.2));
    }

    TDM2 dm(folder);
    Dataset* q = dm.Query2;
    q->recordCount();
    {
        Samples ours;
        for (int run = 0; run < 21; ++run)
            ours.add(measure([&] {
                TDM2::reopen(q, TDM2::residentSelect());
                q->refresh();
            }));
        runRow(QStringLiteral("reopen and refresh, file unchanged"), residents, ours, Samples(), Goal::ms(5));
    }
    {
        Samples ours;
        Samples floor;
        for (int run = 0; run < 21; ++run) {
            ours.add(measure([&] { dm.nextRecordNumber(); }));
            floor.add(shellOnce(file, QStringLiteral("select max(kayitno) from zelvarx")));
        }
        runRow(QStringLiteral("next record number"), residents, ours, floor, Goal::ms(2));
    }
    {
        QRandomGenerator rand(7);
        Samples ours;
        QStringList statements;
        for (int run = 0; run < 101; ++run) {
            const int row = int(rand.bounded(quint32(q->recordCount())));
            ours.add(measure([&] {
                q->moveTo(row);
                for (int f = 0; f < q->fieldCount(); ++f)
                    q->displayText(f);
            }));
            statements << QStringLiteral("select * from zelvarx where rowid = %1").arg(row + 1);
        }
        quantileRow(QStringLiteral("move to a row, read its 44 fields"), residents, ours, shell(file, statements),
                    Goal::ms(1));
    }
    return 0;
}
