"""orvanto.batch against orvanto-cli batch on every file of the batch test corpus (those pandas
cannot read are skipped, saying why), missing cells, and the GIL released while rows compute."""
import gc
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
from conftest import cli_batch, random_legs, read_frame

DATA = pathlib.Path(__file__).parent / 'data'

# orvanto.batch's keywords and the same options for orvanto-cli.
OPTIONS = {
    'plain': ({}, []),
    'window-seconds': ({'seconds': ('2', 'r'), 'fmt': 'window'}, ['--seconds=2,r', '--format=window']),
    'navigation': ({'geodesic': True, 'navigation': True, 'variation': '3.5W', 'deviation': '西2'},
                   ['--geodesic', '--navigation', '--variation=3.5W', '--deviation=西2']),
}

# The corpus files too large or too random to keep in the tree, made by the test.
GENERATED = {
    'record_over_1MiB.csv': lambda: 'lat1,lon1,lat2,lon2\n' + 'x' * 1_100_000 + '\n0,0,0,100\n',
    'long.csv': lambda: 'lat1,lon1,lat2,lon2\n' + ''.join(f'{n},0,0,100\n' for n in range(2, 300_001)),
    'random.csv': lambda: random_legs(random.Random(4250), 300),
}
# Where orvanto-cli's reading of a file, not the rows' rules, makes the difference.
NOT_COMPARABLE = {
    'record_over_1MiB.csv': 'orvanto-cli passes over a record beyond its 1 MiB buffer; a cell has no such limit',
}
# Files whose delimiter is not the header's first comma or tab, as their users would tell pandas.
SEPARATORS = {'semicolons_cr.csv': ';'}


def read_as_users_do(path):
    """The file read by pandas in the encoding `auto` finds, with the header's delimiter (its first
    comma or tab): (frame, delimiter), or the test skipped saying why pandas cannot read it."""
    raw = path.read_bytes()
    for encoding in ['utf-16'] if raw[:2] in (b'\xff\xfe', b'\xfe\xff') else ['utf-8', 'gb18030']:
        try:
            header = raw.decode(encoding).split('\n', 1)[0]
        except UnicodeDecodeError:
            continue
        sep = SEPARATORS.get(path.name, min(',\t', key=lambda c: header.find(c) % (len(header) + 1)))
        try:
            return read_frame(path, sep=sep, encoding=encoding), sep
        except (ValueError, pd.errors.ParserError) as error:
            pytest.skip(f'pandas cannot read it: {error}')
    pytest.skip('pandas cannot read it: neither UTF-8 nor GB18030')


@pytest.mark.parametrize('option', OPTIONS)
@pytest.mark.parametrize('name', sorted(p.name for p in DATA.iterdir()) + sorted(GENERATED))
def test_batch_writes_what_orvanto_cli_writes(name, option, tmp_path):
    keywords, flags = OPTIONS[option]
    if name in NOT_COMPARABLE:
        pytest.skip(NOT_COMPARABLE[name])
    path = DATA / name
    if name in GENERATED:
        path = tmp_path / name
        path.write_text(GENERATED[name]())
    frame, sep = read_as_users_do(path)
    status, output, message = cli_batch(path, *flags)
    if status == 2:  # the header refused
        with pytest.raises(ValueError) as refused:
            orvanto.batch(frame, **keywords)
        assert message == f'orvanto-cli：{refused.value}\n'
        return
    # A mode field's advice names the option each way has: --seconds there, seconds= here.
    expected = read_frame(io.BytesIO(output), sep=sep).fillna('').replace(
        ' --seconds 的设定', ' seconds= 的设定', regex=True)
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
    # With a long switch interval the GIL changes hands only when its holder lets it go: the
    # counting thread advances only while the rows compute without it.
    frame = pd.DataFrame({'lat1': ['4250.0'] * 300_000, 'lon1': ['9338.80'] * 300_000,
                          'lat2': ['4250.0'] * 300_000, 'lon2': ['9440.0'] * 300_000})
    counted, stop, interval = [0], threading.Event(), sys.getswitchinterval()

    def count():
        while not stop.is_set():
            counted[0] += 1
            time.sleep(0)

    sys.setswitchinterval(10)
    counter = threading.Thread(target=count)
    counter.start()
    try:
        before = counted[0]
        orvanto.batch(frame)
        assert counted[0] - before > 100
    finally:
        stop.set()
        counter.join()
        sys.setswitchinterval(interval)


