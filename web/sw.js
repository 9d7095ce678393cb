'use strict';
// Every file of the page kept at the first visit, so that Tallino opens with no network; a new
// build has a new cache name, and the old cache goes once the new one is there.
const cache = '@CACHE@';
const files = @FILES@;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cache).then((kept) => kept.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== cache).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.match(event.request, { ignoreSearch: true }).then((kept) => kept || fetch(event.request)));
});
