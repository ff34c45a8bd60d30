from os import PathLike
from typing import Any, Iterable, Sequence, Union

import numpy as np
import numpy.typing as npt

Number = Union[str, int, float]
Source = Union[str, bytes, bytearray, memoryview, PathLike[str]]

class ZentarixWarning(UserWarning): ...

def levels(a: Number, b: Number, noise: Number, levels: Iterable[Number] = ...) -> dict[str, Any]: ...
def levels_array(
    a: npt.ArrayLike, b: npt.ArrayLike, noise: npt.ArrayLike, levels: Iterable[Number] = ...
) -> dict[str, np.ndarray]: ...
def swings(
    high: Any,
    low: npt.ArrayLike | None = ...,
    threshold: Number = ...,
    noise: Number = ...,
    time: Sequence[Any] | None = ...,
    last: bool = ...,
    levels: Iterable[Number] = ...,
) -> Any: ...
def read_swings(
    source: Source,
    threshold: Number = ...,
    noise: Number = ...,
    last: bool = ...,
    levels: Iterable[Number] = ...,
) -> list[dict[str, Any]]: ...
def last_bar(source: Source) -> dict[str, Any]: ...
