#!/bin/bash
# Memory of the running program, VmRSS and the peak VmHWM, at the main
# window and with the register window open, on a generated register.
#   bench/program_memory.sh [residents]
# Runs the program on a display of its own (Xvfb picks a free one), finds its
# windows by their captions and waits for them; the register window is opened
# with its key, Ctrl+B, and counted as open once the program has gone idle.
# Needs Xvfb and xdotool.
set -euo pipefail
cd "$(dirname "$0")/.."
RESIDENTS="${1:-100000}"
BASE="${ZELVAR_BENCH_DATA:-/tmp/zelvar-bench}/$RESIDENTS"
if [ ! -f "$BASE/zorp.sqlite" ]; then
    mkdir -p "$BASE"
    build/zelvar-generate --residents "$RESIDENTS" --seed 1 "$BASE" > /dev/null
fi
DIR="$(mktemp -d)"
FD_FILE="$DIR/display"
APP=""; XVFB=""
trap '[ -n "$APP" ] && kill $APP 2>/dev/null; [ -n "$XVFB" ] && kill $XVFB 2>/dev/null; rm -rf "$DIR"' EXIT
cp "$BASE"/zorp.sqlite* "$DIR"/

Xvfb -displayfd 3 -screen 0 1280x1024x24 3> "$FD_FILE" > /dev/null 2>&1 &
XVFB=$!
for _ in $(seq 50); do [ -s "$FD_FILE" ] && break; sleep 0.1; done
export DISPLAY=":$(head -1 "$FD_FILE")"

status() { grep "^$1:" /proc/$APP/status | awk '{ printf "%.1f", $2 / 1024 }'; }
cpu_ticks() { awk '{ print $14 + $15 }' /proc/$APP/stat; }
# Waits until the program has used no CPU for a second.
wait_idle() {
    local last now
    last=$(cpu_ticks)
    for _ in $(seq 120); do
        sleep 1
        now=$(cpu_ticks)
        [ "$now" = "$last" ] && return 0
        last=$now
    done
}
row() { # operation mb floor goal
    awk -v op="$1" -v n="$RESIDENTS" -v mb="$2" -v fl="$3" -v goal="$4" 'BEGIN {
        verdict = goal == "" ? "" : (mb + 0 <= goal + 0 ? "ok" : "OVER");
        printf "| %s | %d | %.1f MB | %s | %s | %s | %s |\n", op, n, mb,
            fl == "" ? "-" : fl " MB", fl == "" ? "-" : sprintf("×%.2f", mb / fl),
            goal == "" ? "-" : "≤ " goal " MB", verdict }'
}

build/zelvar --data-dir "$DIR" > /dev/null 2>&1 &
APP=$!
LOGIN=$(timeout 60 xdotool search --sync --onlyvisible --name "^Şifreniz \?$" | head -1)
xdotool windowfocus --sync "$LOGIN" key Return   # no password set: an empty entry logs in
MAIN=$(timeout 60 xdotool search --sync --onlyvisible --name "^Zelvar 2001" | head -1)
wait_idle
MAIN_RSS=$(status VmRSS)
xdotool windowfocus --sync "$MAIN" key ctrl+b
sleep 1
wait_idle
GOAL=60
[ "$RESIDENTS" -ge 1000000 ] && GOAL=150
row "program memory, register window open, VmRSS (floor: main window)" "$(status VmRSS)" "$MAIN_RSS" "$GOAL"
row "program memory, register window open, peak VmHWM" "$(status VmHWM)" "" "$GOAL"
