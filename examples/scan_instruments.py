#!/usr/bin/python3
"""The last swing of every price file in a folder and how near its last close stands to the
swing's F3 or F5: one CSV table, nearest first, the screen to read before the market opens.

Usage: scan_instruments.py FOLDER [--threshold P] [--noise N] [--output FILE]
                           [--workers N] [--batch K] [--scheduler tcp://HOST:8786] [--dashboard]

Every *.csv and *.txt file of FOLDER goes, K files to a task, to the workers of a Dask cluster
(on a cluster started here as its path; on another cluster as its bytes, read here), which find the last swing (zentarix.read_swings, as `zentarix --swings FILE
--json --last`) and the last bar. The columns: file, direction, confirmed, a, b, f3, level50,
f5, f3_1, f3_2, f5_1, f5_2 (the corridors), last_close, distance_pct (|close - level| / close
x 100 for the nearer of F3 and F5), error. A file with a data error, with no swing, whose
levels overflow or that cannot be read gets its message in `error` and no other cell; the scan
goes on. Numbers are written with Python's repr, so that float() reads back the very value.

By default a cluster of N worker processes (default: the number of CPUs), one thread each, is
started on 127.0.0.1 and stopped at the end; they import zentarix through the PYTHONPATH they
inherit. With --scheduler the scan runs on an existing cluster instead (`dask-scheduler`,
`dask-worker tcp://HOST:8786`; give them --dashboard-address too, or their HTTP pages listen on
every interface): every worker there needs the python3-zentarix package, but no access to the
files, which travel with the tasks. --dashboard serves Dask's dashboard on 127.0.0.1:8787 (it
needs Bokeh).

Run with Debian's python3 (python3-distributed), for example:
    PYTHONPATH=build/release/python examples/scan_instruments.py ~/quotes --output morning.csv
"""
import argparse
import csv
import logging
import math
import os
import signal
import sys
import warnings
from pathlib import Path

import dask
from dask.distributed import Client, LocalCluster, as_completed

import zentarix

COLUMNS = ["file", "direction", "confirmed", "a", "b", "f3", "level50", "f5",
           "f3_1", "f3_2", "f5_1", "f5_2", "last_close", "distance_pct", "error"]
LEVELS = COLUMNS[3:12]


def scan_file(name, data, threshold, noise):
    """One file's row: its last swing's levels, its last close and the distance to the nearer
    of F3 and F5, or its error."""
    try:
        found = zentarix.read_swings(data, threshold, noise, last=True)
        if not found:
            return {"file": name, "error": f"no swing: the prices never move by {threshold}%"}
        close = zentarix.last_bar(data)["close"]
    except (ValueError, ArithmeticError) as error:
        return {"file": name, "error": str(error)}
    except OSError as error:  # a path a worker of this machine could not read
        return {"file": name, "error": error.strerror or str(error)}
    swing = found[0]
    if "error" in swing:  # levels beyond the range of a double: the command line's words
        return {"file": name, "error": f"swing {swing['swing']}: {swing['message']}."}
    row = {"file": name, "direction": swing["direction"],
           "confirmed": "true" if swing["confirmed"] else "false"}
    row.update({key: swing[key] for key in LEVELS})
    row["last_close"] = close
    if math.isfinite(close) and close > 0:
        nearer = min(abs(close - swing["f3"]), abs(close - swing["f5"]))
        row["distance_pct"] = nearer / close * 100
    return row


def scan_batch(batch, threshold, noise):
    """The rows of a task's files, (name, bytes or path) pairs. Runs on a worker, where the reader's
    notes (rows skipped, newest first) would only clutter the worker's log."""
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", zentarix.ZentarixWarning)
        return [scan_file(name, data, threshold, noise) for name, data in batch]


def price_files(folder):
    return sorted(path for path in Path(folder).iterdir()
                  if path.suffix.lower() in (".csv", ".txt") and path.is_file())


