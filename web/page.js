// Brannoch's page: starts the game (game.js) on the canvas, keeps its picture crisp at any size,
// starts the sound on the first tap, gives touch screens a Down control, and stores the game for
// offline play once it runs (sw.js).
'use strict';
var statusLine = document.getElementById('status');
var canvas = document.getElementById('canvas');

// The page fits the canvas to the window with CSS; SDL maps clicks and taps back to game pixels.
// Scaled up, the pixel art keeps hard edges; scaled down, it is smoothed so thin lines survive.
function fitPicture() {
  var devicePixels = canvas.getBoundingClientRect().width * (window.devicePixelRatio || 1);
  canvas.classList.toggle('crisp', devicePixels >= canvas.width);
}

// SDL resumes its AudioContext on touchstart, which browsers do not count as a gesture that may
// start sound; touchend and pointerup are, so the page resumes it then too.
function resumeSound() {
  var context = Module.SDL2 && Module.SDL2.audioContext;
  if (context && context.state === 'suspended') context.resume();
}

// While the control is touched the game sees the Down arrow held: SDL reads the keys from the
// window's keydown and keyup events, so the control sends it those, as a keyboard would.
function holdDownKey(control) {
  var held = false;
  function send(pressed) {
    if (held === pressed) return;
    held = pressed;
    control.classList.toggle('held', pressed);
    window.dispatchEvent(new KeyboardEvent(pressed ? 'keydown' : 'keyup',
      {key: 'ArrowDown', code: 'ArrowDown', keyCode: 40, which: 40, cancelable: true}));
  }
  control.addEventListener('pointerdown', function (event) {
    control.setPointerCapture(event.pointerId);
    send(true);
  });
  ['pointerup', 'pointercancel', 'lostpointercapture'].forEach(function (type) {
    control.addEventListener(type, function () { send(false); });
  });
  control.addEventListener('contextmenu', function (event) { event.preventDefault(); });
}

// Stores this build's files for offline play. A browser without service workers (or a page not
// served over https or from localhost) plays online, without a word; a failure is logged once.
function storeForOffline() {
  if (!('serviceWorker' in navigator) || !window.isSecureContext) return;
  function failed(why) {
    console.warn('Brannoch is not stored for offline play (' + why + '); it plays online.');
  }
  navigator.serviceWorker.register('sw.js').then(function (registration) {
    var worker = registration.installing;
    if (!worker) return;
    worker.addEventListener('statechange', function () {
      if (worker.state === 'redundant' && !registration.active) failed('the files were not stored');
    });
  }, function (error) { failed(error.message); });
}

var Module = {
  canvas: canvas,
  print: function (text) { console.log(text); },
  setStatus: function (text) {
    statusLine.textContent = text;
    statusLine.hidden = !text;
  },
  postRun: [storeForOffline]
};

if (typeof WebAssembly !== 'object') {
  canvas.hidden = true;
  statusLine.textContent = 'This browser cannot run WebAssembly, which Brannoch needs. ' +
    'A current Firefox, Chrome, Edge or Safari can.';
} else {
  if (navigator.maxTouchPoints > 0 || window.matchMedia('(any-pointer: coarse)').matches) {
    document.body.classList.add('touch');
  }
  holdDownKey(document.getElementById('down'));
  ['touchend', 'pointerup', 'click', 'keydown'].forEach(function (type) {
    window.addEventListener(type, resumeSound, true);
  });
  window.addEventListener('resize', fitPicture);
  fitPicture();
  // Opened as a file, the browser refuses to fetch game.data: say so instead of "Loading...".
  window.addEventListener('error', function () {
    statusLine.textContent = 'Brannoch could not start. Its page must come from a web server ' +
      '(http or https, e.g. make play-web), not from a file.';
  });
  var script = document.createElement('script');
  script.src = 'game.js';
  document.body.appendChild(script);
}
