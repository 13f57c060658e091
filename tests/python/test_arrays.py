"""The numeric functions: entries read as the boxes read them, the distance and the angle the
batch texts round, broadcasting and dtypes, and the errors for bad arguments."""
import subprocess

import numpy as np
import pandas as pd
import pytest

import orvanto
from conftest import CLI

NaN = float('nan')


@pytest.mark.parametrize('text, seconds, axis, degrees, message', [
    ('4250.0', False, 'lat', 42 + 50 / 60, ''),
    ('４２５０．０', False, 'lat', 42 + 50 / 60, ''),  # full width, as an input method types it
    ('北纬42度50分', False, 'lat', 42 + 50 / 60, ''),
    ('4250.0S', False, 'lat', -(42 + 50 / 60), ''),
    ('421125', True, 'lat', 42 + 11 / 60 + 25 / 3600, ''),
    ('9338.80', False, 'lat', NaN, '点Ⅰ纬度的输入“9338.80”超出范围'),
    ('42 5.0', False, 'lon', NaN, '点Ⅰ经度的输入“42 5.0”中的数字被空格隔开'),
    ('\u3000', True, 'lat', NaN, '请输入完整的经纬信息！'),
])
def test_read_entries_reads_as_the_entry_boxes(text, seconds, axis, degrees, message):
    got, messages = orvanto.read_entries([text, '0'], seconds=seconds, axis=axis)
    np.testing.assert_equal(got, [degrees, 0.0])
    assert messages[0].startswith(message) and messages[1] == ''


def test_distance_and_angle_are_the_batch_texts_unrounded():
    rng = np.random.default_rng(1852)
    lat = rng.uniform(-80, 80, (3, 2000))
    lon = rng.uniform(-180, 180, (3, 2000))
    lon[1] = np.clip(lon[0] + rng.uniform(-30, 30, 2000), -180, 180)  # most legs have a distance
    texts = pd.DataFrame({name: [f'{value}°' for value in values] for name, values in
                          zip(['lat1', 'lon1', 'lat2', 'lon2', 'latr', 'lonr'],
                              [lat[0], lon[0], lat[1], lon[1], lat[2], lon[2]])})
    rows = orvanto.batch(texts).replace('', 'nan').astype({'km': float, 'angle': float})
    for got, shown in ((orvanto.distance_km(lat[0], lon[0], lat[1], lon[1]), rows['km']),
                       (orvanto.angle_deg(lat[0], lon[0], lat[1], lon[1], lat[2], lon[2]),
                        rows['angle'])):
        assert np.array_equal(np.isnan(got), np.isnan(shown))
        assert np.nanmax(np.abs(got - shown)) <= 0.0005 + 1e-9


def test_arguments_broadcast_like_numpy_functions():
    lat2 = np.array([[0, 1, 2], [3, 4, 95]], dtype=np.int32)
    got = orvanto.distance_km(0, np.float32(0), lat2, [0, 1, 2])
    assert got.dtype == np.float64 and got.shape == (2, 3)
    for (i, j), value in np.ndenumerate(got):
        np.testing.assert_equal(value, orvanto.distance_km(0, 0, float(lat2[i, j]), j))
    assert np.isnan(got[1, 2])  # a latitude off the chart has no distance
    assert isinstance(orvanto.distance_km(0, 0, 0, 1), np.float64)
    assert np.isnan(orvanto.distance_km(0, 0, 0, 120))  # too far apart for the chord estimate
    assert orvanto.angle_deg(0, 0, 0, 1, [0, 1], 0).shape == (2,)
    degrees, messages = orvanto.read_entries(pd.Series(['4250.0', 'x']).to_numpy().reshape(2, 1))
    assert degrees.shape == messages.shape == (2, 1)


def test_courses_are_those_of_orvanto_cli_course():
    shown = subprocess.run([CLI, 'course', '--format=tsv', '3000.0', '12200.0', '2200.0', '11400.0'],
                           capture_output=True, text=True, check=True).stdout.split('\t')
    got = orvanto.courses(30, 122, [22, 90], 114)
    assert [f'{got[name][0]:.{decimals}f}' for name, decimals in
            (('gc_km', 3), ('gc_course_initial', 1), ('gc_course_final', 1), ('rhumb_km', 3),
             ('rhumb_course', 1))] == [shown[0], shown[2], shown[3], shown[4], shown[6].strip()]
    assert np.isnan(got['gc_course_final'][1])  # at a pole


FRAME = pd.DataFrame({'lat1': ['0'], 'lon1': ['0'], 'lat2': ['0'], 'lon2': ['100']})


@pytest.mark.parametrize('call, error, named', [
    (lambda: orvanto.batch([['0', '0', '0', '100']]), TypeError, 'frame'),
    (lambda: orvanto.batch(FRAME.rename(columns={'lat1': 1})), TypeError, '列名'),
    (lambda: orvanto.batch(FRAME.assign(lat1=[4250])), TypeError, '“lat1” 列是 int64'),
    (lambda: orvanto.batch(FRAME.assign(lon2=['\ud800'])), ValueError, '“lon2” 列第 0 格'),
    (lambda: orvanto.batch(FRAME.drop(columns='lon2')), ValueError, '表头缺少 lon2 列'),
    (lambda: orvanto.batch(FRAME, seconds=('1', '3')), ValueError, 'seconds'),
    (lambda: orvanto.batch(FRAME, fmt='csv'), ValueError, 'fmt'),
    (lambda: orvanto.batch(FRAME, variation='3.5W'), ValueError, 'navigation'),
    (lambda: orvanto.batch(FRAME, deviation=2.0), ValueError, 'deviation'),
    (lambda: orvanto.read_entries(['4250.0', 4250]), TypeError, 'texts 的第 1 格'),
    (lambda: orvanto.read_entries(['4250.0'], axis='north'), ValueError, 'axis'),
    (lambda: orvanto.distance_km(['42.5'], 0, 0, 0), TypeError, 'lat1'),
    (lambda: orvanto.distance_km(0, 0, 0, np.array([1 + 2j])), TypeError, 'lon2'),
    (lambda: orvanto.distance_km([0, 1], 0, [0, 1, 2], 0), ValueError, r'lat1 \(2,\)、lon1 \(\)、lat2 \(3,\)'),
])
def test_bad_arguments_raise_naming_them(call, error, named):
    with pytest.raises(error, match=named):
        call()
