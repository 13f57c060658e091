"""Orvanto's chart calculator for pandas and NumPy.

``batch`` gives a DataFrame of legs the texts ``orvanto-cli batch`` writes for the same rows;
``read_entries``, ``distance_km``, ``angle_deg`` and ``courses`` give numbers as NumPy arrays.
The calculator itself is compiled (``_orvanto``); this half checks the arguments and shapes them.
"""

import numbers

import numpy as np
import pandas as pd

from . import _orvanto

__all__ = ['batch', 'read_entries', 'distance_km', 'angle_deg', 'courses']
__version__ = _orvanto.__version__

_POINTS = ('1', '2', 'r')
_FORMATS = ('plain', 'window')


def _seconds(seconds):
    """The --seconds list as three flags, for point 1, point 2 and the reference point."""
    if isinstance(seconds, str):
        seconds = (seconds,)
    try:
        points = tuple(seconds)
    except TypeError:
        raise TypeError(f"seconds 须是由 '1'、'2'、'r' 组成的元组，如 ('2',)，"
                        f"收到的是 {type(seconds).__name__}") from None
    for point in points:
        if point not in _POINTS:
            raise ValueError(f"seconds 中只能有 '1'、'2' 或 'r'，不认识 {point!r}")
    return [point in points for point in _POINTS]


def _variation(variation, navigation):
    """The variation as the command line takes it (a text such as '3.5W', or degrees east)."""
    if variation is None:
        return None
    if not navigation:
        raise ValueError('variation 须与 navigation=True 同用')
    if isinstance(variation, str):
        return variation
    if isinstance(variation, numbers.Real) and not isinstance(variation, bool):
        return repr(float(variation))
    raise TypeError(f'variation 须是度数或文字，如 -3.5 或 "3.5W"，收到的是 {type(variation).__name__}')


def _deviation(deviation, variation):
    """The deviation as the command line takes it; it needs a variation, as --deviation does."""
    if deviation is None:
        return None
    if variation is None:
        raise ValueError('deviation 须与 variation 同用：罗航向 = 真航向 − 磁差 − 自差')
    if isinstance(deviation, str):
        return deviation
    if isinstance(deviation, numbers.Real) and not isinstance(deviation, bool):
        return repr(float(deviation))
    raise TypeError(f'deviation 须是度数或文字，如 -2 或 "2W"，收到的是 {type(deviation).__name__}')


def batch(frame, seconds=(), fmt='plain', geodesic=False, navigation=False, variation=None,
          deviation=None):
    """Every row of ``frame`` through the calculator, as ``orvanto-cli batch`` runs a file.

    ``frame``'s columns are named as a batch file's header (lat1, lon1, lat2, lon2, optionally
    latr, lonr, mode1, mode2, moder, or the window's labels); its cells are text, read with
    ``dtype=str, keep_default_na=False``, or empty (None, NaN, pd.NA). ``seconds`` names the points
    in seconds mode where a row's mode is empty, as --seconds does; ``fmt`` is 'plain' or 'window';
    ``geodesic``, ``navigation``, ``variation`` and ``deviation`` add the columns of --geodesic,
    --navigation, --variation and --deviation.

    Returns a new DataFrame: the input's columns (result columns at its end are recomputed), then
    km, nmi, angle, error and the extra columns, with the very texts orvanto-cli writes. A row whose
    every cell is blank gets empty results. A header the batch rules refuse raises ValueError.
    """
    if not isinstance(frame, pd.DataFrame):
        raise TypeError(f'frame 须是 pandas DataFrame，收到的是 {type(frame).__name__}')
    flags = _seconds(seconds)
    if fmt not in _FORMATS:
        raise ValueError(f"fmt 须是 'plain' 或 'window'，不认识 {fmt!r}")
    variation_text = _variation(variation, navigation)
    deviation_text = _deviation(deviation, variation)
    header = list(frame.columns)
    for name in header:
        if not isinstance(name, str):
            raise TypeError(f'frame 的列名须是文字，如 lat1，{name!r} 是 {type(name).__name__}')
    columns = [frame.iloc[:, i].to_numpy(dtype=object) for i in range(len(header))]
    width, names, values = _orvanto.batch(header, columns, pd.NA, flags, fmt == 'plain',
                                          bool(geodesic), bool(navigation), variation_text,
                                          deviation_text)
    # The block holds the kept columns' cells and the results, a row each: the frame is made over
    # it without a copy. A kept column of another dtype than object gets its own back.
    out = pd.DataFrame(values.T, index=frame.index, columns=header[:width] + names, dtype=object,
                       copy=False)
    for i, dtype in enumerate(frame.dtypes.iloc[:width]):
        if dtype != object:
            out.isetitem(i, frame.iloc[:, i].copy())
    return out


