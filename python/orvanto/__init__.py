"""Orvanto's chart calculator for pandas and NumPy.

``batch`` gives a DataFrame of legs the texts ``orvanto-cli batch`` writes for the same rows;
``read_entries``, ``distance_km``, ``angle_deg`` and ``courses`` give numbers as NumPy arrays.
The calculator itself is compiled (``_orvanto``); this half checks the arguments and shapes them.
"""

import numbers
import os

import numpy as np
import pandas as pd

from . import _orvanto

__all__ = ['batch', 'check_batch', 'read_entries', 'distance_km', 'angle_deg', 'courses', 'rhumb',
           'great_circle', 'reckon', 'waypoints', 'cpa', 'route']
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


def _column_names(frame):
    header = list(frame.columns)
    for name in header:
        if not isinstance(name, str):
            raise TypeError(f'frame 的列名须是文字，如 lat1，{name!r} 是 {type(name).__name__}')
    return header


# Kinds of dtype whose cells are never text: a column of them the calculator reads is a frame read
# without dtype=str. A float column may still be all NaN (an empty column) and is read at compute.
_NEVER_TEXT = 'iubMmc'


def _check_columns_read(frame, header, read):
    """Refuses, by dtype alone, a column the calculator reads that cannot hold text."""
    for i in read:
        dtype = frame.dtypes.iloc[i]
        if getattr(dtype, 'kind', 'O') in _NEVER_TEXT:
            raise TypeError(f'frame 的 “{header[i]}” 列是 {dtype}：计算器读取的列须是文字（str），'
                            f'或留空（None、NaN、pd.NA）；读取 CSV 时请用 '
                            f'dtype=str, keep_default_na=False')


def _batch_options(seconds, fmt, geodesic, navigation, variation, deviation):
    """The options as the compiled half takes them, each checked."""
    flags = _seconds(seconds)
    if fmt not in _FORMATS:
        raise ValueError(f"fmt 须是 'plain' 或 'window'，不认识 {fmt!r}")
    variation_text = _variation(variation, navigation)
    deviation_text = _deviation(deviation, variation)
    return flags, fmt == 'plain', bool(geodesic), bool(navigation), variation_text, deviation_text


def check_batch(frame, seconds=(), fmt='plain', geodesic=False, navigation=False, variation=None,
                deviation=None, numbers=False):
    """What ``batch`` checks before it reads a cell: the options, the header and the dtypes of
    the columns it reads. Raises as ``batch`` would; ``orvanto.dask.batch`` calls it on the meta
    frame, before any compute."""
    if not isinstance(frame, pd.DataFrame):
        raise TypeError(f'frame 须是 pandas DataFrame，收到的是 {type(frame).__name__}')
    flags, plain, geodesic, navigation, variation_text, deviation_text = _batch_options(
        seconds, fmt, geodesic, navigation, variation, deviation)
    header = _column_names(frame)
    read = _orvanto.columns_read(header, geodesic, navigation, variation_text, deviation_text)
    _check_columns_read(frame, header, read)
    return header, (flags, plain, geodesic, navigation, variation_text, deviation_text)


