// The page in Debian's Chromium, opened from disk with every non-file request failed: the worked
// example typed and run from the keyboard, a message and where the focus goes, the sketch, batch
// files, the courses, the 航线 and 推算船位 sections against orvanto-cli, a phone-sized screen and axe-core's
// accessibility rules; and the app served by scripts/build-web --serve, opened again offline.
import { after, before, test as nodeTest } from 'node:test';
import assert from 'node:assert/strict';
import { spawn, spawnSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { createServer } from 'node:net';
import { once } from 'node:events';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { chromium } from 'playwright-core';

// A test that waits on the page for ever would hold the whole run: each has ten minutes.
const test = (name, body) => nodeTest(name, { timeout: 600_000 }, body);

const root = new URL('../../', import.meta.url).pathname;
const pageUrl = `file://${join(root, 'build/web/orvanto.html')}`;
const cli = process.env.ORVANTO_CLI ?? join(root, 'build/dev/cli/orvanto-cli');
const chromiumOptions = {
    executablePath: '/usr/bin/chromium',
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
        '--disable-background-networking', '--disable-component-update', '--disable-sync'],
};
const profile = mkdtempSync(join(tmpdir(), 'orvanto-chromium-'));
let browser;
let page;
const blocked = [];

// Keeps in `scope.mostAtOnce` the most bytes the page or a batch worker ever read, decoded or copied
// into a Blob in one call, so that a run that holds a whole file or a whole result shows; a worker
// passes its figure on with every message.
function countPieces(scope) {
    scope.mostAtOnce = 0;
    const note = (bytes) => { scope.mostAtOnce = Math.max(scope.mostAtOnce, bytes ?? 0); };
    const wrap = (owner, name, bytes) => {
        const original = owner[name];
        owner[name] = function (...args) { note(bytes(this, ...args)); return original.apply(this, args); };
    };
    wrap(TextDecoder.prototype, 'decode', (decoder, input) => input?.byteLength);
    wrap(Blob.prototype, 'arrayBuffer', (blob) => blob.size);
    const NativeBlob = Blob;
    scope.Blob = class extends NativeBlob {
        constructor(parts = [], options = undefined) {
            note(parts.reduce((sum, part) => sum + (part.byteLength ?? 0), 0));
            super(parts, options);
        }
    };
    if (scope.FileReaderSync) {
        wrap(FileReaderSync.prototype, 'readAsArrayBuffer', (reader, blob) => blob.size);
        const post = scope.postMessage.bind(scope);
        scope.postMessage = (message, transfer) => post({ ...message, mostAtOnce: scope.mostAtOnce }, transfer);
        return;
    }
    const NativeWorker = Worker;
    const createUrl = URL.createObjectURL;
    const sources = new Map();
    URL.createObjectURL = (object) => { const url = createUrl(object); sources.set(url, object); return url; };
    scope.Worker = class extends NativeWorker {
        constructor(url, options) {
            super(createUrl(new NativeBlob([`(${countPieces})(self);\n`, sources.get(url)])), options);
            this.addEventListener('message', ({ data }) => note(data.mostAtOnce));
        }
    };
}

before(async () => {
    // Another time zone than the machine's, so that a departure without an offset shows which one it takes.
    browser = await chromium.launchPersistentContext(profile, { ...chromiumOptions, timezoneId: 'America/New_York' });
    await browser.route('**/*', (route) => {
        if (route.request().url().startsWith('file:')) {
            return route.continue();
        }
        blocked.push(route.request().url());
        return route.abort();
    });
    await browser.addInitScript(`(${countPieces})(self);`);
    page = await browser.newPage();
    await page.goto(pageUrl);
});
after(async () => {
    await browser?.close();
    rmSync(profile, { recursive: true, force: true });
});

const box = (name) => page.getByRole('textbox', { name });
const sketch = () => page.getByRole('img', { name: /点位示意图/ });
const focused = () => page.evaluate(() => document.activeElement.getAttribute('aria-label') ?? document.activeElement.textContent);

test('the worked example, typed and run from the keyboard: Enter in a box runs its point\'s command', async () => {
    // Before any result the sketch is a short hint, not an empty box.
    assert.equal(await sketch().count(), 0);
    assert.ok((await page.locator('figure.sketch').first().boundingBox()).height < 80);
    // Past 点一's 分; 点二's 秒; Enter in 点二经度 runs the distance; past the results and 参考点's 分,
    // Enter in 参考点经度 runs the angle.
    for (const step of ['Tab', 'Tab', '4250.0', 'Tab', '9338.80', 'Tab', 'ArrowRight', 'Tab', '421125',
        'Tab', '1021125', 'Enter', 'Tab', 'Tab', 'Tab', 'Tab', '4000.0', 'Tab', '10000.0']) {
        await (/^[A-Z]/.test(step) ? page.keyboard.press(step) : page.keyboard.type(step));
    }
    assert.equal(await box('距离（公里）').inputValue(), '704.197');
    assert.equal(await box('距离（海里）').inputValue(), '380.236');
    assert.equal(await sketch().locator('circle').count(), 2);
    await page.waitForFunction(() => document.getElementById('announcer').textContent === '704.197 公里，380.236 海里');
    await page.keyboard.press('Enter');
    assert.equal(await box('夹角（度）').inputValue(), '93.448');
    assert.equal(await sketch().locator('circle').count(), 3);
    assert.equal(await sketch().locator('path.arc').count(), 1);
    assert.match(await sketch().getAttribute('aria-label'), /参考点（北纬40°00′，东经100°00′）/);
    for (const key of ['Tab', 'Tab', 'Space']) await page.keyboard.press(key);  // onto 计算两点距离
    assert.equal(await sketch().locator('circle').count(), 2);
});

