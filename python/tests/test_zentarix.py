"""The module against the command line: the same members, bit for bit, and the same errors."""

import ctypes
import datetime
import math
import random
import warnings
from decimal import Decimal

import numpy as np
import pytest

import zentarix

RATIOS = ["0.236", "0.786", "1.618", "-0.618"]


def exact(value):
    """A float's exact decimal text, which the command line reads back to the same value."""
    return str(Decimal(value)) if isinstance(value, float) else str(value)


@pytest.mark.parametrize("a, b, noise, levels", [
    pytest.param("100", "110", "30", (), id="worked-example"),
    pytest.param("1.0850", "1.0720", "7", RATIOS, id="falling-with-levels"),
    pytest.param("1e-3", "2.5E-3", "100", ("+00.50", ".5", "2"), id="exponents-and-repeat"),
    pytest.param(0.1, 0.3, 7.5, (0.382,), id="floats"),
    pytest.param(3, 1 << 70, 0, (1,), id="ints-beyond-64-bits"),
    pytest.param(1e300, 5e-324, 100, (), id="extreme-floats"),
])
def test_levels_equal_the_command_line(cli, a, b, noise, levels):
    options = [option for ratio in levels for option in ("--level", exact(ratio))]
    lines, status, _ = cli("--json", *options, "--", exact(a), exact(b), exact(noise))
    assert status == 0
    assert zentarix.levels(a, b, noise, levels=levels) == lines[0]


@pytest.mark.parametrize("call, error, code", [
    pytest.param(lambda: zentarix.levels("x", "1", "1"), ValueError, "not_a_number", id="no-number"),
    pytest.param(lambda: zentarix.levels(-1, 1, 1), ValueError, "below_zero", id="below-zero"),
    pytest.param(lambda: zentarix.levels("1e300", "1.7e308", "0"), OverflowError, "overflow",
                 id="overflow"),
    pytest.param(lambda: zentarix.levels(1, 2, 3, levels=["1e4000"]), OverflowError, "overflow",
                 id="level-overflow"),
    pytest.param(lambda: zentarix.levels(1, 2, 3, levels=["23.6%"]), ValueError, "bad_level",
                 id="bad-ratio"),
    pytest.param(lambda: zentarix.levels(1, 2, 3, levels=[i / 100 for i in range(1, 66)]),
                 ValueError, "too_many_levels", id="65-ratios"),
    pytest.param(lambda: zentarix.swings([100, 0, 120]), ValueError, "bad_price", id="zero-price"),
    pytest.param(lambda: zentarix.swings([100, 90], [101, 95]), ValueError, "bad_price",
                 id="high-below-low"),
    pytest.param(lambda: zentarix.swings([100, 110], threshold=100), ValueError, "bad_threshold",
                 id="threshold"),
    pytest.param(lambda: zentarix.read_swings(b"Date,Close\n2024-01-02,1\n2024-01-03,-5\n"),
                 ValueError, "data_error", id="data-error"),
])
def test_errors_carry_the_command_lines_code(call, error, code):
    with pytest.raises(error) as raised:
        call()
    assert raised.value.code == code


def test_a_data_error_names_line_and_column():
    with pytest.raises(ValueError, match="line 3, column Close"):
        zentarix.read_swings(b"Date,Close\n2024-01-02,1\n2024-01-03,abc\n")


def test_a_type_that_is_no_number_is_a_type_error():
    with pytest.raises(TypeError):
        zentarix.levels([1], 2, 3)


def random_history(seed, bars=400):
    """A daily history as data sites export it: Date,Open,High,Low,Close oldest first."""
    rng = random.Random(seed)
    price, rows = 100.0, ["Date,Open,High,Low,Close"]
    for day in range(bars):
        close = price * (1 + rng.gauss(0, 0.02))
        high, low = max(price, close) * 1.004, min(price, close) * 0.996
        date = datetime.date(2020, 1, 1) + datetime.timedelta(days=day)
        rows.append(f"{date},{price:.4f},{high:.4f},{low:.4f},{close:.4f}")
        price = close
    return rows


