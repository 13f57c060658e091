// The 定位 part's module under node against the native orvanto-cli fix: random observations of
// landmarks around a ship typed into the rows as a navigator types them (bearings, ranges and
// horizontal angles, now and then a running fix with a current, a dead reckoning, seconds, full
// width, a magnetic bearing, a value that does not read or times that do not go together) give the
// very texts fix prints, or both refuse them. One hash over every case's texts.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { join } from 'node:path';
import { createOrvanto, cli, generator } from './module_under_node.mjs';

const wide = (text) => text.replace(/[0-9.,:]/g, (c) => String.fromCharCode(c.charCodeAt(0) + 0xfee0));
const RADIANS = Math.PI / 180;

// A position in 分 (3110.52N) or 秒 (311031N) notation.
function typedPosition([lat, lon], seconds) {
    const part = (value, width, hemispheres) => {
        const hemisphere = value < 0 ? hemispheres[1] : hemispheres[0];
        const minutes = Math.abs(value) * 60;
        const degrees = String(Math.floor(minutes / 60)).padStart(width, '0');
        if (seconds) {
            const secs = Math.round((minutes % 60) * 60);
            return `${degrees}${String(Math.floor(secs / 60)).padStart(2, '0')}${String(secs % 60).padStart(2, '0')}${hemisphere}`;
        }
        return `${degrees}${(minutes % 60).toFixed(2).padStart(5, '0')}${hemisphere}`;
    };
    return [part(lat, 2, 'NS'), part(lon, 3, 'EW')];
}

// One case as rows of boxes for the page and as options for fix.
function randomFix(random) {
    const seconds = random() < 0.2;
    const ship = [-60 + random() * 120, -179 + random() * 358];
    const at = ([north, east]) => [ship[0] + north / 60, ship[1] + east / 60 / Math.cos(ship[0] * RADIANS)];
    const bearing = ([north, east]) => ((Math.atan2(east, north) / RADIANS + 360) % 360);
    const magnetic = random() < 0.1;
    const boxes = { 'route-variation': magnetic && random() < 0.8 ? '4W' : '', 'route-deviation': '' };
    const options = ['fix', ...(seconds ? ['--seconds'] : []), ...(boxes['route-variation'] ? ['--variation=4W'] : [])];
    const count = 2 + Math.floor(random() * 3);
    const timed = random() < 0.35;
    const run = timed && random() < 0.9 ? [Math.floor(random() * 360), (4 + random() * 14).toFixed(1)] : ['', ''];
    const start = Math.floor(random() * 1440);
    const times = [0];
    for (let row = 1; row < count; ++row) {
        times.push(times[row - 1] + Math.floor(random() * 40));
    }
    for (let row = 1; row <= count; ++row) {
        const kind = ['bearing', 'range', 'angle'][Math.floor(random() * 3)];
        // Seen from where the ship was then: back along the run from the last observation.
        const back = run[0] === '' ? 0 : (Number(run[1]) * (times[count - 1] - times[row - 1])) / 60;
        const from = [Math.cos(run[0] * RADIANS) * back, Math.sin(run[0] * RADIANS) * back];
        const landmark = () => [(random() - 0.5) * 16, (random() - 0.5) * 16];
        const chart = ([north, east]) => at([north - from[0], east - from[1]]);
        let [first, second] = [landmark(), landmark()];
        let angle = (bearing(second) - bearing(first) + 360) % 360;
        if (angle > 180) {
            // Landmark 1 is the one on the left.
            [first, second, angle] = [second, first, 360 - angle];
        }
        const value = kind === 'bearing' ? `${bearing(first).toFixed(1)}${magnetic ? 'M' : ''}`
            : kind === 'range' ? Math.hypot(...first).toFixed(2) : angle.toFixed(1);
        const [lat1, lon1] = typedPosition(chart(first), seconds);
        const [lat2, lon2] = kind === 'angle' ? typedPosition(chart(second), seconds) : ['', ''];
        const minutes = start + times[row - 1];
        const time = timed && random() > 0.03 ? `${String(Math.floor(minutes / 60) % 24).padStart(2, '0')}:${String(minutes % 60).padStart(2, '0')}` : '';
        const typed = { kind, lat1, lon1, lat2, lon2, value: random() < 0.02 ? `${value}x` : value, time };
        if (random() < 0.1) {
            typed.value = wide(typed.value);
        }
        for (const [field, text] of Object.entries(typed)) {
            boxes[`fix-${field}-${row}`] = text;
        }
        const landmarks = kind === 'angle' ? [lat1, lon1, lat2, lon2] : [lat1, lon1];
        options.push(`--${kind}=${[...landmarks, typed.value].join(',')}${time ? `@${time}` : ''}`);
    }
    [boxes['fix-run-course'], boxes['fix-run-speed']] = run.map(String);
    if (run[0] !== '') {
        options.push(`--run=${run.join('/')}`);
    }
    const current = (run[0] !== '' && random() < 0.4) || random() < 0.03 ? [Math.floor(random() * 360), (random() * 2).toFixed(1)] : ['', ''];
    [boxes['fix-current-set'], boxes['fix-current-drift']] = current.map(String);
    if (current[0] !== '') {
        options.push(`--current=${current.join('/')}`);
    }
    const dr = random() < 0.5 ? typedPosition(at([(random() - 0.5) * 6, (random() - 0.5) * 6]), seconds) : ['', ''];
    [boxes['fix-dr-lat'], boxes['fix-dr-lon']] = dr;
    if (dr[0] !== '') {
        options.push(`--dr=${dr.join(',')}`);
    }
    return { boxes, seconds, options };
}

test('定位 through the module prints what orvanto-cli fix prints', async () => {
    const module = await createOrvanto();
    const random = generator(20261208);
    const web = [];
    const native = [];
    for (let i = 0; i < 300; ++i) {
        const { boxes, seconds, options } = randomFix(random);
        const found = module.fixFromLandmarks(boxes, seconds);
        const text = spawnSync(cli, options);
        const tsv = spawnSync(cli, options.concat(['--format=tsv']));
        web.push(found.error ? 'error' : `${found.text}${found.fields.join('\t')}`);
        native.push(text.status === 0 ? `${text.stdout}${tsv.stdout.toString().replace(/\n$/, '')}` : 'error');
        assert.equal(web[i], native[i], `${options.join(' ')}\n${found.error ?? ''}${text.stderr}`);
        assert.ok(!/nan|inf/i.test(web[i]), web[i]);
        if (!found.error) {
            // Every line drawn, through the crossings' neighbourhood.
            assert.ok(found.sketch.lines.every((path) => path.length > 1), options.join(' '));
        }
    }
    const hash = (texts) => createHash('sha256').update(texts.join('\n')).digest('hex');
    assert.equal(hash(web), hash(native));
    console.log(`${web.length} cases, ${web.filter((t) => t === 'error').length} refused, both ${hash(web)}`);
});
