"""The folder scan (examples/scan_instruments.py) on a local cluster of two workers, row for row
against `zentarix --swings FILE --json --last` run on each file."""
import csv
import datetime
import io
import json
import os
import random
import subprocess
import sys
from pathlib import Path

import pytest

pytest.importorskip("dask.distributed")

ROOT = Path(__file__).resolve().parents[2]
SCRIPT = ROOT / "examples" / "scan_instruments.py"
ZENTARIX = Path(os.environ.get("ZENTARIX_BIN", ROOT / "build" / "release" / "app")) / "zentarix"
LEVELS = ["a", "b", "f3", "level50", "f5", "f3_1", "f3_2", "f5_1", "f5_2"]


def write_walk(path, rng, bars=300):
    """Daily bars of a random walk, oldest first, prices of two or four decimals."""
    digits = rng.choice((2, 4))
    price = rng.uniform(0.5, 2000) if digits == 2 else rng.uniform(0.5, 2)
    day = datetime.date(2023, 1, 2)
    lines = ["Date,Open,High,Low,Close"]
    for _ in range(bars):
        close = price * (1 + rng.gauss(0, 0.015))
        high = max(price, close) * (1 + abs(rng.gauss(0, 0.005)))
        low = min(price, close) * (1 - abs(rng.gauss(0, 0.005)))
        lines.append(f"{day},{price:.{digits}f},{high:.{digits}f},{low:.{digits}f},{close:.{digits}f}")
        price, day = close, day + datetime.timedelta(days=1)
    path.write_text("\n".join(lines) + "\n")
    return float(lines[-1].rsplit(",", 1)[1])


def test_scan_matches_command_line_file_by_file(tmp_path):
    rng = random.Random(20240611)
    closes = {f"walk{i:02}.csv": write_walk(tmp_path / f"walk{i:02}.csv", rng) for i in range(50)}
    (tmp_path / "broken.csv").write_text("Date,Open,High,Low,Close\n2024-01-02,10,11,9,10\n"
                                         "2024-01-03,10,abc,9,10\n")
    (tmp_path / "flat.txt").write_text("".join(f"{100 + i % 2}\n" for i in range(40)))
    (tmp_path / "overflow.csv").write_text("Date,High,Low\n2024-01-02,1e308,1\n2024-01-03,1.7e308,1e-300\n")

    scan = subprocess.run([sys.executable, str(SCRIPT), str(tmp_path), "--workers", "2",
                           "--batch", "7", "--threshold", "4", "--noise", "25"],
                          capture_output=True, text=True, timeout=120, check=True)
    rows = list(csv.DictReader(io.StringIO(scan.stdout)))
    assert sorted(row["file"] for row in rows) == sorted([*closes, "broken.csv", "flat.txt", "overflow.csv"])

    for row in rows:
        cli = subprocess.run([ZENTARIX, "--lang", "en", "--swings", tmp_path / row["file"], "--json",
                              "--last", "--threshold", "4", "--noise", "25"], capture_output=True, text=True)
        if cli.returncode != 0:
            assert cli.returncode in (2, 3, 65), cli.stderr
            assert row["error"] == cli.stderr.splitlines()[-1].removeprefix("zentarix: ")
            assert not any(row[key] for key in row if key not in ("file", "error"))
            continue
        swing = json.loads(cli.stdout)
        assert (row["direction"], row["confirmed"], row["error"]) == \
               (swing["direction"], json.dumps(swing["confirmed"]), ""), row["file"]
        for key in LEVELS:
            assert float(row[key]) == swing[key], (row["file"], key)
        close = float(row["last_close"])
        assert close == closes[row["file"]]
        nearer = min(abs(close - swing["f3"]), abs(close - swing["f5"]))
        assert float(row["distance_pct"]) == nearer / close * 100, row["file"]

    assert [row["file"] for row in rows[-3:]] == ["broken.csv", "flat.txt", "overflow.csv"]
    assert 'line 3, column High: "abc" is not a number' in rows[-3]["error"]
    distances = [float(row["distance_pct"]) for row in rows[:-3]]
    assert distances == sorted(distances)