def scan(client, paths, threshold, noise, batch=None):
    """The rows of all paths, nearest first, errors last. Files are read here, a task's worth
    at a time, and at most four tasks per worker thread are in flight, so that neither this
    process nor the cluster holds a whole folder of quotes at once. Small tasks (by default at
    most 8 files) keep every worker busy while the next files travel."""
    threads = max(1, sum(client.nthreads().values()))
    batch = batch or max(1, min(8, math.ceil(len(paths) / (4 * threads))))
    groups = iter([paths[i:i + batch] for i in range(0, len(paths), batch)])
    rows, inputs, running = [], {}, as_completed()
    # A cluster started here shares this machine's files: its workers read them from their
    # paths. Any other cluster gets the files' bytes, and needs no file system of ours.
    local = client.cluster is not None

    def send():  # the next group that has a readable file, as one task
        for group in groups:
            if local:
                pairs = [(path.name, str(path)) for path in group]
                running.add(client.submit(scan_batch, pairs, threshold, noise, pure=False))
                return
            pairs = []
            for path in group:
                try:
                    pairs.append((path.name, path.read_bytes()))
                except OSError as error:
                    rows.append({"file": path.name, "error": error.strerror or str(error)})
            if pairs:
                [data] = client.scatter([pairs], hash=False)
                future = client.submit(scan_batch, data, threshold, noise, pure=False)
                inputs[future] = data  # kept until the task is done: scattered data cannot be recomputed
                running.add(future)
                return

    for _ in range(4 * threads):
        send()
    for future in running:
        rows.extend(future.result())
        inputs.pop(future, None)
        send()
    return sorted(rows, key=sort_key)


def local_cluster(workers, dashboard=False):
    """A cluster of `workers` processes of one thread on this machine, reachable from it alone.
    Without a dashboard the scheduler and the workers still serve health and metrics pages over
    HTTP, on every interface unless told otherwise: they are kept on 127.0.0.1 too. Messages
    are not compressed: on loopback, compressing the files costs more time than it saves."""
    dask.config.set({"distributed.comm.compression": None})
    # A terminal's Ctrl-C reaches the workers too. They start ignoring it, so that it interrupts
    # this process alone, which stops them (one typed during that second of start-up is lost).
    previous = signal.signal(signal.SIGINT, signal.SIG_IGN)
    try:
        return LocalCluster(n_workers=workers, threads_per_worker=1, processes=True, host="127.0.0.1",
                            dashboard_address="127.0.0.1:8787" if dashboard else None,
                            scheduler_kwargs=None if dashboard else {"dashboard_address": "127.0.0.1:0"},
                            worker_dashboard_address="127.0.0.1:0")
    finally:
        signal.signal(signal.SIGINT, previous)


def sort_key(row):
    distance = row.get("distance_pct")
    return ("error" in row, distance is None, distance or 0.0, row["file"])


def write_table(rows, out):
    writer = csv.DictWriter(out, COLUMNS, lineterminator="\n")
    writer.writeheader()
    for row in rows:
        writer.writerow({key: repr(value) if isinstance(value, float) else value
                         for key, value in row.items()})


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("folder", help="the folder of price files (*.csv, *.txt)")
    parser.add_argument("--threshold", default="5", help="the swings' reversal in percent (default 5)")
    parser.add_argument("--noise", default="30", help="the levels' noise in tenths of a percent (default 30)")
    parser.add_argument("--output", help="the CSV file to write (default: standard output)")
    parser.add_argument("--workers", type=int, default=os.cpu_count(), help="local workers (default: CPUs)")
    parser.add_argument("--batch", type=int, help="files per task (default: at most 8)")
    parser.add_argument("--scheduler", help="an existing cluster's scheduler, tcp://HOST:8786")
    parser.add_argument("--dashboard", action="store_true", help="serve the dashboard on 127.0.0.1:8787")
    args = parser.parse_args(argv)
    if args.workers < 1 or (args.batch is not None and args.batch < 1):
        parser.error("--workers and --batch must be at least 1")
    try:  # the same texts are read on every worker; a bad one is the caller's error, once
        zentarix.swings([1.0], threshold=args.threshold, noise=args.noise)
    except ValueError as error:
        parser.error(str(error))
    if not Path(args.folder).is_dir():
        parser.error(f"{args.folder}: not a folder")
    paths = price_files(args.folder)

    cluster = client = None
    try:
        if args.scheduler:
            client = Client(args.scheduler)
        else:
            cluster = local_cluster(args.workers, args.dashboard)
            client = Client(cluster)
            if args.dashboard:
                print(f"dashboard: {client.dashboard_link}", file=sys.stderr)
        rows = scan(client, paths, args.threshold, args.noise, args.batch)
    except KeyboardInterrupt:
        for name in ("distributed", "asyncio"):  # transfers cut short, as asked
            logging.getLogger(name).setLevel(logging.CRITICAL)
        print("scan_instruments: interrupted", file=sys.stderr)
        return 130
    except ModuleNotFoundError as error:  # raised on a worker, by the task's unpickling
        print(f"scan_instruments: a worker: {error} (each worker needs python3-zentarix)", file=sys.stderr)
        return 1
    finally:
        if client is not None:
            client.close()
        if cluster is not None:
            cluster.close()
    if args.output:
        with open(args.output, "w", newline="") as out:
            write_table(rows, out)
    else:
        write_table(rows, sys.stdout)
    return 0


if __name__ == "__main__":
    sys.exit(main())
