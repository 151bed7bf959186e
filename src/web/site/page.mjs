// The page: the entry form, the reading on its two tabs, its details, the time zone list
// and the maker's links, wired to the C++ core (core.mjs). The page computes and checks
// nothing itself: the lists, which keys each box takes, the checks and their messages,
// the readings, the details' words, the zones and the links all come from the core. Here
// only browser events become the texts and characters the desktop window would receive.
import { loadCore } from './core.mjs';

const $ = (id) => document.getElementById(id);

// The finder and the page's life offline (finder.mjs) are not needed for a reading: they
// come when the finder is first reached for, after the first reading, or once the page has
// been idle a moment, so that the first load stays small.
let finder = null; // the module once it has come
let finderComing = null;
function loadFinder() {
  // A module that did not come is asked for again the next time.
  finderComing ??= import('./finder.mjs').then((module) => { finder = module; }, () => { finderComing = null; });
  return finderComing;
}

// The form's controls by the birth data field each holds (the C++ BirthDataFields).
const formFields = {
  name: 'txtName', month: 'cboMonth', day: 'cboDate', year: 'cboYear', hour: 'cboHH', minute: 'cboMM',
  zoneHour: 'txtZoneHour', zoneMinute: 'txtZoneMinute', longitudeDegrees: 'txtLonD', longitudeMinutes: 'txtLonM',
  latitudeDegrees: 'txtLatD', latitudeMinutes: 'txtLatM',
};
const readingBoxes = {
  txtSiderealNonParallax: ['sidereal', 'geocentric'], txtSiderealParallax: ['sidereal', 'topocentric'],
  txtWesternNonParallax: ['tropical', 'geocentric'], txtWesternParallax: ['tropical', 'topocentric'],
};

/// The birth as the form holds it.
function typedBirth() {
  const birth = {};
  for (const [field, id] of Object.entries(formFields)) birth[field] = $(id).value;
  birth.east = $('optLong0').checked;
  birth.south = $('optLat1').checked;
  birth.daylightSaving = $('chkDST').checked;
  return birth;
}

// The message dialog, and where the focus goes when it is closed.
let focusAfterMessage = null;

/// Asks the question of a reading by a found place's clock: 'clock', 'entered', or null when
/// it is closed without an answer (Esc), which means no reading now.
function askQuestion(question) {
  const dialog = $('question');
  $('questionText').textContent = question.text;
  $('cmdUseClock').textContent = question.use_clock;
  $('cmdUseEntered').textContent = question.use_entered;
  return new Promise((resolve) => {
    const answer = (choice) => (event) => {
      event.preventDefault();
      $('cmdUseClock').onclick = $('cmdUseEntered').onclick = dialog.oncancel = null;
      dialog.close();
      $('cmdRashi').focus();
      resolve(choice);
    };
    $('cmdUseClock').onclick = answer('clock');
    $('cmdUseEntered').onclick = answer('entered');
    dialog.oncancel = answer(null);
    dialog.showModal();
    $('cmdUseClock').focus();
  });
}

function showMessage({ message, icon }, focusAfter) {
  $('messageText').textContent = message;
  $('message').dataset.icon = icon;
  focusAfterMessage = focusAfter;
  $('message').showModal();
}

/// The control character a key types where the desktop window receives one (Enter, Esc,
/// Ctrl with a letter, such as Ctrl+V's 22); nothing for keys that move, delete or type.
function controlCharacter(event) {
  if (event.isComposing || event.altKey || event.metaKey) return 0;
  if (event.key === 'Enter') return 13;
  if (event.key === 'Escape') return 27;
  if (event.ctrlKey && /^[a-z]$/i.test(event.key)) return event.key.toUpperCase().charCodeAt(0) - 64;
  return 0;
}

