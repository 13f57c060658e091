// The module under node against the native orvanto-cli: every row of the calculator's test tables
// and 100,000 random legs in every written form, both commands, all modes; and 10,000 random legs'
// courses and geodesics with a route's files, GeographicLib built with em++ against Debian's. The
// texts must agree byte for byte. ORVANTO_CLI names the native program (build/dev/cli/orvanto-cli by default).
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync, spawnSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { createOrvanto, cli, generator } from './module_under_node.mjs';

// A small seeded generator, so that a failing leg comes back on the next run.
// One entry in one of its written forms: plain, signed, with a designator in front or behind, in
// full-width digits, with degree marks, or now and then out of range or not a number.
function entry(random, axis, seconds, spread) {
    const pick = (list) => list[Math.floor(random() * list.length)];
    const limit = axis === 'lat' ? 90 : 180;
    const value = (random() * 2 - 1) * limit * spread * (random() < 0.01 ? 1.2 : 1);
    const [d, m, s] = [Math.floor(Math.abs(value)), Math.floor((Math.abs(value) * 60) % 60), Math.floor((Math.abs(value) * 3600) % 60)];
    const two = (n) => String(n).padStart(2, '0');
    const digits = seconds ? `${d}${two(m)}${two(s)}` : `${d}${two(m)}.${Math.floor(random() * 100)}`;
    const [plus, minus] = axis === 'lat' ? ['N', 'S'] : ['E', 'W'];
    const [plusWord, minusWord] = axis === 'lat' ? ['北纬', '南纬'] : ['东经', '西经'];
    const negative = value < 0;
    return pick([
        () => (negative ? '-' : '') + digits,
        () => (negative ? minus : plus) + digits,
        () => digits + (negative ? minus : plus).toLowerCase(),
        () => (negative ? minusWord : plusWord) + digits,
        () => (negative ? '-' : '') + digits.replace(/[0-9.]/g, (c) => String.fromCharCode(c.charCodeAt(0) + 0xfee0)),
        () => `${negative ? '-' : ''}${d}°${two(m)}′${seconds ? `${two(s)}″` : ''}`,
        () => (seconds ? `${d} ${two(m)} ${two(s)}` : `${d}${two(m)}`),
        () => pick(['', '4x', '北纬', '12.3.4', '1e3']),
    ])();
}

function randomLegs(count) {
    const random = generator(20261207);
    return Array.from({ length: count }, () => {
        const modes = [0, 1, 2].map(() => (random() < 0.5 ? 's' : 'm'));
        // Half the legs stay near the origin, where the angle is seldom out of reach.
        const spread = random() < 0.5 ? 1 : 0.2;
        const texts = [0, 1, 2].flatMap((i) => ['lat', 'lon'].map((axis) => entry(random, axis, modes[i] === 's', spread)));
        return [...texts, modes.join('')];
    });
}

