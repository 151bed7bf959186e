// The page in a real browser (SELENOSCOPE_BROWSER: chromium or firefox), served by the
// project's own server on 127.0.0.1, used as a person uses it: typing and clicking. The
// entry window's controls by their names, lists and key filters; births and refusals typed
// in, with the window's messages and focus; the reading, its details and the time zones;
// the maker's links; the keyboard alone; a phone's width; bad input of every kind; a page
// that cannot run; and the embedding module against the command-line tool.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { serve } from '../../tools/web/serve.mjs';
import { startBrowser } from './support/browser.mjs';
import { birthTexts, birthsCsv, firstDifference, generateBirths } from './support/births.mjs';
import { cliJson, cliReadings, nativeDasha, nativeDetails, required, siteFolder } from './support/native.mjs';
import { clickReading, fillForm, messagesWhileTyping, openPage, readingShown, workedExample } from './support/page.mjs';

let server;
let origin;
let browser;

before(async () => {
  ({ server, url: origin } = await serve(siteFolder(), { port: 0 }));
  browser = await startBrowser(process.env.SELENOSCOPE_BROWSER ?? 'chromium');
});

after(async () => {
  await browser?.close();
  server?.close();
});

const open = (viewport) => openPage(browser.browser, origin, viewport);

/// Ends a page, which must have reported no error and asked nothing of another origin.
async function close({ page, requests, errors }) {
  assert.deepEqual(errors, [], 'errors in the browser');
  // Firefox draws some controls with a font of its own, given as a data: address: no request.
  assert.deepEqual(requests.filter((url) => !url.startsWith(origin) && !url.startsWith('data:')), [],
    'requests to other origins');
  await page.close();
}

// The entry window's controls, the reading's, the dialogs' and the links: id, kind, and
// the name a screen reader announces (the desktop windows' accessible names and captions).
const controls = [
  ['txtName', 'text', 'Name'], ['cboMonth', 'select', 'Birth month'], ['cboDate', 'select', 'Birth day'],
  ['cboYear', 'select', 'Birth year'], ['cboHH', 'select', 'Birth hour'], ['cboMM', 'select', 'Birth minute'],
  ['cboSS', 'select', 'Birth second'], ['txtZoneHour', 'text', 'Zone hour'], ['txtZoneMinute', 'text', 'Zone minutes'],
  ['lblTZHelp', 'button', 'TZ Help'], ['chkDST', 'checkbox', 'Daylight saving time (DST)'],
  ['txtLonD', 'text', 'Longitude degrees'], ['txtLonM', 'text', 'Longitude minutes'],
  ['optLong0', 'radio', 'East'], ['optLong1', 'radio', 'West'],
  ['txtLatD', 'text', 'Latitude degrees'], ['txtLatM', 'text', 'Latitude minutes'],
  ['optLat0', 'radio', 'North'], ['optLat1', 'radio', 'South'],
  ['txtMCity', 'text', 'City'], ['txtMState', 'text', 'State'], ['txtMCountry', 'text', 'Country'],
  ['txtSearch', 'search', 'Place to find'], ['cmdRashi', 'button', 'Get My Parallax Reading'],
  ['tabSiderealTab', 'button', 'Sidereal Astrology'], ['tabWesternTab', 'button', 'Western Astrology'],
  ['txtSiderealNonParallax', 'output', 'Sidereal reading without parallax'],
  ['txtSiderealParallax', 'output', 'Sidereal reading with parallax'],
  ['txtWesternNonParallax', 'output', 'Western reading without parallax'],
  ['txtWesternParallax', 'output', 'Western reading with parallax'],
  ['cmdOK', 'button', 'Back'], ['cmdMessageOK', 'button', 'OK'],
  ['lstTimeZones', 'select', 'Time zones'], ['cmdTimeZoneChoose', 'button', 'Use This Zone'],
  ['mnuOnline', 'a', 'Online Help'], ['mnuVisit', 'a', 'Visit Us Online'],
  ['mnuUpdate', 'a', 'Check for Software Update'], ['mnuDonate', 'a', 'Donate'],
];