/// Each box's length and key filter, as the core's table gives them. Typed text is
/// inspected; pasted or dropped text is not, as in the window.
function filterKeys(core, boxes) {
  for (const [id, box] of Object.entries(boxes)) {
    const input = $(id);
    if (!input) continue;
    if (box.maxLength > 0) input.maxLength = box.maxLength;
    if (!box.refused) continue;
    const refuse = (event) => {
      event.preventDefault();
      showMessage(box.refused, input);
    };
    input.addEventListener('beforeinput', (event) => {
      if (event.inputType !== 'insertText' || !event.data) return;
      let arriving = '';
      for (const typed of event.data) {
        const passed = core.key(id, typed.codePointAt(0));
        if (!passed) return refuse(event);
        arriving += String.fromCodePoint(passed);
      }
      if (arriving === event.data) return;
      event.preventDefault(); // small letters arrive as capitals
      const room = input.maxLength > 0 ? input.maxLength - input.value.length : arriving.length;
      input.setRangeText(arriving.slice(0, Math.max(room, 0)), input.selectionStart, input.selectionEnd, 'end');
      input.dispatchEvent(new Event('input', { bubbles: true }));
    });
    input.addEventListener('keydown', (event) => {
      const typed = controlCharacter(event);
      if (typed && !core.key(id, typed)) refuse(event);
    });
  }
}

function fillLists(lists) {
  for (const [id, items] of Object.entries(lists)) {
    const list = $(id);
    list.replaceChildren(...items.map((item) => new Option(item)));
    list.selectedIndex = 0;
  }
}

function linkPages(page) {
  for (const link of document.querySelectorAll('[data-page]')) link.href = page.links[link.dataset.page];
  $('Label61').textContent = page.banner;
  $('lblFullBrand').textContent = page.fullBrandOffer;
  $('lblCobrand').textContent = page.coBrandOffer;
  // Only the offer in front can be seen.
  $(page.frontOffer === 'fullbrand' ? 'lblFullBrand' : 'lblCobrand').hidden = false;
}

/// The time zone list: a zone chosen writes its hour and minutes into the zone fields.
function timeZones(zones) {
  const dialog = $('FrmTimeZone');
  const list = $('lstTimeZones');
  list.replaceChildren(...zones.map((zone, i) => new Option(zone.text, String(i))));
  $('lblTZHelp').addEventListener('click', () => {
    list.selectedIndex = -1;
    dialog.showModal();
    list.focus();
  });
  // Written at once, before the focus goes back to TZ Help, so that the next key or
  // click finds the fields already filled (a dialog's close event comes later).
  const finish = (choose) => {
    const zone = zones[list.selectedIndex];
    if (choose && zone) {
      $('txtZoneHour').value = zone.hour;
      $('txtZoneMinute').value = zone.minute;
      // A zone chosen here is the user's: it ends the link to a found place's clock.
      $('txtZoneHour').dispatchEvent(new Event('input', { bubbles: true }));
    }
    dialog.close();
    $('lblTZHelp').focus();
  };
  list.addEventListener('dblclick', () => finish(true));
  list.addEventListener('keydown', (event) => {
    if (event.key === 'Enter') {
      event.preventDefault();
      finish(true);
    }
  });
  $('cmdTimeZoneChoose').addEventListener('click', () => finish(true));
  $('cmdTimeZoneCancel').addEventListener('click', () => finish(false));
  dialog.addEventListener('cancel', (event) => {
    event.preventDefault();
    finish(false);
  });
}

function selectTab(tab) {
  for (const other of document.querySelectorAll('[role="tab"]')) {
    const selected = other === tab;
    other.setAttribute('aria-selected', String(selected));
    other.tabIndex = selected ? 0 : -1;
    $(other.getAttribute('aria-controls')).hidden = !selected;
  }
}

function tabs() {
  const all = [...document.querySelectorAll('[role="tab"]')];
  for (const tab of all) {
    tab.addEventListener('click', () => selectTab(tab));
    tab.addEventListener('keydown', (event) => {
      const step = { ArrowRight: 1, ArrowLeft: -1 }[event.key];
      if (!step) return;
      const next = all[(all.indexOf(tab) + step + all.length) % all.length];
      selectTab(next);
      next.focus();
    });
  }
}