test('a message changes nothing and sends the focus to the box to fix, or back to what ran the command', async () => {
    const drawn = await sketch().innerHTML();
    const [near, far] = [['4250.0', '9338.80', '421125', '1021125'], ['0', '0', '0', '1200000']];  // 点二 in 秒
    // [the six boxes, the button or box that runs the command, the message, the focus after it, the text selected]
    for (const [texts, by, message, focus, selected] of [
        [[near[0], near[1], '', near[3], '4000.0', '10000.0'], '计算两点距离', '请输入完整的经纬信息！', '点二纬度', ''],
        [[near[0], near[1], '42a125', near[3], '4000.0', '10000.0'], '计算三点夹角', '点Ⅱ纬度', '点二纬度', '42a125'],
        // A blank between the digits: once read as 4°25.0′, now sent back to its box.
        [['42 5.0', near[1], ...near.slice(2), '', ''], '计算两点距离', '点Ⅰ纬度的输入“42 5.0”中的数字被空格隔开', '点一纬度', '42 5.0'],
        // About the points, not a box: not to the empty 参考点纬度 the distance never read.
        [[...far, '', ''], '计算两点距离', '相距过远', '计算两点距离', ''],
        [[...far, '', ''], '点一经度', '相距过远', '点一经度', ''],
        [['3017.0', '12000.0', '294100', '1200000', '3000.0', '12000.0'], '参考点纬度', '无法确定夹角', '参考点纬度', ''],
        [['3017.0', '12000.0', '294100', '1200000', '3000.0', '12000.0'], '计算三点夹角', '无法确定夹角', '计算三点夹角', ''],
    ]) {
        const boxes = ['点一纬度', '点一经度', '点二纬度', '点二经度', '参考点纬度', '参考点经度'];
        for (const [i, text] of texts.entries()) await box(boxes[i]).fill(text);
        await (boxes.includes(by) ? box(by).press('Enter') : page.getByRole('button', { name: by }).click());
        assert.match(await page.getByRole('dialog').textContent(), new RegExp(message));
        // The page's own handler of the close, added first, has run when this one runs.
        await page.evaluate(() => { globalThis.messageClosed = new Promise((resolve) => document.getElementById('message').addEventListener('close', resolve, { once: true })); });
        await page.keyboard.press('Enter');
        await page.evaluate(() => globalThis.messageClosed);
        assert.deepEqual([await focused(), await page.evaluate(() => {
            const { value, selectionStart, selectionEnd } = document.activeElement;
            return value.slice(selectionStart, selectionEnd);
        })], [focus, selected], `${texts} by ${by}`);
    }
    assert.equal(await box('距离（公里）').inputValue(), '704.197');
    assert.equal(await box('夹角（度）').inputValue(), '93.448');
    assert.equal(await sketch().innerHTML(), drawn);
});

test('batch files, chosen, chosen again, rerun or dropped, in UTF-8, GB18030 or UTF-16, come back as orvanto-cli batch writes them', async () => {
    const folder = mkdtempSync(join(tmpdir(), 'orvanto-batch-'));
    const write = (name, text, encoding = 'UTF-8') => writeFileSync(join(folder, name),
        spawnSync('iconv', ['-f', 'UTF-8', '-t', encoding], { input: text, maxBuffer: 1 << 28 }).stdout);
    // A blank record and a row longer than the header, as the command line copies them through.
    const rows = 'lat1,lon1,lat2,lon2,latr,lonr,备注\r\n4250.0,9338.80,4211.25,10211.25,4000.0,10000.0,"北纬,甲"\r\n,,\r\n0,0,0,12000,,,,多\r\n';
    const tsv = rows.replaceAll(',', '\t');
    write('utf8.csv', `\ufeff${rows}`);
    write('dropped.csv', rows);
    write('gb.csv', rows, 'GB18030');
    // Excel's "Unicode 文本": UTF-16 with a byte-order mark, tab-separated; the command line reads the same text in UTF-8.
    write('unicode.txt', `\ufeff${tsv}`, 'UTF-16LE');
    write('big-endian.txt', `\ufeff${tsv}`, 'UTF-16BE');
    write('unicode-utf8.txt', tsv);
    write('big-gb.csv', `lat1,lon1,lat2,lon2,备注\n${'4250.0,9338.80,4211.25,10211.25,北纬甲\n'.repeat(200000)}`, 'GB18030');
    write('long.csv', `lat1,lon1,lat2,lon2\n${'4250.0,9338.80,4211.25,10211.25\n'.repeat(1000000)}`);
    const run = () => page.locator('#batch-run');
    const inView = () => run().evaluate((area) => {
        const { top, bottom } = area.getBoundingClientRect();
        // Scrolling moves by whole pixels: an edge may stay a fraction of one outside.
        return top > -1 && bottom < innerHeight + 1;
    });
    const choose = (control) => async (file) => {
        const [chooser] = await Promise.all([page.waitForEvent('filechooser'), control().click()]);
        await chooser.setFiles(join(folder, file));
    };
    const byButton = choose(() => page.getByRole('button', { name: '批量计算…' }));
    const byChooser = choose(() => page.getByLabel('批量计算文件'));
    const drop = (file) => page.evaluate(([bytes, name]) => {
        const data = new DataTransfer();
        data.items.add(new File([new Uint8Array(bytes)], name));
        document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: data, bubbles: true, cancelable: true }));
    }, [[...readFileSync(join(folder, file))], file]);
    const option = (label, value) => () => (value === undefined ? page.getByLabel(label).click() : page.getByLabel(label).selectOption(value));

    // Cancelled while it runs, on a phone: the bar and 取消 come into view, and then go with no result
    // on offer; the focus goes back to the button that started it.
    await page.setViewportSize({ width: 360, height: 740 });
    await page.evaluate(() => scrollTo(0, 0));
    await byButton('long.csv');
    assert.ok(await inView());
    await page.getByRole('button', { name: '取消' }).click();
    assert.deepEqual(await page.evaluate(() => ['batch-progress', 'batch-cancel', 'batch-download'].map((id) => document.getElementById(id).hidden)), [true, true, true]);
    assert.equal(await page.locator('#batch-status').textContent(), '已取消。');
    assert.equal(await focused(), '批量计算…');

    await page.setViewportSize({ width: 1280, height: 800 });
    const bom = '--output-encoding=utf-8-bom';
    // [the file, the command line's file and options, what starts the run]. An option changed while
    // a result is on offer reruns the last file; the options stay for the rows after.
    for (const [index, [file, native, give]] of [
        ['utf8.csv', ['utf8.csv'], byButton],
        ['utf8.csv', ['utf8.csv', '--format=window'], option('数字写法', 'window')],
        ['utf8.csv', ['utf8.csv', '--format=window'], byChooser],  // the same file again
        ['dropped.csv', ['dropped.csv', '--format=window'], drop],
        ['gb.csv', ['gb.csv', '--format=window', bom], byChooser],
        ['big-gb.csv', ['big-gb.csv', '--format=window', bom], byButton],
        ['unicode.txt', ['unicode-utf8.txt', '--format=window', bom], byChooser],
        ['unicode.txt', ['unicode-utf8.txt', '--format=window', '--seconds=1', bom], option('点Ⅰ')],
        ['big-endian.txt', ['unicode-utf8.txt', '--format=window', '--seconds=1', bom], drop],
        ['big-endian.txt', ['unicode-utf8.txt', '--format=window', '--seconds=1', bom], option('文件编码', 'utf-16')],
        // The extra columns, each check box rerunning the file.
        ['big-endian.txt', ['unicode-utf8.txt', '--format=window', '--seconds=1', bom, '--geodesic'], option('测地线列')],
        ['big-endian.txt', ['unicode-utf8.txt', '--format=window', '--seconds=1', bom, '--geodesic', '--navigation'], option('航向列')],
        ['big-endian.txt', ['unicode-utf8.txt', '--format=window', '--seconds=1', bom, '--navigation'], option('测地线列')],
    ].entries()) {
        const before = await page.locator('#batch-download').getAttribute('href');
        await page.evaluate(() => scrollTo(0, 0));
        await give(file);
        const row = `row ${index + 1}, ${file} as ${native.join(' ')}`;
        await page.waitForFunction((old) => {
            const link = document.getElementById('batch-download');
            return !link.hidden && link.getAttribute('href') !== old;
        }, before).catch(() => assert.fail(`${row}: no new result`));
        assert.ok(await inView(), `${row}: the result out of view`);
        const link = page.getByRole('link', { name: '下载结果' });
        assert.equal(await link.getAttribute('download'), file.replace(/\.(\w+)$/, '-结果.$1'));
        const download = await link.evaluate(async ({ href }) => [...new Uint8Array(await crypto.subtle.digest('SHA-256',
            await (await fetch(href)).arrayBuffer()))].map((byte) => byte.toString(16).padStart(2, '0')).join(''));
        const nativeOutput = spawnSync(cli, ['batch', ...native.slice(1), join(folder, native[0])], { maxBuffer: 1 << 28 }).stdout;
        assert.equal(download, createHash('sha256').update(nativeOutput).digest('hex'), row);
    }
    // No run held a whole file or result (big-gb.csv is 7.8 MB, its result 12 MB): each was read
    // 4 MiB and decoded a MiB at a time, and the result gathered 4 MiB at a time.
    const most = await page.evaluate(() => globalThis.mostAtOnce);
    assert.ok(most <= 5 << 20, `${most} bytes at once`);
    rmSync(folder, { recursive: true });
});

