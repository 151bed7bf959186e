// The page's service worker: it keeps the page, its modules, the core and the zones'
// table from the first visit, and each file of the atlas (its search and its parts) once
// the page fetched it, and answers from what it kept first, so that after the first visit
// the page works offline. The cache is named after the build: a new build installs a new
// worker with a new cache, which takes over once no page of the old one is open, and the
// old cache is then deleted.
const cacheName = 'selenoscope-@SITE_VERSION@';
const pageFiles = [@SITE_FILES@];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName)
    // The browser's cache asks the server whether the files the page just fetched changed.
    .then((cache) => cache.addAll(pageFiles.map((file) => new Request(file, { cache: 'no-cache' })))));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith('selenoscope-') && name !== cacheName)
      .map((name) => caches.delete(name))))
    // The page that registered the worker fetches its atlas's parts through it already.
    .then(() => self.clients.claim()));
});

let opened = null; // the cache, opened once a worker's life

// What the cache kept, or the network's answer, kept while the page already reads it.
async function answer(event) {
  opened ??= caches.open(cacheName);
  const cache = await opened;
  const kept = await cache.match(event.request, { ignoreSearch: true, ignoreVary: true });
  if (kept) return kept;
  const response = await fetch(event.request);
  if (response.status === 200 && response.type === 'basic')
    event.waitUntil(cache.put(event.request, response.clone()));
  return response;
}

self.addEventListener('fetch', (event) => {
  const { request } = event;
  if (request.method === 'GET' && new URL(request.url).origin === self.location.origin)
    event.respondWith(answer(event));
});