function wire(core) {
  const page = core.page();
  fillLists(page.lists);
  filterKeys(core, page.boxes);
  timeZones(page.zones);
  linkPages(page);
  tabs();

  let shown = null; // the birth of the reading on show
  // OK, Enter or Esc close the message and put the focus where the window puts it: at once,
  // so that the next key lands there; and anew, for Chromium leaves a box that a closing
  // dialog gives the focus back to after a click taking no typing.
  const closeMessage = (event) => {
    event.preventDefault();
    $('message').close();
    document.activeElement?.blur();
    focusAfterMessage?.focus();
  };
  $('cmdMessageOK').addEventListener('click', closeMessage);
  $('message').addEventListener('cancel', closeMessage);
  function showReading(birth, answer) {
    shown = birth;
    for (const [id, [zodiac, view]] of Object.entries(readingBoxes)) $(id).value = answer[zodiac][view];
    $('frmDetails').open = false;
    $('detailsContent').replaceChildren();
    $('frmMain').hidden = true;
    $('frmDisplay').hidden = false;
    selectTab($('tabSiderealTab'));
    $('tabSiderealTab').focus();
    loadFinder();
  }

  // A reading by a found place's clock while it is linked: the clock's true offset, asking
  // first where the zone fields would give another universal time; Esc: no reading now.
  async function readAtClock(typed, asking) {
    let clock;
    try {
      clock = await asking;
    } catch (error) {
      showMessage({ message: error.message, icon: 'critical' }, $('cmdRashi'));
      return;
    }
    const use = clock.question ? await askQuestion(clock.question) : 'clock';
    if (use === null) return;
    const birth = use === 'clock' && clock.utc_offset_seconds !== null ? { ...typed, utcOffsetSeconds: clock.utc_offset_seconds } : typed;
    showReading(birth, core.reading(birth));
  }

  $('cmdRashi').addEventListener('click', () => {
    const typed = typedBirth();
    const answer = core.reading(typed);
    if (answer.refusal) {
      // A date refusal leaves the focus where it was: on the button.
      showMessage(answer.refusal, $(answer.refusal.focus ?? 'cmdRashi'));
      return;
    }
    const asking = finder?.clockAtReading(typed);
    if (asking) readAtClock(typed, asking);
    else showReading(typed, answer);
  });
  $('frmDetails').addEventListener('toggle', () => {
    if (!$('frmDetails').open || !shown || $('detailsContent').hasChildNodes()) return;
    const words = core.detailsWords(shown);
    // The details' drawing comes on first use (details.mjs): no reading waits for it.
    import('./details.mjs').then(({ showDetails }) => {
      if (!$('detailsContent').hasChildNodes()) showDetails(words, $('detailsContent'));
    }, (error) => showMessage({ message: `The details could not be shown: ${error.message}`, icon: 'critical' }, $('cmdOK')));
  });
  $('cmdOK').addEventListener('click', () => {
    $('frmDisplay').hidden = true;
    $('frmMain').hidden = false;
    $('cmdRashi').focus();
  });
  $('cmdRashi').disabled = false;
}

/// Why the page cannot run here, in words.
function unavailable(error) {
  if (location.protocol === 'file:')
    return 'Selenoscope cannot run from a file: open it from its web address (scripts/web serves it on http://127.0.0.1:8321/).';
  if (typeof WebAssembly !== 'object')
    return 'Selenoscope computes in WebAssembly, which this browser has turned off: turn it on, or use another browser.';
  return `Selenoscope could not start: ${error?.message ?? error}`;
}

try {
  if (location.protocol === 'file:' || typeof WebAssembly !== 'object') throw new Error('unavailable');
  wire(await loadCore());
  $('lblNotice').hidden = true;
  for (const reach of ['focusin', 'pointerdown']) $('frmPlaceFinder').addEventListener(reach, loadFinder, { once: true });
  setTimeout(loadFinder, 2000);
  document.documentElement.dataset.state = 'ready';
  $('txtName').focus();
} catch (error) {
  $('lblNotice').textContent = unavailable(error);
  $('lblNotice').classList.add('now');
  document.documentElement.dataset.state = 'unavailable';
}
