#!/usr/bin/python3
"""What checking a price file costs, on 10,000,000 minute bars of `Date,Open,High,Low,Close,Volume`
with ISO date-times, side by side in one run:

- `zentarix --swings FILE --json --last` beside `wc -l FILE`, which reads the same bytes and
  does nothing else;
- the full `--json` beside the same command of an earlier build (--before), which read the file
  once and held every swing;
- the peak resident memory of `--json` and `--print` at thresholds 5, 1 and 0.2 percent;
- how long SIGTERM takes to end a run part-way: sent while the file is being checked, and while
  the swings are being written into a pipe;
- with --window, the chart of the file as PNG (`Zentarix --chart`, its default view and every
  bar) beside `--json --last`, and its peak memory.

The commands take turns; the median wall time of each is reported. The file is written once by
mawk (a random walk that stays near 100, so that every threshold finds swings all along).
Usage: price_file_bench.py ZENTARIX [--before OLD_ZENTARIX] [--window ZENTARIX_WINDOW] [--bars N]
                          [--runs R]
"""
import argparse
import os
import signal
import statistics
import subprocess
import tempfile
import time

# Minute i is day i / 1440 from 1990-01-01 and its time of day; the day's date comes from the
# days-from-civil inverse (proleptic Gregorian), as awk has no calendar of its own.
WRITER = r'''
function civil(z,   era, doe, yoe, doy, mp, d, m, y) {
  z += 719468; era = int(z / 146097); doe = z - era * 146097
  yoe = int((doe - int(doe / 1460) + int(doe / 36524) - int(doe / 146096)) / 365)
  y = yoe + era * 400; doy = doe - (365 * yoe + int(yoe / 4) - int(yoe / 100))
  mp = int((5 * doy + 2) / 153); d = doy - int((153 * mp + 2) / 5) + 1
  m = mp < 10 ? mp + 3 : mp - 9
  return sprintf("%04d-%02d-%02d", y + (m <= 2), m, d)
}
BEGIN {
  srand(20261208); print "Date,Open,High,Low,Close,Volume"
  p = 100; day = -1
  for (i = 0; i < bars; i++) {
    if (int(i / 1440) != day) { day = int(i / 1440); date = civil(7305 + day) }
    o = p; p *= 1 + (rand() - 0.5) / 200 - (p - 100) / 20000
    h = (o > p ? o : p) * (1 + rand() / 1000); l = (o < p ? o : p) * (1 - rand() / 1000)
    printf "%s %02d:%02d,%.4f,%.4f,%.4f,%.4f,%d\n", date, int(i % 1440 / 60), i % 60, o, h, l, p, 100 + i % 900
  }
}'''


def wall(command, stdout=subprocess.DEVNULL):
    start = time.perf_counter()
    subprocess.run(command, stdout=stdout, stderr=subprocess.DEVNULL, check=False,
                   env=dict(os.environ, LC_ALL="C.UTF-8"))
    return time.perf_counter() - start


def peak_memory(command):
    """Peak resident memory (MiB), as GNU time reports it."""
    result = subprocess.run(["/usr/bin/time", "-f", "%M", *command], stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, check=False, text=True,
                            env=dict(os.environ, LC_ALL="C.UTF-8"))
    return int(result.stderr.split()[-1]) / 1024


def stop_delay(command, after, into_pipe):
    """Seconds from SIGTERM to the process's end, the signal sent `after` seconds into the run;
    the status it ended with."""
    process = subprocess.Popen(command, stdout=subprocess.PIPE if into_pipe else subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    if into_pipe:
        # Read a little, then stop reading: the run blocks in a write, as with a slow reader,
        # and the signal must still end it.
        process.stdout.read(1 << 16)
    time.sleep(after)
    start = time.perf_counter()
    process.send_signal(signal.SIGTERM)
    if into_pipe:
        process.stdout.read()
    status = process.wait()
    return time.perf_counter() - start, status


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("zentarix")
    parser.add_argument("--before", help="an earlier build of zentarix, for the full --json")
    parser.add_argument("--window", help="the window program, which draws --chart")
    parser.add_argument("--bars", type=int, default=10_000_000)
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as work:
        history = os.path.join(work, "minutes.csv")
        with open(history, "w") as out:
            subprocess.run(["mawk", "-v", f"bars={args.bars}", WRITER], stdout=out, check=True)
        size = os.path.getsize(history) / 2**20
        commands = {
            "wc -l": ["wc", "-l", history],
            "--json --last": [args.zentarix, "--swings", history, "--json", "--last"],
            "--json": [args.zentarix, "--swings", history, "--json"],
        }
        if args.before:
            commands["--json, before"] = [args.before, "--swings", history, "--json"]
        chart = os.path.join(work, "chart.png")
        if args.window:
            commands["--chart"] = [args.window, "--swings", history, "--chart", chart]
            commands["--chart --bars all"] = [args.window, "--swings", history, "--chart", chart,
                                              "--bars", "all"]
        times = {name: [] for name in commands}
        for _ in range(args.runs):
            for name, command in commands.items():
                times[name].append(wall(command))
        medians = {name: statistics.median(values) for name, values in times.items()}
        print(f"{args.bars} bars, {size:.0f} MiB")
        for name, seconds in medians.items():
            print(f"  {name:20} {seconds:7.3f} s")
        print(f"  --json --last / wc -l: {medians['--json --last'] / medians['wc -l']:.1f} (goal 5)")
        if args.before:
            print(f"  --json / before: {medians['--json'] / medians['--json, before']:.2f} (goal 1.3)")
        if args.window:
            for name in ("--chart", "--chart --bars all"):
                print(f"  {name} / --json --last: {medians[name] / medians['--json --last']:.2f}"
                      f" (goal 3), peak memory {peak_memory(commands[name]):.1f} MiB (goal 100)")
        for threshold in ("5", "1", "0.2"):
            for output in ("--json", "--print"):
                command = [args.zentarix, "--swings", history, output, "--threshold", threshold]
                print(f"  peak memory {output} --threshold {threshold}: "
                      f"{peak_memory(command):.1f} MiB (goal 64)")
        full = [args.zentarix, "--swings", history, "--json", "--threshold", "0.2"]
        checking = [stop_delay(full, 0.3, False) for _ in range(args.runs)]
        writing = [stop_delay(full, 0.1, True) for _ in range(args.runs)]
        for name, delays in (("while checking", checking), ("while writing", writing)):
            seconds = [delay for delay, _ in delays]
            statuses = sorted({status for _, status in delays})
            print(f"  SIGTERM {name}: median {1000 * statistics.median(seconds):.1f} ms, "
                  f"longest {1000 * max(seconds):.1f} ms, statuses {statuses} (goal 100 ms)")


if __name__ == "__main__":
    main()
