// The page's atlas, split into parts that each search fetches as it needs them, answers as
// selenoscope-cli place --json does: for thousands of searches in every script (prefixes,
// whole names, names with a region or a country after a comma, births' dates and times
// giving each row's clock) the same places in the same order, the same matched names,
// fields, zone fields and clocks. A first search fetches within 1.5 MB and a name's later
// letters nothing more; a damaged part is refused in words and the other parts still answer.
import assert from 'node:assert/strict';
import { statSync } from 'node:fs';
import { join } from 'node:path';
import test from 'node:test';
import { firstDifference } from './support/births.mjs';
import { cliJson, siteFolder } from './support/native.mjs';
import {
  cliRows, localOf, openSiteAtlas, referenceRows, sampledNames, typedSearches,
} from './support/atlas.mjs';

// What the README promises, the clocks' hard cases, and the keys the split cut.
const fixedSearches = [
  { text: 'Madrid', limit: 10, date: '1980-07-01', time: '12:00' },
  { text: 'Madrid', limit: 2, date: '1900-01-01', time: '12:00' }, // local mean time
  { text: 'London', limit: 3, date: '1944-07-01', time: '12:00' }, // double summer time
  { text: 'New York', limit: 3, date: '2021-03-14', time: '2:30' }, // skipped
  { text: 'New York', limit: 3, date: '2021-11-07', time: '1:30' }, // repeated
  { text: 'Springfield, Illinois', limit: 10, date: '1943-06-01', time: '9:30' },
  { text: 'Paris, US', limit: 10 }, { text: 'London, UK', limit: 10 },
  { text: 'Moscow, Russian Federation', limit: 10 }, { text: 'Bombay', limit: 10 },
  { text: 'Москва', limit: 10 }, { text: 'Київ', limit: 10 }, { text: 'Санкт-Петербург', limit: 10 },
  { text: 'Αθήνα', limit: 10 }, { text: 'मुंबई', limit: 10 }, { text: '東京', limit: 10 }, { text: '東', limit: 50 },
  { text: 'القاهرة', limit: 10 }, { text: 'תל אביב', limit: 10 }, { text: '서울', limit: 10 },
  { text: 'ＭＯＳＣＯＷ', limit: 10 }, { text: '\ufeffMoscow', limit: 10 }, { text: 'qxzqxzq', limit: 10 },
  ...['s', 's ', 's, texas', 'sa', 'de ', 'a, US', 'm,', 'k, ind, b'].map((text) => ({ text, limit: 50 })),
];

test("thousands of searches list selenoscope-cli place --json's rows", async () => {
  const searches = [...typedSearches(sampledNames(400, 7), 11), ...fixedSearches];
  const expected = referenceRows(searches);
  assert.equal(expected.length, searches.length, 'one answer per search');
  const { atlas } = await openSiteAtlas();
  let rows = 0;
  for (const [i, search] of searches.entries()) {
    const found = await atlas.search(search.text, { limit: search.limit, local: localOf(search) });
    const difference = firstDifference(found.rows, expected[i]);
    if (difference) assert.fail(`${JSON.stringify(search)}: ${difference}`);
    rows += found.rows.length;
  }
  // Every way in was taken: scripts, commas, clocks of every kind.
  assert.ok(searches.length >= 2000, `${searches.length} searches`);
  const scripts = new Set(searches.map((s) => s.text.codePointAt(0) >> 7));
  assert.ok(scripts.size >= 40, `${scripts.size} blocks of first letters`);
  assert.ok(searches.filter((s) => s.text.includes(',')).length > 400, 'searches with a comma');
  const clocks = expected.flat().map((row) => row.clock?.local_time).filter(Boolean);
  for (const kind of ['unique', 'skipped', 'repeated']) assert.ok(clocks.includes(kind), `a ${kind} local time`);
  assert.ok(rows > 10_000, `${rows} rows`);
});

