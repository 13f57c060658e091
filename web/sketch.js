// The sketch under the results: the points in a local frame around them, with the great-circle
// leg and, after the distance, its vertex when it lies on the leg; after the angle command the
// lines to the reference point and the angle's arc. The
// longitudes are scaled by the cosine of the middle latitude so that the drawn angle looks like
// the computed one, and unwrapped across the antimeridian so that a leg over it stays short.

const SVG = 'http://www.w3.org/2000/svg';
export const WIDTH = 360;
export const HEIGHT = 240;
const MARGIN = 28;
// Graticule steps in minutes of arc, from one minute to sixty degrees.
const STEPS = [1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600];
const RADIANS = Math.PI / 180;

// "42°05′": whole degrees and minutes of a graticule line, without the sign.
export function degreesMinutes(degrees) {
    const minutes = Math.round(Math.abs(degrees) * 60);
    const whole = Math.floor(minutes / 60);
    return `${whole}°${String(minutes % 60).padStart(2, '0')}′`;
}

// 北纬 42°50′ / 西经 12°30′, for the sketch's accessible name.
function spoken([latitude, longitude]) {
    const lat = `${latitude < 0 ? '南纬' : '北纬'}${degreesMinutes(latitude)}`;
    const lon = `${longitude < 0 ? '西经' : '东经'}${degreesMinutes(wrap(longitude))}`;
    return `${lat}，${lon}`;
}

// [least, greatest] of the values, by a loop: spread into Math.min's arguments, the values of a
// long route would overflow the stack.
export function extent(values) {
    let [least, greatest] = [Infinity, -Infinity];
    for (const value of values) {
        least = Math.min(least, value);
        greatest = Math.max(greatest, value);
    }
    return [least, greatest];
}

export function wrap(longitude) {
    return ((((longitude + 180) % 360) + 360) % 360) - 180;
}

// The longitude moved by whole turns to lie within half a turn of `near`.
export function unwrap(longitude, near) {
    return near + wrap(longitude - near);
}

// Points along the great circle from a to b ([latitude, longitude] in degrees), by spherical
// interpolation of the unit vectors.
export function greatCircle(a, b, count = 48) {
    const vector = ([lat, lon]) => [
        Math.cos(lat * RADIANS) * Math.cos(lon * RADIANS),
        Math.cos(lat * RADIANS) * Math.sin(lon * RADIANS),
        Math.sin(lat * RADIANS),
    ];
    const u = vector(a);
    const v = vector(b);
    const omega = Math.acos(Math.min(1, Math.max(-1, u[0] * v[0] + u[1] * v[1] + u[2] * v[2])));
    const path = [];
    let previous = a[1];
    for (let i = 0; i <= count; ++i) {
        const t = i / count;
        const [p, q] =
            omega < 1e-12 ? [1 - t, t] : [Math.sin((1 - t) * omega), Math.sin(t * omega)].map((s) => s / Math.sin(omega));
        const [x, y, z] = [0, 1, 2].map((k) => p * u[k] + q * v[k]);
        const latitude = Math.atan2(z, Math.hypot(x, y)) / RADIANS;
        previous = unwrap(Math.atan2(y, x) / RADIANS, previous);
        path.push([latitude, previous]);
    }
    return path;
}

// The frame: the points' longitudes unwrapped around point 1, the scale, and the projection of a
// [latitude, longitude] onto the drawing (north up, y growing downwards).
export function localFrame(points) {
    const reference = points[0][1];
    const unwrapped = points.map(([lat, lon]) => [lat, unwrap(lon, reference)]);
    const legs = greatCircle(unwrapped[0], unwrapped[1]);
    const all = [...unwrapped, ...legs];
    const lats = extent(all.map((p) => p[0]));
    const lons = extent(all.map((p) => p[1]));
    const middle = (lats[0] + lats[1]) / 2;
    const cosine = Math.max(Math.cos(middle * RADIANS), 0.05);
    // At least two minutes of arc across, so that coinciding points still get a frame.
    const span = ([least, greatest], scale) => Math.max((greatest - least) * scale, 2 / 60);
    const scale = Math.min((WIDTH - 2 * MARGIN) / span(lons, cosine), (HEIGHT - 2 * MARGIN) / span(lats, 1));
    const centre = [middle, (lons[0] + lons[1]) / 2];
    const project = ([lat, lon]) => [
        WIDTH / 2 + (unwrap(lon, centre[1]) - centre[1]) * cosine * scale,
        HEIGHT / 2 - (lat - centre[0]) * scale,
    ];
    const bounds = {
        south: centre[0] - (HEIGHT / 2) / scale,
        north: centre[0] + (HEIGHT / 2) / scale,
        west: centre[1] - (WIDTH / 2) / (cosine * scale),
        east: centre[1] + (WIDTH / 2) / (cosine * scale),
    };
    return { project, bounds, legs, points: unwrapped };
}

export function element(name, attributes, text) {
    const node = document.createElementNS(SVG, name);
    for (const [key, value] of Object.entries(attributes)) {
        node.setAttribute(key, typeof value === 'number' ? value.toFixed(1) : value);
    }
    if (text !== undefined) {
        node.textContent = text;
    }
    return node;
}

