"""The navigation library over arrays against GeographicLib's own tools (RhumbSolve, GeodSolve)
and plane vector arithmetic, the route against orvanto-cli route, and the docstrings' examples."""
import doctest
import io
import math
import subprocess

import numpy as np
import pandas as pd
import pytest

import orvanto
from conftest import CLI

RNG = np.random.default_rng(6114)
N = 300
LAT1, LAT2 = RNG.uniform(-80, 80, N), RNG.uniform(-80, 80, N)
LON1, LON2 = RNG.uniform(-180, 180, N), RNG.uniform(-180, 180, N)


def solve(tool, *flags, rows):
    """GeographicLib's command-line tool over rows of numbers: an array of its answers."""
    text = '\n'.join(' '.join(repr(float(v)) for v in row) for row in zip(*rows))
    out = subprocess.run([tool, *flags, '-p', '12'], input=text, capture_output=True, text=True,
                         check=True).stdout
    return np.loadtxt(io.StringIO(out), ndmin=2).T


def angle_gap(a, b):
    return np.abs((np.asarray(a) - np.asarray(b) + 180) % 360 - 180)


def test_rhumb_lines_equal_rhumbsolve_both_ways():
    got = orvanto.rhumb(LAT1, LON1, LAT2, LON2)
    azimuth, metres, _ = solve('RhumbSolve', '-i', rows=(LAT1, LON1, LAT2, LON2))
    assert np.max(np.abs(got['km'] * 1000 - metres)) < 1e-3
    assert np.max(angle_gap(got['course'], azimuth)) < 1e-9
    end = orvanto.reckon(LAT1, LON1, got['course'], got['nmi'])
    lat, lon, _ = solve('RhumbSolve', rows=(LAT1, LON1, got['course'], got['nmi'] * 1852))
    assert np.max(np.abs(end['lat'] - lat)) < 1e-9 and np.max(angle_gap(end['lon'], lon)) < 1e-9


def test_great_circles_equal_geodsolve_and_their_vertex_clairaut():
    got = orvanto.great_circle(LAT1, LON1, LAT2, LON2)
    azi1, azi2, metres = solve('GeodSolve', '-i', rows=(LAT1, LON1, LAT2, LON2))
    assert np.max(np.abs(got['km'] * 1000 - metres)) < 1e-3
    assert np.max(angle_gap(got['course_initial'], azi1)) < 1e-9
    assert np.max(angle_gap(got['course_final'], azi2)) < 1e-9
    # Clairaut: cos β sin α is the same all along a geodesic, and at the vertex sin α is 1.
    flattening = 1 / 298.257223563
    reduced = np.arctan((1 - flattening) * np.tan(np.radians(LAT1)))
    vertex = np.arctan((1 - flattening) * np.tan(np.radians(np.abs(got['vertex_lat']))))
    assert np.max(np.abs(np.cos(vertex) - np.abs(np.cos(reduced) * np.sin(np.radians(azi1))))) < 1e-12
    end = orvanto.reckon(LAT1, LON1, got['course_initial'], got['nmi'], method='great_circle')
    assert np.max(np.abs(end['lat'] - LAT2)) < 1e-7 and np.max(angle_gap(end['lon'], LON2)) < 1e-7
    assert np.max(angle_gap(end['course_final'], azi2)) < 1e-7
    assert orvanto.courses(LAT1, LON1, LAT2, LON2)['gc_course_initial'] == pytest.approx(got['course_initial'])


def plane_cpa(own_course, own_speed, bearing, rng, course, speed):
    """The plotting sheet worked by hand, east and north: DCPA, TCPA, and where the relative track
    meets own ship's heading line ((p + v t) × h = 0), NaN when it met it before now."""
    def vector(direction, length):
        return length * np.array([np.sin(np.radians(direction)), np.cos(np.radians(direction))])

    def cross(a, b):
        return a[0] * b[1] - a[1] * b[0]
    position, relative = vector(bearing, rng), vector(course, speed) - vector(own_course, own_speed)
    hours = -position @ relative / (relative @ relative)
    heading = vector(own_course, 1)
    crossing = -cross(position, heading) / cross(relative, heading)
    if crossing < 0:
        return np.linalg.norm(position + relative * hours), hours * 60, math.nan, math.nan
    ahead = heading @ (position + relative * crossing)
    return np.linalg.norm(position + relative * hours), hours * 60, ahead, crossing * 60


