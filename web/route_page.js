// The 航线 section: the 航点 box planned leg by leg by the module, as `orvanto-cli route` plans the
// same text read from standard input (the header put in front when the box has none), shown as a
// table with the command line's text-form columns and a sketch, and offered as the three files the
// command line writes. The passage options are the section's boxes, read by the module as the
// command line reads its options; a box that does not read is named, and the focus goes to it. A
// run that fails leaves nothing of an earlier run on screen.
// The module gives
//   planRoute(text, { seconds, textbook, showWork, headerLines, etaZone, boxes }) → { cells, notes,
//     legs, failedLegs, message, line, totalMiles, totalHours, csv, gpx, geojson, rtz, nmea,
//     nmeaProblem, points, kinds, limit, summary, printed, work } or { error, box }
//   planPrintRules() → the printed plan's style sheet
//   readGpx(bytes), readRtz(bytes), readNmea(bytes) → { text, note } or { error }
//   isNmeaFile(bytes) → whether its first line that is not blank starts with $ or !
//   readCompass(boxes) → { variation, deviation, card } or { error, box }
import { boxTexts, byId, clearInvalid, focusBeside, markInvalid, runOnEnter } from './dom.js';
import { undetectedEncoding, utf16ByMark } from './file_encoding.js';
import { drawRouteSketch } from './route_sketch.js';

// The RTZ file is XML in the ECDIS's own vocabulary, the NMEA file plain ASCII lines.
const FILE_TYPES = {
    csv: 'text/csv',
    gpx: 'application/gpx+xml',
    geojson: 'application/geo+json',
    rtz: 'application/xml',
    nmea: 'text/plain',
};

// A box of more lines than this is planned in a Web Worker, and a table of more rows than
// PAGE_ROWS shown a page at a time: 10,000 waypoints cut at 10° 分点 are some 46,000 rows, seconds
// of work and a table no browser lays out in one go, and the page must answer all the while (a
// page of 100 rows lays out in some 40 ms here, 200 took twice that).
const LARGE = 1000;
const PAGE_ROWS = 100;

const OPTION_BOXES = ['route-speed', 'route-departure', 'route-variation', 'route-deviation', 'route-set',
    'route-drift', 'route-limit', 'route-step'];

// 磁差, 自差 and the text of the card 自差表… opened, which every section reads.
export const COMPASS_BOXES = ['route-variation', 'route-deviation', 'route-deviation-card'];

// The 磁差 and 自差 boxes as --variation and --deviation read them: { variation, deviation }
// (null when blank) or { error, box }.
export function typedCompass(module) {
    return module.readCompass(boxTexts(COMPASS_BOXES));
}

// The box's text as the command line gets it: a first line that names none of `columns` (the
// waypoint file's column names, from the module) is a waypoint, and the header goes in front,
// joined by that line's delimiter (a tab for a spreadsheet's cells).
export function withHeader(text, columns) {
    const first = text.split('\n', 1)[0];
    const delimiter = (text.split('\n').find((line) => line.trim() !== '') ?? '').includes('\t') ? '\t' : ',';
    const names = first.split(/[\t,]/).map((field) => field.trim().replace(/^"(.*)"$/, '$1').toLowerCase());
    return names.some((name) => columns.has(name))
        ? { text, headerLines: 0 }
        : { text: `${['名称', '纬度', '经度'].join(delimiter)}\n${text}`, headerLines: 1 };
}

// An input method's full-width comma is no delimiter: the line it separates is said, not guessed.
function fullWidthLine(text) {
    const index = text.split('\n').findIndex((line) => line.includes('，') && !/[,\t]/.test(line));
    return index < 0 ? null : { error: `“航点”第 ${index + 1} 行用全角逗号“，”分隔：请改用半角逗号“,”或制表符`, line: index + 1 };
}

// Selects line `number` of the box (counted from 1), where the user fixes it.
function selectLine(box, number) {
    const lines = box.value.split('\n');
    const start = lines.slice(0, number - 1).reduce((sum, line) => sum + line.length + 1, 0);
    box.setSelectionRange(start, start + (lines[number - 1] ?? '').length);
}

