#!/usr/bin/env python3
"""The cost of one call, as a script that runs the program once per move pays it: `zentarix
--print 100 110 30` beside `/bin/true`, a mawk one-shot BEGIN program that computes the same
16 values and prints them, and the window program `Zentarix --print`. Each call is one fork and
exec from this process, the programs take turns, and the mean and median per call are
reported with the ratio of zentarix to mawk.

Usage: call_bench.py ZENTARIX_PLAIN ZENTARIX_WINDOW [--calls N] [--awk mawk] [--goal]
"""
import argparse
import os
import statistics
import subprocess
import sys
import time

# The listing's 16 values for A = 100, B = 110 and 30 tenths, in double precision.
AWK_ONE_SHOT = r'''BEGIN {
  a = 100; b = 110; n = 30 * 0.001; m = b - a; d = m * n
  f3 = b - m * 0.382; f5 = b - m * 0.618; l50 = b - m * 0.5
  printf "A = %.4f\nB = %.4f\n F3 = %.4f\n 50%% = %.4f\n F5 = %.4f\n", a, b, f3, l50, f5
  printf "%.4f %.4f %.4f %.4f\n", f3 - d, d + f3, f5 - d, d + f5
  printf "%.4f %.4f %.4f %.4f %.4f %.4f\n", m * 0.618 + f3, m * 0.618 + f5, m + f3, m + f5, m * 1.618 + f3, m * 1.618 + f5
}'''


def one_call(command):
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, check=True,
                   env=dict(os.environ, LC_ALL="C.UTF-8", QT_QPA_PLATFORM="offscreen"))
    return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("plain")
    parser.add_argument("window")
    parser.add_argument("--calls", type=int, default=1000)
    parser.add_argument("--awk", default="mawk")
    parser.add_argument("--goal", action="store_true",
                        help="exit 1 unless one zentarix call costs at most 1.3 mawk calls")
    args = parser.parse_args()
    commands = {
        "/bin/true": ["/bin/true"],
        f"{args.awk} BEGIN": [args.awk, AWK_ONE_SHOT],
        "zentarix --print": [args.plain, "--print", "100", "110", "30"],
        "Zentarix --print": [args.window, "--print", "100", "110", "30"],
    }
    times = {name: [] for name in commands}
    for _ in range(args.calls):
        for name, command in commands.items():
            times[name].append(one_call(command))
    for name, values in times.items():
        print(f"{name:18} mean {statistics.mean(values) * 1e3:6.2f} ms, "
              f"median {statistics.median(values) * 1e3:6.2f} ms")
    ratio = statistics.mean(times["zentarix --print"]) / statistics.mean(times[f"{args.awk} BEGIN"])
    print(f"ratio: one zentarix call costs {ratio:.2f} {args.awk} calls")
    if args.goal and ratio > 1.3:
        sys.exit(1)


if __name__ == "__main__":
    main()
