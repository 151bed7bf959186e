// The browsers the page is tested in: Debian's Chromium and Firefox ESR, driven by
// puppeteer-core (Chromium through its DevTools protocol, Firefox through WebDriver
// BiDi), each with a new empty profile and nothing that reaches for the network.
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

const puppeteer = await import('puppeteer-core').then((module) => module.default, () => {
  throw new Error('puppeteer-core is not installed: npm ci in tests/web (scripts/test does it)');
});

const browsers = {
  chromium: (profile) => ({
    browser: 'chrome',
    executablePath: process.env.SELENOSCOPE_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: [
      '--headless', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      // Root cannot use Chromium's sandbox.
      ...(process.getuid?.() === 0 ? ['--no-sandbox'] : []),
    ],
  }),
  firefox: (profile) => ({
    browser: 'firefox',
    executablePath: process.env.SELENOSCOPE_FIREFOX ?? '/usr/bin/firefox-esr',
    headless: true,
    userDataDir: profile,
    protocol: 'webDriverBiDi',
    extraPrefsFirefox: { 'network.captive-portal-service.enabled': false, 'network.connectivity-service.enabled': false },
  }),
};

/// Starts the named browser ("chromium" or "firefox"); close() ends it and removes its profile.
export async function startBrowser(name) {
  const options = browsers[name];
  if (!options) throw new Error(`no browser named ${name}: chromium or firefox`);
  const profile = mkdtempSync(join(tmpdir(), `selenoscope-${name}-`));
  try {
    const browser = await puppeteer.launch(options(profile));
    return {
      browser,
      close: async () => {
        await browser.close();
        rmSync(profile, { recursive: true, force: true });
      },
    };
  } catch (error) {
    rmSync(profile, { recursive: true, force: true });
    throw error;
  }
}
