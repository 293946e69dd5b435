// The page side of the web host: the canvas and its scaling, mouse, touch and
// keys, the tab's visibility and focus, and the program's start and end. Sound,
// storage and gamepads are in page_sound.js, page_storage.js and
// page_gamepad.js, loaded before this.

var QuandrelPage = {
  started: false,  // the runtime is up: the host's functions may be called
  ended: false,
  away: false,  // hidden, or without the keyboard focus
  firstFrameMs: null,

  canvas: function() {
    return document.getElementById('screen');
  },

  status: function(text) {
    var status = document.getElementById('status');
    if (!status) return;
    status.textContent = text;
    status.hidden = text === '';
  },

  present: function(pixels, x, y, width, height) {
    if (!QuandrelPage.context) QuandrelPage.context = QuandrelPage.canvas().getContext('2d');
    var frame = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pixels, 480 * 720 * 4), 480, 720);
    QuandrelPage.context.putImageData(frame, 0, 0, x, y, width, height);
    if (QuandrelPage.firstFrameMs === null) {
      QuandrelPage.firstFrameMs = performance.now();
      performance.mark('quandrel-first-frame');
    }
  },

  showCanvas: function(show) {
    QuandrelPage.canvas().style.visibility = show ? 'visible' : 'hidden';
    if (show) QuandrelPage.status('');
  },

  // The frame as large as the page allows, kept 2:3 with black bars; crisp
  // when each game pixel covers whole device pixels, smooth otherwise.
  layout: function() {
    var canvas = QuandrelPage.canvas();
    var scale = Math.min(window.innerWidth / 480, window.innerHeight / 720);
    var devicePixels = scale * (window.devicePixelRatio || 1);
    var crisp = devicePixels >= 1 && Math.abs(devicePixels - Math.round(devicePixels)) < 1e-6;
    canvas.style.width = 480 * scale + 'px';
    canvas.style.height = 720 * scale + 'px';
    canvas.style.imageRendering = crisp ? 'pixelated' : 'auto';
  },

  // Pointer actions as page_loop.cpp numbers them.
  pointerActions: {pointerdown: 0, pointermove: 1, pointerup: 2, pointercancel: 3},

  onPointer: function(event) {
    if (event.type === 'pointerdown') QuandrelPage.sound.unlock();
    if (!QuandrelPage.started || QuandrelPage.ended || !event.isPrimary) return;
    var mouseButton = event.pointerType === 'mouse' && (event.type === 'pointerdown' || event.type === 'pointerup');
    if (mouseButton && event.button !== 0) return;
    var canvas = QuandrelPage.canvas();
    if (event.type === 'pointerdown') {
      canvas.setPointerCapture(event.pointerId);
      canvas.focus();
      event.preventDefault();
    }
    var box = canvas.getBoundingClientRect();
    _quandrel_page_pointer(QuandrelPage.pointerActions[event.type], event.clientX - box.left,
                           event.clientY - box.top, box.width, box.height);
  },

  onKey: function(event) {
    QuandrelPage.sound.unlock();
    if (!QuandrelPage.started || QuandrelPage.ended || event.isComposing) return;
    if (event.key === 'F9') {
      event.preventDefault();
      QuandrelPage.downloadRecording();
      return;
    }
    // Not ccall: while the question box's loop sleeps, ccall would take the
    // call for the sleeping one and answer with a promise.
    var stack = stackSave();
    var taken;
    try {
      var size = lengthBytesUTF8(event.key) + 1;
      var key = stackAlloc(size);
      stringToUTF8(event.key, key, size);
      taken = _quandrel_page_key(key, event.altKey, event.ctrlKey, event.metaKey, event.shiftKey);
    } finally {
      stackRestore(stack);
    }
    if (taken) event.preventDefault();
  },

  onVisibility: function() {
    if (QuandrelPage.started && !QuandrelPage.ended) _quandrel_page_visibility(document.hidden ? 1 : 0);
    QuandrelPage.sound.setHidden(document.hidden);
    QuandrelPage.onFocus();
  },

  // Away from the page as from a desktop window: hidden or out of focus. A
  // page loaded without the focus is not paused before it first had it.
  onFocus: function() {
    var away = document.hidden || !document.hasFocus();
    if (away === QuandrelPage.away) return;
    QuandrelPage.away = away;
    if (QuandrelPage.started && !QuandrelPage.ended) _quandrel_page_focus(away ? 1 : 0);
  },

  // The tab closes or navigates away: the game closes as its window would.
  onPageHide: function() {
    if (QuandrelPage.started && !QuandrelPage.ended) {
      try {
        _quandrel_page_close();
      } catch (thrown) {
        // Ending the program unwinds the call by throwing: that one is expected.
        if (!QuandrelPage.ended) throw thrown;
      }
    }
    QuandrelPage.storage.store();
  },

  onPageShow: function(event) {
    // Back from the browser's page cache, the program has ended: start anew.
    if (event.persisted) window.location.reload();
  },

  listen: function() {
    var canvas = QuandrelPage.canvas();
    Object.keys(QuandrelPage.pointerActions).forEach(function(type) {
      canvas.addEventListener(type, QuandrelPage.onPointer);
    });
    canvas.addEventListener('contextmenu', function(event) { event.preventDefault(); });
    window.addEventListener('keydown', QuandrelPage.onKey);
    window.addEventListener('resize', QuandrelPage.layout);
    document.addEventListener('visibilitychange', QuandrelPage.onVisibility);
    window.addEventListener('blur', QuandrelPage.onFocus);
    window.addEventListener('focus', QuandrelPage.onFocus);
    window.addEventListener('pagehide', QuandrelPage.onPageHide);
    window.addEventListener('pageshow', QuandrelPage.onPageShow);
    QuandrelPage.gamepad.listen();
    QuandrelPage.layout();
  },

  sound: QuandrelSound,
  storage: QuandrelStorage,
  gamepad: QuandrelGamepad,

  // The platform's state as the host reports it (see quandrel_page_state).
  state: function() {
    if (!QuandrelPage.started || QuandrelPage.ended) return null;
    return JSON.parse(UTF8ToString(_quandrel_page_state()));
  },

  // The session so far as a headless script, and the state it replays to.
  recording: function() {
    if (!QuandrelPage.started || QuandrelPage.ended) return null;
    return {script: UTF8ToString(_quandrel_page_recording()),
            state: JSON.parse(UTF8ToString(_quandrel_page_loop_state()))};
  },

  // Saves the session as a file, for a bug report (F9).
  downloadRecording: function() {
    var recording = QuandrelPage.recording();
    if (!recording) return;
    var link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([recording.script], {type: 'text/plain'}));
    link.download = 'quandrel-session.txt';
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function() { URL.revokeObjectURL(link.href); }, 0);
  },

  end: function(message) {
    QuandrelPage.ended = true;
    QuandrelPage.sound.end();
    QuandrelPage.canvas().style.visibility = 'hidden';
    QuandrelPage.status(message);
  },
};

Module['quandrel'] = QuandrelPage;
Module['preRun'] = (Module['preRun'] || []).concat([function() {
  QuandrelPage.storage.restore();
  // The program finds its folder from its own path, as on Linux.
  FS.symlink(QUANDREL_PROGRAM_DIR + '/quandrel', '/proc/self/exe');
}]);
Module['onRuntimeInitialized'] = function() {
  QuandrelPage.started = true;
};
Module['onExit'] = function() {
  QuandrelPage.storage.store();
  QuandrelPage.end('Quandrel has ended. Reload the page to play again.');
};
Module['onAbort'] = function(what) {
  QuandrelPage.end('Quandrel stopped: ' + what);
};
QuandrelPage.listen();