test('the courses and the vertex after 计算两点距离 are the lines orvanto-cli course --vertex prints, magnetic and compass with the 航线 section\'s 磁差 and 自差', async () => {
    await page.setViewportSize({ width: 1280, height: 800 });
    // [点一, 点二, 磁差, 自差, the command line's options, a line after the courses, a vertex drawn on the leg]
    const [shanghai, hongkong, sanFrancisco] = [['3100.0', '12230.0'], ['2215.0', '11415.0'], ['3748.0', '12230.0W']];
    for (const [one, two, variation, deviation, options, after, drawn] of [
        [shanghai, hongkong, '5W', '', ['--variation=5W'], '', 0],
        [shanghai, sanFrancisco, '西５', '2E', ['--variation=西５', '--deviation=2E'], '', 1],
        [shanghai, shanghai, '', '', [], '', 0],
        [shanghai, hongkong, '5X', '', [], '\n“磁差”须是磁差的度数，西为负、东为正，如 3.5W、W3.5、西3.5、-3.5、2E、2 或 5°30′W，不认识“5X”', 0],
        [shanghai, hongkong, '', '2E', [], '\n填了自差还须填写磁差：罗航向由磁航向减自差而来，磁航向由真航向减磁差', 0],
    ]) {
        await page.getByRole('radiogroup', { name: '点二' }).getByLabel('分').check();
        for (const [name, text] of [['点一纬度', one[0]], ['点一经度', one[1]], ['点二纬度', two[0]], ['点二经度', two[1]], ['磁差', variation], ['自差', deviation]]) {
            await box(name).fill(text);
        }
        await page.getByRole('button', { name: '计算两点距离' }).click();
        const native = spawnSync(cli, ['course', '--vertex', ...options, ...one, ...two]).stdout.toString().trimEnd();
        assert.equal(await page.getByRole('status', { name: '航向（点一→点二）' }).textContent(), native + after);
        assert.deepEqual([await sketch().locator('circle.vertex').count(), /大圆顶点（北纬\d+°\d+′，[东西]经\d+°\d+′）在航线上/.test(await sketch().getAttribute('aria-label'))],
            [drawn, drawn === 1], `${one} → ${two}`);
    }
    await box('自差').fill('');
});

// Passes once courseReport's text form begins with the points as read (点Ⅰ 31°06.00′N 122°40.00′E →
// 点Ⅱ 42°11′25″N 102°11′25″E): the block shows courseReport's lines, whatever they are.
test('the 航向（点一→点二） block starts with each point as read, so that 31.1 read in 分 as 0°31.1′ shows at once', async () => {
    await page.getByRole('radiogroup', { name: '点二' }).getByLabel('秒').check();
    for (const [name, text] of [['点一纬度', '3106.0'], ['点一经度', '12240.0'], ['点二纬度', '421125'], ['点二经度', '1021125']]) {
        await box(name).fill(text);
    }
    await page.getByRole('button', { name: '计算两点距离' }).click();
    const [first] = (await page.getByRole('status', { name: '航向（点一→点二）' }).textContent()).split('\n');
    assert.ok(first.startsWith('点Ⅰ ') && first.includes('→ 点Ⅱ '), first);
    await page.getByRole('radiogroup', { name: '点二' }).getByLabel('分').check();
});

const route = () => page.getByRole('region', { name: '航线' });
const routeBox = (name) => route().getByRole('textbox', { name, exact: true });

// The boxes of the 航线 section, blank but for `filled` ({name: text}), 预计到达时区 (开航时区 unless
// filled) and 教科书算法.
async function fillRouteOptions(filled, textbook = false) {
    for (const name of ['航速（节）', '开航时间', '磁差', '自差', '流向', '流速', '限制纬度', '分点间隔']) {
        await routeBox(name).fill(filled[name] ?? '');
    }
    await route().getByRole('combobox', { name: '预计到达时区' }).selectOption({ label: filled.预计到达时区 ?? '开航时区' });
    await route().getByRole('checkbox', { name: '教科书算法' }).setChecked(textbook);
}

