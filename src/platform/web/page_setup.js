// The page side of the web host: the canvas, mouse, touch and keys, the tab's
// visibility and focus, and the program's start and end. The loop and drawing
// are in page_frames.js; sound, storage, gamepads, the later packages, the
// single running tab, the wake lock and assistive technology in the other
// page_*.js files, loaded before this. index.html lays the canvas out and shows the splash.

var QuandrelPage = {
  started: false,  // the runtime is up: the host's functions may be called
  ended: false,
  away: false,  // hidden, or without the keyboard focus
  moving: false,  // another tab takes the game: the end is a move
  firstFrameMs: null,  // performance.now() when the program's first frame was drawn
  firstFrameScreen: null,  // ... and the screen it showed
  menuShownMs: null,  // ... and when the menu first reached the screen

  // performance.now() when the splash first reached the screen.
  get splashShownMs() {
    return Module['splash'] && Module['splash'].shownMs !== null ? Module['splash'].shownMs : QuandrelPage.firstFrameMs;
  },
  get wakeLocked() {
    return QuandrelWakeLock.held();
  },
  get instance() {
    return QuandrelInstance.state;
  },
  // How the program judged the run of a #run= link (page_runs.js).
  get run() {
    return QuandrelRuns.run;
  },
  // How the program judged the board of a #board= link (page_runs.js).
  get board() {
    return QuandrelRuns.board;
  },

  // The game's announcements so far, {text, priority} each (page_access.js).
  get announcements() {
    return QuandrelAccess.announcements;
  },

  canvas: function() {
    return document.getElementById('screen');
  },

  status: function(text) {
    var status = document.getElementById('status');
    if (!status) return;
    status.textContent = text;
    status.hidden = text === '';
  },

  // The status line with a button under it.
  offerToPlayHere: function(text, action) {
    QuandrelPage.canvas().style.visibility = 'hidden';
    QuandrelPage.status(text);
    var button = document.createElement('button');
    button.textContent = QuandrelTexts.get('playHere');
    button.addEventListener('click', function() {
      button.disabled = true;
      action();
    });
    document.getElementById('status').appendChild(button);
  },

  // A line at the foot of the page, shown once; a touch puts it away.
  note: function(text) {
    var note = document.getElementById('note');
    if (!note || note.textContent !== '') return;
    note.textContent = text;
    note.hidden = false;
    note.addEventListener('pointerdown', function() { note.hidden = true; });
  },

  // The program's frame reached the canvas.
  drawn: function() {
    var first = QuandrelPage.firstFrameMs === null;
    if (first) {
      QuandrelPage.firstFrameMs = performance.now();
      performance.mark('quandrel-first-frame');
    }
    if (QuandrelPage.menuShownMs === null) {
      var state = QuandrelPage.state();
      if (first && state) QuandrelPage.firstFrameScreen = state.screen;
      if (state && state.screen === 'menu') QuandrelPage.menuShownMs = performance.now();
    }
  },

  // The keys to the game: the page's focus leaves any element for the page
  // itself. Never the canvas: a focused element is shown to a screen reader
  // even when hidden from it.
  takeKeys: function() {
    if (document.activeElement && document.activeElement !== document.body) document.activeElement.blur();
    window.focus();
  },

  showCanvas: function(show) {
    QuandrelPage.canvas().style.visibility = show ? 'visible' : 'hidden';
    if (show) QuandrelPage.status('');
  },

  // Calls into the program; ending the program unwinds the call by throwing,
  // and that one is expected. So is 'unwind': main, woken from a sleep,
  // returns to the page by it and leaves the program running.
  call: function(action) {
    try {
      return action();
    } catch (thrown) {
      if (!QuandrelPage.ended && thrown !== 'unwind') throw thrown;
      return undefined;
    }
  },

  // Hands input to the program, which then runs at once.
  input: function(post) {
    if (!QuandrelPage.started || QuandrelPage.ended) return undefined;
    var result = QuandrelPage.call(post);
    QuandrelPage.frames.run();
    return result;
  },

  // Pointer actions as page_loop.cpp numbers them.
  pointerActions: {pointerdown: 0, pointermove: 1, pointerup: 2, pointercancel: 3},

  onPointer: function(event) {
    if (!QuandrelPage.started || QuandrelPage.ended || !event.isPrimary) return;
    var mouseButton = event.pointerType === 'mouse' && (event.type === 'pointerdown' || event.type === 'pointerup');
    if (mouseButton && event.button !== 0) return;
    var canvas = QuandrelPage.canvas();
    if (event.type === 'pointerdown') {
      canvas.setPointerCapture(event.pointerId);
      QuandrelPage.takeKeys();
      event.preventDefault();
    }
    var box = canvas.getBoundingClientRect();
    QuandrelPage.input(function() {
      _quandrel_page_pointer(QuandrelPage.pointerActions[event.type], event.clientX - box.left,
                             event.clientY - box.top, box.width, box.height);
    });
  },

  onKey: function(event) {
    if (!QuandrelPage.started || QuandrelPage.ended || event.isComposing) return;
    if (QuandrelAccess.keepsKey(event)) return;
    if (event.key === 'F9') {
      event.preventDefault();
      QuandrelPage.downloadRecording();
      return;
    }
    // Not ccall: while the question box's loop sleeps, ccall would take the
    // call for the sleeping one and answer with a promise.
    var taken = QuandrelPage.input(function() {
      var stack = stackSave();
      try {
        var size = lengthBytesUTF8(event.key) + 1;
        var key = stackAlloc(size);
        stringToUTF8(event.key, key, size);
        return _quandrel_page_key(key, event.altKey, event.ctrlKey, event.metaKey, event.shiftKey);
      } finally {
        stackRestore(stack);
      }
    });
    if (taken) event.preventDefault();
  },

  onVisibility: function() {
    QuandrelPage.sound.setHidden(document.hidden);
    QuandrelPage.wakeLock.update();
    if (QuandrelPage.started && !QuandrelPage.ended) {
      QuandrelPage.input(function() { _quandrel_page_visibility(document.hidden ? 1 : 0); });
    }
    QuandrelPage.onFocus();
  },

  // Away from the page as from a desktop window: hidden or out of focus. A
  // page loaded without the focus is not paused before it first had it.
  onFocus: function() {
    var away = document.hidden || !document.hasFocus();
    if (away === QuandrelPage.away) return;
    QuandrelPage.away = away;
    QuandrelPage.input(function() { _quandrel_page_focus(away ? 1 : 0); });
  },

  // Closes the game as its window would: it saves what it keeps and ends.
  close: function() {
    if (!QuandrelPage.started || QuandrelPage.ended) return;
    QuandrelPage.call(_quandrel_page_close);
    QuandrelPage.frames.run();  // wakes a question's loop, which then ends
  },

  // The tab closes or navigates away: the game closes as its window would.
  onPageHide: function() {
    QuandrelPage.close();
    if (QuandrelInstance.state !== 'elsewhere') QuandrelPage.storage.store();
  },

  onPageShow: function(event) {
    // Back from the browser's page cache, the program has ended: start anew.
    if (event.persisted) window.location.reload();
  },

  // The installable web app: once every file arrived (not earlier: these
  // downloads would slow the start), the manifest with its icons, and the
  // service worker that keeps the page's files and its language's for
  // offline play.
  keepForOffline: function() {
    var manifest = document.createElement('link');
    manifest.rel = 'manifest';
    manifest.href = 'manifest.webmanifest';
    document.head.appendChild(manifest);
    if (!('serviceWorker' in navigator)) return;
    navigator.serviceWorker.register('sw.js');
    QuandrelLanguages.keepOffline(Module['language']);
  },

  // Another tab takes the game: this one saves, stops and says so.
  moveAway: function() {
    QuandrelPage.moving = true;
    if (QuandrelPage.started) QuandrelPage.close();  // onExit finishes the move
  },

  listen: function() {
    var canvas = QuandrelPage.canvas();
    Object.keys(QuandrelPage.pointerActions).forEach(function(type) {
      canvas.addEventListener(type, QuandrelPage.onPointer);
    });
    // Nothing of the page's own: no menu, no selection, no double-tap zoom
    // (pinching still zooms, for those who need larger pictures).
    ['contextmenu', 'selectstart', 'dblclick'].forEach(function(type) {
      document.addEventListener(type, function(event) { event.preventDefault(); });
    });
    window.addEventListener('keydown', QuandrelPage.onKey);
    document.addEventListener('visibilitychange', QuandrelPage.onVisibility);
    window.addEventListener('blur', QuandrelPage.onFocus);
    window.addEventListener('focus', QuandrelPage.onFocus);
    window.addEventListener('pagehide', QuandrelPage.onPageHide);
    window.addEventListener('pageshow', QuandrelPage.onPageShow);
    QuandrelPage.sound.listen();
    QuandrelPage.gamepad.listen();
  },

  frames: QuandrelFrames,
  sound: QuandrelSound,
  storage: QuandrelStorage,
  gamepad: QuandrelGamepad,
  packages: QuandrelPackages,
  wakeLock: QuandrelWakeLock,
  access: QuandrelAccess,

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
    QuandrelPage.access.end();
    QuandrelPage.wakeLock.keep(false);
    QuandrelPage.canvas().style.visibility = 'hidden';
    QuandrelPage.status(message);
  },
};

