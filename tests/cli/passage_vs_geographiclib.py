#!/usr/bin/env python3
"""Passage planning against GeographicLib's own tools on generated cases: reckon against GeodSolve
and RhumbSolve (direct) to the printed 0.01' and its final course to 0.05°, a current against a
vector sum; each 分点 of route --every on its leg's geodesic within 1 m, at a multiple of the step;
course --vertex where the azimuth is 090/270, on the side its course heads for; route
--limit-latitude with no point of the GPX or the GeoJSON line beyond the limit and its tangent
points on it. Usage: passage_vs_geographiclib.py PATH_TO_ORVANTO_CLI"""
import json, math, os, random, re, subprocess, sys, tempfile

cli = sys.argv[1]
failures = 0
random.seed(1852)
work = tempfile.mkdtemp()
NEAR = 0.005 / 60 + 1e-9  # half the printed hundredth of a minute


def check(ok, what):
    global failures
    if not ok:
        failures += 1
        if failures <= 10:
            print('FAIL:', what)


def solve(tool, rows, *flags):  # the tool over rows of numbers (which read no exponent)
    out = subprocess.run([tool, '-p', '9', *flags], capture_output=True, text=True, check=True,
                         input=''.join(' '.join(f'{x:.12f}' for x in row) + '\n' for row in rows)).stdout
    return [[float(x) for x in line.split()] for line in out.splitlines()]


def inverse(a, b):  # [azimuth at a, azimuth at b, metres]
    return solve('GeodSolve', [(*a, *b)], '-i')[0][:3]


def degrees(text):  # "2128.30N" is 21.471666…°
    number = float(text[:-1])
    value = number // 100 + number % 100 / 60
    return -value if text[-1] in 'SW' else value


def apart(a, b):  # across 360°
    return abs((a - b + 180) % 360 - 180)


def run(*args):
    return subprocess.run([cli, *args], capture_output=True, text=True)


def entries(*points):
    return ['--', *(f'{x:.9f}°' for point in points for x in point)]


# Reckoning, a rhumb line over a pole included.
cases = [(random.uniform(-75, 75), random.uniform(-180, 180), random.uniform(0, 360),
          random.uniform(0, 3000)) for _ in range(300)]
geodesics = solve('GeodSolve', [(a, o, c, d * 1852) for a, o, c, d in cases])
rhumbs = solve('RhumbSolve', [(a, o, c, d * 1852) for a, o, c, d in cases])
for (a, o, c, d), g, r in zip(cases, geodesics, rhumbs):
    got = run('reckon', '--format=tsv', *entries((a, o)), f'{c:.9f}', f'{d:.9f}nmi')
    if math.isnan(r[1]):
        check(got.returncode == 1 and '极点' in got.stderr, f'reckon {a} {o} {c} {d}: {got.stderr}')
        continue
    f = got.stdout.split('\t')
    check(len(f) == 9 and abs(degrees(f[0]) - r[0]) <= NEAR and apart(degrees(f[1]), r[1]) <= NEAR
          and abs(degrees(f[2]) - g[0]) <= NEAR and apart(degrees(f[3]), g[1]) <= NEAR
          and apart(float(f[4]), g[2]) <= 0.05 + 1e-9 and abs(float(f[7]) - g[0]) <= 6e-7,
          f'reckon {a} {o} {c} {d}: {got.stdout} against rhumb {r}, geodesic {g}')

# A current: the run through the water plus the drift, summed here, sailed as one rhumb line.
for _ in range(60):
    a, o, c, set_ = random.uniform(-60, 60), random.uniform(-180, 180), random.uniform(0, 360), random.uniform(0, 360)
    speed, hours, drift = random.uniform(5, 20), random.uniform(1, 30), random.uniform(0, 4)
    sums = [speed * hours * f(math.radians(c)) + drift * hours * f(math.radians(set_))
            for f in (math.sin, math.cos)]
    [r] = solve('RhumbSolve', [(a, o, math.degrees(math.atan2(*sums)), math.hypot(*sums) * 1852)])
    f = run('reckon', '--format=tsv', f'--speed={speed:.9f}', f'--hours={hours:.9f}',
            f'--current={set_:.9f}/{drift:.9f}', *entries((a, o)), f'{c:.9f}').stdout.split('\t')
    check(abs(float(f[5]) - r[0]) <= 6e-7 and apart(float(f[6]), r[1]) <= 6e-7, f'current: {f} against {r}')


