// SPDX-License-Identifier: MIT
// Keeps every file of the page, so that it opens with no network once it has
// been visited. The build names the cache after what it holds: a new build
// is fetched whole on the next visit made online, and the old one dropped.
'use strict';

const CACHE = '@CACHE@';
const FILES = [@FILES@];

self.addEventListener('install', (event) => {
  // Past the browser's own cache, so that the kept files are this build's.
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES.map((file) => new Request(file, { cache: 'reload' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith('ardivo-') && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  const url = new URL(request.url);
  if (request.method !== 'GET' || url.origin !== self.location.origin)
    return;
  // The page's folder, asked for as itself, is its index.html.
  const folder = request.mode === 'navigate' && url.pathname.endsWith('/');
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(request, { ignoreSearch: true })
      .then((kept) => kept || (folder ? cache.match('index.html') : undefined)))
    .then((kept) => kept || fetch(request)));
});
