// The offline atlas in the page: the C++ search in a WebAssembly module of its own,
// loaded with the atlas's common part on the first search, never with the page. The
// atlas is split by the first letters of the names searched; each search fetches the
// part its text needs, once a session, and answers with selenoscope-cli place --json's
// rows. Nothing here searches or ranks: the module does.

import { block, bytesIn, formTexts, toolCommands, toolTexts } from './core.mjs';

const siteFolder = new URL('./', import.meta.url);
const encoder = new TextEncoder();
const decoder = new TextDecoder();

/// Why the atlas cannot answer, in words for the finder.
export class AtlasError extends Error {}

/// A file of the site in the finder's words.
function named(path) {
  if (path === 'atlas/common.part') return "The atlas's common part";
  if (path.endsWith('.wasm')) return "The atlas's search";
  if (path.startsWith('atlas/')) return `The atlas's part ${path.slice('atlas/'.length)}`;
  return `The time zones' table ${path}`;
}

/// Fetches a file of the site; the response, once it has come whole or in part.
async function fetchResponse(path) {
  let response;
  try {
    response = await fetch(new URL(path, siteFolder));
  } catch (error) {
    throw new AtlasError(`${named(path)} could not be fetched: the server cannot be reached (${error.message}).`);
  }
  if (!response.ok) throw new AtlasError(`${named(path)} could not be fetched (${response.status} ${response.statusText}).`);
  return response;
}

/// Fetches a file of the site as bytes.
async function fetchFile(path) {
  return new Uint8Array(await (await fetchResponse(path)).arrayBuffer());
}

/// The search's code compiled: while it downloads, where the browser can.
async function compileSearch(load) {
  const path = 'atlas/selenoscope-atlas.wasm';
  const streaming = load === fetchFile && WebAssembly.compileStreaming;
  const compiled = streaming ? WebAssembly.compileStreaming(fetchResponse(path)) : WebAssembly.compile(await load(path));
  return compiled.catch((error) => {
    throw error instanceof AtlasError ? error : new AtlasError(`${named(path)} cannot be used (${error.message}).`);
  });
}

/// The search's own module, made ready; it comes with the first search, its code fetched
/// and compiled while its loader is fetched.
async function loadSearch(load, moduleOptions) {
  const [loader, code] = await Promise.all([
    import('./atlas/selenoscope-atlas.mjs').catch((error) => {
      throw new AtlasError(`The atlas's search could not be loaded (${error.message}).`);
    }),
    compileSearch(load),
  ]);
  let refused;
  const linking = new Promise((_, reject) => { refused = reject; });
  const instantiateWasm = (imports, receive) => {
    WebAssembly.instantiate(code, imports).then((instance) => receive(instance, code), refused);
    return {};
  };
  try {
    return await Promise.race([loader.default({ ...moduleOptions, instantiateWasm }), linking]);
  } catch (error) {
    throw new AtlasError(`The atlas's search could not be started (${error.message ?? error}).`);
  }
}

/// The birth's local date and time as the search's block wants them.
function timeTexts(local) {
  if (!local) return ['', '', '', '', ''];
  return [local.year, local.month, local.day, local.hour, local.minute].map((n) => String(n));
}