// A spreadsheet's file in its own encoding as text: UTF-16 by its byte-order mark, else the
// command line's `auto` rule between UTF-8 and GB18030.
function decodedWaypointFile(module, bytes) {
    const encoding = utf16ByMark(bytes, null);
    let found = { encoding };
    if (!encoding) {
        let at = 0;
        found = module.detectBatchEncoding((count) => bytes.subarray(at, (at += count)));
    }
    if (found.line !== undefined) {
        return { error: undetectedEncoding(found.line) };
    }
    try {
        return { text: new TextDecoder(found.encoding, { fatal: true }).decode(bytes).replaceAll('\r\n', '\n') };
    } catch {
        return { error: `文件中有不能按 ${found.encoding.toUpperCase()} 读取的字节` };
    }
}

// The worker's own code, built as a Blob from the module's text and this function's (a worker
// cannot be loaded from a file:// page). The route crosses to the page in parts, each a message
// and so a task of the page's of its own, none too large to copy while the page stands still: the
// table's rows as strings of 5,000 lines, a row a line and a cell a tab (the text form writes out
// the tabs and line breaks a name holds), since 46,000 arrays take far longer to copy; the printed
// plan (12 MB for those rows) a million characters at a time; the points 5,000 at a time; then
// the rest.
function routeWorkerMain() {
    const ROWS = 5000;
    const CHARACTERS = 1 << 20;
    const loaded = createOrvanto();
    self.onmessage = async ({ data: { text, options, types } }) => {
        let route;
        try {
            route = (await loaded).planRoute(text, options);
        } catch (error) {
            // Out of memory, most likely: said, not left to hang.
            self.postMessage({ error: `无法计算航线：${error.message ?? error}`, box: 'route-waypoints' });
            return;
        }
        if (route.error) {
            self.postMessage(route);
            return;
        }
        const { cells, printed, points, kinds, ...rest } = route;
        for (let start = 0; start < cells.length; start += ROWS) {
            self.postMessage({ part: { rows: cells.slice(start, start + ROWS).map((row) => row.join('\t')).join('\n') } });
        }
        for (let start = 0; start < printed.length; start += CHARACTERS) {
            self.postMessage({ part: { printed: printed.slice(start, start + CHARACTERS) } });
        }
        for (let start = 0; start < points.length; start += ROWS) {
            self.postMessage({ part: { points: points.slice(start, start + ROWS), kinds: kinds.slice(start, start + ROWS) } });
        }
        // The files as Blobs made here, typed as their links serve them: the page gets a handle,
        // not a copy of a GeoJSON file that may run to a hundred megabytes, and makes no Blob of
        // its own (each Blob and each URL of one waits on the browser's process).
        for (const [kind, type] of Object.entries(types)) {
            rest[kind] &&= new Blob([rest[kind]], { type });
        }
        // Each Blob's last byte read back: the browser holds the whole file before the page is
        // told, and the page's link to it is made at once, not after the file is copied over. (A
        // read that fails only costs the page that wait.)
        await Promise.all(Object.keys(types).map((kind) => rest[kind]?.slice(-1).arrayBuffer())).catch(() => null);
        self.postMessage(rest);
    };
}

// The rows of the last plan (arrays, or a worker's lines), the page of them shown, and the printed
// plan until it is printed.
const shown = { rows: [], page: 0, printed: '', run: 0 };
const cellsOf = (row) => (typeof row === 'string' ? row.split('\t') : row);

