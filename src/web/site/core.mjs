// The page's C++ core: the WebAssembly module (selenoscope-core.mjs and .wasm) behind its
// plain C functions. A birth goes in as texts (the entry window's fields, named as the C++
// BirthDataFields names them, or the tool's options); the answers come back as the C++
// wrote them. Nothing here computes or checks a birth.
import loadSelenoscopeCore from './selenoscope-core.mjs';

// The form's texts, then its three choices, in the order the C++ reads the block.
const fieldTexts = [
  'name', 'month', 'day', 'year', 'hour', 'minute', 'zoneHour', 'zoneMinute',
  'longitudeDegrees', 'longitudeMinutes', 'latitudeDegrees', 'latitudeMinutes',
];
const fieldChoices = ['east', 'south', 'daylightSaving'];
// The tool's texts of a birth (selenoscope-cli's options), then the periods' options.
const toolBirth = ['date', 'time', 'longitude', 'latitude', 'zone', 'dst', 'utc_offset', 'place', 'occurrence'];
const toolPeriods = ['year_days', 'time_uncertainty', 'levels'];
export const toolCommands = { reading: 0, details: 1, dasha: 2 };

const encoder = new TextEncoder();
const decoder = new TextDecoder();

/// The texts as one block: each a four-byte length (little-endian), then its UTF-8 bytes.
export function block(texts) {
  const parts = texts.map((text) => encoder.encode(text));
  const bytes = new Uint8Array(parts.reduce((size, part) => size + 4 + part.length, 0));
  const view = new DataView(bytes.buffer);
  let at = 0;
  for (const part of parts) {
    view.setUint32(at, part.length, true);
    bytes.set(part, at + 4);
    at += 4 + part.length;
  }
  return bytes;
}

/// A value as the text a user would have typed; nothing for an absent one.
const asText = (value) => (value === undefined || value === null ? '' : String(value));

/// A birth and the periods' options as the tool's texts, in the order the C++ reads them.
export const toolTexts = (birth, options) =>
  [...toolBirth.map((key) => asText(birth?.[key])), ...toolPeriods.map((key) => asText(options?.[key]))];

/// The form's fields as texts. utcOffsetSeconds, when given, is the local clock's true
/// offset (East positive); without it the zone fields count.
export const formTexts = (fields) => [
  ...fieldTexts.map((key) => asText(fields[key])),
  ...fieldChoices.map((key) => (fields[key] ? '1' : '0')),
  Number.isInteger(fields.utcOffsetSeconds) ? String(fields.utcOffsetSeconds) : '',
];

/// For an emscripten module: withBytes(bytes, use) copies the bytes into the module's
/// memory for the call use(at, size), and frees them after it.
export const bytesIn = (module) => (bytes, use) => {
  const at = module._malloc(Math.max(bytes.length, 1));
  try {
    module.HEAPU8.set(bytes, at);
    return use(at, bytes.length);
  } finally {
    module._free(at);
  }
};

/// Loads the module; options go to emscripten's loader (wasmBinary, where fetch cannot).
export async function loadCore(options = {}) {
  const module = await loadSelenoscopeCore(options);

  const withBytes = bytesIn(module);
  const answer = (at) => decoder.decode(module.HEAPU8.subarray(at, at + module._selenoscope_answer_size()));
  const ask = (fn, texts) => JSON.parse(withBytes(block(texts), (at, size) => answer(fn(at, size))));
  const form = (fn) => (fields) => ask(fn, formTexts(fields ?? {}));

  return {
    /// What the form is built from: its lists, boxes, time zones, links and offers.
    page: () => JSON.parse(answer(module._selenoscope_page())),
    /// The character (a code point) that arrives when typed into the named box; 0: refused.
    key: (box, codePoint) => withBytes(encoder.encode(`${box}\0`), (at) => module._selenoscope_key(at, codePoint)) >>> 0,
    /// {sidereal: {geocentric, topocentric}, tropical: {...}} or {refusal: {message, icon, focus}}.
    reading: form(module._selenoscope_reading),
    /// The details in the tool's shape, or the refusal.
    details: form(module._selenoscope_details),
    /// The details window's words, or the refusal.
    detailsWords: form(module._selenoscope_details_words),
    /// The tool's answers for its birth texts: 'reading', 'details' or 'dasha' (with
    /// options), each in the shape of selenoscope-cli's --json, or {error}.
    tool: (command, birth, options) => ask(
      (at, size) => module._selenoscope_tool(toolCommands[command], at, size), toolTexts(birth, options)),
    /// Makes the place clock read the zone table (zones.table); false with the reason when damaged.
    useZones: (bytes) => {
      const used = withBytes(bytes, (at, size) => module._selenoscope_use_zones(at, size)) === 1;
      return { used, error: used ? '' : answer(module._selenoscope_answer()) };
    },
  };
}
