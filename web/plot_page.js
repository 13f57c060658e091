// The 雷达标绘 section: own ship's course and speed, up to three observations of a target (or one
// with its AIS course and speed), the DCPA limit and an action, worked by the module as
// `orvanto-cli cpa` works them: the text it prints, and the relative-motion sketch. A run that
// fails leaves neither text nor sketch of an earlier one.
// The module gives plotTarget(boxes) → { text, fields, sketch } or { error, box }.
import { boxTexts, byId, clearInvalid, runOnEnter, sayProblem } from './dom.js';
import { drawPlotSketch } from './plot_sketch.js';

const PLOT_ROWS = [1, 2, 3].flatMap((row) => ['bearing', 'range', 'time'].map((kind) => `plot-${kind}-${row}`));
const PLOT_BOXES = ['plot-own-course', 'plot-own-speed', ...PLOT_ROWS, 'plot-target-course', 'plot-target-speed',
    'plot-limit', 'plot-action', 'plot-pass', 'route-variation', 'route-deviation', 'route-deviation-card'];

export async function setUpPlotting(calculator) {
    const module = await calculator;
    const status = byId('plot-status');
    const result = byId('plot-result');
    const svg = byId('plot-sketch');
    const work = (origin) => {
        clearInvalid(PLOT_BOXES.map(byId));
        const plotted = module.plotTarget(boxTexts(PLOT_BOXES));
        if (plotted.error) {
            result.textContent = '';
            svg.replaceChildren();
            svg.setAttribute('aria-label', '相对运动示意图');
            sayProblem(plotted, status, origin, 'plot-');
            return;
        }
        result.textContent = plotted.text;
        const [dcpa, tcpa] = [plotted.fields[4], plotted.fields[5]];
        status.textContent = `DCPA ${dcpa} 海里，TCPA ${tcpa === '' ? '无' : `${tcpa} 分钟`}。`;
        drawPlotSketch(svg, plotted.sketch, `相对运动示意图：DCPA ${dcpa} 海里`);
    };
    const run = byId('plot-run');
    run.addEventListener('click', () => work(run));
    PLOT_BOXES.filter((id) => id.startsWith('plot-')).forEach((id) => runOnEnter(byId(id), () => work(byId(id))));
}