// Row by row, not spread into one call: a route of 10,000 legs has more rows than a call takes
// arguments. Each row is headed by its 起点 (<th scope="row">), for a screen reader to name it;
// `cells` is the heading row and the rows of one page, `total` whether its last is 合计.
function fillTable(cells, total) {
    const table = byId('route-table');
    const row = (texts, cell) => {
        const tr = document.createElement('tr');
        texts.forEach((text, i) => {
            const th = cell === 'th' || i === 0;
            const element = Object.assign(document.createElement(th ? 'th' : 'td'), { textContent: text });
            if (th && cell === 'td') {
                element.setAttribute('scope', 'row');
            } else if (cell === 'td' && cells[0][i] === '说明') {
                element.className = 'note';
            }
            tr.appendChild(element);
        });
        return tr;
    };
    const head = row(cells[0], 'th');
    head.querySelectorAll('th').forEach((th) => th.setAttribute('scope', 'col'));
    table.tHead.replaceChildren(head);
    const body = document.createDocumentFragment();
    cells.slice(1).forEach((texts) => body.appendChild(row(texts, 'td')));
    if (total) {
        body.lastElementChild.className = 'total';
    }
    table.tBodies[0].replaceChildren(body);
}

function offer(link, bytes, type = '') {
    URL.revokeObjectURL(link.href);
    link.hidden = bytes === null;
    if (bytes === null) {
        link.removeAttribute('href');
    } else {
        // A worker's Blob is taken as it is, typed by the worker.
        link.href = URL.createObjectURL(ArrayBuffer.isView(bytes) ? new Blob([bytes], { type }) : bytes);
    }
}

// The sketch's name: the waypoints (not the points computed between them), the total distance
// and, with a speed, the total time.
function sketchName({ points, totalMiles, totalHours }) {
    const names = points.filter(([, , , waypoint]) => waypoint).map(([, , name]) => name || '（无名）');
    return `航线示意图：${names.join(' → ')}${totalMiles ? `，共 ${totalMiles} 海里` : ''}${totalHours ? `，航时 ${totalHours}` : ''}`;
}

// Page `page` of the table, with the pager when there is more than one.
function showPage(page) {
    const rows = shown.rows;
    const count = rows.length - 1;
    const start = page * PAGE_ROWS;
    const end = Math.min(start + PAGE_ROWS, count);
    shown.page = page;
    fillTable([cellsOf(rows[0]), ...rows.slice(start + 1, end + 1).map(cellsOf)], end === count);
    byId('route-pages').hidden = count <= PAGE_ROWS;
    byId('route-page').textContent = `第 ${start + 1}–${end} 行，共 ${count} 行`;
    byId('route-previous').disabled = page === 0;
    byId('route-next').disabled = end === count;
}

// The printed plan's sections, put in when they are printed if the table is long.
function fillPrinted() {
    if (shown.printed !== '') {
        // The module's own HTML, its texts escaped: the sections route --format=html writes.
        byId('route-printed').innerHTML = shown.printed;
        shown.printed = '';
    }
}

// No table, 合计, download, sketch or sketch name of an earlier run.
function clearRoute() {
    shown.run += 1;
    shown.rows = [];
    shown.printed = '';
    byId('route-pages').hidden = true;
    byId('route-result').hidden = true;
    const table = byId('route-table');
    table.tHead.replaceChildren();
    table.tBodies[0].replaceChildren();
    Object.keys(FILE_TYPES).forEach((kind) => offer(byId(`route-${kind}`), null));
    byId('route-notes').textContent = '';
    byId('route-work').textContent = '';
    byId('route-summary').textContent = '';
    byId('route-printed').replaceChildren();
    const sketch = byId('route-sketch');
    sketch.replaceChildren();
    sketch.setAttribute('aria-label', '航线示意图');
}

