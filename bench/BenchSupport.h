#pragma once
// Helpers shared by the benchmarks: timing, memory and the sqlite3 shell as
// the floor to compare with.
#include <QString>
#include <functional>
#include <vector>

namespace zelvar::bench {

// Runs fn `runs` times and returns the median in milliseconds.
double medianMs(int runs, const std::function<void()>& fn);
// Resident memory of this process in MB.
double residentMb();
// The time the sqlite3 shell reports for one statement on the file, in ms
// (its own ".timer on" figure, without process start). -1 when unavailable.
double sqliteShellMs(const QString& databaseFile, const QString& sql, int runs = 5);
// A data folder holding a generated register of that many residents; made
// once and reused between runs.
QString generatedFolder(int residents);

void report(const QString& what, double ms, double floorMs, double targetMs);

} // namespace zelvar::bench
