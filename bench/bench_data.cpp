// The data layer on a large register: opening the register query, locating a
// name by its beginning, the next record number, moving to a row and reading
// it, and the memory held. Usage: bench_data [residents]
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
    const QString file = folder + QStringLiteral("/zorp.sqlite");
    const double rssBefore = residentMb();

    TDM2 dm(folder);
    Dataset* q = dm.Query2;
    std::printf("Register of %d residents in %s\n", q->recordCount(), qPrintable(folder));

    const double openMs = medianMs(9, [&] { TDM2::reopen(q, QStringLiteral("select * from zelvarx")); });
    report(QStringLiteral("open Query2 \"select * from zelvarx\""), openMs,
           sqliteShellMs(file, QStringLiteral("select rowid from zelvarx")), 50);

    // Typing a name letter by letter: each keystroke locates from the top.
    const QStringList prefixes = {QStringLiteral("z"), QStringLiteral("ze"), QStringLiteral("zey"),
                                  QStringLiteral("ış"), QStringLiteral("şu"), QStringLiteral("YIL"),
                                  QStringLiteral("İsmail K"), QStringLiteral("xyz")};
    int index = 0;
    const double locateMs = medianMs(prefixes.size() * 5, [&] {
        q->first();
        q->locate(QStringLiteral("Adi"), prefixes[index++ % prefixes.size()], {true, true});
    });
    const double likeScanMs = sqliteShellMs(file, QStringLiteral("select rowid from zelvarx where Adi like 'xyz%'"));
    report(QStringLiteral("locate a name prefix, Turkish case folding"), locateMs, likeScanMs, 5);
    // The worst case: no name matches, every name is looked at.
    const double missMs = medianMs(21, [&] { q->locate(QStringLiteral("Adi"), QStringLiteral("xyz"), {true, true}); });
    report(QStringLiteral("locate a prefix no name has (whole scan)"), missMs, likeScanMs, 5);

    const double numberMs = medianMs(21, [&] { dm.nextRecordNumber(); });
    report(QStringLiteral("next record number"), numberMs,
           sqliteShellMs(file, QStringLiteral("select max(kayitno) from zelvarx")), 2);

    QRandomGenerator rand(7);
    const double moveMs = medianMs(201, [&] {
        q->moveTo(int(rand.bounded(quint32(q->recordCount()))));
        for (int f = 0; f < q->fieldCount(); ++f)
            q->displayText(f);
    });
    report(QStringLiteral("move to any row and read its 44 fields"), moveMs,
           sqliteShellMs(file, QStringLiteral("select * from zelvarx where rowid = 54321")), 1);

    std::printf("resident memory: %.1f MB with the register open (%.1f MB before opening)   target 150 MB\n",
                residentMb(), rssBefore);
    return 0;
}