const range = (first, last) => Array.from({ length: last - first + 1 }, (_, i) => String(first + i));
const lists = {
  cboMonth: ['January', 'February', 'March', 'April', 'May', 'June', 'July', 'August', 'September', 'October',
    'November', 'December'],
  cboDate: range(1, 31), cboYear: range(1900, 2050), cboHH: range(0, 23), cboMM: range(0, 59), cboSS: range(0, 59),
};

test("the entry window's controls: names, lists and their first items chosen, the focus in the name", async () => {
  const opened = await open();
  const { page } = opened;
  const found = await page.evaluate((ids) => ids.map((id) => {
    const element = document.getElementById(id);
    if (!element) return null;
    const kind = element.tagName === 'INPUT' ? element.type : element.tagName.toLowerCase();
    const byIds = (attribute) => (element.getAttribute(attribute) ?? '').split(/\s+/).filter(Boolean)
      .map((other) => document.getElementById(other)?.textContent ?? '').join(' ');
    const name = element.getAttribute('aria-label') || byIds('aria-labelledby')
      || [...(element.labels ?? [])].map((label) => label.textContent).join(' ') || element.textContent;
    return [id, kind, name.trim()];
  }), controls.map(([id]) => id));
  assert.deepEqual(found, controls);
  const shown = await page.evaluate((ids) => Object.fromEntries(ids.map((id) => {
    const list = document.getElementById(id);
    return [id, { items: [...list.options].map((option) => option.text), chosen: list.selectedIndex }];
  })), Object.keys(lists));
  for (const [id, items] of Object.entries(lists)) assert.deepEqual(shown[id], { items, chosen: 0 }, id);
  assert.deepEqual(await page.evaluate(() => [document.documentElement.lang, document.activeElement.id,
    document.getElementById('optLong0').checked, document.getElementById('optLat0').checked,
    document.getElementById('chkDST').checked]), ['en', 'txtName', true, true, false]);
  await close(opened);
});

const onlyLetters = { message: 'Please Enter only Letters', icon: 'information' };
const onlyNumbers = { message: 'Only Numbers Are Accepted', icon: 'critical' };

// What typing lets through, as the entry window's key filters do: [row, box, typed, shown,
// refusals]. Each refused key shows the box's message, the letters after it still arrive.
const typing = [
  ['small letters in name show as capitals', 'txtName', 'john doe', 'JOHN DOE', []],
  ['apostrophe in name refused, later letters arrive', 'txtName', "o'neil", 'ONEIL', [onlyLetters]],
  ['digit and hyphen in name refused', 'txtName', 'a1b-', 'AB', [onlyLetters, onlyLetters]],
  ['accented letter in name refused', 'txtName', 'zoë', 'ZO', [onlyLetters]],
  ['minus anywhere in zone hour', 'txtZoneHour', '1-2', '1-2', []],
  ['zone hour holds three characters', 'txtZoneHour', '----', '---', []],
  ['letter in zone hour refused', 'txtZoneHour', 'x5', '5', [onlyNumbers]],
  ['minus in zone minute refused', 'txtZoneMinute', '-5', '5', [onlyNumbers]],
  ['fourth character of longitude degrees', 'txtLonD', '1234', '123', []],
  ['minus in longitude degrees refused', 'txtLonD', '-1', '1', [onlyNumbers]],
  ['point in longitude minutes refused', 'txtLonM', '1.5', '15', [onlyNumbers]],
  ['third character of latitude degrees', 'txtLatD', '123', '12', []],
  ['space in latitude minutes refused', 'txtLatM', '4 5', '45', [onlyNumbers]],
  ['city takes everything', 'txtMCity', "st. john's-1", "st. john's-1", []],
];

test('typing goes through the entry window\'s key filters, with its messages', async () => {
  const opened = await open();
  for (const [row, box, typed, shown, refusals] of typing) {
    await opened.page.$eval(`#${box}`, (input) => { input.value = ''; });
    const said = await messagesWhileTyping(opened.page, box, typed);
    assert.deepEqual(said, refusals.map((refusal) => ({ ...refusal, focusAfter: box })), row);
    assert.equal(await opened.page.$eval(`#${box}`, (input) => input.value), shown, row);
  }
  await close(opened);
});

