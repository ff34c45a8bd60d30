#!/usr/bin/env bash
# The built Zentarix as a user starts it.
#
# Without a usable display it says so in one line and exits with status 1. On a virtual X
# server without a window manager its window is found by title, values are typed and the button
# pressed, and screenshots show the diagram area blank before and the corridor bands after; F1
# held down opens the About box only when it is released, also when a relay
# (repeat_gap_relay.py) hands each repeat's press over 15 ms after its release. Under a window
# manager (openbox), keys typed after the About box and after the error box close reach the
# field that had the focus; F1 held down opens the About box only when it is released; and the
# window closed from the window manager ends the program with status 0 (under
# AddressSanitizer, its leak check included). One session starts with standard error closed,
# an uninstalled locale and no runtime folder. No session starts a D-Bus daemon or writes
# ~/.dbus. With a second argument, the suppressions for memcheck, one session runs under
# valgrind and must close with status 0 as well.
#
# usage: smoke_test.sh PROGRAM [VALGRIND_SUPPRESSIONS]
set -euo pipefail
# A command that fails outside the checks ends the script; say which one.
trap 'echo "$(basename "$0"): line $LINENO failed: $BASH_COMMAND" >&2' ERR
program=$(realpath "$1")
suppressions=${2:-}
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
  echo "smoke test: $*" >&2
  [ -s "$log" ] && sed 's/^/  program: /' "$log" >&2
  exit 1
}

# shellcheck source=smoke_support.sh
source "$here/smoke_support.sh"

# A home of its own, and a runtime folder without a session bus in it.
home="$work/home"
mkdir -p "$home" "$work/runtime"
chmod 700 "$work/runtime"
export HOME=$home XDG_RUNTIME_DIR="$work/runtime"
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY QT_QPA_PLATFORM

# -- without a usable display -------------------------------------------------------------------
free_display=90
while [ -e "/tmp/.X11-unix/X$free_display" ] || [ -e "/tmp/.X$free_display-lock" ]; do
  free_display=$((free_display + 1))
done
while IFS='|' read -r name settings names; do
  status=0
  env -u DISPLAY $settings timeout 30 "$program" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq 1 ] || fail "$name: exit status $status, expected 1 ($(head -c 300 "$work/err"))"
  [ "$(wc -l <"$work/err")" -eq 1 ] && [ ! -s "$work/out" ] ||
    fail "$name: expected one line on standard error and no output, got:
$(cat "$work/out" "$work/err")"
  grep -q "$names" "$work/err" || fail "$name: the line does not name $names: $(cat "$work/err")"
done <<EOF
DISPLAY unset||DISPLAY is not set
DISPLAY empty|DISPLAY=|DISPLAY is empty
DISPLAY naming no server|DISPLAY=:$free_display|display ":$free_display"
unknown platform|QT_QPA_PLATFORM=nonsense|QT_QPA_PLATFORM
EOF

# -- the virtual X server ---------------------------------------------------------------------
start_xvfb 1024x768x24 100 || fail "Xvfb did not start"
pids+=("$xvfb_pid")

visible() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
hidden() { ! visible "$1"; }
main_title='^Zentarix 0\.0\.2$'
about_title='^About Zentarix$'
error_title='^Zentarix$'

# start_program [COMMAND PREFIX...]: starts the program (after the prefix) and finds its window.
app=
start_program() {
  "$@" "$program" >"$log" 2>&1 &
  app=$!
  pids+=("$app")
  window=$(timeout "${WINDOW_WAIT:-30}" xdotool search --sync --onlyvisible --name "$main_title" |
    awk 'NR == 1') || fail "no window titled 'Zentarix 0.0.2' appeared"
  eval "$(xdotool getwindowgeometry --shell "$window")"
}

# Closes the window as a user does, from the window manager, and requires status 0.
close_program() {
  xdotool windowactivate --sync "$window" key alt+F4
  poll 300 eval '! kill -0 "$app" 2>/dev/null' || fail "the program did not end after Alt+F4"
  local status=0
  wait "$app" || status=$?
  [ "$status" -eq 0 ] || fail "$1: exit status $status after a normal close"
}

# The diagram area: right of the 193-pixel input column, inside the host panel's bevel.
count() {
  xwd -silent -id "$window" >"$work/shot.xwd"
  python3 "$here/count_pixels.py" "$work/shot.xwd" 195 2 $((WIDTH - 2)) $((HEIGHT - 2)) 200 200 255
}
bands() { count | awk '{ print $2 }'; }

