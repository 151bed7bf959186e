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

/// The server with a log of what it sent: each request's path and the bytes of its body
/// as sent (compressed where it compressed).
async function loggedServer(site) {
  const { server, url } = await serve(site, { port: 0 });
  const sent = [];
  server.on('request', (request, response) => {
    const writeHead = response.writeHead.bind(response);
    response.writeHead = (status, headers) => {
      sent.push({ path: new URL(request.url, url).pathname, bytes: Number(headers['Content-Length'] ?? 0) });
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

const measurements = [
  { name: 'atlas', run: measureAtlas },
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
  const files = readdirSync(resolve(site), { recursive: true }).filter((file) => statSync(join(site, file)).isFile());
  await Promise.all(files.map((file) => fetch(new URL(file, url), { headers: { 'Accept-Encoding': 'gzip' } })
    .then((response) => response.arrayBuffer())));
  const context = { site: resolve(site), browser, origin: url, sent };
  for (const { name, run } of measurements.filter((m) => chosen.length === 0 || chosen.includes(m.name))) {
    console.log(`${name}, in Chromium (headless) against tools/web/serve.mjs on 127.0.0.1:`);
    for (const line of await run(context)) console.log(`  ${line}`);
  }
} finally {
  await browser.close();
  server.close();
}
