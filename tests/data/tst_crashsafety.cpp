// SPDX-License-Identifier: GPL-3.0-or-later
// Crash safety: a child process saves residents, move-out entries and
// statistics runs through the data layer and is killed with SIGKILL at
// random moments. After every kill the database must pass SQLite's
// integrity check and hold everything the child reported as committed.
#include "TestRegistry.h"
#include "child/CrashRecords.h"
#include "data/Database.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvar;

namespace {

struct Reported {
    QList<int> residents;
    QList<int> movedOut;
    QString committedCounts; // the last "S!" line
    QString pendingCounts;   // an "S?" line not yet followed by its "S!"
};

void readLines(const QByteArray& output, Reported& r)
{
    // A last line without its newline was cut by the kill: not reported.
    QList<QByteArray> lines = output.split('\n');
    lines.removeLast();
    for (const QByteArray& raw : lines) {
        const QString line = QString::fromUtf8(raw);
        if (line.startsWith(QLatin1String("R ")))
            r.residents << line.mid(2).toInt();
        else if (line.startsWith(QLatin1String("M ")))
            r.movedOut << line.mid(2).toInt();
        else if (line.startsWith(QLatin1String("S? ")))
            r.pendingCounts = line.mid(3);
        else if (line.startsWith(QLatin1String("S! "))) {
            r.committedCounts = line.mid(3);
            r.pendingCounts.clear();
        }
    }
}

QString storedCounts(Database& db)
{
    QStringList values;
    for (const char* table : {"GRUP1", "YASLAR"}) {
        Statement st(db.handle(), QStringLiteral("select Sayi from \"%1\" order by rowid").arg(table));
        while (st.step())
            values << QString::number(st.column(0).toInt());
    }
    return values.join(' ');
}

} // namespace

class CrashSafetyTest : public QObject {
    Q_OBJECT
private slots:
    void killedWriterLeavesEveryCommittedRecordWhole()
    {
        QTemporaryDir dir;
        // The first start makes the database before any kill.
        Database::openFolder(dir.path()).reset();
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        qInfo("crash test seed %u", seed);

        Reported reported;
        reported.committedCounts = QStringLiteral("0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0");
        constexpr int kKills = 50;
        int killedMidWork = 0;
        for (int kill = 0; kill < kKills; ++kill) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QStringLiteral(ZELVAR_CRASH_WRITER), {dir.path()});
            QVERIFY2(child.waitForStarted(5000), "the crash writer did not start");
            QByteArray output;
            while (!output.contains("ready\n")) {
                QVERIFY2(child.waitForReadyRead(10000), "the crash writer did not open the database");
                output += child.readAllStandardOutput();
            }
            // The kill falls a random number of reports into the work, then a
            // random moment later: counted in progress rather than in time, so
            // that a slow machine or an instrumented build kills mid-work as
            // often as a fast one.
            const int reports = int(random.bounded(1, 7));
            while (output.count('\n') < 1 + reports) {
                QVERIFY2(child.waitForReadyRead(10000), "the crash writer stopped writing");
                output += child.readAllStandardOutput();
            }
            QTest::qWait(int(random.bounded(0, 30)));
            child.kill(); // SIGKILL: no clean-up of any kind
            QVERIFY(child.waitForFinished(5000));
            output += child.readAllStandardOutput();
            if (output.count('\n') > 1)
                ++killedMidWork;
            readLines(output, reported);
            const QString context = QStringLiteral("kill %1, seed %2").arg(kill).arg(seed);

            auto db = Database::openFolder(dir.path());
            QCOMPARE(db->scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));

            // Every resident reported as saved is there with its whole row.
            Statement row(db->handle(), QStringLiteral("select * from zelvarx where KayitNo = ?"));
            for (int n : reported.residents) {
                row.reset();
                row.bind(1, double(n));
                QVERIFY2(row.step(), qPrintable(context + QStringLiteral(": resident %1 missing").arg(n)));
                const QVariantMap expected = crashtest::residentFields(n);
                for (int c = 0; c < row.columnCount(); ++c) {
                    const QString field = row.columnName(c);
                    if (!expected.contains(field))
                        continue;
                    QVariant want = expected.value(field);
                    if (want.typeId() == QMetaType::QDate)
                        want = want.toDate().toString(Qt::ISODate);
                    QVERIFY2(row.column(c).toString() == want.toString(),
                             qPrintable(context + QStringLiteral(": resident %1 field %2").arg(n).arg(field)));
                }
            }
            row.reset();

            // Every move-out reported is there, with the resident's flag.
            for (int n : reported.movedOut) {
                QCOMPARE(db->scalar(QStringLiteral("select count(*) from Nakil where ADI_SOYADI = ?"),
                                    {crashtest::residentName(n)})
                             .toInt(),
                         1);
                QCOMPARE(
                    db->scalar(QStringLiteral("select Nakil from zelvarx where KayitNo = ?"), {double(n)}).toString(),
                    QStringLiteral("1"));
            }
            // No move-out row anywhere lacks its resident's flag.
            QCOMPARE(db->scalar(QStringLiteral("select count(*) from Nakil n where not exists (select 1 from "
                                               "zelvarx z where z.Adi = n.ADI_SOYADI and z.Nakil = '1')"))
                         .toInt(),
                     0);

            // The statistics tables hold one whole run: the last stored, or
            // the one that was being stored at the kill.
            const QString counts = storedCounts(*db);
            QVERIFY2(counts == reported.committedCounts || counts == reported.pendingCounts,
                     qPrintable(context + ": statistics " + counts + " / " + reported.committedCounts + " / " +
                                reported.pendingCounts));
            reported.committedCounts = counts;
            reported.pendingCounts.clear();
        }
        QVERIFY(reported.residents.size() > kKills);
        QVERIFY(!reported.movedOut.isEmpty());
        QVERIFY(killedMidWork > kKills / 2);
    }
};

ZELVAR_TEST(CrashSafetyTest)
#include "tst_crashsafety.moc"