// Keys that type a control character where the window receives one: refused, nothing
// pasted, cut or changed; Enter passes in the name.
const controlKeys = [
  ['Ctrl+V in name', 'txtName', ['Control', 'v'], onlyLetters],
  ['Ctrl+C in zone hour', 'txtZoneHour', ['Control', 'c'], onlyNumbers],
  ['Ctrl+X in latitude minutes', 'txtLatM', ['Control', 'x'], onlyNumbers],
  ['Esc in longitude degrees', 'txtLonD', ['Escape'], onlyNumbers],
  ['Enter in latitude minutes', 'txtLatM', ['Enter'], onlyNumbers],
  ['Enter in name', 'txtName', ['Enter'], null],
];

test('control keys in the boxes are refused as in the window', async () => {
  const opened = await open();
  const { page } = opened;
  for (const [row, box, keys, refusal] of controlKeys) {
    await page.$eval(`#${box}`, (input) => { input.value = '12'; input.focus(); input.select(); });
    for (const key of keys.slice(0, -1)) await page.keyboard.down(key);
    await page.keyboard.press(keys.at(-1));
    for (const key of keys.slice(0, -1)) await page.keyboard.up(key);
    const said = await page.evaluate(() => {
      const dialog = document.getElementById('message');
      if (!dialog.open) return null;
      const named = (attribute) => document.getElementById(dialog.getAttribute(attribute)).textContent;
      return { message: named('aria-describedby'), icon: dialog.dataset.icon, title: named('aria-labelledby'),
        role: dialog.getAttribute('role'), modal: dialog.getAttribute('aria-modal'), focus: document.activeElement.id };
    });
    const alert = { title: 'Selenoscope', role: 'alertdialog', modal: 'true', focus: 'cmdMessageOK' };
    assert.deepEqual(said, refusal && { ...refusal, ...alert }, row);
    if (said) await page.keyboard.press('Enter'); // OK has the focus
    assert.deepEqual(await page.evaluate(() => [document.getElementById('message').open, document.activeElement.id]),
      [false, box], row);
    assert.equal(await page.$eval(`#${box}`, (input) => input.value), '12', row);
  }
  await close(opened);
});

// Births typed into the form: [row, changes to the worked example, the refusal (message,
// icon, where the focus goes) or nothing for a reading]. A refused box takes the focus; a
// refused date leaves it on the button.
const births = [
  ['the worked example', {}, null],
  ['a zone hour of -13 is read by its size', { zoneHour: '-13' }, null],
  ['29 February 2000', { month: 'February', day: '29', year: '2000' }, null],
  ['west and south with daylight saving', { west: true, south: true, dst: true, lonD: '118', latD: '33' }, null],
  ['no name', { name: '' }, ['Please Enter Name', 'critical', 'txtName']],
  ['a name of spaces', { name: '   ' }, ['Please Enter Name', 'critical', 'txtName']],
  ['zone hour 13', { zoneHour: '13' }, ['Please Enter Value Between 0 And 12 in the Zone Hour', 'critical', 'txtZoneHour']],
  ['zone hour of minus signs', { zoneHour: '--' }, ['Please Enter Value Between 0 And 12 in the Zone Hour', 'critical', 'txtZoneHour']],
  ['no zone minute', { zoneMinute: '' }, ['Please Enter Value Between 0 And 59 in the Zone Minute', 'critical', 'txtZoneMinute']],
  ['longitude 180', { lonD: '180' }, ['Please Enter Value Between 0 And 179 in the Degree of Longitude', 'critical', 'txtLonD']],
  ['longitude minutes 60', { lonM: '60' }, ['Please Enter Value Between 0 And 59 in the  Minute of Longitude', 'critical', 'txtLonM']],
  ['latitude 90', { latD: '90' }, ['Please Enter Value Between 0 And 89 in the Degree of Latitude', 'critical', 'txtLatD']],
  ['latitude minutes 75', { latM: '75' }, ['Please Enter Value Between 0 And 59 in the  Minute of Latitude', 'critical', 'txtLatM']],
  ['29 February 2001', { month: 'February', day: '29', year: '2001' }, ['Please Enter Correct Date Or Month!', 'information', 'cmdRashi']],
  ['31 April', { month: 'April', day: '31' }, ['Please Enter Correct Date Or Month !', 'information', 'cmdRashi']],
  ['no name and zone hour 99: the first refusal wins', { name: '', zoneHour: '99' }, ['Please Enter Name', 'critical', 'txtName']],
];

