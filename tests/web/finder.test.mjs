// The place finder in a real browser (SELENOSCOPE_BROWSER: chromium or firefox), served by
// the project's own server on 127.0.0.1: typing lists what the atlas finds with the first
// place chosen, its clock at the birth's date and time under the list (and a repeated
// time's two occurrences), Enter fills the entry fields; a part the server lacks or gives
// damaged is said in the finder's place while the rest of the page works.
import assert from 'node:assert/strict';
import { mkdtempSync, mkdirSync, readdirSync, rmSync, symlinkSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { serve } from '../../tools/web/serve.mjs';
import { openSiteAtlas } from './support/atlas.mjs';
import { openFinder, typed } from './support/finder.mjs';
import { birthFields, birthsCsv, firstDifference, generateBirths } from './support/births.mjs';
import { startBrowser } from './support/browser.mjs';
import { asToolAnswer, cliJson, cliReadings, siteFolder } from './support/native.mjs';

let browser;
const servers = [];

before(async () => {
  browser = await startBrowser(process.env.SELENOSCOPE_BROWSER ?? 'chromium');
});

after(async () => {
  await browser?.close();
  for (const server of servers) server.close();
});

async function served(folder) {
  const { server, url } = await serve(folder, { port: 0 });
  servers.push(server);
  return url;
}

// The finder's rows for a search, as the page's atlas answers it.
async function expectedRows(text, local) {
  const { atlas } = await openSiteAtlas();
  const found = await atlas.search(text, { local });
  return found.rows.map((row, i) => `${found.listed[i]} — ${[row.region, row.country].filter(Boolean).join(', ')}`
    + ` (${row.fields.latitude} ${row.fields.longitude})`);
}

const searches = [
  {
    name: "Madrid in 1980: the README's clock, and zone fields that cannot say it",
    text: 'Madrid', local: { year: 1980, month: 7, day: 1, hour: 12, minute: 0 },
    clock: 'Europe/Madrid on 1 July 1980 at 12:00: UTC+02:00, CEST, daylight saving in force',
    fields: { txtMCity: 'Madrid', txtMState: 'Madrid', txtMCountry: 'Spain', txtLonD: '3', txtLonM: '42', optLong1: true, txtLatD: '40', txtLatM: '25', optLat0: true },
  },
  {
    name: 'London in 1985: zone 0 with daylight saving',
    text: 'London', local: { year: 1985, month: 7, day: 1, hour: 12, minute: 0 },
    clock: 'Europe/London on 1 July 1985 at 12:00: UTC+01:00, BST, daylight saving in force',
    fields: { txtMCity: 'London', txtMState: 'England', txtMCountry: 'United Kingdom', txtLonD: '0', txtLonM: '8', optLong1: true, txtLatD: '51', txtLatM: '31', optLat0: true, txtZoneHour: '0', txtZoneMinute: '0', chkDST: true },
  },
  {
    name: 'Bombay: Mumbai by its other name, east and north',
    text: 'Bombay', local: { year: 2000, month: 1, day: 1, hour: 12, minute: 0 },
    clock: 'Asia/Kolkata on 1 January 2000 at 12:00: UTC+05:30, IST, standard time',
    fields: { txtMCity: 'Mumbai', txtMCountry: 'India', optLong0: true, optLat0: true, txtZoneHour: '5', txtZoneMinute: '30', chkDST: false },
  },
];

for (const { name, text, local, clock, fields } of searches) {
  test(`${name}: listed, its clock shown, Enter fills the fields`, async () => {
    const { page, errors } = await openFinder(browser, await served(siteFolder()), local);
    const shown = await typed(page, text);
    assert.deepEqual(shown.rows, await expectedRows(text, local));
    assert.equal(shown.selected, 'place0');
    assert.equal(shown.clock, clock);
    await page.keyboard.press('Enter');
    const ids = Object.keys(fields);
    await page.waitForFunction((id) => document.getElementById(id).value !== '', {}, ids[0]);
    const filled = await page.evaluate((names) => Object.fromEntries(names.map((id) => {
      const control = document.getElementById(id);
      return [id, control.type === 'checkbox' || control.type === 'radio' ? control.checked : control.value];
    })), ids);
    assert.deepEqual(filled, fields);
    assert.deepEqual(errors, []);
    await page.close();
  });
}

test("a repeated time offers both occurrences, the arrows move the choice", async () => {
  const { page } = await openFinder(browser, await served(siteFolder()), { year: 2021, month: 11, day: 7, hour: 1, minute: 30 });
  const shown = await typed(page, 'New York');
  assert.match(shown.clock, /^America\/New_York on 7 November 2021 at 01:30: UTC−04:00, EDT/);
  assert.deepEqual(shown.occurrences, ['First, on daylight time (UTC−04:00)', 'Second, on standard time (UTC−05:00)']);
  await page.click('#optOccurrence1');
  await page.waitForFunction(() => document.getElementById('lblClock').textContent.includes('UTC−05:00'));
  await page.focus('#txtSearch');
  await page.keyboard.press('ArrowDown');
  await page.waitForFunction(() => document.getElementById('txtSearch').getAttribute('aria-activedescendant') === 'place1');
  await page.close();
});

test("a new birth date shows the chosen place's clock then", async () => {
  const { page } = await openFinder(browser, await served(siteFolder()), { year: 1980, month: 7, day: 1, hour: 12, minute: 0 });
  assert.match((await typed(page, 'Madrid')).clock, /^Europe\/Madrid on 1 July 1980 at 12:00: UTC\+02:00, CEST/);
  await page.select('#cboMonth', 'January');
  await page.waitForFunction(() => document.getElementById('lblClock').textContent
    .startsWith('Europe/Madrid on 1 January 1980 at 12:00: UTC+01:00, CET'));
  await page.close();
});

// The link to a found place's clock, as the entry window keeps it: each row fills a place
// with Enter, does what a user may do next, asks for the reading, answers the question if
// one comes, and ends with the reading the tool gives for the instant used, or none.
const madrid = { year: 1980, month: 7, day: 1, hour: 12, minute: 0 };
const london = { year: 1985, month: 7, day: 1, hour: 12, minute: 0 };
const at = (date) => ['reading', '--date', date, '--time', '12:00'];
const links = [
  { name: 'zone fields that cannot say the clock: asked, the clock chosen', text: 'Madrid', local: madrid,
    answer: '#cmdUseClock', reading: [...at('1980-07-01'), '--place', 'Madrid'] },
  { name: 'asked, the zone as entered chosen', text: 'Madrid', local: madrid,
    answer: '#cmdUseEntered', reading: [...at('1980-07-01'), '--longitude', '3:42W', '--latitude', '40:25N', '--zone=-2'] },
  { name: 'asked, closed with Esc: no reading, nothing changed', text: 'Madrid', local: madrid, answer: 'Escape', reading: null },
  { name: "the city's name edited: the link stands", text: 'Madrid', local: madrid,
    edit: (page) => page.type('#txtMCity', ' centro'), answer: '#cmdUseClock', reading: [...at('1980-07-01'), '--place', 'Madrid'] },
  { name: 'a coordinate edited: the link ends and the unsayable zone is emptied', text: 'Madrid', local: madrid,
    edit: async (page) => {
      await page.$eval('#txtLonM', (box) => { box.focus(); box.select(); });
      await page.keyboard.type('3');
    },
    zoneAfter: ['', ''], reading: 'refused' },
  { name: 'a zone the fields can say: no question', text: 'London', local: london,
    reading: [...at('1985-07-01'), '--place', 'London'] },
  { name: 'a new birth date: the zone fields re-derived from the same zone', text: 'London', local: london,
    edit: (page) => page.select('#cboMonth', 'January'), zoneAfter: ['0', '0'], reading: [...at('1985-01-01'), '--place', 'London'] },
  { name: 'a zone chosen from TZ Help: the link ends', text: 'Madrid', local: madrid,
    edit: async (page) => {
      await page.click('#lblTZHelp');
      await page.$eval('#lstTimeZones', (list) => { list.selectedIndex = [...list.options].findIndex((o) => o.text.startsWith('Greenwich')); });
      await page.click('#cmdTimeZoneChoose');
    },
    zoneAfter: ['0', '0'], reading: [...at('1980-07-01'), '--longitude', '3:42W', '--latitude', '40:25N', '--zone', '0'] },
];

for (const { name, text, local, edit, answer, zoneAfter, reading } of links) {
  test(`the found place's clock: ${name}`, async () => {
    const { page, errors } = await openFinder(browser, await served(siteFolder()), local);
    await page.type('#txtName', 'asha rao');
    await typed(page, text);
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => document.getElementById('txtMCity').value !== '');
    await edit?.(page);
    const zone = () => page.evaluate(() => ['txtZoneHour', 'txtZoneMinute'].map((id) => document.getElementById(id).value));
    if (zoneAfter) await page.waitForFunction((want) => ['txtZoneHour', 'txtZoneMinute']
      .map((id) => document.getElementById(id).value).join() === want.join(), {}, zoneAfter);
    const zoneBefore = await zone();
    await page.click('#cmdRashi');
    const said = () => page.evaluate(() => ({ question: document.getElementById('question').open,
      message: document.getElementById('message').open, reading: !document.getElementById('frmDisplay').hidden }));
    await page.waitForFunction(() => ['question', 'message'].some((id) => document.getElementById(id).open)
      || !document.getElementById('frmDisplay').hidden);
    const first = await said();
    assert.equal(first.question, Boolean(answer), 'a question exactly where the zone fields differ from the clock');
    if (answer === 'Escape') await page.keyboard.press('Escape');
    else if (answer) await page.click(answer);
    await page.waitForFunction(() => !document.getElementById('question').open);
    if (reading === 'refused') {
      assert.equal(first.message, true);
    } else if (reading === null) {
      assert.deepEqual(await said(), { question: false, message: false, reading: false });
      assert.equal(await page.evaluate(() => document.activeElement.id), 'cmdRashi');
      assert.deepEqual(await zone(), zoneBefore);
    } else {
      await page.waitForFunction(() => !document.getElementById('frmDisplay').hidden);
      const shown = await page.evaluate(() => Object.fromEntries(['txtSiderealNonParallax', 'txtSiderealParallax',
        'txtWesternNonParallax', 'txtWesternParallax'].map((id) => [id, document.getElementById(id).value])));
      const tool = cliJson(reading);
      assert.deepEqual(shown, { txtSiderealNonParallax: tool.sidereal.geocentric, txtSiderealParallax: tool.sidereal.topocentric,
        txtWesternNonParallax: tool.tropical.geocentric, txtWesternParallax: tool.tropical.topocentric });
    }
    assert.deepEqual(errors, []);
    await page.close();
  });
}

