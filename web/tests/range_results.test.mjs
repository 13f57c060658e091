// The 视距 part's module under node against the native orvanto-cli range: random heights and ranges
// typed into the boxes as a deck officer types them (units, full width, now and then a value out of
// range or two that do not go together) give the very texts range prints, or both refuse them.
// One hash over every case's texts.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { join } from 'node:path';
import { createOrvanto, cli, generator } from './module_under_node.mjs';

const wide = (text) => text.replace(/[0-9.]/g, (c) => String.fromCharCode(c.charCodeAt(0) + 0xfee0));

// One case as boxes for the page and as options for range.
function randomRange(random) {
    const number = (low, high) => (low + random() * (high - low)).toFixed(Math.floor(random() * 3));
    const typed = (text, units) => {
        const unit = random() < 0.3 ? units[Math.floor(random() * units.length)] : '';
        return random() < 0.1 ? wide(text) + unit : text + unit;
    };
    const boxes = { 'range-eye': '', 'range-object': '', 'range-charted': '', 'range-luminous': '' };
    if (random() < 0.97) {
        boxes['range-eye'] = typed(number(0, random() < 0.05 ? 130 : 40), ['m', '米', 'M']);
    }
    const kind = random();
    if (kind < 0.4 || kind > 0.97) {
        boxes['range-object'] = typed(number(0, 300), ['m', '米']);
    }
    if (kind > 0.4 && kind < 0.8 || kind > 0.97) {
        boxes['range-charted'] = typed(number(0, 30), ['nmi', '海里', 'km']);
    }
    if (random() < 0.4) {
        boxes['range-luminous'] = typed(number(0, 40), ['nmi', '海里']);
    }
    const options = ['range'];
    for (const [name, box] of [['eye', 'range-eye'], ['object', 'range-object'], ['charted', 'range-charted'], ['luminous', 'range-luminous']]) {
        if (boxes[box] !== '') {
            options.push(`--${name}=${boxes[box]}`);
        }
    }
    return { boxes, options };
}

test('视距 through the module prints what orvanto-cli range prints', async () => {
    const module = await createOrvanto();
    const random = generator(20261208);
    const web = [];
    const native = [];
    for (let i = 0; i < 300; ++i) {
        const { boxes, options } = randomRange(random);
        const found = module.lightRange(boxes);
        const text = spawnSync(cli, options);
        const tsv = spawnSync(cli, options.concat(['--format=tsv']));
        web.push(found.error ? 'error' : `${found.text}${found.fields.join('\t')}`);
        native.push(text.status === 0 ? `${text.stdout}${tsv.stdout.toString().replace(/\n$/, '')}` : 'error');
        assert.equal(web[i], native[i], options.join(' '));
        assert.ok(!/nan|inf/i.test(web[i]), web[i]);
    }
    const hash = (texts) => createHash('sha256').update(texts.join('\n')).digest('hex');
    assert.equal(hash(web), hash(native));
    console.log(`${web.length} cases, ${web.filter((t) => t === 'error').length} refused, both ${hash(web)}`);
});