click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
edit1() { click 90 29; }
noise() { click 120 95; }
button() { click 98 120; }

# F1 held down repeats; the About box opens when it is released, not before.
hold_help_key() {
  xdotool keydown F1
  sleep 1.5
  if visible "$about_title"; then
    xdotool keyup F1
    fail "$1: the About box opened while F1 was still held down"
  fi
  xdotool keyup F1
  poll 50 visible "$about_title" || fail "$1: no About box after F1 was released"
  xdotool key Return
  poll 50 hidden "$about_title" || fail "$1: Enter did not close the About box"
}

# -- a session without a window manager ---------------------------------------------------------
start_program
area=$(((WIDTH - 197) * (HEIGHT - 4)))
read -r white band < <(count)
[ "$white" -eq "$area" ] || fail "the diagram area is not blank at start ($white of $area white)"

edit1
xdotool key --window "$window" ctrl+a
xdotool type --window "$window" --delay 20 200
xdotool key --window "$window" Tab
xdotool type --window "$window" --delay 20 250
button
poll 100 eval '[ "$(bands)" -gt 1000 ]' ||
  fail "no corridor bands in the diagram after the button ($(bands) band pixels)"
echo "smoke test: the window showed the diagram ($(bands) band pixels)"
# The window class is the desktop entry's StartupWMClass, by which docks match the two.
xprop -id "$window" WM_CLASS | grep -q '"Zentarix", "Zentarix"$' ||
  fail "the window class is not the desktop entry's: $(xprop -id "$window" WM_CLASS)"
# Docks and task switchers show the program's icon, read from the executable's resources, at
# every installed size, so that none of them scales one size up. xprop draws only the first
# image of the property, so its numbers are read instead: width, height and that many pixels,
# for each size.
xprop -len 100000000 -id "$window" -notype -f _NET_WM_ICON 32c ' = $0+\n' _NET_WM_ICON |
  python3 -c '
import sys
values = [int(v) for v in sys.stdin.read().partition("=")[2].split(",") if v.strip()]
at = 0
while at + 1 < len(values):
    print(f"{values[at]}x{values[at + 1]}")
    at += 2 + values[at] * values[at + 1]' >"$work/icon-sizes"
for size in 32 48 64 128 256; do
  grep -qx "${size}x$size" "$work/icon-sizes" ||
    fail "the window has no $size x $size icon, only: $(tr '\n' ' ' <"$work/icon-sizes")"
done
# The screenshot of the window that the AppStream metainfo names, where it is asked for.
if [ -n "${ZENTARIX_SCREENSHOT:-}" ]; then
  xwd -silent -id "$window" >"$work/screenshot.xwd"
  mkdir -p "$(dirname "$ZENTARIX_SCREENSHOT")"
  python3 "$here/xwd_to_png.py" "$work/screenshot.xwd" "$ZENTARIX_SCREENSHOT"
fi
hold_help_key "without a window manager"
kill "$app"
wait "$app" 2>/dev/null || true

# On an idle machine the program reads a repeat's release and press at once, so the hold above
# passes with almost any wait for the press. A busy machine or a slow link to the server hands
# the press over later: here a relay holds each repeat's press back 15 ms, well inside the
# program's 50 ms wait (KeyPreview::RepeatWait), so that a wait cut to a few milliseconds opens
# the About box on the first repeat. Qt's shared-memory images are off for this session: the
# relay passes bytes, not the descriptors Qt would send along with them.
python3 "$here/repeat_gap_relay.py" "/tmp/.X11-unix/X${DISPLAY#:}" 15 >"$work/relay" &
pids+=($!)
poll 50 test -s "$work/relay" || fail "the relay did not start"
start_program env DISPLAY="127.0.0.1:$(cat "$work/relay")" QT_XCB_NO_MITSHM=1
edit1
hold_help_key "with each repeat's press 15 ms behind its release"
kill "$app"
wait "$app" 2>/dev/null || true

# -- sessions under a window manager ------------------------------------------------------------
# On a loaded machine openbox has been seen not to come up once in a while: it gets three
# tries, and its own words are kept for the failure message.
start_openbox() {
  local attempt wm
  for attempt in 1 2 3; do
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    wm=$!
    pids+=("$wm")
    poll 150 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' &&
      return 0
    kill "$wm" 2>/dev/null || true
    echo "smoke test: openbox did not start (attempt $attempt): $(cat "$work/openbox.log")" >&2
  done
  fail "openbox did not start"
}
start_openbox

