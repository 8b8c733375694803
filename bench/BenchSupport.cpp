#include "BenchSupport.h"

#include "RegisterGenerator.h"
#include "data/Database.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>

namespace zelvar::bench {

double medianMs(int runs, const std::function<void()>& fn)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        fn();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(status.readAll());
    const auto m = QRegularExpression(QStringLiteral(R"re(VmRSS:\s+(\d+) kB)re")).match(text);
    return m.hasMatch() ? m.captured(1).toDouble() / 1024.0 : -1;
}

double sqliteShellMs(const QString& databaseFile, const QString& sql, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QProcess shell;
        // The shell reports its own time only for statements read from its
        // input; the rows it lists are read and thrown away here.
        shell.start(QStringLiteral("sqlite3"), {databaseFile});
        shell.write(QStringLiteral(".timer on\n%1;\n").arg(sql).toUtf8());
        shell.closeWriteChannel();
        if (!shell.waitForFinished(30000))
            return -1;
        const QString out = QString::fromUtf8(shell.readAllStandardOutput() + shell.readAllStandardError());
        const QRegularExpression timer(QStringLiteral(R"re(Run Time: real ([0-9.]+) user ([0-9.]+) sys ([0-9.]+))re"));
        QRegularExpressionMatch m;
        for (auto it = timer.globalMatch(out); it.hasNext();)
            m = it.next();
        if (!m.hasMatch())
            return -1;
        // "real" is rounded to whole milliseconds; user + sys is finer.
        times.push_back(std::max(m.captured(1).toDouble(), m.captured(2).toDouble() + m.captured(3).toDouble()) * 1000.0);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QString generatedFolder(int residents)
{
    const QString folder = QDir::temp().filePath(QStringLiteral("zelvar-bench-%1").arg(residents));
    if (!QFileInfo::exists(folder + QStringLiteral("/zorp.sqlite"))) {
        auto db = Database::openFolder(folder);
        GeneratorOptions options;
        options.residents = residents;
        generateRegister(*db, options);
    }
    return folder;
}

void report(const QString& what, double ms, double floorMs, double targetMs)
{
    std::printf("%-48s %9.3f ms   sqlite3 shell %9.3f ms   target %7.1f ms   %s\n", qPrintable(what), ms, floorMs,
                targetMs, ms <= targetMs ? "ok" : "OVER");
}

} // namespace zelvar::bench
