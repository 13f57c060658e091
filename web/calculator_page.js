// The page's form: reads the six entries and the three 分/秒 choices, runs a command in the
// WebAssembly calculator and writes the result boxes, or shows the message and puts the focus
// where the fix is. As in the window, a message changes no result box and no sketch.
import { byId } from './dom.js';
import { drawSketch } from './sketch.js';
import { setUpBatch } from './batch_page.js';

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

function showMessage(message, button) {
    const dialog = byId('message');
    byId('message-title').textContent = message.title;
    byId('message-text').textContent = message.text;
    dialog.addEventListener('close', () => {
        const box = entries[message.box ?? entries.findIndex((entry) => entry.value === '')];
        const target = box ?? button;
        target.focus();
        if (box) {
            box.select();
        }
    }, { once: true });
    dialog.showModal();
}

async function run(command, button) {
    const module = await calculator;
    const outcome = module[command](entries.map((entry) => entry.value), secondsChoices());
    if (outcome.message) {
        showMessage(outcome.message, button);
        return;
    }
    if (command === 'distance') {
        byId('kilometres').value = outcome.kilometres;
        byId('nautical-miles').value = outcome.nauticalMiles;
        announce(`${outcome.kilometres} 公里，${outcome.nauticalMiles} 海里`);
    } else {
        byId('degrees').value = outcome.degrees;
        announce(`夹角 ${outcome.degrees} 度`);
    }
    drawSketch(byId('sketch'), outcome.points);
}

for (const command of ['distance', 'angle']) {
    const button = byId(command);
    button.addEventListener('click', () => run(command, button));
}
setUpBatch(calculator);

// Served from a web server, the page installs as an app and keeps working offline.
if (location.protocol !== 'file:' && 'serviceWorker' in navigator && document.querySelector('link[rel="manifest"]')) {
    navigator.serviceWorker.register('service-worker.js').catch(() => {});
}
