#!/usr/bin/env bash
# The chart window of the built Zentarix on a virtual X server without a window manager: Ctrl+O
# in the main window opens a price file through the file dialog, the window "График" shows the
# chosen swing's A and B marks, the title of the main window names the last swing, Page Up in
# the chart chooses the one before it, and zooming, panning and Home leave the program running.
#
# With ZENTARIX_CHART_SCREENSHOT set, the chart window as it opened is saved there as PNG.
#
# usage: chart_smoke_test.sh PROGRAM
set -euo pipefail
trap 'echo "$(basename "$0"): line $LINENO failed: $BASH_COMMAND" >&2' ERR
program=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

log="$work/app.log"
fail() {
  echo "chart smoke test: $*" >&2
  [ -s "$log" ] && sed 's/^/  program: /' "$log" >&2
  exit 1
}

# shellcheck source=smoke_support.sh
source "$here/smoke_support.sh"

mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY QT_QPA_PLATFORM ZENTARIX_LANG

# A seeded walk of 400 days: some tens of swings at 5%.
prices="$work/prices.csv"
python3 - "$prices" <<'PY'
import datetime, random, sys
random.seed(7)
day, price = datetime.date(2020, 1, 1), 100.0
with open(sys.argv[1], "w") as out:
    out.write("Date,High,Low,Close\n")
    for _ in range(400):
        price *= 1 + random.uniform(-0.03, 0.03)
        out.write(f"{day},{price * 1.01:.2f},{price * 0.99:.2f},{price:.2f}\n")
        day += datetime.timedelta(days=1)
PY

start_xvfb 1280x1024x24 100 || fail "Xvfb did not start"
pids+=("$xvfb_pid")

"$program" >"$log" 2>&1 &
app=$!
pids+=("$app")
# The first visible window whose name matches; none while a search races a window that closes
# (xdotool then ends on X's BadWindow), so a search is tried again until one is found.
window_named() { { xdotool search --onlyvisible --name "$1" 2>/dev/null || true; } | awk 'NR == 1'; }
found() { [ -n "$(window_named "$1")" ]; }
poll 300 found '^Zentarix 0\.0\.2$' || fail "no main window appeared"
main=$(window_named '^Zentarix 0\.0\.2$')
title_of() { xdotool getwindowname "$1"; }

# A focus that never comes (a busy machine) fails the test with a message rather than letting
# ctest kill it silently.
timeout 30 xdotool windowfocus --sync "$main" key ctrl+o || fail "the main window took no focus"
poll 300 found '^Открыть файл цен$' || fail "Ctrl+O opened no file dialog"
dialog=$(window_named '^Открыть файл цен$')
timeout 30 xdotool windowfocus --sync "$dialog" || fail "the file dialog took no focus"
xdotool type --delay 10 "$prices"
xdotool key Return
poll 300 found '^График$' || fail "no chart window appeared after the file was chosen"
chart=$(window_named '^График$')
poll 100 eval 'title_of "$main" | grep -q "prices.csv, волна"' ||
  fail "the main window's title names no swing: $(title_of "$main")"
last=$(title_of "$main")

# The chosen swing's A and B are marked in the zigzag's colour.
marks() {
  xwd -silent -id "$chart" >"$work/chart.xwd"
  python3 "$here/count_pixels.py" "$work/chart.xwd" 0 0 5000 5000 0 64 160 | awk '{ print $2 }'
}
poll 100 eval '[ "$(marks)" -ge 40 ]' || fail "the chart shows no A and B marks ($(marks) pixels)"
if [ -n "${ZENTARIX_CHART_SCREENSHOT:-}" ]; then
  mkdir -p "$(dirname "$ZENTARIX_CHART_SCREENSHOT")"
  python3 "$here/xwd_to_png.py" "$work/chart.xwd" "$ZENTARIX_CHART_SCREENSHOT"
fi
echo "chart smoke test: the chart shows the last swing ($(marks) pixels of its marks): $last"

timeout 30 xdotool windowfocus --sync "$chart" || fail "the chart window took no focus"
xdotool key Prior
poll 100 eval '[ "$(title_of "$main")" != "$last" ]' ||
  fail "Page Up in the chart chose no other swing: $(title_of "$main")"
echo "chart smoke test: Page Up chose $(title_of "$main")"
xdotool key plus plus Left Left minus Home Next
xdotool mousemove --window "$chart" 300 300 click 4 click 5
poll 100 eval '[ "$(title_of "$main")" = "$last" ]' ||
  fail "Page Down did not choose the last swing again: $(title_of "$main")"
kill -0 "$app" 2>/dev/null || fail "the program ended while the chart was zoomed and panned"
echo "chart smoke test: passed"
