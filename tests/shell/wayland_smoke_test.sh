#!/usr/bin/env bash
# The built Zentarix on Wayland, under weston nested in a virtual X server that gives it a
# keyboard and a pointer. The program names its desktop entry as its app id and takes keys; the
# About box and the error box live through weston's key bindings that maximize and full-screen
# the focused window whatever its size; and each of 40 closes from the title bar's close button
# ends the program with status 0. When weston cannot start here, the test says so and passes.
#
# usage: wayland_smoke_test.sh PROGRAM
set -euo pipefail
trap 'echo "$(basename "$0"): line $LINENO failed: $BASH_COMMAND" >&2' ERR
program=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pids=()
# The programs, then weston, then the X server.
trap 'for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
  kill "${pids[i]}" 2>/dev/null && wait "${pids[i]}" 2>/dev/null || true
done
rm -rf "$work"' EXIT
log="$work/client.log"
fail() {
  echo "wayland smoke test: $*" >&2
  tail -n 5 "$log" >&2 2>/dev/null || true
  exit 1
}
poll() { # poll TRIES COMMAND...: runs the command every 0.05 s until it succeeds
  local tries=$1
  shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.05; done
  return 1
}
lines() { grep -c -- "$1" "$log" || true; }

command -v weston >/dev/null || { echo "wayland smoke test: skipped, no weston installed"; exit 0; }
mkdir -p -m 700 "$work/runtime"
export HOME=$work XDG_RUNTIME_DIR=$work/runtime
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY QT_QPA_PLATFORM
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
exec 3>&-
poll 200 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
# Ctrl for weston's bindings, as Xvfb's keymap has no Super; no on-screen keyboard taking the
# keys; no panel, so that a maximized window fills the output and its close button is at a
# known place.
printf '%s\n' '[core]' 'idle-time=0' '[input-method]' 'path=' '[shell]' 'binding-modifier=ctrl' \
  'panel-position=none' 'locking=false' >"$work/weston.ini"
weston --backend=x11-backend.so --use-pixman --width=1024 --height=768 --socket=zentarix \
  --config="$work/weston.ini" --log="$work/weston.log" &
weston=$!
pids+=("$weston")
socket="$XDG_RUNTIME_DIR/zentarix"
poll 200 eval 'test -S "$socket" || ! kill -0 "$weston" 2>/dev/null' || true
if [ ! -S "$socket" ]; then
  echo "wayland smoke test: skipped, weston cannot start here: $(tail -n 3 "$work/weston.log")"
  exit 0
fi
output=$(xdotool search --limit 1 --class '^Weston Compositor$')
xdotool windowfocus --sync "$output"

# The program on weston, its Wayland traffic in the log; waits until its window has the keyboard.
start() {
  env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=zentarix WAYLAND_DEBUG=client \
    "$program" 2>"$log" &
  app=$!
  pids+=("$app")
  poll 400 grep -q 'wl_keyboard@[0-9]*\.enter' "$log" || fail "no window took the keyboard"
}
# press PATTERN XDOTOOL-ARGUMENTS...: waits for one more log line matching PATTERN.
press() {
  local pattern=$1 count
  shift
  count=$(lines "$pattern")
  xdotool "$@"
  poll 200 eval '[ "$(lines "$pattern")" -gt "$count" ]' || fail "no $pattern after $*"
}
# bind LETTER PATTERN: weston's binding Ctrl+Shift+LETTER, until one more log line matches
# PATTERN. The letter is released before the modifiers (weston's X backend holds back a release
# that comes last, and its binding waits for it), and the keys go again when nothing came of them
# in 3 s: on a loaded machine the nested weston now and then passes on none of them.
bind() {
  local pattern=$2 count
  count=$(lines "$pattern")
  for _ in 1 2 3; do
    xdotool keydown ctrl+shift key "$1" keyup ctrl+shift
    poll 60 eval '[ "$(lines "$pattern")" -gt "$count" ]' && return 0
  done
  fail "no $pattern after Ctrl+Shift+$1"
}
focused='wl_keyboard@[0-9]*\.enter'

start
grep -q 'set_app_id("com.zentarix.zentarix")' "$log" || fail "the app id is not the desktop entry's"
xdotool key 2 0 0 Tab 2 5 0 Tab Up
bands() {
  xwd -silent -id "$output" >"$work/shot.xwd"
  read -r _ band < <(python3 "$here/count_pixels.py" "$work/shot.xwd" 0 0 1024 768 200 200 255)
  [ "$band" -gt 1000 ]
}
poll 20 bands || fail "no corridor bands after the keys"
# The About box, then the error box (A = 1e400), each maximized and full-screened; the program
# asks for the normal state back.
for keys in F1 'shift+Tab shift+Tab ctrl+a 1 e 4 0 0 Tab Tab Tab space'; do
  press "$focused" key $keys
  bind m 'unset_maximized()'
  bind f 'unset_fullscreen()'
  press "$focused" key Return
done
echo "wayland smoke test: both boxes lived through maximize and full screen"
kill "$app"
wait "$app" || true

# The pointer on the close button of a maximized window: weston's X backend moves its pointer by
# each motion's distance, but places it where it enters the output.
xdotool mousemove 1200 850 mousemove 1007 15
for run in $(seq 40); do
  start
  bind m 'configure(1024, 768'
  poll 200 awk '/configure\(1024, 768/ { m = 1 } m && /wl_surface@[0-9]+\.commit/ { f = 1 }
    END { exit !f }' "$log" || fail "run $run: no maximized frame"
  xdotool click 1
  poll 200 eval '! kill -0 "$app" 2>/dev/null' || fail "run $run: the program went on after close"
  status=0
  wait "$app" || status=$?
  [ "$status" -eq 0 ] || fail "run $run: exit status $status"
done
echo "wayland smoke test: 40 closes from the title bar ended the program with status 0"
