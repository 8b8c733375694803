// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <cmath>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace zelvar::bench {

namespace {

double quantileOf(std::vector<double> values, double quantile)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(std::lround(quantile * double(values.size() - 1))));
    return values[index];
}

double statusMb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(status.readAll());
    const auto m = QRegularExpression(QStringLiteral(R"re(%1:\s+(\d+) kB)re").arg(QLatin1String(field))).match(text);
    return m.hasMatch() ? m.captured(1).toDouble() / 1024.0 : -1;
}

QString ms(double value)
{
    if (value < 0)
        return QStringLiteral("-");
    return QString::number(value, 'f', value < 10 ? 2 : value < 100 ? 1 : 0);
}

QString goalText(Goal goal)
{
    switch (goal.kind) {
    case Goal::MaxMs:
        return QStringLiteral("≤ %1 ms").arg(goal.value);
    case Goal::MaxRatio:
        return QStringLiteral("≤ %1× floor").arg(goal.value);
    case Goal::MaxMb:
        return QStringLiteral("≤ %1 MB").arg(goal.value);
    case Goal::None:
        break;
    }
    return QStringLiteral("-");
}

QString ratioText(double ours, double floor)
{
    if (ours < 0 || floor <= 0)
        return QStringLiteral("-");
    return QStringLiteral("×%1").arg(ours / floor, 0, 'f', 2);
}

void printRow(const QString& operation, int size, const QString& ours, const QString& floor, const QString& ratio,
              Goal goal, bool met)
{
    std::printf("| %s | %d | %s | %s | %s | %s | %s |\n", qPrintable(operation), size, qPrintable(ours),
                qPrintable(floor), qPrintable(ratio), qPrintable(goalText(goal)),
                goal.kind == Goal::None ? ""
                : met                   ? "ok"
                                        : "OVER");
    std::fflush(stdout);
}

} // namespace

void Samples::add(const Samples& other)
{
    m_samples.insert(m_samples.end(), other.m_samples.begin(), other.m_samples.end());
}

double Samples::wall(double quantile) const
{
    std::vector<double> values;
    for (const Sample& s : m_samples)
        values.push_back(s.wallMs);
    return quantileOf(values, quantile);
}

double Samples::cpu(double quantile) const
{
    std::vector<double> values;
    for (const Sample& s : m_samples)
        values.push_back(s.cpuMs);
    return quantileOf(values, quantile);
}

Sample Samples::total() const
{
    Sample sum;
    for (const Sample& s : m_samples) {
        sum.wallMs += s.wallMs;
        sum.cpuMs += s.cpuMs;
    }
    return sum;
}

double processCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

Sample measure(const std::function<void()>& fn)
{
    const double cpu = processCpuMs();
    QElapsedTimer timer;
    timer.start();
    fn();
    const double wall = double(timer.nsecsElapsed()) / 1e6;
    return {wall, processCpuMs() - cpu};
}

Sample childRun(const QString& program, const QStringList& arguments)
{
    // The CPU time of the children this process has waited for grows by
    // exactly this child's once QProcess has reaped it.
    const auto childrenCpuMs = [] {
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        return (double(usage.ru_utime.tv_sec) + double(usage.ru_stime.tv_sec)) * 1e3 +
               (double(usage.ru_utime.tv_usec) + double(usage.ru_stime.tv_usec)) / 1e3;
    };
    const double cpu = childrenCpuMs();
    QElapsedTimer timer;
    timer.start();
    QProcess child;
    child.start(program, arguments);
    if (!child.waitForFinished(600000) || child.exitCode() != 0)
        return {-1, -1};
    const double wall = double(timer.nsecsElapsed()) / 1e6;
    return {wall, childrenCpuMs() - cpu};
}

