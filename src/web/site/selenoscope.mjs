// Selenoscope for other sites' pages: the readings, their details, the Vimshottari periods
// and the atlas's places of a birth, computed in the browser by the same C++ as the desktop
// program and selenoscope-cli. A birth and the answers have the shapes of selenoscope-cli's
// --json:
//
//   import { reading } from './selenoscope.mjs';
//   const moon = await reading({ date: '2000-01-01', time: '12:00', longitude: '77:13E',
//                                latitude: '28:37N', zone: '5:30', dst: false });
//   // moon.sidereal.geocentric === `16° 42' 10" Lib`
//
// The instant is `zone` (with `dst`), `utc_offset` ('+05:30') or `place` ('Madrid', with
// `occurrence` 'first' or 'second' where the clocks repeated the time); a birth by a place
// fetches the atlas's parts it needs and answers with the `place` it used. A birth the
// checks refuse answers { error: message } with the entry window's or the tool's own message.
import { loadCore } from './core.mjs';
import { atlas } from './atlas.mjs';

let core;

/// The module, loaded on first use; a failed load is tried again on the next call.
function ready() {
  core ??= loadCore().catch((error) => {
    core = undefined;
    throw error;
  });
  return core;
}

/// The answer to a birth: the atlas's module answers those by a place.
async function answer(command, birth, options) {
  if (birth?.place != null && birth.place !== '') return (await atlas()).tool(command, birth, options);
  return (await ready()).tool(command, birth, options);
}

/// { sidereal: { geocentric, topocentric }, tropical: { ... } }, as `reading --json`.
export function reading(birth) {
  return answer('reading', birth);
}

/// { instant, readings, precise_unavailable }, as `details --json` (this build has no
/// precise Moon: each reading's `precise` is null).
export function details(birth) {
  return answer('details', birth);
}

/// The periods, as `dasha --json`; options { year_days, time_uncertainty, levels } as the
/// tool's --year-days, --time-uncertainty and --levels (365.25, 0 and 2 when left out).
export function dasha(birth, options = {}) {
  return answer('dasha', birth, options);
}

/// The places a query finds, as `place QUERY --json`: options { date, time, limit,
/// occurrence } as its --date, --time, --limit (10 when left out) and --occurrence.
export async function places(query, options = {}) {
  return (await atlas()).places(query, options);
}
