# Sourced by the smoke tests.
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
