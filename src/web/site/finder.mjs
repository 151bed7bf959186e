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

  // The entry fields get the chosen place as the desktop's finder fills them.
  async function fill() {
    if (current < 0) return;
    const chosen = await (await atlas()).choose(shown.query, current, options());
    const set = (id, value) => {
      const control = $(id);
      if (!control) return;
      if (control.type === 'checkbox' || control.type === 'radio') control.checked = value;
      else control.value = value;
      control.dispatchEvent(new Event(control.type === 'text' ? 'input' : 'change', { bubbles: true }));
    };
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
    if ('zoneHour' in f) {
      set('txtZoneHour', f.zoneHour);
      set('txtZoneMinute', f.zoneMinute);
      set('chkDST', f.daylightSaving);
    }
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
  // A new birth date or time: the chosen place's clock then.
  for (const id of ['cboYear', 'cboMonth', 'cboDate', 'cboHH', 'cboMM'])
    $(id)?.addEventListener('change', () => { if (current >= 0) showClock(); });
}

wireFinder();
registerOffline();
