// The page's shell in a real browser (SELENOSCOPE_BROWSER: chromium or firefox), served
// by the project's own server on 127.0.0.1: the entry window's controls by their names
// and with names for screen readers, its keyboard flow with a visible focus, no sideways
// scrolling on a phone or at double zoom, the message dialog, the content security
// policy, and the C++ core computing the tool's readings inside the browser.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { serve } from '../../tools/web/serve.mjs';
import { startBrowser } from './support/browser.mjs';
import { birthFields, birthsCsv, firstDifference, generateBirths } from './support/births.mjs';
import { cliReadings, siteFolder } from './support/native.mjs';

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

/// A fresh page of the site, with every request it makes and every error it reports.
async function openPage(viewport = { width: 1024, height: 800 }) {
  const page = await browser.browser.newPage();
  const requests = [];
  const errors = [];
  page.on('request', (request) => requests.push(request.url()));
  page.on('pageerror', (error) => errors.push(String(error)));
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  await page.setViewport(viewport);
  await page.goto(origin, { waitUntil: 'load' });
  return { page, requests, errors };
}

// The entry window's controls, the reading's and the message's: id, kind, and the name a
// screen reader announces (the desktop windows' accessible names and captions).
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
];

test('every control carries its window name as id and a name for screen readers', async () => {
  const { page } = await openPage();
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
  assert.equal(await page.$eval('html', (html) => html.lang), 'en');
  await page.close();
});

// Tab from the top of the page: the entry window's order, a radio pair being one stop.
const keyboardFlow = ['txtName', 'cboMonth', 'cboDate', 'cboYear', 'cboHH', 'cboMM', 'cboSS', 'txtZoneHour',
  'txtZoneMinute', 'lblTZHelp', 'chkDST', 'txtLonD', 'txtLonM', 'optLong0', 'txtLatD', 'txtLatM', 'optLat0',
  'txtMCity', 'txtMState', 'txtMCountry', 'txtSearch', 'cmdRashi'];

test('the keyboard goes through the form in the entry window order, the focus always visible', async () => {
  const { page } = await openPage();
  const visited = [];
  for (let i = 0; i < keyboardFlow.length; ++i) {
    await page.keyboard.press('Tab');
    visited.push(await page.evaluate(() => {
      const element = document.activeElement;
      const style = getComputedStyle(element);
      const visible = style.outlineStyle !== 'none' && parseFloat(style.outlineWidth) >= 2;
      return `${element.id}${visible ? '' : ' (focus not visible)'}`;
    }));
  }
  assert.deepEqual(visited, keyboardFlow);
  await page.close();
});

// A phone held upright, and a 1280-pixel window at double zoom.
for (const width of [320, 360, 640]) {
  test(`nothing scrolls sideways ${width} pixels wide, the reading and a message shown`, async () => {
    const { page } = await openPage({ width, height: 700 });
    const overflow = await page.evaluate(() => {
      document.getElementById('frmDisplay').hidden = false;
      document.getElementById('tabWestern').hidden = false;
      document.getElementById('txtSiderealNonParallax').textContent = `29° 59' 59" Sco`;
      document.getElementById('messageText').textContent =
        'Please Enter Value Between 0 And 59 in the  Minute of Longitude';
      document.getElementById('message').showModal();
      const root = document.documentElement;
      const box = document.getElementById('message').getBoundingClientRect();
      return { page: root.scrollWidth - root.clientWidth, message: box.right - root.clientWidth };
    });
    assert.ok(overflow.page <= 0, `the page is ${overflow.page} px wider than the window`);
    assert.ok(overflow.message <= 0, `the message reaches ${overflow.message} px beyond the window`);
    await page.close();
  });
}

test('the message is a modal alert dialog whose OK takes the focus and closes it from the keyboard', async () => {
  const { page } = await openPage();
  const opened = await page.evaluate(() => {
    const dialog = document.getElementById('message');
    dialog.showModal();
    const text = (attribute) => document.getElementById(dialog.getAttribute(attribute))?.textContent;
    return {
      role: dialog.getAttribute('role'), modal: dialog.getAttribute('aria-modal'),
      title: text('aria-labelledby'), describedBy: dialog.getAttribute('aria-describedby'),
      focus: document.activeElement.id,
    };
  });
  assert.deepEqual(opened, { role: 'alertdialog', modal: 'true', title: 'Selenoscope', describedBy: 'messageText', focus: 'cmdMessageOK' });
  await page.keyboard.press('Enter');
  assert.equal(await page.$eval('#message', (dialog) => dialog.open), false);
  await page.close();
});

test("the core computes the tool's readings in this browser, asking nothing of another origin", async () => {
  const { page, requests, errors } = await openPage();
  const births = generateBirths(2000, 3);
  const readings = await page.evaluate(async (coreUrl, fieldsList) => {
    const { loadCore } = await import(coreUrl);
    const core = await loadCore();
    return fieldsList.map((fields) => core.reading(fields));
  }, `${origin}core.mjs`, births.map(birthFields));
  const expected = cliReadings(birthsCsv(births));
  births.forEach((birth, i) => assert.equal(firstDifference(readings[i], expected[i]), '', `birth ${i + 1}`));

  const response = await fetch(origin);
  assert.match(response.headers.get('content-security-policy'), /^default-src 'self'; script-src 'self' 'wasm-unsafe-eval';/);
  assert.deepEqual(requests.filter((url) => !url.startsWith(origin)), []);
  assert.ok(requests.includes(`${origin}selenoscope-core.wasm`), 'the module was fetched from the page');
  assert.deepEqual(errors, []);
  await page.close();
});
