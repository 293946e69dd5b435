// Sound for the web host through Web Audio.

// One sound at a time: a new sound stops the one playing, and a looping one
// repeats until another starts. Browsers let sound start only after the
// player's first touch or key, so until then only the latest request is
// remembered, and started then if it loops.
var QuandrelSound = {
  context: null,
  buffers: new Map(),  // path -> Promise of an AudioBuffer, or of null
  source: null,
  current: null,  // {path, loop} of the sound playing
  generation: 0,
  latest: null,
  hidden: false,
  ended: false,
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

  // The decoded file, read from the module's file system once. The page
  // carries its sounds as Ogg Opus: x.opus stands for x.wav when present.
  decoded: function(path) {
    var sound = QuandrelSound;
    if (!sound.buffers.has(path)) {
      var bytes = null;
      [path.replace(/\.wav$/i, '.opus'), path].some(function(name) {
        try {
          bytes = FS.readFile(name);
          return true;
        } catch (missing) {
          return false;
        }
      });
      sound.buffers.set(path, bytes === null ? Promise.resolve(null)
          : sound.context.decodeAudioData(bytes.slice().buffer).catch(function() { return null; }));
    }
    return sound.buffers.get(path);
  },

  unlock: function() {
    var sound = QuandrelSound;
    if (sound.context || sound.ended) return;
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
    var sound = QuandrelSound;
    sound.hidden = hidden;
    if (!sound.context) return;
    if (hidden) sound.context.suspend(); else sound.context.resume();
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