test("the reference's answers are selenoscope-cli place --json's own", () => {
  const searches = [...typedSearches(sampledNames(60, 3), 5).filter((s, i) => i % 25 === 0), ...fixedSearches]
    .filter((s) => s.text.trim() !== '');
  const expected = referenceRows(searches);
  searches.forEach((search, i) =>
    assert.equal(firstDifference(cliRows(search), expected[i]), '', JSON.stringify(search)));
});

test('a first search fetches within 1.5 MB, and the later letters of a name nothing more', async () => {
  const searchBytes = ['selenoscope-atlas.mjs', 'selenoscope-atlas.wasm']
    .reduce((sum, file) => sum + statSync(join(siteFolder(), 'atlas', file)).size, 0);
  const bytes = (paths) => paths.reduce((sum, path) => sum + statSync(join(siteFolder(), path)).size, 0);
  const names = sampledNames(0, 13).map((n) => n.name).filter((name) => !/[,，]/.test(name));
  assert.ok(names.length > 100, `${names.length} names`);
  for (const name of names.filter((_, i) => i % 3 === 0)) {
    const { atlas, read } = await openSiteAtlas();
    const letters = [...name];
    await atlas.search(letters[0]);
    const first = [...read];
    assert.ok(bytes(first) + searchBytes <= 1.5e6, `"${letters[0]}" fetched ${first.join(', ')}`);
    for (let n = 2; n <= letters.length; ++n) await atlas.search(letters.slice(0, n).join(''));
    const parts = read.filter((path) => /^atlas\/\d+\.part$/.test(path));
    assert.ok(parts.length <= 1, `typing "${name}" fetched ${parts.join(', ')}`);
  }
});

