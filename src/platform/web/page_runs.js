// Shared runs and boards in the page: a link's #run=TOKEN or #board=TOKEN
// read at load (and taken off the address) and handed to the program to open;
// ?today=YYYY-MM-DD standing in for the date; ?leaderboard=ADDRESS for the
// day's leaderboard (empty: none); sharing through the Web Share API or the
// clipboard; the clipboard's text read for the program. QuandrelPage.run
// tells how the program judged the link's run: {state, reason, score};
// QuandrelPage.board the link's board: {state, reason, makerScore}.

var QuandrelRuns = {
  token: null,  // the run or board the address brought, until the program judged it
  run: null,
  board: null,
  poll: null,

  // Reads the address once, before the program starts: its run goes to the
  // program's arguments, its date to the program's environment.
  readAddress: function() {
    var hash = window.location.hash;
    var found = /^#(run|board)=(.+)$/.exec(hash);
    if (found) {
      QuandrelRuns.token = QuandrelRuns.decoded(found[2]).trim();
      // The link was read: reloading the page or sharing its address starts afresh.
      window.history.replaceState(null, '', window.location.pathname + window.location.search);
      var option = found[1] === 'board' ? '--board' : '--watch';
      Module['arguments'] = (Module['arguments'] || []).concat([option, QuandrelRuns.token]);
    }
    var search = new URLSearchParams(window.location.search);
    var today = search.get('today');
    if (today && /^\d{4}-\d{2}-\d{2}$/.test(today)) {
      Module['preRun'] = (Module['preRun'] || []).concat([function() { ENV['QUANDREL_TODAY'] = today; }]);
    }
    // The leaderboard's address, over the build's.
    var leaderboard = search.get('leaderboard');
    if (leaderboard !== null) {
      Module['preRun'] = (Module['preRun'] || []).concat([function() { ENV['QUANDREL_LEADERBOARD'] = leaderboard; }]);
    }
  },

  // A link's text as it was written: a broken %-escape stays as it is, for
  // the program to refuse.
  decoded: function(text) {
    try {
      return decodeURIComponent(text);
    } catch (malformed) {
      return text;
    }
  },

  // Once the program runs: watches its state until it has judged the run.
  started: function() {
    if (QuandrelRuns.token === null) return;
    QuandrelRuns.poll = setInterval(function() {
      var state = QuandrelPage.state();
      if (state === null && QuandrelPage.ended) clearInterval(QuandrelRuns.poll);
      if (!state || (!state.watch && !state.board)) return;
      clearInterval(QuandrelRuns.poll);
      QuandrelRuns.token = null;
      if (state.board) {
        var board = state.board;
        QuandrelRuns.board = {state: board.state, reason: board.reason || null,
                              makerScore: board.state === 'proven' ? board.makerScore : null};
      } else {
        QuandrelRuns.run = {state: state.watch.state, reason: state.watch.reason, score: state.watch.score};
      }
    }, 100);
  },

  // The address that opens the run or board `token`: this page's, without its own fragment.
  link: function(token) {
    var fragment = token.indexOf('QBRD.') === 0 ? '#board=' : '#run=';
    return window.location.href.split('#')[0] + fragment + token;
  },

  // The share sheet where the browser has one (the clipboard when it refuses
  // for another reason than the player's cancelling), else the clipboard and a
  // word that the text was copied. True when something was handed over.
  share: function(text) {
    if (typeof navigator.share === 'function') {
      navigator.share({text: text}).catch(function(refusal) {
        if (!refusal || refusal.name !== 'AbortError') QuandrelRuns.copy(text);
      });
      return true;
    }
    return QuandrelRuns.copy(text);
  },

  copy: function(text) {
    if (!navigator.clipboard || typeof navigator.clipboard.writeText !== 'function') return false;
    navigator.clipboard.writeText(text).then(function() {
      QuandrelRuns.say(QuandrelTexts.get('copied'));
    }, function() {});
    return true;
  },

  // A short word over the foot of the page, gone after two seconds.
  say: function(text) {
    var word = document.getElementById('copied');
    if (!word) {
      word = document.createElement('p');
      word.id = 'copied';
      word.setAttribute('role', 'status');
      word.style.cssText = 'position:absolute;bottom:15%;left:0;right:0;margin:auto;width:max-content;' +
          'padding:0.5em 1em;border-radius:1em;background:rgba(0,0,0,0.8);color:#fff;font:16px sans-serif;';
      document.body.appendChild(word);
    }
    word.textContent = text;
    word.hidden = false;
    clearTimeout(QuandrelRuns.sayTimer);
    QuandrelRuns.sayTimer = setTimeout(function() { word.hidden = true; }, 2000);
  },

  // The clipboard's text, or '' when the browser will not give it.
  readClipboard: function(done) {
    if (!navigator.clipboard || typeof navigator.clipboard.readText !== 'function') {
      done('');
      return;
    }
    navigator.clipboard.readText().then(done, function() { done(''); });
  },
};

QuandrelRuns.readAddress();
