// The 雷达标绘 section's module under node against the native orvanto-cli cpa: random plots typed
// into the boxes as a watch officer types them (two or three observations, or one with AIS, now and
// then a magnetic course, an action, a value out of range) give the very texts cpa prints, or both
// refuse them. One hash over every case's texts.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { join } from 'node:path';
import { createOrvanto, cli, generator } from './module_under_node.mjs';

const clock = (minutes) => `${String(Math.floor(minutes / 60) % 24).padStart(2, '0')}:${String(minutes % 60).padStart(2, '0')}`;

// One plot as boxes for the page and as options for cpa.
function randomPlot(random) {
    const number = (low, high, decimals) => (low + random() * (high - low)).toFixed(decimals);
    const boxes = { 'route-variation': '', 'route-deviation': '' };
    const options = ['cpa'];
    const magnetic = random() < 0.1;
    if (magnetic) {
        boxes['route-variation'] = '3W';
        options.push('--variation=3W');
    }
    const own = [number(0, 360, 0) + (magnetic ? 'M' : ''), number(0, 20, 1)];
    [boxes['plot-own-course'], boxes['plot-own-speed']] = own;
    options.push(`--own=${own.join('/')}`);
    const count = 1 + Math.floor(random() * 3);
    let minutes = Math.floor(random() * 1440);
    for (let row = 1; row <= 3; ++row) {
        const seen = row <= count ? [number(0, 360, 1), random() < 0.02 ? '120' : number(0.5, 12, 2), clock(minutes)] : ['', '', ''];
        minutes += 3 + Math.floor(random() * 4);
        [boxes[`plot-bearing-${row}`], boxes[`plot-range-${row}`], boxes[`plot-time-${row}`]] = seen;
        if (row <= count) {
            options.push(`--target=${seen[0]}/${seen[1]}@${seen[2]}`);
        }
    }
    const ais = count === 1 ? [number(0, 360, 0), number(0, 25, 1)] : ['', ''];
    [boxes['plot-target-course'], boxes['plot-target-speed']] = ais;
    if (count === 1) {
        options.push(`--target-motion=${ais.join('/')}`);
    }
    boxes['plot-limit'] = random() < 0.3 ? number(0.5, 3, 1) : '';
    if (boxes['plot-limit']) {
        options.push(`--limit=${boxes['plot-limit']}`);
    }
    const action = random() < 0.7;
    boxes['plot-action'] = action ? clock(minutes + Math.floor(random() * 10) - 4) : '';
    boxes['plot-pass'] = action ? number(0.2, 3, 1) : '';
    if (action) {
        options.push(`--action=${boxes['plot-action']}`, `--pass=${boxes['plot-pass']}`);
    }
    return { boxes, options };
}

test('雷达标绘 through the module prints what orvanto-cli cpa prints', async () => {
    const module = await createOrvanto();
    const random = generator(20261208);
    const web = [];
    const native = [];
    for (let i = 0; i < 300; ++i) {
        const { boxes, options } = randomPlot(random);
        const plotted = module.plotTarget(boxes);
        const text = spawnSync(cli, options);
        const tsv = spawnSync(cli, [...options, '--format=tsv']);
        web.push(plotted.error ? 'error' : `${plotted.text}${plotted.fields.join('\t')}`);
        native.push(text.status === 0 ? `${text.stdout}${tsv.stdout.toString().replace(/\n$/, '')}` : 'error');
        assert.equal(web[i], native[i], options.join(' '));
        assert.ok(!/nan|inf/i.test(web[i]), web[i]);
    }
    const hash = (texts) => createHash('sha256').update(texts.join('\n')).digest('hex');
    assert.equal(hash(web), hash(native));
    console.log(`${web.length} plots, ${web.filter((t) => t === 'error').length} refused, both ${hash(web)}`);
});