/// The tool's texts for a birth typed into the form.
function toolBirth(b) {
  const month = lists.cboMonth.indexOf(b.month) + 1;
  return {
    year: Number(b.year), month, day: Number(b.day), hour: Number(b.hour), minute: Number(b.minute), second: null,
    lonD: Number(b.lonD), lonM: Number(b.lonM), east: !b.west, latD: Number(b.latD), latM: Number(b.latM), south: !!b.south,
    zone: { hour: Number(b.zoneHour), minute: Number(b.zoneMinute), dst: !!b.dst },
  };
}

test('births typed into the form: the readings the tool gives, or the window\'s refusal and focus', async () => {
  const opened = await open();
  const { page } = opened;
  for (const [row, changes, refusal] of births) {
    const birth = { ...workedExample, ...changes };
    await fillForm(page, birth);
    const shown = await clickReading(page);
    if (refusal) {
      const [message, icon, focus] = refusal;
      assert.deepEqual(shown, { message, icon, focusAfter: focus }, row);
    } else {
      const [expected] = cliReadings(birthsCsv([{ name: 'typed', ...toolBirth(birth) }]));
      assert.deepEqual(shown, expected, row);
      await page.click('#cmdOK');
    }
  }
  await close(opened);
});

test('the reading: its tabs, its details in the window\'s words, Back with the fields kept', async () => {
  const opened = await open();
  const { page } = opened;
  await fillForm(page, workedExample);
  assert.deepEqual(await clickReading(page), {
    sidereal: { geocentric: `16° 42' 10" Lib`, topocentric: `16° 13' 46" Lib` },
    tropical: { geocentric: `10° 33' 23" Sco`, topocentric: `10° 4' 59" Sco` },
  });
  assert.equal(await page.evaluate(() => document.activeElement.id), 'tabSiderealTab');
  await page.keyboard.press('ArrowRight');
  assert.deepEqual(await page.evaluate(() => [document.activeElement.id, document.getElementById('tabWestern').hidden,
    document.getElementById('tabSidereal').hidden]), ['tabWesternTab', false, true]);

  await page.click('#frmDetails summary');
  await page.waitForSelector('#lblFootnote');
  const details = await page.evaluate(() => Object.fromEntries(['lblLocalTime', 'lblRule', 'lblUniversalTime',
    'lblJulianDay', 'lblLongitude_0', 'lblSignEdge_0', 'lblSignSince_0', 'lblSignUntil_0', 'lblNakshatra_0',
    'lblPada_0', 'lblNakshatraEdge_0', 'lblNakshatraUntil_0', 'txtReading_3', 'lblSign_3'].map((id) =>
    [id, document.getElementById(id)?.textContent])));
  assert.deepEqual(details, {
    lblLocalTime: '1 January 2000, 12:00',
    lblRule: 'Zone 5 h 30 min east of Greenwich (East longitude), no daylight saving: universal time = local time − 5:30',
    lblUniversalTime: '1 January 2000, 06:30:00 UT', lblJulianDay: '2451544.77083',
    lblLongitude_0: '196.7028°', lblSignEdge_0: `Sco, 13° 17' 50" away`, lblSignSince_0: '31 December 1999 03:07',
    lblSignUntil_0: '2 January 2000 14:38', lblNakshatra_0: 'Swati', lblPada_0: '4',
    lblNakshatraEdge_0: `Vishakha, 3° 17' 50" away`, lblNakshatraUntil_0: '18:34',
    txtReading_3: `10° 4' 59" Sco`, lblSign_3: 'Sco',
  });

  await page.click('#cmdOK');
  assert.deepEqual(await page.evaluate(() => [document.getElementById('frmMain').hidden,
    document.getElementById('frmDisplay').hidden, document.activeElement.id,
    document.getElementById('txtName').value, document.getElementById('txtLatM').value]),
  [false, true, 'cmdRashi', 'ASHA RAO', '37']);
  // A second reading replaces the first, its details too.
  await page.select('#cboHH', '13');
  const [expected] = cliReadings(birthsCsv([{ name: 'later', ...toolBirth({ ...workedExample, hour: '13' }) }]));
  assert.deepEqual(await clickReading(page), expected);
  assert.equal(await page.$eval('#frmDetails', (element) => element.open), false);
  await close(opened);
});

