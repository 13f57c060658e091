// The 定位 section in Debian's Chromium, opened from disk: the 定位 part's rows and the 视距 part run
// with Enter give the texts orvanto-cli fix and range print, the fix's lines drawn; a box that does
// not read, or values that do not go together, are named, marked and focused, and nothing of the
// run before is left.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { cli, usePage } from './browser.mjs';

let page;
usePage((opened) => { page = opened; });

test('视距: Enter runs it and the texts are range\'s; a bad box or a clash is named, marked and focused', async () => {
    const section = page.getByRole('region', { name: '定位' });
    const field = (name) => section.getByRole('textbox', { name, exact: true });
    const status = page.locator('#range-status');
    const result = page.locator('#range-result');
    await field('眼高（米）').fill('１６米');
    await field('海图射程（海里）').fill('18');
    await field('光力射程（海里）').fill('20海里');
    await field('光力射程（海里）').press('Enter');
    const native = spawnSync(cli, ['range', '--eye=16', '--charted=18', '--luminous=20']).stdout.toString();
    assert.equal(await result.textContent(), native);
    assert.match(await status.textContent(), /^视距 8\.36 海里，能见距离 20 海里。$/);

    const refused = [
        { name: '眼高（米）', text: '120', id: 'range-eye', said: /^“眼高（米）”须是0 到 100 米的眼高.*不认识“120”$/ },
        { name: '物标高度（米）', text: '50', id: 'range-charted', said: /^海图射程与物标高度只能填其一/ },
    ];
    for (const { name, text, id, said } of refused) {
        await field(name).fill(text);
        await field(name).press('Enter');
        assert.match(await status.textContent(), said);
        assert.equal(await page.locator(`#${id}`).getAttribute('aria-invalid'), 'true');
        assert.equal(await page.evaluate(() => document.activeElement.id), id);
        assert.equal(await result.textContent(), '');
        await field(name).fill(name === '眼高（米）' ? '16' : '');
    }
    await section.getByRole('button', { name: '视距' }).click();
    assert.equal(await page.locator('#range-eye').getAttribute('aria-invalid'), null);
    assert.equal(await result.textContent(), native);
});

test('定位: rows added and removed, Enter runs it, the texts are fix\'s and the lines are drawn; a failed run clears both', async () => {
    const section = page.getByRole('region', { name: '定位' });
    const status = page.locator('#fix-status');
    const result = page.locator('#fix-result');
    const rows = [['3110.0N', '12205.0E', '045'], ['3105.0N', '12210.0E', '120'], ['3100.0N', '12200.0E', '190']];
    await section.getByRole('button', { name: '添加观测' }).click();
    for (const [index, [lat, lon, bearing]] of rows.entries()) {
        await page.locator(`#fix-lat1-${index + 1}`).fill(lat);
        await page.locator(`#fix-lon1-${index + 1}`).fill(lon);
        await page.locator(`#fix-value-${index + 1}`).fill(bearing);
    }
    await page.locator('#fix-value-3').press('Enter');
    const fix = (count) => spawnSync(cli, ['fix', ...rows.slice(0, count).map((row) => `--bearing=${row.join(',')}`)]).stdout.toString();
    assert.equal(await result.textContent(), fix(3));
    assert.match(await status.textContent(), /^船位 3108\.44N 12202\.35E，交角 145\.0°，误差三角形 2\.156 海里。$/);
    assert.equal(await page.locator('#fix-sketch polyline.lop').count(), 3);
    assert.equal(await page.locator('#fix-sketch circle.fix-mark').count(), 1);

    await section.getByRole('button', { name: '删除观测 3' }).click();
    await section.getByRole('button', { name: '定位', exact: true }).click();
    assert.equal(await result.textContent(), fix(2));
    assert.match(await status.textContent(), /^船位 3108\.41N 12203\.15E，交角 75\.0°。$/);

    await page.locator('#fix-value-2').fill('12O');
    await page.locator('#fix-value-2').press('Enter');
    assert.match(await status.textContent(), /^观测 2 的方位“12O”无法识别/);
    assert.equal(await page.locator('#fix-value-2').getAttribute('aria-invalid'), 'true');
    assert.equal(await page.evaluate(() => document.activeElement.id), 'fix-value-2');
    assert.equal(await result.textContent(), '');
    assert.equal(await page.locator('#fix-sketch > *').count(), 0);
});
