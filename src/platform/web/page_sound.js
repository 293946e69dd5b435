// Sound for the web host through Web Audio.

// One sound at a time: a new sound stops the one playing, and a looping one
// repeats until another starts. Browsers let sound start only inside the
// player's touch, click or key (for a finger, at its release: touchend,
// pointerup, click), and phones suspend it again (a call, another app's
// sound), so every such event creates or resumes the sound until it runs.
// Until it first runs only the latest request is remembered, and started then
// if it loops; a loop that the system interrupted starts again on resume.
var QuandrelSound = {
  context: null,
  buffers: new Map(),  // path -> Promise of an AudioBuffer, or of null
  source: null,
  current: null,  // {path, loop} of the sound playing
  generation: 0,
  latest: null,
  hidden: false,
  ended: false,
  interrupted: false,  // the system stopped the sound (not the page, for being hidden)
  prepared: [],  // paths to decode once sound may start

  play: function(path, loop) {
    var sound = QuandrelSound;
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
    var sound = QuandrelSound;
    if (sound.source) {
      sound.source.stop();
      sound.source.disconnect();
      sound.source = null;
    }
    sound.current = null;
  },

  prepare: function(path) {
    var sound = QuandrelSound;
    if (sound.context) sound.decoded(path); else sound.prepared.push(path);
  },

  // The decoded file, read from the module's file system once (after its
  // package arrived, when it is on its way). The page carries its sounds as
  // Ogg Opus: x.opus stands for x.wav when present.
  decoded: function(path) {
    var sound = QuandrelSound;
    if (!sound.buffers.has(path)) {
      var opus = path.replace(/\.wav$/i, '.opus');
      sound.buffers.set(path, new Promise(function(arrived) {
        QuandrelPage.packages.whenArrived(opus, arrived);
      }).then(function() {
        var bytes = null;
        [opus, path].some(function(name) {
          try {
            bytes = FS.readFile(name);
            return true;
          } catch (missing) {
            return false;
          }
        });
        return bytes === null ? null
            : sound.context.decodeAudioData(bytes.slice().buffer).catch(function() { return null; });
      }));
    }
    return sound.buffers.get(path);
  },

  // Called in every event that may let sound start: creates the sound, or
  // resumes it when it does not run.
  unlock: function() {
    var sound = QuandrelSound;
    if (sound.ended || sound.hidden) return;
    if (!sound.context) {
      var AudioContext = window.AudioContext || window.webkitAudioContext;
      if (!AudioContext) return;
      sound.context = new AudioContext();
      sound.context.onstatechange = sound.onStateChange;
      sound.prepared.forEach(sound.decoded);
      sound.prepared = [];
      if (sound.latest && sound.latest.loop) sound.play(sound.latest.path, true);
    }
    if (sound.context.state !== 'running') sound.context.resume().catch(function() {});
  },

  // Whether `event` is one in which a browser lets sound start: a key, a
  // mouse's press, a finger's or pen's release, a click.
  activating: function(event) {
    if (event.type === 'pointerdown') return event.pointerType === 'mouse';
    if (event.type === 'pointerup') return event.pointerType !== 'mouse';
    return true;
  },

  onActivation: function(event) {
    if (QuandrelSound.activating(event)) QuandrelSound.unlock();
  },

  onStateChange: function() {
    var sound = QuandrelSound;
    if (!sound.context) return;
    if (sound.context.state === 'running') {
      if (sound.interrupted && sound.latest && sound.latest.loop) sound.play(sound.latest.path, true);
      sound.interrupted = false;
    } else if (!sound.hidden) {
      sound.interrupted = true;
    }
  },

  listen: function() {
    ['keydown', 'mousedown', 'pointerdown', 'pointerup', 'touchend', 'click'].forEach(function(type) {
      window.addEventListener(type, QuandrelSound.onActivation, true);
    });
    window.addEventListener('pageshow', QuandrelSound.unlock);
  },

  // A hidden tab is silent, as its game's time stands still.
  setHidden: function(hidden) {
    var sound = QuandrelSound;
    sound.hidden = hidden;
    if (!sound.context) return;
    if (hidden) sound.context.suspend(); else sound.context.resume().catch(function() {});
  },

  // The program ended: silence, for good.
  end: function() {
    var sound = QuandrelSound;
    sound.ended = true;
    sound.stop();
    if (sound.context) sound.context.close();
    sound.context = null;
  },
};
