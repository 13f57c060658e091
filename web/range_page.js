// The 视距 part of the 定位 section: the eye's height, and an object's height or a light's charted
// range with its luminous range, worked by the module as `orvanto-cli range` works them. A run that
// fails leaves no text of an earlier one.
// The module gives lightRange(boxes) → { text, fields } or { error, box }.
import { boxTexts, byId, clearInvalid, focusBeside, markInvalid, runOnEnter } from './dom.js';

const RANGE_BOXES = ['range-eye', 'range-object', 'range-charted', 'range-luminous'];

export async function setUpLightRange(calculator) {
    const module = await calculator;
    const status = byId('range-status');
    const result = byId('range-result');
    const work = () => {
        clearInvalid(RANGE_BOXES.map(byId));
        const found = module.lightRange(boxTexts(RANGE_BOXES));
        if (found.error) {
            result.textContent = '';
            status.textContent = found.error;
            const box = byId(found.box);
            markInvalid(box, status);
            focusBeside(box, status);
            return;
        }
        result.textContent = found.text;
        const [horizon, range] = [found.fields[0], found.fields[1]];
        status.textContent = `视距 ${horizon} 海里${range === '' ? '' : `，能见距离 ${range} 海里`}。`;
    };
    byId('range-run').addEventListener('click', work);
    RANGE_BOXES.forEach((id) => runOnEnter(byId(id), work));
}