QString literal(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

Samples shell(const QString& databaseFile, const QStringList& statements)
{
    Samples samples;
    QProcess process;
    process.start(QStringLiteral("sqlite3"), {databaseFile});
    if (!process.waitForStarted(10000))
        return samples;
    // The timer's lines go to the shell's standard output even while the
    // rows go to /dev/null.
    QString script = QStringLiteral(".output /dev/null\n.timer on\n");
    for (const QString& sql : statements)
        script += sql + QStringLiteral(";\n");
    process.write(script.toUtf8());
    process.closeWriteChannel();
    if (!process.waitForFinished(600000))
        return samples;
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpression timer(QStringLiteral(R"re(Run Time: real ([0-9.]+) user ([0-9.]+) sys ([0-9.]+))re"));
    for (auto it = timer.globalMatch(out); it.hasNext();) {
        const auto m = it.next();
        const double cpu = (m.captured(2).toDouble() + m.captured(3).toDouble()) * 1000.0;
        // "real" is rounded to whole milliseconds; below that the CPU time
        // is the finer figure.
        samples.add({std::max(m.captured(1).toDouble() * 1000.0, cpu), cpu});
    }
    return samples;
}

Sample shellOnce(const QString& databaseFile, const QString& sql)
{
    const Samples s = shell(databaseFile, {sql});
    return s.empty() ? Sample{-1, -1} : Sample{s.wall(0), s.cpu(0)};
}

QString generatedFolder(int residents)
{
    QString base = qEnvironmentVariable("ZELVAR_BENCH_DATA");
    if (base.isEmpty())
        base = QDir::temp().filePath(QStringLiteral("zelvar-bench"));
    QString folder = QDir(base).filePath(QString::number(residents));
    if (!QFileInfo::exists(databaseFile(folder))) {
        std::fprintf(stderr, "generating %d residents into %s ...\n", residents, qPrintable(folder));
        auto db = Database::openFolder(folder);
        GeneratorOptions options;
        options.residents = residents;
        options.seed = 1;
        generateRegister(*db, options);
        db->exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
    return folder;
}

QString databaseFile(const QString& folder)
{
    return QDir(folder).filePath(Database::fileName());
}

void copyDatabase(const QString& fromFolder, const QString& toFolder)
{
    QDir().mkpath(toFolder);
    for (const QString& name : QDir(fromFolder).entryList({Database::fileName() + QStringLiteral("*")}, QDir::Files)) {
        QFile::remove(QDir(toFolder).filePath(name));
        QFile::copy(QDir(fromFolder).filePath(name), QDir(toFolder).filePath(name));
    }
}

double residentMb()
{
    return statusMb("VmRSS");
}

double peakMb()
{
    return statusMb("VmHWM");
}

void resetPeak()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

void runRow(const QString& operation, int size, const Samples& ours, const Samples& floor, Goal goal)
{
    const auto figures = [](const Samples& s) {
        if (s.empty() || s.wall(0) < 0)
            return QStringLiteral("-");
        return QStringLiteral("%1 / %2 ms, cpu %3").arg(ms(s.wall(0)), ms(s.wall(0.5)), ms(s.cpu(0.5)));
    };
    const bool haveFloor = !floor.empty() && floor.wall(0) > 0;
    const QString ratio =
        haveFloor ? QStringLiteral("%1 (cpu %2)")
                        .arg(ratioText(ours.wall(0), floor.wall(0)), ratioText(ours.cpu(0.5), floor.cpu(0.5)))
                  : QStringLiteral("-");
    // The machine is shared: goals are judged on CPU time, which the other
    // programs on it do not inflate; the wall clock is printed beside it.
    bool met = true;
    if (goal.kind == Goal::MaxMs)
        met = ours.cpu(0.5) <= goal.value;
    else if (goal.kind == Goal::MaxRatio)
        met = haveFloor && ours.cpu(0.5) <= goal.value * floor.cpu(0.5);
    printRow(operation, size, figures(ours), figures(floor), ratio, goal, met);
}

void quantileRow(const QString& operation, int size, const Samples& ours, const Samples& floor, Goal goal)
{
    const auto figures = [](const Samples& s) {
        if (s.empty() || s.wall(0) < 0)
            return QStringLiteral("-");
        return QStringLiteral("p50 %1, p99 %2 ms, cpu p99 %3 (n=%4)")
            .arg(ms(s.wall(0.5)), ms(s.wall(0.99)), ms(s.cpu(0.99)))
            .arg(s.size());
    };
    const bool haveFloor = !floor.empty() && floor.wall(0) > 0;
    const QString ratio =
        haveFloor ? QStringLiteral("%1 (p99 %2)")
                        .arg(ratioText(ours.wall(0.5), floor.wall(0.5)), ratioText(ours.wall(0.99), floor.wall(0.99)))
                  : QStringLiteral("-");
    bool met = true;
    if (goal.kind == Goal::MaxMs)
        met = ours.cpu(0.99) <= goal.value;
    else if (goal.kind == Goal::MaxRatio)
        met = haveFloor && ours.wall(0.5) <= goal.value * floor.wall(0.5);
    printRow(operation, size, figures(ours), figures(floor), ratio, goal, met);
}

void memoryRow(const QString& operation, int size, double mb, double floorMb, Goal goal)
{
    const QString floor = floorMb > 0 ? QStringLiteral("%1 MB").arg(floorMb, 0, 'f', 1) : QStringLiteral("-");
    printRow(operation, size, QStringLiteral("%1 MB").arg(mb, 0, 'f', 1), floor,
             floorMb > 0 ? ratioText(mb, floorMb) : QStringLiteral("-"), goal,
             goal.kind != Goal::MaxMb || (mb > 0 && mb <= goal.value));
}

double medianMs(int runs, const std::function<void()>& fn)
{
    Samples s;
    for (int i = 0; i < runs; ++i)
        s.add(measure(fn));
    return s.wall(0.5);
}

double sqliteShellMs(const QString& databaseFile, const QString& sql, int runs)
{
    const Samples s = shell(databaseFile, QStringList(std::max(runs, 1), sql));
    return s.empty() ? -1 : s.wall(0.5);
}

void report(const QString& what, double ms, double floorMs, double targetMs)
{
    std::printf("%-48s %9.3f ms   sqlite3 shell %9.3f ms   target %7.1f ms   %s\n", qPrintable(what), ms, floorMs,
                targetMs, ms <= targetMs ? "ok" : "OVER");
}

} // namespace zelvar::bench
