// The page's service worker: keeps the files of one build in a cache named
// after that build, so the game plays with no network after a visit. It keeps
// the page and the program, and the packages of each language the player has
// used: each the page names in a message ({keep: language}), the page's own
// at each visit and each the player switches to, and, at an update, each the
// older builds' caches held.
// Online, files come from the network (a new build shows at once); offline,
// from the cache. A new build's worker fills its own cache, then drops the
// old ones. make_service_worker.sh fills in the build's name and files.
'use strict';

const CACHE = 'quandrel-@BUILD@';
const PAGE_FILES = [@PAGE_FILES@];
const LANGUAGE_FILES = {@LANGUAGE_FILES@};

// Caches the page's files and the languages', those not cached yet. Fetched
// through the browser's HTTP cache, a file the page just loaded costs the
// host a 304 answer, not its bytes again.
async function keep(languages) {
  const cache = await caches.open(CACHE);
  const files = PAGE_FILES.concat(...languages.map((language) => LANGUAGE_FILES[language] || []));
  const missing = [];
  for (const file of new Set(files)) {
    if (!(await cache.match(file))) missing.push(new Request(file, {cache: 'no-cache'}));
  }
  await cache.addAll(missing);
}

// The languages an older build's cache kept: the player used them.
async function languagesKeptBefore() {
  const languages = new Set();
  for (const name of await caches.keys()) {
    if (!name.startsWith('quandrel-') || name === CACHE) continue;
    for (const request of await (await caches.open(name)).keys()) {
      const language = /\/quandrel-([a-z_]+)\.data$/.exec(new URL(request.url).pathname);
      if (language && language[1] !== 'later') languages.add(language[1]);
    }
  }
  return [...languages];
}

self.addEventListener('install', (event) => {
  event.waitUntil(languagesKeptBefore().then(keep).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
      .then((names) => Promise.all(names.filter((name) => name.startsWith('quandrel-') && name !== CACHE)
                                        .map((name) => caches.delete(name))))
      .then(() => self.clients.claim()));
});

self.addEventListener('message', (event) => {
  const language = event.data && event.data.keep;
  if (typeof language === 'string' && LANGUAGE_FILES[language]) event.waitUntil(keep([language]));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(fetch(request).catch(() => caches.open(CACHE)
      // The page's address may carry a query (?lang=...) or name index.html:
      // the cached page serves it.
      .then((cache) => cache.match(request.mode === 'navigate' ? './' : request, {ignoreSearch: true}))
      .then((cached) => cached || Response.error())));
});
