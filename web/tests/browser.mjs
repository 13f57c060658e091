// The page in Debian's Chromium for a test file: opened from disk in a profile of its own before
// the tests, every request not for a file failed (the page must need no network), closed after.
import { after, before } from 'node:test';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { chromium } from 'playwright-core';

export const root = new URL('../../', import.meta.url).pathname;
export const cli = process.env.ORVANTO_CLI ?? join(root, 'build/dev/cli/orvanto-cli');

// `opened(page)` is called with the page once it is open.
export function usePage(opened) {
    const profile = mkdtempSync(join(tmpdir(), 'orvanto-chromium-'));
    let browser;
    before(async () => {
        browser = await chromium.launchPersistentContext(profile, {
            executablePath: '/usr/bin/chromium',
            args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking'],
        });
        await browser.route('**/*', (route) => (route.request().url().startsWith('file:') ? route.continue() : route.abort()));
        const page = await browser.newPage();
        await page.goto(`file://${join(root, 'build/web/orvanto.html')}`);
        opened(page);
    });
    after(async () => {
        await browser?.close();
        rmSync(profile, { recursive: true, force: true });
    });
}
