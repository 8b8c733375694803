#!/bin/bash
# Runs every benchmark at 10,000, 100,000 and 1,000,000 residents and prints
# one table: operation × size, ours, floor, ratio, goal.
#   bench/run_all.sh [sizes...]        e.g. bench/run_all.sh 100000 1000000
# The registers are generated once into $ZELVAR_BENCH_DATA (default
# /tmp/zelvar-bench) and reused; the first 1,000,000 takes about a minute.
# Needs the benchmarks built (cmake --build build --target bench_data
# bench_register bench_startup bench_statistics zelvar zelvar-generate), the
# sqlite3 shell, and for the memory rows Xvfb and xdotool.
set -uo pipefail
cd "$(dirname "$0")/.."
SIZES=("$@")
[ ${#SIZES[@]} -eq 0 ] && SIZES=(10000 100000 1000000)
ROWS="$(mktemp)"
trap 'rm -f "$ROWS"' EXIT

for size in "${SIZES[@]}"; do
    for bench in bench_startup bench_data bench_register bench_statistics; do
        echo "== $bench $size" >&2
        build/bench/$bench "$size" 2>/dev/null | grep '^| ' >> "$ROWS"
    done
    echo "== program_memory.sh $size" >&2
    bench/program_memory.sh "$size" 2>/dev/null | grep '^| ' >> "$ROWS"
done

echo
echo "Times: min / median wall ms, median CPU ms; p50/p99 for keystrokes and frames."
echo "Ratio: ours ÷ floor on the wall minima (CPU medians beside). Goals are checked"
echo "on CPU time (median; p99 for keystrokes and frames): the machine may be shared."
echo
echo "| operation | residents | ours | floor | ratio | goal | |"
echo "|---|---|---|---|---|---|---|"
# Grouped by operation in the order first seen, sizes in the order run.
awk -F'|' '{ op = $2; if (!(op in seen)) { seen[op] = ++n; } print seen[op] "\t" NR "\t" $0 }' "$ROWS" \
    | sort -t$'\t' -k1,1n -k2,2n | cut -f3-
