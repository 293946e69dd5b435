// The page's language: the browser's preferred languages reach the program as
// gettext's LANGUAGE list (it picks the first it knows, else English), and
// ?lang=en or ?lang=zh in the address as its --lang option.
Module['arguments'] = (Module['arguments'] || []).concat((function() {
  var wanted = new URLSearchParams(window.location.search).get('lang');
  return wanted ? ['--lang', wanted] : [];
})());
Module['preRun'] = (Module['preRun'] || []).concat([function() {
  var preferred = navigator.languages && navigator.languages.length ? navigator.languages : [navigator.language || ''];
  ENV['LANGUAGE'] = Array.prototype.map.call(preferred, function(tag) {
    return String(tag).replace(/-/g, '_');
  }).join(':');
}]);