def batch(frame, seconds=(), fmt='plain', geodesic=False, navigation=False, variation=None,
          deviation=None, numbers=False):
    """Every row of ``frame`` through the calculator, as ``orvanto-cli batch`` runs a file.

    ``frame``'s columns are named as a batch file's header (lat1, lon1, lat2, lon2, optionally
    latr, lonr, mode1, mode2, moder, or the window's labels). The cells of the columns the
    calculator reads are text (read with ``dtype=str, keep_default_na=False``) or empty (None, NaN,
    pd.NA); other columns pass through unchanged, whatever their dtype. ``seconds`` names the points
    in seconds mode where a row's mode is empty, as --seconds does; ``fmt`` is 'plain' or 'window';
    ``geodesic``, ``navigation``, ``variation`` and ``deviation`` add the columns of --geodesic,
    --navigation, --variation and --deviation.

    Returns a new DataFrame: the input's columns (result columns at its end are recomputed), then
    km, nmi, angle, error and the extra columns, with the very texts orvanto-cli writes. With
    ``numbers=True`` every result column but ``error`` is float64 instead: the unrounded values the
    texts are formatted from, NaN where a text would be empty (``fmt`` then does not count). A row
    whose every cell is blank gets empty results. A header the batch rules refuse raises
    ValueError.

    >>> legs = pd.DataFrame({'lat1': ['3106.0'], 'lon1': ['12140.0'],
    ...                      'lat2': ['3500.0'], 'lon2': ['13910.0']})
    >>> batch(legs)[['km', 'nmi']]
             km      nmi
    0  1692.053  913.636
    >>> round(float(batch(legs, numbers=True)['nmi'][0]), 4)
    913.6356
    """
    header, options = check_batch(frame, seconds, fmt, geodesic, navigation, variation,
                                  deviation, numbers)
    columns = [frame.iloc[:, i].to_numpy(dtype=object) for i in range(len(header))]
    width, names, values, numeric = _orvanto.batch(header, columns, pd.NA, *options,
                                                   bool(numbers))
    # The block holds the kept columns' cells and the text results, a row each: the frame is made
    # over it without a copy. A kept column of another dtype than object gets its own back.
    text_names = ['error'] if numbers else names
    out = pd.DataFrame(values.T, index=frame.index, columns=header[:width] + text_names,
                       dtype=object, copy=False)
    for i, dtype in enumerate(frame.dtypes.iloc[:width]):
        if dtype != object:
            out.isetitem(i, frame.iloc[:, i].copy())
    if numbers:
        # Each numeric column goes in beside the others in its place: km, nmi and angle before
        # error, the extra columns after it.
        numeric_names = [name for name in names if name != 'error']
        for i, name in enumerate(numeric_names):
            position = width + i + (1 if i >= 3 else 0)
            out.insert(position, name, numeric[i])
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


def _arrays(function, shape, *flat):
    """A compiled function's dict of flat arrays, each in the arguments' shape."""
    return {name: _shaped(values, shape) for name, values in function(*flat).items()}


def rhumb(lat1, lon1, lat2, lon2):
    """The rhumb line (恒向线) from point 1 to point 2 on WGS-84, the short way round.

    Degrees in, north and east positive; the arguments broadcast like NumPy's. Returns a dict of
    float64 arrays: ``course`` (true, 0 to 360; NaN for identical points or a pole), ``nmi``,
    ``km``, and ``message`` ('' where there is an answer, else why every number is NaN).

    >>> leg = rhumb(31.1, 122.0, 37.8, -122.5)
    >>> print(f"{leg['course']:.1f} {leg['nmi']:.1f}")
    86.0 5738.7
    """
    flat, shape = _coordinates(lat1=lat1, lon1=lon1, lat2=lat2, lon2=lon2)
    return _arrays(_orvanto.rhumb, shape, *flat)


def great_circle(lat1, lon1, lat2, lon2):
    """The great circle (大圆, the geodesic on WGS-84) from point 1 to point 2, with its vertex.

    Returns a dict of float64 arrays: ``course_initial`` and ``course_final`` (true, 0 to 360;
    NaN for identical points or a pole), ``nmi``, ``km``, ``vertex_lat`` and ``vertex_lon`` (the
    vertex ahead, where the course is 090 or 270; NaN along a meridian or the equator), and
    ``message``.

    >>> leg = great_circle(31.1, 122.0, 37.8, -122.5)
    >>> print(f"{leg['course_initial']:.1f} {leg['nmi']:.1f} {leg['vertex_lat']:.2f}")
    45.5 5327.6 52.42
    """
    flat, shape = _coordinates(lat1=lat1, lon1=lon1, lat2=lat2, lon2=lon2)
    return _arrays(_orvanto.great_circle, shape, *flat)


def courses(lat1, lon1, lat2, lon2):
    """The courses of orvanto-cli course on WGS-84, unrounded: a dict of float64 arrays.

    gc_km, gc_course_initial and gc_course_final along the great circle, rhumb_km and
    rhumb_course along the rhumb line (``great_circle`` and ``rhumb``); courses true, 0 to 360,
    NaN where there is no direction (identical points, a pole) and everything NaN for a point off
    the chart.
    """
    circle = great_circle(lat1, lon1, lat2, lon2)
    line = rhumb(lat1, lon1, lat2, lon2)
    return {'gc_km': circle['km'], 'gc_course_initial': circle['course_initial'],
            'gc_course_final': circle['course_final'], 'rhumb_km': line['km'],
            'rhumb_course': line['course']}