// The step, in degrees, that leaves at most `lines` lines over `span` degrees.
function stepFor(span, lines) {
    return (STEPS.find((minutes) => (span * 60) / minutes <= lines) ?? STEPS[STEPS.length - 1]) / 60;
}

// Lines of latitude labelled at the left, of longitude at the bottom; a label that would run
// into the other axis's labels is left out.
export function graticule(svg, { project, bounds }) {
    const latitudeStep = stepFor(bounds.north - bounds.south, 5);
    for (let lat = Math.ceil(bounds.south / latitudeStep) * latitudeStep; lat <= bounds.north; lat += latitudeStep) {
        if (Math.abs(lat) > 90) continue;
        const [, y] = project([lat, bounds.west]);
        svg.append(element('line', { class: 'graticule', x1: 0, y1: y, x2: WIDTH, y2: y }));
        if (y > 14 && y < HEIGHT - 16) {
            svg.append(element('text', { class: 'graticule-label', x: 2, y: y - 2 }, `${degreesMinutes(lat)}${lat < 0 ? 'S' : 'N'}`));
        }
    }
    const longitudeStep = stepFor(bounds.east - bounds.west, 4);
    for (let lon = Math.ceil(bounds.west / longitudeStep) * longitudeStep; lon <= bounds.east; lon += longitudeStep) {
        const [x] = project([bounds.south, lon]);
        svg.append(element('line', { class: 'graticule', x1: x, y1: 0, x2: x, y2: HEIGHT }));
        const shown = wrap(lon);
        if (x > 40 && x < WIDTH - 50) {
            svg.append(element('text', { class: 'graticule-label', x: x + 2, y: HEIGHT - 3 },
                `${degreesMinutes(shown)}${shown < 0 ? 'W' : 'E'}`));
        }
    }
}

// The arc of the angle at the reference point, between the lines to point 1 and point 2.
function angleArc(svg, [p1, p2, reference]) {
    const toward = (p) => Math.atan2(p[1] - reference[1], p[0] - reference[0]);
    const [near] = extent([p1, p2].map((p) => Math.hypot(p[0] - reference[0], p[1] - reference[1]) / 3));
    const radius = Math.max(8, Math.min(28, near));
    const [a, b] = [toward(p1), toward(p2)];
    const start = [reference[0] + radius * Math.cos(a), reference[1] + radius * Math.sin(a)];
    const end = [reference[0] + radius * Math.cos(b), reference[1] + radius * Math.sin(b)];
    // The sweep that goes the short way round (the angle is at most 180°).
    const sweep = Math.sin(b - a) >= 0 ? 1 : 0;
    svg.append(element('path', {
        class: 'arc',
        d: `M${start[0].toFixed(1)},${start[1].toFixed(1)} A${radius.toFixed(1)},${radius.toFixed(1)} 0 0 ${sweep} ${end[0].toFixed(1)},${end[1].toFixed(1)}`,
    }));
}

const NAMES = ['1', '2', '参考点'];
const SPOKEN_NAMES = ['点一', '点二', '参考点'];

// Draws the points of the last command: two for the distance, three for the angle; `vertex`
// ([latitude, longitude] or null) is the great circle's vertex when it lies on the leg.
export function drawSketch(svg, points, vertex = null) {
    const frame = localFrame(points);
    svg.replaceChildren();
    graticule(svg, frame);
    const drawn = frame.points.map(frame.project);
    const leg = frame.legs.map(frame.project).map(([x, y]) => `${x.toFixed(1)},${y.toFixed(1)}`);
    svg.append(element('polyline', { class: 'leg', points: leg.join(' ') }));
    if (drawn.length === 3) {
        for (const end of drawn.slice(0, 2)) {
            svg.append(element('line', { class: 'ray', x1: drawn[2][0], y1: drawn[2][1], x2: end[0], y2: end[1] }));
        }
        angleArc(svg, drawn);
    }
    drawn.forEach(([x, y], i) => {
        svg.append(element('circle', { class: 'point', cx: x, cy: y, r: 3.5 }));
        svg.append(element('text', { class: 'point-label', x: x + 6, y: y - 6 }, NAMES[i]));
    });
    const places = points.map((p, i) => `${SPOKEN_NAMES[i]}（${spoken(p)}）`);
    if (vertex) {
        const [x, y] = frame.project([vertex[0], unwrap(vertex[1], frame.points[0][1])]);
        svg.append(element('circle', { class: 'vertex', cx: x, cy: y, r: 3 }));
        svg.append(element('text', { class: 'point-label', x: x + 5, y: y + 14 }, '顶点'));
    }
    svg.setAttribute('aria-label', drawn.length === 3
        ? `点位示意图：${places.join('、')}，两点间的大圆航线、两点与参考点的连线及其夹角`
        : `点位示意图：${places.join('、')}及两点间的大圆航线${vertex ? `，大圆顶点（${spoken(vertex)}）在航线上` : ''}`);
}
