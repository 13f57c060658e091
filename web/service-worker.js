// Keeps the page working offline once installed: everything it needs is in these few files,
// cached at install and answered from the cache first, whatever query string the address carries
// (a home-screen shortcut or a shared link adds one). Each build names the cache after its page,
// so a new build's worker replaces the old copies when it activates.
const CACHE = 'orvanto-1';
const FILES = ['./', 'index.html', 'manifest.webmanifest', 'orvanto.svg', 'orvanto-192.png', 'orvanto-512.png'];

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
        .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
        .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
    event.respondWith(caches.match(event.request, { ignoreSearch: true }).then((cached) => cached ?? fetch(event.request)));
});
