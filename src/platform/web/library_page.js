// The page functions the web host calls (page_bridge.hpp); the work is done by
// QuandrelPage in page_setup.js.
mergeInto(LibraryManager.library, {
  quandrel_page_present: function(pixels, x, y, width, height) {
    QuandrelPage.present(pixels, x, y, width, height);
  },
  quandrel_page_play_sound: function(path, loop) {
    QuandrelPage.sound.play(UTF8ToString(path), loop !== 0);
  },
  quandrel_page_prepare_sound: function(path) {
    QuandrelPage.sound.prepare(UTF8ToString(path));
  },
  quandrel_page_show_canvas: function(show) {
    QuandrelPage.showCanvas(show !== 0);
  },
  quandrel_page_focus_canvas: function() {
    QuandrelPage.canvas().focus();
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
});
