// One game per browser: the tab that runs the game holds a Web Lock; another
// tab of the page waits, says that the game is open elsewhere and offers to
// play here. Choosing that asks the running tab, over a BroadcastChannel, to
// save and stop; it lets go of the lock once its files are stored, and this
// tab then restores them and starts. A browser without either API runs the
// game in every tab, as before.

var QUANDREL_LOCK = 'quandrel-game';

var QuandrelInstance = {
  state: 'running',  // 'running', 'elsewhere' or 'moved'
  channel: null,
  release: null,  // lets go of the lock
  onGranted: null,

  supported: function() {
    return !!(navigator.locks && window.BroadcastChannel);
  },

  // Calls `granted` once this tab may run the game (at once without the APIs).
  acquire: function(granted) {
    var instance = QuandrelInstance;
    if (!instance.supported()) {
      granted();
      return;
    }
    instance.onGranted = granted;
    instance.channel = new BroadcastChannel(QUANDREL_LOCK);
    instance.channel.onmessage = function(message) {
      if (message.data === 'take' && instance.state === 'running' && instance.release) QuandrelPage.moveAway();
    };
    // Back from the tab the game moved to: ask for it at once.
    var taking = sessionStorage.getItem(QUANDREL_LOCK) === 'take';
    sessionStorage.removeItem(QUANDREL_LOCK);
    if (taking) {
      instance.take();
      return;
    }
    navigator.locks.request(QUANDREL_LOCK, {ifAvailable: true}, function(lock) {
      if (!lock) {
        instance.state = 'elsewhere';
        QuandrelPage.offerToPlayHere(QuandrelTexts.get('elsewhere'), instance.take);
        return undefined;
      }
      return instance.hold();
    });
  },

  // Asks the running tab to stop, and runs here once it let go.
  take: function() {
    var instance = QuandrelInstance;
    instance.channel.postMessage('take');
    navigator.locks.request(QUANDREL_LOCK, function() { return instance.hold(); });
  },

  hold: function() {
    var instance = QuandrelInstance;
    instance.state = 'running';
    var held = new Promise(function(resolve) { instance.release = resolve; });
    instance.onGranted();
    return held;
  },

  // The game stopped here for another tab: its files are stored, the lock goes.
  moved: function() {
    var instance = QuandrelInstance;
    instance.state = 'moved';
    if (instance.release) instance.release();
    instance.release = null;
  },

  // Playing here again, after the game moved away: the page starts afresh
  // and asks for the game at once.
  takeBack: function() {
    sessionStorage.setItem(QUANDREL_LOCK, 'take');
    window.location.reload();
  },
};