test('TZ Help lists the 71 zones; a choice fills the zone fields and nothing else', async () => {
  const opened = await open();
  const { page } = opened;
  await fillForm(page, { ...workedExample, zoneMinute: '45', dst: true, west: true });
  await page.click('#lblTZHelp');
  const zones = await page.$$eval('#lstTimeZones option', (options) => options.map((option) => option.text));
  assert.equal(zones.length, 71);
  assert.deepEqual([zones[0], zones[34], zones[70]],
    ['Alaska/Hawaii Daylight Time,AHDT,9.0', 'Indian Time, IST, -5.5', 'Yukon War Time,YWT,8.0']);
  const choose = async (text, how) => {
    if (!(await page.$eval('#FrmTimeZone', (dialog) => dialog.open))) await page.click('#lblTZHelp');
    await page.$eval('#lstTimeZones', (list, wanted) => {
      list.selectedIndex = [...list.options].findIndex((option) => option.text === wanted);
    }, text);
    await how();
    // The list's close hands the focus back to TZ Help once it has written the fields.
    await page.waitForFunction(() => document.activeElement.id === 'lblTZHelp');
    return page.evaluate(() => [document.getElementById('txtZoneHour').value, document.getElementById('txtZoneMinute').value,
      document.getElementById('chkDST').checked, document.getElementById('optLong1').checked,
      document.getElementById('FrmTimeZone').open, document.activeElement.id]);
  };
  assert.deepEqual(await choose('Indian Time, IST, -5.5', () => page.click('#cmdTimeZoneChoose')),
    ['-5', '30', true, true, false, 'lblTZHelp']);
  assert.deepEqual(await choose('Eastern Standard Time,EST,5.0', () => page.keyboard.press('Enter')),
    ['5', '0', true, true, false, 'lblTZHelp']);
  assert.deepEqual(await choose('Greenwich Mean Time,GMT,0.0', () => page.click('#cmdTimeZoneCancel')),
    ['5', '0', true, true, false, 'lblTZHelp']);
  await close(opened);
});

test("the maker's links derive from the site's address; one offer stands in front", async () => {
  const opened = await open();
  const site = required('SELENOSCOPE_SITE_URL').replace(/\/?$/, '/');
  const links = await opened.page.evaluate(() => Object.fromEntries([...document.querySelectorAll('[data-page]')]
    .map((link) => [link.id, [link.href, link.offsetParent === null ? 'hidden' : link.textContent]])));
  const host = new URL(site).hostname;
  assert.deepEqual(links, {
    Label61: [`${site}forum/`, `Join the friendliest astrology discussion board on the web: visit ${host}`],
    lblFullBrand: [`${site}fullbrand/`, links.lblFullBrand[1]], lblCobrand: [`${site}cobrand/`, links.lblCobrand[1]],
    mnuOnline: [`${site}help/`, 'Online Help'], mnuVisit: [`${site}forum/`, 'Visit Us Online'],
    mnuUpdate: [`${site}download/`, 'Check for Software Update'], mnuDonate: [`${site}donate/`, 'Donate'],
  });
  const shown = [links.lblFullBrand[1], links.lblCobrand[1]].filter((text) => text !== 'hidden');
  assert.equal(shown.length, 1, 'one offer on show');
  assert.ok(/^(Home Business Opportunity\.|Co-brand this software for your site\.)/.test(shown[0]), shown[0]);
  await close(opened);
});

// Tab from the name: the entry window's order, a radio pair being one stop.
const keyboardFlow = ['cboMonth', 'cboDate', 'cboYear', 'cboHH', 'cboMM', 'cboSS', 'txtZoneHour',
  'txtZoneMinute', 'lblTZHelp', 'chkDST', 'txtLonD', 'txtLonM', 'optLong0', 'txtLatD', 'txtLatM', 'optLat0',
  'txtMCity', 'txtMState', 'txtMCountry', 'txtSearch', 'cmdRashi'];

