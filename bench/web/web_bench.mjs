// The web page's costs as a visitor meets them, measured inside headless Chromium (driven by
// puppeteer-core) against the project's own server on 127.0.0.1, which compresses with gzip
// as a web server would. scripts/bench web runs it.
//   node bench/web/web_bench.mjs SITE [MEASUREMENT...]
// Each measurement is one entry of `measurements` below: a name and a function of the
// bench's context that returns the lines it prints. Add one there for a new figure.
import { readFileSync, readdirSync, statSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';
import { serve } from '../../tools/web/serve.mjs';
import { startBrowser } from '../../tests/web/support/browser.mjs';

const kilobytes = (bytes) => `${(bytes / 1000).toFixed(1)} KB`;
const milliseconds = (ms) => `${ms.toFixed(ms < 10 ? 2 : 0)} ms`;
const percentile = (values, p) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.round(p * (sorted.length - 1)))];
};

/// The server with a log of what it sent: each request's path, status and the bytes of its
/// body as sent (compressed where it compressed).
async function loggedServer(site) {
  const { server, url } = await serve(site, { port: 0 });
  const sent = [];
  server.on('request', (request, response) => {
    const writeHead = response.writeHead.bind(response);
    response.writeHead = (status, headers) => {
      sent.push({ path: new URL(request.url, url).pathname, status, bytes: Number(headers?.['Content-Length'] ?? 0) });
      return writeHead(status, headers);
    };
  });
  return { server, url, sent };
}

/// A fresh visitor: a browser context of its own (no cache, no service worker yet), the
/// page loaded and its service worker installed.
async function visit({ browser, origin }) {
  const context = await browser.browser.createBrowserContext();
  const page = await context.newPage();
  await page.goto(origin, { waitUntil: 'load' });
  // Every fetch counted: by default the page notes only its first 250.
  await page.evaluate(() => {
    performance.setResourceTimingBufferSize(100_000);
    return navigator.serviceWorker.ready;
  });
  return { page, close: () => context.close() };
}

// The first searches measured: a visitor's first letters, and the text whose part is the
// largest (found by the bench), each in a fresh visitor's page.
const firstTexts = ['M', 'Ma', 'Sp', 'Lo', 'Be', 'Ch', 'Мо', '東京', 'Ka'];
// Letters whose listed places give the names typed letter by letter afterwards.
const seedLetters = [...'abcdefghijklmnopqrstuvwxyz', 'м', 'к', 'α', 'ا', 'क', '東', '서', 'ש'];

