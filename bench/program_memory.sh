#!/bin/bash
# Resident memory of the running program with a register of 100,000 residents
# open in the register window. Needs Xvfb and xdotool (Debian packages).
#   bench/program_memory.sh [residents]
set -euo pipefail
cd "$(dirname "$0")/.."
RESIDENTS="${1:-100000}"
DIR="$(mktemp -d)"
trap 'kill $APP $XVFB 2>/dev/null || true; rm -rf "$DIR"' EXIT
build/zelvar-generate --residents "$RESIDENTS" "$DIR" > /dev/null
Xvfb :93 -screen 0 1280x1024x24 > /dev/null 2>&1 &
XVFB=$!
sleep 1
DISPLAY=:93 build/zelvar --data-dir "$DIR" > /dev/null 2>&1 &
APP=$!
sleep 3
DISPLAY=:93 xdotool key Return          # no password set: an empty entry logs in
sleep 2
echo "main window:            $(grep VmRSS /proc/$APP/status)"
DISPLAY=:93 xdotool mousemove 119 36 click 1   # the register toolbar button
sleep 3
echo "register window open:   $(grep VmRSS /proc/$APP/status)   target 150 MB"
