// Brannoch's service worker: keeps one build's files for play without a network. The build's
// name and the sums of its files are filled in by tools/web_site.py.
'use strict';
var BUILD = '@BUILD@';
var FILES = @FILES@;
var NAMES = Object.keys(FILES);
var CACHE = 'brannoch-' + BUILD;

// The page fetched these files just before it registered the worker, so they are taken from the
// browser's HTTP cache, not downloaded again; a copy that is not this build's bytes (a stale
// HTTP cache) fails its integrity check and is fetched anew.
function fetchOwn(name) {
  function get(mode) {
    return fetch(new Request(name, {cache: mode, integrity: FILES[name]})).then(function (response) {
      if (!response.ok) throw new Error(name + ': HTTP ' + response.status);
      return response;
    });
  }
  return get('force-cache').catch(function () { return get('reload'); });
}

// All files or none: a failed fetch or full storage fails the install, and the page plays on
// from the network.
self.addEventListener('install', function (event) {
  event.waitUntil(Promise.all(NAMES.map(fetchOwn)).then(function (responses) {
    return caches.open(CACHE).then(function (cache) {
      return Promise.all(NAMES.map(function (name, i) { return cache.put(name, responses[i]); }));
    });
  }));
});

// A new build takes over once no page of the old one is open; the old builds' caches go.
self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (keys) {
    return Promise.all(keys.filter(function (key) {
      return key.indexOf('brannoch-') === 0 && key !== CACHE;
    }).map(function (key) { return caches.delete(key); }));
  }));
});

// This build's files come from its cache while the cache holds every one of them; a cache found
// damaged or half filled is passed over for the network, so two builds never mix.
self.addEventListener('fetch', function (event) {
  var request = event.request;
  var name = request.url.split(/[?#]/)[0].slice(self.registration.scope.length) || 'index.html';
  if (request.method !== 'GET' || NAMES.indexOf(name) < 0) return;
  event.respondWith(caches.open(CACHE).then(function (cache) {
    return Promise.all(NAMES.map(function (file) { return cache.match(file); }));
  }).then(function (stored) {
    return stored.every(Boolean) ? stored[NAMES.indexOf(name)] : fetch(request);
  }, function () { return fetch(request); }));
});