// The table of this run, its legs with messages among them; the first message is said in the
// status line too, and a waypoint that cannot be read gets the focus on its line.
function showRoute(route, box, origin) {
    byId('route-result').hidden = false;
    shown.rows = route.cells ?? route.rows;
    showPage(0);
    byId('route-summary').textContent = route.summary;
    shown.printed = route.printed;
    if (shown.rows.length <= PAGE_ROWS) {
        fillPrinted();
    }
    // A large route's files and sketch each in a task of its own: the page answers in between.
    const run = ++shown.run;
    const later = (work) => (shown.rows.length > LARGE ? setTimeout(() => run === shown.run && work()) : work());
    for (const [kind, type] of Object.entries(FILE_TYPES)) {
        later(() => offer(byId(`route-${kind}`), route[kind], type));
    }
    const notes = byId('route-notes');
    notes.textContent = route.notes.trimEnd();
    notes.hidden = route.notes === '';
    const work = byId('route-work');
    work.textContent = route.work ?? '';
    work.hidden = !route.work;
    const said = [`共 ${route.legs} 段航线${route.totalMiles ? `，合计 ${route.totalMiles} 海里` : ''}`];
    if (route.failedLegs > 0) {
        said.push(`其中 ${route.failedLegs} 段未能全部算出，原因见“说明”列`);
    }
    if (route.gpx === null) {
        said.push('有航点无法读取或有航段无法航行，没有生成 GPX、GeoJSON、RTZ 和 NMEA 文件');
    } else if (route.nmea === null) {
        said.push(`${route.nmeaProblem}，没有生成 NMEA 文件`);
    }
    const message = route.message === null ? '' : route.message.replace(/[^。！]$/, '$&。');
    const status = byId('route-status');
    status.textContent = `${message}${said.join('；')}。`;
    byId('route-result').hidden = false;
    const sketch = byId('route-sketch');
    sketch.closest('figure').hidden = route.points.length === 0;
    if (route.points.length > 0) {
        later(() => drawRouteSketch(sketch, route, sketchName(route), () => run === shown.run));
    } else {
        sketch.replaceChildren();
        sketch.setAttribute('aria-label', '航线示意图');
    }
    if (route.line !== null) {
        markInvalid(box, status);
        selectLine(box, route.line);
        focusBeside(box, status);
    } else if (route.message !== null) {
        focusBeside(origin, status);
    }
}

