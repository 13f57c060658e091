"""orvanto.batch against orvanto-cli batch on every file of the batch test corpus (those pandas
cannot read are skipped, saying why), missing cells, and the GIL released while rows compute."""
import io
import pathlib
import random
import sys
import threading
import time

import numpy as np
import pandas as pd
import pytest

import orvanto
from conftest import cli_batch, needs_navigation, read_frame

DATA = pathlib.Path(__file__).parent / 'data'

# orvanto.batch's keywords and the same options for orvanto-cli.
OPTIONS = {
    'plain': ({}, []),
    'window-seconds': ({'seconds': ('2', 'r'), 'fmt': 'window'}, ['--seconds=2,r', '--format=window']),
    'navigation': ({'geodesic': True, 'navigation': True, 'variation': '3.5W'},
                   ['--geodesic', '--navigation', '--variation=3.5W']),
}


def random_rows(rng):
    """Rows of good and bad entries in both modes, blanks, stray letters, legs too far apart."""
    def entry(mode):
        kind = rng.randrange(16)
        sign = '-' if rng.randrange(4) == 0 else ''
        if kind < 5:
            return ['', ' ', '42a125', '421125', '4250.0'][kind]
        if mode == 's':
            return f'{sign}{rng.randrange(90)}{rng.randrange(60):02d}{rng.randrange(60):02d}'
        return f'{sign}{rng.randrange(90)}{rng.randrange(60):02d}.{rng.randrange(10)}'
    lines = ['lat1,lon1,mode1,lat2,lon2,mode2,latr,lonr,moder']
    for _ in range(300):
        points = []
        for _ in range(3):
            mode = 's' if rng.randrange(3) == 0 else 'm'
            points += [entry(mode), entry(mode), mode if rng.randrange(4) else '']
        lines.append(','.join(points))
    return '\n'.join(lines) + '\n'


# The corpus files too large or too random to keep in the tree, made by the test.
GENERATED = {
    'record_over_1MiB.csv': lambda: 'lat1,lon1,lat2,lon2\n' + 'x' * 1_100_000 + '\n0,0,0,100\n',
    'long.csv': lambda: 'lat1,lon1,lat2,lon2\n' + ''.join(f'{n},0,0,100\n' for n in range(2, 300_001)),
    'proof.csv': lambda: random_rows(random.Random(4250)),
}
# Where orvanto-cli's reading of a file, not the rows' rules, makes the difference.
NOT_COMPARABLE = {
    'record_over_1MiB.csv': 'orvanto-cli passes over a record beyond its 1 MiB buffer; a cell has no such limit',
}


# Files whose delimiter is not the header's first comma or tab, as their users would tell pandas.
SEPARATORS = {'semicolons_cr.csv': ';'}
# The header names columns of the navigation library's providers.
NAVIGATION_HEADERS = {'navigation_column_inside.csv', 'courses_out.csv'}


def pandas_options(name, raw):
    """The encoding `auto` finds, and the delimiter of the header (its first comma or tab)."""
    encodings = ['utf-16'] if raw[:2] in (b'\xff\xfe', b'\xfe\xff') else ['utf-8', 'gb18030']
    for encoding in encodings:
        try:
            header = raw.decode(encoding).split('\n', 1)[0]
        except UnicodeDecodeError:
            continue
        comma, tab = header.find(','), header.find('\t')
        sep = '\t' if tab >= 0 and (comma < 0 or tab < comma) else ','
        return {'encoding': encoding, 'sep': SEPARATORS.get(name, sep)}
    return None


@pytest.mark.parametrize('option', OPTIONS)
@pytest.mark.parametrize('name', sorted(p.name for p in DATA.iterdir()) + sorted(GENERATED))
def test_batch_writes_what_orvanto_cli_writes(name, option, tmp_path):
    keywords, flags = OPTIONS[option]
    if (keywords.get('navigation') or name in NAVIGATION_HEADERS) \
            and not orvanto._orvanto.HAS_NAVIGATION:
        pytest.skip('this build has no navigation library')
    if name in NOT_COMPARABLE:
        pytest.skip(NOT_COMPARABLE[name])
    path = DATA / name
    if name in GENERATED:
        path = tmp_path / name
        path.write_text(GENERATED[name]())
    reading = pandas_options(name, path.read_bytes())
    if reading is None:
        pytest.skip('pandas cannot read it: neither UTF-8 nor GB18030')
    try:
        frame = read_frame(path, **reading)
    except (ValueError, pd.errors.ParserError) as error:
        pytest.skip(f'pandas cannot read it: {error}')
    status, output, message = cli_batch(path, *flags)
    if status == 2:  # the header refused
        with pytest.raises(ValueError) as refused:
            orvanto.batch(frame, **keywords)
        assert message == f'orvanto-cli：{refused.value}\n'
        return
    expected = read_frame(io.BytesIO(output), sep=reading['sep']).fillna('')
    results = orvanto.batch(frame, **keywords)
    assert results.index.equals(frame.index)
    pd.testing.assert_frame_equal(results.fillna(''), expected)


LEGS = pd.DataFrame({'lat1': ['4250.0', '', '0'], 'lon1': ['9338.80', '', '0'],
                     'lat2': ['421125', '', '0'], 'lon2': ['1021125', '', '100'],
                     'mode2': ['s', '', '']})


@pytest.mark.parametrize('missing', [None, np.nan, pd.NA, '\u3000'])
def test_missing_and_blank_cells_read_as_empty_text(missing):
    frame, empty = LEGS.copy(), LEGS.copy()
    for table, value in ((frame, missing), (empty, '')):
        table.iloc[1, :] = value  # a blank row: no results, as orvanto-cli passes it by
        table.iloc[2, 1] = value  # an empty entry
    results = orvanto.batch(frame).iloc[:, 5:]
    assert results.equals(orvanto.batch(empty).iloc[:, 5:])
    assert results.iloc[1].tolist() == ['', '', '', '']
    assert results.iloc[2, 3] == '请输入完整的经纬信息！'


def test_string_dtype_columns_keep_their_dtype():
    frame = LEGS.astype('string')
    results = orvanto.batch(frame)
    assert (results.dtypes.iloc[:5] == 'string').all()
    assert results['km'].tolist() == orvanto.batch(LEGS)['km'].tolist()


def test_another_thread_runs_while_rows_compute():
    # With a long switch interval the GIL changes hands only when its holder lets it go, so the
    # counting thread advances only while the rows compute without it.
    frame = pd.DataFrame({'lat1': ['4250.0'] * 300_000, 'lon1': ['9338.80'] * 300_000,
                          'lat2': ['421125'] * 300_000, 'lon2': ['1021125'] * 300_000})
    counted, stop = [0], threading.Event()

    def count():
        while not stop.is_set():
            counted[0] += 1
            time.sleep(0)

    interval = sys.getswitchinterval()
    sys.setswitchinterval(10)
    counter = threading.Thread(target=count)
    try:
        counter.start()
        before = counted[0]
        orvanto.batch(frame)
        during = counted[0] - before
    finally:
        stop.set()
        counter.join()
        sys.setswitchinterval(interval)
    assert during > 100


@needs_navigation
def test_variation_in_degrees_reads_as_its_text():
    east = orvanto.batch(LEGS, navigation=True, variation=-3.5)
    assert east.equals(orvanto.batch(LEGS, navigation=True, variation='3.5W'))
