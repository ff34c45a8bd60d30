#!/usr/bin/env bash
# The window as a blind user meets it: the Orca screen reader on a virtual X server under
# openbox, with a session bus of its own and the AT-SPI bus and registry it starts, reads the
# window while the keyboard works it, and its debug log says what it spoke. Tabbing through the
# window names each field by its label with its value and the button by its name and role; the
# button's calculation is followed by the levels in brief, and a value in A that is not a
# number, left with Tab, by the check's message, with the last focus event Orca receives naming
# A, where the check put the focus back.
#
# Passes with a message, testing nothing, when Orca itself cannot start (not installed, or no
# AT-SPI bus): the rest of the smoke tests cover the window without it.
#
# usage: orca_smoke_test.sh PROGRAM
set -euo pipefail
trap 'echo "$(basename "$0"): line $LINENO failed: $BASH_COMMAND" >&2' ERR
here=$(cd "$(dirname "$0")" && pwd)
script="$here/$(basename "$0")"

# shellcheck source=smoke_support.sh
source "$here/smoke_support.sh"

# -- inside the session bus -----------------------------------------------------------------
if [ "${1:-}" = --in-session ]; then
  program=$2
  work=$3
  pids=()
  cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
  trap cleanup EXIT
  speech="$work/orca.log"
  # The utterances of Orca's debug log, each in quotes without the voice that follows it.
  utterances() { sed -n "s/.*SPEECH OUTPUT: \('.*'\)\( *{.*\)\{0,1\}$/\1/p"; }
  app_log="$work/app.log"
  # The test's own words go to descriptors 3 (its output) and 4 (its errors); the session's
  # services write to the session's log.
  fail() {
    {
      echo "orca smoke test: $*"
      if [ -s "$speech" ]; then
        echo "  what Orca spoke:"
        utterances <"$speech" | sed 's/^/    /'
      fi
      if [ -s "$app_log" ]; then sed 's/^/  program: /' "$app_log"; fi
    } >&4
    exit 1
  }

  openbox >"$work/openbox.log" 2>&1 3>&- 4>&- &
  pids+=($!)
  poll 100 xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 || fail "openbox did not start"

  # Orca's own settings: its debug log written line by line, so that each utterance can be
  # read as soon as it is spoken. No speech server: Orca logs what it speaks all the same.
  mkdir -p "$HOME/.local/share/orca"
  cat >"$HOME/.local/share/orca/orca-customizations.py" <<'EOF'
import orca.debug
if orca.debug.debugFile:
    orca.debug.debugFile.reconfigure(line_buffering=True)
EOF
  SPEECHD_CMD=/bin/false orca --debug-file="$speech" >"$work/orca.out" 2>&1 3>&- 4>&- &
  orca_pid=$!
  pids+=("$orca_pid")
  orca_started() { grep -qsF "SPEECH OUTPUT: 'Screen reader on.'" "$speech"; }
  poll 200 eval 'orca_started || ! kill -0 "$orca_pid" 2>/dev/null' || true
  if ! orca_started; then
    echo "orca smoke test: skipped, Orca did not start:" \
      "$(tail -qn 3 "$work/orca.out" "$speech" 2>/dev/null | tr '\n' ' ')" >&3
    exit 0
  fi

  # What Orca spoke since the mark, one utterance a line.
  mark=0
  spoken_since_mark() { tail -n +$((mark + 1)) "$speech" | utterances; }
  set_mark() { mark=$(wc -l <"$speech"); }
  # hears TEXT...: each text is in an utterance spoken since the mark.
  hears() {
    local spoken
    spoken=$(spoken_since_mark)
    for text in "$@"; do grep -qF -- "$text" <<<"$spoken" || return 1; done
  }
  # expect WHAT TEXT...: waits up to 20 s until Orca has spoken every text since the mark.
  expect() {
    local what=$1
    shift
    poll 200 hears "$@" || fail "$what: Orca did not say $(printf "'%s' " "$@")"
  }
  press() {
    set_mark
    xdotool key "$@"
  }
  # The object of the last focus event Orca received.
  last_focus() {
    grep -o 'Dequeued object:state-changed:focused \[[^]]*\] (1,' "$speech" | tail -n 1 |
      sed 's/.*focused //; s/ (1,$//'
  }

  # Qt's AT-SPI bridge is on from the program's start. (The program also follows the session's
  # accessibility setting, which Orca turns on; the test does not depend on how soon it sees it.)
  set_mark
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$app_log" 2>&1 3>&- 4>&- &
  app=$!
  pids+=("$app")
  # On a loaded machine Orca may take in the program only after its first focus event; a
  # focus moved away and back is heard once it has.
  if ! poll 100 hears "Значение А" "100"; then
    press Tab
    press shift+Tab
  fi
  expect "the window opened" "Значение А" "100"
  press Tab
  expect "Tab to B" "Значение В" "110"
  press Tab
  expect "Tab to the noise" "Шум (x 0,1%) 30 spin button"
  press Tab
  expect "Tab to the button" "Расчет push button"
  press space
  expect "Space on the button" "F3 106.18, 50% 105, F5 103.82"
  # F6 reaches the listing, whose lines the arrow keys read; Shift+F6 goes back.
  press F6
  expect "F6 to the listing" "A = 100.0000"
  press Down
  expect "Down in the listing" "B = 110.0000"
  press shift+F6
  expect "Shift+F6 back to the button" "Расчет push button"
  # A noise step is heard as the corridors it moves.
  press shift+Tab
  expect "Shift+Tab to the noise" "Шум (x 0,1%) 30 spin button"
  press Up
  expect "Up in the noise" "Шум 3.1%: коридор F3 105.87 – 106.49, коридор F5 103.51 – 104.13"
  press Tab
  expect "Tab to the button again" "Расчет push button"
  press Tab
  expect "Tab to A" "Значение А" "100"
  set_mark
  xdotool type abc
  press Tab
  expect "abc in A, then Tab" "Ошибка в значении А!"
  # The last focus Orca was told of is where the window's focus is: in A, not in B where the
  # Tab was heading.
  poll 30 eval '[ "$(last_focus)" = "[text | Значение А]" ]' ||
    fail "the check took the focus back to A, but the last focus event names $(last_focus)"
  kill -0 "$app" 2>/dev/null || fail "the program ended by itself"
  # Qt's text cursor never complained of a position Orca asked for.
  ! grep -F "QTextCursor::setPosition" "$app_log" || fail "Qt warned of a text position"
  echo "orca smoke test: Orca named the fields, the button, the error, the levels, the" \
    "listing's lines after F6 and the corridors after a noise step" >&3
  exit 0
fi

# -- outside: the virtual X server and the session bus ------------------------------------------
program=$(realpath "$1")
work=$(mktemp -d)
xvfb=
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
if ! command -v orca >/dev/null; then
  echo "orca smoke test: skipped, Orca is not installed"
  exit 0
fi

# A home of its own, so that Orca starts from its default settings.
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY QT_QPA_PLATFORM LC_ALL LANGUAGE \
  LC_NUMERIC

start_xvfb 1024x768x24 100 || { echo "orca smoke test: Xvfb did not start" >&2; exit 1; }
xvfb=$xvfb_pid

# The session bus and the services it starts write to the session's log, shown on a failure.
status=0
dbus-run-session -- bash "$script" --in-session "$program" "$work" 3>&1 4>&2 \
  >"$work/session.log" 2>&1 || status=$?
[ "$status" -eq 0 ] || cat "$work/session.log" >&2
exit "$status"
