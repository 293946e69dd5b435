// The page side of the web host: the canvas and its scaling, mouse, touch and
// keys, sound through Web Audio, the tab's visibility, and the files the
// program keeps beside its executable, held in the browser's storage.

// Where the program lives in the module's file system: its pictures and
// sounds are preloaded into Images/ and Sounds/ here, and what it writes here
// is kept between visits.
var QUANDREL_PROGRAM_DIR = '/quandrel';
var QUANDREL_STORAGE_PREFIX = 'quandrel:file:';

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
    QuandrelPage.layout();
  },

  // One sound at a time: a new sound stops the one playing, and a looping one
  // repeats until another starts. Browsers let sound start only after the
  // player's first touch or key, so until then only the latest request is
  // remembered, and started then if it loops.
  sound: {
    context: null,
    buffers: new Map(),  // path -> Promise of an AudioBuffer, or of null
    source: null,
    current: null,  // {path, loop} of the sound playing
    generation: 0,
    latest: null,
    hidden: false,
    prepared: [],  // paths to decode once sound may start

    play: function(path, loop) {
      var sound = QuandrelPage.sound;
      sound.stop();
      var generation = ++sound.generation;
      sound.latest = {path: path, loop: loop};
      if (!sound.context) return;
      sound.decoded(path).then(function(buffer) {
        if (!buffer || generation !== sound.generation) return;
        var source = sound.context.createBufferSource();
        source.buffer = buffer;
        source.loop = loop;
        source.connect(sound.context.destination);
        source.onended = function() {
          if (sound.source !== source) return;
          sound.source = null;
          sound.current = null;
        };
        sound.source = source;
        sound.current = {path: path, loop: loop};
        source.start();
      });
    },

    stop: function() {
      var sound = QuandrelPage.sound;
      if (sound.source) {
        sound.source.stop();
        sound.source.disconnect();
        sound.source = null;
      }
      sound.current = null;
    },

    prepare: function(path) {
      var sound = QuandrelPage.sound;
      if (sound.context) sound.decoded(path); else sound.prepared.push(path);
    },

    // The decoded file, read from the module's file system once.
    decoded: function(path) {
      var sound = QuandrelPage.sound;
      if (!sound.buffers.has(path)) {
        var bytes = null;
        try {
          bytes = FS.readFile(path);
        } catch (missing) {
        }
        sound.buffers.set(path, bytes === null ? Promise.resolve(null)
            : sound.context.decodeAudioData(bytes.slice().buffer).catch(function() { return null; }));
      }
      return sound.buffers.get(path);
    },

    unlock: function() {
      var sound = QuandrelPage.sound;
      if (sound.context || QuandrelPage.ended) return;
      var AudioContext = window.AudioContext || window.webkitAudioContext;
      if (!AudioContext) return;
      sound.context = new AudioContext();
      if (sound.hidden) sound.context.suspend();
      sound.prepared.forEach(sound.decoded);
      sound.prepared = [];
      if (sound.latest && sound.latest.loop) sound.play(sound.latest.path, true);
    },

    // A hidden tab is silent, as its game's time stands still.
    setHidden: function(hidden) {
      var sound = QuandrelPage.sound;
      sound.hidden = hidden;
      if (!sound.context) return;
      if (hidden) sound.context.suspend(); else sound.context.resume();
    },

    end: function() {
      var sound = QuandrelPage.sound;
      sound.stop();
      if (sound.context) sound.context.close();
      sound.context = null;
    },
  },

  // The program's own files (its settings) in localStorage, by name, as
  // base64 of their exact bytes. Restored before the program starts; stored
  // after every frame in which one changed.
  storage: {
    signatures: new Map(),  // name -> what the file looked like when stored
    warned: false,

    local: function() {
      try {
        return window.localStorage;
      } catch (refused) {
        QuandrelPage.storage.warn(refused);
        return null;
      }
    },

    warn: function(why) {
      if (QuandrelPage.storage.warned) return;
      QuandrelPage.storage.warned = true;
      console.warn('Quandrel: the browser keeps no files for this page (' + why +
                   '); settings last until the page closes.');
    },

    path: function(name) {
      return QUANDREL_PROGRAM_DIR + '/' + name;
    },

    signature: function(stat) {
      return stat.ino + ':' + stat.size + ':' + stat.mtime.getTime();
    },

    // Plain names only: hidden files are the writer's temporary files.
    keptName: function(name) {
      return name !== '' && name[0] !== '.' && name.indexOf('/') < 0;
    },

    restore: function() {
      var storage = QuandrelPage.storage;
      FS.mkdirTree(QUANDREL_PROGRAM_DIR);
      var local = storage.local();
      if (!local) return;
      for (var i = 0; i < local.length; ++i) {
        var key = local.key(i);
        if (key === null || key.indexOf(QUANDREL_STORAGE_PREFIX) !== 0) continue;
        var name = key.substring(QUANDREL_STORAGE_PREFIX.length);
        if (!storage.keptName(name)) continue;
        var bytes;
        try {
          var binary = atob(local.getItem(key));
          bytes = new Uint8Array(binary.length);
          for (var b = 0; b < binary.length; ++b) bytes[b] = binary.charCodeAt(b);
        } catch (damaged) {
          console.warn('Quandrel: the stored ' + name + ' is damaged and was left out.');
          continue;
        }
        FS.writeFile(storage.path(name), bytes);
        storage.signatures.set(name, storage.signature(FS.stat(storage.path(name))));
      }
    },

    store: function() {
      var storage = QuandrelPage.storage;
      var local = storage.local();
      if (!local) return;
      var present = new Set();
      FS.readdir(QUANDREL_PROGRAM_DIR).forEach(function(name) {
        if (!storage.keptName(name)) return;
        var stat = FS.stat(storage.path(name));
        if (!FS.isFile(stat.mode)) return;
        present.add(name);
        var signature = storage.signature(stat);
        if (storage.signatures.get(name) === signature) return;
        var bytes = FS.readFile(storage.path(name));
        var binary = '';
        for (var b = 0; b < bytes.length; ++b) binary += String.fromCharCode(bytes[b]);
        try {
          local.setItem(QUANDREL_STORAGE_PREFIX + name, btoa(binary));
          storage.signatures.set(name, signature);
        } catch (full) {
          storage.warn(full);
        }
      });
      storage.signatures.forEach(function(signature, name) {
        if (present.has(name)) return;
        local.removeItem(QUANDREL_STORAGE_PREFIX + name);
        storage.signatures.delete(name);
      });
    },
  },

  // The platform's state as the host reports it (see quandrel_page_state).
  state: function() {
    if (!QuandrelPage.started || QuandrelPage.ended) return null;
    return JSON.parse(UTF8ToString(_quandrel_page_state()));
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
