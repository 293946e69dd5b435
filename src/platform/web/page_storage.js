// The program's files kept in the browser's storage between visits.

// Where the program lives in the module's file system: its pictures and
// sounds are preloaded into Images/ and Sounds/ here, and what it writes here
// is kept between visits.
var QUANDREL_PROGRAM_DIR = '/quandrel';
var QUANDREL_STORAGE_PREFIX = 'quandrel:file:';

// The program's own files (its settings) in localStorage, by name, as
// base64 of their exact bytes. Restored before the program starts; stored
// after every step in which one changed (the module's file system marks them
// changed when the program writes, truncates, renames or removes a file).
// After the first store the page asks the browser to keep its storage; a
// browser that keeps nothing still plays, and the page says so once.
var QuandrelStorage = {
  signatures: new Map(),  // name -> what the file looked like when stored
  changed: true,  // a file may have changed since the last store
  warned: false,
  persistAsked: false,

  local: function() {
    try {
      return window.localStorage;
    } catch (refused) {
      QuandrelStorage.warn(refused);
      return null;
    }
  },

  warn: function(why) {
    if (QuandrelStorage.warned) return;
    QuandrelStorage.warned = true;
    console.warn('Quandrel: the browser keeps no files for this page (' + why +
                 '); settings last until the page closes.');
    QuandrelPage.note(QuandrelTexts.get('nothingKept'));
  },

  // The program set a damaged (or newer) file aside as NAME.bad and started
  // without it: the desktop says so on standard error, the page on screen.
  sayKeptAside: function(name) {
    QuandrelPage.note(QuandrelTexts.get('keptAside').split('{file}').join(name));
  },

  // Asks once that the browser keep the page's storage rather than clear it
  // when space runs short.
  askToPersist: function() {
    if (QuandrelStorage.persistAsked) return;
    QuandrelStorage.persistAsked = true;
    if (navigator.storage && navigator.storage.persist) navigator.storage.persist().catch(function() {});
  },

  path: function(name) {
    return QUANDREL_PROGRAM_DIR + '/' + name;
  },

  signature: function(stat) {
    return stat.ino + ':' + stat.size + ':' + stat.mtime.getTime();
  },

  // Plain names only: hidden files are the writer's temporary files.
  keptName: function(name) {
    return name !== '' && name[0] !== '.' && name.indexOf('/') < 0;
  },

  watch: function() {
    ['write', 'truncate', 'rename', 'unlink'].forEach(function(operation) {
      var original = FS[operation];
      FS[operation] = function() {
        QuandrelStorage.changed = true;
        return original.apply(FS, arguments);
      };
    });
  },

  restore: function() {
    var storage = QuandrelStorage;
    var local = storage.local();
    if (!local) return;
    storage.watch();
    for (var i = 0; i < local.length; ++i) {
      var key = local.key(i);
      if (key === null || key.indexOf(QUANDREL_STORAGE_PREFIX) !== 0) continue;
      var name = key.substring(QUANDREL_STORAGE_PREFIX.length);
      if (!storage.keptName(name)) continue;
      var bytes;
      try {
        var binary = atob(local.getItem(key));
        bytes = new Uint8Array(binary.length);
        for (var b = 0; b < binary.length; ++b) bytes[b] = binary.charCodeAt(b);
      } catch (damaged) {
        console.warn('Quandrel: the stored ' + name + ' is damaged and was left out.');
        continue;
      }
      FS.writeFile(storage.path(name), bytes);
      storage.signatures.set(name, storage.signature(FS.stat(storage.path(name))));
    }
  },

  store: function() {
    var storage = QuandrelStorage;
    if (!storage.changed) return;
    var local = storage.local();
    if (!local) return;
    storage.changed = false;
    var present = new Set();
    FS.readdir(QUANDREL_PROGRAM_DIR).forEach(function(name) {
      if (!storage.keptName(name)) return;
      var stat = FS.stat(storage.path(name));
      if (!FS.isFile(stat.mode)) return;
      present.add(name);
      var signature = storage.signature(stat);
      if (storage.signatures.get(name) === signature) return;
      if (/\.bad$/.test(name)) storage.sayKeptAside(name.slice(0, -'.bad'.length));
      var bytes = FS.readFile(storage.path(name));
      var binary = '';
      for (var b = 0; b < bytes.length; ++b) binary += String.fromCharCode(bytes[b]);
      try {
        local.setItem(QUANDREL_STORAGE_PREFIX + name, btoa(binary));
        storage.signatures.set(name, signature);
        storage.askToPersist();
      } catch (full) {
        storage.warn(full);
      }
    });
    storage.signatures.forEach(function(signature, name) {
      if (present.has(name)) return;
      local.removeItem(QUANDREL_STORAGE_PREFIX + name);
      storage.signatures.delete(name);
    });
  },
};
