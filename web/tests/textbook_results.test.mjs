// The textbook companion through the page's module under node against the native orvanto-cli: true
// courses typed in the quadrantal form into 推算船位's 航向 box reckon where reckon puts them, or
// both refuse them; 列出计算过程 shows the lines --show-work prints, in 推算船位 and 航线; and the
// card 自差表… opens gives compass courses as --deviation-card does.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { join } from 'node:path';
import { createOrvanto, cli } from './module_under_node.mjs';

const orvantoCli = (args, input = '') => spawnSync(cli, args, { input, encoding: 'utf8' });

const reckonBoxes = (course) => ({
    'reckon-latitude': '3000.0N', 'reckon-longitude': '12200.0E', 'reckon-course': course,
    'reckon-distance': '100', 'reckon-speed': '', 'reckon-hours': '', 'reckon-set': '', 'reckon-drift': '',
    'route-variation': '', 'route-deviation': '',
});

// [typed, the same course in degrees, or null when refused]
const COURSES = [
    ['S53°26′E', '126.566666666666667'], ['N45E', '45'], ['S 53 26 E', '126.566666666666667'],
    ['南53°26′东', '126.566666666666667'], ['Ｓ５３°２６′Ｅ', '126.566666666666667'],
    ['N90E', '90'], ['S0E', '180'], ['N90W', '270'], ['s12 30.5w', '192.508333333333333'],
    ['N95E', null], ['S53°60′E', null], ['N45E M', null], ['E45N', null], ['N 45', null],
];

test('quadrantal courses in 推算船位 reckon as reckon reckons them', async () => {
    const module = await createOrvanto();
    for (const [typed, degrees] of COURSES) {
        const page = module.reckonPosition(reckonBoxes(typed), { seconds: false, textbook: false });
        if (degrees === null) {
            assert.equal(page.box, 'reckon-course', typed);
            assert.match(page.error, /象限/, typed);
            assert.equal(orvantoCli(['reckon', '3000.0N', '12200.0E', typed, '100']).status, 2, typed);
            continue;
        }
        const line = orvantoCli(['reckon', '--format=tsv', '3000.0N', '12200.0E', degrees, '100']).stdout;
        assert.deepEqual(page.fields, line.trimEnd().split('\t'), typed);
    }
});

test('列出计算过程 shows the lines --show-work prints, and only with 教科书算法', async () => {
    const module = await createOrvanto();
    const boxes = reckonBoxes('S53°26′E');
    boxes['reckon-distance'] = '62.11';
    const shown = module.reckonPosition(boxes, { seconds: false, textbook: true, showWork: true });
    const printed = orvantoCli(['reckon', '--textbook', '--show-work', '3000.0N', '12200.0E', 'S53°26′E', '62.11']).stdout;
    assert.ok(shown.work.startsWith('计算过程（推算船位，墨卡托航法）：'));
    assert.ok(printed.endsWith(shown.work));
    assert.equal(module.reckonPosition(boxes, { seconds: false, textbook: false, showWork: true }).work, '');

    const waypoints = 'name,lat,lon\nA,4000.0N,15000.0E\nB,4500.0N,17000.0W\nC,4400.0N,16000.0W\n';
    const options = {
        seconds: false, textbook: true, showWork: true, headerLines: 0, etaZone: 'departure',
        boxes: { 'route-variation': '', 'route-deviation': '', 'route-step': '10°', 'route-limit': '',
            'route-speed': '', 'route-departure': '', 'route-set': '', 'route-drift': '' },
    };
    const route = module.planRoute(waypoints, options);
    assert.equal(route.error, undefined, route.error);
    const table = orvantoCli(['route', '--textbook', '--every=10°', '--format=text', '-'], waypoints).stdout;
    const worked = orvantoCli(['route', '--textbook', '--every=10°', '--show-work', '--format=text', '-'], waypoints).stdout;
    assert.equal(worked, `${table}\n${route.work}`);
    assert.match(route.work, /航段 2：B → C/);
    assert.equal(module.planRoute(waypoints, { ...options, showWork: false }).work, '');

    const from = [30 + 18.6 / 60, 122];
    const to = [29 + 41.6 / 60, 122 + 57.3 / 60];
    const compass = { variation: null, deviation: null, card: null };
    const lines = module.courseLines(from, to, compass, [false, false], { textbook: true, showWork: true });
    const course = orvantoCli(['course', '--textbook', '--vertex', '--show-work', '3018.6N', '12200E', '2941.6N', '12257.3E']).stdout;
    assert.equal(lines, course);
    assert.match(lines, /航程 S = DLat · sec C = 62\.099 海里/);
});

test('the card 自差表… opens reckons a compass course as --deviation-card does', async () => {
    const module = await createOrvanto();
    const { mkdtempSync, writeFileSync } = await import('node:fs');
    const { tmpdir } = await import('node:os');
    const card = 'heading,deviation\n000,2E\n090,1W\n180,0\n270,3E\n';
    const file = join(mkdtempSync(join(tmpdir(), 'orvanto-')), 'card.csv');
    writeFileSync(file, card);
    const boxes = { ...reckonBoxes('042C'), 'route-variation': '3W', 'route-deviation-card': card };
    const page = module.reckonPosition(boxes, { seconds: false, textbook: false });
    const line = orvantoCli(['reckon', '--format=tsv', '--variation=3W', `--deviation-card=${file}`,
        '3000.0N', '12200.0E', '042C', '100']).stdout;
    assert.deepEqual(page.fields, line.trimEnd().split('\t'));
    // A card and a deviation, or a card whose deviation turns as fast as the heading: refused.
    assert.equal(module.reckonPosition({ ...boxes, 'route-deviation': '1E' }, { seconds: false, textbook: false }).box,
        'route-deviation');
    const steep = module.reckonPosition({ ...boxes, 'route-deviation-card': 'heading,deviation\n0,0\n2,2E\n' },
        { seconds: false, textbook: false });
    assert.match(steep.error, /自差表第 2 行与第 3 行之间/);
});