test('the keyboard alone: the fields in order with a visible focus, a reading and back', async () => {
  const opened = await open();
  const { page } = opened;
  const visited = [];
  for (let i = 0; i < keyboardFlow.length; ++i) {
    await page.keyboard.press('Tab');
    visited.push(await page.evaluate(() => {
      const style = getComputedStyle(document.activeElement);
      const visible = style.outlineStyle !== 'none' && parseFloat(style.outlineWidth) >= 2;
      return `${document.activeElement.id}${visible ? '' : ' (focus not visible)'}`;
    }));
  }
  assert.deepEqual(visited, keyboardFlow);

  // The worked example by keys: typed boxes, lists chosen with the arrow keys.
  const keys = async (id, ...pressed) => {
    await page.focus(`#${id}`);
    for (const key of pressed) await (key.length === 1 ? page.keyboard.type(key) : page.keyboard.press(key));
  };
  await keys('txtName', 'a', 's', 'h', 'a');
  await keys('cboYear', 'End');
  for (let i = 0; i < 50; ++i) await page.keyboard.press('ArrowUp');
  await keys('cboHH', 'End');
  for (let i = 0; i < 11; ++i) await page.keyboard.press('ArrowUp');
  await keys('txtZoneHour', '5');
  await keys('txtZoneMinute', '3', '0');
  await keys('txtLonD', '7', '7');
  await keys('txtLonM', '1', '3');
  await keys('txtLatD', '2', '8');
  await keys('txtLatM', '3', '7');
  await keys('cmdRashi', 'Enter');
  assert.deepEqual(await readingShown(page), {
    sidereal: { geocentric: `16° 42' 10" Lib`, topocentric: `16° 13' 46" Lib` },
    tropical: { geocentric: `10° 33' 23" Sco`, topocentric: `10° 4' 59" Sco` },
  });
  await page.keyboard.press('Tab'); // into the sidereal panel's readings or the details
  for (let i = 0; i < 6 && (await page.evaluate(() => document.activeElement.id)) !== 'cmdOK'; ++i)
    await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'cmdOK');
  await page.keyboard.press('Enter');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'cmdRashi');
  await close(opened);
});

// A phone held upright, and a 1280-pixel window at double zoom.
for (const width of [320, 360, 640]) {
  test(`nothing scrolls sideways ${width} pixels wide: the form, a message, the reading and its details`, async () => {
    const opened = await open({ width, height: 700 });
    const { page } = opened;
    const overflow = () => page.evaluate(() => {
      const root = document.documentElement;
      const widest = Math.max(...[...document.querySelectorAll('body *')].map((element) => element.getBoundingClientRect().right));
      return { page: root.scrollWidth - root.clientWidth, element: Math.max(0, Math.ceil(widest) - root.clientWidth) };
    });
    await fillForm(page, { ...workedExample, lonM: '60' });
    await page.click('#cmdRashi');
    assert.deepEqual(await overflow(), { page: 0, element: 0 }, 'with the longest message');
    await page.click('#cmdMessageOK');
    await page.$eval('#txtLonM', (input) => { input.value = '13'; });
    await clickReading(page);
    await page.click('#frmDetails summary');
    await page.waitForSelector('#lblFootnote');
    assert.deepEqual(await overflow(), { page: 0, element: 0 }, 'with the details');
    await close(opened);
  });
}

// Texts no key filter lets through, pasted (which the window does not filter either).
const pasted = ['\u0000', '5\u0000', '１２', '٥', '-0', ' 7 ', '5.5', '1e3', '0x1F', '+5', '💥', 'ר', '\u202e12',
  '9'.repeat(10_000), '<b>1</b>', '"\\'];
const windowMessages = new Set([...births.filter(([, , refusal]) => refusal).map(([, , [message]]) => message)]);