def test_cpa_equals_the_plotting_sheet_worked_by_hand():
    cases = np.column_stack([RNG.uniform(0, 360, N), RNG.uniform(1, 25, N), RNG.uniform(0, 360, N),
                             RNG.uniform(0.5, 12, N), RNG.uniform(0, 360, N), RNG.uniform(1, 25, N)])
    got = orvanto.cpa(*cases.T)
    for i, case in enumerate(cases):
        dcpa, tcpa, bcr, bct = plane_cpa(*case)
        assert got['dcpa'][i] == pytest.approx(dcpa, abs=0.01)
        assert got['tcpa_min'][i] == pytest.approx(tcpa, abs=0.1)
        assert np.isnan(got['bcr'][i]) == np.isnan(bcr)
        if not np.isnan(bcr):
            assert (got['bcr'][i], got['bct_min'][i]) == pytest.approx((bcr, bct), abs=0.01)


def test_cpa_equals_orvanto_cli_cpa():
    for case in np.round(np.column_stack([RNG.uniform(0, 360, 20), RNG.uniform(1, 25, 20),
                                          RNG.uniform(0, 360, 20), RNG.uniform(0.5, 12, 20),
                                          RNG.uniform(0, 360, 20), RNG.uniform(1, 25, 20)]), 1):
        options = [f'--own={case[0]}/{case[1]}', f'--target={case[2]}/{case[3]}@12:00',
                   f'--target-motion={case[4]}/{case[5]}', '--format=tsv']
        fields = subprocess.run([CLI, 'cpa', *options], capture_output=True, text=True,
                                check=True).stdout.rstrip('\n').split('\t')
        got = orvanto.cpa(*case)
        for i, name in ((4, 'dcpa'), (5, 'tcpa_min'), (8, 'bcr'), (9, 'bct_min')):
            decimals = len(fields[i].partition('.')[2])
            value = '' if np.isnan(got[name]) else f'{got[name]:.{decimals}f}'
            assert fields[i] == value, (options, name)


@pytest.mark.parametrize('case, dcpa, tcpa', [
    ((0, 0, 90, 5, 270, 10), 0, 30),       # own ship stopped, the target straight at her
    ((0, 12, 90, 5, 0, 12), 5, math.nan),  # equal motion: the range kept, no TCPA
    ((0, 10, 0, 6, 180, 2), 0, 30),        # steady bearing, range closing: collision course
    ((0, 10, 135, 3, 0, 5), 3 / math.sqrt(2), -25.4558),  # past its CPA: drawing away
])
def test_cpa_degenerate_situations(case, dcpa, tcpa):
    got = orvanto.cpa(*case)
    assert got['dcpa'] == pytest.approx(dcpa, abs=1e-9) and got['message'] == ''
    assert (math.isnan(tcpa) and np.isnan(got['tcpa_min'])) or got['tcpa_min'] == pytest.approx(tcpa, abs=1e-4)


@pytest.mark.parametrize('call, nan_key, message', [
    (lambda: orvanto.rhumb(91, 0, 0, 0), 'nmi', '纬度须在 -90 到 90 之间'),
    (lambda: orvanto.great_circle(0, 0, 0, 200), 'nmi', '经度须在 -180 到 180 之间'),
    (lambda: orvanto.reckon(0, 0, 90, -1), 'lat', '航程须是 0 或更多海里'),
    (lambda: orvanto.reckon(89.9, 0, 0, 600), 'lat', '极'),  # a rhumb line over the pole
    (lambda: orvanto.cpa(0, -1, 0, 1, 0, 1), 'dcpa', '航速和距离须是 0 或更多'),
    (lambda: orvanto.rhumb(30, 120, 30, 120), 'course', ''),  # identical points: no course
])
def test_cases_without_an_answer_are_nan_and_say_why(call, nan_key, message):
    got = call()
    assert np.isnan(got[nan_key]) and message in str(got['message'])


