// The page functions the web host calls (page_bridge.hpp); the work is done by
// QuandrelPage in page_setup.js and the objects it holds.
mergeInto(LibraryManager.library, {
  quandrel_page_clock_start: function() {
    return QuandrelPage.splashShownMs !== null ? QuandrelPage.splashShownMs : performance.now();
  },
  quandrel_page_present: function(pixels, x, y, width, height) {
    QuandrelPage.frames.present(pixels, x, y, width, height);
  },
  quandrel_page_play_sound: function(path, loop) {
    QuandrelPage.sound.play(UTF8ToString(path), loop !== 0);
  },
  quandrel_page_prepare_sound: function(path) {
    QuandrelPage.sound.prepare(UTF8ToString(path));
  },
  quandrel_page_play_cue: function(path, pan) {
    QuandrelPage.access.playCue(UTF8ToString(path), pan);
  },
  quandrel_page_announce: function(text, assertive, speak) {
    QuandrelPage.access.announce(UTF8ToString(text), assertive !== 0 ? 'assertive' : 'polite', speak !== 0);
  },
  quandrel_page_mirror_button: function(index, name, left, top, right, bottom, focused) {
    QuandrelPage.access.describe(index, UTF8ToString(name), left, top, right, bottom, focused !== 0);
  },
  quandrel_page_mirror_done: function(count) {
    QuandrelPage.access.mirror(count);
  },
  quandrel_page_show_language: function(language) {
    QuandrelPage.access.showLanguage(UTF8ToString(language));
  },
  quandrel_page_vibrate: function(pattern, count) {
    if (typeof navigator.vibrate !== 'function') return;
    var steps = [];
    for (var i = 0; i < count; ++i) steps.push(HEAPU32[(pattern >> 2) + i]);
    navigator.vibrate(steps);
  },
  quandrel_page_show_canvas: function(show) {
    QuandrelPage.showCanvas(show !== 0);
  },
  quandrel_page_focus_canvas: function() {
    QuandrelPage.takeKeys();
  },
  quandrel_page_load_language: function(language) {
    QuandrelLanguages.load(UTF8ToString(language));
  },
  quandrel_page_language_state: function(language) {
    return QuandrelLanguages.state(UTF8ToString(language));
  },
  quandrel_page_store_files: function() {
    QuandrelPage.storage.store();
  },
  quandrel_page_hidden: function() {
    return document.hidden ? 1 : 0;
  },
  quandrel_page_keep_screen_awake: function(awake) {
    QuandrelPage.wakeLock.keep(awake !== 0);
  },
  quandrel_page_wake_in: function(ms) {
    QuandrelPage.frames.wakeIn(ms);
  },
  quandrel_page_sleep: function(ms) {
    return Asyncify.handleSleep(function(wakeUp) {
      QuandrelPage.frames.sleep(ms, wakeUp);
    });
  },
  quandrel_page_file_arriving: function(path) {
    var packages = QuandrelPage.packages;
    return (path ? packages.arriving(UTF8ToString(path)) : packages.waiting.size > 0) ? 1 : 0;
  },
  quandrel_page_await_file: function(path) {
    var name = UTF8ToString(path);
    return Asyncify.handleSleep(function(wakeUp) {
      QuandrelPage.packages.whenArrived(name, function() {
        QuandrelPage.call(function() { wakeUp(); });
      });
    });
  },
  quandrel_page_share: function(text) {
    return QuandrelRuns.share(UTF8ToString(text)) ? 1 : 0;
  },
  quandrel_page_run_link__deps: ['$stringToNewUTF8'],
  quandrel_page_run_link: function(token) {
    return stringToNewUTF8(QuandrelRuns.link(UTF8ToString(token)));
  },
  // The reply goes to the program as input does, the body in memory the
  // program frees.
  quandrel_page_fetch__deps: ['$stringToNewUTF8'],
  quandrel_page_fetch: function(request, post, url, body) {
    QuandrelNetwork.fetch(post !== 0, UTF8ToString(url), UTF8ToString(body), function(status, text) {
      QuandrelPage.input(function() { _quandrel_page_web_reply(request, status, stringToNewUTF8(text)); });
    });
  },
  quandrel_page_read_clipboard__deps: ['$stringToNewUTF8'],
  quandrel_page_read_clipboard: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      QuandrelRuns.readClipboard(function(text) {
        QuandrelPage.call(function() { wakeUp(stringToNewUTF8(text)); });
      });
    });
  },
});
