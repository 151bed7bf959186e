// The native side of the web tests: the command-line tool and the native reference,
// both from the ci build, named by the environment CTest gives the tests.
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { parseCsv } from './births.mjs';

export function required(variable) {
  const value = process.env[variable];
  if (!value) throw new Error(`${variable} is not set: run the web tests through ctest`);
  return value;
}

/// Runs a native program over the births' CSV; its standard output.
function run(program, args, csv) {
  const folder = mkdtempSync(join(tmpdir(), 'selenoscope-web-'));
  try {
    const input = join(folder, 'births.csv');
    writeFileSync(input, csv);
    const done = spawnSync(program, [...args, input], { maxBuffer: 1 << 30, encoding: 'utf8' });
    // The tool exits with 1 when some rows were refused; their error column says why.
    if (done.error || (done.status !== 0 && done.status !== 1))
      throw new Error(`${program} failed (${done.error ?? done.status}): ${done.stderr}`);
    return done.stdout;
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

/// The four texts of each birth, or its refusal ({error}), from selenoscope-cli batch.
export function cliReadings(csv) {
  const [header, ...rows] = parseCsv(run(required('SELENOSCOPE_CLI'), ['batch', '-o', '-'], csv));
  const at = (name) => header.indexOf(name);
  return rows.map((row) => (row[at('error')]
    ? { error: row[at('error')] }
    : {
      sidereal: { geocentric: row[at('sidereal_geocentric')], topocentric: row[at('sidereal_topocentric')] },
      tropical: { geocentric: row[at('tropical_geocentric')], topocentric: row[at('tropical_topocentric')] },
    }));
}

/// The details of each birth as selenoscope-cli details --json gives them without the
/// precise Moon, or its refusal ({error}).
export function nativeDetails(csv) {
  return run(required('SELENOSCOPE_WEB_REFERENCE'), ['details'], csv).trimEnd().split('\n').map((line) => JSON.parse(line));
}

/// The periods of each birth as selenoscope-cli dasha --json gives them without the precise
/// Moon, counted with the options (year_days, time_uncertainty, levels), or the refusal.
export function nativeDasha(csv, { year_days: days = 365.25, time_uncertainty: minutes = 0, levels = 2 } = {}) {
  return run(required('SELENOSCOPE_WEB_REFERENCE'), ['dasha', String(days), String(minutes), String(levels)], csv)
    .trimEnd().split('\n').map((line) => JSON.parse(line));
}

/// The form's refusal ({refusal: {message, icon, focus}}) as the tool words it ({error}).
export const asToolAnswer = (answer) => (answer.refusal ? { error: answer.refusal.message } : answer);

/// The built page's folder.
export function siteFolder() {
  const folder = required('SELENOSCOPE_WEB_SITE');
  if (!existsSync(join(folder, 'core.mjs')))
    throw new Error(`${folder} holds no built page: scripts/web build (scripts/test builds it)`);
  return folder;
}

export const siteFile = (name) => readFileSync(join(siteFolder(), name));

/// What selenoscope-cli answers with --json to the arguments: its JSON, or {error} with
/// its message when it refuses.
export function cliJson(args) {
  const done = spawnSync(required('SELENOSCOPE_CLI'), [...args, '--json'], { encoding: 'utf8' });
  if (done.error || done.status === 2) throw new Error(`selenoscope-cli ${args.join(' ')}: ${done.error ?? done.stderr}`);
  return done.status === 0 ? JSON.parse(done.stdout) : { error: done.stderr.trim() };
}