_METHODS = ('rhumb', 'great_circle')


def reckon(lat, lon, course, nmi, method='rhumb', textbook=False):
    """Dead reckoning (推算船位): where each start is after so many nautical miles on a course.

    ``course`` in degrees true; ``method`` 'rhumb' holds the course (what a ship steering it does),
    'great_circle' starts the great circle on it; ``textbook=True`` sails as the textbook does
    (a sphere of 1852 m minutes, Mercator sailing), as orvanto-cli reckon --textbook. Returns a
    dict of float64 arrays ``lat``, ``lon`` (-180 to 180) and ``course_final``, and ``message``
    (why there is no position: a rhumb line that would pass a pole).

    >>> end = reckon(31.1, 122.0, 90, 60)
    >>> print(f"{end['lat']:.4f} {end['lon']:.4f}")
    31.1000 123.1647
    """
    if method not in _METHODS:
        raise ValueError(f"method 须是 'rhumb' 或 'great_circle'，不认识 {method!r}")
    flat, shape = _coordinates(lat=lat, lon=lon, course=course, nmi=nmi)
    return _arrays(lambda *a: _orvanto.reckon(*a, method == 'great_circle', bool(textbook)),
                   shape, *flat)


def waypoints(lat1, lon1, lat2, lon2, every='10°', textbook=False):
    """The waypoints (分点) of each leg's great circle, as orvanto-cli route --every cuts them.

    ``every`` is a longitude interval ('10°') or a distance ('300nmi', '500km'). Returns a
    DataFrame with a row a 分点: ``leg`` (the leg's index in the arguments, flattened), ``name``
    (分点1, 分点2, … numbered through all legs, as route numbers them), ``lat`` and ``lon``; the
    legs' ends are not among them. A leg with none to give (a great circle over a pole, cut by
    longitude) raises ValueError naming it.

    >>> waypoints(31.1, 122.0, 37.8, -122.5, every='30°')[['name', 'lon']]
        name    lon
    0  分点1  150.0
    1  分点2  180.0
    2  分点3 -150.0
    """
    if not isinstance(every, str):
        raise TypeError(f"every 须是文字，如 '10°' 或 '300nmi'，收到的是 {type(every).__name__}")
    flat, _ = _coordinates(lat1=lat1, lon1=lon1, lat2=lat2, lon2=lon2)
    legs, lats, lons = _orvanto.waypoints(*flat, every, bool(textbook))
    names = [f'分点{number}' for number in range(1, len(legs) + 1)]
    return pd.DataFrame({'leg': legs, 'name': names, 'lat': lats, 'lon': lons})


def cpa(own_course, own_speed, target_bearing, target_range, target_course, target_speed):
    """The closest point of approach of targets seen by radar or AIS, as orvanto-cli cpa plots it.

    Own ship's course (true, degrees) and speed (knots); each target's true bearing and range
    (nautical miles) from own ship, and its own course and speed (AIS). On the plotting sheet
    (flat around own ship), returns a dict of float64 arrays: ``dcpa`` (nautical miles),
    ``tcpa_min`` (minutes from now; negative for a target drawing away, NaN without relative
    motion), ``bcr`` and ``bct_min`` (its range and time when it crosses own ship's heading line,
    negative astern as orvanto-cli cpa writes it; NaN when it does not), and ``message``.

    >>> found = cpa(0, 12, 45, 6, 270, 10)
    >>> print(f"{found['dcpa']:.2f} {found['tcpa_min']:.1f}")
    0.54 23.0
    """
    flat, shape = _coordinates(own_course=own_course, own_speed=own_speed,
                               target_bearing=target_bearing, target_range=target_range,
                               target_course=target_course, target_speed=target_speed)
    return _arrays(_orvanto.cpa, shape, *flat)


_ROUTE_TEXTS = ('speed', 'depart', 'every', 'limit_latitude', 'current', 'variation', 'deviation',
                'eta_zone')