// A copy of the site whose files are the built ones, but for one part of the atlas.
function siteWithPart(part, bytes) {
  const folder = mkdtempSync(join(tmpdir(), 'selenoscope-site-'));
  mkdirSync(join(folder, 'atlas'));
  for (const file of readdirSync(siteFolder(), { recursive: true })) {
    if (file === 'atlas' || file === part) continue;
    symlinkSync(join(siteFolder(), file), join(folder, file));
  }
  if (bytes) writeFileSync(join(folder, part), bytes);
  return folder;
}

const brokenParts = [
  { name: 'missing from the server', bytes: null, says: /^The atlas's part \d{3}\.part could not be fetched \(404 Not Found\)\.$/ },
  { name: 'damaged on the server', bytes: Buffer.from('not a part of any atlas'), says: /^The atlas's part \d{3}\.part cannot be used: it is cut short \(23 of \d+ bytes\)\.$/ },
];

for (const { name, bytes, says } of brokenParts) {
  test(`a part ${name}: the finder says so, the rest of the page works`, async () => {
    const { atlas, read } = await openSiteAtlas();
    await atlas.search('Madrid');
    const folder = siteWithPart(read.at(-1), bytes);
    try {
      const origin = await served(folder);
      const { page, errors } = await openFinder(browser, origin, { year: 1980, month: 7, day: 1, hour: 12, minute: 0 });
      const shown = await typed(page, 'Madrid');
      assert.match(shown.clock, says);
      assert.deepEqual(shown.rows, []);
      assert.match(shown.notes, /^Everything else on the page works/);
      // Another part still answers, and the core still computes the tool's readings.
      const other = await typed(page, '東京');
      assert.equal(other.rows[0].split(' — ')[0], 'Tokyo (also 東京)');
      const births = generateBirths(20, 9);
      const readings = await page.evaluate(async (coreUrl, list) => {
        const { loadCore } = await import(coreUrl);
        const core = await loadCore();
        return list.map((fields) => core.reading(fields));
      }, `${origin}core.mjs`, births.map(birthFields));
      const expected = cliReadings(birthsCsv(births));
      births.forEach((_, i) => assert.equal(firstDifference(asToolAnswer(readings[i]), expected[i]), '', `birth ${i + 1}`));
      assert.deepEqual(errors, []);
      await page.close();
    } finally {
      rmSync(folder, { recursive: true, force: true });
    }
  });
}
