// The page's loop, asleep whenever nothing is due: one timeout to the moment
// the program next has something to do, run early by input; and the canvas
// drawn in an animation frame only when part of the frame changed.

var QuandrelFrames = {
  timeout: null,
  sleeper: null,  // {wakeUp, timeout}: the program asleep in a nested loop
  channel: null,  // wakes a sleep of no time (wakeSoon)
  pending: null,  // {pixels, left, top, right, bottom}: changed, not yet drawn
  frameRequested: false,

  // Runs the program's loop in `ms` milliseconds (negative: only when input
  // comes); replaces the last request.
  wakeIn: function(ms) {
    var frames = QuandrelFrames;
    if (frames.timeout !== null) clearTimeout(frames.timeout);
    frames.timeout = null;
    if (ms >= 0) frames.timeout = setTimeout(function() {
      frames.timeout = null;
      frames.run();
    }, ms);
  },

  // Something to do now (input came, the page shows again): the sleeping
  // nested loop wakes, or the loop runs.
  run: function() {
    var frames = QuandrelFrames;
    if (!QuandrelPage.started || QuandrelPage.ended) return;
    if (frames.sleeper) {
      frames.wakeSleeper();
      return;
    }
    QuandrelPage.call(_quandrel_page_run);
  },

  sleep: function(ms, wakeUp) {
    var frames = QuandrelFrames;
    var sleeper = {wakeUp: wakeUp, timeout: null};
    frames.sleeper = sleeper;
    if (ms === 0) {
      frames.wakeSoon(sleeper);
    } else if (ms >= 0) {
      sleeper.timeout = setTimeout(frames.wakeSleeper, ms);
    }
  },

  // A sleep of no time (the program handing the main thread back for a
  // moment) ends in a task of its own at once: a timeout would wait 4 ms once
  // timeouts nest. A message that comes after its sleeper woke wakes nobody.
  wakeSoon: function(sleeper) {
    var frames = QuandrelFrames;
    if (!frames.channel) {
      frames.channel = new MessageChannel();
      frames.channel.port1.onmessage = function() {
        if (frames.sleeper === frames.channel.sleeper) frames.wakeSleeper();
      };
    }
    frames.channel.sleeper = sleeper;
    frames.channel.port2.postMessage(null);
  },

  wakeSleeper: function() {
    var sleeper = QuandrelFrames.sleeper;
    if (!sleeper) return;
    QuandrelFrames.sleeper = null;
    if (sleeper.timeout !== null) clearTimeout(sleeper.timeout);
    QuandrelPage.call(function() { sleeper.wakeUp(); });
  },

  // A changed rectangle of the program's frame: drawn at the next animation
  // frame, with every other rectangle changed until then.
  present: function(pixels, x, y, width, height) {
    var frames = QuandrelFrames;
    var pending = frames.pending;
    if (pending === null) {
      frames.pending = {pixels: pixels, left: x, top: y, right: x + width, bottom: y + height};
    } else {
      pending.pixels = pixels;
      pending.left = Math.min(pending.left, x);
      pending.top = Math.min(pending.top, y);
      pending.right = Math.max(pending.right, x + width);
      pending.bottom = Math.max(pending.bottom, y + height);
    }
    if (!frames.frameRequested) {
      frames.frameRequested = true;
      window.requestAnimationFrame(frames.draw);
    }
  },

  draw: function() {
    var frames = QuandrelFrames;
    frames.frameRequested = false;
    var pending = frames.pending;
    frames.pending = null;
    if (pending === null || QuandrelPage.ended) return;
    if (!QuandrelPage.context) QuandrelPage.context = quandrelContext();
    var frame = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pending.pixels, 480 * 720 * 4), 480, 720);
    QuandrelPage.context.putImageData(frame, 0, 0, pending.left, pending.top,
                                      pending.right - pending.left, pending.bottom - pending.top);
    // The bands around the frame follow its edges (index.html).
    if (pending.left === 0 || pending.top === 0 || pending.right === 480 || pending.bottom === 720) {
      quandrelBands(function(x, y, width, height) {
        var pixels = new Uint8Array(width * height * 4);
        for (var row = 0; row < height; ++row) {
          var start = ((y + row) * 480 + x) * 4;
          pixels.set(frame.data.subarray(start, start + width * 4), row * width * 4);
        }
        return pixels;
      });
    }
    QuandrelPage.drawn();
  },
};
