#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark at 100,000 and 1,000,000 residents (or the sizes
# given) and prints one table: operation, size, ours, floor, ratio, goal,
# met. The goals are judged on bench_window, which measures through the
# shown windows what the user waits for; the other rows time the calls
# alone and tell where the time goes.
#   bench/run_all.sh [sizes...]        e.g. bench/run_all.sh 100000
# The registers are generated once into $ZELVAR_BENCH_DATA (default
# /tmp/zelvar-bench) and reused; 1,000,000 takes some minutes to generate.
# Needs the benchmarks built (cmake --build build --target bench_window
# bench_startup bench_data bench_register bench_statistics bench_lists
# bench_export bench_backup bench_wizard bench_report bench_print bench_companions) and the
# sqlite3 shell.
set -uo pipefail
cd "$(dirname "$0")/.."
SIZES=("$@")
[ ${#SIZES[@]} -eq 0 ] && SIZES=(100000 1000000)
ROWS="$(mktemp)"
trap 'rm -f "$ROWS"' EXIT

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
echo "date: $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
for size in "${SIZES[@]}"; do
    for bench in bench_window bench_startup bench_data bench_register bench_statistics bench_lists bench_export \
        bench_backup bench_wizard; do
        echo "== $bench $size (load $(cut -d' ' -f1-3 /proc/loadavg))" >&2
        build/bench/$bench "$size" 2>/dev/null | grep '^| ' >> "$ROWS"
    done
done
# The report engine's own benchmarks take rows and pages, not residents;
# the companions' take appointments and contacts.
for bench in bench_report bench_print bench_companions; do
    echo "== $bench" >&2
    build/bench/$bench 2>/dev/null | grep '^| ' >> "$ROWS"
done
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"

echo
echo "Times: min / median wall ms, median CPU ms; p50/p99 for keystrokes and other"
echo "repeated actions. Ratio: ours ÷ floor (wall minima; CPU medians beside)."
echo "Goals are checked on CPU time (median; p99 for repeated actions): the"
echo "machine may be shared, and the wall clock counts the others' work too."
echo
echo "| operation | residents | ours | floor | ratio | goal | met |"
echo "|---|---|---|---|---|---|---|"
# Grouped by operation in the order first seen, sizes in the order run.
awk -F'|' '{ op = $2; if (!(op in seen)) { seen[op] = ++n; } print seen[op] "\t" NR "\t" $0 }' "$ROWS" \
    | sort -t$'\t' -k1,1n -k2,2n | cut -f3-
