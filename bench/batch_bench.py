#!/usr/bin/env python3
"""Throughput of the batch command beside awk: the same random moves run through
`zentarix --json -` and through an awk program that computes the same 16 values in double
precision and writes them as JSON Lines; with --before, also through an earlier build of the
program, to see that a change costs no throughput. Runs take turns; the median wall time of
each is reported with moves per second and the ratios.

Usage: batch_bench.py ZENTARIX [--before EARLIER_ZENTARIX] [--moves N] [--runs R] [--awk mawk]
"""
import argparse
import os
import random
import statistics
import subprocess
import tempfile
import time

# The same formulas as the calculation record, in double precision: F3 and F5 from B back
# along the move, the corridors of +-(B - A) x noise around them, the 50% level and the six
# targets, clamped at zero.
AWK_PROGRAM = r'''
NF == 3 {
  a = $1; b = $2; n = $3 * 0.001; m = b - a; d = m * n
  f3 = b - m * 0.382; f5 = b - m * 0.618; l50 = b - m * 0.5
  c3 = m * 0.618 + f3; c5 = m * 0.618 + f5; o3 = m + f3; o5 = m + f5
  x3 = m * 1.618 + f3; x5 = m * 1.618 + f5
  if (c3 < 0) c3 = 0; if (c5 < 0) c5 = 0; if (o3 < 0) o3 = 0
  if (o5 < 0) o5 = 0; if (x3 < 0) x3 = 0; if (x5 < 0) x5 = 0
  printf "{\"a\":%.17g,\"b\":%.17g,\"noise\":%.17g,\"f3\":%.17g,\"level50\":%.17g,\"f5\":%.17g,\"f3_1\":%.17g,\"f3_2\":%.17g,\"f5_1\":%.17g,\"f5_2\":%.17g,\"cop_f3\":%.17g,\"cop_f5\":%.17g,\"op_f3\":%.17g,\"op_f5\":%.17g,\"xop_f3\":%.17g,\"xop_f5\":%.17g}\n", a, b, n, f3, l50, f5, f3 - d, d + f3, f5 - d, d + f5, c3, c5, o3, o5, x3, x5
}
'''


def write_moves(path, count):
    rng = random.Random(20261207)
    with open(path, "w") as out:
        for _ in range(count):
            a = rng.randint(5000, 500000000) / 10000
            b = rng.randint(5000, 500000000) / 10000
            out.write(f"{a:.4f} {b:.4f} {rng.randint(0, 100)}\n")


def timed(command, moves_path):
    with open(moves_path, "rb") as moves, open(os.devnull, "wb") as sink:
        start = time.perf_counter()
        subprocess.run(command, stdin=moves, stdout=sink, check=False,
                       env=dict(os.environ, LC_ALL="C.UTF-8"))
        return time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("zentarix")
    parser.add_argument("--moves", type=int, default=1_000_000)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--awk", default="mawk")
    parser.add_argument("--before", help="an earlier build, measured in the same run")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as work:
        moves = os.path.join(work, "moves.txt")
        write_moves(moves, args.moves)
        commands = {"zentarix --json -": [args.zentarix, "--json", "-"],
                    args.awk: [args.awk, AWK_PROGRAM]}
        if args.before:
            commands["before"] = [args.before, "--json", "-"]
        times = {name: [] for name in commands}
        for _ in range(args.runs):
            for name, command in commands.items():
                times[name].append(timed(command, moves))
    medians = {name: statistics.median(values) for name, values in times.items()}
    for name, seconds in medians.items():
        print(f"{name}: {seconds:.3f} s, {args.moves / seconds / 1e6:.2f} million moves/s")
    ours, theirs = medians["zentarix --json -"], medians[args.awk]
    print(f"ratio: zentarix {theirs / ours:.2f} x the throughput of {args.awk}")
    if args.before:
        print(f"ratio: zentarix {medians['before'] / ours:.2f} x the throughput before")


if __name__ == "__main__":
    main()
