// The 雷达标绘 section in Debian's Chromium, opened from disk: the textbook's plot typed and run
// with Enter gives the text orvanto-cli cpa prints and a sketch with own ship, the plots and the
// range rings; a box that does not read is named, marked and focused, and nothing of the run
// before is left.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { cli, usePage } from './browser.mjs';

let page;
usePage((opened) => { page = opened; });

test('雷达标绘: Enter runs it, the texts are cpa\'s, the sketch is drawn; a bad box is named and the results go', async () => {
    const section = page.getByRole('region', { name: '雷达标绘' });
    const field = (name) => section.getByRole('textbox', { name, exact: true });
    const typed = {
        本船航向: '000', '本船航速（节）': '12',
        '观测 1 方位': '045', '观测 1 距离': '10', '观测 1 时间': '08:00',
        '观测 2 方位': '044', '观测 2 距离': '8.6', '观测 2 时间': '08:06',
        '观测 3 方位': '042.5', '观测 3 距离': '7.2', '观测 3 时间': '08:12',
        避让时间: '08:18', '避让后 DCPA（海里）': '2',
    };
    for (const [name, text] of Object.entries(typed)) {
        await field(name).fill(text);
    }
    await field('避让后 DCPA（海里）').press('Enter');
    const native = spawnSync(cli, ['cpa', '--own=000/12', '--target=045/10@08:00', '--target=044/8.6@08:06',
        '--target=042.5/7.2@08:12', '--action=08:18', '--pass=2']).stdout.toString();
    assert.equal(await page.locator('#plot-result').textContent(), native);
    assert.match(await section.getByRole('status').textContent(), /^DCPA 1\.11 海里，TCPA 30\.2 分钟。$/);
    const sketch = section.getByRole('img', { name: /相对运动示意图：DCPA 1\.11 海里/ });
    assert.equal(await sketch.locator('circle.point').count(), 3);
    assert.ok(await sketch.locator('circle.ring').count() >= 3);
    assert.equal(await sketch.locator('line.relative').count(), 1);

    await field('观测 2 时间').fill('25:00');
    await field('本船航向').press('Enter');
    assert.match(await section.getByRole('status').textContent(), /^观测 2 的“时间”须是.*不认识“25:00”$/);
    assert.equal(await field('观测 2 时间').getAttribute('aria-invalid'), 'true');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'plot-time-2');
    assert.equal(await page.locator('#plot-result').textContent(), '');
    assert.equal(await page.locator('#plot-sketch > *').count(), 0);

    // Times out of order, and a magnetic course without the 航线 section's 磁差.
    await field('观测 2 时间').fill('07:00');
    await section.getByRole('button', { name: '雷达标绘' }).click();
    assert.match(await section.getByRole('status').textContent(), /^观测 2 的时间须晚于前一次观测/);
    await field('观测 2 时间').fill('08:06');
    await field('本船航向').fill('000M');
    await section.getByRole('button', { name: '雷达标绘' }).click();
    assert.match(await section.getByRole('status').textContent(), /磁航向“000M”须有磁差/);
});
