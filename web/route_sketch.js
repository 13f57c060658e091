// The sketch of a route on a Mercator projection, as on a chart: a rhumb line is straight there and
// a great circle bows towards the pole, and a limiting latitude is a dashed parallel. Each leg is
// drawn as the table sails it: along its rhumb line unless the row is a great circle's (composite
// sailing), so that the line drawn is the one whose distance total_nmi adds. Each waypoint
// is a dot with its name beside it, each point computed between them (分点, 限制纬度起/止) a
// smaller ring, named where there is room once the waypoints have theirs; a name goes where it
// collides with no other name and no dot, and one that finds no such place is left out (the
// sketch's accessible name lists the waypoints).
import { element, extent, graticule, greatCircle, unwrap, HEIGHT, WIDTH } from './sketch.js';

const ROUTE_MARGIN = 24;
// The projection runs to infinity at the poles: latitudes beyond are drawn at the limit.
const MERCATOR_LIMIT = 85;
const DEGREES = 180 / Math.PI;
const LABEL_FONT = 12;
const LABEL_GAP = 5;
const DOT = 3.5;

// Mercator's northing of a latitude, in degrees of longitude, and back.
function northing(latitude) {
    const limited = Math.max(-MERCATOR_LIMIT, Math.min(MERCATOR_LIMIT, latitude));
    return Math.log(Math.tan(Math.PI / 4 + limited / DEGREES / 2)) * DEGREES;
}
function latitudeAt(y) {
    return (2 * Math.atan(Math.exp(y / DEGREES)) - Math.PI / 2) * DEGREES;
}

// The rows as lines of [latitude, longitude] with continuous longitudes: a great-circle row (kind
// 'gc') sampled along its way, a whole leg or a rhumb row (kind 'leg' or 'rhumb') by its two ends.
export function routeLines(points, kinds = []) {
    const ends = [points[0]];
    return points.slice(1).map(([latitude, longitude], i) => {
        ends.push([latitude, unwrap(longitude, ends[i][1])]);
        const curve = kinds[i] === 'gc' ? greatCircle(ends[i], ends[i + 1]) : [];
        // Antipodal ends have no one great circle: the leg is drawn straight.
        return curve.length && curve.flat().every(Number.isFinite) ? curve : [ends[i], ends[i + 1]];
    });
}

// The frame that holds every line: the projection onto the drawing and the bounds in degrees.
function mercatorFrame(lines) {
    const all = lines.flat();
    const xs = extent(all.map(([, lon]) => lon));
    const ys = extent(all.map(([lat]) => northing(lat)));
    const span = ([least, greatest]) => Math.max(greatest - least, 2 / 60);
    const scale = Math.min((WIDTH - 2 * ROUTE_MARGIN) / span(xs), (HEIGHT - 2 * ROUTE_MARGIN) / span(ys));
    const centre = [(xs[0] + xs[1]) / 2, (ys[0] + ys[1]) / 2];
    const project = ([lat, lon]) => [WIDTH / 2 + (lon - centre[0]) * scale, HEIGHT / 2 - (northing(lat) - centre[1]) * scale];
    const bounds = {
        west: centre[0] - WIDTH / 2 / scale,
        east: centre[0] + WIDTH / 2 / scale,
        south: latitudeAt(centre[1] - HEIGHT / 2 / scale),
        north: latitudeAt(centre[1] + HEIGHT / 2 / scale),
    };
    return { project, bounds };
}

// A name's box at the sketch's font: a Chinese character is a square, anything else about half.
export function labelSize(text) {
    const width = [...text].reduce((sum, c) => sum + (c.codePointAt(0) > 0x2e80 ? LABEL_FONT : LABEL_FONT * 0.6), 0);
    return [width, LABEL_FONT];
}

const overlaps = (a, b) => a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;

// Boxes filed by the square cells of the drawing they cover, so that a name is checked against
// what lies near it only: a route with 分点 has tens of thousands of dots, and checking each name
// against all of them froze the page for a minute. Two boxes that overlap share a cell, so that
// `meets` finds exactly the boxes a scan of all of them finds.
const CELL = 16;
class BoxGrid {
    cells = new Map();

