// The page's language, which the page decided before loading its pictures
// (index.html), reaches the program as gettext's LANGUAGE.
Module['preRun'] = (Module['preRun'] || []).concat([function() {
  if (Module['language']) ENV['LANGUAGE'] = Module['language'];
}]);

// Other languages' pictures, fetched when the player switches to one: the
// language's first package, whose data is in the file system once the package
// drops its run dependency, then its later package as the start's come
// (page_packages.js), whose pictures are awaited when drawn.
var QuandrelLanguages = {
  states: {},  // language -> 0 fetching, 1 in the file system, 2 failed (quandrel_page_language_state)

  state: function(language) {
    if (language === Module['language']) return 1;
    var state = QuandrelLanguages.states[language];
    return state === undefined ? 2 : state;
  },

  load: function(language) {
    var languages = QuandrelLanguages;
    if (language === Module['language'] || languages.states[language] !== undefined) return;
    if (!/^[a-z_]+$/.test(language)) {
      languages.states[language] = 2;
      return;
    }
    languages.states[language] = 0;
    languages.keepExistingFiles();
    var done = 'datafile_quandrel-' + language + '.data';
    var remove = Module['removeRunDependency'];
    Module['removeRunDependency'] = function(id) {
      remove(id);
      if (id !== done) return;
      languages.states[language] = 1;
      QuandrelPackages.fetch('quandrel-later-' + language + '.js', function() { languages.keepOffline(language); });
    };
    var script = document.createElement('script');
    script.src = 'quandrel-' + language + '.js';
    script.onerror = function() { languages.states[language] = 2; };
    document.body.appendChild(script);
  },

  // The page's service worker keeps the language's files for offline play
  // too, once the page has them (the worker's fetches then cost the host a
  // 304 answer each).
  keepOffline: function(language) {
    if (!('serviceWorker' in navigator)) return;
    navigator.serviceWorker.ready.then(function(registration) {
      if (registration.active) registration.active.postMessage({keep: language});
    });
  },

  // A language's package also carries the original pictures it has no
  // variant of, which the first language's package already put in place:
  // those are kept as they are instead of failing the whole package.
  keepExistingFiles: function() {
    if (QuandrelLanguages.keeping) return;
    QuandrelLanguages.keeping = true;
    var create = Module['FS_createDataFile'];
    Module['FS_createDataFile'] = function(parent, name) {
      var path = name ? parent + '/' + name : parent;
      if (FS.analyzePath(path).exists) return FS.lookupPath(path).node;
      return create.apply(this, arguments);
    };
  },
};
