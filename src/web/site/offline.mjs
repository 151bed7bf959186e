// The page offline: registers the service worker (sw.js), which keeps the page, its core
// and the zones' table from the first visit, and each part of the atlas once a search
// fetched it, in a cache named after the build. Import it once the page has loaded.

let registration = null;

/// Registers sw.js once; resolves to its registration, or to null where the browser keeps
/// no service workers (or the page is not served from a secure origin): the page then
/// works online only, as before.
export function registerOffline() {
  if (!registration) {
    registration = 'serviceWorker' in navigator
      ? navigator.serviceWorker.register(new URL('./sw.js', import.meta.url), { scope: './' }).catch(() => null)
      : Promise.resolve(null);
  }
  return registration;
}
