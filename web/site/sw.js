// Keeps the page's files for use offline: served from the cache first, the
// cache replaced as a whole when the page changes.
const CACHE = 'vael-@VERSION@';
const FILES = [
@FILES@
];

// The files come from the server, never from the browser's own cache: that
// may still hold the last page's files, which would then be kept with the
// new ones (an old engine under a new page) until the page changes again.
self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: 'reload' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((key) => key !== CACHE).map((key) => caches.delete(key))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.match(event.request).then((hit) => hit ?? fetch(event.request)));
});
