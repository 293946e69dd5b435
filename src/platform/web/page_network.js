// Web requests of the program (the leaderboard's messages) through fetch:
// each answered once, with its status and body, or with status 0 when no
// answer came in time (no connection, refused by the browser, too slow).

var QuandrelNetwork = {
  timeoutMs: 15000,  // as the desktop's requests (platform/web_request.hpp)
  maxBytes: 1024 * 1024,

  // Sends the request and calls done(status, body) once.
  fetch: function(post, url, body, done) {
    var abort = typeof AbortController === 'function' ? new AbortController() : null;
    var timer = setTimeout(function() {
      if (abort) abort.abort();
    }, QuandrelNetwork.timeoutMs);
    var options = {method: post ? 'POST' : 'GET', headers: {'Accept': 'application/json'}, cache: 'no-store'};
    if (post) {
      options.headers['Content-Type'] = 'application/json';
      options.body = body;
    }
    if (abort) options.signal = abort.signal;
    var answered = function(status, text) {
      clearTimeout(timer);
      done(status, text);
    };
    fetch(url, options).then(function(response) {
      return response.text().then(function(text) {
        if (text.length > QuandrelNetwork.maxBytes) {
          answered(0, '');
        } else {
          answered(response.status, text);
        }
      });
    }).catch(function() {
      answered(0, '');
    });
  },
};
