// Speed of the browser build, in figures: the two commands through the WebAssembly module under
// node, and a batch file in the page in Chromium, each against `orvanto-cli batch` over the same
// legs; a small batch file chosen again in the same page; and the page's time from opening the file
// to the first result. Needs scripts/build-web and the dev build's orvanto-cli.
//
// Usage: node bench/web-speed.mjs [LEGS]     (default 1000000; ORVANTO_CLI=path picks the binary)
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const root = new URL('../', import.meta.url).pathname;
const require = createRequire(join(root, 'web/package.json'));
const legs = Number(process.argv[2] ?? 1000000);
const cli = process.env.ORVANTO_CLI ?? join(root, 'build/dev/cli/orvanto-cli');

// Points within a few degrees of each other, in minutes notation, so that both commands compute.
let seed = 20261207;
const random = () => ((seed = (seed * 1103515245 + 12345) % 2 ** 31) / 2 ** 31);
const minutes = (degrees) => {
    const hundredths = Math.round(Math.abs(degrees) * 6000);
    return `${degrees < 0 ? '-' : ''}${Math.floor(hundredths / 6000)}${String((hundredths % 6000) / 100).padStart(2, '0')}`;
};
const rows = Array.from({ length: legs }, () => {
    const [lat, lon] = [random() * 140 - 70, random() * 340 - 170];
    return [0, 1, 2].flatMap(() => [minutes(lat + random() * 6 - 3), minutes(lon + random() * 6 - 3)]);
});

const folder = mkdtempSync(join(tmpdir(), 'orvanto-bench-'));
writeFileSync(join(folder, 'legs.csv'), `lat1,lon1,lat2,lon2,latr,lonr\n${rows.map((r) => r.join(',')).join('\n')}\n`);
// The batch runs natively and in the page three times each, taken in turns, and the best of each
// counts: a neighbour's burst of load on a shared machine then weighs on neither.
const runs = 3;
const nativeOnce = () => {
    const start = performance.now();
    try {
        execFileSync(cli, ['batch', '--jobs=1', '--format=window', `--output=${join(folder, 'out.csv')}`, join(folder, 'legs.csv')], { stdio: 'ignore' });
    } catch { /* rows that could not be computed */ }
    return (performance.now() - start) / 1000;
};
const nativeTimes = [nativeOnce()];
let start = performance.now();
const module = await require(join(root, 'build/wasm/web/orvanto-module.js'))();
const startup = performance.now() - start;
start = performance.now();
for (const texts of rows) {
    module.distance(texts, [false, false, false]);
    module.angle(texts, [false, false, false]);
}
const wasmSeconds = (performance.now() - start) / 1000;
const nativeSeconds = nativeTimes[0];
console.log(`${legs} legs, distance and angle each:`);
console.log(`  orvanto-cli batch      ${(legs / nativeSeconds).toFixed(0)} legs/s (process, file read and written)`);
console.log(`  module under node      ${(legs / wasmSeconds).toFixed(0)} legs/s (start-up ${startup.toFixed(0)} ms apart)`);
console.log(`  ratio                  ${(nativeSeconds / wasmSeconds).toFixed(2)} of native`);

const { chromium } = require('playwright-core');
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--headless', '--no-sandbox', '--disable-gpu'] });
const page = await browser.newPage();
const times = [];
for (let run = 0; run < 5; ++run) {
    await page.goto(`file://${join(root, 'build/web/orvanto.html')}`, { waitUntil: 'commit' });
    times.push(await page.evaluate(async () => {
        // 'interactive' comes before the page's deferred module has run and set up its buttons.
        await new Promise((resolve) => (document.readyState === 'complete' ? resolve() : addEventListener('load', resolve)));
        ['latitude1', 'longitude1', 'latitude2', 'longitude2'].forEach((id, i) => { document.getElementById(id).value = ['4250.0', '9338.80', '4211.25', '10211.25'][i]; });
        document.getElementById('distance').click();
        while (document.getElementById('kilometres').value === '') await new Promise(requestAnimationFrame);
        return performance.now();
    }));
}
const pageTimes = [];
const longestTasks = [];
for (let run = 0; run < runs; ++run) {
    if (run > 0) {
        nativeTimes.push(nativeOnce());
        await page.goto(`file://${join(root, 'build/web/orvanto.html')}`);
    }
    const chooser = page.getByLabel('批量计算文件');
    await chooser.waitFor({ state: 'attached' });
    // The page must stay responsive while its worker runs: the longest task of its main thread.
    await page.evaluate(() => {
        globalThis.longestTask = 0;
        new PerformanceObserver((list) => {
            for (const task of list.getEntries()) globalThis.longestTask = Math.max(globalThis.longestTask, task.duration);
        }).observe({ type: 'longtask' });
    });
    start = performance.now();
    await chooser.setInputFiles(join(folder, 'legs.csv'));
    await page.waitForFunction(() => !document.getElementById('batch-download').hidden, null, { timeout: 0, polling: 100 });
    pageTimes.push((performance.now() - start) / 1000);
    longestTasks.push(await page.evaluate(() => globalThis.longestTask));
}
// A small file chosen again and again in the same page, as a user runs one after another: the
// worker the first run started does the rest, from being chosen to the download on offer.
// Two names for the same rows: an input tells no change when the same file is set again.
for (const name of ['small0.csv', 'small1.csv']) {
    writeFileSync(join(folder, name), `lat1,lon1,lat2,lon2,latr,lonr\n${rows.slice(0, 1000).map((r) => r.join(',')).join('\n')}\n`);
}
const smallTimes = [];
for (let run = 0; run < 7; ++run) {
    const before = await page.locator('#batch-download').getAttribute('href');
    start = performance.now();
    await page.getByLabel('批量计算文件').setInputFiles(join(folder, `small${run % 2}.csv`));
    await page.waitForFunction((old) => {
        const link = document.getElementById('batch-download');
        return !link.hidden && link.getAttribute('href') !== old;
    }, before, { timeout: 0, polling: 'raf' });
    smallTimes.push(performance.now() - start);
}
smallTimes.sort((a, b) => a - b);
const pageSeconds = Math.min(...pageTimes);
await browser.close();
rmSync(folder, { recursive: true });
const bestNative = Math.min(...nativeTimes);
console.log(`  orvanto-cli batch      ${(legs / bestNative).toFixed(0)} legs/s (best of ${runs})`);
console.log(`  batch file in the page ${(legs / pageSeconds).toFixed(0)} legs/s (file chosen to download offered, best of ${runs})`);
console.log(`  ratio                  ${(bestNative / pageSeconds).toFixed(2)} of native`);
console.log(`  longest main-thread task during a run: ${Math.max(...longestTasks).toFixed(0)} ms (0: none over 50 ms)`);
console.log(`  1,000 rows, chosen again: median ${smallTimes[3].toFixed(0)} ms (of 7, ${smallTimes[0].toFixed(0)}–${smallTimes[6].toFixed(0)})`);
times.sort((a, b) => a - b);
console.log(`page from file:// to first result: median ${times[2].toFixed(0)} ms (of 5, ${times[0].toFixed(0)}–${times[4].toFixed(0)})`);
