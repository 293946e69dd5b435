// The page's service worker: keeps every file of one build in a cache named
// after that build, so the game plays with no network after one visit.
// Online, files come from the network (a new build shows at once); offline,
// from the cache. A new build's worker fills its own cache, then drops the old.
// build-web.sh fills in the build's name and its files.
'use strict';

const CACHE = 'quandrel-@BUILD@';
const FILES = [@FILES@];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE)
      .then((cache) => cache.addAll(FILES.map((file) => new Request(file, {cache: 'reload'}))))
      .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
      .then((names) => Promise.all(names.filter((name) => name.startsWith('quandrel-') && name !== CACHE)
                                        .map((name) => caches.delete(name))))
      .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(fetch(request).catch(() => caches.open(CACHE)
      // The page's address may carry a query (?lang=...): the cached page serves it.
      .then((cache) => cache.match(request, {ignoreSearch: true}))
      .then((cached) => cached || Response.error())));
});
