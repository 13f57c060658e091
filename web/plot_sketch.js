// The relative-motion sketch of the 雷达标绘 section, as the plotting sheet has it: own ship at the
// centre, north up, range rings every so many miles, the plots, the relative motion line from the
// first plot drawn on to CPA, and the circle of the DCPA limit dashed.
import { HEIGHT, WIDTH, element } from './sketch.js';

const PLOT_RING_STEPS = [0.5, 1, 2, 3, 5, 10, 20];
const PLOT_MARGIN = 14;
const PLOT_DOT = 3;

// `sketch` is the module's: plots, position, closest (nautical miles east and north of own ship)
// and limit.
export function drawPlotSketch(svg, sketch, label) {
    const { plots, position, closest, limit } = sketch;
    const points = [...plots, position, closest];
    const reach = points.reduce((most, p) => Math.max(most, Math.hypot(p.east, p.north)), Math.max(limit, 0.5));
    const scale = (Math.min(WIDTH, HEIGHT) / 2 - PLOT_MARGIN) / reach;
    const x = (p) => WIDTH / 2 + p.east * scale;
    const y = (p) => HEIGHT / 2 - p.north * scale;
    svg.replaceChildren();
    // Three to five rings, a round number of miles apart.
    const step = PLOT_RING_STEPS.find((s) => reach / s <= 5) ?? reach / 5;
    for (let r = step; r <= reach + 1e-9; r += step) {
        svg.append(element('circle', { class: 'ring', cx: WIDTH / 2, cy: HEIGHT / 2, r: r * scale }));
    }
    svg.append(element('circle', { class: 'limit', cx: WIDTH / 2, cy: HEIGHT / 2, r: limit * scale }));
    svg.append(element('line', { class: 'relative', x1: x(plots[0]), y1: y(plots[0]), x2: x(closest), y2: y(closest) }));
    for (const plot of plots) {
        svg.append(element('circle', { class: 'point', cx: x(plot), cy: y(plot), r: PLOT_DOT }));
    }
    svg.append(element('circle', { class: 'step', cx: x(closest), cy: y(closest), r: PLOT_DOT - 1 }));
    svg.append(element('circle', { class: 'own', cx: WIDTH / 2, cy: HEIGHT / 2, r: PLOT_DOT }));
    svg.setAttribute('aria-label', label);
}
