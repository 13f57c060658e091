// The 定位 part of the 定位 section: rows of observations (a bearing, a range or a horizontal angle
// of landmarks, each with its time for a running fix), own ship's course and speed and the current
// for the transfer, and the dead reckoning, worked by the module as `orvanto-cli fix` works them:
// the text it prints, the fix in the status line and the lines drawn on the sketch. A run that
// fails leaves neither text nor sketch of an earlier one.
// The module gives fixFromLandmarks(boxes, seconds) → { text, fields, sketch } or { error, box }.
import { boxTexts, byId, clearInvalid, runOnEnter, sayProblem } from './dom.js';
import { drawFixSketch } from './fix_sketch.js';

const KINDS = [['bearing', '方位', '如 045、040M'], ['range', '距离', '海里，如 5'], ['angle', '水平夹角', '度，如 65.5']];
const ROW_FIELDS = ['lat1', 'lon1', 'lat2', 'lon2', 'value', 'time'];
const OTHER_BOXES = ['fix-run-course', 'fix-run-speed', 'fix-current-set', 'fix-current-drift', 'fix-dr-lat', 'fix-dr-lon',
    'route-variation', 'route-deviation'];
const ROW_LABELS = { lat1: '物标纬度', lon1: '物标经度', lat2: '物标2纬度', lon2: '物标2经度', time: '时间' };

function labelled(text, control) {
    const label = document.createElement('label');
    label.append(text, control);
    return label;
}

// One row's markup: its ids are given by number().
function observationRow(work) {
    const row = document.createElement('fieldset');
    const legend = document.createElement('legend');
    const kind = document.createElement('select');
    kind.dataset.field = 'kind';
    for (const [value, name] of KINDS) {
        kind.append(new Option(name, value));
    }
    const grid = document.createElement('div');
    grid.className = 'route-options';
    grid.append(labelled('种类', kind));
    for (const field of ROW_FIELDS) {
        const box = document.createElement('input');
        box.dataset.field = field;
        box.autocomplete = 'off';
        box.spellcheck = false;
        box.setAttribute('autocapitalize', 'off');
        runOnEnter(box, () => work(box));
        const label = labelled(field === 'value' ? '方位' : ROW_LABELS[field], box);
        label.dataset.part = field;
        grid.append(label);
    }
    const remove = document.createElement('button');
    remove.type = 'button';
    remove.dataset.field = 'remove';
    row.append(legend, grid, remove);
    const showKind = () => {
        const [, name, hint] = KINDS.find(([value]) => value === kind.value);
        const angle = kind.value === 'angle';
        grid.querySelector('[data-part="value"]').firstChild.textContent = name;
        row.querySelector('[data-field="value"]').placeholder = hint;
        row.querySelector('[data-field="lat1"]').previousSibling.textContent = angle ? '物标1纬度' : '物标纬度';
        row.querySelector('[data-field="lon1"]').previousSibling.textContent = angle ? '物标1经度' : '物标经度';
        for (const part of ['lat2', 'lon2']) {
            grid.querySelector(`[data-part="${part}"]`).hidden = !angle;
        }
    };
    kind.addEventListener('change', showKind);
    showKind();
    return row;
}

// The rows numbered from 1 in their order: the ids the module reads, the legend and the names.
function number(rows) {
    [...rows.children].forEach((row, index) => {
        const n = index + 1;
        row.querySelector('legend').textContent = `观测 ${n}`;
        for (const control of row.querySelectorAll('[data-field]')) {
            control.id = `fix-${control.dataset.field}-${n}`;
        }
        row.querySelector('[data-field="remove"]').textContent = `删除观测 ${n}`;
    });
}

export async function setUpFix(calculator) {
    const rows = byId('fix-rows');
    const status = byId('fix-status');
    const result = byId('fix-result');
    const svg = byId('fix-sketch');
    let module = null;
    const rowIds = () => [...rows.querySelectorAll('[data-field]:not([data-field="remove"])')].map((control) => control.id);
    const work = (origin) => {
        if (!module) {
            return;
        }
        const boxes = [...rowIds(), ...OTHER_BOXES].map(byId);
        clearInvalid(boxes);
        const seconds = document.querySelector('input[name="fix-mode"][value="seconds"]').checked;
        const found = module.fixFromLandmarks(boxTexts([...rowIds(), ...OTHER_BOXES]), seconds);
        if (found.error) {
            result.textContent = '';
            svg.replaceChildren();
            svg.setAttribute('aria-label', '定位示意图');
            sayProblem(found, status, origin, 'fix-');
            return;
        }
        result.textContent = found.text;
        const [latitude, longitude, , , cut, hat] = found.fields;
        status.textContent = latitude === ''
            ? `两条位置线相交于两点，交角 ${cut}°：填写推算船位可选出较近的一点。`
            : `船位 ${latitude} ${longitude}，交角 ${cut}°${hat === '' ? '' : `，误差三角形 ${hat} 海里`}。`;
        drawFixSketch(svg, found.sketch, `定位示意图：${status.textContent}`);
    };
    const add = () => {
        const row = observationRow(work);
        row.querySelector('[data-field="remove"]').addEventListener('click', () => {
            row.remove();
            number(rows);
            byId('fix-add').focus();
        });
        rows.append(row);
        number(rows);
        return row;
    };
    add();
    add();
    byId('fix-add').addEventListener('click', () => add().querySelector('select').focus());
    const run = byId('fix-run');
    run.addEventListener('click', () => work(run));
    OTHER_BOXES.filter((id) => id.startsWith('fix-')).forEach((id) => runOnEnter(byId(id), () => work(byId(id))));
    module = await calculator;
}