    * keys({ x, y, width, height }) {
        for (let column = Math.floor(x / CELL); column <= Math.floor((x + width) / CELL); ++column) {
            for (let row = Math.floor(y / CELL); row <= Math.floor((y + height) / CELL); ++row) {
                yield `${column},${row}`;
            }
        }
    }

    add(box) {
        for (const key of this.keys(box)) {
            const cell = this.cells.get(key);
            if (cell) {
                cell.push(box);
            } else {
                this.cells.set(key, [box]);
            }
        }
    }

    meets(box) {
        for (const key of this.keys(box)) {
            if (this.cells.get(key)?.some((other) => overlaps(box, other))) {
                return true;
            }
        }
        return false;
    }
}

// Boxes {x, y, width, height} for the names of the dots at `anchors` ([x, y]), each of `sizes`
// ([width, height]), in order: the first place around its dot that stays in the drawing and
// meets no dot and no name placed before it; null for a name that has no such place.
export function placeLabels(anchors, sizes) {
    const dots = new BoxGrid();
    anchors.forEach(([x, y]) => dots.add({ x: x - DOT, y: y - DOT, width: 2 * DOT, height: 2 * DOT }));
    const placed = new BoxGrid();
    return anchors.map(([x, y], i) => {
        const [width, height] = sizes[i];
        const candidates = [[x + LABEL_GAP, y - LABEL_GAP - height], [x + LABEL_GAP, y + LABEL_GAP],
            [x - LABEL_GAP - width, y - LABEL_GAP - height], [x - LABEL_GAP - width, y + LABEL_GAP],
            [x - width / 2, y - LABEL_GAP - height], [x - width / 2, y + LABEL_GAP]];
        const box = candidates.map(([left, top]) => ({ x: left, y: top, width, height })).find((box) =>
            box.x >= 0 && box.y >= 0 && box.x + width <= WIDTH && box.y + height <= HEIGHT
            && !dots.meets(box) && !placed.meets(box));
        if (box) placed.add(box);
        return box ?? null;
    });
}

// A dashed line along each of ±`limit` that crosses the drawing.
function limitParallels(svg, frame, limit) {
    for (const latitude of [limit, -limit]) {
        if (latitude > frame.bounds.south && latitude < frame.bounds.north) {
            const [, y] = frame.project([latitude, frame.bounds.west]);
            svg.append(element('line', { class: 'limit', x1: 0, y1: y, x2: WIDTH, y2: y }));
        }
    }
}

// Draws the route through `points` ([latitude, longitude, name, waypoint?], as sailed); `kinds`
// names each row's line: 'gc' along the great circle, else straight; `limit` is the limiting
// latitude or null. `label` is the sketch's accessible name.
export function drawRouteSketch(svg, { points, kinds = [], limit = null }, label) {
    const lines = routeLines(points, kinds);
    const frame = mercatorFrame(lines);
    svg.replaceChildren();
    graticule(svg, frame);
    if (limit !== null) {
        limitParallels(svg, frame, limit);
    }
    for (const line of lines) {
        const drawn = line.map(frame.project).map(([x, y]) => `${x.toFixed(1)},${y.toFixed(1)}`);
        svg.append(element('polyline', { class: 'leg', points: drawn.join(' ') }));
    }
    const anchors = [lines[0][0], ...lines.map((line) => line[line.length - 1])].map(frame.project);
    anchors.forEach(([x, y], i) => {
        const waypoint = points[i][3] ?? true;
        svg.append(element('circle', { class: waypoint ? 'point' : 'step', cx: x, cy: y, r: waypoint ? DOT : DOT - 1 }));
    });
    // The waypoints' names are placed first.
    const order = points.map((point, i) => i).sort((a, b) => Number(points[b][3] ?? true) - Number(points[a][3] ?? true));
    const names = order.map((i) => points[i][2]);
    placeLabels(order.map((i) => anchors[i]), names.map(labelSize)).forEach((box, i) => {
        if (box) {
            svg.append(element('text', { class: 'route-label', x: box.x, y: box.y + LABEL_FONT * 0.85 }, names[i]));
        }
    });
    svg.setAttribute('aria-label', label);
}
