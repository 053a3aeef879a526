// Keeps the game's files so that the page works offline once loaded: each file
// is answered from the cache at once when it is there, and fetched anew in the
// background so that the next visit gets an updated game. The voices, which
// the page fetches as the game plays them, are fetched into the cache in the
// background once the rest is there.
"use strict";

const CACHE = "kerna-reversi";
const FILES = ["./", "index.html", "kerna-page.css", "kerna-page.js", "kerna.js", "kerna.wasm",
               "kerna.data", "favicon.png", "icon-256.png", "voice-list.txt"];

async function cacheVoices(cache) {
  const list = await (await cache.match("voice-list.txt")).text();
  for (const path of list.split("\n").filter(Boolean)) {
    if (!(await cache.match(path))) await cache.add(path);
  }
}

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(self.clients.claim());
  caches.open(CACHE).then(cacheVoices).catch(() => {});  // the rest come when played
});


self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(caches.open(CACHE).then(async (cache) => {
    const cached = await cache.match(event.request, { ignoreSearch: true });
    const fresh = fetch(event.request).then((response) => {
      if (response.ok) cache.put(event.request, response.clone());
      return response;
    });
    if (cached) {
      event.waitUntil(fresh.catch(() => {}));
      return cached;
    }
    return fresh;
  }));
});