@pytest.mark.parametrize("shape", ["oldest-first", "newest-first", "semicolon-comma"])
def test_read_swings_equals_the_command_line(cli, tmp_path, shape):
    rows = random_history({"oldest-first": 1, "newest-first": 2, "semicolon-comma": 3}[shape])
    date, *prices = rows[-1].split(",")
    if shape == "newest-first":
        rows = rows[:1] + rows[:0:-1]
    if shape == "semicolon-comma":
        rows = [row.replace(",", ";").replace(".", ",") for row in rows]
    path = tmp_path / "prices.csv"
    path.write_text("\n".join(rows) + "\n")
    for last in (False, True):
        options = ["--threshold", "3.5", "--noise", "12", "--level", "0.786"] + ["--last"] * last
        lines, status, _ = cli("--swings", str(path), "--json", *options)
        assert status == 0
        with warnings.catch_warnings(record=True) as caught:
            warnings.simplefilter("always")
            found = zentarix.read_swings(path.read_bytes(), "3.5", "12", last=last, levels=["0.786"])
        assert found == lines
        assert any("newest" in str(w.message) for w in caught) == (shape == "newest-first")
    # The last bar in time order, whichever end of the file it stands at.
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", zentarix.ZentarixWarning)
        bar = zentarix.last_bar(path.read_bytes())
    assert bar["time"] == date
    assert [bar[k] for k in ("open", "high", "low", "close")] == pytest.approx(
        [float(p) for p in prices], rel=1e-12)


def test_read_swings_of_the_example_file(cli):
    lines, _, _ = cli("--swings", "examples/prices.csv", "--json")
    assert zentarix.read_swings("examples/prices.csv") == lines
    assert zentarix.last_bar("examples/prices.csv") == {
        "time": "2024-02-28", "open": 114.35, "high": 115.67, "low": 113.86, "close": 115.3}


def test_swings_of_arrays_and_of_a_frame_agree_with_the_file(tmp_path):
    rows = random_history(7)
    path = tmp_path / "prices.csv"
    path.write_text("\n".join(rows) + "\n")
    cells = [row.split(",") for row in rows[1:]]
    high = [float(c[2]) for c in cells]
    low = [float(c[3]) for c in cells]
    from_file = zentarix.read_swings(str(path))
    from_arrays = zentarix.swings(high, low, time=[c[0] for c in cells])
    for file_swing, array_swing in zip(from_file, from_arrays, strict=True):
        assert array_swing["a_index"] == file_swing.pop("a_line") - 2
        assert array_swing["b_index"] == file_swing.pop("b_line") - 2
        array_swing.pop("a_index"), array_swing.pop("b_index")
        assert array_swing == file_swing
    pandas = pytest.importorskip("pandas")
    frame = pandas.DataFrame({"HIGH": high, "low": low},
                             index=pandas.to_datetime([c[0] for c in cells]))
    newest_first = zentarix.swings(frame.iloc[::-1], last=True)
    assert len(newest_first) == 1
    assert newest_first["b"].iloc[0] == from_file[-1]["b"]
    assert newest_first["b_time"].iloc[0] == pandas.Timestamp(from_file[-1]["b_time"])


@pytest.mark.parametrize("a, b, noise, shape", [
    pytest.param(100.0, 110.0, 30.0, (), id="scalars"),
    pytest.param(np.array([100.0, 200.0, -1.0]), 110.0, 30, (3,), id="vector-and-scalars"),
    pytest.param(np.full((2, 1), 100.0), np.array([110.0, 90.0, 100.0]), "30", (2, 3),
                 id="column-by-row"),
    pytest.param(np.array(["100", "x"]), "110", np.array([30, 40]), (2,), id="texts"),
    pytest.param(np.random.default_rng(5).uniform(-1, 1e4, 30000), 1e3, 30, (30000,),
                 id="enough-moves-for-threads"),
])
def test_levels_array_broadcasts_like_numpy(a, b, noise, shape):
    result = zentarix.levels_array(a, b, noise, levels=[0.5, 2])
    assert result["f3"].shape == shape and result["error"].shape == shape
    assert result["levels"].shape == shape + (2,)
    for index in np.ndindex(shape):
        row = [np.broadcast_to(np.asarray(v), shape)[index] for v in (a, b, noise)]
        try:
            expected = zentarix.levels(*[v.item() if hasattr(v, "item") else v for v in row],
                                       levels=[0.5, 2])
        except ValueError as error:
            assert result["error"][index] == error.code
            assert math.isnan(result["f3"][index])
            continue
        assert result["error"][index] == ""
        assert result["xop_f5"][index] == expected["xop_f5"]
        assert list(result["levels"][index]) == [level["price"] for level in expected["levels"]]


def test_the_callers_rounding_survives_and_does_not_leak_in():
    """The core computes under its own x87 word whatever the caller's, and gives the caller's
    back, also after an arithmetic error resets the unit."""
    libm = ctypes.CDLL("libm.so.6")
    upward = 0x800  # FE_UPWARD on x86-64
    assert libm.fesetround(upward) == 0
    try:
        with pytest.raises(OverflowError):
            zentarix.levels("1e300", "1.7e308", "0")
        assert zentarix.levels("100", "110", "30")["f3_1"] == 105.88000000000001
        assert libm.fegetround() == upward
    finally:
        libm.fesetround(0)
