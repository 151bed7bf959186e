// Varied births for the web tests, the same for the same seed, written once in JavaScript
// and fed to both sides: as a CSV for selenoscope-cli and the native reference, and as the
// entry window's fields for the WebAssembly core. Dates 1900 to 2050, both hemispheres,
// zones with and without daylight saving, clocks' true offsets, and a few births the
// checks refuse (a 30 February, a zone beyond 12 hours).

const monthNames = ['January', 'February', 'March', 'April', 'May', 'June', 'July', 'August',
  'September', 'October', 'November', 'December'];

/// A small seeded generator (mulberry32): integers low to high, and chances.
export function randomSource(seed) {
  let state = seed >>> 0;
  const next = () => {
    state = (state + 0x6d2b79f5) >>> 0;
    let t = state;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
  return {
    pick: (low, high) => low + Math.floor(next() * (high - low + 1)),
    chance: (p) => next() < p,
  };
}

const leap = (year) => (year % 4 === 0 && year % 100 !== 0) || year % 400 === 0;
const daysIn = (month, year) =>
  [31, leap(year) ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31][month - 1];
const two = (n) => String(n).padStart(2, '0');

export function generateBirths(count, seed) {
  const r = randomSource(seed);
  const births = [];
  for (let i = 1; i <= count; ++i) {
    const year = r.pick(1900, 2050);
    const month = r.pick(1, 12);
    // Now and then a day the month lacks, which the checks refuse.
    const day = r.chance(0.01) ? r.pick(29, 31) : r.pick(1, daysIn(month, year));
    const birth = {
      name: `Person ${i}`, year, month, day, hour: r.pick(0, 23), minute: r.pick(0, 59),
      second: r.chance(0.2) ? r.pick(0, 59) : null,
      lonD: r.pick(0, 179), lonM: r.pick(0, 59), east: r.chance(0.5),
      latD: r.pick(0, 89), latM: r.pick(0, 59), south: r.chance(0.3),
    };
    if (r.chance(0.8)) {
      const zoneHour = r.chance(0.005) ? 13 : r.pick(0, 12);
      birth.zone = { hour: zoneHour, minute: r.chance(0.7) ? null : 15 * r.pick(0, 3), dst: r.chance(0.3) };
    } else {
      birth.offsetMinutes = 15 * r.pick(-48, 56);
    }
    births.push(birth);
  }
  return births;
}

/// The birth as selenoscope-cli's options take it, named as its --json names them (the
/// web page's module takes the same): zone and dst, or utc_offset.
export function birthTexts(b) {
  const texts = {
    date: `${b.year}-${two(b.month)}-${two(b.day)}`,
    time: `${b.hour}:${two(b.minute)}${b.second === null ? '' : `:${two(b.second)}`}`,
    longitude: `${b.lonD}:${two(b.lonM)}${b.east ? 'E' : 'W'}`,
    latitude: `${b.latD}:${two(b.latM)}${b.south ? 'S' : 'N'}`,
  };
  if (b.zone) {
    texts.zone = b.zone.minute === null ? `${b.zone.hour}` : `${b.zone.hour}:${two(b.zone.minute)}`;
    texts.dst = b.zone.dst;
  } else {
    const minutes = Math.abs(b.offsetMinutes);
    texts.utc_offset = `${b.offsetMinutes < 0 ? '-' : '+'}${two(Math.trunc(minutes / 60))}:${two(minutes % 60)}`;
  }
  return texts;
}

/// The births as selenoscope-cli batch reads them.
export function birthsCsv(births) {
  const lines = ['name,date,time,longitude,latitude,zone,dst,utc_offset'];
  for (const b of births) {
    const t = birthTexts(b);
    const dst = b.zone ? (b.zone.dst ? 'yes' : 'no') : '';
    lines.push([b.name, t.date, t.time, t.longitude, t.latitude, t.zone ?? '', dst, t.utc_offset ?? ''].join(','));
  }
  return `${lines.join('\n')}\n`;
}

/// The birth as the entry window's fields (BirthDataFields), typed as the tool reads its texts.
export function birthFields(b) {
  return {
    name: b.name, month: monthNames[b.month - 1], day: String(b.day), year: String(b.year),
    hour: String(b.hour), minute: String(b.minute),
    zoneHour: b.zone ? String(b.zone.hour) : '0',
    zoneMinute: b.zone && b.zone.minute !== null ? two(b.zone.minute) : '0',
    daylightSaving: b.zone ? b.zone.dst : false,
    utcOffsetSeconds: b.zone ? undefined : b.offsetMinutes * 60,
    longitudeDegrees: String(b.lonD), longitudeMinutes: two(b.lonM), east: b.east,
    latitudeDegrees: String(b.latD), latitudeMinutes: two(b.latM), south: b.south,
  };
}

/// RFC 4180 CSV (quoted fields with doubled quotes) as rows of fields.
export function parseCsv(text) {
  const rows = [];
  let row = [];
  let field = '';
  let quoted = false;
  for (let i = 0; i < text.length; ++i) {
    const c = text[i];
    if (quoted) {
      if (c === '"' && text[i + 1] === '"') { field += '"'; ++i; } else if (c === '"') quoted = false;
      else field += c;
    } else if (c === '"') quoted = true;
    else if (c === ',') { row.push(field); field = ''; }
    else if (c === '\n') { row.push(field); rows.push(row); row = []; field = ''; }
    else if (c !== '\r') field += c;
  }
  if (field !== '' || row.length > 0) { row.push(field); rows.push(row); }
  return rows;
}

/// Where two parsed JSON values first differ ('' when they are the same: texts, truths and
/// numbers bit for bit, except the numbers named in `shown`, which must read the same as the
/// tool writes them, with that many decimals, and lie within `within` of each other).
export function firstDifference(a, b, shown = {}, path = '') {
  const differ = () => `${path || 'value'}: ${JSON.stringify(a)} against ${JSON.stringify(b)}`;
  if (typeof a !== typeof b || Array.isArray(a) !== Array.isArray(b) || (a === null) !== (b === null))
    return differ();
  if (typeof a === 'number' && !Object.is(a, b)) {
    const rule = shown[path.slice(path.lastIndexOf('.') + 1)];
    return rule && a.toFixed(rule.decimals) === b.toFixed(rule.decimals) && Math.abs(a - b) <= rule.within
      ? '' : differ();
  }
  if (typeof a !== 'object' || a === null) return a === b ? '' : differ();
  const keys = Object.keys(a);
  if (keys.join() !== Object.keys(b).join()) return `${path || 'value'}: keys ${keys.join()} against ${Object.keys(b).join()}`;
  for (const key of keys) {
    const found = firstDifference(a[key], b[key], shown, `${path}.${key}`);
    if (found) return found;
  }
  return '';
}