test('the 航线 section plans the passage as orvanto-cli route does, with each option: its table, its five downloads byte for byte, its sketch; GPX, NMEA and RTZ files opened into 航点', async () => {
    const folder = mkdtempSync(join(tmpdir(), 'orvanto-route-'));
    const coast = [['长江口', '3100.0', '12230.0'], ['舟山群岛东', '2945.0', '12300.0'], ['台湾海峡北口', '2530.0', '12000.0'], ['香港', '2215.0', '11415.0']];
    const pacific = [['长江口', '3100.0', '12230.0'], ['大隅海峡', '3050.0', '13100.0'], ['旧金山', '3748.0', '12230.0W']];
    const lines = (rows, delimiter = ',') => rows.map((row) => row.join(delimiter)).join('\n');
    const [csv, gpx, geojson, rtz, nmea] = ['下载 CSV', '下载 GPX', '下载 GeoJSON', '下载 RTZ', '下载 NMEA']
        .map((name) => page.getByRole('link', { name }));
    const fetched = (link) => link.evaluate(async ({ href }) => [...new Uint8Array(await (await fetch(href)).arrayBuffer())]);
    // [the box's text, its header in front or null when it has its own, 航点格式, the options'
    // boxes, 教科书算法, the command line's options, a message in the table]. The browser runs in New
    // York's time zone, as the command line is told to: a departure without an offset is there.
    for (const [text, header, mode, boxes, textbook, options, message] of [
        [lines(coast), '名称,纬度,经度', '分', {}, false, [], null],
        // A spreadsheet's cells with their own header, and a variation.
        [lines([['name', 'lat', 'lon'], ...coast], '\t'), null, '分', { 磁差: '3.5W' }, false, ['--variation=3.5W'], null],
        [lines(coast, '\t'), '名称\t纬度\t经度', '分', { 磁差: '2E' }, false, ['--variation=2E'], null],
        [lines(coast), '名称,纬度,经度', '分', { '航速（节）': '１２', 开航时间: '2026-12-08T20:00+08:00', 磁差: '5W', 自差: '2E' }, true,
            ['--speed=１２', '--depart=2026-12-08T20:00+08:00', '--variation=5W', '--deviation=2E', '--textbook'], null],
        [lines(pacific), '名称,纬度,经度', '分', { '航速（节）': '14', 开航时间: '2026-12-08T08:00+08:00', 流向: '090', 流速: '0.5', 限制纬度: '45', 分点间隔: '10°' }, false,
            ['--every=10°', '--limit-latitude=45', '--speed=14', '--depart=2026-12-08T08:00+08:00', '--current=090/0.5'], null],
        [lines(pacific), '名称,纬度,经度', '分', { '航速（节）': '14', 开航时间: '2026-07-01 08:00', 限制纬度: '45°' }, false,
            ['--limit-latitude=45°', '--speed=14', '--depart=2026-07-01 08:00'], null],
        // Arrivals in the zone time of each 分点, and in UTC.
        [lines(pacific), '名称,纬度,经度', '分', { '航速（节）': '14', 开航时间: '2026-12-08T08:00+08:00', 分点间隔: '7.5°', 预计到达时区: '船位区时' }, false,
            ['--every=7.5°', '--speed=14', '--depart=2026-12-08T08:00+08:00', '--eta-zone=ship'], null],
        [lines(coast), '名称,纬度,经度', '分', { '航速（节）': '14', 开航时间: '2026-12-08T08:00+08:00', 预计到达时区: 'UTC' }, false,
            ['--speed=14', '--depart=2026-12-08T08:00+08:00', '--eta-zone=Z'], null],
        [lines(coast), '名称,纬度,经度', '分', { '航速（节）': '12kn', 开航时间: '2026-12-08 20:00', 分点间隔: '100nmi', 流向: '200', 流速: '1' }, false,
            ['--speed=12kn', '--depart=2026-12-08 20:00', '--every=100nmi', '--current=200/1'], null],
        // A waypoint out of range: the table counts the box's lines, the CSV the command line's.
        [`A,300000,1223000\n\nB,9100.0,0\nC,220000,1140000`, '名称,纬度,经度', '秒', {}, false, ['--seconds'], '航点“B”（第 3 行）'],
    ]) {
        await box('航点').fill(text);
        await page.getByRole('radiogroup', { name: '航点格式' }).getByLabel(mode).check();
        await fillRouteOptions(boxes, textbook);
        // Enter in an option's box plans too.
        await (boxes.磁差 ? routeBox('磁差').press('Enter') : page.getByRole('button', { name: '计算航线' }).click());
        const input = header === null ? text : `${header}\n${text}`;
        // The RTZ and NMEA files name the route after themselves, as the downloads' names do.
        const files = ['r.gpx', 'r.geojson', '航线.rtz', '航线.nmea'].map((name) => join(folder, name));
        files.forEach((file) => rmSync(file, { force: true }));
        const table = spawnSync(cli, ['route', '--format=csv', '--output-encoding=utf-8-bom', ...options,
            `--gpx=${files[0]}`, `--geojson=${files[1]}`, `--rtz=${files[2]}`, `--nmea=${files[3]}`],
        { input, env: { ...process.env, TZ: 'America/New_York' } }).stdout;
        assert.deepEqual(Buffer.from(await fetched(csv)).toString(), table.toString(), options.join(' '));
        assert.equal(await csv.getAttribute('download'), '航线.csv');
        const shown = await page.getByRole('table', { name: '航线' }).innerText();
        if (message) {
            assert.ok(shown.includes(message) && table.includes('（第 4 行）'), shown);
            assert.deepEqual([...await Promise.all([gpx, geojson, rtz, nmea].map((link) => link.isHidden())),
                ...files.map(existsSync)], [true, true, true, true, false, false, false, false]);
            continue;
        }
        for (const [link, file, name] of [[gpx, files[0], '航线.gpx'], [geojson, files[1], '航线.geojson'],
            [rtz, files[2], '航线.rtz'], [nmea, files[3], '航线.nmea']]) {
            assert.deepEqual([Buffer.from(await fetched(link)), await link.getAttribute('download')], [readFileSync(file), name]);
        }
        // The sketch: a line a row, a ring a computed point, the limit's dashed parallel, and a name
        // with the waypoints, the total distance and the total time from the 合计 row.
        const rows = table.toString().trimEnd().split('\n').map((row) => row.split(','));
        const [names, total] = [rows[0], rows[rows.length - 1]];
        const hours = total[names.indexOf('total_hours')];
        const legs = text.split('\n').filter((line) => line.trim() && !line.startsWith('name')).map((line) => line.split(/[,\t]/)[0]);
        const drawn = page.getByRole('img', { name: `航线示意图：${legs.join(' → ')}，共 ${total[names.indexOf('total_nmi')]} 海里${hours ? `，航时 ${hours}` : ''}` });
        // The printed plan: the sections route --format=html writes, which print alone.
        const html = spawnSync(cli, ['route', '--format=html', ...options], { input, env: { ...process.env, TZ: 'America/New_York' } }).stdout.toString();
        assert.equal(await page.locator('#route-printed').innerHTML(), html.slice(html.indexOf('<h1>'), html.indexOf('</main>')), options.join(' '));
        assert.equal(await page.locator('#route-summary').textContent(), html.match(/<h2>合计<\/h2><p>(.*)<\/p>/)[1].replaceAll('&gt;', '>'));
        assert.deepEqual(await Promise.all(['polyline.leg', 'circle.step', 'line.limit'].map((what) => drawn.locator(what).count())),
            [rows.length - 2, rows.length - 1 - legs.length, boxes.限制纬度 ? 1 : 0], options.join(' '));
    }
    // The command line's GPX file opened into 航点: the same passage, in degrees.
    await fillRouteOptions({});
    writeFileSync(join(folder, 'coast.csv'), `name,lat,lon\n${lines(coast)}\n`);
    spawnSync(cli, ['route', `--gpx=${join(folder, 'coast.gpx')}`, join(folder, 'coast.csv')]);
    const [chooser] = await Promise.all([page.waitForEvent('filechooser'), page.getByRole('button', { name: '打开航点文件…' }).click()]);
    await chooser.setFiles(join(folder, 'coast.gpx'));
    await page.waitForFunction(() => document.getElementById('route-waypoints').value.startsWith('名称'));
    assert.equal(await box('航点').inputValue(), '名称,纬度,经度\n长江口,31°,122.5°\n舟山群岛东,29.75°,123°\n台湾海峡北口,25.5°,120°\n香港,22.25°,114.25°\n');
    await page.getByRole('img', { name: /航线示意图：长江口 → .* → 香港，共 750\.672 海里/ }).waitFor();
    // Its NMEA file, whatever its name: the GPS's names, in degrees and minutes.
    spawnSync(cli, ['route', `--nmea=${join(folder, 'coast.txt')}`, join(folder, 'coast.csv')]);
    const [nmeaChooser] = await Promise.all([page.waitForEvent('filechooser'), page.getByRole('button', { name: '打开航点文件…' }).click()]);
    await nmeaChooser.setFiles(join(folder, 'coast.txt'));
    await page.waitForFunction(() => document.getElementById('route-waypoints').value.includes('WP1'));
    assert.equal(await box('航点').inputValue(),
        '名称,纬度,经度\nWP1,31°00.0000′,122°30.0000′\nWP2,29°45.0000′,123°00.0000′\nWP3,25°30.0000′,120°00.0000′\nWP4,22°15.0000′,114°15.0000′\n');
    await page.getByRole('img', { name: /航线示意图：WP1 → .* → WP4，共 750\.672 海里/ }).waitFor();
    // Its RTZ file with a great-circle and a rhumb leg: each leg's sailing in 航法, and the table
    // the command line plans from the same file.
    writeFileSync(join(folder, 'legs.csv'), `name,lat,lon,leg\n${lines(pacific.map((row, i) => [...row, ['GC', 'RL', ''][i]]))}\n`);
    spawnSync(cli, ['route', `--rtz=${join(folder, 'legs.rtz')}`, join(folder, 'legs.csv')]);
    const earlier = await csv.getAttribute('href');
    const [rtzChooser] = await Promise.all([page.waitForEvent('filechooser'), page.getByRole('button', { name: '打开航点文件…' }).click()]);
    await rtzChooser.setFiles(join(folder, 'legs.rtz'));
    await page.waitForFunction((href) => document.getElementById('route-csv').getAttribute('href') !== href, earlier);
    assert.deepEqual((await box('航点').inputValue()).trimEnd().split('\n').map((line) => line.split(',').slice(0, 1).concat(line.split(',').slice(3))),
        [['名称', '航法'], ['长江口', 'GC'], ['大隅海峡', 'RL'], ['旧金山', '']]);
    const fromRtz = spawnSync(cli, ['route', '--format=csv', '--output-encoding=utf-8-bom', join(folder, 'legs.rtz')]).stdout;
    assert.equal(Buffer.from(await fetched(csv)).toString(), fromRtz.toString());
    rmSync(folder, { recursive: true });
});