// A part spoiled on its way (or the common part), the words that refuse it, and then a
// search that another part answers.
const spoiled = [
  { name: 'a part cut short', part: true, spoil: (b) => b.subarray(0, 1000), why: /^The atlas's part \d{3}\.part cannot be used: it is cut short \(1000 of \d+ bytes\)\.$/ },
  { name: 'a byte of a part changed', part: true, spoil: (b) => { const c = Uint8Array.from(b); c[c.length - 3] ^= 1; return c; }, why: /^The atlas's part \d{3}\.part cannot be used: it is damaged \(its checksum does not match\)\.$/ },
  { name: 'a part of another file', part: true, spoil: (b) => new TextEncoder().encode('<!doctype html>'.repeat(100)), why: /^The atlas's part \d{3}\.part cannot be used: it is cut short/ },
  { name: 'the common part damaged', part: false, spoil: (b) => { const c = Uint8Array.from(b); c[400] ^= 1; return c; }, why: /^The atlas's common part cannot be used: it is damaged \(its checksum does not match\)\.$/ },
];

for (const { name, part, spoil, why } of spoiled) {
  test(`${name} is refused in words, and the rest of the atlas answers`, async () => {
    let spoilt = '';
    const spoilOnce = (path, bytes) => {
      const target = part ? /^atlas\/\d+\.part$/.test(path) : path === 'atlas/common.part';
      if (!target || spoilt) return bytes;
      spoilt = path;
      return spoil(bytes);
    };
    if (!part) {
      await assert.rejects(openSiteAtlas({ spoil: spoilOnce }), (error) => why.test(error.message));
      return;
    }
    const { atlas } = await openSiteAtlas({ spoil: spoilOnce });
    await assert.rejects(atlas.search('Madrid'), (error) => why.test(error.message));
    assert.equal((await atlas.search('東京')).listed[0], 'Tokyo (also 東京)');
    // The part is fetched again at the next search, whole this time.
    assert.equal((await atlas.search('Madrid')).rows[0].country, 'Spain');
  });
}

// The embedding module's places() and births by a place, as the tool answers the same
// texts; and the refusals only the module's texts can carry, in its own words.
const madridBirth = { date: '1980-07-01', time: '12:00', place: 'Madrid' };
const asTool = [
  { name: 'places at a date and time', places: ['Madrid', { date: '1980-07-01', time: '12:00', limit: 3 }],
    args: ['place', 'Madrid', '--date', '1980-07-01', '--time', '12:00', '--limit', '3'] },
  { name: 'places, the second of a repeated time', places: ['New York', { date: '2021-11-07', time: '1:30', occurrence: 'second' }],
    args: ['place', 'New York', '--date', '2021-11-07', '--time', '1:30', '--occurrence', 'second'] },
  { name: 'places nowhere', places: ['qxzqxzq', {}], args: ['place', 'qxzqxzq'], tool: [] },
  { name: 'places on a date its month lacks', places: ['Madrid', { date: '1980-02-30', time: '12:00' }],
    args: ['place', 'Madrid', '--date', '1980-02-30', '--time', '12:00'] },
  { name: 'a reading by a place', command: 'reading', birth: madridBirth,
    args: ['reading', '--date', '1980-07-01', '--time', '12:00', '--place', 'Madrid'] },
  // The tool's details and periods use its precise Moon, which the page lacks: the instant
  // and the place used are what a birth by a place decides.
  { name: 'details by a place, its coordinates typed', command: 'details', pick: ['instant', 'place'], birth: { ...madridBirth, longitude: '3:40W', latitude: '40:20N' },
    args: ['details', '--date', '1980-07-01', '--time', '12:00', '--place', 'Madrid', '--longitude', '3:40W', '--latitude', '40:20N'] },
  { name: 'periods by a place, the second of a repeated time', command: 'dasha', pick: ['place'],
    birth: { date: '2021-11-07', time: '1:30', place: 'New York', occurrence: 'second' }, options: { levels: 1 },
    args: ['dasha', '--date', '2021-11-07', '--time', '1:30', '--place', 'New York', '--occurrence', 'second', '--levels', '1'] },
  { name: 'a place that matches nothing', command: 'reading', birth: { ...madridBirth, place: 'qxzqxzq' },
    args: ['reading', '--date', '1980-07-01', '--time', '12:00', '--place', 'qxzqxzq'] },
];
const moduleOnly = [
  { name: 'a limit out of range', places: ['Madrid', { limit: 0 }], error: 'the limit must be a whole number from 1 to 50' },
  { name: 'a limit that is no number', places: ['Madrid', { limit: 'ten' }], error: 'the limit must be a whole number from 1 to 50' },
  { name: 'a date without its time', places: ['Madrid', { date: '1980-07-01' }], error: 'the date and the time go together: give both or neither' },
  { name: 'an occurrence without the date', places: ['Madrid', { occurrence: 'second' }], error: 'the occurrence needs the date and the time' },
  { name: 'an occurrence of neither kind', places: ['Madrid', { date: '1980-07-01', time: '12:00', occurrence: 'third' }], error: 'the occurrence must be first or second' },
  { name: 'no name to look for', places: [' , ', {}], error: 'the place to look for is empty: give a place\'s name, such as "Springfield, Illinois"' },
  { name: 'a place and a zone', command: 'reading', birth: { ...madridBirth, zone: '1' }, error: 'Give only one of the zone, the UTC offset and the place of the birth' },
  { name: 'a birth occurrence of neither kind', command: 'reading', birth: { ...madridBirth, occurrence: 'last' }, error: 'occurrence must be first or second' },
];

test('the module\'s places() and births by a place answer as the tool does', async () => {
  const { atlas } = await openSiteAtlas();
  const ask = ({ places, command, birth, options }) => (places ? atlas.places(...places) : atlas.tool(command, birth, options));
  const picked = (answer, keys) => (keys ? Object.fromEntries(keys.map((key) => [key, answer[key]])) : answer);
  for (const row of asTool) {
    // The tool lists no place as an empty array and says so on standard error.
    const tool = row.tool ?? cliJson(row.args);
    assert.deepEqual(picked(await ask(row), row.pick), picked(tool, row.pick), row.name);
  }
  for (const row of moduleOnly) assert.deepEqual(await ask(row), { error: row.error }, row.name);
});