Module['quandrel'] = QuandrelPage;
Module['preRun'] = (Module['preRun'] || []).concat([function() {
  FS.mkdirTree(QUANDREL_PROGRAM_DIR);
  // The program finds its folder from its own path, as on Linux.
  FS.symlink(QUANDREL_PROGRAM_DIR + '/quandrel', '/proc/self/exe');
  // The splash the page showed is the program's own picture.
  var splash = Module['splash'];
  if (splash && splash.bytes) {
    var folder = QUANDREL_PROGRAM_DIR + '/Images' + (Module['language'] === 'zh' ? '' : '/' + Module['language']);
    FS.mkdirTree(folder);
    FS.writeFile(folder + '/splash.png', splash.bytes);
  }
  // The program starts once this tab may run it, with the files as the
  // last tab that ran it stored them.
  addRunDependency('quandrel-instance');
  QuandrelInstance.acquire(function() {
    QuandrelPage.status('');
    QuandrelPage.storage.restore();
    removeRunDependency('quandrel-instance');
  });
}]);
Module['onRuntimeInitialized'] = function() {
  QuandrelPage.started = true;
  QuandrelPage.packages.load(Module['language'], QuandrelPage.keepForOffline);
  QuandrelRuns.started();
  if (QuandrelPage.moving) setTimeout(QuandrelPage.close);  // asked to move while loading
};
Module['onExit'] = function() {
  QuandrelPage.storage.store();
  if (QuandrelPage.moving) {
    QuandrelPage.end('');
    QuandrelInstance.moved();
    QuandrelPage.offerToPlayHere(QuandrelTexts.get('moved'), QuandrelInstance.takeBack);
  } else {
    QuandrelPage.end('Quandrel has ended. Reload the page to play again.');
  }
};
Module['onAbort'] = function(what) {
  QuandrelPage.end('Quandrel stopped: ' + what);
};
QuandrelPage.listen();