/// The atlas: its first search (the search's module, the common part, the zones' table and
/// the part, fetched and opened), then later keystrokes over names whose part is there.
async function measureAtlas(context) {
  const lines = [];
  const atlasFolder = join(context.site, 'atlas');
  const parts = readdirSync(atlasFolder).filter((file) => /^\d+\.part$/.test(file));
  const sizes = parts.map((file) => ({ file, raw: statSync(join(atlasFolder, file)).size }));
  const largest = sizes.reduce((a, b) => (b.raw > a.raw ? b : a));
  largest.sent = gzipSync(readFileSync(join(atlasFolder, largest.file)), { level: 9 }).length;
  const raw = (file) => statSync(join(context.site, file)).size;
  const firstRaw = ['atlas/selenoscope-atlas.mjs', 'atlas/selenoscope-atlas.wasm', 'atlas/common.part', 'zones.table']
    .reduce((sum, file) => sum + raw(file), 0);
  lines.push(`parts: ${parts.length}, the largest ${largest.file} ${kilobytes(largest.raw)} (${kilobytes(largest.sent)} sent),`
    + ` all ${kilobytes(sizes.reduce((s, p) => s + p.raw, 0))}; the search's module, the common part and the`
    + ` zones' table ${kilobytes(firstRaw)}: a first search reads at most ${kilobytes(firstRaw + largest.raw)} raw`);

  // Which text reaches the largest part: the first key of the part, found by searching.
  const probe = await visit(context);
  const largestText = await probe.page.evaluate(async (wanted, letters) => {
    const { atlas } = await import('./atlas.mjs');
    const a = await atlas();
    // Keys a cut reaches over are answered by the common part: their parts come with a
    // gap or another letter after them.
    for (const first of letters)
      for (const second of ['', ...'abcdefghijklmnopqrstuvwxyz'])
        for (const text of [first + second, `${first + second} `, `${first + second}a`]) {
          const before = performance.getEntriesByType('resource').length;
          await a.search(text);
          const fetched = performance.getEntriesByType('resource').slice(before).map((e) => e.name);
          if (fetched.some((name) => name.endsWith(`/atlas/${wanted}`))) return text;
        }
    return null;
  }, largest.file, seedLetters);
  await probe.close();

  // Each first search a few times over, each time a new visitor: the machine's other work
  // comes and goes.
  const rounds = 3;
  const firsts = [];
  for (const text of [...firstTexts, ...(largestText ? [largestText] : [])]) {
    const times = [];
    let sent = 0;
    let files = 0;
    for (let round = 0; round < rounds; ++round) {
      const visitor = await visit(context);
      context.sent.length = 0;
      times.push(await visitor.page.evaluate(async (query) => {
        const started = performance.now();
        const { atlas } = await import('./atlas.mjs');
        await (await atlas()).search(query, { local: { year: 1980, month: 7, day: 1, hour: 12, minute: 0 } });
        return performance.now() - started;
      }, text));
      const fetched = context.sent.filter((s) => s.path.includes('/atlas/') || s.path.endsWith('/zones.table'));
      sent = Math.max(sent, fetched.reduce((sum, s) => sum + s.bytes, 0));
      files = Math.max(files, fetched.length);
      await visitor.close();
    }
    firsts.push(...times);
    lines.push(`first search "${text}"${text === largestText ? ' (the largest part)' : ''}: `
      + `${times.map(milliseconds).join(', ')}; ${files} files, ${kilobytes(sent)} sent`);
  }
  lines.push(`first searches (${firsts.length}): median ${milliseconds(percentile(firsts, 0.5))}, `
    + `90th percentile ${milliseconds(percentile(firsts, 0.9))}, slowest ${milliseconds(Math.max(...firsts))}`);

  // Later keystrokes: every prefix of the names the seed letters list; a keystroke that
  // fetched a part (the first letters of a new part) is counted apart.
  const typist = await visit(context);
  const timings = await typist.page.evaluate(async (letters) => {
    const { atlas } = await import('./atlas.mjs');
    const a = await atlas();
    const local = { year: 1980, month: 7, day: 1, hour: 12, minute: 0 };
    const names = new Set();
    for (const letter of letters) for (const row of (await a.search(letter)).rows) names.add(row.name);
    const kept = [];
    const fetching = [];
    for (const name of names) {
      const letters = [...name];
      for (let n = 1; n <= letters.length; ++n) {
        const before = performance.getEntriesByType('resource').length;
        const started = performance.now();
        await a.search(letters.slice(0, n).join(''), { local });
        const ms = performance.now() - started;
        (performance.getEntriesByType('resource').length > before ? fetching : kept).push(ms);
      }
    }
    return { names: names.size, kept, fetching };
  }, seedLetters);
  await typist.close();
  lines.push(`later keystrokes (${timings.names} names typed letter by letter, each with its clock): `
    + `${timings.kept.length} fetched nothing: median ${milliseconds(percentile(timings.kept, 0.5))}, `
    + `99th percentile ${milliseconds(percentile(timings.kept, 0.99))}, slowest ${milliseconds(Math.max(...timings.kept))}; `
    + `${timings.fetching.length} fetched a new part: median ${milliseconds(percentile(timings.fetching, 0.5))}`);
  return lines;
}

// The worked example, as the form holds it once typed (the lists' texts, the choices).
const workedExample = {
  txtName: 'asha rao', cboMonth: 'January', cboDate: '1', cboYear: '2000', cboHH: '12', cboMM: '0', cboSS: '0',
  txtZoneHour: '5', txtZoneMinute: '30', txtLonD: '77', txtLonM: '13', txtLatD: '28', txtLatM: '37',
  optLong0: true, optLat0: true, chkDST: false,
};
const readingIds = ['txtSiderealNonParallax', 'txtSiderealParallax', 'txtWesternNonParallax', 'txtWesternParallax'];

/// Runs in the page before its own scripts: the moment the page says it is ready, the form
/// is filled with the birth at once (no typing: the page is measured, not the driver) and
/// "Get My Parallax Reading" clicked. window.firstReading resolves to the moments (from
/// navigation start) and the page's own requests finished by then.
function readOnReady(birth, boxes) {
  window.firstReading = new Promise((resolve, reject) => {
    const read = () => {
      const ready = performance.now();
      for (const [id, value] of Object.entries(birth)) {
        const control = document.getElementById(id);
        if (typeof value === 'boolean') control.checked = value;
        else control.value = value;
        if (typeof value !== 'boolean' && control.value !== value) throw new Error(`#${id} does not take "${value}"`);
      }
      document.getElementById('cmdRashi').click();
      const texts = boxes.map((id) => document.getElementById(id).value);
      const shown = performance.now();
      if (texts.some((text) => !text)) throw new Error(`no reading shown: ${JSON.stringify(texts)}`);
      const files = [...performance.getEntriesByType('navigation'), ...performance.getEntriesByType('resource')]
        .map((entry) => ({
          path: new URL(entry.name).pathname, raw: entry.decodedBodySize, sent: entry.encodedBodySize, end: entry.responseEnd,
        }));
      return { ready, shown, texts, files };
    };
    const watch = () => {
      const state = document.documentElement?.dataset.state;
      if (state === 'ready') {
        observer.disconnect();
        try { resolve(read()); } catch (error) { reject(error); }
      } else if (state) {
        observer.disconnect();
        reject(new Error(`the page says it is ${state}`));
      }
    };
    const observer = new MutationObserver(watch);
    // The script runs before the document has its root element: the document is watched.
    observer.observe(document, { attributes: true, attributeFilter: ['data-state'], subtree: true });
  });
}

