// The files that come after the start: the packages of what the splash and the
// menu never show (the sounds, the other screens' pictures), loaded once the
// program runs, while the splash shows. A file still on its way is waited for.
// QUANDREL_LATER_FILES (made by the build) lists each package's files by its
// loader script.

var QuandrelPackages = {
  waiting: new Map(),  // path on its way -> callbacks waiting for it
  done: null,

  // Starts loading the later packages, the shared one and the language's, and
  // calls `done` once every file arrived or will not.
  load: function(language, done) {
    QuandrelPackages.done = done;
    QuandrelPackages.fetch('quandrel-later.js');
    QuandrelPackages.fetch('quandrel-later-' + language + '.js');
    // Each file a package writes ends its own run dependency, named after
    // its path.
    var remove = Module['removeRunDependency'];
    Module['removeRunDependency'] = function(id) {
      remove(id);
      if (typeof id === 'string' && id.indexOf('fp ') === 0) QuandrelPackages.arrived(id.substring(3));
    };
  },

  // Starts loading the package of `loader`, whose files are awaited until
  // they arrive; calls `done`, if given, once none is awaited any more.
  fetch: function(loader, done) {
    var paths = QUANDREL_LATER_FILES[loader] || [];
    paths.forEach(function(path) { QuandrelPackages.waiting.set(path, []); });
    if (done) {
      var left = paths.length;
      if (left === 0) setTimeout(done);
      paths.forEach(function(path) {
        QuandrelPackages.whenArrived(path, function() { if (--left === 0) done(); });
      });
    }
    // A package that cannot load brings nothing: its files stop being
    // awaited (the pictures then show nothing, and the game goes on). A
    // loader that cannot fetch its data says so with an uncaught error.
    var failed = function() { paths.forEach(QuandrelPackages.arrived); };
    var data = loader.replace(/\.js$/, '.data');
    window.addEventListener('error', function(event) {
      if (String(event.message).indexOf(data) >= 0) failed();
    });
    var script = document.createElement('script');
    script.src = loader;
    script.onerror = failed;
    document.body.appendChild(script);
  },

  arriving: function(path) {
    return QuandrelPackages.waiting.has(path);
  },

  // Calls `callback` once the file at `path` arrived (at once if it is not on its way).
  whenArrived: function(path, callback) {
    var callbacks = QuandrelPackages.waiting.get(path);
    if (callbacks) callbacks.push(callback); else callback();
  },

  // The file is no longer awaited; those who waited for it are called each in
  // a task of its own, so that the program a callback wakes runs outside the
  // package's loader and nothing it throws leaves other files awaited.
  arrived: function(path) {
    var callbacks = QuandrelPackages.waiting.get(path);
    if (!callbacks) return;
    QuandrelPackages.waiting.delete(path);
    callbacks.forEach(function(callback) { setTimeout(callback); });
    if (QuandrelPackages.waiting.size === 0 && QuandrelPackages.done) {
      var done = QuandrelPackages.done;
      QuandrelPackages.done = null;
      setTimeout(done);
    }
  },
};
