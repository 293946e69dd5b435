// The page's language: ?lang= in the address, then the browser's preferred
// languages, reach the program as gettext's LANGUAGE list; it takes the first
// it knows, else English. An unknown ?lang= thus falls back to the browser's
// choice instead of ending the game.
Module['preRun'] = (Module['preRun'] || []).concat([function() {
  var wanted = new URLSearchParams(window.location.search).get('lang');
  var preferred = navigator.languages && navigator.languages.length ? navigator.languages : [navigator.language || ''];
  var list = (wanted ? [wanted] : []).concat(Array.prototype.slice.call(preferred));
  ENV['LANGUAGE'] = list.map(function(tag) {
    return String(tag).replace(/-/g, '_');
  }).join(':');
}]);
