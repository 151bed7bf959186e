// The place finder in the page, as the desktop's finder works: search as you type over the
// whole atlas (atlas.mjs, which fetches what a search needs), the places listed with the
// first chosen, the clock the chosen place kept at the birth's date and time under the
// list, and Enter or a double-click filling the entry fields. What it shows comes from
// the C++; a part the server cannot give is said in the finder's place, and the rest of
// the page goes on working. Importing it wires the page's finder and registers the
// service worker.
import { atlas } from './atlas.mjs';
import { registerOffline } from './offline.mjs';

/// The birth's local date and time from the entry lists, or null while they lack one.
export function formLocal(doc = document) {
  const number = (id) => Number.parseInt(doc.getElementById(id)?.value ?? '', 10);
  const month = doc.getElementById('cboMonth')?.selectedIndex ?? -1;
  const local = {
    year: number('cboYear'), month: month + 1, day: number('cboDate'), hour: number('cboHH'), minute: number('cboMM'),
  };
  return month >= 0 && Object.values(local).every(Number.isInteger) ? local : null;
}

// The link to the clock of the place the finder filled, as the entry window keeps it: while
// no coordinate, zone or DST field is changed by hand (the place's names may be), a new
// birth date or time re-derives the zone fields from the place's zone, and a reading takes
// the clock's true offset, asking first where the zone fields would give another universal
// time. {query, row, occurrence, zone: the zone fields written}, or null.
let link = null;
let linkedLocal = () => null;

/// What a reading of the form's fields (named as core.mjs names them) takes from the linked
/// place's clock: null at once without a link; else the promise of {utc_offset_seconds,
/// question} (see atlas.mjs).
export function clockAtReading(fields) {
  if (!link) return null;
  const { query, row, occurrence } = link;
  return atlas().then((opened) => opened.question(query, row, { local: linkedLocal(), occurrence }, fields));
}