// Whether the element is wholly on the screen (scrolling moves by whole pixels: an edge may stay a
// fraction of one outside).
const wholeInView = (locator) => locator.evaluate((element) => {
    const { top, bottom } = element.getBoundingClientRect();
    return top > -1 && bottom < innerHeight + 1;
});
// The focused box's id, the text selected in it, its aria-invalid and the first id describing it.
const focusedBox = () => page.locator(':focus').evaluate((box) => [box.id, box.value.slice(box.selectionStart, box.selectionEnd),
    box.getAttribute('aria-invalid'), box.getAttribute('aria-describedby')?.split(' ')[0]]);

test('a failed 计算航线 leaves nothing of an earlier run on screen; why is said in the status line, and the box to fix is marked and focused, a waypoint\'s line selected, in view with the message on a phone', async () => {
    await page.setViewportSize({ width: 360, height: 740 });
    await page.getByRole('radiogroup', { name: '航点格式' }).getByLabel('分').check();
    const coast = '长江口,3100.0,12230.0\n舟山群岛东,2945.0,12300.0\n香港,2215.0,11415.0';
    const status = route().getByRole('status');
    const table = page.getByRole('table', { name: '航线' });
    const links = ['下载 CSV', '下载 GPX', '下载 GeoJSON', '下载 RTZ', '下载 NMEA'].map((name) => page.getByRole('link', { name }));
    const plan = () => page.getByRole('button', { name: '计算航线' }).click();
    // [航点 (the coast when null), the options' boxes, what the status line says, the box that gets
    // the focus, the text selected in it, null when no table stands, else a text in its 说明 column]
    for (const [text, boxes, said, focus, selected, told] of [
        [null, { '航速（节）': 'abc' }, '“航速（节）”须是大于 0、不超过 100 的节数，如 12、12.5 或 12kn，不认识“abc”', 'route-speed', '', null],
        [null, { '航速（节）': '12', 开航时间: '2026-02-30T08:00+08:00' }, '“开航时间”的“2026-02-30T08:00+08:00”有误：2026 年 2 月没有 30 日。“开航时间”须是出发时间', 'route-departure', '', null],
        [null, { 分点间隔: '5' }, '“分点间隔”须是分点的间隔', 'route-step', '', null],
        [null, { 开航时间: '2026-12-08T08:00+08:00' }, '开航时间须与航速（节）同用', 'route-speed', '', null],
        [null, { 流向: '045', '航速（节）': '12' }, '流向和流速须一同填写', 'route-drift', '', null],
        [null, { 流向: '400', 流速: '1', '航速（节）': '12' }, '“流向”须是海流流去的真方向', 'route-set', '', null],
        [null, { 流向: '045', 流速: '1' }, '有流向、流速时须填写航速（节）', 'route-speed', '', null],
        [null, { 流向: '045', 流速: '1', '航速（节）': '12', 限制纬度: '45' }, '须填写分点间隔', 'route-step', '', null],
        [null, { 自差: '2E' }, '填了自差还须填写磁差', 'route-variation', '', null],
        [null, { 限制纬度: '北45' }, '“限制纬度”须是限制纬度：大于 0、小于 90 的度数', 'route-limit', '', null],
        ['', {}, '请在“航点”中每行输入一个航点', 'route-waypoints', '', null],
        [`${coast}\nA，3100.0，12230.0`, {}, '“航点”第 4 行用全角逗号', 'route-waypoints', 'A，3100.0，12230.0', null],
        // A waypoint that does not read: its line of the box, as the command line names it; the
        // table of this run stands, with no GPX, GeoJSON or sketch.
        [`${coast}\n洛杉矶,9900.0,11800.0W`, {}, '航点“洛杉矶”（第 4 行）的纬度的输入“9900.0”超出范围', 'route-waypoints', '洛杉矶,9900.0,11800.0W', '航点“洛杉矶”（第 4 行）的纬度'],
        [`name,lat,lon\n${coast}\nB,3100.0`, {}, '航点“B”（第 5 行）', 'route-waypoints', 'B,3100.0', ''],
    ]) {
        await box('航点').fill(coast);
        await fillRouteOptions({});
        await plan();
        await route().getByRole('img', { name: /^航线示意图：长江口 → 舟山群岛东 → 香港，共 / }).waitFor();
        await box('航点').fill(text ?? coast);
        await fillRouteOptions(boxes);
        await plan();
        const row = `${text} ${JSON.stringify(boxes)}`;
        assert.ok((await status.textContent()).includes(said), `${row}: ${await status.textContent()}`);
        assert.deepEqual(await focusedBox(), [focus, selected, 'true', 'route-status'], row);
        assert.ok(await wholeInView(page.locator(':focus')) && await wholeInView(status), row);
        assert.equal(await table.isVisible(), told !== null, row);
        assert.ok(told === null || (await table.innerText()).includes(told), row);
        assert.deepEqual(await Promise.all(links.map((link) => link.isVisible())), [told !== null, false, false, false, false], row);
        assert.deepEqual(await page.locator('#route-sketch').evaluate((svg) => [svg.childElementCount, svg.getAttribute('aria-label')]), [0, '航线示意图'], row);
    }
    // A run that reads takes the marks off.
    await box('航点').fill(coast);
    await fillRouteOptions({});
    await plan();
    assert.deepEqual(await page.locator('#route-waypoints').evaluate((area) => [area.getAttribute('aria-invalid'), area.getAttribute('aria-describedby')]),
        [null, 'route-waypoints-hint']);
});

