// Takes the web page's pictures for the README: the form with the worked example typed in
// and the finder searching, the reading with its details, and the reading on a phone.
//   node tools/web/page-pictures.mjs SITE OUTDIR [chromium|firefox]
// Needs puppeteer-core in tests/web (npm ci there). Exits 1, saying why on stderr, when the
// page reports an error, shows a message instead of the reading, or shows empty readings.
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { serve } from './serve.mjs';
import { startBrowser } from '../../tests/web/support/browser.mjs';
import { typed } from '../../tests/web/support/finder.mjs';
import { clickReading, fillForm, openPage, workedExample } from '../../tests/web/support/page.mjs';

const [site, outdir, browserName = 'chromium'] = process.argv.slice(2);
if (!site || !outdir || process.argv.length > 5) {
  console.error('usage: node tools/web/page-pictures.mjs SITE OUTDIR [chromium|firefox]');
  process.exit(2);
}

const desk = { width: 1024, height: 900, deviceScaleFactor: 1 };
const phone = { width: 360, height: 780, deviceScaleFactor: 1 };

/// The page opened at the viewport with the worked example typed in; fails if it cannot run.
async function openExample(browser, origin, viewport) {
  const opened = await openPage(browser.browser, origin, viewport);
  const state = await opened.page.evaluate(() => document.documentElement.dataset.state);
  if (state !== 'ready') throw new Error(`the page is ${state}: ${await opened.page.$eval('#lblNotice', (p) => p.textContent)}`);
  await fillForm(opened.page, workedExample);
  return opened;
}

/// Asks for the reading on the sidereal tab, and opens its details if asked; fails on a
/// message or an empty text.
async function showReading(page, { details }) {
  const reading = await clickReading(page);
  if (!reading.sidereal) throw new Error(`the page said "${reading.message}" instead of a reading`);
  const texts = [...Object.values(reading.sidereal), ...Object.values(reading.tropical)];
  if (texts.some((text) => !text.trim())) throw new Error(`a reading text is empty: ${JSON.stringify(reading)}`);
  await page.click('#tabSiderealTab');
  if (!details) return;
  await page.click('#frmDetails summary');
  await page.waitForSelector('#lblFootnote');
}

/// Saves the whole page as name, once nothing is left to draw; fails if the page reported errors.
async function picture({ page, errors }, name) {
  await page.evaluate(() => document.fonts.ready);
  if (errors.length > 0) throw new Error(`the page reported: ${errors.join('; ')}`);
  const path = join(outdir, name);
  await page.screenshot({ path, fullPage: true });
  console.log(path);
}

const { server, url: origin } = await serve(site, { port: 0 });
let browser;
try {
  browser = await startBrowser(browserName);
  mkdirSync(outdir, { recursive: true });

  const form = await openExample(browser, origin, desk);
  await typed(form.page, 'Madrid');
  await picture(form, 'web-page.png');
  await form.page.close();

  const reading = await openExample(browser, origin, desk);
  await showReading(reading.page, { details: true });
  await picture(reading, 'web-reading.png');
  await reading.page.close();

  const small = await openExample(browser, origin, phone);
  await showReading(small.page, { details: false });
  await picture(small, 'web-phone.png');
  await small.page.close();
} catch (error) {
  console.error(`page-pictures: ${error.message}`);
  process.exitCode = 1;
} finally {
  await browser?.close();
  server.close();
}
