"""Zentarix: golden-section retracement levels of a price move, computed exactly.

The same exact core as the programs zentarix and Zentarix, for Python:

    levels(a, b, noise, levels=())          one move: the members of `zentarix --json`
    levels_array(a, b, noise, levels=())    many moves at once, as NumPy arrays
    swings(high, low=None, ...)             the swings of prices in arrays or a DataFrame
    read_swings(source, ...)                a price file's swings, as `zentarix --swings FILE --json`
    last_bar(source)                        a price file's last bar in time order

Numbers may be given as str, read exactly as the command line reads them under the C locale
("1.0850", "1e-3"), or as int or float, taken at their exact binary value. All arithmetic runs
in the 80-bit extended format with the command line's rounding; the caller's floating-point
environment is restored after every call.

>>> levels("100", "110", "30")["f3"]
106.18
>>> levels(100, 110, 30, levels=["0.236"])["levels"]
[{'ratio': 0.236, 'price': 107.64}]
"""

import numpy as _np

from . import _core
from ._core import ZentarixWarning

__all__ = ["levels", "levels_array", "swings", "read_swings", "last_bar", "ZentarixWarning"]


def levels(a, b, noise, levels=()):
    """The levels of the move from a to b with a noise of `noise` tenths of a percent.

    Returns a dict of the 16 members of `zentarix --json`, in its order: a, b, noise (the
    fraction), f3, level50, f5, f3_1, f3_2, f5_1, f5_2, cop_f3, cop_f5, op_f3, op_f5, xop_f3,
    xop_f5; with `levels` (ratios R, as `--level R`) also "levels", a list of
    {"ratio": R, "price": B - (B - A) x R}.

    Raises ValueError (its `code` "not_a_number" or "below_zero") for a value that is no number
    or below zero, and OverflowError, ZeroDivisionError or FloatingPointError (their `code`
    "overflow", "division_by_zero", ...) for an arithmetic error, with the command line's
    English messages.
    """
    return _core.levels(a, b, noise, levels)


def levels_array(a, b, noise, levels=()):
    """The levels of many moves: a, b and noise are arrays or scalars, broadcast together.

    Returns a dict of float64 arrays of the broadcast shape, one for each of the 16 members of
    `levels` (NaN where the move failed), "error" (an array of str: the error's code, "" where
    the move is fine) and, with `levels`, "levels": the own levels, one column a ratio (shape
    + (number of ratios,)). The work runs without the GIL.
    """
    columns = _np.broadcast_arrays(_np.asarray(a), _np.asarray(b), _np.asarray(noise))
    shape = columns[0].shape
    flat = [_np.ascontiguousarray(column).reshape(-1) for column in columns]
    keys, table, errors, codes, own, ratios = _core._levels_columns(*flat, levels)
    result = {key: table[i].reshape(shape) for i, key in enumerate(keys)}
    # The strings only as wide as the codes that occur: "" alone for a million fine moves.
    found = _np.flatnonzero(_np.bincount(errors, minlength=len(codes)))
    index = _np.zeros(len(codes), dtype=_np.intp)
    index[found] = _np.arange(len(found))
    result["error"] = _np.array([codes[i] for i in found] or [""])[index[errors]].reshape(shape)
    if ratios:
        result["levels"] = own.reshape(shape + (len(ratios),))
    return result


def _is_frame(value):
    return type(value).__name__ == "DataFrame" and hasattr(value, "columns")


def _frame_swings(frame, threshold, noise, last, levels):
    import pandas as pd

    names = {str(column).lower(): column for column in frame.columns}
    # A frame whose index runs newest first is read in time order, as a price file is.
    if len(frame) > 1 and frame.index.is_monotonic_decreasing and not frame.index.is_monotonic_increasing:
        frame = frame.iloc[::-1]
    if "high" in names and "low" in names:
        high, low = frame[names["high"]], frame[names["low"]]
    elif "close" in names:
        high, low = frame[names["close"]], None
    else:
        raise ValueError("the frame needs the columns High and Low, or Close")
    found = _core._swings(
        _np.asarray(high, dtype=_np.float64),
        None if low is None else _np.asarray(low, dtype=_np.float64),
        threshold, noise, None, last, levels)
    index = frame.index
    for swing in found:
        swing["a_time"] = index[swing["a_index"]]
        swing["b_time"] = index[swing["b_index"]]
    return pd.DataFrame(found)


def swings(high, low=None, threshold=5, noise=30, time=None, last=False, levels=()):
    """The swings a zigzag of `threshold` percent finds in prices given oldest first.

    high and low are arrays or sequences of the bars' highs and lows; low=None takes high as
    closes. Returns a list of dicts with the members of `zentarix --swings FILE --json`, their
    a_line and b_line replaced by a_index and b_index (positions from 0), a_time and b_time from
    `time` when given; `last=True` gives at most the last swing; no swing gives [].

    Given a pandas DataFrame (columns High and Low, or Close, in any case; its index the time),
    returns a DataFrame with one row a swing, a_time and b_time from the index; an index that
    runs newest first is taken in time order.

    A price that is not a positive finite number, or a high below its low, raises ValueError
    naming its position.
    """
    if _is_frame(high):
        return _frame_swings(high, threshold, noise, last, levels)
    return _core._swings(
        _np.asarray(high, dtype=_np.float64),
        None if low is None else _np.asarray(low, dtype=_np.float64),
        threshold, noise, time, last, levels)


def read_swings(source, threshold=5, noise=30, last=False, levels=()):
    """The swings of a price file, read by the project's own reader.

    source is a path or the file's bytes. With the same texts for threshold and noise, the
    result is identical, member for member and bit for bit, to the lines of
    `zentarix --swings PATH --json --threshold T --noise N` read with json.loads. A data error
    raises ValueError (code "data_error") naming line and column; the notes of the command line
    (rows skipped, a file that runs newest first, repeated times) are ZentarixWarning warnings.
    A swing whose levels lie beyond the arithmetic's range has, as in the JSON, the members
    "error" and "message" (the command line's code and words) instead of the levels.
    """
    return _core._read_swings(source, threshold, noise, last, levels)


def last_bar(source):
    """A price file's last bar in time order: a dict of time, open, high, low and close.

    A price the file does not give (no Open column, an empty cell) is NaN; a file of closes
    gives its close as high, low and close.
    """
    return _core._last_bar(source)
