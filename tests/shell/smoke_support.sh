# What the smoke tests share; sourced by them.

# poll TRIES COMMAND...: runs the command up to TRIES times, POLL_INTERVAL seconds apart (0.1
# unless the script sets it), until it succeeds; fails when it never does.
poll() {
  local tries=$1
  shift
  for _ in $(seq "$tries"); do
    "$@" && return 0
    sleep "${POLL_INTERVAL:-0.1}"
  done
  return 1
}

# start_xvfb SCREEN TRIES: a virtual X server with one screen of SCREEN (WIDTHxHEIGHTxDEPTH) on a
# display it picks itself, which writes the display's number to $work/display when it is ready.
# Waits up to TRIES polls for it, then exports DISPLAY and sets xvfb_pid; fails, with the server
# stopped, when it never gets ready.
start_xvfb() {
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  exec 3>&-
  if poll "$2" test -s "$work/display"; then
    export DISPLAY=":$(cat "$work/display")"
    return 0
  fi
  kill "$xvfb_pid" 2>/dev/null || true
  return 1
}
