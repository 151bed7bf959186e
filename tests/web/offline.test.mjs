// After the first visit the page works offline: its service worker keeps the page, the
// core and the zones' table, and each part of the atlas a search fetched. In Chromium,
// against the project's own server on 127.0.0.1, which then stops: the page reloads,
// computes the tool's readings and finds a place whose part was fetched before, and says
// in words that a part never fetched cannot be. The worker's cache is named after the
// build: a changed file makes a new cache.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdirSync, mkdtempSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import test from 'node:test';
import { fileURLToPath } from 'node:url';
import { serve } from '../../tools/web/serve.mjs';
import { birthFields, birthsCsv, firstDifference, generateBirths } from './support/births.mjs';
import { startBrowser } from './support/browser.mjs';
import { openFinder, setBirthLists, typed } from './support/finder.mjs';
import { asToolAnswer, cliReadings, siteFolder } from './support/native.mjs';

const source = join(dirname(fileURLToPath(import.meta.url)), '..', '..', 'src', 'web');
const cacheOf = (worker) => worker.match(/const cacheName = '([^']+)'/)[1];

test('after the first visit the page computes and finds offline what it fetched', async () => {
  const { server, url: origin } = await serve(siteFolder(), { port: 0 });
  const browser = await startBrowser('chromium');
  try {
    const birth = { year: 1980, month: 7, day: 1, hour: 12, minute: 0 };
    const { page, errors } = await openFinder(browser, origin, birth);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
    const online = await typed(page, 'Madrid');
    assert.match(online.rows[0], /^Madrid — Madrid, Spain/);

    server.closeAllConnections();
    await new Promise((done) => server.close(done));
    await page.reload({ waitUntil: 'load' });
    await setBirthLists(page, birth);
    assert.deepEqual(await typed(page, 'Madrid'), online);
    const never = await typed(page, '東京');
    assert.match(never.clock, /^The atlas's part \d{3}\.part could not be fetched: the server cannot be reached/);

    const births = generateBirths(50, 21);
    const readings = await page.evaluate(async (list) => {
      const { loadCore } = await import('./core.mjs');
      const core = await loadCore();
      return list.map((fields) => core.reading(fields));
    }, births.map(birthFields));
    const expected = cliReadings(birthsCsv(births));
    births.forEach((_, i) => assert.equal(firstDifference(asToolAnswer(readings[i]), expected[i]), '', `birth ${i + 1}`));

    const worker = readFileSync(join(siteFolder(), 'sw.js'), 'utf8');
    assert.deepEqual(await page.evaluate(() => caches.keys()), [cacheOf(worker)]);
    assert.deepEqual(errors, []);
  } finally {
    await browser.close();
    server.close();
  }
});

test("the worker's cache is named after every file it serves, and keeps the atlas's parts for later", () => {
  const site = mkdtempSync(join(tmpdir(), 'selenoscope-worker-'));
  const write = (file, text) => {
    mkdirSync(dirname(join(site, file)), { recursive: true });
    writeFileSync(join(site, file), text);
  };
  const build = () => {
    const done = spawnSync('cmake', [`-DSITE=${site}`, `-DTEMPLATE=${join(source, 'site', 'sw.js')}`,
      '-P', join(source, 'MakeServiceWorker.cmake')], { encoding: 'utf8' });
    assert.equal(done.status, 0, done.stderr);
    return readFileSync(join(site, 'sw.js'), 'utf8');
  };
  try {
    write('index.html', '<!doctype html>');
    write('core.mjs', 'export {};');
    write('atlas/common.part', 'common');
    const first = build();
    assert.match(first, /const pageFiles = \['\.\/', '\.\/core\.mjs', '\.\/index\.html'\];/);
    const written = statSync(join(site, 'sw.js')).mtimeMs;
    assert.equal(build(), first, 'the same files, the same worker');
    assert.equal(statSync(join(site, 'sw.js')).mtimeMs, written, 'an unchanged worker is not written again');
    const versions = new Set([cacheOf(first)]);
    for (const [file, text] of [['core.mjs', 'export const x = 1;'], ['atlas/common.part', 'other'], ['atlas/000.part', 'new']]) {
      write(file, text);
      versions.add(cacheOf(build()));
    }
    assert.equal(versions.size, 4, 'each change names a new cache');
  } finally {
    rmSync(site, { recursive: true, force: true });
  }
});
