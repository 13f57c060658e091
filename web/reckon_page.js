// The 推算船位 section: the start, the course (T, M or C: M and C with the 航线 section's 磁差 and
// 自差), the distance or the speed and the time, and a current, reckoned by the module as
// `orvanto-cli reckon --format=tsv` reckons them, into the read-only result boxes. 设为点一 puts
// the rhumb-line position into point 1's boxes in 分, where the calculator reads it back. A failed
// reckoning empties the results: none outlives the run that replaced it.
// The module gives reckonPosition(boxes, { seconds, textbook, showWork }) → { fields, course, work }
// or { error, box }; work is the worked solution (列出计算过程 with 教科书算法), else ''.
import { boxTexts, byId, clearInvalid, runOnEnter, sayProblem } from './dom.js';

const BOXES = ['reckon-latitude', 'reckon-longitude', 'reckon-course', 'reckon-distance', 'reckon-speed',
    'reckon-hours', 'reckon-set', 'reckon-drift', 'route-variation', 'route-deviation', 'route-deviation-card'];
// The result boxes: the first four fields, then the course.
const RESULTS = ['reckon-rhumb-latitude', 'reckon-rhumb-longitude', 'reckon-gc-latitude', 'reckon-gc-longitude', 'reckon-gc-course'];

export async function setUpReckoning(calculator) {
    const module = await calculator;
    const status = byId('reckon-status');
    const toPoint1 = byId('reckon-to-point1');
    // `origin` is what ran it: the button, or the box Enter was pressed in.
    const reckon = (origin) => {
        clearInvalid(BOXES.map(byId));
        const seconds = document.querySelector('input[name="reckon-mode"][value="seconds"]').checked;
        const result = module.reckonPosition(boxTexts(BOXES), {
            seconds, textbook: byId('reckon-textbook').checked, showWork: byId('reckon-show-work').checked,
        });
        const work = byId('reckon-work');
        work.textContent = result.work ?? '';
        work.hidden = !result.work;
        if (result.error) {
            RESULTS.forEach((id) => { byId(id).value = ''; });
            toPoint1.disabled = true;
            sayProblem(result, status, origin, 'reckon-');
            return;
        }
        // The positions as --format=tsv writes them, the course with its reference as the text form does.
        const shown = [...result.fields.slice(0, 4), result.course];
        RESULTS.forEach((id, i) => { byId(id).value = shown[i]; });
        status.textContent = `恒向线到达 ${shown[0]} ${shown[1]}；大圆航线到达 ${shown[2]} ${shown[3]}，航向 ${shown[4]}。`;
        toPoint1.disabled = false;
    };
    const run = byId('reckon-run');
    run.addEventListener('click', () => reckon(run));
    BOXES.filter((box) => box.startsWith('reckon-')).forEach((id) => runOnEnter(byId(id), () => reckon(byId(id))));
    toPoint1.addEventListener('click', () => {
        byId('latitude1').value = byId('reckon-rhumb-latitude').value;
        byId('longitude1').value = byId('reckon-rhumb-longitude').value;
        document.querySelector('input[name="mode1"][value="minutes"]').checked = true;
        status.textContent = '恒向线到达位置已填入点一（分格式）。';
    });
}