/// Opens the atlas. load(path) gives a file of the site as bytes (by default fetched next
/// to this module); moduleOptions go to emscripten's loader.
export async function openAtlas({ load = fetchFile, moduleOptions = {} } = {}) {
  // The module compiles while the common part and the zones' table arrive; the table is
  // read only once the first search has asked for its part.
  let zones = load('zones.table');
  zones.catch(() => {});
  const [module, common] = await Promise.all([loadSearch(load, moduleOptions), load('atlas/common.part')]);

  const withBytes = bytesIn(module);
  const text = (at) => decoder.decode(module.HEAPU8.subarray(at, at + module._selenoscope_atlas_answer_size()));
  const lastAnswer = () => text(module._selenoscope_atlas_answer());
  const ask = (fn, parts, ...more) =>
    JSON.parse(withBytes(encoder.encode(`${parts.join('\0')}\0`), (at) => text(fn(at, ...more))));

  if (!withBytes(common, (at, size) => module._selenoscope_atlas_open(at, size))) throw new AtlasError(lastAnswer());
  let zonesUsed = null;
  const useZones = () => {
    zonesUsed ??= zones.then((bytes) => {
      if (!withBytes(bytes, (at, size) => module._selenoscope_atlas_use_zones(at, size)))
        throw new AtlasError(`${named('zones.table')} cannot be used: ${lastAnswer()}.`);
    }).catch((error) => {
      // Fetched again at the next search.
      zonesUsed = null;
      zones = load('zones.table');
      zones.catch(() => {});
      throw error;
    });
    return zonesUsed;
  };

  const parts = new Map(); // number: the promise of its arrival, kept for the session
  const part = ({ number, name }) => {
    if (!parts.has(number)) {
      const arrival = load(`atlas/${name}`).then((bytes) => {
        if (!withBytes(bytes, (at, size) => module._selenoscope_atlas_add(number, at, size)))
          throw new AtlasError(lastAnswer());
      });
      // A part that did not come may come at the next search.
      arrival.catch(() => parts.delete(number));
      parts.set(number, arrival);
    }
    return parts.get(number);
  };
  // The tool's texts in one block, as the core module takes them.
  const askBlock = (fn, texts, ...more) => JSON.parse(withBytes(block(texts), (at, size) => text(fn(...more, at, size))));
  const searchBlock = (query, { limit = 50, local = null, occurrence = 0 }) =>
    [query, String(limit), ...timeTexts(local), occurrence === 1 ? '1' : '0'];
  const answered = (answer) => {
    if (answer.refusal) throw new AtlasError(answer.refusal.message);
    return answer;
  };
  const ready = async (query, limit) => {
    const arriving = ask(module._selenoscope_atlas_missing, [query], limit).map(part);
    await useZones();
    await Promise.all(arriving);
  };

  return {
    /// {rows, listed}: at most limit rows (50 at most) as selenoscope-cli place --json
    /// writes them, with the clock at local ({year, month, day, hour, minute}) when given,
    /// and the names the finder lists them by. Throws an AtlasError the finder shows.
    async search(query, options = {}) {
      await ready(query, options.limit ?? 50);
      return answered(ask(module._selenoscope_atlas_find, searchBlock(query, options)));
    },
    /// The row's place chosen: the finder's clock line, its notes and the captions of a
    /// repeated time's two occurrences, and the fields it fills, named as the birth's.
    async choose(query, row, options = {}) {
      await ready(query, options.limit ?? 50);
      return answered(ask(module._selenoscope_atlas_choose, searchBlock(query, options), row));
    },
    /// The row's place asked at a reading of the form's fields (named as core.mjs names
    /// them): {utc_offset_seconds, question} where question ({text, use_clock,
    /// use_entered}) is null when the zone fields give the clock's universal time.
    async question(query, row, options, fields) {
      await ready(query, options.limit ?? 50);
      const search = encoder.encode(`${searchBlock(query, options).join('\0')}\0`);
      return answered(withBytes(search, (searchAt) => JSON.parse(withBytes(block(formTexts(fields)),
        (at, size) => text(module._selenoscope_atlas_question(searchAt, row, at, size))))));
    },
    /// The places the query finds as selenoscope-cli place --json lists them, for
    /// {date, time, limit, occurrence} as its options; or {error} with its words.
    async places(query, { date, time, limit, occurrence } = {}) {
      const texts = [query, date, time, limit, occurrence].map((value) => (value == null ? '' : String(value)));
      await ready(texts[0], Number(texts[3] || 10));
      return askBlock(module._selenoscope_atlas_places, texts);
    },
    /// A birth by a place: the core's answer (see core.mjs's tool) with the place it used.
    async tool(command, birth, options) {
      await ready(String(birth.place), 1);
      return askBlock(module._selenoscope_atlas_tool, toolTexts(birth, options), toolCommands[command]);
    },
  };
}

let pageAtlas = null;

/// The page's one atlas, opened on first use; a failed opening is tried again next time.
export function atlas() {
  if (!pageAtlas) {
    pageAtlas = openAtlas();
    pageAtlas.catch(() => { pageAtlas = null; });
  }
  return pageAtlas;
}