const fileName = (path) => path.slice(1) || 'index.html';
const listFiles = (files) => files.map((f) => `${fileName(f.path)} ${kilobytes(f.raw)} (${kilobytes(f.sent)})`).join(', ');
const total = (files, key) => files.reduce((sum, f) => sum + f[key], 0);
const range = (values, show) => {
  const low = Math.min(...values);
  const high = Math.max(...values);
  return low === high ? show(low) : `${show(low)} to ${show(high)}`;
};

/// The reading: what a fresh visitor's page loads before its first reading, how long from
/// navigation to it, and later readings' costs from the click to the texts set.
async function measureReading(context) {
  const lines = [];
  const rounds = 10;
  const toReady = [];
  const toReading = [];
  const loads = [];
  let texts = null;
  for (let round = 0; round < rounds; ++round) {
    const browserContext = await context.browser.browser.createBrowserContext();
    const page = await browserContext.newPage();
    await page.evaluateOnNewDocument(readOnReady, workedExample, readingIds);
    context.sent.length = 0;
    await page.goto(context.origin, { waitUntil: 'domcontentloaded' });
    const first = await page.evaluate(() => window.firstReading);
    // What else reached the server meanwhile: the icon, and the service worker's copies.
    const others = [...context.sent];
    for (const file of first.files) {
      const at = others.findIndex((s) => s.path === file.path);
      if (at >= 0) others.splice(at, 1);
    }
    await browserContext.close();
    toReady.push(first.ready);
    toReading.push(first.shown);
    loads.push({ files: first.files, others });
    if (texts && texts.join() !== first.texts.join()) throw new Error(`the readings differ: ${texts} and ${first.texts}`);
    texts = first.texts;
  }
  // Each file once, as the round that loaded most had it, with how many rounds had it by then.
  const firstClicks = toReading.map((shown, i) => shown - toReady[i]);
  const most = loads.reduce((a, b) => (b.files.length > a.files.length ? b : a));
  const roundsWith = (path) => loads.filter((load) => load.files.some((f) => f.path === path)).length;
  const files = most.files.map((f) => ({ ...f, path: roundsWith(f.path) < rounds ? `${f.path} [in ${roundsWith(f.path)} of ${rounds}]` : f.path }));
  const raws = loads.map((load) => total(load.files, 'raw'));
  const sents = loads.map((load) => total(load.files, 'sent'));
  lines.push(`loaded by the page before its first reading, raw (sent): ${listFiles(files)}: `
    + `${range(raws, kilobytes)} raw, ${range(sents, kilobytes)} sent`);
  const core = loads.map((load) => load.files.find((f) => f.path.endsWith('.wasm'))?.end).filter((end) => end !== undefined);
  if (core.length) lines.push(`the core's .wasm received, from navigation start: median ${milliseconds(percentile(core, 0.5))} (${range(core, milliseconds)})`);
  const extras = most.others.map((s) => {
    const raw = statSync(join(context.site, fileName(s.path))).size;
    return s.status === 304 ? `${fileName(s.path)} not modified` : `${fileName(s.path)} ${kilobytes(raw)} (${kilobytes(s.bytes)})`;
  });
  lines.push(`sent meanwhile to the service worker for its copies (and files the page had not finished): `
    + `${extras.join(', ') || 'nothing'}: ${kilobytes(total(most.others, 'bytes'))} sent`);
  lines.push(`first reading (${rounds} fresh visitors, the worked example: ${texts.join(' | ')}): `
    + `navigation to ready median ${milliseconds(percentile(toReady, 0.5))} (${range(toReady, milliseconds)}), `
    + `navigation to reading median ${milliseconds(percentile(toReading, 0.5))} (${range(toReading, milliseconds)}); `
    + `the first click itself median ${milliseconds(percentile(firstClicks, 0.5))} (${range(firstClicks, milliseconds)})`);

  // Later readings: a birth a minute later each time, "Back" between and the page drawn
  // again before the next click, as a user goes on.
  const visitor = await visit(context);
  await visitor.page.waitForFunction(() => document.documentElement.dataset.state === 'ready');
  const later = await visitor.page.evaluate(async (birth, boxes, count) => {
    const $ = (id) => document.getElementById(id);
    for (const [id, value] of Object.entries(birth)) {
      if (typeof value === 'boolean') $(id).checked = value;
      else $(id).value = value;
    }
    const times = [];
    const seen = new Set();
    for (let n = 1; n <= count; ++n) {
      $('cboHH').value = String((12 + Math.floor(n / 60)) % 24);
      $('cboMM').value = String(n % 60);
      const started = performance.now();
      $('cmdRashi').click();
      const texts = boxes.map((id) => $(id).value);
      times.push(performance.now() - started);
      if (texts.some((text) => !text) || $('frmDisplay').hidden) throw new Error(`no reading for the ${n}th birth`);
      seen.add(texts.join());
      $('cmdOK').click();
      await new Promise((drawn) => requestAnimationFrame(() => setTimeout(drawn, 0)));
    }
    // The core's part of it: the same call the click makes, on a core of the bench's own.
    const { loadCore } = await import('./core.mjs');
    const core = await loadCore();
    const fields = {
      name: birth.txtName, month: birth.cboMonth, day: birth.cboDate, year: birth.cboYear, zoneHour: birth.txtZoneHour,
      zoneMinute: birth.txtZoneMinute, longitudeDegrees: birth.txtLonD, longitudeMinutes: birth.txtLonM,
      latitudeDegrees: birth.txtLatD, latitudeMinutes: birth.txtLatM, east: true, south: false, daylightSaving: false,
    };
    // A page's clock ticks in tenths of a millisecond: the calls are timed together.
    const births = Array.from({ length: count }, (_, i) => ({
      ...fields, hour: String((12 + Math.floor((i + 1) / 60)) % 24), minute: String((i + 1) % 60),
    }));
    births.forEach((one) => core.reading(one)); // warmed as the page's core is by now
    const started = performance.now();
    const answers = births.map((one) => core.reading(one));
    const computing = (performance.now() - started) / count;
    if (answers.some((answer) => !answer.sidereal)) throw new Error('the core refused a birth the page read');
    return { times, distinct: seen.size, computing };
  }, workedExample, readingIds, 200);
  await visitor.close();
  lines.push(`later readings (${later.times.length} births a minute apart, ${later.distinct} distinct readings, "Back" between), `
    + `click to texts: median ${milliseconds(percentile(later.times, 0.5))}, `
    + `99th percentile ${milliseconds(percentile(later.times, 0.99))}, slowest ${milliseconds(Math.max(...later.times))}`);
  lines.push(`of which the core's reading (core.mjs reading(), the call the click makes, the same births timed together): `
    + `${(later.computing * 1000).toFixed(0)} µs a reading on average`);
  return lines;
}

