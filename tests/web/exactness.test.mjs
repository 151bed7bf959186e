// The WebAssembly core in Node against the native tool: the same births, as the entry
// window's fields (the page's form) and as the tool's texts (the embedding module), give
// the same answers as selenoscope-cli and the native reference (its details and periods
// in a build without the precise Moon, as the page's): every text, time and refusal the
// same bytes. The longitudes and distances to an edge pass through the C library's sine
// and cosine, whose last bits differ between the system's library and the WebAssembly one:
// those must read the same to the digits the tool writes and lie within a hundred times
// that of each other.
import assert from 'node:assert/strict';
import { join } from 'node:path';
import test from 'node:test';
import { pathToFileURL } from 'node:url';
import { birthFields, birthTexts, birthsCsv, firstDifference, generateBirths } from './support/births.mjs';
import { asToolAnswer, cliReadings, nativeDasha, nativeDetails, siteFile, siteFolder } from './support/native.mjs';

const { loadCore } = await import(pathToFileURL(join(siteFolder(), 'core.mjs')).href);
const core = await loadCore({ wasmBinary: siteFile('selenoscope-core.wasm') });

const sineAndCosine = {
  longitude: { decimals: 6, within: 1e-9 }, // degrees
  sign_edge_arcsec: { decimals: 1, within: 4e-6 }, // seconds of arc
  nakshatra_edge_arcsec: { decimals: 1, within: 4e-6 },
  band_arcsec: { decimals: 6, within: 1e-9 }, // the Moon's motion over the birth time's uncertainty
  band_days: { decimals: 9, within: 1e-12 },
};

const form = (ask) => (birth) => asToolAnswer(ask(birthFields(birth)));
const module = (command, options) => (birth) => core.tool(command, birthTexts(birth), options);
const periods = [
  { year_days: 365.25, time_uncertainty: 0, levels: 1 },
  { year_days: 360, time_uncertainty: 30, levels: 2 },
  { year_days: 365.2425, time_uncertainty: 5, levels: 3 },
];

const cases = [
  { name: "the form's four texts of 200,000 births", births: 200_000, seed: 1, native: cliReadings, web: form(core.reading) },
  { name: "the form's details of 20,000 births, field for field", births: 20_000, seed: 2, native: nativeDetails, web: form(core.details) },
  { name: "the module's readings of 5,000 births", births: 5_000, seed: 4, native: cliReadings, web: module('reading') },
  { name: "the module's details of 2,000 births", births: 2_000, seed: 5, native: nativeDetails, web: module('details') },
  ...periods.map((options, i) => ({
    name: `the module's periods of 400 births, ${JSON.stringify(options)}`, births: 400, seed: 6 + i,
    native: (csv) => nativeDasha(csv, options), web: module('dasha', options),
  })),
];

for (const { name, births: count, seed, native, web } of cases) {
  test(`${name} are the command-line tool's`, () => {
    const births = generateBirths(count, seed);
    const expected = native(birthsCsv(births));
    assert.equal(expected.length, births.length, 'one native answer per birth');
    let refused = 0;
    for (const [i, birth] of births.entries()) {
      const actual = web(birth);
      const difference = firstDifference(actual, expected[i], sineAndCosine);
      if (difference) assert.fail(`birth ${i + 1} (${birthsCsv([birth]).split('\n')[1]}): ${difference}`);
      if (actual.error) ++refused;
    }
    // The births reach every way in: refusals, true offsets, daylight saving, every hemisphere.
    assert.ok(refused > count / 500 && refused < count / 20, `${refused} refusals`);
    const share = (test) => births.filter(test).length / count;
    for (const [what, test] of Object.entries({
      'true offsets': (b) => !b.zone, 'daylight saving': (b) => b.zone?.dst,
      west: (b) => !b.east, south: (b) => b.south, 'before 1950': (b) => b.year < 1950,
    }))
      assert.ok(share(test) > 0.1, `${what}: ${share(test)}`);
  });
}

// What the module answers for a birth or options it cannot read: the tool's words, never
// an exception.
const refusals = [
  ['no instant', { date: '2000-01-01', time: '12:00', longitude: '77:13E', latitude: '28:37N' }, {},
    'Give the zone, the UTC offset or the place of the birth'],
  ['a 13th month', { date: '2000-13-01', time: '12:00', longitude: '77:13E', latitude: '28:37N', zone: '5:30' }, {},
    'The month must lie between 1 and 12'],
  ['the entry window refuses a 30 February', { date: '2000-02-30', time: '12:00', longitude: '77:13E', latitude: '28:37N', zone: '5:30' }, {},
    'Please Enter Correct Date Or Month!'],
  ['a zone beyond 12 hours', { date: '2000-01-01', time: '12:00', longitude: '77:13E', latitude: '28:37N', zone: 13 }, {},
    'Please Enter Value Between 0 And 12 in the Zone Hour'],
  ['dst that is no truth', { date: '2000-01-01', time: '12:00', longitude: '77:13E', latitude: '28:37N', zone: '5:30', dst: 'yes' }, {},
    'dst must be true or false'],
  ['a place, which needs the atlas', { date: '2000-01-01', time: '12:00', place: 'Delhi' }, {},
    'This build has no atlas to look the place up in'],
  ['no birth at all', null, {}, 'The date must be written as YYYY-MM-DD, such as 2000-01-01'],
  ['a dasha year of 500 days', { date: '2000-01-01', time: '12:00', longitude: '77:13E', latitude: '28:37N', zone: '5:30' },
    { year_days: 500 }, 'A dasha year must lie between 300 and 400 days.'],
  ['levels that are no number', { date: '2000-01-01', time: '12:00', longitude: '77:13E', latitude: '28:37N', zone: '5:30' },
    { levels: 'all' }, 'The levels of periods must be 1, 2 or 3.'],
  ['two and a half levels', { date: '2000-01-01', time: '12:00', longitude: '77:13E', latitude: '28:37N', zone: '5:30' },
    { levels: 2.5 }, 'The levels of periods must be 1, 2 or 3.'],
];

test("the module refuses in the tool's words", () => {
  for (const [name, birth, options, message] of refusals)
    assert.deepEqual(core.tool('dasha', birth, options), { error: message }, name);
});
