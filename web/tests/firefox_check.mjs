// A check by hand that the page works from file:// in Firefox as in Chromium: Debian's firefox-esr,
// headless, driven over its own Marionette protocol (playwright drives only its own Firefox
// builds). It computes the worked example and its sketch, runs a batch file through the page's
// worker, comparing the download with `orvanto-cli batch`, plans a passage in the 航线 section with
// 分点, a limiting latitude, a speed, a departure and a current, comparing its three downloads with
// `orvanto-cli route`, and reckons a position with a current and a magnetic course in the 推算船位
// section against `orvanto-cli reckon`. Not in the test suite, which would need
// Firefox on every machine; run it after scripts/build-web:
//
//   apt-get install firefox-esr
//   node web/tests/firefox_check.mjs FILE.csv     (ORVANTO_CLI=path picks the binary)
import net from 'node:net';
import { spawn, execFileSync } from 'node:child_process';
import { mkdtempSync, writeFileSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const root = new URL('../../', import.meta.url).pathname;
const cli = process.env.ORVANTO_CLI ?? join(root, 'build/dev/cli/orvanto-cli');
const profile = mkdtempSync(join(tmpdir(), 'orvanto-firefox-'));
writeFileSync(`${profile}/user.js`, 'user_pref("marionette.port", 2828);\nuser_pref("network.proxy.type", 0);\n');
const ff = spawn('firefox-esr', ['--headless', '--marionette', '--no-remote', '-profile', profile], { stdio: 'ignore' });
process.on('exit', () => ff.kill());
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
let socket;
for (let i = 0; i < 60 && !socket; ++i) {
    await sleep(500);
    socket = await new Promise((resolve) => { const s = net.connect(2828, '127.0.0.1', () => resolve(s)); s.on('error', () => resolve(undefined)); });
}
let buffer = '';
const waiting = new Map();
let hello;
socket.on('data', (chunk) => {
    buffer += chunk.toString('utf8');
    for (;;) {
        const colon = buffer.indexOf(':');
        if (colon < 0) return;
        const length = Number(buffer.slice(0, colon));
        const bytes = Buffer.from(buffer.slice(colon + 1), 'utf8');
        if (bytes.length < length) return;
        const message = JSON.parse(bytes.subarray(0, length).toString('utf8'));
        buffer = bytes.subarray(length).toString('utf8');
        if (Array.isArray(message)) { waiting.get(message[1])(message); } else { hello = message; }
    }
});
let id = 0;
const send = (name, params) => new Promise((resolve, reject) => {
    const msgId = ++id;
    waiting.set(msgId, ([, , error, result]) => (error ? reject(new Error(JSON.stringify(error))) : resolve(result)));
    const body = Buffer.from(JSON.stringify([0, msgId, name, params]), 'utf8');
    socket.write(`${body.length}:`); socket.write(body);
});
await sleep(300);
await send('WebDriver:NewSession', { capabilities: {} });
const url = `file://${join(root, 'build/web/orvanto.html')}`;
await send('WebDriver:Navigate', { url });
const run = async (script, args = []) => (await send('WebDriver:ExecuteAsyncScript', { script, args, scriptTimeout: 60000 })).value;
const commands = await run(`const done = arguments[arguments.length - 1];
(async () => {
  await new Promise((r) => (document.readyState === 'complete' ? r() : addEventListener('load', r)));
  const set = (id, v) => { document.getElementById(id).value = v; };
  set('latitude1', '4250.0'); set('longitude1', '9338.80');
  set('latitude2', '421125'); set('longitude2', '1021125'); document.querySelector('input[name="mode2"][value="seconds"]').click();
  set('latitude3', '3000.0'); set('longitude3', '9800.0');
  document.getElementById('distance').click();
  while (document.getElementById('kilometres').value === '') await new Promise((r) => setTimeout(r, 20));
  document.getElementById('angle').click();
  while (document.getElementById('degrees').value === '') await new Promise((r) => setTimeout(r, 20));
  const sketch = document.getElementById('sketch');
  done({ km: document.getElementById('kilometres').value, nm: document.getElementById('nautical-miles').value,
         degrees: document.getElementById('degrees').value, sketchParts: sketch.querySelectorAll('*').length,
         sketchName: sketch.getAttribute('aria-label'), width: document.documentElement.scrollWidth });
})().catch((e) => done({ error: String(e) }));`);
console.log('commands:', JSON.stringify(commands));
const bytes = readFileSync(process.argv[2]);
// The page writes UTF-8 with a BOM for a GB18030 file, as the CLI does when asked to.
let utf8 = true;
try {
    new TextDecoder('utf-8', { fatal: true }).decode(bytes);
} catch {
    utf8 = false;
}
const download = await run(`const [base64, done] = arguments;
(async () => {
  const input = document.querySelector('input[type=file]');
  const transfer = new DataTransfer();
  const chosen = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
  transfer.items.add(new File([chosen], 'legs.csv', { type: 'text/csv' }));
  input.files = transfer.files;
  input.dispatchEvent(new Event('change', { bubbles: true }));
  const link = document.getElementById('batch-download');
  while (link.hidden) await new Promise((r) => setTimeout(r, 50));
  const bytes = new Uint8Array(await (await fetch(link.href)).arrayBuffer());
  done({ name: link.download, text: new TextDecoder('utf-8', { ignoreBOM: true }).decode(bytes) });
})().catch((e) => done({ error: String(e) }));`, [bytes.toString('base64')]);
let native;
try {
    const encoding = utf8 ? [] : ['--output-encoding=utf-8-bom'];
    native = execFileSync(cli, ['batch', ...encoding, process.argv[2]], { stdio: ['ignore', 'pipe', 'ignore'] }).toString('utf8');
} catch (failedRows) {
    native = failedRows.stdout.toString('utf8');
}
console.log('download name:', download.name, 'error:', download.error, 'same bytes as orvanto-cli batch:', download.text === native, `(${native.length} chars)`);
const passage = '长江口,3100.0,12230.0\n大隅海峡,3050.0,13100.0\n旧金山,3748.0,12230.0W\n';
const options = { 'route-variation': '5W', 'route-step': '10°', 'route-limit': '45', 'route-speed': '14',
    'route-departure': '2026-12-08T08:00+08:00', 'route-set': '090', 'route-drift': '0.5' };
const route = await run(`const [text, options, done] = arguments;
(async () => {
  document.getElementById('route-waypoints').value = text;
  for (const [id, value] of Object.entries(options)) document.getElementById(id).value = value;
  document.getElementById('route-plan').click();
  const files = [];
  for (const kind of ['csv', 'gpx', 'geojson']) {
    const href = document.getElementById('route-' + kind).href;
    files.push(new TextDecoder('utf-8', { ignoreBOM: true }).decode(await (await fetch(href)).arrayBuffer()));
  }
  done({ files, sketchName: document.getElementById('route-sketch').getAttribute('aria-label') });
})().catch((e) => done({ error: String(e) }));`, [passage, options]);
const routeFiles = ['gpx', 'geojson'].map((kind) => join(profile, `route.${kind}`));
const nativeRoute = [execFileSync(cli, ['route', '--format=csv', '--output-encoding=utf-8-bom', '--variation=5W', '--every=10°',
    '--limit-latitude=45', '--speed=14', '--depart=2026-12-08T08:00+08:00', '--current=090/0.5', `--gpx=${routeFiles[0]}`,
    `--geojson=${routeFiles[1]}`], { input: `名称,纬度,经度\n${passage}` }).toString('utf8'), ...routeFiles.map((file) => readFileSync(file, 'utf8'))];
const sameRoute = route.files?.every((text, i) => text === nativeRoute[i]);
console.log('route:', route.sketchName, 'error:', route.error, 'same CSV, GPX and GeoJSON as orvanto-cli route:', sameRoute);
const reckoned = await run(`const done = arguments[0];
const boxes = { 'reckon-latitude': '3100.0', 'reckon-longitude': '12230.0', 'reckon-course': '085M', 'reckon-speed': '14',
  'reckon-hours': '30:00', 'reckon-set': '090', 'reckon-drift': '0.5' };
for (const [id, value] of Object.entries(boxes)) document.getElementById(id).value = value;
document.getElementById('reckon-run').click();
done(['rhumb-latitude', 'rhumb-longitude', 'gc-latitude', 'gc-longitude', 'gc-course'].map((id) => document.getElementById('reckon-' + id).value).join('\\t'));`);
// The positions as --format=tsv writes them, the course as the text form does.
const reckonWith = ['--variation=5W', '--speed=14', '--hours=30:00', '--current=090/0.5', '3100.0', '12230.0', '085M'];
const nativeReckoned = [...execFileSync(cli, ['reckon', '--format=tsv', ...reckonWith]).toString('utf8').split('\t').slice(0, 4),
    execFileSync(cli, ['reckon', ...reckonWith]).toString('utf8').match(/最终航向 (.+)/)[1]].join('\t');
console.log('reckon:', reckoned, 'same as orvanto-cli reckon:', reckoned === nativeReckoned);
await send('Marionette:Quit', {}).catch(() => {});
ff.kill();
rmSync(profile, { recursive: true, force: true });
process.exit(download.text === native && sameRoute && reckoned === nativeReckoned && commands.km === '704.197' ? 0 : 1);