def test_messages_stand_in_the_rows_without_an_answer():
    got = orvanto.rhumb([0, 91, 95, 10, -91], 0, [1, 0, 0, 10, 0], 0)
    assert got['message'].tolist() == ['', *['纬度须在 -90 到 90 之间，经度须在 -180 到 180 之间'] * 2,
                                       '', '纬度须在 -90 到 90 之间，经度须在 -180 到 180 之间']
    assert np.isnan(got['nmi']).tolist() == [False, True, True, False, True]


WAYPOINTS = pd.DataFrame({'name': ['长江口', '檀香山', '旧金山'],
                          'lat': ['3106.0N', '2118.0N', '3748.0N'],
                          'lon': ['12200.0E', '15752.0W', '12230.0W']})


@pytest.mark.parametrize('options, flags', [
    ({}, []),
    ({'every': '10°', 'speed': '14', 'depart': '2026-03-01T08:00+08:00'},
     ['--every=10°', '--speed=14', '--depart=2026-03-01T08:00+08:00']),
    ({'limit_latitude': 40, 'variation': '5W'}, ['--limit-latitude=40.0', '--variation=5W']),
    ({'every': '15°', 'speed': 12, 'depart': '2026-03-01T08:00+08:00', 'eta_zone': 'ship'},
     ['--every=15°', '--speed=12', '--depart=2026-03-01T08:00+08:00', '--eta-zone=ship']),
])
def test_route_equals_orvanto_cli_route(options, flags, tmp_path):
    path = tmp_path / 'route.csv'
    WAYPOINTS.to_csv(path, index=False)
    shown = subprocess.run([CLI, 'route', '--format=csv', *flags, str(path)], capture_output=True,
                           check=True).stdout
    expected = pd.read_csv(io.BytesIO(shown), dtype=str, keep_default_na=False)
    pd.testing.assert_frame_equal(orvanto.route(WAYPOINTS, **options), expected)


def test_route_numbers_and_waypoints_agree():
    table = orvanto.route(WAYPOINTS, numbers=True, every='10°', speed=14,
                          depart='2026-03-01T08:00+08:00')
    cut = orvanto.waypoints([31.1, 21.3], [122.0, -157.8667], [21.3, 37.8], [-157.8667, -122.5])
    rows = table[table['to'].str.startswith('分点')]
    assert rows['to'].tolist() == cut['name'].tolist()
    assert np.allclose(rows[['to_lat_deg', 'to_lon_deg']].to_numpy(), cut[['lat', 'lon']].to_numpy())
    assert table['total_hours'].iloc[-2] == pytest.approx(table['total_nmi'].iloc[-2] / 14, abs=1e-3)
    assert table['eta'].iloc[0].utcoffset() == pd.Timedelta(hours=8) and table['rhumb_nmi'].dtype == np.float64


@pytest.mark.parametrize('call, error, named', [
    (lambda: orvanto.route(WAYPOINTS, current='045/1.5'), ValueError, 'current= 须与 speed= 同用'),
    (lambda: orvanto.route(WAYPOINTS, speed='abc'), ValueError, 'speed 须是'),
    (lambda: orvanto.route(WAYPOINTS, speed=14, depart='2026-03-01T08:00'), ValueError, '时差'),
    (lambda: orvanto.route(WAYPOINTS, knots=14), TypeError, 'knots'),
    (lambda: orvanto.route(WAYPOINTS, speed=14, eta_zone='ship'), ValueError, 'eta_zone= 须与 depart='),
    (lambda: orvanto.waypoints(80, 0, 80, 180), ValueError, '第 0 段'),
    (lambda: orvanto.reckon(0, 0, 0, 1, method='plane'), ValueError, 'method'),
])
def test_route_and_waypoint_arguments_raise_naming_them(call, error, named):
    with pytest.raises(error, match=named):
        call()


def test_docstring_examples():
    failed, _ = doctest.testmod(orvanto, extraglobs={'pd': pd, 'np': np},
                                optionflags=doctest.NORMALIZE_WHITESPACE)
    assert failed == 0
