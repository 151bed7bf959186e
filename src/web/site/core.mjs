// The page's C++ core: the WebAssembly module (selenoscope-core.mjs and .wasm) behind
// its plain C functions. A birth goes in as the entry window's typed fields, named as
// the C++ BirthDataFields names them; the answers come back as the C++ wrote them, in
// the shapes of selenoscope-cli's --json. Nothing here computes or checks a birth.
import loadSelenoscopeCore from './selenoscope-core.mjs';

// The fields' texts, then the three choices, in the order the C++ reads the block.
const texts = [
  'name', 'month', 'day', 'year', 'hour', 'minute', 'zoneHour', 'zoneMinute',
  'longitudeDegrees', 'longitudeMinutes', 'latitudeDegrees', 'latitudeMinutes',
];
const choices = ['east', 'south', 'daylightSaving'];

const encoder = new TextEncoder();
const decoder = new TextDecoder();

/// The birth as one block of NUL-terminated UTF-8 texts. utcOffsetSeconds, when given,
/// is the local clock's true offset (East positive); without it the zone fields count.
function block(fields) {
  const parts = texts.map((key) => String(fields[key] ?? ''));
  for (const key of choices) parts.push(fields[key] ? '1' : '0');
  parts.push(Number.isInteger(fields.utcOffsetSeconds) ? String(fields.utcOffsetSeconds) : '');
  return encoder.encode(`${parts.join('\0')}\0`);
}

/// Loads the module; options go to emscripten's loader (wasmBinary, where fetch cannot).
export async function loadCore(options = {}) {
  const module = await loadSelenoscopeCore(options);

  const withBytes = (bytes, use) => {
    const at = module._malloc(bytes.length);
    try {
      module.HEAPU8.set(bytes, at);
      return use(at, bytes.length);
    } finally {
      module._free(at);
    }
  };
  const answer = (at) => decoder.decode(module.HEAPU8.subarray(at, at + module._selenoscope_answer_size()));
  const ask = (fn, fields) => JSON.parse(withBytes(block(fields), (at) => answer(fn(at))));

  return {
    /// {sidereal: {geocentric, topocentric}, tropical: {...}} or {refusal: {message}}.
    reading: (fields) => ask(module._selenoscope_reading, fields),
    /// {instant: {...}, readings: [...]} or {refusal: {message}}.
    details: (fields) => ask(module._selenoscope_details, fields),
    /// Makes the place clock read the zone table (zones.table); false with the reason when damaged.
    useZones: (bytes) => {
      const used = withBytes(bytes, (at, size) => module._selenoscope_use_zones(at, size)) === 1;
      return { used, error: used ? '' : answer(module._selenoscope_answer()) };
    },
  };
}
