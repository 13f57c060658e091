// The 推算船位 section: the start, the course (T, M or C: M and C with the 航线 section's 磁差 and
// 自差), the distance or the speed and the time, and a current, reckoned by the module as
// `orvanto-cli reckon --format=tsv` reckons them, into the read-only result boxes. 设为点一 puts
// the rhumb-line position into point 1's boxes in 分, where the calculator reads it back.
// The module gives reckonPosition(boxes, { seconds, textbook }) → { fields } or { error, box }.
import { boxTexts, byId, runOnEnter } from './dom.js';

const BOXES = ['reckon-latitude', 'reckon-longitude', 'reckon-course', 'reckon-distance', 'reckon-speed',
    'reckon-hours', 'reckon-set', 'reckon-drift', 'route-variation', 'route-deviation'];
// The result boxes, in the order of the first five fields.
const RESULTS = ['reckon-rhumb-latitude', 'reckon-rhumb-longitude', 'reckon-gc-latitude', 'reckon-gc-longitude', 'reckon-gc-course'];

export async function setUpReckoning(calculator) {
    const module = await calculator;
    const status = byId('reckon-status');
    const toPoint1 = byId('reckon-to-point1');
    const reckon = () => {
        const seconds = document.querySelector('input[name="reckon-mode"][value="seconds"]').checked;
        const result = module.reckonPosition(boxTexts(BOXES), { seconds, textbook: byId('reckon-textbook').checked });
        if (result.error) {
            // The results stay those of the last reckoning; what is said names the box to fix.
            status.textContent = result.error;
            byId(result.box).focus();
            return;
        }
        RESULTS.forEach((id, i) => { byId(id).value = result.fields[i]; });
        status.textContent = `恒向线到达 ${result.fields[0]} ${result.fields[1]}；大圆航线到达 ${result.fields[2]} ${result.fields[3]}，航向 ${result.fields[4]}。`;
        toPoint1.disabled = false;
    };
    byId('reckon-run').addEventListener('click', reckon);
    BOXES.filter((box) => box.startsWith('reckon-')).forEach((id) => runOnEnter(byId(id), reckon));
    toPoint1.addEventListener('click', () => {
        byId('latitude1').value = byId('reckon-rhumb-latitude').value;
        byId('longitude1').value = byId('reckon-rhumb-longitude').value;
        document.querySelector('input[name="mode1"][value="minutes"]').checked = true;
        status.textContent = '恒向线到达位置已填入点一（分格式）。';
    });
}
