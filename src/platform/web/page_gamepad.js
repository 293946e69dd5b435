// Gamepads on the page: the Gamepad API polled each animation frame while a
// pad is connected. A pad
// in the standard layout gives its d-pad, left stick, A, B, X, Y, Back and Start as
// pad buttons, one per press; the stick steps once per push past its dead
// zone and again only after coming back near the middle.

var QuandrelGamepad = {
  // Standard-mapping button indexes and the names the game knows them by.
  buttons: [[12, 'up'], [13, 'down'], [14, 'left'], [15, 'right'],
            [0, 'a'], [1, 'b'], [2, 'x'], [3, 'y'], [8, 'back'], [9, 'start']],
  pushedAt: 0.6,
  releasedBelow: 0.35,
  held: {},  // per pad index: the buttons down and the stick's direction per axis

  // The pad buttons newly pressed on `pad` since the last poll.
  pressed: function(pad) {
    var last = QuandrelGamepad.held[pad.index];
    if (!last) last = QuandrelGamepad.held[pad.index] = {buttons: {}, axes: [0, 0]};
    var names = [];
    QuandrelGamepad.buttons.forEach(function(entry) {
      var button = pad.buttons[entry[0]];
      var down = !!button && (button.pressed || button.value > 0.5);
      if (down && !last.buttons[entry[0]]) names.push(entry[1]);
      last.buttons[entry[0]] = down;
    });
    [['left', 'right'], ['up', 'down']].forEach(function(directions, axis) {
      var value = pad.axes.length > axis ? pad.axes[axis] : 0;
      var pushed = value >= QuandrelGamepad.pushedAt ? 1 : value <= -QuandrelGamepad.pushedAt ? -1 : 0;
      if (pushed !== 0 && pushed !== last.axes[axis]) {
        last.axes[axis] = pushed;
        names.push(directions[pushed > 0 ? 1 : 0]);
      } else if (Math.abs(value) < QuandrelGamepad.releasedBelow) {
        last.axes[axis] = 0;
      }
    });
    return names;
  },

  poll: function() {
    var pads = navigator.getGamepads ? navigator.getGamepads() : [];
    var present = {};
    for (var i = 0; i < pads.length; ++i) {
      var pad = pads[i];
      if (!pad || !pad.connected || pad.mapping !== 'standard') continue;
      present[pad.index] = true;
      QuandrelGamepad.pressed(pad).forEach(QuandrelGamepad.send);
    }
    // A pad unplugged and plugged in again starts with nothing held.
    Object.keys(QuandrelGamepad.held).forEach(function(index) {
      if (!present[index]) delete QuandrelGamepad.held[index];
    });
  },

  // Hands one pad button to the game (not ccall: see page_setup.js's keys).
  send: function(name) {
    QuandrelPage.input(function() {
      var stack = stackSave();
      try {
        var size = lengthBytesUTF8(name) + 1;
        var text = stackAlloc(size);
        stringToUTF8(name, text, size);
        _quandrel_page_pad(text);
      } finally {
        stackRestore(stack);
      }
    });
  },

  polling: false,

  // Polls each animation frame while a pad is connected; the page sleeps otherwise.
  frame: function() {
    QuandrelGamepad.poll();
    var pads = navigator.getGamepads ? Array.prototype.slice.call(navigator.getGamepads()) : [];
    QuandrelGamepad.polling = pads.some(function(pad) { return pad && pad.connected; });
    if (QuandrelGamepad.polling) window.requestAnimationFrame(QuandrelGamepad.frame);
  },

  startPolling: function() {
    if (QuandrelGamepad.polling) return;
    QuandrelGamepad.polling = true;
    window.requestAnimationFrame(QuandrelGamepad.frame);
  },

  listen: function() {
    window.addEventListener('gamepadconnected', QuandrelGamepad.startPolling);
    QuandrelGamepad.startPolling();  // a pad connected before the page loaded
  },
};