def gpx_points(path):
    return [(name, float(a), float(o)) for a, o, name in re.findall(
        r'<rtept lat="([^"]+)" lon="([^"]+)"><name>([^<]*)</name>', open(path).read())]


# 分点 at meridians and at distances: on their leg's geodesic, at a multiple of the step.
waypoints = [(random.uniform(-60, 60), random.uniform(-180, 180))]
for _ in range(11):  # legs the calculator's own distance still measures
    waypoints.append((random.uniform(-60, 60), waypoints[-1][1] + random.uniform(-60, 60)))
with open(os.path.join(work, 'w.csv'), 'w') as file:
    file.write('name,lat,lon\n' + ''.join(f'P{i},{a:.7f}°,{(o + 180) % 360 - 180:.7f}°\n' for i, (a, o) in enumerate(waypoints)))
for step, multiple in (('7°', lambda o, m: o / 7), ('450nmi', lambda o, m: m / (450 * 1852))):
    gpx = os.path.join(work, 'every.gpx')
    check(run('route', f'--every={step}', f'--gpx={gpx}', os.path.join(work, 'w.csv')).returncode == 0, step)
    count, leg = 0, -1
    for name, a, o in gpx_points(gpx):
        if not name.startswith('分点'):
            leg += 1
            continue
        count += 1
        start, end = waypoints[leg], waypoints[leg + 1]
        metres = inverse(start, (a, o))[2]
        [direct] = solve('GeodSolve', [(*start, inverse(start, end)[0], metres)])
        off = inverse(direct[:2], (a, o))[2]
        m = multiple(o, metres)
        check(off <= 1 and abs(m - round(m)) < 1e-6, f'{step} {name} {a} {o}: {off} m off its leg, {m}')
    check(count > 5, f'{step}: only {count} 分点')

# The vertex ahead: azimuth 090 or 270 there, north for an initial course through 000.
for _ in range(100):
    a, b = [(random.uniform(-70, 70), random.uniform(-180, 180)) for _ in range(2)]
    f = run('course', '--vertex', '--format=tsv', *entries(a, b)).stdout.strip('\n').split('\t')
    if f[7] == '':
        check(False, f'no vertex {a} {b}')
        continue
    vertex = (degrees(f[7]), degrees(f[8]))
    _, azimuth, metres = inverse(a, vertex)
    initial, _, leg = inverse(a, b)
    check(min(apart(azimuth, 90), apart(azimuth, 270)) < 0.01 or metres < 100e3, f'vertex {a} {b}: {azimuth}')
    check((vertex[0] > 0) == (math.cos(math.radians(initial)) > 0), f'vertex {a} {b}: {f[7]}')
    check(abs(metres - leg) < 100 or f[9] == ('1' if metres < leg else '0'), f'vertex {a} {b}: on leg {f[9]}')

# Composite sailing across the Pacific, both ways and both hemispheres.
with open(os.path.join(work, 'pacific.csv'), 'w') as file:
    file.write('name,lat,lon\n长江口,3100.0,12230.0\n旧金山,3748.0,12230.0W\n'
               '惠灵顿,4117.0S,17447.0E\n瓦尔帕莱索,3302.0S,7138.0W\n')
for every in ([], ['--every=10°']):
    gpx, geojson = os.path.join(work, 'limit.gpx'), os.path.join(work, 'limit.geojson')
    table = run('route', '--format=tsv', '--limit-latitude=42', *every, f'--gpx={gpx}',
                f'--geojson={geojson}', os.path.join(work, 'pacific.csv')).stdout
    points = gpx_points(gpx)
    line = [c for f in json.load(open(geojson))['features'] if f['geometry']['type'] == 'MultiLineString'
            for part in f['geometry']['coordinates'] for c in part]
    check(max(abs(p[1]) for p in points) <= 42 and max(abs(c[1]) for c in line) <= 42 and len(line) > 2000,
          f'a point beyond 42° {every}')
    tangents = [i for i, p in enumerate(points) if p[0].startswith('限制纬度')]
    check(len(tangents) == 4 and all(abs(points[i][1]) == 42 for i in tangents), f'tangents {tangents}')
    check(all(r.split('\t')[4] in ('090.0', '270.0') for r in table.splitlines() if r.startswith('限制纬度起')), table)
    for i in tangents[::2] if not every else []:
        azimuth = inverse(points[i - 1][1:], points[i][1:])[1]
        check(min(apart(azimuth, 90), apart(azimuth, 270)) < 1e-6, f'tangent {points[i]}: {azimuth}')

print(f'{failures} failed')
sys.exit(1 if failures else 0)