_ROUTE_NUMBERS = ('rhumb_course', 'rhumb_course_m', 'rhumb_course_c',
                  'rhumb_nmi', 'gc_course_initial', 'gc_course_initial_m', 'gc_course_initial_c',
                  'gc_nmi', 'total_nmi', 'course_to_steer', 'course_to_steer_m',
                  'course_to_steer_c', 'sog')


def _option_text(name, value):
    """An option as the command line would take it: a text as typed, a number as its digits."""
    if isinstance(value, str):
        return value
    if isinstance(value, numbers.Real) and not isinstance(value, bool):
        return repr(float(value))
    raise TypeError(f'{name} 须是文字或数值，收到的是 {type(value).__name__}')


def _card_text(card):
    """A deviation card (a path, or a frame with heading and deviation columns) as CSV text."""
    if isinstance(card, pd.DataFrame):
        frame = card
    elif isinstance(card, (str, os.PathLike)):
        frame = pd.read_csv(card, dtype=str, keep_default_na=False, encoding='utf-8-sig')
    else:
        raise TypeError(f'deviation_card 须是文件路径或 DataFrame，收到的是 {type(card).__name__}')
    return frame.to_csv(index=False)


def route(frame, numbers=False, seconds=False, textbook=False, deviation_card=None, **options):
    """A route planned through its waypoints, as orvanto-cli route plans a waypoint file.

    ``frame`` has a row a waypoint, its columns named as a waypoint file's (name, lat, lon,
    optionally mode and speed) with text cells. The options are route's, as keywords: ``speed``,
    ``depart`` (with its offset from UTC, e.g. '2026-03-01T08:00+08:00'), ``every``,
    ``limit_latitude``, ``current``, ``variation``, ``deviation``, ``eta_zone`` ('ship', 'Z' or
    '+09:00'), each a text as typed after the
    option or a number; ``deviation_card`` a path or a frame with ``heading,deviation``;
    ``seconds`` and ``textbook`` as the flags. Messages count the frame's rows from 1.

    Returns the table route --format=csv writes, as a DataFrame of texts, its last row 合计. With
    ``numbers=True`` the positions, courses and distances are float64, ``to_lat_deg`` and
    ``to_lon_deg`` give each row's end in decimal degrees, ``hours`` and ``total_hours`` are hours
    (unrounded) and ``eta`` a timezone-aware timestamp.

    >>> legs = pd.DataFrame({'name': ['长江口', '旧金山'], 'lat': ['3106.0N', '3748.0N'],
    ...                      'lon': ['12200.0E', '12230.0W']})
    >>> route(legs, every='60°', speed=14)[['from', 'to', 'total_nmi', 'hours']]
      from   to total_nmi   hours
    0  长江口  分点1  2865.397  204:40
    1  分点1  旧金山  5442.615  184:05
    2   合计       5442.615  388:45
    """
    if not isinstance(frame, pd.DataFrame):
        raise TypeError(f'frame 须是 pandas DataFrame，收到的是 {type(frame).__name__}')
    unknown = sorted(set(options) - set(_ROUTE_TEXTS))
    if unknown:
        raise TypeError(f"route 没有选项 {'、'.join(unknown)}；可用的有 "
                        f"{'、'.join(_ROUTE_TEXTS + ('deviation_card', 'seconds', 'textbook', 'numbers'))}")
    texts = _orvanto.RouteTexts()
    for name, value in options.items():
        if value is not None:
            setattr(texts, name, _option_text(name, value))
    if deviation_card is not None:
        texts.deviation_card = _card_text(deviation_card)
    texts.seconds = bool(seconds)
    texts.textbook = bool(textbook)
    _column_names(frame)
    cells, to_lat, to_lon, hours, total_hours = _orvanto.route(frame.to_csv(index=False), texts)
    table = pd.DataFrame(cells[1:], columns=cells[0], dtype=object)
    if not numbers:
        return table
    for name in _ROUTE_NUMBERS:
        if name in table:
            table[name] = pd.to_numeric(table[name].replace('', np.nan), errors='coerce')
    table['to_lat_deg'] = to_lat
    table['to_lon_deg'] = to_lon
    if 'hours' in table:
        table['hours'] = hours
        table['total_hours'] = total_hours
    if 'eta' in table:
        table['eta'] = [pd.Timestamp(text) if text else pd.NaT for text in table['eta']]
    return table