test('the sketch draws each row as the table sails it, a whole leg along its rhumb line, straight on the Mercator chart; 5,000 and 10,000 waypoints are drawn, planned off the main thread with 取消, the table a page at a time, the CSV the command line\'s', async () => {
    await page.setViewportSize({ width: 1280, height: 800 });
    const drawn = route().getByRole('img', { name: /^航线示意图：/ });
    const plan = () => page.getByRole('button', { name: '计算航线' }).click();
    // [the options' boxes, the vertices of each row's line]: the leg 长江口 → 旧金山 straight (its great
    // circle reaches 52°N), or by composite sailing, curved to the parallel, straight along it.
    await box('航点').fill('长江口,3100.0,12230.0\n旧金山,3748.0,12230.0W');
    for (const [boxes, vertices] of [[{}, [2]], [{ 限制纬度: '45' }, [49, 2, 49]], [{ 分点间隔: '30°' }, [2, 2, 2, 2]]]) {
        await fillRouteOptions(boxes);
        await plan();
        assert.deepEqual(await drawn.locator('polyline.leg').evaluateAll((lines) => lines.map((line) => line.getAttribute('points').split(' ').length)),
            vertices, JSON.stringify(boxes));
    }
    await fillRouteOptions({});
    for (const count of [5000, 10000]) {
        const text = Array.from({ length: count }, (_, i) => `W${i},${(20 + i * 0.004).toFixed(3)}°,${(120 + i * 0.005).toFixed(3)}°`).join('\n');
        // Pasted: typed, 10,000 lines would take minutes.
        await box('航点').evaluate((area, value) => { area.value = value; }, text);
        await plan();
        // Planned in a worker: the page shows it running, and 取消 ends it.
        await route().getByRole('button', { name: '取消' }).click();
        assert.deepEqual([await route().getByRole('status').textContent(), await page.locator('#route-result').isHidden()], ['已取消。', true]);
        await plan();
        await route().getByRole('img', { name: new RegExp(`^航线示意图：W0 → W1 → .* → W${count - 1}，共 `) }).waitFor({ timeout: 120000 });
        // Beyond 5,000 rows, 250 rows a line (each line's first point is the last one's end).
        const lines = await drawn.locator('polyline.leg').evaluateAll((all) => all.map((line) => line.getAttribute('points').split(' ').length));
        assert.deepEqual([lines.length, lines.reduce((sum, points) => sum + points, 0)], count > 5000 ? [40, count + 39] : [count - 1, 2 * (count - 1)]);
        assert.match(await route().getByRole('status').textContent(), new RegExp(`^共 ${count - 1} 段航线，合计 `));
        assert.deepEqual([await page.locator('#route-page').textContent(), await page.locator('#route-table tbody tr').count()], [`第 1–100 行，共 ${count} 行`, 100]);
        await route().getByRole('button', { name: '下一页' }).click();
        assert.equal(await page.locator('#route-table tbody th').first().textContent(), 'W100');
    }
    const csv = await page.getByRole('link', { name: '下载 CSV' }).evaluate(async ({ href }) => [...new Uint8Array(await (await fetch(href)).arrayBuffer())]);
    const text = await box('航点').inputValue();
    assert.ok(Buffer.from(csv).equals(spawnSync(cli, ['route', '--format=csv', '--output-encoding=utf-8-bom'], { input: `名称,纬度,经度\n${text}` }).stdout));
    // A short route again, for the phone's screenshot.
    await box('航点').fill('长江口,3100.0,12230.0\n旧金山,3748.0,12230.0W');
    await plan();
});

test('10,000 waypoints cut at 10° 分点 (some 50,000 rows) never hold the main thread for more than 200 ms at a time, by a long-task observer', async () => {
    // Zig-zags across 40° of longitude: each leg is cut at four or five meridians.
    const text = Array.from({ length: 10000 }, (_, i) => `W${i},${(20 + (i % 200) * 0.1).toFixed(3)}°,${(i % 2 ? 164 : 124 + (i % 7) * 0.1).toFixed(3)}°`).join('\n');
    await box('航点').evaluate((area, value) => { area.value = value; }, text);
    await fillRouteOptions({ '航速（节）': '12', 开航时间: '2026-12-08T08:00+08:00', 分点间隔: '10°' });
    await page.evaluate(() => {
        globalThis.longTasks = [];
        globalThis.longTaskObserver = new PerformanceObserver((list) => list.getEntries().forEach((entry) => globalThis.longTasks.push(Math.round(entry.duration))));
        globalThis.longTaskObserver.observe({ type: 'longtask' });
    });
    await page.getByRole('button', { name: '计算航线' }).click();
    assert.ok(await route().getByRole('button', { name: '取消' }).isVisible());
    await route().getByRole('img', { name: /^航线示意图：W0 → .* → W9999，共 / }).waitFor({ timeout: 240000 })
        .catch(async (error) => { throw new Error(`${error.message}; 航线's status: ${await route().getByRole('status').textContent()}`); });
    // The names are placed last, a slice at a time: the sketch is done when the page is idle (or,
    // should the browser never find it idle, ten seconds on).
    await page.evaluate(() => new Promise((resolve) => { requestIdleCallback(resolve, { timeout: 10000 }); }));
    const tasks = await page.evaluate(() => { globalThis.longTaskObserver.disconnect(); return globalThis.longTasks; });
    assert.ok(tasks.every((duration) => duration <= 200), `long tasks: ${tasks.join(', ')} ms`);
    assert.match(await page.locator('#route-page').textContent(), /^第 1–100 行，共 4\d{4} 行$/);
    await fillRouteOptions({});
});

