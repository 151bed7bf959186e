// The page computes with the same C++ as the desktop and the command-line tool, compiled
// to WebAssembly: over random births its answers must be the tool's, texts byte for byte,
// refusals and their messages included, numbers bit for bit. Only the longitudes and the
// distances to the edges pass through the C library's sine and cosine, whose last bits
// differ between the system's library and the WebAssembly one (up to about 1e-11 degree
// has been seen): those must read the same as the tool writes them and lie within a
// hundred times that of each other.
import assert from 'node:assert/strict';
import { join } from 'node:path';
import test from 'node:test';
import { pathToFileURL } from 'node:url';
import { birthFields, birthsCsv, firstDifference, generateBirths } from './support/births.mjs';
import { cliReadings, nativeDetails, siteFile, siteFolder } from './support/native.mjs';

const { loadCore } = await import(pathToFileURL(join(siteFolder(), 'core.mjs')).href);
const core = await loadCore({ wasmBinary: siteFile('selenoscope-core.wasm') });

const sineAndCosine = {
  longitude: { decimals: 6, within: 1e-9 }, // degrees
  sign_edge_arcsec: { decimals: 1, within: 4e-6 }, // seconds of arc
  nakshatra_edge_arcsec: { decimals: 1, within: 4e-6 },
};

const cases = [
  { name: 'the four texts of 200,000 births', births: 200_000, seed: 1, native: cliReadings, web: core.reading },
  { name: 'the details of 20,000 births, field for field', births: 20_000, seed: 2, native: nativeDetails, web: core.details },
];

for (const { name, births: count, seed, native, web } of cases) {
  test(`${name} are the command-line tool's`, () => {
    const births = generateBirths(count, seed);
    const expected = native(birthsCsv(births));
    assert.equal(expected.length, births.length, 'one native answer per birth');
    let refused = 0;
    for (const [i, birth] of births.entries()) {
      const actual = web(birthFields(birth));
      const difference = firstDifference(actual, expected[i], sineAndCosine);
      if (difference) assert.fail(`birth ${i + 1} (${birthsCsv([birth]).split('\n')[1]}): ${difference}`);
      if (actual.refusal) ++refused;
    }
    // The births reach every way in: refusals, true offsets, daylight saving, every hemisphere.
    assert.ok(refused > count / 500, `${refused} refusals`);
    const share = (test) => births.filter(test).length / count;
    for (const [what, test] of Object.entries({
      'true offsets': (b) => !b.zone, 'daylight saving': (b) => b.zone?.dst,
      west: (b) => !b.east, south: (b) => b.south, 'before 1950': (b) => b.year < 1950,
    }))
      assert.ok(share(test) > 0.1, `${what}: ${share(test)}`);
  });
}
