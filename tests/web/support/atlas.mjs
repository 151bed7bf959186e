// The atlas's side of the web tests: the page's atlas opened in Node from the built site's
// files, the native reference (selenoscope-cli place --json's own code, many searches in one
// run), the tool itself, and the searches a user types, drawn from the atlas.
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { randomSource } from './births.mjs';
import { required, siteFolder } from './native.mjs';

export const atlasModule = () => import(pathToFileURL(join(siteFolder(), 'atlas.mjs')).href);

/// The page's atlas over the built site's files; every file it reads is named in `read`,
/// and spoil(path, bytes) may change or refuse (throw) what it reads.
export async function openSiteAtlas({ spoil = (path, bytes) => bytes } = {}) {
  const { openAtlas } = await atlasModule();
  const read = [];
  const atlas = await openAtlas({
    load: async (path) => {
      read.push(path);
      return spoil(path, readFileSync(join(siteFolder(), path)));
    },
  });
  return { atlas, read };
}

function runReference(args) {
  const done = spawnSync(required('SELENOSCOPE_ATLAS_REFERENCE'), [required('SELENOSCOPE_ATLAS_INDEX'), ...args],
    { maxBuffer: 1 << 30, encoding: 'utf8' });
  if (done.error || done.status !== 0) throw new Error(`atlas_reference failed (${done.error ?? done.status}): ${done.stderr}`);
  return done.stdout.trimEnd().split('\n').map((line) => JSON.parse(line));
}

/// Names drawn from the atlas (every script's, and count more from anywhere), each with
/// its place's region, country and country code.
export const sampledNames = (count, seed) => runReference(['sample', String(count), String(seed)]);

/// The place command's JSON array for each search ({text, limit, date, time}).
export function referenceRows(searches) {
  const folder = mkdtempSync(join(tmpdir(), 'selenoscope-atlas-'));
  try {
    const file = join(folder, 'searches.tsv');
    writeFileSync(file, searches.map((s) => [s.text, s.limit, s.date ?? '', s.time ?? ''].join('\t')).join('\n') + '\n');
    return runReference(['search', file]);
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

/// selenoscope-cli place --json itself for one search.
export function cliRows({ text, limit, date, time }) {
  const args = ['place', text, '--json', '--limit', String(limit), '--atlas', required('SELENOSCOPE_ATLAS_INDEX')];
  if (date) args.push('--date', date, '--time', time);
  const done = spawnSync(required('SELENOSCOPE_CLI'), args, { encoding: 'utf8' });
  // The tool exits with 1 when no place matches, and prints [].
  if (done.error || (done.status !== 0 && done.status !== 1)) throw new Error(`selenoscope-cli failed: ${done.stderr}`);
  return JSON.parse(done.stdout);
}

/// The search's local date and time as the page gives it.
export function localOf({ date, time }) {
  if (!date) return null;
  const [year, month, day] = date.split('-').map(Number);
  const [hour, minute] = time.split(':').map(Number);
  return { year, month, day, hour, minute };
}

const two = (n) => String(n).padStart(2, '0');

/// What a user types on the way to each name and after it: its first letters, its half,
/// the whole name, the name with its region, its start with its country's code; a limit
/// and, for half of them, a birth's date and time, whose clock each row then carries.
export function typedSearches(names, seed) {
  const r = randomSource(seed);
  const searches = [];
  const when = () => (r.chance(0.5)
    ? { date: `${r.pick(1900, 2050)}-${two(r.pick(1, 12))}-${two(r.pick(1, 28))}`, time: `${r.pick(0, 23)}:${two(r.pick(0, 59))}` }
    : {});
  const add = (text) => searches.push({ text, limit: [1, 5, 10, 50][r.pick(0, 3)], ...when() });
  for (const { name, region, country_code: code } of names) {
    const letters = [...name];
    for (const n of new Set([1, 2, 3, Math.ceil(letters.length / 2)]))
      if (n < letters.length) add(letters.slice(0, n).join(''));
    add(name);
    if (region) add(`${name}, ${region}`);
    add(`${letters.slice(0, 4).join('')}, ${code}`);
  }
  return searches;
}