test('the route table: 起点 and 终点 stay in view on a phone while it scrolls sideways, row headers, no empty column, a summary line; 打印航线 prints the plan alone', async () => {
    await box('航点').fill('长江口,3100.0,12230.0\n旧金山,3748.0,12230.0W');
    await fillRouteOptions({ '航速（节）': '14', 开航时间: '2026-12-08T08:00+08:00', 分点间隔: '10°', 预计到达时区: '船位区时' });
    await page.getByRole('button', { name: '计算航线' }).click();
    const table = page.getByRole('table', { name: '航线' });
    // Rhumb lines between 分点 only: no great circle's column, no 说明.
    const headings = await table.locator('thead th').allTextContents();
    assert.deepEqual([headings.slice(0, 2), headings.some((text) => /大圆|说明/.test(text)), headings.at(-2)], [['起点', '终点'], false, '预计到达时间（船位区时）']);
    assert.equal(await table.locator('tbody th[scope="row"]').count(), await table.locator('tbody tr').count());
    assert.match(await page.locator('#route-summary').textContent(), /^共 1 段航线，航程 [\d.]+ 海里，航时 \d+:\d\d（\d+天\d\d:\d\d），预计到达 2026-12-\d\dT\d\d:\d\d-08:00。$/);
    await page.setViewportSize({ width: 360, height: 740 });
    const frame = page.locator('.route-table-frame');
    await frame.evaluate((element) => { element.scrollLeft = element.scrollWidth; });
    assert.ok(await frame.evaluate((element) => element.scrollLeft) > 300);
    const row = table.locator('tbody tr').nth(2);
    const [shown, from, to, eta] = await Promise.all([frame, row.locator('th'), row.locator('td').first(), row.locator('td').last()].map((part) => part.boundingBox()));
    assert.ok(from.x >= shown.x && to.x >= from.x + from.width - 1 && to.x + to.width <= shown.x + shown.width, JSON.stringify([shown, from, to]));
    assert.ok(eta.x + eta.width <= shown.x + shown.width + 1 && eta.x >= to.x + to.width - 1, JSON.stringify([to, eta]));
    await page.evaluate(() => { window.print = () => { window.printedAt = Date.now(); }; });
    await page.getByRole('button', { name: '打印航线' }).click();
    assert.ok(await page.evaluate(() => window.printedAt > 0));
    // Print media: the plan (its title, options, table and summary) and the sketch, nothing else.
    await page.emulateMedia({ media: 'print' });
    const printed = page.locator('#route-printed');
    assert.deepEqual([await printed.isVisible(), await printed.locator('h1').textContent(), await route().getByRole('img', { name: /^航线示意图：/ }).isVisible()],
        [true, '航线计划：长江口 → 旧金山', true]);
    for (const hidden of ['.frames', '#route-waypoints', '#route-plan', '.route-table-frame', '.route-downloads', '#reckon', '#batch', '.help-row']) {
        assert.equal(await page.locator(hidden).first().isVisible(), false, hidden);
    }
    await page.emulateMedia({ media: 'screen' });
    assert.equal(await printed.isVisible(), false);
    await page.setViewportSize({ width: 1280, height: 800 });
    await fillRouteOptions({});
});

test('推算船位 gives the positions orvanto-cli reckon gives, with a current and M and C courses; a failed run empties them, the box to fix in view with the message on a phone; 设为点一 puts the rhumb line\'s into point 1 in 分', async () => {
    await page.setViewportSize({ width: 360, height: 740 });
    const reckoning = page.getByRole('region', { name: '推算船位' });
    const field = (name) => reckoning.getByRole('textbox', { name, exact: true });
    const status = reckoning.getByRole('status');
    const results = ['恒向线到达纬度', '恒向线到达经度', '大圆到达纬度', '大圆到达经度', '大圆到达航向'];
    const toPoint1 = reckoning.getByRole('button', { name: '设为点一' });
    const shanghai = { 起点纬度: '3100.0', 起点经度: '12230.0' };
    // [起点格式, the section's boxes, the 航线 section's 磁差 and 自差, 教科书算法, the command line's
    // options and operands, or what is said, the box with the focus and the box marked invalid]
    const rows = [
        ['分', { ...shanghai, 航向: '241', '航程（海里）': '300' }, {}, false, ['3100.0', '12230.0', '241', '300']],
        ['秒', { 起点纬度: '310000', 起点经度: '1223000', 航向: '０９０', '航速（节）': '12', 航时: '6:30', 流向: '045', 流速: '1.5' }, {}, false,
            ['--seconds', '--speed=12', '--hours=6:30', '--current=045/1.5', '310000', '1223000', '０９０']],
        ['分', { ...shanghai, 航向: '085M', '航程（海里）': '600海里' }, { 磁差: '5W' }, false, ['--variation=5W', '3100.0', '12230.0', '085M', '600海里']],
        ['分', { 起点纬度: 'S3350.0', 起点经度: '1825.0', 航向: '241C', '航速（节）': '14', 航时: '30' }, { 磁差: '3.5W', 自差: '2E' }, true,
            ['--variation=3.5W', '--deviation=2E', '--textbook', '--speed=14', '--hours=30', 'S3350.0', '1825.0', '241C']],
        ['分', { 起点纬度: '9500.0', 起点经度: '12230.0', 航向: '241', '航程（海里）': '300' }, {}, false, ['起点纬度', 'reckon-latitude', 'reckon-latitude']],
        // The 航线 section's boxes, a screen away on a phone: named with their section, the focus stays here.
        ['分', { ...shanghai, 航向: '085M', '航程（海里）': '300' }, {}, false, ['磁航向“085M”须有磁差：请在航线一节填写磁差', 'reckon-run', 'route-variation']],
        ['分', { ...shanghai, 航向: '085M', '航程（海里）': '300' }, { 磁差: '5X' }, false, ['航线一节的“磁差”须是', 'reckon-run', 'route-variation']],
        ['分', { ...shanghai, 航向: '085', '航程（海里）': '300' }, { 自差: '2E' }, false, ['航线一节填了自差还须填写磁差', 'reckon-run', 'route-variation']],
        ['分', { ...shanghai, 航向: '085', '航程（海里）': '300', '航速（节）': '12' }, {}, false, ['填了航程（海里）就不填航速', 'reckon-distance', 'reckon-distance']],
        ['分', { ...shanghai, 航向: '085', '航程（海里）': '300', 流向: '045', 流速: '1' }, {}, false, ['有流向、流速时须填写航速', 'reckon-speed', 'reckon-speed']],
        ['分', { ...shanghai, 航向: '085', '航速（节）': '12' }, {}, false, ['或者航速（节）和航时', 'reckon-hours', 'reckon-hours']],
        ['分', { ...shanghai, 航向: '085M', '航程（海里）': '600' }, { 磁差: '5W', 自差: '2E' }, false, ['--variation=5W', '--deviation=2E', '3100.0', '12230.0', '085M', '600']],
    ];
    // Each failure after a reckoning that succeeded, so that what it leaves shows.
    for (const [mode, boxes, compass, textbook, expected] of rows.flatMap((row) => (row[4].length === 3 ? [rows[0], row] : [row]))) {
        await reckoning.getByRole('radiogroup', { name: '起点格式' }).getByLabel(mode).check();
        for (const name of ['起点纬度', '起点经度', '航向', '航程（海里）', '航速（节）', '航时', '流向', '流速']) {
            await field(name).fill(boxes[name] ?? '');
        }
        await fillRouteOptions(compass);
        await reckoning.getByRole('checkbox', { name: '教科书算法' }).setChecked(textbook);
        await page.evaluate(() => scrollTo(0, 0));
        await reckoning.getByRole('button', { name: '推算船位' }).click();
        const shown = await Promise.all(results.map((name) => field(name).inputValue()));
        if (expected.length === 3) {
            const [said, focus, marked] = expected;
            assert.ok((await status.textContent()).includes(said), `${said}: ${await status.textContent()}`);
            assert.deepEqual([await page.evaluate(() => document.activeElement.id), shown, await toPoint1.isDisabled()], [focus, ['', '', '', '', ''], true], said);
            assert.deepEqual(await page.locator(`#${marked}`).evaluate((box) => [box.getAttribute('aria-invalid'), box.getAttribute('aria-describedby')]),
                ['true', 'reckon-status'], said);
            assert.ok(await wholeInView(page.locator(':focus')) && await wholeInView(status), said);
            continue;
        }
        // The positions as --format=tsv writes them, 大圆到达航向 as the text form does, with its reference.
        const native = spawnSync(cli, ['reckon', '--format=tsv', ...expected]).stdout.toString().split('\t');
        const course = spawnSync(cli, ['reckon', ...expected]).stdout.toString().match(/最终航向 (.+)/)[1];
        assert.deepEqual(shown, [...native.slice(0, 4), course], expected.join(' '));
        assert.deepEqual([await page.locator('#route-variation').getAttribute('aria-invalid'), await toPoint1.isDisabled()], [null, false]);
    }
    // Changing a box keeps the results of the last reckoning until the next one.
    await field('航程（海里）').fill('400');
    assert.equal(await field('大圆到达航向').inputValue(), '086.1°T 091.1°M 089.1°C');
    await toPoint1.click();
    assert.deepEqual([await box('点一纬度').inputValue(), await box('点一经度').inputValue()],
        [await field('恒向线到达纬度').inputValue(), await field('恒向线到达经度').inputValue()]);
    assert.ok(await page.getByRole('radiogroup', { name: '点一' }).getByLabel('分').isChecked());
    await fillRouteOptions({});
});

