#!/usr/bin/env bash
# Starts the built Zentarix on a virtual X server, finds its window by title, types into its
# fields, presses the button and checks from screenshots that the diagram area was blank before
# and shows the corridor bands afterwards.
set -euo pipefail
# A command that fails outside the checks ends the script; say which one.
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

fail() {
  echo "smoke test: $*" >&2
  [ -f "$work/app.log" ] && sed 's/^/  program: /' "$work/app.log" >&2
  exit 1
}

# Xvfb picks a free display itself and writes its number when it is ready.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

"$program" >"$work/app.log" 2>&1 &
pids+=($!)
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Zentarix 0\.0\.2$' | awk 'NR == 1') ||
  fail "no window titled 'Zentarix 0.0.2' appeared"
eval "$(xdotool getwindowgeometry --shell "$window")"

# The diagram area: right of the 193-pixel input column, inside the host panel's bevel.
count() {
  xwd -silent -id "$window" >"$work/shot.xwd"
  python3 "$here/count_pixels.py" "$work/shot.xwd" 195 2 $((WIDTH - 2)) $((HEIGHT - 2)) 200 200 255
}
area=$(((WIDTH - 197) * (HEIGHT - 4)))
read -r white band < <(count)
[ "$white" -eq "$area" ] || fail "the diagram area is not blank at start ($white of $area white)"

xdotool mousemove --window "$window" 90 29 click 1
xdotool key --window "$window" ctrl+a
xdotool type --window "$window" --delay 20 200
xdotool key --window "$window" Tab
xdotool type --window "$window" --delay 20 250
xdotool mousemove --window "$window" 98 120 click 1

for _ in $(seq 100); do
  read -r white band < <(count)
  [ "$band" -gt 1000 ] && break
  sleep 0.1
done
[ "$band" -gt 1000 ] || fail "no corridor bands in the diagram after the button ($band band pixels)"
echo "smoke test: the window showed the diagram ($band band pixels)"
