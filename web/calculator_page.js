// The page's form: reads the six entries and the three 分/秒 choices, runs a command in the
// WebAssembly calculator and writes the result boxes, or shows the message and puts the focus
// where the fix is. As in the window, a message changes no result box and no sketch. A command
// runs from its button or by Enter in a box it reads: the points' boxes give the distance, the
// reference point's the angle. After the distance come the courses from point 1 to point 2 and the
// vertex, with magnetic and compass courses when the 航线 section's 磁差 and 自差 are filled in.
import { byId, runOnEnter } from './dom.js';
import { drawSketch } from './sketch.js';
import { setUpBatch } from './batch_page.js';
import { setUpRoute, typedCompass } from './route_page.js';
import { setUpReckoning } from './reckon_page.js';
import { setUpPlotting } from './plot_page.js';
import { setUpFix } from './fix_page.js';
import { setUpLightRange } from './range_page.js';

const entries = ['latitude1', 'longitude1', 'latitude2', 'longitude2', 'latitude3', 'longitude3'].map(byId);
const calculator = globalThis.createOrvanto();

function secondsChoices() {
    return [1, 2, 3].map((point) => document.querySelector(`input[name="mode${point}"][value="seconds"]`).checked);
}

// Polite: the result is read out after what the user is doing. Emptied first so that the same
// text twice is announced twice.
function announce(text) {
    const announcer = byId('announcer');
    announcer.textContent = '';
    setTimeout(() => { announcer.textContent = text; }, 50);
}

// The focus goes to the box the message names; a message about the points names none, and the
// focus goes back to what ran the command.
function showMessage(message, origin) {
    const dialog = byId('message');
    byId('message-title').textContent = message.title;
    byId('message-text').textContent = message.text;
    dialog.addEventListener('close', () => {
        const box = message.box === null ? null : entries[message.box];
        (box ?? origin).focus();
        box?.select();
    }, { once: true });
    dialog.showModal();
}

// The lines orvanto-cli course --vertex prints for the distance's two points; a 磁差 or 自差 it
// cannot read is said under them. They change with the distance only: were they to follow the
// boxes, the page below would move as a box is left, under the pointer on its way to 计算航线.
function showCourses(module, [from, to], seconds) {
    const compass = typedCompass(module);
    const courses = byId('courses');
    const method = { textbook: byId('course-textbook').checked, showWork: byId('course-show-work').checked };
    courses.textContent = module.courseLines(from, to, compass.error ? { variation: null, deviation: null } : compass, seconds, method).trimEnd()
        + (compass.error ? `\n${compass.error}` : '');
    courses.hidden = false;
}

async function run(command, origin) {
    const module = await calculator;
    const seconds = secondsChoices();
    const outcome = module[command](entries.map((entry) => entry.value), seconds);
    if (outcome.message) {
        showMessage(outcome.message, origin);
        return;
    }
    if (command === 'distance') {
        byId('kilometres').value = outcome.kilometres;
        byId('nautical-miles').value = outcome.nauticalMiles;
        announce(`${outcome.kilometres} 公里，${outcome.nauticalMiles} 海里`);
        showCourses(module, outcome.points, seconds);
    } else {
        byId('degrees').value = outcome.degrees;
        announce(`夹角 ${outcome.degrees} 度`);
    }
    byId('sketch-hint').hidden = true;
    byId('sketch').removeAttribute('hidden');  // an SVG element has no `hidden` property
    drawSketch(byId('sketch'), outcome.points, command === 'distance' ? module.vertexOnLeg(outcome.points[0], outcome.points[1]) : null);
}

for (const command of ['distance', 'angle']) {
    const button = byId(command);
    button.addEventListener('click', () => run(command, button));
}
entries.forEach((entry, index) => runOnEnter(entry, () => run(index < 4 ? 'distance' : 'angle', entry)));
setUpBatch(calculator);
setUpRoute(calculator);
setUpReckoning(calculator);
setUpPlotting(calculator);
setUpFix(calculator);
setUpLightRange(calculator);

// Served from a web server, the page installs as an app and keeps working offline.
if (location.protocol !== 'file:' && 'serviceWorker' in navigator && document.querySelector('link[rel="manifest"]')) {
    navigator.serviceWorker.register('service-worker.js').catch(() => {});
}
