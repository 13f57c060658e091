// The 航线 section: the 航点 box planned leg by leg by the module, as `orvanto-cli route` plans the
// same text read from standard input (the header put in front when the box has none), shown as a
// table with the command line's text-form columns and a sketch, and offered as the three files the
// command line writes. The module gives
//   planRoute(text, { seconds, variation, headerLines }) → { cells, csv, gpx, geojson, points } or { error }
//   readGpx(bytes) → { text, note } or { error }
//   readVariation(text) → degrees east or null
import { byId } from './dom.js';
import { drawRouteSketch } from './route_sketch.js';

const COLUMN_NAMES = new Set(['name', 'lat', 'lon', 'mode', '名称', '纬度', '经度', '格式']);
const FILE_TYPES = { csv: 'text/csv', gpx: 'application/gpx+xml', geojson: 'application/geo+json' };

// The 磁差 box as --variation reads it: { degrees } (null when blank) or { error }.
export function typedVariation(module) {
    const typed = byId('route-variation').value;
    if (typed.trim() === '') {
        return { degrees: null };
    }
    const degrees = module.readVariation(typed);
    return degrees === null
        ? { error: `磁差须是度数，西为负、东为正，如 3.5W、W3.5、西3.5、-3.5、2E、2 或 5°30′W，不认识“${typed}”` }
        : { degrees };
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

function showRoute(route) {
    fillTable(route.cells);
    for (const [kind, type] of Object.entries(FILE_TYPES)) {
        offer(byId(`route-${kind}`), route[kind], type);
    }
    const [heading, ...rows] = route.cells;
    const legs = rows.length - 1;
    const total = rows[legs][heading.indexOf('累计海里')];
    const failed = rows.slice(0, legs).filter((row) => row[row.length - 1] !== '').length;
    const said = [`共 ${legs} 段航线${total ? `，合计 ${total} 海里（恒向线）` : ''}`];
    if (failed > 0) {
        said.push(`其中 ${failed} 段未能全部算出，原因见“说明”列`);
    }
    if (route.gpx === null) {
        said.push('有航点无法读取，没有生成 GPX 和 GeoJSON 文件');
    }
    byId('route-status').textContent = `${said.join('；')}。`;
    byId('route-result').hidden = false;
    const sketch = byId('route-sketch');
    sketch.closest('figure').hidden = route.points.length === 0;
    if (route.points.length > 0) {
        const names = route.points.map(([, , name]) => name || '（无名）').join(' → ');
        drawRouteSketch(sketch, route.points, `航线示意图：${names}${total ? `，共 ${total} 海里` : ''}`);
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
        const variation = typedVariation(module);
        if (variation.error) {
            return fail(variation.error, byId('route-variation'));
        }
        if (box.value.trim() === '') {
            return fail('请在“航点”中每行输入一个航点：名称,纬度,经度', box);
        }
        const wide = fullWidthLine(box.value);
        if (wide) {
            return fail(wide, box);
        }
        const input = withHeader(box.value);
        const seconds = document.querySelector('input[name="route-mode"][value="seconds"]').checked;
        const route = module.planRoute(input.text, { seconds, variation: variation.degrees, headerLines: input.headerLines });
        return route.error ? fail(`“航点”：${route.error}`, box) : showRoute(route);
    };
    byId('route-plan').addEventListener('click', plan);
    // Enter in 磁差 plans, as Enter in a point's box computes; an input method's Enter does not.
    byId('route-variation').addEventListener('keydown', (event) => {
        if (event.key === 'Enter' && !event.isComposing) {
            event.preventDefault();
            plan();
        }
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
