// The 航线 section: the 航点 box planned leg by leg by the module, as `orvanto-cli route` plans the
// same text read from standard input (the header put in front when the box has none), shown as a
// table with the command line's text-form columns and a sketch, and offered as the three files the
// command line writes. The passage options are the section's boxes, read by the module as the
// command line reads its options; a box that does not read is named, and the focus goes to it.
// The module gives
//   planRoute(text, { seconds, textbook, headerLines, boxes }) → { cells, notes, csv, gpx, geojson,
//     points, kinds, limit } or { error, box }
//   readGpx(bytes) → { text, note } or { error }
//   readCompass(boxes) → { variation, deviation } or { error, box }
import { boxTexts, byId, runOnEnter } from './dom.js';
import { drawRouteSketch } from './route_sketch.js';

const COLUMN_NAMES = new Set(['name', 'lat', 'lon', 'mode', '名称', '纬度', '经度', '格式']);
const FILE_TYPES = { csv: 'text/csv', gpx: 'application/gpx+xml', geojson: 'application/geo+json' };

const OPTION_BOXES = ['route-speed', 'route-departure', 'route-variation', 'route-deviation', 'route-set',
    'route-drift', 'route-limit', 'route-step'];

// The 磁差 and 自差 boxes as --variation and --deviation read them: { variation, deviation }
// (null when blank) or { error, box }.
export function typedCompass(module) {
    return module.readCompass(boxTexts(['route-variation', 'route-deviation']));
}

// The box's text as the command line gets it: a first line that names no column is a waypoint,
// and the header goes in front, joined by that line's delimiter (a tab for a spreadsheet's cells).
export function withHeader(text) {
    const first = text.split('\n', 1)[0];
    const delimiter = (text.split('\n').find((line) => line.trim() !== '') ?? '').includes('\t') ? '\t' : ',';
    const names = first.split(/[\t,]/).map((field) => field.trim().replace(/^"(.*)"$/, '$1').toLowerCase());
    return names.some((name) => COLUMN_NAMES.has(name))
        ? { text, headerLines: 0 }
        : { text: `${['名称', '纬度', '经度'].join(delimiter)}\n${text}`, headerLines: 1 };
}

// An input method's full-width comma is no delimiter: the line it separates is said, not guessed.
function fullWidthLine(text) {
    const index = text.split('\n').findIndex((line) => line.includes('，') && !/[,\t]/.test(line));
    return index < 0 ? null : `“航点”第 ${index + 1} 行用全角逗号“，”分隔：请改用半角逗号“,”或制表符`;
}

// A spreadsheet's file in its own encoding as text: UTF-16 by its byte-order mark, else the
// command line's `auto` rule between UTF-8 and GB18030.
function decodedWaypointFile(module, bytes) {
    const encoding = bytes[0] === 0xff && bytes[1] === 0xfe ? 'utf-16le' : bytes[0] === 0xfe && bytes[1] === 0xff ? 'utf-16be' : null;
    let found = { encoding };
    if (!encoding) {
        let at = 0;
        found = module.detectBatchEncoding((count) => bytes.subarray(at, (at += count)));
    }
    if (found.line !== undefined) {
        return { error: `无法确定文件的编码：第 ${found.line} 行既不是有效的 UTF-8 文本，也不是有效的 GB18030 文本` };
    }
    try {
        return { text: new TextDecoder(found.encoding, { fatal: true }).decode(bytes).replaceAll('\r\n', '\n') };
    } catch {
        return { error: `文件中有不能按 ${found.encoding.toUpperCase()} 读取的字节` };
    }
}

function fillTable(cells) {
    const table = byId('route-table');
    const row = (texts, cell) => {
        const tr = document.createElement('tr');
        tr.append(...texts.map((text) => Object.assign(document.createElement(cell), { textContent: text })));
        return tr;
    };
    const head = row(cells[0], 'th');
    head.querySelectorAll('th').forEach((th) => th.setAttribute('scope', 'col'));
    table.tHead.replaceChildren(head);
    table.tBodies[0].replaceChildren(...cells.slice(1).map((texts) => row(texts, 'td')));
    table.tBodies[0].lastElementChild.className = 'total';
}

function offer(link, bytes, type) {
    URL.revokeObjectURL(link.href);
    link.hidden = bytes === null;
    if (bytes !== null) {
        link.href = URL.createObjectURL(new Blob([bytes], { type }));
    }
}

// The sketch's name: the waypoints (not the points computed between them), the total distance
// and, with a speed, the total time.
function sketchName(route, heading, totals) {
    const names = route.points.filter(([, , , waypoint]) => waypoint).map(([, , name]) => name || '（无名）');
    const total = totals[heading.indexOf('累计海里')];
    const hours = totals[heading.indexOf('累计航时')];
    return `航线示意图：${names.join(' → ')}${total ? `，共 ${total} 海里` : ''}${hours ? `，航时 ${hours}` : ''}`;
}

function showRoute(route) {
    fillTable(route.cells);
    for (const [kind, type] of Object.entries(FILE_TYPES)) {
        offer(byId(`route-${kind}`), route[kind], type);
    }
    const notes = byId('route-notes');
    notes.textContent = route.notes.trimEnd();
    notes.hidden = route.notes === '';
    const [heading, ...rows] = route.cells;
    const totals = rows[rows.length - 1];
    const total = totals[heading.indexOf('累计海里')];
    const said = [`共 ${route.legs} 段航线${total ? `，合计 ${total} 海里` : ''}`];
    if (route.failedLegs > 0) {
        said.push(`其中 ${route.failedLegs} 段未能全部算出，原因见“说明”列`);
    }
    if (route.gpx === null) {
        said.push('有航点无法读取或有航段无法航行，没有生成 GPX 和 GeoJSON 文件');
    }
    byId('route-status').textContent = `${said.join('；')}。`;
    byId('route-result').hidden = false;
    const sketch = byId('route-sketch');
    sketch.closest('figure').hidden = route.points.length === 0;
    if (route.points.length > 0) {
        drawRouteSketch(sketch, route, sketchName(route, heading, totals));
    }
}

export async function setUpRoute(calculator) {
    const module = await calculator;
    const box = byId('route-waypoints');
    const status = byId('route-status');
    const fail = (text, focus) => {
        status.textContent = text;
        focus.focus();
    };
    const plan = () => {
        if (box.value.trim() === '') {
            return fail('请在“航点”中每行输入一个航点：名称,纬度,经度', box);
        }
        const wide = fullWidthLine(box.value);
        if (wide) {
            return fail(wide, box);
        }
        const input = withHeader(box.value);
        const seconds = document.querySelector('input[name="route-mode"][value="seconds"]').checked;
        const route = module.planRoute(input.text, {
            seconds, textbook: byId('route-textbook').checked, headerLines: input.headerLines, boxes: boxTexts(OPTION_BOXES),
        });
        if (route.error) {
            return fail(route.box === 'route-waypoints' ? `“航点”：${route.error}` : route.error, byId(route.box));
        }
        return showRoute(route);
    };
    byId('route-plan').addEventListener('click', plan);
    OPTION_BOXES.forEach((id) => runOnEnter(byId(id), plan));

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
        const read = /\.gpx$/i.test(file.name) ? module.readGpx(bytes) : decodedWaypointFile(module, bytes);
        if (read.error) {
            fail(`无法打开“${file.name}”：${read.error}`, byId('route-open'));
            return;
        }
        box.value = read.text;
        plan();
        if (read.note) {
            status.textContent += `${read.note}。`;
        }
    });
}
