// The game for assistive technology. The canvas is hidden from it; the game's
// announcements reach two visually hidden live regions of index.html (polite
// and assertive) and, while the Speech option is on, the browser's speech in
// the shown language; the current screen's buttons are mirrored as real
// buttons in the game's focus order, which press the game's button as a
// finger would; the page's lang attribute follows the shown language.

var QuandrelAccess = {
  // Every announcement since the page loaded, {text, priority} as the
  // headless dump gives them (the oldest go past maxKept).
  announcements: [],
  maxKept: 10000,
  linesPerRegion: 3,  // a region keeps its last few lines; older ones go silently
  batch: [],  // the announcements of the program's step still to deliver
  stepEnding: false,  // their delivery is due at the step's end
  buttons: [],  // the mirrored buttons: {name, left, top, right, bottom, focused}
  described: [],  // the buttons being described
  focusedName: null,  // the name of the button the page just gave the focus to
  speech: {current: null, queue: []},  // the words being spoken and those waiting

  // BCP 47 tags where the game's language code is not precise enough.
  languageTags: {zh: 'zh-CN'},

  languageTag: function(language) {
    return QuandrelAccess.languageTags[language] || language;
  },

  showLanguage: function(language) {
    document.documentElement.lang = QuandrelAccess.languageTag(language);
  },

  // Announcements come during the program's step; they are delivered once it
  // is over, together, so that the step's mirrored buttons are known by then.
  announce: function(text, priority, speak) {
    var access = QuandrelAccess;
    access.announcements.push({text: text, priority: priority});
    if (access.announcements.length > access.maxKept) access.announcements.splice(0, access.maxKept / 10);
    access.batch.push({text: text, priority: priority, speak: speak});
    access.afterStep();
  },

  afterStep: function() {
    if (QuandrelAccess.stepEnding) return;
    QuandrelAccess.stepEnding = true;
    Promise.resolve().then(QuandrelAccess.deliver);
  },

  deliver: function() {
    var access = QuandrelAccess;
    var batch = access.batch;
    access.batch = [];
    access.stepEnding = false;
    batch.forEach(function(item) {
      // The screen reader reads the button the page just focused by itself.
      if (item.text !== access.focusedName) access.writeLine(item.text, item.priority);
    });
    access.focusedName = null;
    if (batch.length === 0) return;
    var spoken = batch.filter(function(item) { return item.speak; });
    if (spoken.length > 0) access.speak(spoken); else access.silence();
  },

  // A new line in the region: a repeated text is a new addition, read again.
  writeLine: function(text, priority) {
    var region = document.getElementById(priority === 'assertive' ? 'quandrel-assertive' : 'quandrel-polite');
    if (!region) return;
    var line = document.createElement('p');
    line.textContent = text;
    region.appendChild(line);
    while (region.childElementCount > QuandrelAccess.linesPerRegion) region.firstElementChild.remove();
  },

  // Newer words interrupt older polite ones, spoken or waiting; assertive
  // ones are always spoken, in turn.
  speak: function(items) {
    var speech = QuandrelAccess.speech;
    if (!window.speechSynthesis || !window.SpeechSynthesisUtterance) return;
    speech.queue = speech.queue.filter(function(item) { return item.priority === 'assertive'; }).concat(items);
    if (speech.current && speech.current.priority !== 'assertive') {
      speech.current = null;
      window.speechSynthesis.cancel();
    }
    QuandrelAccess.speakNext();
  },

  speakNext: function() {
    var speech = QuandrelAccess.speech;
    if (speech.current || speech.queue.length === 0) return;
    var item = speech.queue.shift();
    var utterance = new SpeechSynthesisUtterance(item.text);
    utterance.lang = document.documentElement.lang;
    var voice = QuandrelAccess.voice(utterance.lang);
    if (voice) utterance.voice = voice;
    utterance.onend = utterance.onerror = function() {
      if (speech.current !== item) return;  // cancelled: the next is under way
      speech.current = null;
      QuandrelAccess.speakNext();
    };
    speech.current = item;
    window.speechSynthesis.speak(utterance);
  },

  // Speech off (or the program ended): nothing more is said.
  silence: function() {
    var speech = QuandrelAccess.speech;
    if (!speech.current && speech.queue.length === 0) return;
    speech.current = null;
    speech.queue = [];
    window.speechSynthesis.cancel();
  },

  // The browser's voice for the tag: its own language and region first, then
  // the language's default, a local one, any.
  voice: function(tag) {
    var language = tag.split('-')[0].toLowerCase();
    var voices = window.speechSynthesis.getVoices().filter(function(voice) {
      return voice.lang.replace('_', '-').split('-')[0].toLowerCase() === language;
    });
    var exact = voices.filter(function(voice) { return voice.lang.replace('_', '-').toLowerCase() === tag.toLowerCase(); });
    var preferred = exact.concat(voices);
    return preferred.find(function(voice) { return voice.default; }) ||
        preferred.find(function(voice) { return voice.localService; }) || preferred[0] || null;
  },

  describe: function(index, name, left, top, right, bottom, focused) {
    QuandrelAccess.described[index] = {name: name, left: left, top: top, right: right, bottom: bottom, focused: focused};
  },

  // The described buttons replace the mirror's, reusing its elements. While
  // the page's focus is among them, it follows the focus ring; with none left
  // (the board) it stays on their list, an application to a screen reader,
  // which then hands the player's keys to the game.
  mirror: function(count) {
    var access = QuandrelAccess;
    var list = document.getElementById('quandrel-buttons');
    access.buttons = access.described.slice(0, count);
    access.described = [];
    if (!list) return;
    var hadFocus = list.contains(document.activeElement) || list === document.activeElement;
    while (list.childElementCount > count) list.lastElementChild.remove();
    access.buttons.forEach(function(button, index) {
      var element = list.children[index];
      if (!element) {
        element = document.createElement('button');
        element.type = 'button';
        element.addEventListener('click', access.onClick);
        list.appendChild(element);
      }
      if (element.textContent !== button.name) element.textContent = button.name;
      element.hidden = button.name === '';  // a button without a name is no help to a screen reader
    });
    if (!hadFocus) return;
    // Without a ring the focus stays on its button while that is still there.
    var ring = access.buttons.findIndex(function(button) { return button.focused; });
    var kept = list.contains(document.activeElement) ? document.activeElement : list.children[0] || list;
    var target = ring >= 0 ? list.children[ring] : kept;
    if (document.activeElement === target) return;
    access.focusedName = ring >= 0 ? access.buttons[ring].name : null;
    access.afterStep();
    target.focus();
  },

  onClick: function(event) {
    var list = document.getElementById('quandrel-buttons');
    var button = QuandrelAccess.buttons[Array.prototype.indexOf.call(list.children, event.currentTarget)];
    if (!button) return;
    QuandrelPage.input(function() {
      _quandrel_page_press((button.left + button.right) >> 1, (button.top + button.bottom) >> 1);
    });
  },

  // Return and Space on a mirrored button click it, pressing that very
  // button; every other key goes to the game (Tab and the arrows move the
  // ring, and the page's focus with it).
  keepsKey: function(event) {
    var list = document.getElementById('quandrel-buttons');
    var onButton = !!list && list.contains(event.target) && event.target.tagName === 'BUTTON';
    return onButton && (event.key === 'Enter' || event.key === ' ');
  },

  // A short sound over the one playing, panned from -1 (left) to 1 (right).
  playCue: function(path, pan) {
    var sound = QuandrelPage.sound;
    if (!sound.context) return;
    sound.decoded(path).then(function(buffer) {
      if (!buffer || !sound.context) return;
      var source = sound.context.createBufferSource();
      source.buffer = buffer;
      var panner = new StereoPannerNode(sound.context, {pan: Math.max(-1, Math.min(1, pan))});
      source.connect(panner).connect(sound.context.destination);
      source.start();
    });
  },

  end: function() {
    QuandrelAccess.silence();
    QuandrelAccess.mirror(0);
  },
};
