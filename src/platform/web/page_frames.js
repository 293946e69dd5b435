// The page's loop, asleep whenever nothing is due: one timeout to the moment
// the program next has something to do, run early by input; and the canvas
// changed only where the program's frame changed.

var QuandrelFrames = {
  timeout: null,
  sleeper: null,  // {wakeUp, timeout}: the program asleep in a nested loop
  channel: null,  // wakes a sleep of no time (wakeSoon)
  frame: null,  // ImageData over the program's frame in the module's memory

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

  // A changed rectangle of the program's frame goes onto the canvas at once:
  // the browser shows it at its next frame, so the page asks for no frame of
  // its own and its main thread only does the copy.
  present: function(pixels, x, y, width, height) {
    var frames = QuandrelFrames;
    if (QuandrelPage.ended) return;
    if (!QuandrelPage.context) QuandrelPage.context = quandrelContext();
    var frame = frames.frameAt(pixels);
    QuandrelPage.context.putImageData(frame, 0, 0, x, y, width, height);
    // The bands around the frame follow the edges it changed (index.html).
    if (x === 0 || y === 0 || x + width === 480 || y + height === 720) {
      quandrelBands(frames.strip, {left: x, top: y, right: x + width, bottom: y + height});
    }
    // Noted once the program's step is over, not from inside it.
    if (QuandrelPage.menuShownMs === null) queueMicrotask(QuandrelPage.drawn);
  },

  // The frame's RGBA pixels in a rectangle, row after row.
  strip: function(left, top, width, height) {
    var data = QuandrelFrames.frame.data;
    var strip = new Uint8Array(width * height * 4);
    for (var row = 0; row < height; ++row) {
      var start = ((top + row) * 480 + left) * 4;
      strip.set(data.subarray(start, start + width * 4), row * width * 4);
    }
    return strip;
  },

  // The program's frame as image data, made again only when the frame or the
  // module's memory moved.
  frameAt: function(pixels) {
    var frames = QuandrelFrames;
    var frame = frames.frame;
    if (frame === null || frame.data.buffer !== HEAPU8.buffer || frame.data.byteOffset !== pixels) {
      frame = frames.frame = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pixels, 480 * 720 * 4), 480, 720);
    }
    return frame;
  },
};