# A box belongs to the main window (the window manager gives that the focus back), and openbox
# frames it as it frames the main window, asked by the Motif hints for no Maximise and no
# Minimise (functions 8 and 16). The About box's client area keeps its own size.
owned_by_main() {
  local box hints flags functions
  box=$(xdotool search --onlyvisible --name "$1" | awk 'NR == 1')
  xprop -id "$box" WM_TRANSIENT_FOR | grep -q "# $(printf '0x%x' "$window")\$" ||
    fail "the box titled $1 is not transient for the main window: $(xprop -id "$box" WM_TRANSIENT_FOR)"
  poll 50 eval 'xprop -id "$box" _NET_FRAME_EXTENTS | grep -qE "= [0-9]+, [0-9]+, [1-9]"' ||
    fail "openbox drew no frame around the box titled $1: $(xprop -id "$box" _NET_FRAME_EXTENTS)"
  hints=$(xprop -id "$box" _MOTIF_WM_HINTS)
  IFS=', ' read -r flags functions _ <<<"${hints#*= }"
  [ $((flags & 1)) = 1 ] && [ $((functions & 24)) = 0 ] ||
    fail "the box titled $1 leaves Maximise or Minimise to the window manager: $hints"
  # openbox offers no Maximise, in its buttons or its window menu (Alt+Space). Its Iconify it
  # keeps whatever the hints say: openbox lets no Motif hint take that away.
  ! xprop -id "$box" _NET_WM_ALLOWED_ACTIONS | grep -q "MAXIMIZE" ||
    fail "openbox allows the box titled $1: $(xprop -id "$box" _NET_WM_ALLOWED_ACTIONS)"
  if [ "$1" = "$about_title" ]; then
    xwininfo -id "$box" | grep -qE "Width: 298$" && xwininfo -id "$box" | grep -qE "Height: 198$" ||
      fail "the About box's client area is not 298x198: $(xwininfo -id "$box" | grep -E 'Width|Height')"
  fi
}

start_program
# The keys after each box go where the X focus is, not to a chosen window.
noise
xdotool key F1
poll 50 visible "$about_title" || fail "F1 opened no About box"
owned_by_main "$about_title"
xdotool key Return
poll 50 hidden "$about_title" || fail "Enter did not close the About box"
xdotool key Up
poll 100 eval '[ "$(bands)" -gt 1000 ]' ||
  fail "Up after the About box closed did not reach the noise field ($(bands) band pixels)"

edit1
xdotool key ctrl+a
xdotool type --delay 20 1e400
button
poll 100 visible "$error_title" || fail "A = 1e400 showed no error box"
owned_by_main "$error_title"
xdotool key Return
poll 50 hidden "$error_title" || fail "Enter did not close the error box"
# From the button back to A, B's value there (a move of nothing has no bands), on to the noise
# field and one step up.
xdotool key shift+Tab shift+Tab shift+Tab ctrl+a
xdotool type --delay 20 110
xdotool key Tab Tab Up
poll 100 eval '[ "$(bands)" -eq 0 ]' ||
  fail "keys after the error box closed did not reach the fields ($(bands) band pixels)"
echo "smoke test: keys after the About box and the error box reached the fields"

noise
hold_help_key "under openbox"
close_program "under openbox"

# Standard error closed, a locale that is not installed (looked for in a locale folder of
# one's own), no runtime folder: the window still appears and takes keys.
log="$work/closed-stderr.log"
start_program env -u XDG_RUNTIME_DIR LC_ALL=xx_YY.UTF-8 LOCPATH=/usr/lib/locale \
  sh -c 'exec "$0" 2>&-'
noise
xdotool key Up
poll 100 eval '[ "$(bands)" -gt 1000 ]' ||
  fail "with standard error closed the window did not take a key ($(bands) band pixels)"
close_program "with standard error closed"
log="$work/app.log"

if [ -n "$suppressions" ]; then
  WINDOW_WAIT=120 start_program valgrind --quiet --error-exitcode=1 \
    --suppressions="$suppressions" --num-callers=40
  close_program "under valgrind"
  echo "smoke test: a session under valgrind closed cleanly"
fi

# No session started a D-Bus daemon of its own.
for pid in $(pgrep -x dbus-daemon || true); do
  if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "HOME=$home"; then
    kill "$pid"
    fail "the program left a dbus-daemon behind (pid $pid)"
  fi
done
[ ! -e "$home/.dbus" ] || fail "the program wrote $home/.dbus"
echo "smoke test: all sessions passed"
