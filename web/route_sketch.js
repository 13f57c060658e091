// The sketch of a route on a Mercator projection, as on a chart: a rhumb line is straight there and
// a great circle bows towards the pole, and a limiting latitude is a dashed parallel. Each leg is
// drawn as the table sails it: along its rhumb line unless the row is a great circle's (composite
// sailing), so that the line drawn is the one whose distance total_nmi adds. Each waypoint
// is a dot with its name beside it, each point computed between them (分点, 限制纬度起/止) a
// smaller ring, named where there is room once the waypoints have theirs; a name goes where it
// collides with no other name and no dot, and one that finds no such place is left out (the
// sketch's accessible name lists the waypoints).
import { element, graticule, greatCircle, unwrap, HEIGHT, WIDTH } from './sketch.js';

const ROUTE_MARGIN = 24;
// The projection runs to infinity at the poles: latitudes beyond are drawn at the limit.
const MERCATOR_LIMIT = 85;
const DEGREES = 180 / Math.PI;
const LABEL_FONT = 12;
const LABEL_GAP = 5;
const DOT = 3.5;
// Beyond this many rows the lines and rings are drawn 250 to an element: tens of thousands of
// elements take the browser longer to draw than the page may stand still, and at the sketch's
// size no one row can be told from its neighbours anyway. A bundle is also the most work a large
// sketch does between two looks at the clock: some 10 ms on a slow machine.
const MANY_ROWS = 5000;
const BUNDLE = 250;
// How long a large sketch works before the page gets its turn: with a bundle and a collection of
// garbage on top, a task stays well under the 50 ms a browser counts as long.
const SLICE_MS = 25;

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
    return [...eachRouteLine(points, kinds)];
}

// The same a row at a time, for a large sketch to sample its great circles a slice at a time;
// `coarse`, a point a degree or so (tens of thousands of rows sampled at 48 points each were
// millions of arrays for the page to collect, where a degree is a few pixels of the sketch).
function* eachRouteLine(points, kinds, coarse = false) {
    let from = points[0];
    for (let i = 1; i < points.length; ++i) {
        const to = [points[i][0], unwrap(points[i][1], from[1])];
        const count = coarse ? Math.min(48, Math.ceil(Math.abs(to[0] - from[0]) + Math.abs(to[1] - from[1])) + 1) : 48;
        const curve = kinds[i - 1] === 'gc' ? greatCircle(from, to, count) : [];
        // Antipodal ends have no one great circle: the leg is drawn straight.
        yield curve.length && curve.flat().every(Number.isFinite) ? curve : [from, to];
        from = to;
    }
}

// The least and greatest longitude and latitude of the lines so far, widened by `line`: a line at
// a time, as a large sketch samples them, not by arrays of every point (its lines hold millions).
function widen(extent, line) {
    for (let i = 0; i < line.length; ++i) {
        const [latitude, longitude] = line[i];
        extent.xs[0] = Math.min(extent.xs[0], longitude);
        extent.xs[1] = Math.max(extent.xs[1], longitude);
        extent.latitudes[0] = Math.min(extent.latitudes[0], latitude);
        extent.latitudes[1] = Math.max(extent.latitudes[1], latitude);
    }
}

