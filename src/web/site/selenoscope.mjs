// Selenoscope for other sites' pages: the readings, their details and the Vimshottari
// periods of a birth, computed in the browser by the same C++ as the desktop program and
// selenoscope-cli. A birth and the answers have the shapes of selenoscope-cli's --json:
//
//   import { reading } from './selenoscope.mjs';
//   const moon = await reading({ date: '2000-01-01', time: '12:00', longitude: '77:13E',
//                                latitude: '28:37N', zone: '5:30', dst: false });
//   // moon.sidereal.geocentric === `16° 42' 10" Lib`
//
// The instant is `zone` (with `dst`) or `utc_offset` ('+05:30'). A birth the checks refuse
// answers { error: message } with the entry window's or the tool's own message.
import { loadCore } from './core.mjs';

let core;

/// The module, loaded on first use; a failed load is tried again on the next call.
function ready() {
  core ??= loadCore().catch((error) => {
    core = undefined;
    throw error;
  });
  return core;
}

/// { sidereal: { geocentric, topocentric }, tropical: { ... } }, as `reading --json`.
export async function reading(birth) {
  return (await ready()).tool('reading', birth);
}

/// { instant, readings, precise_unavailable }, as `details --json` (this build has no
/// precise Moon: each reading's `precise` is null).
export async function details(birth) {
  return (await ready()).tool('details', birth);
}

/// The periods, as `dasha --json`; options { year_days, time_uncertainty, levels } as the
/// tool's --year-days, --time-uncertainty and --levels (365.25, 0 and 2 when left out).
export async function dasha(birth, options = {}) {
  return (await ready()).tool('dasha', birth, options);
}