export async function setUpRoute(calculator) {
    const module = await calculator;
    const columns = new Set(module.waypointColumnNames());
    // The printed plan's rules, for print only: the same sheet as route --format=html's.
    document.head.appendChild(Object.assign(document.createElement('style'), { media: 'print', textContent: module.planPrintRules() }));
    byId('route-print').addEventListener('click', () => {
        fillPrinted();
        window.print();
    });
    window.addEventListener('beforeprint', fillPrinted);
    byId('route-previous').addEventListener('click', () => showPage(shown.page - 1));
    byId('route-next').addEventListener('click', () => showPage(shown.page + 1));
    const moduleText = document.getElementById('orvanto-module').textContent;
    const workerUrl = URL.createObjectURL(new Blob([moduleText, `\n(${routeWorkerMain})();`], { type: 'text/javascript' }));
    // The worker stays for the next large route once it has planned one: ending it takes the page
    // longer than it may stand still (its memory is let go). 取消 and a new run end a busy one.
    let worker = null;
    let busy = false;
    const stopWorker = () => {
        if (busy) {
            worker.terminate();
            worker = null;
        }
        busy = false;
        byId('route-run').hidden = true;
    };
    const box = byId('route-waypoints');
    const status = byId('route-status');
    // What this run could not do is said beside the box to fix, and nothing of an earlier run stays.
    const fail = (text, focus, line = null) => {
        stopWorker();
        clearRoute();
        status.textContent = text;
        markInvalid(focus, status);
        if (line !== null) {
            selectLine(focus, line);
        }
        focusBeside(focus, status);
    };
    // `origin` is what ran it: 计算航线, or the box Enter was pressed in.
    const plan = (origin) => {
        clearInvalid([box, ...OPTION_BOXES.map(byId)]);
        if (box.value.trim() === '') {
            return fail('请在“航点”中每行输入一个航点：名称,纬度,经度', box);
        }
        const wide = fullWidthLine(box.value);
        if (wide) {
            return fail(wide.error, box, wide.line);
        }
        const input = withHeader(box.value, columns);
        const seconds = document.querySelector('input[name="route-mode"][value="seconds"]').checked;
        const options = {
            seconds, textbook: byId('route-textbook').checked, showWork: byId('route-show-work').checked,
            headerLines: input.headerLines,
            etaZone: byId('route-eta-zone').value, boxes: boxTexts([...OPTION_BOXES, 'route-deviation-card']),
        };
        const finish = (route) => {
            stopWorker();
            if (route.error) {
                return fail(route.box === 'route-waypoints' ? `“航点”：${route.error}` : route.error, byId(route.box));
            }
            return showRoute(route, box, origin);
        };
        if (input.text.split('\n', LARGE + 2).length <= LARGE + 1) {
            return finish(module.planRoute(input.text, options));
        }
        // Planned off the main thread, told by a running progress bar, until done or 取消.
        stopWorker();
        clearRoute();
        worker ??= new Worker(workerUrl);
        busy = true;
        const parts = { rows: [], printed: '', points: [], kinds: [] };
        // Element by element: a part has more elements than a call takes arguments.
        const append = (list, more) => more.forEach((item) => list.push(item));
        worker.onmessage = ({ data }) => {
            const { part } = data;
            if (part) {
                append(parts.rows, part.rows?.split('\n') ?? []);
                parts.printed += part.printed ?? '';
                append(parts.points, part.points ?? []);
                append(parts.kinds, part.kinds ?? []);
            } else {
                busy = false;
                finish({ ...parts, ...data });
            }
        };
        worker.onerror = (event) => fail(`无法计算航线：${event.message}`, box);
        byId('route-progress').removeAttribute('value');
        byId('route-run').hidden = false;
        status.textContent = '正在计算航线…';
        worker.postMessage({ text: input.text, options, types: FILE_TYPES });
        return undefined;
    };
    byId('route-cancel').addEventListener('click', () => {
        const hadFocus = document.activeElement === byId('route-cancel');
        stopWorker();
        status.textContent = '已取消。';
        if (hadFocus) {
            byId('route-plan').focus();
        }
    });
    const button = byId('route-plan');
    button.addEventListener('click', () => plan(button));
    OPTION_BOXES.forEach((id) => runOnEnter(byId(id), () => plan(byId(id))));

    // 自差表…: a card read as a waypoint file is, kept as its text for every section to read; one
    // that does not read is said and not kept.
    const cards = byId('route-card-file');
    const cardText = byId('route-deviation-card');
    const cardOpen = byId('route-card-open');
    const cardClear = byId('route-card-clear');
    cardOpen.addEventListener('click', () => {
        cards.value = '';
        cards.click();
    });
    cards.addEventListener('change', async () => {
        const file = cards.files[0];
        if (!file) {
            return;
        }
        const read = decodedWaypointFile(module, new Uint8Array(await file.arrayBuffer()));
        const checked = read.error ? read : module.readCompass({ 'route-deviation-card': read.text });
        if (checked.error && checked.box === 'route-deviation') {
            status.textContent = `无法使用自差表“${file.name}”：${checked.error}`;
            cardOpen.focus();
            return;
        }
        cardText.value = read.text;
        cardOpen.textContent = `自差表：${file.name}`;
        cardClear.hidden = false;
        status.textContent = `已读入自差表“${file.name}”，各节的罗航向按它计算（须填写磁差，不填自差）。`;
    });
    cardClear.addEventListener('click', () => {
        cardText.value = '';
        cardOpen.textContent = '自差表…';
        cardClear.hidden = true;
        status.textContent = '不再用自差表。';
        cardOpen.focus();
    });

    const chooser = byId('route-file');
    byId('route-open').addEventListener('click', () => {
        chooser.value = '';
        chooser.click();
    });
    chooser.addEventListener('change', async () => {
        const file = chooser.files[0];
        if (!file) {
            return;
        }
        const bytes = new Uint8Array(await file.arrayBuffer());
        // Told apart as the command line tells them: GPX and RTZ by the name, NMEA by the text.
        const read = /\.gpx$/i.test(file.name) ? module.readGpx(bytes)
            : /\.rtz$/i.test(file.name) ? module.readRtz(bytes)
            : module.isNmeaFile(bytes) ? module.readNmea(bytes)
            : decodedWaypointFile(module, bytes);
        if (read.error) {
            // The box keeps its text, and the result on screen is still that text's.
            status.textContent = `无法打开“${file.name}”：${read.error}`;
            byId('route-open').focus();
            return;
        }
        box.value = read.text;
        plan(byId('route-open'));
        if (read.note) {
            status.textContent += `${read.note}。`;
        }
    });
}