def _coordinates(**arrays):
    """The arrays as float64, broadcast together and flattened, with their common shape."""
    shaped = {}
    for name, value in arrays.items():
        array = np.asarray(value)
        if array.dtype.kind not in 'fiu':
            raise TypeError(f'{name} 须是数值（float64 的度数），收到的数组类型是 {array.dtype}')
        shaped[name] = array
    try:
        shape = np.broadcast_shapes(*(array.shape for array in shaped.values()))
    except ValueError:
        shapes = '、'.join(f'{name} {array.shape}' for name, array in shaped.items())
        raise ValueError(f'坐标数组的形状无法对齐（广播）：{shapes}') from None
    flat = [np.ascontiguousarray(np.broadcast_to(array, shape), dtype=np.float64).reshape(-1)
            for array in shaped.values()]
    return flat, shape


def _shaped(values, shape):
    """A flat result in the arguments' shape; a NumPy scalar for scalar arguments."""
    return values.reshape(shape)[()]


def read_entries(texts, seconds=False, axis='lat'):
    """Entry texts to decimal degrees, each read as the window's point 1 box of ``axis`` reads it.

    ``texts`` is an array-like of str (None, NaN and pd.NA are empty), ``seconds`` chooses seconds
    mode, ``axis`` is 'lat' or 'lon'. Returns (degrees, messages): float64 degrees, NaN where a
    text does not read, and the calculator's message there ('' where it reads), both in the shape
    of ``texts``.
    """
    if axis not in ('lat', 'lon'):
        raise ValueError(f"axis 须是 'lat' 或 'lon'，不认识 {axis!r}")
    if not isinstance(seconds, (bool, np.bool_)):
        raise TypeError(f'seconds 须是 True 或 False，收到的是 {type(seconds).__name__}')
    cells = np.asarray(texts, dtype=object)
    degrees, messages = _orvanto.read_entries(cells.reshape(-1), pd.NA, bool(seconds),
                                              axis == 'lat')
    return _shaped(degrees, cells.shape), _shaped(messages, cells.shape)


def distance_km(lat1, lon1, lat2, lon2):
    """The calculator's distance from point 1 to point 2 in km, before the texts' thousandths.

    Degrees in, north and east positive; the arguments broadcast like NumPy's. NaN where the
    calculator gives no distance: points too far apart for its estimate, a point off the chart.
    """
    flat, shape = _coordinates(lat1=lat1, lon1=lon1, lat2=lat2, lon2=lon2)
    return _shaped(_orvanto.distance_km(*flat), shape)


def angle_deg(lat1, lon1, lat2, lon2, latr, lonr):
    """The calculator's angle at the reference point between point 1 and point 2, in degrees.

    NaN where the calculator gives no angle (and a message instead): a point on the reference
    point, points too far apart, no angle found, a point off the chart.
    """
    flat, shape = _coordinates(lat1=lat1, lon1=lon1, lat2=lat2, lon2=lon2, latr=latr, lonr=lonr)
    return _shaped(_orvanto.angle_deg(*flat), shape)


def courses(lat1, lon1, lat2, lon2):
    """The courses of orvanto-cli course on WGS-84, unrounded: a dict of float64 arrays.

    gc_km, gc_course_initial and gc_course_final along the great circle, rhumb_km and
    rhumb_course along the rhumb line; courses true, 0 to 360, NaN where there is no direction
    (identical points, a pole) and everything NaN for a point off the chart.
    """
    flat, shape = _coordinates(lat1=lat1, lon1=lon1, lat2=lat2, lon2=lon2)
    return {name: _shaped(values, shape)
            for name, values in _orvanto.courses(*flat).items()}
