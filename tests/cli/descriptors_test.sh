#!/usr/bin/env bash
# The built command-line programs on real descriptors: a failure to read or write is one line
# on standard error and status 74, never a quiet success; an interrupted batch leaves only
# whole lines and ends with 128 + the signal; parallel appenders never break a line.
#
# usage: descriptors_test.sh PLAIN_PROGRAM WINDOW_PROGRAM
set -uo pipefail
plain=$1
window=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
checks=0

# expect NAME STATUS ERROR_PART COMMAND...: the command's status, and one line on standard
# error holding ERROR_PART.
expect() {
  local name=$1 status=$2 part=$3
  shift 3
  "$@" 2>"$work/err"
  local got=$?
  checks=$((checks + 1))
  if [ "$got" != "$status" ] || [ "$(wc -l <"$work/err")" != 1 ] || ! grep -qF -- "$part" "$work/err"; then
    echo "FAIL $name: status $got (expected $status), standard error: $(cat "$work/err")"
    failures=$((failures + 1))
  fi
}

printf '100 110 30\n' >"$work/moves"
for z in "$plain" "$window"; do
  expect "$z --print into a full disk" 74 "write error: No space left on device" \
    "$z" --print 100 110 30 >/dev/full
  expect "$z --json with standard output closed" 74 "write error: Bad file descriptor" \
    "$z" --json 100 110 30 >&-
  expect "$z --help into a full disk" 74 "write error" "$z" --help >/dev/full
  expect "$z --version into a full disk" 74 "write error" "$z" --version >/dev/full
  expect "$z a batch into a full disk" 74 "write error" "$z" --json - <"$work/moves" >/dev/full
  expect "$z a directory as input" 74 "cannot read standard input: Is a directory" \
    "$z" --json - </ >/dev/null
  expect "$z standard input closed" 74 "cannot read standard input: Bad file descriptor" \
    "$z" --json - <&- >/dev/null
  expect "$z a mistyped option" 64 "unknown or ambiguous option '--jsno'" \
    "$z" --jsno 100 110 30 </dev/null
done

# The sample history has at least three swings at the default threshold. The window program
# draws its chart without a display, as PNG and as SVG, saying nothing; a chart that cannot be
# written is one line and status 74. The plain program cannot draw.
sample=$(dirname "$0")/../../examples/prices.csv
swings=$("$plain" --swings "$sample" --json | wc -l)
checks=$((checks + 1))
if [ "$swings" -lt 3 ]; then
  echo "FAIL the sample history: $swings swings"
  failures=$((failures + 1))
fi
for picture in chart.png chart.svg; do
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$window" --swings "$sample" --chart "$work/$picture" 2>"$work/err"
  status=$?
  checks=$((checks + 1))
  if [ "$status" != 0 ] || [ -s "$work/err" ] ||
    ! file "$work/$picture" | grep -qE 'PNG image data, 1280 x 720|SVG Scalable Vector Graphics'; then
    echo "FAIL $picture: status $status, $(file "$work/$picture"), standard error: $(cat "$work/err")"
    failures=$((failures + 1))
  fi
done
# Beside one move's listing, the window program draws its level diagram; the diagram's SVG
# draws its sloped lines as vector lines, not as runs of one-pixel squares.
for picture in diagram.png diagram.svg; do
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$window" --print 100 110 30 --diagram "$work/$picture" >"$work/listing" 2>"$work/err"
  status=$?
  checks=$((checks + 1))
  if [ "$status" != 0 ] || [ -s "$work/err" ] ||
    ! "$plain" --print 100 110 30 | cmp -s - "$work/listing" ||
    ! file "$work/$picture" | grep -qE 'PNG image data|SVG Scalable Vector Graphics'; then
    echo "FAIL $picture: status $status, $(file "$work/$picture"), standard error: $(cat "$work/err")"
    failures=$((failures + 1))
  fi
done
checks=$((checks + 1))
if grep -q 'width="1" height="1"' "$work/diagram.svg" || [ "$(grep -c '<polyline' "$work/diagram.svg")" -lt 3 ]; then
  echo "FAIL the diagram's SVG draws its lines in one-pixel squares"
  failures=$((failures + 1))
fi
expect "$plain --diagram" 64 "--diagram is drawn by Zentarix" \
  "$plain" --print 100 110 30 --diagram "$work/plain.png"
