#!/usr/bin/python3
"""The Python module beside the ways a user would do the same without it, in one run:

(a) the levels of 1,000,000 random moves: levels_array on whole arrays, a Python loop calling
    levels once per move (timed on the first 100,000 moves and scaled, as the table says), and
    `zentarix --json -` fed the same moves as text lines (repr of each float) from a file;
(b) the folder scan of examples/scan_instruments.py over 500 files of 20,000 daily bars
    (written once into a temporary folder) on a local Dask cluster of 2 workers and of 1
    worker, the files batched into tasks, the clusters' start-up timed apart; beside a shell
    loop that runs `zentarix --swings FILE --json --last` once per file.

Runs take turns and the median wall time of each is reported, with the ratios. Nothing is
written into the repository; the temporary files are removed at the end.

Needs Debian's python3-numpy and python3-distributed; run with /usr/bin/python3 and the module
on PYTHONPATH, for example:
    PYTHONPATH=build/release/python bench/python_bench.py build/release/app/zentarix
Usage: python_bench.py ZENTARIX [--moves N] [--files N] [--bars N] [--batch K] [--runs R]
"""
import argparse
import datetime
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import numpy as np

import zentarix

sys.dont_write_bytecode = True  # nothing written into the repository, not even __pycache__
sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "examples"))
import scan_instruments  # noqa: E402  (its worker function reaches the workers through sys.path)


def timed(work):
    start = time.perf_counter()
    result = work()
    return time.perf_counter() - start, result


def random_moves(count, seed=20240611):
    """Moves as a trader enters them: A from 0.5 to 5000 with four decimals, B up to about 30%
    away with the same tick, the noise 0 to 100 tenths of a percent."""
    rng = np.random.default_rng(seed)
    a = rng.integers(5_000, 50_000_000, count) / 10_000
    b = np.round(a * np.exp(rng.normal(0, 0.1, count)), 4)
    noise = rng.integers(0, 101, count)
    return a, b, noise


def bench_levels(program, count, loop_count, runs, folder):
    a, b, noise = random_moves(count)
    tenths = noise.astype(np.float64)
    moves = Path(folder, "moves.txt")
    moves.write_text("".join(f"{x!r} {y!r} {n}\n" for x, y, n in zip(a.tolist(), b.tolist(), noise.tolist())))
    loop_moves = list(zip(a[:loop_count].tolist(), b[:loop_count].tolist(), noise[:loop_count].tolist()))

    def run_cli(out):
        with open(moves, "rb") as source:
            subprocess.run([program, "--json", "-"], stdin=source, stdout=out, check=True)

    times = {"array": [], "loop": [], "cli": []}
    for _ in range(runs):
        seconds, table = timed(lambda: zentarix.levels_array(a, b, tenths))
        times["array"].append(seconds)
        seconds, _ = timed(lambda: [zentarix.levels(x, y, n) for x, y, n in loop_moves])
        times["loop"].append(seconds * count / loop_count)
        with open(os.devnull, "wb") as sink:
            times["cli"].append(timed(lambda: run_cli(sink))[0])

    # The same moves must give the same levels every way; the command line reads the decimal
    # texts, the module the floats they stand for.
    with open(Path(folder, "levels.jsonl"), "wb") as out:
        run_cli(out)
    with open(Path(folder, "levels.jsonl")) as lines:
        f3 = np.array([json.loads(line)["f3"] for line in lines])
    same = int(np.sum(f3 == table["f3"]))

    array, loop, cli = (statistics.median(times[k]) for k in ("array", "loop", "cli"))
    print(f"\n(a) levels of {count:,} moves, median of {runs} runs")
    print(f"{'way':<44}{'seconds':>9}{'moves/s':>14}{'array is':>10}")
    print(f"{'levels_array (one call)':<44}{array:9.3f}{count / array:14,.0f}{'':>10}")
    print(f"{f'Python loop of levels ({loop_count:,} moves, scaled)':<44}{loop:9.3f}"
          f"{count / loop:14,.0f}{loop / array:9.1f}x   goal >= 5x")
    print(f"{'zentarix --json - (text lines)':<44}{cli:9.3f}{count / cli:14,.0f}"
          f"{cli / array:9.1f}x   goal >= 3x")
    print(f"F3 of the command line equal to levels_array's, bit for bit: {same:,} of {count:,}")


