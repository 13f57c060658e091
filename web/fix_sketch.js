// The sketch of the 定位 part, as the chart has it: Mercator, north up, the lines of position (a
// running fix's where they were moved to), the landmarks as small circles, the crossings as small
// rings and the fix as a larger one. The frame holds the lines and the crossings; a landmark far
// off the frame is left out of it, as a landmark off the chart's edge.
import { HEIGHT, WIDTH, element, extent, graticule, unwrap } from './sketch.js';

const FIX_MARGIN = 16;
const FIX_RADIANS = Math.PI / 180;
const mercator = (latitude) => Math.log(Math.tan(Math.PI / 4 + (Math.max(-85, Math.min(85, latitude)) * FIX_RADIANS) / 2)) / FIX_RADIANS;
const latitudeOf = (y) => (2 * Math.atan(Math.exp(y * FIX_RADIANS)) - Math.PI / 2) / FIX_RADIANS;

// `sketch` is the module's: landmarks, lines (each a path), crossings and fix, as [latitude,
// longitude] in degrees.
export function drawFixSketch(svg, sketch, label) {
    const { landmarks, lines, crossings, fix } = sketch;
    const centre = fix ?? crossings[0];
    const near = ([lat, lon]) => [lat, unwrap(lon, centre[1])];
    const framed = [centre, ...crossings, ...lines.flat()].map(near);
    const xs = extent(framed.map((p) => p[1]));
    const ys = extent(framed.map((p) => mercator(p[0])));
    // At least a minute of arc across, so that lines that cross at a point still get a frame.
    const span = ([least, greatest]) => Math.max(greatest - least, 1 / 60);
    const scale = Math.min((WIDTH - 2 * FIX_MARGIN) / span(xs), (HEIGHT - 2 * FIX_MARGIN) / span(ys));
    const middle = [(ys[0] + ys[1]) / 2, (xs[0] + xs[1]) / 2];
    const project = ([lat, lon]) => [
        WIDTH / 2 + (unwrap(lon, centre[1]) - middle[1]) * scale,
        HEIGHT / 2 - (mercator(lat) - middle[0]) * scale,
    ];
    const bounds = {
        south: latitudeOf(middle[0] - HEIGHT / 2 / scale),
        north: latitudeOf(middle[0] + HEIGHT / 2 / scale),
        west: middle[1] - WIDTH / 2 / scale,
        east: middle[1] + WIDTH / 2 / scale,
    };
    svg.replaceChildren();
    graticule(svg, { project, bounds });
    for (const path of lines) {
        const points = path.map(project).map(([x, y]) => `${x.toFixed(1)},${y.toFixed(1)}`);
        svg.append(element('polyline', { class: 'lop', points: points.join(' ') }));
    }
    for (const landmark of landmarks) {
        const [x, y] = project(landmark);
        if (x > -WIDTH && x < 2 * WIDTH && y > -HEIGHT && y < 2 * HEIGHT) {
            svg.append(element('circle', { class: 'landmark', cx: x, cy: y, r: 3.5 }));
        }
    }
    for (const crossing of crossings) {
        const [x, y] = project(crossing);
        svg.append(element('circle', { class: 'crossing', cx: x, cy: y, r: 3 }));
    }
    if (fix) {
        const [x, y] = project(fix);
        svg.append(element('circle', { class: 'fix-mark', cx: x, cy: y, r: 6 }));
    }
    svg.setAttribute('aria-label', label);
}