# The same rows written newest first draw the same chart, pixel for pixel (one name for both,
# as the title names the file).
mkdir "$work/newest-first"
{ head -n 1 "$sample"; tail -n +2 "$sample" | tac; } >"$work/newest-first/prices.csv"
for folder in "$(dirname "$sample")" "$work/newest-first"; do
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
    "$window" --swings "$folder/prices.csv" --chart "$work/$(basename "$folder").png" 2>/dev/null
done
checks=$((checks + 1))
if ! cmp -s "$work/examples.png" "$work/newest-first.png"; then
  echo "FAIL a newest-first history draws another chart"
  failures=$((failures + 1))
fi
expect "a chart into a folder that is not there" 74 \
  "cannot write $work/missing/chart.png: No such file or directory" \
  env -u DISPLAY "$window" --swings "$sample" --chart "$work/missing/chart.png"
# A copy of the program away from its modules cannot write SVG and says where it looked.
mkdir "$work/bin" && cp "$window" "$work/bin/"
looked=$(realpath "$work")/lib/zentarix/modules/libzentarix_svg.so
expect "an SVG chart without the SVG module" 74 \
  "cannot write $work/alone.svg: $looked: no such file" \
  env -u DISPLAY "$work/bin/$(basename "$window")" --swings "$sample" --chart "$work/alone.svg"
expect "$plain --chart" 64 "--chart is drawn by Zentarix" \
  "$plain" --swings "$sample" --chart "$work/plain.png"

# A reader that is gone, with SIGPIPE ignored by the caller: the run stops at once.
yes '100 110 30' | head -n 2000000 >"$work/many"
status=$(bash -c "trap '' PIPE; '$plain' --json - <'$work/many' 2>'$work/err' | head -n 1 >/dev/null; echo \${PIPESTATUS[0]}")
checks=$((checks + 1))
if [ "$status" != 74 ] || ! grep -qF "Broken pipe" "$work/err"; then
  echo "FAIL a reader gone: status $status, $(cat "$work/err")"
  failures=$((failures + 1))
fi

# SIGTERM part-way: whole lines only, status 143. The program is sent the signal once its first
# block is out, so that the signal comes while it works, whatever the machine's speed.
"$plain" --json - <"$work/many" >"$work/out" 2>/dev/null &
pid=$!
for _ in $(seq 100); do [ -s "$work/out" ] && break; sleep 0.05; done
kill -TERM "$pid"
wait "$pid"
status=$?
last=$(tail -c 1 "$work/out" | od -An -c | tr -d ' ')
checks=$((checks + 1))
if [ "$status" != 143 ] || [ "$last" != '\n' ] || grep -qv '^{"line":[0-9]*,"a":100,[^{]*}$' "$work/out"; then
  echo "FAIL SIGTERM part-way: status $status, last byte '$last'"
  failures=$((failures + 1))
fi

# blocked_in PID CALL: waits until the process, once it runs the plain program, sits in system
# call CALL (0 read, 1 write), as /proc says, so that a signal sent next lands in that call
# whatever the machine's speed.
blocked_in() {
  for _ in $(seq 400); do
    [ "$(cat "/proc/$1/comm" 2>/dev/null)" = "$(basename "$plain" | cut -c1-15)" ] &&
      [ "$(cut -d' ' -f1 "/proc/$1/syscall" 2>/dev/null)" = "$2" ] && return 0
    sleep 0.05
  done
  return 1
}

# signal_in_blocked_write SIGNAL INPUT COMMAND...: runs the command on INPUT into a reader that
# reads nothing
# until the command is blocked in a write, sends it the signal, then reads everything into
# $work/out; status is the command's. A background job of a script starts with SIGINT ignored,
# so the command gets it back as a terminal would give it.
signal_in_blocked_write() {
  local signal=$1 input=$2
  shift 2
  rm -f "$work/slow" && mkfifo "$work/slow"
  python3 -c 'import os, signal, sys; signal.signal(signal.SIGINT, signal.SIG_DFL); os.execv(sys.argv[1], sys.argv[1:])' \
    "$@" <"$input" >"$work/slow" 2>/dev/null &
  local pid=$!
  exec 3<"$work/slow"
  blocked_in "$pid" 1 && kill "-$signal" "$pid"
  cat <&3 >"$work/out"
  exec 3<&-
  wait "$pid"
  status=$?
}