test('anything pasted into any box gives the window\'s message or a reading, never an error', async () => {
  const opened = await open();
  const { page } = opened;
  const boxes = ['txtName', 'txtZoneHour', 'txtZoneMinute', 'txtLonD', 'txtLonM', 'txtLatD', 'txtLatM', 'txtMCity'];
  await fillForm(page, workedExample);
  // Pasted and asked for in the page itself, each through the button's own click.
  const shown = await page.evaluate((ids, texts) => {
    const $ = (id) => document.getElementById(id);
    const all = [];
    for (const id of ids) {
      const typed = $(id).value;
      for (const text of texts) {
        $(id).value = text;
        $('cmdRashi').click();
        if ($('message').open) {
          all.push([id, text, 'message', $('messageText').textContent]);
          $('cmdMessageOK').click();
        } else {
          all.push([id, text, 'reading', $('txtSiderealNonParallax').value]);
          $('cmdOK').click();
        }
      }
      $(id).value = typed;
    }
    return all;
  }, boxes, pasted);
  assert.equal(shown.length, boxes.length * pasted.length);
  for (const [box, text, what, words] of shown) {
    const row = `${box} ${JSON.stringify(text)}`;
    if (what === 'message') assert.ok(windowMessages.has(words), `${row}: ${words}`);
    else assert.match(words, /^\d+° \d+' \d+" [A-Z][a-z]{2}$/, row);
  }
  assert.ok(shown.filter(([, , what]) => what === 'message').length > pasted.length * 3, 'refusals');
  await close(opened);
});

test('a page that cannot run says why: opened as a file, or without WebAssembly', async () => {
  const notice = async (page) => {
    await page.waitForFunction(() => getComputedStyle(document.getElementById('lblNotice')).visibility === 'visible'
      && !document.getElementById('lblNotice').hidden, { timeout: 8000 });
    return page.evaluate(() => [document.getElementById('lblNotice').textContent, document.getElementById('cmdRashi').disabled]);
  };
  const fromFile = await browser.browser.newPage();
  await fromFile.goto(new URL(`file://${siteFolder()}/index.html`).href);
  const [fileWords, fileDisabled] = await notice(fromFile);
  assert.match(fileWords, /web address|from a file/, fileWords);
  assert.equal(fileDisabled, true);
  await fromFile.close();

  const noWasm = await browser.browser.newPage();
  await noWasm.evaluateOnNewDocument(() => { delete globalThis.WebAssembly; });
  await noWasm.goto(origin);
  assert.deepEqual(await notice(noWasm), ['Selenoscope computes in WebAssembly, which this browser has turned off: '
    + 'turn it on, or use another browser.', true]);
  await noWasm.close();
});

test("the module's readings, details and periods in this browser are the tool's", async () => {
  const opened = await open();
  const births = generateBirths(300, 11);
  const options = { year_days: 360, time_uncertainty: 10, levels: 2 };
  const answers = await opened.page.evaluate(async (moduleUrl, texts, counting) => {
    const selenoscope = await import(moduleUrl);
    const all = [];
    for (const birth of texts)
      all.push([await selenoscope.reading(birth), await selenoscope.details(birth), await selenoscope.dasha(birth, counting)]);
    return all;
  }, `${origin}selenoscope.mjs`, births.map(birthTexts), options);
  const csv = birthsCsv(births);
  const expected = [cliReadings(csv), nativeDetails(csv), nativeDasha(csv, options)];
  const sineAndCosine = { longitude: { decimals: 6, within: 1e-9 }, sign_edge_arcsec: { decimals: 1, within: 4e-6 },
    nakshatra_edge_arcsec: { decimals: 1, within: 4e-6 }, band_arcsec: { decimals: 6, within: 1e-9 },
    band_days: { decimals: 9, within: 1e-12 } };
  births.forEach((birth, i) => expected.forEach((native, kind) =>
    assert.equal(firstDifference(answers[i][kind], native[i], sineAndCosine), '', `birth ${i + 1}, answer ${kind}`)));

  // places() and a reading by a place, through the atlas's module this page fetches.
  const byPlace = await opened.page.evaluate(async (moduleUrl) => {
    const selenoscope = await import(moduleUrl);
    return [await selenoscope.places('Madrid', { date: '1980-07-01', time: '12:00', limit: 2 }),
      await selenoscope.reading({ date: '1980-07-01', time: '12:00', place: 'Madrid' })];
  }, `${origin}selenoscope.mjs`);
  assert.deepEqual(byPlace, [cliJson(['place', 'Madrid', '--date', '1980-07-01', '--time', '12:00', '--limit', '2']),
    cliJson(['reading', '--date', '1980-07-01', '--time', '12:00', '--place', 'Madrid'])]);

  const response = await fetch(origin);
  assert.match(response.headers.get('content-security-policy'), /^default-src 'self'; script-src 'self' 'wasm-unsafe-eval';/);
  assert.ok(opened.requests.includes(`${origin}selenoscope-core.wasm`), 'the module was fetched from the page');
  await close(opened);
});
