// The screen kept awake while a level is played: a Screen Wake Lock while the
// program says play is in progress and the page shows. The browser lets go of
// the lock when the page is hidden; it is asked for again when it shows.

var QuandrelWakeLock = {
  wanted: false,
  sentinel: null,
  asking: false,

  keep: function(awake) {
    QuandrelWakeLock.wanted = awake;
    QuandrelWakeLock.update();
  },

  update: function() {
    var lock = QuandrelWakeLock;
    var hold = lock.wanted && !document.hidden;
    if (!hold && lock.sentinel) {
      var sentinel = lock.sentinel;
      lock.sentinel = null;
      sentinel.release().catch(function() {});
    } else if (hold && !lock.sentinel && !lock.asking && navigator.wakeLock) {
      lock.asking = true;
      navigator.wakeLock.request('screen').then(function(sentinel) {
        lock.asking = false;
        lock.sentinel = sentinel;
        sentinel.addEventListener('release', function() {
          if (lock.sentinel === sentinel) lock.sentinel = null;
        });
        lock.update();  // play may have stopped meanwhile
      }, function() {
        lock.asking = false;  // refused (no battery to spare, not visible): the screen may sleep
      });
    }
  },

  // Whether a lock is held now (for outside checks).
  held: function() {
    return QuandrelWakeLock.sentinel !== null && !QuandrelWakeLock.sentinel.released;
  },
};