test('a phone-sized screen scrolls only down, with targets a finger can hit, each label in one face, the input forms a link away; axe-core finds no violation', async () => {
    await page.setViewportSize({ width: 360, height: 740 });
    // After a planned route: its table, links and sketch are checked too.
    assert.ok(await page.getByRole('table', { name: '航线' }).isVisible());
    assert.equal(await page.evaluate(() => document.documentElement.scrollWidth), 360);
    const small = await page.locator('input[type=radio], input[type=checkbox]').evaluateAll((inputs) => inputs
        .map((input) => input.getBoundingClientRect()).filter(({ width, height }) => width < 24 || height < 24).length);
    assert.equal(small, 0);
    // 点Ⅰ's Ⅰ, the quotes in 默认按“秒”格式读取, the digits beside Chinese: one face a label.
    const cdp = await browser.newCDPSession(page);
    const { root: documentNode } = await cdp.send('DOM.getDocument', { depth: -1 });
    await cdp.send('CSS.enable');
    const { nodeIds } = await cdp.send('DOM.querySelectorAll', { nodeId: documentNode.nodeId, selector: 'legend, label, button, a, h2' });
    for (const nodeId of nodeIds) {
        const { fonts } = await cdp.send('CSS.getPlatformFontsForNode', { nodeId });
        assert.ok(fonts.length <= 1, `${(await cdp.send('DOM.getOuterHTML', { nodeId })).outerHTML}: ${fonts.map((font) => font.familyName)}`);
    }
    // Beside the help box, a link to the forms the entries take.
    const [help, link] = await Promise.all([page.locator('textarea.help').boundingBox(), page.getByRole('link', { name: '输入格式' }).boundingBox()]);
    assert.ok(link.y >= help.y && link.y < help.y + help.height);
    await page.getByRole('link', { name: '输入格式' }).click();
    assert.match(await page.getByRole('region', { name: '输入格式' }).textContent(), /N S E W.*南纬.*°.*４２５０．０.*42 11 25/s);
    await page.screenshot({ path: join(root, 'build/web/phone.png'), fullPage: true });
    const axe = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
    await page.addScriptTag({ content: axe });
    const { violations } = await page.evaluate(() => globalThis.axe.run({
        rules: { 'target-size': { enabled: true }, 'label-content-name-mismatch': { enabled: true } },
    }));
    assert.deepEqual(violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`), []);
    assert.deepEqual(blocked, []);
});

test('the app served by scripts/build-web --serve opens offline at an address with a query string', async () => {
    const free = createServer().listen(0, '127.0.0.1');
    await once(free, 'listening');
    const address = `127.0.0.1:${free.address().port}`;
    free.close();
    const server = spawn(join(root, 'scripts/build-web'), [`--serve=${address}`], { stdio: 'ignore' });
    const served = await chromium.launch(chromiumOptions);
    try {
        const app = await served.newPage();
        for (let tries = 0; !(await fetch(`http://${address}/`).then(() => true, () => false)); ++tries) {
            assert.ok(tries < 600, 'the server never answered');
            await new Promise((resolve) => setTimeout(resolve, 100));
        }
        await app.goto(`http://${address}/`);
        await app.evaluate(() => navigator.serviceWorker.ready.then(() => true));
        server.kill();
        await once(server, 'exit');
        for (const path of ['?from=homescreen', 'index.html?utm=1']) {
            await app.goto(`http://${address}/${path}`);
            for (const [name, text] of [['点一纬度', '4250.0'], ['点一经度', '9338.80'], ['点二纬度', '4211.25'], ['点二经度', '10211.25']]) {
                await app.getByRole('textbox', { name }).fill(text);
            }
            await app.getByRole('button', { name: '计算两点距离' }).click();
            assert.equal(await app.getByRole('textbox', { name: '距离（公里）' }).inputValue(), '704.086', path);
        }
    } finally {
        server.kill();
        await served.close();
    }
});