const csvField = (text) => (/[",\r\n]/.test(text) ? `"${text.replaceAll('"', '""')}"` : text);

function parseCsv(text) {
    const rows = [];
    const pattern = /("(?:[^"]|"")*"|[^,\r\n]*)(,|\r?\n|$)/gy;
    let row = [];
    for (let match; pattern.lastIndex < text.length && (match = pattern.exec(text));) {
        const field = match[1];
        row.push(field.startsWith('"') ? field.slice(1, -1).replaceAll('""', '"') : field);
        if (match[2] !== ',') {
            rows.push(row);
            row = [];
        }
    }
    return rows;
}

// km, nmi, angle and error as the batch writes them: the distance's message, then the angle's
// when it says something else; no angle when both reference fields are blank.
function moduleRow(module, [modes, ...texts]) {
    const seconds = [...modes].map((mode) => mode === 's');
    const distance = module.distance(texts, seconds);
    const angle = texts[4].trim() || texts[5].trim() ? module.angle(texts, seconds) : {};
    const errors = [distance.message?.text, angle.message?.text].filter(Boolean);
    const error = errors.length === 2 && errors[0] === errors[1] ? errors[0] : errors.join('；');
    return [distance.kilometres ?? '', distance.nauticalMiles ?? '', angle.degrees ?? '', error];
}

test('the module gives the native texts byte for byte', async () => {
    const module = await createOrvanto();
    const tables = JSON.parse(readFileSync(new URL('calculator_rows.json', import.meta.url)));
    const legs = [...tables, ...randomLegs(100_000)].map((row) => [row[6], ...row.slice(0, 6)]);
    const folder = mkdtempSync(join(tmpdir(), 'orvanto-web-'));
    const header = 'lat1,lon1,lat2,lon2,latr,lonr,mode1,mode2,moder\n';
    writeFileSync(join(folder, 'legs.csv'), header + legs.map(([modes, ...texts]) =>
        [...texts, ...modes].map(csvField).join(',')).join('\n') + '\n');
    try {
        execFileSync(cli, ['batch', '--format=window', `--output=${join(folder, 'out.csv')}`, join(folder, 'legs.csv')], { stdio: 'ignore' });
    } catch (error) {
        assert.equal(error.status, 1, 'only rows that could not be computed may fail');
    }
    const native = parseCsv(readFileSync(join(folder, 'out.csv'), 'utf8')).slice(1).map((row) => row.slice(-4));
    rmSync(folder, { recursive: true });
    const web = legs.map((leg) => moduleRow(module, leg));
    const differing = web.findIndex((row, i) => row.join('\t') !== native[i]?.join('\t'));
    assert.equal(differing, -1, `row ${differing + 1}: ${JSON.stringify(legs[differing])} ${web[differing]} ≠ ${native[differing]}`);
    const hash = (rows) => createHash('sha256').update(rows.map((row) => row.join('\t')).join('\n')).digest('hex');
    assert.equal(hash(web), hash(native));
    console.log(`${legs.length} rows, both ${hash(web)}`);
});

// Positions as the page gets them from a file: degrees with nine decimals and a degree mark.
function randomPositions(count, seed) {
    const random = generator(seed);
    const clamp = (lat) => Math.max(-90, Math.min(90, lat));
    const positions = [];
    for (let i = 0; i < count; ++i) {
        const [lat, lon] = [random() * 180 - 90, random() * 360 - 180];
        // Anywhere, short (within 2 degrees), nearly antipodal (where the inverse converges
        // slowest), and now and then a pole or the same point again.
        const offset = () => random() * 4 - 2;
        const other = [[random() * 180 - 90, random() * 360 - 180], [clamp(lat + offset()), lon + offset()],
            [clamp(-lat + offset()), lon + 180 + offset()], [90, lon], [lat, lon]][i % 5];
        const degrees = (value) => `${value.toFixed(9)}°`;
        positions.push([lat, lon, ...other].map(degrees));
    }
    return positions;
}

function runModuleBatch(module, bytes, options) {
    let at = 0;
    const parts = [];
    const result = module.runBatch((count) => bytes.subarray(at, (at += count)), (view) => parts.push(Buffer.from(view)),
        { name: 'legs.csv', seconds: [false, false, false], format: 'plain', byteOrderMark: false, ...options });
    assert.equal(result.error, undefined);
    return Buffer.concat(parts);
}

test('the module writes the native course, geodesic and position texts over 10,000 random legs', async () => {
    const module = await createOrvanto();
    const folder = mkdtempSync(join(tmpdir(), 'orvanto-legs-'));
    try {
        // Courses and geodesic distances: batch with both extra column sets, byte for byte.
        const legs = `lat1,lon1,lat2,lon2\n${randomPositions(10_000, 20261208).map((leg) => leg.join(',')).join('\n')}\n`;
        writeFileSync(join(folder, 'legs.csv'), legs);
        const native = spawnSync(cli, ['batch', '--geodesic', '--navigation', 'legs.csv'], { cwd: folder, maxBuffer: 1 << 28 }).stdout;
        const web = runModuleBatch(module, Buffer.from(legs), { geodesic: true, navigation: true });
        assert.ok(native.length > 1_000_000);
        assert.equal(web.toString(), native.toString());
        // Positions along the great circles, 7 decimals: a route's files from standard input (the
        // RTZ and NMEA files named as the page's downloads are), as planned and as sailed by 分点
        // with times.
        const waypoints = randomPositions(150, 7).map(([lat, lon], i) => `W${i},${lat},${lon}`);
        const text = `名称,纬度,经度\n${waypoints.join('\n')}\n`;
        for (const [boxes, options] of [[{ 'route-variation': '3.5W' }, ['--variation=3.5W']],
            [{ 'route-step': '5°', 'route-speed': '12', 'route-departure': '2026-12-08T08:00+08:00', 'route-set': '045', 'route-drift': '1' },
                ['--every=5°', '--speed=12', '--depart=2026-12-08T08:00+08:00', '--current=045/1']]]) {
            const route = module.planRoute(text, { seconds: false, textbook: false, headerLines: 0, boxes });
            const files = ['route.gpx', 'route.geojson', '航线.rtz', '航线.nmea'].map((name) => join(folder, name));
            const table = spawnSync(cli, ['route', '--format=csv', '--output-encoding=utf-8-bom', ...options,
                `--gpx=${files[0]}`, `--geojson=${files[1]}`, `--rtz=${files[2]}`, `--nmea=${files[3]}`],
            { input: text, maxBuffer: 1 << 28 }).stdout;
            assert.ok(route.rtz && route.nmea);
            assert.deepEqual([route.csv, route.gpx, route.geojson, route.rtz, route.nmea].map((bytes) => Buffer.from(bytes ?? [])),
                [table, ...files.map((file) => readFileSync(file))], options.join(' '));
        }
    } finally {
        rmSync(folder, { recursive: true });
    }
});

// The boxes of 推算船位 and the command line's reckon for one random case: a course true, magnetic
// or compass, a distance or a speed and a time, now and then a current, on WGS-84 or the textbook's.
function randomReckoning(random, [lat, lon]) {
    const pick = (list) => list[Math.floor(random() * list.length)];
    const boxes = { 'reckon-latitude': lat, 'reckon-longitude': lon, 'route-variation': '3.5W', 'route-deviation': '2E' };
    const options = ['--format=tsv', '--variation=3.5W', '--deviation=2E'];
    boxes['reckon-course'] = `${(random() * 360).toFixed(1)}${pick(['', 'T', 'M', 'C'])}`;
    if (random() < 0.5) {
        boxes['reckon-distance'] = (random() * 6000).toFixed(2);
    } else {
        [boxes['reckon-speed'], boxes['reckon-hours']] = [(0.5 + random() * 30).toFixed(1), (random() * 300).toFixed(2)];
        options.push(`--speed=${boxes['reckon-speed']}`, `--hours=${boxes['reckon-hours']}`);
        if (random() < 0.5) {
            [boxes['reckon-set'], boxes['reckon-drift']] = [(random() * 360).toFixed(0), (random() * 4).toFixed(1)];
            options.push(`--current=${boxes['reckon-set']}/${boxes['reckon-drift']}`);
        }
    }
    const textbook = random() < 0.3;
    options.push(...(textbook ? ['--textbook'] : []), '--', lat, lon, boxes['reckon-course'], ...(boxes['reckon-distance'] ? [boxes['reckon-distance']] : []));
    return { boxes, textbook, options };
}

test('the module reckons and finds the vertex as the native orvanto-cli does over 400 random cases each', async () => {
    const module = await createOrvanto();
    const random = generator(20261209);
    const compass = { variation: -3.5, deviation: 2 };
    for (const [i, [lat1, lon1, lat2, lon2]] of randomPositions(400, 11).entries()) {
        const reckoning = randomReckoning(random, [lat1, lon1]);
        const native = spawnSync(cli, ['reckon', ...reckoning.options]);
        const web = module.reckonPosition(reckoning.boxes, { seconds: false, textbook: reckoning.textbook });
        assert.equal(web.fields?.join('\t') ?? 'error', native.status === 0 ? native.stdout.toString().trimEnd() : 'error', `${i}: ${reckoning.options.join(' ')}`);
        const points = module.distance([lat1, lon1, lat2, lon2, '', ''], [false, false, false]).points;
        if (points) {
            const course = spawnSync(cli, ['course', '--vertex', '--variation=3.5W', '--deviation=2E', '--', lat1, lon1, lat2, lon2]).stdout.toString();
            assert.equal(module.courseLines(...points, compass, [false, false], undefined), course, `${i}: ${lat1} ${lon1} ${lat2} ${lon2}`);
        }
    }
});