const measurements = [
  { name: 'atlas', run: measureAtlas },
  { name: 'reading', run: measureReading },
];

const [site, ...chosen] = process.argv.slice(2);
if (!site) {
  console.error(`usage: node bench/web/web_bench.mjs SITE [${measurements.map((m) => m.name).join('|')}...]`);
  process.exit(2);
}
const { server, url, sent } = await loggedServer(resolve(site));
const browser = await startBrowser('chromium');
try {
  // A web server sends files compressed ahead; this one compresses each on first request.
  // Four at a time (its compressing threads); a file whose connection drops (a kept-alive
  // one the server closed meanwhile) is asked for again once.
  const files = readdirSync(resolve(site), { recursive: true }).filter((file) => statSync(join(site, file)).isFile());
  const warm = (file) => fetch(new URL(file, url), { headers: { 'Accept-Encoding': 'gzip' } })
    .then((response) => response.arrayBuffer());
  const waiting = [...files];
  await Promise.all(Array.from({ length: 4 }, async () => {
    for (let file = waiting.shift(); file !== undefined; file = waiting.shift()) await warm(file).catch(() => warm(file));
  }));
  const context = { site: resolve(site), browser, origin: url, sent };
  for (const { name, run } of measurements.filter((m) => chosen.length === 0 || chosen.includes(m.name))) {
    console.log(`${name}, in Chromium (headless) against tools/web/serve.mjs on 127.0.0.1:`);
    for (const line of await run(context)) console.log(`  ${line}`);
  }
} finally {
  await browser.close();
  server.close();
}
