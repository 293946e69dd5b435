// The page's language, which the page decided before loading its pictures
// (index.html), reaches the program as gettext's LANGUAGE.
Module['preRun'] = (Module['preRun'] || []).concat([function() {
  if (Module['language']) ENV['LANGUAGE'] = Module['language'];
}]);