// The frame that holds the lines of `extent`: the projection onto the drawing and the bounds in
// degrees. The northing grows with the latitude, so the extreme latitudes give the extreme
// northings.
function mercatorFrame({ xs, latitudes }) {
    const ys = latitudes.map(northing);
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

    // A number a cell (a drawing is some 23 by 15 cells; a dot or a name may stand a little
    // outside it).
    * keys({ x, y, width, height }) {
        for (let column = Math.floor(x / CELL); column <= Math.floor((x + width) / CELL); ++column) {
            for (let row = Math.floor(y / CELL); row <= Math.floor((y + height) / CELL); ++row) {
                yield (column + 4096) * 8192 + row + 4096;
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
    return [...labelPlaces(anchors, (i) => sizes[i])].filter((box) => box !== undefined);
}

// The same one name at a time, for a large sketch to place them a slice at a time; `undefined`
// now and then before the first, while the dots are filed. `sizeOf(i)` is the size of name i,
// measured when it is placed.
function* labelPlaces(anchors, sizeOf) {
    const dots = new BoxGrid();
    for (const [i, [x, y]] of anchors.entries()) {
        dots.add({ x: x - DOT, y: y - DOT, width: 2 * DOT, height: 2 * DOT });
        if (i % BUNDLE === BUNDLE - 1) {
            yield undefined;
        }
    }
    const placed = new BoxGrid();
    for (const [i, [x, y]] of anchors.entries()) {
        const [width, height] = sizeOf(i);
        const candidates = [[x + LABEL_GAP, y - LABEL_GAP - height], [x + LABEL_GAP, y + LABEL_GAP],
            [x - LABEL_GAP - width, y - LABEL_GAP - height], [x - LABEL_GAP - width, y + LABEL_GAP],
            [x - width / 2, y - LABEL_GAP - height], [x - width / 2, y + LABEL_GAP]];
        const box = candidates.map(([left, top]) => ({ x: left, y: top, width, height })).find((box) =>
            box.x >= 0 && box.y >= 0 && box.x + width <= WIDTH && box.y + height <= HEIGHT
            && !dots.meets(box) && !placed.meets(box));
        if (box) placed.add(box);
        yield box ?? null;
    }
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
// latitude or null. `label` is the sketch's accessible name. A large route's names are placed a
// slice at a time, the page answering between them, while `wanted()` holds (a new run stops it).
export async function drawRouteSketch(svg, { points, kinds = [], limit = null }, label, wanted = () => true) {
    let sliceStart = performance.now();
    const bundle = points.length > MANY_ROWS + 1 ? BUNDLE : 1;
    // True when the page has had its turn and the sketch is no longer wanted.
    const pause = async () => {
        if (bundle === 1 || performance.now() - sliceStart < SLICE_MS) {
            return false;
        }
        await new Promise((resolve) => { setTimeout(resolve); });
        sliceStart = performance.now();
        return !wanted();
    };
    const lines = [];
    const extent = { xs: [Infinity, -Infinity], latitudes: [Infinity, -Infinity] };
    for (const line of eachRouteLine(points, kinds, bundle > 1)) {
        lines.push(line);
        widen(extent, line);
        if (lines.length % BUNDLE === 0 && await pause()) {
            return;
        }
    }
    const frame = mercatorFrame(extent);
    if (await pause()) {
        return;
    }
    svg.replaceChildren();
    graticule(svg, frame);
    if (limit !== null) {
        limitParallels(svg, frame, limit);
    }
    const text = ([x, y]) => `${x.toFixed(1)},${y.toFixed(1)}`;
    for (let start = 0; start < lines.length; start += bundle) {
        // A row ends where the next starts.
        const drawn = lines.slice(start, start + bundle).flatMap((line, i) => (i ? line.slice(1) : line));
        svg.append(element('polyline', { class: 'leg', points: drawn.map(frame.project).map(text).join(' ') }));
        if (await pause()) {
            return;
        }
    }
    const anchors = [];
    const rings = { point: [] };
    for (let i = 0; i < points.length; ++i) {
        if (i % BUNDLE === 0 && await pause()) {
            return;
        }
        const [x, y] = frame.project(i ? lines[i - 1][lines[i - 1].length - 1] : points[0]);
        anchors.push([x, y]);
        const waypoint = points[i][3] ?? true;
        const r = waypoint ? DOT : DOT - 1;
        if (bundle === 1) {
            svg.append(element('circle', { class: waypoint ? 'point' : 'step', cx: x, cy: y, r }));
        } else if (waypoint) {
            // (A large sketch rings no 分点: tens of thousands of rings would only blot out its
            // lines, and take longer to draw than the page may stand still.)
            rings.point.push(`M${(x - r).toFixed(1)},${y.toFixed(1)}a${r},${r} 0 1,0 ${2 * r},0a${r},${r} 0 1,0 ${-2 * r},0`);
        }
    }
    for (const [kind, drawn] of Object.entries(rings)) {
        for (let start = 0; start < drawn.length; start += BUNDLE) {
            svg.append(element('path', { class: kind, d: drawn.slice(start, start + BUNDLE).join('') }));
            if (await pause()) {
                return;
            }
        }
    }
    svg.setAttribute('aria-label', label);
    // The waypoints' names are placed first, then the 分点's (in one pass each: sorting tens of
    // thousands of rows by a comparison held the page too long).
    const order = [];
    for (const first of [true, false]) {
        points.forEach((point, i) => (point[3] ?? true) === first && order.push(i));
    }
    const name = (i) => points[order[i]][2];
    if (await pause()) {
        return;
    }
    let i = 0;
    for (const box of labelPlaces(order.map((index) => anchors[index]), (k) => labelSize(name(k)))) {
        if (box) {
            svg.append(element('text', { class: 'route-label', x: box.x, y: box.y + LABEL_FONT * 0.85 }, name(i)));
        }
        i += box === undefined ? 0 : 1;
        if (await pause()) {
            return;
        }
    }
}
