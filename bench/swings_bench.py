#!/usr/bin/python3
"""Swings of a price history beside the program a user would write instead: `zentarix
--swings FILE --json` end to end, and a pandas/numpy program that reads the same file with
read_csv, runs the same zigzag and the same level formulas in doubles and writes the same JSON
Lines; then the reading alone, zentarix with a threshold no move reaches beside read_csv (C
engine) alone. The file is 1,000,000 bars of a random walk with volatility clusters, written
once. The programs take turns; the median wall time of each is reported, with the peak
resident memory of each (price_file_bench.py measures zentarix's on far longer files).

Needs Debian's python3-pandas (run it with /usr/bin/python3).
Usage: swings_bench.py ZENTARIX [--bars N] [--runs R]
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

import numpy as np

PANDAS_PROGRAM = r'''
import json, sys
import pandas as pd
threshold, tenths = 5.0, 30.0
frame = pd.read_csv(sys.argv[1], usecols=["Date", "High", "Low"])
hi, lo, dates = frame["High"].to_numpy(), frame["Low"].to_numpy(), frame["Date"].to_numpy()
up, down = 1 + threshold / 100, 1 - threshold / 100
swings, trend, mx, mn, start, ext = [], 0, 0, 0, 0, 0
for i in range(len(hi)):
    if trend == 0:
        if i > 0 and hi[i] >= lo[mn] * up: trend, start, ext = 1, mn, i
        elif i > 0 and lo[i] <= hi[mx] * down: trend, start, ext = -1, mx, i
        else:
            if i == 0 or hi[i] > hi[mx]: mx = i
            if i == 0 or lo[i] < lo[mn]: mn = i
    elif trend == 1:
        if hi[i] > hi[ext]: ext = i
        elif lo[i] <= hi[ext] * down: swings.append((1, start, ext, True)); trend, start, ext = -1, ext, i
    else:
        if lo[i] < lo[ext]: ext = i
        elif hi[i] >= lo[ext] * up: swings.append((-1, start, ext, True)); trend, start, ext = 1, ext, i
if trend != 0: swings.append((trend, start, ext, False))
out = []
for number, (direction, s, e, confirmed) in enumerate(swings, 1):
    a, b = (lo[s], hi[e]) if direction == 1 else (hi[s], lo[e])
    n = tenths * 0.001; m = b - a; d = m * n
    f3, f5, l50 = b - m * 0.382, b - m * 0.618, b - m * 0.5
    targets = [max(0.0, v) for v in (m * 0.618 + f3, m * 0.618 + f5, m + f3, m + f5, m * 1.618 + f3, m * 1.618 + f5)]
    record = {"swing": number, "direction": "up" if direction == 1 else "down", "confirmed": confirmed,
              "a_line": int(s) + 2, "b_line": int(e) + 2, "a_time": str(dates[s]), "b_time": str(dates[e]),
              "a": a, "b": b, "noise": n, "f3": f3, "level50": l50, "f5": f5, "f3_1": f3 - d, "f3_2": f3 + d,
              "f5_1": f5 - d, "f5_2": f5 + d, "cop_f3": targets[0], "cop_f5": targets[1], "op_f3": targets[2],
              "op_f5": targets[3], "xop_f3": targets[4], "xop_f5": targets[5]}
    out.append(json.dumps(record, separators=(",", ":")))
sys.stdout.write("\n".join(out) + "\n")
'''

READ_CSV_ONLY = r'''
import sys
import pandas as pd
pd.read_csv(sys.argv[1], usecols=["Date", "High", "Low"])
'''


def write_history(path, bars, seed=20261207):
    """A random walk whose volatility follows its own slow random process (calm and wild
    stretches), pulled gently back towards 100 so that prices stay in a trader's range."""
    rng = np.random.default_rng(seed)
    log_vol = np.empty(bars)
    shocks = rng.normal(0, 0.15, bars)
    log_vol[0] = np.log(0.01)
    for i in range(1, bars):
        log_vol[i] = 0.98 * log_vol[i - 1] + 0.02 * np.log(0.01) + shocks[i]
    vol = np.clip(np.exp(log_vol), 0.002, 0.05)
    steps = rng.normal(0, 1, bars) * vol
    log_price = np.empty(bars)
    log_price[0] = np.log(100)
    for i in range(1, bars):
        log_price[i] = log_price[i - 1] + steps[i] - 0.002 * (log_price[i - 1] - np.log(100))
    close = np.exp(log_price)
    open_ = np.concatenate(([100.0], close[:-1]))
    high = np.maximum(open_, close) * (1 + np.abs(rng.normal(0, 0.5, bars)) * vol)
    low = np.minimum(open_, close) * (1 - np.abs(rng.normal(0, 0.5, bars)) * vol)
    days = np.datetime64("1990-01-01") + np.arange(bars)
    with open(path, "w") as out:
        out.write("Date,Open,High,Low,Close,Adj Close,Volume\n")
        for d, o, h, l, c in zip(days.astype(str), open_, high, low, close):
            out.write(f"{d},{o:.4f},{h:.4f},{l:.4f},{c:.4f},{c:.4f},1000\n")


def run(command):
    """Wall time of one run."""
    with open(os.devnull, "wb") as sink:
        start = time.perf_counter()
        subprocess.run(command, stdout=sink, check=True, env=dict(os.environ, LC_ALL="C.UTF-8"))
        return time.perf_counter() - start


def peak_memory(command):
    """Peak resident memory (MiB) of one run, as GNU time reports it: a child of this process
    would count the memory of the Python process it was forked from."""
    result = subprocess.run(["/usr/bin/time", "-f", "%M", *command], stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, check=True, text=True,
                            env=dict(os.environ, LC_ALL="C.UTF-8"))
    return int(result.stderr.split()[-1]) / 1024


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("zentarix")
    parser.add_argument("--bars", type=int, default=1_000_000)
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as work:
        history = os.path.join(work, "history.csv")
        write_history(history, args.bars)
        commands = {
            "zentarix --swings --json": [args.zentarix, "--swings", history, "--json"],
            "pandas program": [sys.executable, "-c", PANDAS_PROGRAM, history],
            "zentarix reading": [args.zentarix, "--swings", history, "--threshold", "99.99"],
            "pandas read_csv": [sys.executable, "-c", READ_CSV_ONLY, history],
        }
        times = {name: [] for name in commands}
        for _ in range(args.runs):
            for name, command in commands.items():
                times[name].append(run(command))
        memory = {name: peak_memory(command) for name, command in commands.items()}
    medians = {name: statistics.median(values) for name, values in times.items()}
    for name, seconds in medians.items():
        print(f"{name:26} {seconds:7.3f} s, peak {memory[name]:7.1f} MiB")
    print(f"end to end: zentarix {medians['pandas program'] / medians['zentarix --swings --json']:.1f}"
          " x as fast as pandas")
    print(f"reading: zentarix {medians['pandas read_csv'] / medians['zentarix reading']:.1f}"
          " x as fast as read_csv")


if __name__ == "__main__":
    main()
