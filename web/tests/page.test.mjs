// The page in Debian's Chromium, opened from disk with every non-file request failed: the worked
// example typed and run from the keyboard, a message and where the focus goes, the sketch, batch
// files, the courses and the 航线 section against orvanto-cli, a phone-sized screen and axe-core's
// accessibility rules; and the app served by scripts/build-web --serve, opened again offline.
import { after, before, test } from 'node:test';
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
    browser = await chromium.launchPersistentContext(profile, chromiumOptions);
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
    // No run held a whole file or result (big-gb.csv is 7.8 MB, its result 12 MB): each was read and
    // decoded a MiB at a time, and the result gathered a few MiB at a time.
    const most = await page.evaluate(() => globalThis.mostAtOnce);
    assert.ok(most <= 5 << 20, `${most} bytes at once`);
    rmSync(folder, { recursive: true });
});

test('the courses after 计算两点距离 are the lines orvanto-cli course prints, magnetic with the 航线 section\'s 磁差', async () => {
    await page.setViewportSize({ width: 1280, height: 800 });
    // [点一, 点二, 磁差, the command line's options, a line after the courses]
    for (const [one, two, variation, options, after] of [
        [['3100.0', '12230.0'], ['2215.0', '11415.0'], '5W', ['--variation=5W'], ''],
        [['3100.0', '12230.0'], ['2215.0', '11415.0'], '西５', ['--variation=西５'], ''],
        [['3100.0', '12230.0'], ['3100.0', '12230.0'], '', [], ''],
        [['3100.0', '12230.0'], ['2215.0', '11415.0'], '5X', [], '\n磁差须是度数，西为负、东为正，如 3.5W、W3.5、西3.5、-3.5、2E、2 或 5°30′W，不认识“5X”'],
    ]) {
        await page.getByRole('radiogroup', { name: '点二' }).getByLabel('分').check();
        for (const [name, text] of [['点一纬度', one[0]], ['点一经度', one[1]], ['点二纬度', two[0]], ['点二经度', two[1]], ['磁差', variation]]) {
            await box(name).fill(text);
        }
        await page.getByRole('button', { name: '计算两点距离' }).click();
        const native = spawnSync(cli, ['course', ...options, ...one, ...two]).stdout.toString().trimEnd();
        assert.equal(await page.getByRole('status', { name: '航向（点一→点二）' }).textContent(), native + after);
    }
});

test('the 航线 section plans the passage as orvanto-cli route does: its table, its three downloads byte for byte, a GPX file opened into 航点', async () => {
    const folder = mkdtempSync(join(tmpdir(), 'orvanto-route-'));
    const coast = [['长江口', '3100.0', '12230.0'], ['舟山群岛东', '2945.0', '12300.0'], ['台湾海峡北口', '2530.0', '12000.0'], ['香港', '2215.0', '11415.0']];
    const lines = (rows, delimiter = ',') => rows.map((row) => row.join(delimiter)).join('\n');
    const [csv, gpx, geojson] = ['下载 CSV', '下载 GPX', '下载 GeoJSON'].map((name) => page.getByRole('link', { name }));
    // [the box's text, its header in front or null when it has its own, 航点格式, 磁差, a message in the table]
    for (const [text, header, mode, variation, message] of [
        [lines(coast), '名称,纬度,经度', '分', '', null],
        // A spreadsheet's cells with their own header, and a variation.
        [lines([['name', 'lat', 'lon'], ...coast], '\t'), null, '分', '3.5W', null],
        [lines(coast, '\t'), '名称\t纬度\t经度', '分', '2E', null],
        // A waypoint out of range: the table counts the box's lines, the CSV the command line's.
        [`A,300000,1223000\n\nB,9100.0,0\nC,220000,1140000`, '名称,纬度,经度', '秒', '', '航点“B”（第 3 行）'],
    ]) {
        await box('航点').fill(text);
        await page.getByRole('radiogroup', { name: '航点格式' }).getByLabel(mode).check();
        await box('磁差').fill(variation);
        // Enter in 磁差 plans too.
        await (variation ? box('磁差').press('Enter') : page.getByRole('button', { name: '计算航线' }).click());
        const input = header === null ? text : `${header}\n${text}`;
        const files = ['r.gpx', 'r.geojson'].map((name) => join(folder, name));
        files.forEach((file) => rmSync(file, { force: true }));
        const options = [...(mode === '秒' ? ['--seconds'] : []), ...(variation ? [`--variation=${variation}`] : [])];
        const table = spawnSync(cli, ['route', '--format=csv', '--output-encoding=utf-8-bom', ...options,
            `--gpx=${files[0]}`, `--geojson=${files[1]}`], { input }).stdout;
        const fetched = (link) => link.evaluate(async ({ href }) => [...new Uint8Array(await (await fetch(href)).arrayBuffer())]);
        assert.deepEqual(Buffer.from(await fetched(csv)), table, text);
        assert.equal(await csv.getAttribute('download'), '航线.csv');
        const shown = await page.getByRole('table', { name: '航线' }).innerText();
        if (message) {
            assert.ok(shown.includes(message) && table.includes('（第 4 行）'), shown);
            assert.deepEqual([await gpx.isHidden(), await geojson.isHidden(), existsSync(files[0])], [true, true, false]);
            continue;
        }
        assert.match(shown, /^合计\t+750\.672\t/m);
        for (const [link, file, name] of [[gpx, files[0], '航线.gpx'], [geojson, files[1], '航线.geojson']]) {
            assert.deepEqual([Buffer.from(await fetched(link)), await link.getAttribute('download')], [readFileSync(file), name]);
        }
        assert.equal(await page.getByRole('img', { name: '航线示意图：长江口 → 舟山群岛东 → 台湾海峡北口 → 香港，共 750.672 海里' }).locator('polyline.leg').count(), 3);
    }
    // The command line's GPX file opened into 航点: the same passage, in degrees.
    writeFileSync(join(folder, 'coast.csv'), `name,lat,lon\n${lines(coast)}\n`);
    spawnSync(cli, ['route', `--gpx=${join(folder, 'coast.gpx')}`, join(folder, 'coast.csv')]);
    const [chooser] = await Promise.all([page.waitForEvent('filechooser'), page.getByRole('button', { name: '打开航点文件…' }).click()]);
    await chooser.setFiles(join(folder, 'coast.gpx'));
    await page.waitForFunction(() => document.getElementById('route-waypoints').value.startsWith('名称'));
    assert.equal(await box('航点').inputValue(), '名称,纬度,经度\n长江口,31°,122.5°\n舟山群岛东,29.75°,123°\n台湾海峡北口,25.5°,120°\n香港,22.25°,114.25°\n');
    await page.getByRole('img', { name: /航线示意图：长江口 → .* → 香港，共 750\.672 海里/ }).waitFor();
    rmSync(folder, { recursive: true });
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