/// Wires the finder's controls (txtSearch, lstPlaces, lblClock, lblNotes, the occurrences)
/// once; birthLocal() gives the birth's local date and time, or null.
export function wireFinder(doc = document, { birthLocal = () => formLocal(doc) } = {}) {
  const $ = (id) => doc.getElementById(id);
  const search = $('txtSearch');
  if (!search || search.dataset.finder) return;
  search.dataset.finder = 'wired';
  const list = $('lstPlaces');
  const occurrences = [$('optOccurrence0'), $('optOccurrence1')];
  let shown = { query: '', rows: [] }; // the listed search
  let current = -1;
  let asked = 0; // the latest question: answers to older ones are dropped

  // What the finder says under the list, and for which text (the tests wait for it).
  const say = (clock, notes = [], query = shown.query) => {
    $('lblClock').textContent = clock;
    $('lblNotes').textContent = notes.join('\n');
    $('lblClock').dataset.query = query;
  };
  const failed = (error, query = search.value) => {
    list.replaceChildren();
    search.setAttribute('aria-expanded', 'false');
    shown = { query: '', rows: [] };
    current = -1;
    $('fraOccurrence').hidden = true;
    say(error.message, ['Everything else on the page works: type the place, its coordinates and its zone by hand.'], query);
  };
  const options = () => ({ local: birthLocal(), occurrence: occurrences[1].checked ? 1 : 0 });
  linkedLocal = birthLocal;

  async function showClock() {
    const mine = ++asked;
    $('fraOccurrence').hidden = true;
    if (current < 0) {
      say(shown.query.trim() ? 'No place matches' : '');
      return;
    }
    try {
      const chosen = await (await atlas()).choose(shown.query, current, options());
      if (mine !== asked) return;
      say(chosen.clock_line ?? '', chosen.notes);
      if (chosen.occurrences.length === 2) {
        chosen.occurrences.forEach((caption, i) => { $(`lblOccurrence${i}`).textContent = caption; });
        $('fraOccurrence').hidden = false;
      }
    } catch (error) {
      if (mine === asked) failed(error, shown.query);
    }
  }

  function select(row) {
    current = row;
    [...list.children].forEach((item, i) => item.setAttribute('aria-selected', String(i === row)));
    if (row >= 0) {
      search.setAttribute('aria-activedescendant', list.children[row].id);
      list.children[row].scrollIntoView({ block: 'nearest' });
    } else {
      search.removeAttribute('aria-activedescendant');
    }
    occurrences[0].checked = true; // a new place starts from the first occurrence
    showClock();
  }

  async function find() {
    const mine = ++asked;
    const query = search.value;
    if (!query.trim()) {
      list.replaceChildren();
      shown = { query, rows: [] };
      select(-1);
      return;
    }
    try {
      const found = await (await atlas()).search(query, options());
      if (mine !== asked) return;
      shown = { query, rows: found.rows };
      list.replaceChildren(...found.rows.map((row, i) => {
        const item = doc.createElement('li');
        item.id = `place${i}`;
        item.setAttribute('role', 'option');
        const where = [row.region, row.country].filter(Boolean).join(', ');
        item.textContent = `${found.listed[i]} — ${where} (${row.fields.latitude} ${row.fields.longitude})`;
        return item;
      }));
      search.setAttribute('aria-expanded', String(found.rows.length > 0));
      select(found.rows.length > 0 ? 0 : -1);
    } catch (error) {
      if (mine === asked) failed(error, query);
    }
  }

  // Written by the finder, not by hand: no event, so the link stands.
  const set = (id, value) => {
    const control = $(id);
    if (!control) return;
    if (control.type === 'checkbox' || control.type === 'radio') control.checked = value;
    else control.value = value;
  };
  const writeZone = (f) => {
    set('txtZoneHour', f.zoneHour);
    set('txtZoneMinute', f.zoneMinute);
    set('chkDST', f.daylightSaving);
  };
  const zoneOf = (f) => ({ zoneHour: f.zoneHour, zoneMinute: f.zoneMinute, daylightSaving: f.daylightSaving, said: f.zoneSaid });

  // The entry fields get the chosen place as the desktop's finder fills them.
  async function fill() {
    if (current < 0) return;
    const asked = { query: shown.query, row: current, occurrence: options().occurrence };
    const chosen = await (await atlas()).choose(asked.query, asked.row, options());
    const f = chosen.fields;
    set('txtMCity', chosen.city);
    set('txtMState', chosen.state);
    set('txtMCountry', chosen.country);
    set('txtLonD', f.longitudeDegrees);
    set('txtLonM', f.longitudeMinutes);
    set(f.east ? 'optLong0' : 'optLong1', true);
    set('txtLatD', f.latitudeDegrees);
    set('txtLatM', f.latitudeMinutes);
    set(f.south ? 'optLat1' : 'optLat0', true);
    if ('zoneHour' in f) writeZone(f);
    // Without its clock (a zone the table lacks) the place is only a place.
    link = chosen.utc_offset_seconds !== null && 'zoneHour' in f ? { ...asked, zone: zoneOf(f) } : null;
    search.dispatchEvent(new CustomEvent('placechosen', { bubbles: true, detail: chosen }));
  }

  search.addEventListener('input', find);
  search.addEventListener('keydown', (event) => {
    const moves = { ArrowDown: 1, ArrowUp: -1, PageDown: 10, PageUp: -10 };
    if (event.key in moves && shown.rows.length > 0) {
      event.preventDefault();
      select(Math.min(Math.max(current + moves[event.key], 0), shown.rows.length - 1));
    } else if (event.key === 'Enter') {
      event.preventDefault();
      fill().catch(failed);
    }
  });
  list.addEventListener('click', (event) => {
    const item = event.target.closest('li');
    if (item) select([...list.children].indexOf(item));
  });
  list.addEventListener('dblclick', () => fill().catch(failed));
  occurrences.forEach((option) => option.addEventListener('change', showClock));
  // A new birth date or time: the chosen place's clock then, and the linked place's zone
  // fields re-derived (the fields as they stand are the user's where it has no clock).
  async function birthTimeEdited() {
    if (current >= 0) showClock();
    if (!link) return;
    const linked = link;
    try {
      const chosen = await (await atlas()).choose(linked.query, linked.row, { local: birthLocal(), occurrence: linked.occurrence });
      if (link !== linked) return;
      if (chosen.utc_offset_seconds === null || !('zoneHour' in chosen.fields)) {
        link = null;
        return;
      }
      writeZone(chosen.fields);
      link = { ...linked, zone: zoneOf(chosen.fields) };
    } catch (error) {
      link = null;
      failed(error);
    }
  }
  for (const id of ['cboYear', 'cboMonth', 'cboDate', 'cboHH', 'cboMM']) $(id)?.addEventListener('change', birthTimeEdited);
  // A zone or DST field changed by hand says another clock (TZ Help's choice too).
  for (const id of ['txtZoneHour', 'txtZoneMinute', 'chkDST'])
    $(id)?.addEventListener(id === 'chkDST' ? 'change' : 'input', () => { link = null; });
  // A coordinate changed by hand says another place; zone fields the reading's rule would
  // take the wrong way round (the finder's signed hour) do not stay behind without it.
  const coordinatesEdited = () => {
    if (!link) return;
    const { zone } = link;
    if (!zone.said && $('txtZoneHour').value === zone.zoneHour && $('txtZoneMinute').value === zone.zoneMinute
        && $('chkDST').checked === zone.daylightSaving) {
      set('txtZoneHour', '');
      set('txtZoneMinute', '');
    }
    link = null;
  };
  for (const id of ['txtLonD', 'txtLonM', 'txtLatD', 'txtLatM']) $(id)?.addEventListener('input', coordinatesEdited);
  for (const id of ['optLong0', 'optLong1', 'optLat0', 'optLat1']) $(id)?.addEventListener('change', coordinatesEdited);
  // What was typed while this module was on its way.
  if (search.value.trim()) find();
}

wireFinder();
registerOffline();