def write_price_files(folder, files, bars, seed=20240612):
    """Daily bars of random walks with two decimals, oldest first, one file an instrument."""
    rng = np.random.default_rng(seed)
    first = datetime.date(1960, 1, 4)
    dates = [(first + datetime.timedelta(days=i)).isoformat() for i in range(bars)]
    for number in range(files):
        close = rng.uniform(5, 2000) * np.exp(np.cumsum(rng.normal(0, 0.012, bars)))
        open_ = np.concatenate(([close[0]], close[:-1]))
        high = np.maximum(open_, close) * (1 + np.abs(rng.normal(0, 0.004, bars)))
        low = np.minimum(open_, close) * (1 - np.abs(rng.normal(0, 0.004, bars)))
        rows = (f"{d},{o:.2f},{h:.2f},{l:.2f},{c:.2f}\n" for d, o, h, l, c in
                zip(dates, open_.tolist(), high.tolist(), low.tolist(), close.tolist()))
        Path(folder, f"instrument{number:03}.csv").write_text("Date,Open,High,Low,Close\n" + "".join(rows))


def bench_scan(program, files, bars, batch, runs, folder):
    from dask.distributed import Client

    prices = Path(folder, "prices")
    prices.mkdir()
    seconds, _ = timed(lambda: write_price_files(prices, files, bars))
    paths = scan_instruments.price_files(prices)
    size = sum(path.stat().st_size for path in paths)
    print(f"\n(b) scan of {files} files of {bars:,} bars ({size / 1e6:,.0f} MB, written in {seconds:.1f} s), "
          f"{batch} files a task, median of {runs} runs")

    clients, startup = {}, {}
    for workers in (2, 1):
        startup[workers], clients[workers] = timed(lambda: Client(scan_instruments.local_cluster(workers)))
    loop = ['bash', '-c', 'for f in "$1"/*.csv; do "$2" --swings "$f" --json --last; done', "loop",
            str(prices), program]
    times = {2: [], 1: [], "shell": []}
    tables = {}
    try:
        for _ in range(runs):
            for workers in (2, 1):
                client = clients[workers]
                seconds, tables[workers] = timed(
                    lambda: scan_instruments.scan(client, paths, "5", "30", batch))
                times[workers].append(seconds)
            with open(os.devnull, "wb") as sink:
                times["shell"].append(timed(lambda: subprocess.run(loop, stdout=sink, check=True))[0])
    finally:
        for client in clients.values():
            cluster = client.cluster
            client.close()
            cluster.close()
    assert tables[1] == tables[2] and len(tables[1]) == files
    # What a worker spends on one file, on one core: the two calls of the scan's task.
    sample = [path.read_bytes() for path in paths[:20]]
    swings_ms = statistics.median(timed(lambda: zentarix.read_swings(data, "5", "30", last=True))[0]
                                  for data in sample)
    bar_ms = statistics.median(timed(lambda: zentarix.last_bar(data))[0] for data in sample)

    two, one, shell = (statistics.median(times[k]) for k in (2, 1, "shell"))
    print(f"{'way':<44}{'seconds':>9}{'files/s':>14}{'ratio':>10}")
    print(f"{'scan, 2 workers':<44}{two:9.3f}{files / two:14,.0f}{'':>10}")
    print(f"{'scan, 1 worker':<44}{one:9.3f}{files / one:14,.0f}"
          f"{one / two:9.2f}x   2 workers vs 1, goal >= 1.6x")
    print(f"{'shell loop of zentarix --swings --last':<44}{shell:9.3f}{files / shell:14,.0f}"
          f"{shell / two:9.2f}x   2 workers vs the loop, goal > 1x")
    print(f"cluster start-up, not in the times above: 2 workers {startup[2]:.2f} s, "
          f"1 worker {startup[1]:.2f} s")
    print(f"one file on one core: read_swings {swings_ms * 1e3:.1f} ms, last_bar {bar_ms * 1e3:.1f} ms")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("zentarix", help="the command-line program")
    parser.add_argument("--moves", type=int, default=1_000_000)
    parser.add_argument("--files", type=int, default=500)
    parser.add_argument("--bars", type=int, default=20_000)
    parser.add_argument("--batch", type=int, default=8, help="files a task (the scan's own default here)")
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    program = os.path.abspath(args.zentarix)
    print(f"{os.cpu_count()} CPUs, load average {os.getloadavg()[0]:.2f}; Python {sys.version.split()[0]}, "
          f"NumPy {np.__version__}")
    with tempfile.TemporaryDirectory(prefix="zentarix-bench-") as folder:
        bench_levels(program, args.moves, min(100_000, args.moves), args.runs, folder)
        bench_scan(program, args.files, args.bars, args.batch, args.runs, folder)
    print(f"load average at the end {os.getloadavg()[0]:.2f}")


if __name__ == "__main__":
    main()
