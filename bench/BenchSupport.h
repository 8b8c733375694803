// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers shared by the benchmarks: timing (wall clock and CPU time), the
// sqlite3 shell as the floor, generated registers, memory, and the rows of
// the one benchmark table that bench/run_all.sh prints.
//
// A floor does the same work as the program: the shell runs the statement the
// program runs, on the same warm file, with its output discarded, and its
// runs alternate with ours in the same process run. The machine is shared, so
// every figure carries the process's CPU time beside the wall clock.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace zelvar::bench {

struct Sample {
    double wallMs = 0;
    double cpuMs = 0;
};

class Samples {
public:
    void add(const Sample& s) { m_samples.push_back(s); }
    void add(const Samples& other);
    bool empty() const { return m_samples.empty(); }
    size_t size() const { return m_samples.size(); }
    // 0 the minimum, 0.5 the median, 0.99 the 99th percentile.
    double wall(double quantile) const;
    double cpu(double quantile) const;
    // All samples added up: the statements of one piece of work.
    Sample total() const;

private:
    std::vector<Sample> m_samples;
};

// Times one call: wall clock and the CPU time of this process.
Sample measure(const std::function<void()>& fn);
// Runs a program to its end: wall clock and the CPU time of that program.
Sample childRun(const QString& program, const QStringList& arguments);
// CPU time of this process so far, in ms.
double processCpuMs();

// The sqlite3 shell on the file, each statement timed by the shell's own
// timer, its rows written to /dev/null. One sample per statement; empty when
// the shell is missing.
Samples shell(const QString& databaseFile, const QStringList& statements);
Sample shellOnce(const QString& databaseFile, const QString& sql);
// The statement as the shell reads it: bound parameters written as literals.
QString literal(const QString& text);

// A data folder holding a generated register of that many residents, made
// once with the register generator and reused (under $ZELVAR_BENCH_DATA, or
// the temporary folder).
QString generatedFolder(int residents);
QString databaseFile(const QString& folder);
// Copies the database files of a folder into another (made if missing).
void copyDatabase(const QString& fromFolder, const QString& toFolder);

// Memory of this process in MB: resident now, and the peak (VmHWM).
double residentMb();
double peakMb();
// Starts a new peak count: the peak goes back to the resident size (Linux).
void resetPeak();

// What a row is held to.
struct Goal {
    enum Kind { None, MaxMs, MaxRatio, MaxMb };
    Kind kind = None;
    double value = 0;
    static Goal ms(double v) { return {MaxMs, v}; }
    static Goal ratio(double v) { return {MaxRatio, v}; }
    static Goal mb(double v) { return {MaxMb, v}; }
};

// One row of the table for an operation run several times: minimum and
// median wall time, median CPU time; the ratio to the floor on the wall
// minima, with the CPU ratio beside it. Goals are checked on the median CPU
// time: on a shared machine the wall clock also counts the time other
// programs held the processor.
void runRow(const QString& operation, int size, const Samples& ours, const Samples& floor, Goal goal);
// One row for many small actions (keystrokes, frames): p50 and p99; the goal
// is checked on the p99 of CPU time, which the other programs on the machine
// do not inflate; the wall p99 is printed beside it.
void quantileRow(const QString& operation, int size, const Samples& ours, const Samples& floor, Goal goal);
// Simple figures for benchmarks that print their own lines: the median wall
// time of `runs` calls, the median of the shell's own timer for one
// statement (-1 when the shell is missing), and one line against a target.
double medianMs(int runs, const std::function<void()>& fn);
double sqliteShellMs(const QString& databaseFile, const QString& sql, int runs = 5);
void report(const QString& what, double ms, double floorMs, double targetMs);
// One row of memory in MB.
void memoryRow(const QString& operation, int size, double mb, double floorMb, Goal goal);

} // namespace zelvar::bench