@pytest.mark.parametrize('numbers', [False, True])
def test_rows_keep_their_place_across_pieces(numbers):
    # A frame is computed 65,536 rows at a time: the rows at the pieces' edges give what they
    # give alone.
    frame = read_frame(io.StringIO(random_legs(random.Random(65536), 2 * 65_536 + 3)))
    edges = [0, 65_535, 65_536, 131_071, 131_072, len(frame) - 1]
    whole = orvanto.batch(frame, numbers=numbers).iloc[edges].reset_index(drop=True)
    alone = orvanto.batch(frame.iloc[edges].reset_index(drop=True), numbers=numbers)
    pd.testing.assert_frame_equal(whole, alone)


def test_result_texts_outlive_the_batch_that_made_them():
    # The result texts are made on memory the batch maps itself and Python gives back on its own
    # once they are gone: texts kept, dropped and made again meanwhile stay what they were.
    frame = read_frame(io.StringIO(random_legs(random.Random(2097152), 2 * 65_536 + 3)))
    first = orvanto.batch(frame)
    kept = first.iloc[::997].copy()
    expected = kept.to_csv()
    del first
    gc.collect()
    filler = [str(i) * 3 for i in range(300_000)]
    again = orvanto.batch(frame)
    assert kept.to_csv() == expected == again.iloc[::997].to_csv()
    assert filler[299_999] == '299999' * 3


def test_numbers_are_the_texts_unrounded():
    frame = read_frame(io.StringIO(random_legs(random.Random(1852), 2000)))
    keywords = OPTIONS['navigation'][0]
    texts, numbers = orvanto.batch(frame, **keywords), orvanto.batch(frame, numbers=True, **keywords)
    assert numbers['error'].equals(texts['error'])
    for name in texts.columns[len(frame.columns):].drop('error'):
        shown = pd.to_numeric(texts[name].replace('', np.nan))
        decimals = 1 if 'course' in name else 3
        assert numbers[name].dtype == np.float64
        assert np.array_equal(np.isnan(numbers[name]), np.isnan(shown)), name
        # nmi is converted from the kilometres as shown, so it may stand a rounding further off.
        slack = 0.5 * 10 ** -decimals + (0.0003 if name == 'nmi' else 1e-9)
        gap = numbers[name] - shown
        if 'course' in name:  # 359.98 is shown as 000.0
            gap = (gap + 180) % 360 - 180
        assert np.nanmax(np.abs(gap)) <= slack, name


def test_columns_not_read_pass_through_whatever_their_dtype():
    frame = LEGS.assign(id=[7, 8, 9], when=pd.to_datetime(['2026-03-01'] * 3))
    results = orvanto.batch(frame)
    pd.testing.assert_frame_equal(results[['id', 'when']], frame[['id', 'when']])
    assert results['km'].tolist() == orvanto.batch(LEGS)['km'].tolist()
    # A row whose only cell is an id is no blank row: its entries are missing.
    only_id = orvanto.batch(frame.assign(lat1='', lon1='', lat2='', lon2='', mode2=''))
    assert (only_id['error'] == '请输入完整的经纬信息！').all()


def test_variation_in_degrees_reads_as_its_text():
    east = orvanto.batch(LEGS, navigation=True, variation=-3.5)
    assert east.equals(orvanto.batch(LEGS, navigation=True, variation='3.5W'))