# SIGTERM while a write to a slow reader is blocked part-way through a block: the rest of the
# block follows once the reader reads, never the block again from its start.
signal_in_blocked_write TERM "$work/many" "$plain" --json -
checks=$((checks + 1))
# Every line whole and each move once, in order: a block sent again from its start would repeat
# lines.
if [ "$status" != 143 ] || [ ! -s "$work/out" ] || grep -qv '^{"line":[0-9]*,"a":100,[^{]*}$' "$work/out" ||
  ! awk -F'[:,]' '$2 != NR { exit 1 }' "$work/out"; then
  echo "FAIL SIGTERM in a blocked write: status $status, $(grep -cv '^{"line":[0-9]*,"a":100,[^{]*}$' "$work/out") broken lines"
  failures=$((failures + 1))
fi

# SIGTERM while a batch waits for input that does not come: it ends at once.
{ echo '100 110 30'; sleep 30; } | "$plain" --json - >"$work/out" 2>/dev/null &
pid=$!
blocked_in "$pid" 0 && kill -TERM "$pid"
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
ended=$(kill -0 "$pid" 2>/dev/null && echo no || echo yes)
wait "$pid"
status=$?
checks=$((checks + 1))
if [ "$ended" != yes ] || [ "$status" != 143 ] || [ "$(wc -l <"$work/out")" != 1 ]; then
  echo "FAIL SIGTERM while waiting for input: ended $ended, status $status"
  failures=$((failures + 1))
fi
pkill -f 'sleep 30' 2>/dev/null

# A history of 600,000 bars: SIGINT part-way through --swings leaves whole lines and 130, and
# a newest-first copy read through a pipe gives the swings of the file, leaving no temporary file.
awk 'BEGIN { print "Date,High,Low"; srand(7)
  for (i = 0; i < 600000; i++) { p = 100 * exp(sin(i / 5000)) * (1 + (rand() - 0.5) / 50)
    printf "%d,%.4f,%.4f\n", 1000000000 + 60 * i, p * 1.002, p * 0.998 } }' >"$work/history"
signal_in_blocked_write INT /dev/null "$plain" --swings "$work/history" --json --threshold 0.5
checks=$((checks + 1))
if [ "$status" != 130 ] || [ "$(tail -c 1 "$work/out" | od -An -c | tr -d ' ')" != '\n' ] ||
  grep -qv '^{"swing":[0-9]*,.*"xop_f5":[0-9.e+-]*}$' "$work/out"; then
  echo "FAIL SIGINT part-way through --swings: status $status"
  failures=$((failures + 1))
fi
# Memory does not grow with the swings: hundreds of thousands of them, at most 64 MiB at the
# peak (an AddressSanitizer build keeps memory of its own, so it is not measured there).
if [ -z "${ASAN_OPTIONS:-}" ]; then
  peak=$(python3 -c 'import resource, subprocess, sys
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, check=True)
print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss // 1024)' \
    "$plain" --swings "$work/history" --json --threshold 0.2)
  checks=$((checks + 1))
  if [ -z "$peak" ] || [ "$peak" -gt 64 ]; then
    echo "FAIL memory of --swings with many swings: ${peak:-?} MiB"
    failures=$((failures + 1))
  fi
fi
{ head -n 1 "$work/history"; tail -n +2 "$work/history" | tac; } >"$work/newest"
mkdir "$work/tmp"
"$plain" --swings "$work/history" --json --last >"$work/oldest.json" 2>/dev/null
TMPDIR="$work/tmp" "$plain" --swings - --json --last <"$work/newest" >/dev/null 2>&1
cat "$work/newest" | TMPDIR="$work/tmp" "$plain" --swings - --json --last --lang en \
  >"$work/newest.json" 2>"$work/err"
checks=$((checks + 1))
if ! diff <(sed 's/"a_line":[0-9]*,"b_line":[0-9]*,//' "$work/oldest.json") \
  <(sed 's/"a_line":[0-9]*,"b_line":[0-9]*,//' "$work/newest.json") >/dev/null ||
  [ -n "$(ls -A "$work/tmp")" ] || ! grep -q "newest first" "$work/err"; then
  echo "FAIL a newest-first history through a pipe: $(cat "$work/err"), left: $(ls -A "$work/tmp")"
  failures=$((failures + 1))
fi

# Eight runs appending to one file: every line whole.
head -n 200000 "$work/many" >"$work/some"
for _ in 1 2 3 4 5 6 7 8; do "$plain" --json - <"$work/some" >>"$work/appended" & done
wait
lines=$(wc -l <"$work/appended")
broken=$(grep -cv '^{"line":[0-9]*,"a":100,[^{]*}$' "$work/appended")
checks=$((checks + 1))
if [ "$lines" != 1600000 ] || [ "$broken" != 0 ]; then
  echo "FAIL eight appenders: $lines lines, $broken broken"
  failures=$((failures + 1))
fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" = 0 ]
