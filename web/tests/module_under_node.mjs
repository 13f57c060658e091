// What the tests that hold the module against the native orvanto-cli share: where each is, and a
// seeded generator (mulberry32), so that a failing case comes back the same on every run.
import { createRequire } from 'node:module';
import { join } from 'node:path';

export const root = new URL('../../', import.meta.url).pathname;
export const createOrvanto = createRequire(import.meta.url)(join(root, 'build/wasm/web/orvanto-module.js'));
export const cli = process.env.ORVANTO_CLI ?? join(root, 'build/dev/cli/orvanto-cli');

export function generator(seed) {
    return () => {
        seed = (seed + 0x6d2b79f5) | 0;
        let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
        t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
        return ((t ^ (t >>> 14)) >>> 0) / 2 ** 32;
    };
}
