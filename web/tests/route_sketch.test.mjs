// The route sketch's names: wherever the waypoints crowd, no name covers another name or a dot or
// leaves the drawing, and a lone waypoint always keeps its name. No script of the page spreads an
// array into a call's arguments.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { readdirSync, readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { labelSize, placeLabels } from '../route_sketch.js';
import { HEIGHT, WIDTH } from '../sketch.js';

test('names placed around crowded waypoints never collide, and the ones that cannot be placed are dropped', () => {
    let seed = 7;
    const random = () => ((seed = (seed * 16807) % 2147483647) / 2147483647);
    for (const [count, spread] of [[1, 0], [2, 1], [12, 40], [40, 360], [60, 20]]) {
        const anchors = Array.from({ length: count }, () => [WIDTH / 2 + (random() - 0.5) * spread, HEIGHT / 2 + (random() - 0.5) * spread * 0.6]);
        const boxes = placeLabels(anchors, anchors.map((_, i) => labelSize(i % 2 ? `台湾海峡北口${i}` : `W${i}`)));
        const placed = boxes.filter(Boolean);
        const dots = anchors.map(([x, y]) => ({ x: x - 3.5, y: y - 3.5, width: 7, height: 7 }));
        const apart = (a, b) => a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y || b.y + b.height <= a.y;
        placed.forEach((box, i) => {
            assert.ok(box.x >= 0 && box.y >= 0 && box.x + box.width <= WIDTH && box.y + box.height <= HEIGHT);
            assert.ok([...dots, ...placed.slice(i + 1)].every((other) => apart(box, other)), `${count}: ${JSON.stringify(box)}`);
        });
        assert.ok(count > 2 || placed.length === count, `${count} waypoints, ${placed.length} names`);
        assert.ok(count < 60 || placed.length < count);
    }
});

test('names are placed exactly where a scan of every dot and name places them, however many points', () => {
    const overlaps = (a, b) => a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
    const scanned = (anchors, sizes) => {
        const dots = anchors.map(([x, y]) => ({ x: x - 3.5, y: y - 3.5, width: 7, height: 7 }));
        const placed = [];
        return anchors.map(([x, y], i) => {
            const [width, height] = sizes[i];
            const box = [[x + 5, y - 5 - height], [x + 5, y + 5], [x - 5 - width, y - 5 - height], [x - 5 - width, y + 5], [x - width / 2, y - 5 - height], [x - width / 2, y + 5]]
                .map(([left, top]) => ({ x: left, y: top, width, height }))
                .find((b) => b.x >= 0 && b.y >= 0 && b.x + width <= WIDTH && b.y + height <= HEIGHT && ![...dots, ...placed].some((other) => overlaps(b, other)));
            if (box) placed.push(box);
            return box ?? null;
        });
    };
    let seed = 11;
    const random = () => ((seed = (seed * 16807) % 2147483647) / 2147483647);
    for (const count of [3, 300, 3000]) {
        // On a grid's cell edges too, where a box that only touches another must not count.
        const anchors = Array.from({ length: count }, (_, i) => (i % 3 ? [random() * WIDTH, random() * HEIGHT] : [16 * Math.round(random() * 22), 16 * Math.round(random() * 15)]));
        const sizes = anchors.map((_, i) => labelSize(i % 2 ? `分点${i}` : `W${i}`));
        assert.deepEqual(placeLabels(anchors, sizes), scanned(anchors, sizes), `${count}`);
    }
});

test('no script of the page spreads an array into a call\'s arguments: Math.max(...values) of a 10,000-waypoint route overflowed the stack', () => {
    // Debian's acorn, which emscripten brings.
    const require = createRequire(import.meta.url);
    const { parse } = require('/usr/share/nodejs/acorn');
    const { simple } = require('/usr/share/nodejs/acorn-walk');
    const folder = new URL('../', import.meta.url);
    for (const name of readdirSync(folder).filter((file) => file.endsWith('.js'))) {
        const text = readFileSync(new URL(name, folder), 'utf8');
        const spread = [];
        const call = ({ arguments: passed }) => passed.filter(({ type }) => type === 'SpreadElement').forEach(({ start, end }) => spread.push(text.slice(start, end)));
        simple(parse(text, { ecmaVersion: 'latest', sourceType: 'module' }), { CallExpression: call, NewExpression: call });
        assert.deepEqual(spread, [], name);
    }
});
