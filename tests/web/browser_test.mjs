// The web build played in Debian's chromium through puppeteer-core: the splash
// gives way to the menu, a click on start shows the board, Space fires a shot
// that changes the canvas where it lands, the exit question waits without
// blocking the page, a hidden tab stops the game's time, the settings file
// survives a reload byte for byte, the page speaks the browser's language (or
// the address's ?lang=) with the same frames as the desktop game in that
// language, the session recorded by the page replays headless to the state the
// page shows, and nothing reaches the console as an error. Then the page as an
// installable web app: no installability errors, played offline after one
// visit, and a new build served on the next online visit. Then shared runs: a
// #run= link opened at load, the runs of all ten levels proven in the page
// with the numbers `quandrel --verify` gives, a #board= link opened at load
// on its board's screen, and the day's attempt kept when the page is left
// during it; today's run posted to a real quandrel-server
// (QUANDREL_SERVER_BINARY) and its leaderboard shown.
// The groups play at the same time, each in a Chromium of its own.
// Usage: node --test browser_test.mjs (QUANDREL_WEB_PAGE: the built page's folder).
import assert from 'node:assert/strict';
import {execFileSync, spawn} from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import {after, before, describe, it} from 'node:test';

import puppeteer from 'puppeteer-core';

const pageDir = process.env.QUANDREL_WEB_PAGE;
const chromium = process.env.QUANDREL_CHROMIUM || '/usr/bin/chromium';
// The desktop build, for replaying the page's recording headless.
const nativeBinary = process.env.QUANDREL_BINARY;
const storageKey = 'quandrel:file:quandrel.ini';
const settingsSection = 'QuandrelV1.2 By NX For @Meizu::M8';
// Window pixels of the menu's buttons (their centres).
const startButton = {x: 234, y: 459};
const continueButton = {x: 234, y: 499};
const optionsButton = {x: 234, y: 539};
const exitButton = {x: 234, y: 619};
const languageButton = {x: 290, y: 288};  // on the options panel
const optionsKey = 'quandrel:file:quandrel-options.ini';
// The desktop game's frames (headless screenshots) beside the page: NAME-LANGUAGE.png.
const desktopFrames = 'desktop-frames';
// Every language the game speaks, with a browser language that chooses it.
const browserLanguages = {zh: 'zh-CN', en: 'en-GB', es: 'es-ES', pt: 'pt-BR', fr: 'fr-FR', de: 'de-DE',
                          ja: 'ja', ko: 'ko-KR', ru: 'ru-RU'};
const menuTimeoutMs = 15000;

const mimeTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
};

// The page's folder on 127.0.0.1 at a free port.
function servePage(folder) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    const file = path.join(folder, name === '/' ? 'index.html' : path.normalize(name));
    if (!file.startsWith(folder) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, {'Content-Type': mimeTypes[path.extname(file)] || 'application/octet-stream',
                             'Cache-Control': 'no-store'});
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// The settings file as the desktop game writes it: UTF-16LE with its mark, CR LF.
function settingsBytes(level, isSound, isMove) {
  const text = `[${settingsSection}]\r\n  CurrentLevel=${level}\r\n  isSound=${isSound}\r\n  isMove=${isMove}`;
  return Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from(text, 'utf16le')]);
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Debian's chromium, headless, with a profile folder of its own to remove after.
async function launchChromium() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quandrel-chromium-'));
  try {
    const browser = await puppeteer.launch({
      executablePath: chromium,
      headless: true,
      args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
             '--disable-sync', '--no-first-run', `--user-data-dir=${profile}`],
    });
    return {browser, profile};
  } catch (error) {
    fs.rmSync(profile, {recursive: true, force: true});
    throw error;
  }
}

// A group's page host and Chromium of its own, from its first test to its
// last: before() fills the returned {server, origin, browser}. `folder` names
// what to serve when the group starts (the built page by default).
function servedPageAndBrowser(folder = () => path.resolve(pageDir)) {
  const session = {};
  let profile;
  before(async () => {
    session.server = await servePage(folder());
    session.origin = `http://127.0.0.1:${session.server.address().port}/`;
    ({browser: session.browser, profile} = await launchChromium());
  });
  after(async () => {
    if (session.browser) await session.browser.close();
    if (session.server && session.server.listening) session.server.close();
    if (profile) fs.rmSync(profile, {recursive: true, force: true});
  });
  return session;
}

// Runs `script` on a fresh copy of the desktop game, headless, and returns the
// state it dumps at the end.
function replayHeadless(script, language) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'quandrel-replay-'));
  try {
    const program = path.join(folder, 'quandrel');
    fs.copyFileSync(nativeBinary, program);
    fs.chmodSync(program, 0o755);
    for (const data of ['Images', 'Sounds']) {
      fs.symlinkSync(path.join(path.dirname(path.resolve(nativeBinary)), data), path.join(folder, data));
    }
    fs.mkdirSync(path.join(folder, 'run'), {mode: 0o700});
    fs.writeFileSync(path.join(folder, 'session.txt'), script + 'dump\n');
    const env = {...process.env, XDG_RUNTIME_DIR: path.join(folder, 'run'), LANGUAGE: language};
    delete env.DISPLAY;
    const output = execFileSync(program, ['--headless', '--script', 'session.txt'], {cwd: folder, env, encoding: 'utf8'});
    const dumps = output.split('\n').filter((line) => line.startsWith('{'));
    return JSON.parse(dumps[dumps.length - 1]);
  } finally {
    fs.rmSync(folder, {recursive: true, force: true});
  }
}

const inAPage = () => describe('the game in a browser page', {concurrency: 1}, () => {
  let browser;
  let page;
  let origin;
  const problems = [];  // console errors, page errors, failed requests
  const warnings = [];

  function watch(watched) {
    watched.on('console', (message) => {
      if (message.type() === 'error') problems.push(`console: ${message.text()}`);
      if (message.type() === 'warn') warnings.push(message.text());
    });
    watched.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
    watched.on('requestfailed', (request) => problems.push(`request failed: ${request.url()}`));
    watched.on('response', (response) => {
      if (response.status() >= 400) problems.push(`HTTP ${response.status()}: ${response.url()}`);
    });
  }

  async function openPage({touch = false} = {}) {
    const opened = await browser.newPage();
    // 1.5 game pixels per CSS pixel: the page scales the canvas.
    await opened.setViewport({width: 720, height: 1080, hasTouch: touch});
    watch(opened);
    // Listens to Web Audio: each sound started, and the most ever playing at once;
    // stands in for navigator.vibrate, keeping each pattern asked.
    await opened.evaluateOnNewDocument(() => {
      window.vibrations = [];
      Object.defineProperty(Navigator.prototype, 'vibrate', {
        value: (pattern) => window.vibrations.push(pattern) > 0, configurable: true});
      // The browser's speech: each utterance spoken (300 ms each) or cancelled, and its voice.
      window.speechLog = [];
      const voices = [{name: 'German', lang: 'de-DE', localService: true, default: true},
                      {name: 'English (UK)', lang: 'en-GB', localService: false, default: false},
                      {name: 'English (US)', lang: 'en-US', localService: true, default: false}];
      let speaking = null;
      window.SpeechSynthesisUtterance = function(text) { this.text = text; };
      Object.defineProperty(window, 'speechSynthesis', {configurable: true, value: {
        getVoices: () => voices,
        speak(utterance) {
          window.speechLog.push(`speak ${utterance.lang} ${utterance.voice ? utterance.voice.name : '-'}: ${utterance.text}`);
          speaking = utterance;
          setTimeout(() => {
            if (speaking !== utterance) return;
            speaking = null;
            utterance.onend();
          }, 300);
        },
        cancel() {
          window.speechLog.push('cancel');
          const cancelled = speaking;
          speaking = null;
          if (cancelled) setTimeout(() => cancelled.onerror({error: 'interrupted'}));
        },
      }});
      window.soundsStarted = [];
      window.mostSoundsAtOnce = 0;
      window.cuePans = [];  // each cue's place, as its panner was made
      const Panner = window.StereoPannerNode;
      window.StereoPannerNode = function(context, options) {
        window.cuePans.push(options.pan);
        return new Panner(context, options);
      };
      const playing = new Set();
      const start = AudioBufferSourceNode.prototype.start;
      AudioBufferSourceNode.prototype.start = function(...rest) {
        const current = window.Module.quandrel.sound.current;
        if (!current) return start.apply(this, rest);  // a cue over no sound
        window.soundsStarted.push({path: current.path, loop: this.loop});
        playing.add(this);
        this.addEventListener('ended', () => playing.delete(this));
        window.mostSoundsAtOnce = Math.max(window.mostSoundsAtOnce, playing.size);
        return start.apply(this, rest);
      };
      const stop = AudioBufferSourceNode.prototype.stop;
      AudioBufferSourceNode.prototype.stop = function(...rest) {
        playing.delete(this);
        return stop.apply(this, rest);
      };
    });
    return opened;
  }

  const state = () => page.evaluate(() => Module.quandrel.state());

  async function waitForState(test, what, timeoutMs = menuTimeoutMs) {
    const deadline = Date.now() + timeoutMs;
    let last = null;
    while (Date.now() < deadline) {
      last = await page.evaluate(() => (window.Module && Module.quandrel ? Module.quandrel.state() : null));
      if (last && test(last)) {
        // The page draws what changed at its next animation frame.
        await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
        return last;
      }
      await sleep(50);
    }
    assert.fail(`timed out waiting for ${what}; last state: ${JSON.stringify(last)}`);
  }

  const canvasBox = () => page.evaluate(() => {
    const r = document.getElementById('screen').getBoundingClientRect();
    return {x: r.left, y: r.top, width: r.width, height: r.height};
  });

  // A click (or a tap of a finger) at window pixel (x, y), through the canvas's place on the page.
  async function click(point, {touch = false} = {}) {
    const box = await canvasBox();
    const x = box.x + (point.x + 0.5) * box.width / 480;
    const y = box.y + (point.y + 0.5) * box.height / 720;
    if (touch) await page.touchscreen.tap(x, y); else await page.mouse.click(x, y);
  }

  // Keeps the canvas's pixels in a rectangle (window pixels) under a name...
  const snapshot = (name, x, y, width, height) => page.evaluate((name, x, y, width, height) => {
    const canvas = document.getElementById('screen');
    window.snapshots = window.snapshots || {};
    window.snapshots[name] = {x, y, width, height,
                              data: canvas.getContext('2d').getImageData(x, y, width, height).data};
  }, name, x, y, width, height);
  // ...and counts the pixels that differ from it now.
  const changedSince = (name) => page.evaluate((name) => {
    const kept = window.snapshots[name];
    const now = document.getElementById('screen').getContext('2d')
        .getImageData(kept.x, kept.y, kept.width, kept.height).data;
    let changed = 0;
    for (let i = 0; i < now.length; i += 4) {
      if (now[i] !== kept.data[i] || now[i + 1] !== kept.data[i + 1] || now[i + 2] !== kept.data[i + 2]) ++changed;
    }
    return changed;
  }, name);

  const storedSettings = () => page.evaluate((key) => localStorage.getItem(key), storageKey)
      .then((value) => (value === null ? null : Buffer.from(value, 'base64')));

  // Chromium's accessibility tree of the page, what a screen reader is given:
  // its nodes, and the nodes of the elements with the ids asked for.
  async function accessibilityTree(...ids) {
    const client = await page.createCDPSession();
    try {
      const {nodes} = await client.send('Accessibility.getFullAXTree');
      const {root} = await client.send('DOM.getDocument');
      const elements = {};
      for (const id of ids) {
        const {nodeId} = await client.send('DOM.querySelector', {nodeId: root.nodeId, selector: `#${id}`});
        const {node} = await client.send('DOM.describeNode', {nodeId});
        elements[id] = nodes.find((n) => n.backendDOMNodeId === node.backendNodeId);
      }
      return {nodes, elements};
    } finally {
      await client.detach();
    }
  }
  const buttonNames = (tree) => tree.nodes.filter((n) => !n.ignored && n.role?.value === 'button').map((n) => n.name?.value);
  // The text a node of the tree carries, its descendants' included.
  const treeText = (tree, node) => {
    const byId = new Map(tree.nodes.map((n) => [n.nodeId, n]));
    const texts = [];
    const visit = (n) => {
      if (n.role?.value === 'StaticText') texts.push(n.name.value);
      (n.childIds || []).forEach((id) => byId.has(id) && visit(byId.get(id)));
    };
    visit(node);
    return texts.join('\n');
  };
  const announced = () => page.evaluate(() => Module.quandrel.announcements.length);
  const lastAnnounced = () => page.evaluate(() => Module.quandrel.announcements.at(-1));
  // Clicks the mirrored button of that name, as a screen reader's activation does.
  const pressMirrored = (name) => page.evaluate((name) => {
    const button = [...document.querySelectorAll('#quandrel-buttons button')].find((b) => b.textContent === name);
    if (!button) throw new Error(`no mirrored button "${name}"`);
    button.click();
  }, name);
  const liveLines = (id) => page.evaluate((id) => [...document.getElementById(id).children].map((p) => p.textContent), id);

  before(() => {
    assert.ok(pageDir && fs.existsSync(path.join(pageDir, 'index.html')), 'QUANDREL_WEB_PAGE names the built page');
  });
  const session = servedPageAndBrowser();
  before(async () => {
    ({origin, browser} = session);
    page = await openPage();
  });

  it('shows the splash first, then the menu', async () => {
    const loading = fs.readFileSync(path.join(pageDir, 'index.html'), 'utf8').match(/Loading Quandrel ([^<]*)…/);
    assert.match(loading?.[1] ?? '', /^\d+\.\d+\.\d+$/, 'the page says which version it loads');
    await page.goto(origin, {waitUntil: 'load'});
    await page.waitForFunction(() => window.Module && Module.quandrel && Module.quandrel.firstFrameMs !== null,
                               {timeout: menuTimeoutMs, polling: 20});
    // What the first frame showed is kept by the page as it is drawn: on a busy
    // machine the splash's three seconds (counted from the page's own splash)
    // may be over before the test could look.
    const first = await page.evaluate(() => ({ms: Module.quandrel.firstFrameMs, screen: Module.quandrel.firstFrameScreen}));
    console.log(`# time from navigation to the splash on the canvas: ${first.ms.toFixed(0)} ms`);
    assert.equal(first.screen, 'splash');
    assert.equal(await page.evaluate(() => document.getElementById('screen').style.visibility), 'visible');

    const menu = await waitForState((s) => s.screen === 'menu', 'the menu');
    assert.ok(menu.t >= 3000, `the splash stays three seconds of game time (gone at ${menu.t} ms)`);
    assert.ok(await unlikeDesktop('splash-en') > 480 * 720 / 4, 'the menu replaced the splash on the canvas');
    assert.equal(await page.evaluate(() => Module.quandrel.sound.context), null,
                 'no sound before the player first touches the page');
  });

  it('scales the canvas to fill the page at 2:3 with bars, crisp at whole multiples', async () => {
    const rendering = () => page.evaluate(() => document.getElementById('screen').style.imageRendering);
    const resize = async (width, height, canvasWidth) => {
      await page.setViewport({width, height});
      await page.waitForFunction((w) => document.getElementById('screen').getBoundingClientRect().width === w,
                                 {timeout: 5000}, canvasWidth);
    };
    assert.deepEqual(await canvasBox(), {x: 0, y: 0, width: 720, height: 1080});
    assert.equal(await rendering(), 'auto');
    await resize(1200, 1440, 960);
    assert.deepEqual(await canvasBox(), {x: 120, y: 0, width: 960, height: 1440});
    assert.equal(await rendering(), 'pixelated');
    await resize(720, 1080, 720);
    assert.deepEqual(await canvasBox(), {x: 0, y: 0, width: 720, height: 1080});
  });

  it('shows the board after a click on start', async () => {
    await snapshot('menu', 0, 0, 480, 720);
    await click(startButton);
    const game = await waitForState((s) => s.screen === 'game', 'the board');
    assert.equal(game.targets.length, 10);
    assert.equal(game.currentLevel, 1);
    // The state can tell of the board a moment before the frame that shows it
    // (the page hands back its thread while the board's pictures decode).
    let changed = 0;
    for (const deadline = Date.now() + 5000; Date.now() < deadline; await sleep(50)) {
      changed = await changedSince('menu');
      if (changed > 480 * 720 / 4) break;
    }
    assert.ok(changed > 480 * 720 / 4, 'the board replaced the menu on the canvas');
  });

  it('fires a shot with Space, and the canvas changes where it lands', async () => {
    const start = await state();
    await page.keyboard.press('ArrowRight');  // over the first target
    const aimed = await waitForState((s) => s.sprayerX > start.sprayerX, 'the sprayer to move right');

    const shotX = aimed.sprayerX + 40;
    await snapshot('landing', Math.max(0, shotX - 30), 430, 100, 150);
    await snapshot('far', 330, 430, 70, 150);  // the last targets, which this shot never reaches
    await page.keyboard.press('Space');
    const flying = await waitForState((s) => s.shot && s.shot.visible, 'a shot in the air', 2000);
    assert.ok(Math.abs(flying.shot.x - shotX) <= 40, `the shot starts under the sprayer (${flying.shot.x})`);
    const landed = await waitForState((s) => s.shot && !s.shot.visible, 'the shot to land', 5000);
    assert.notEqual(landed.targets[0], start.targets[0], 'the first target took the shot');
    assert.equal(landed.targets[0], 19, 'the first shot of level 1 spoils the first tube');
    assert.deepEqual(await page.evaluate(() => window.vibrations), [[80]], 'one short pulse for the spoiled tube');
    assert.deepEqual(landed.targets.slice(1), start.targets.slice(1));
    assert.ok(await changedSince('landing') > 50, 'pixels changed where the shot landed');
    assert.equal(await changedSince('far'), 0, 'targets the shot never reached look the same');
    // The shot's sound, once; nothing but the music ever loops; one sound at a time.
    await page.waitForFunction(() => window.soundsStarted.some((s) => s.path.endsWith('/Sounds/laught.wav')),
                               {timeout: 5000});
    const sounds = await page.evaluate(() => ({started: window.soundsStarted, mostAtOnce: window.mostSoundsAtOnce}));
    assert.ok(sounds.started.every((s) => !s.loop || s.path.endsWith('/Sounds/bgmusic.wav')), JSON.stringify(sounds));
    assert.equal(sounds.mostAtOnce, 1, 'one sound at a time');
  });

  it('asks the exit question without stopping the page, and No goes back', async () => {
    await page.keyboard.press('Escape');
    await waitForState((s) => s.screen === 'menu', 'the menu');
    await click(exitButton);
    const asked = await waitForState((s) => s.question !== null, 'the exit question');
    assert.equal(asked.question.text, '确定退出?');
    // The question's loop yields to the browser: the page's clock and frames go on.
    const later = await waitForState((s) => s.t > asked.t + 200, 'the clock to run on while asked');
    assert.notEqual(later.question, null);
    await page.keyboard.press('Escape');
    const answered = await waitForState((s) => s.question === null, 'the answer');
    assert.equal(answered.screen, 'menu');
  });

  it('plays by gamepad: the stick and d-pad move the focus ring, A presses, B goes back', async () => {
    // A standard pad as the Gamepad API shows it: the buttons held and the axes.
    const setPad = (held, axes = [0, 0, 0, 0]) => page.evaluate((held, axes) => {
      const pad = {index: 0, connected: true, mapping: 'standard', axes,
                   buttons: Array.from({length: 17}, (_, i) => ({pressed: held.includes(i), value: held.includes(i) ? 1 : 0}))};
      Object.defineProperty(navigator, 'getGamepads', {value: () => [pad], configurable: true});
      window.dispatchEvent(new Event('gamepadconnected'));
    }, held, axes);
    // Each state is held for a few frames, so that the page's poll sees it.
    const hold = async (held, axes) => {
      await setPad(held, axes);
      await sleep(150);
    };
    const dpadDown = 13;
    const dpadUp = 12;
    const buttonA = 0;
    const buttonB = 1;
    await hold([]);
    assert.equal((await state()).focus, null);
    await hold([], [0, 0.9, 0, 0]);  // the stick down: the ring shows on the first button
    await waitForState((s) => s.focus === 220, 'the ring on start');
    await hold([], [0, 0.95, 0, 0]);  // still the same push
    await hold([], [0, 0, 0, 0]);
    await hold([], [0, 0.9, 0, 0]);
    await waitForState((s) => s.focus === 221, 'the ring on continue');
    await hold([], [0, 0, 0, 0]);
    await hold([dpadDown]);
    await hold([]);
    await hold([dpadUp]);
    await hold([]);
    await hold([dpadUp]);
    await hold([]);
    await waitForState((s) => s.focus === 220, 'the ring back on start');
    await hold([buttonA]);
    await hold([]);
    await waitForState((s) => s.screen === 'game', 'the board');
    await hold([buttonB]);
    await hold([]);
    const menu = await waitForState((s) => s.screen === 'menu', 'the menu');
    assert.equal(menu.focus, 220);
    await page.evaluate(() => delete navigator.getGamepads);
  });

  it('shows assistive technology no canvas but the screen\'s buttons, named, in the ring\'s order and in step with it', async () => {
    assert.equal((await state()).language, 'en', 'the browser asks for English');
    await click({x: 10, y: 10});  // a press on the picture: no ring
    const tree = await accessibilityTree('screen');
    assert.ok(!tree.elements.screen || tree.elements.screen.ignored, 'the canvas is hidden from the screen reader');
    const names = buttonNames(tree);
    assert.ok(names.includes('Start') && names.includes('Options') && names.includes('Exit'), JSON.stringify(names));
    // The ring's first stop is the first button; once the page's focus is
    // among the buttons, it goes where the ring goes, which the game names.
    await page.keyboard.press('Tab');
    await waitForState((s) => s.focus !== null, 'the ring');
    assert.equal((await lastAnnounced()).text, names[0]);
    await page.focus('#quandrel-buttons button');
    const ringed = [names[0]];
    for (let i = 1; i < names.length; ++i) {
      const before = (await state()).focus;
      await page.keyboard.press('Tab');
      await waitForState((s) => s.focus !== before, 'the ring to move');
      ringed.push(await page.evaluate(() => document.activeElement.textContent));
      assert.equal((await lastAnnounced()).text, ringed[i], 'the game names the button the page focused');
    }
    assert.deepEqual(ringed, names);
    // Return on a mirrored button presses that very button, wherever the ring is.
    await page.evaluate(() => [...document.querySelectorAll('#quandrel-buttons button')]
        .find((button) => button.textContent === 'Options').focus());
    await page.keyboard.press('Enter');
    await waitForState((s) => s.screen === 'settings', 'the options panel');
    await page.keyboard.press('Escape');
    await waitForState((s) => s.screen === 'menu', 'the menu again');
  });

  it('tells the game\'s words through live regions, and names the options panel\'s buttons with their state', async () => {
    const tree = await accessibilityTree('quandrel-polite', 'quandrel-assertive');
    const live = (node) => node.properties.find((p) => p.name === 'live')?.value.value;
    assert.deepEqual([live(tree.elements['quandrel-polite']), live(tree.elements['quandrel-assertive'])],
                     ['polite', 'assertive']);
    const from = await announced();
    await pressMirrored('Options');
    await waitForState((s) => s.screen === 'settings', 'the options panel');
    const entered = (await page.evaluate((from) => Module.quandrel.announcements.slice(from), from))[0];
    assert.equal(entered.priority, 'polite');
    const panel = await accessibilityTree('quandrel-polite');
    assert.ok(treeText(panel, panel.elements['quandrel-polite']).includes(entered.text),
              `the polite region carries "${entered.text}"`);
    const names = buttonNames(panel);
    for (const row of [/^Sound, (on|off)$/, /^Vibration, (on|off)$/, /^Speech, off$/, /^Back$/]) {
      assert.ok(names.some((name) => row.test(name)), `${row} among ${JSON.stringify(names)}`);
    }
    // The ring there and back: the same name is a new line, read again.
    await page.evaluate(() => document.activeElement.blur());
    await page.keyboard.press('Tab');
    await page.keyboard.press('Tab');
    await page.keyboard.down('Shift');
    await page.keyboard.press('Tab');
    await page.keyboard.up('Shift');
    assert.deepEqual(await liveLines('quandrel-polite'), [names[0], names[1], names[0]]);
    // The exit question is assertive, and its answers are buttons too.
    await pressMirrored('Back');
    await waitForState((s) => s.screen === 'menu', 'the menu');
    await pressMirrored('Exit');
    await waitForState((s) => s.question !== null, 'the exit question');
    const asked = await lastAnnounced();
    assert.equal(asked.priority, 'assertive');
    const question = await accessibilityTree('quandrel-assertive');
    assert.ok(treeText(question, question.elements['quandrel-assertive']).includes(asked.text));
    assert.deepEqual(buttonNames(question), ['OK', 'Cancel']);
    await pressMirrored('Cancel');
    const answered = await waitForState((s) => s.question === null, 'the answer');
    assert.equal(answered.screen, 'menu');
  });

  it('speaks with a voice of the shown language while Speech is on: newer words cut older polite ones, never assertive ones', async () => {
    const spoken = () => page.evaluate(() => window.speechLog);
    const voiced = (text) => `speak en English (US): ${text}`;  // the local voice of the language
    await pressMirrored('Options');
    await waitForState((s) => s.screen === 'settings', 'the options panel');
    await pressMirrored('Speech, off');
    await waitForState((s) => s.options.speech, 'Speech on');
    // Two ring moves at once: the second name cuts the first short.
    await page.evaluate(() => { document.activeElement.blur(); window.speechLog = []; });
    await page.keyboard.press('Tab');
    await page.keyboard.press('Tab');
    const moved = (await page.evaluate(() => Module.quandrel.announcements.slice(-2))).map((a) => a.text);
    await page.waitForFunction(() => window.speechLog.length >= 3, {timeout: 2000});
    assert.deepEqual((await spoken()).slice(0, 3), [voiced(moved[0]), 'cancel', voiced(moved[1])]);
    // The exit question, assertive, is spoken whole before the words that
    // follow its quick answer.
    await page.keyboard.press('Escape');
    await waitForState((s) => s.screen === 'menu', 'the menu');
    await pressMirrored('Exit');
    await waitForState((s) => s.question !== null, 'the exit question');
    const asked = await lastAnnounced();
    assert.equal(asked.priority, 'assertive');
    await pressMirrored('Cancel');
    await waitForState((s) => s.question === null, 'the answer');
    const after = await lastAnnounced();
    assert.notEqual(after.text, asked.text, 'words follow the answer');
    await page.waitForFunction((line) => window.speechLog.at(-1) === line, {timeout: 2000}, voiced(after.text));
    const log = await spoken();
    assert.deepEqual(log.slice(log.lastIndexOf(voiced(asked.text))), [voiced(asked.text), voiced(after.text)]);
    // On the board each step of the sprayer ticks from its place.
    await pressMirrored('Start');
    await waitForState((s) => s.screen === 'game', 'the board');
    await page.evaluate(() => { window.cuePans = []; });
    await page.keyboard.press('ArrowRight');
    await page.keyboard.press('ArrowRight');
    await page.waitForFunction(() => window.cuePans.length === 2, {timeout: 5000});
    const pans = await page.evaluate(() => window.cuePans);
    assert.ok(-1 <= pans[0] && pans[0] < pans[1] && pans[1] <= 1, `two steps right, panned ${JSON.stringify(pans)}`);
    await page.keyboard.press('Escape');
    await waitForState((s) => s.screen === 'menu', 'the menu');
    await pressMirrored('Options');
    await waitForState((s) => s.screen === 'settings', 'the options panel');
    await pressMirrored('Speech, on');
    await waitForState((s) => !s.options.speech, 'Speech off again');
    await page.keyboard.press('Escape');
    await waitForState((s) => s.screen === 'menu', 'the menu');
  });

  it('stops the game\'s time while the tab is hidden, and pauses as a desktop window does', async () => {
    const setHidden = (hidden) => page.evaluate((hidden) => {
      Object.defineProperty(document, 'hidden', {value: hidden, configurable: true});
      Object.defineProperty(document, 'visibilityState', {value: hidden ? 'hidden' : 'visible', configurable: true});
      document.dispatchEvent(new Event('visibilitychange'));
    }, hidden);
    await snapshot('shown', 0, 0, 480, 720);
    await setHidden(true);
    const hidden = await state();
    await sleep(400);
    assert.equal((await state()).t, hidden.t, 'the clock stands still while hidden');
    await setHidden(false);
    const shown = await waitForState((s) => s.t > hidden.t && s.focusPaused, 'the clock to go on under the veil');
    assert.ok(await changedSince('shown') > 480 * 720 / 2, 'the paused veil covers the screen');
    // The player's next key lifts the veil and goes no further.
    await page.keyboard.press('Escape');
    const resumed = await waitForState((s) => !s.focusPaused, 'the veil to lift');
    assert.equal(resumed.screen, shown.screen);
  });

  it('records the session, and the recording replays headless to the state the page shows',
     {skip: !nativeBinary && 'QUANDREL_BINARY names no desktop build'}, async () => {
    const recording = await page.evaluate(() => Module.quandrel.recording());
    for (const line of ['key Right', 'key Space', 'key Escape', 'focus out']) {
      assert.ok(recording.script.split('\n').includes(line), `the recording has "${line}"`);
    }
    // The release may come a frame after the press: a wait between them is kept.
    assert.match(recording.script, /^down (\d+ \d+)\n(wait \d+\n)?up \1$/m, 'the click is recorded as a press and a release');
    const replayed = replayHeadless(recording.script, recording.state.language);
    assert.ok(recording.state.t > 3000, `the session ran past the splash (${recording.state.t} ms)`);
    for (const [field, value] of Object.entries(recording.state)) {
      assert.deepEqual(replayed[field], value, `${field} after the replay`);
    }
    // The same words, in the same order, told headless and in the page (the
    // replay dumps once, at its end: every announcement since its start).
    const words = await page.evaluate(() => Module.quandrel.announcements);
    assert.ok(words.length > 10, `the session was told in words (${words.length} announcements)`);
    assert.deepEqual(replayed.announcements, words, 'the transcript headless and in the page');
  });

  it('keeps the settings file in the browser with the desktop bytes, across a reload', async () => {
    const before = await state();
    assert.equal(before.settings.level, 1, 'starting level one saved it as reached');
    const stored = await storedSettings();
    assert.deepEqual(stored, settingsBytes(1, before.settings.isSound ? 1 : 0, before.settings.isMove ? 1 : 0));

    await page.reload({waitUntil: 'load'});
    const menu = await waitForState((s) => s.screen === 'menu', 'the menu after the reload');
    assert.deepEqual(menu.settings, before.settings);
    assert.deepEqual(await storedSettings(), stored);
    // The first key lets sound start: the music asked for at start-up loops.
    await page.keyboard.press('Shift');
    await page.waitForFunction(() => window.soundsStarted.length > 0, {timeout: 5000});
    assert.deepEqual(await page.evaluate(() => window.soundsStarted),
                     [{path: '/quandrel/Sounds/bgmusic.wav', loop: true}]);
    await click(continueButton);
    const game = await waitForState((s) => s.screen === 'game', 'the continued game');
    assert.equal(game.currentLevel, 1);
  });

  it('continues, at a touch, at the level of a settings file copied from the desktop', async () => {
    await page.close();
    page = await openPage({touch: true});
    const copied = settingsBytes(4, 0, 1).toString('base64');
    await page.evaluateOnNewDocument((key, value) => {
      if (sessionStorage.getItem('seeded') === null) {
        sessionStorage.setItem('seeded', '1');
        localStorage.setItem(key, value);
      }
    }, storageKey, copied);
    await page.goto(origin, {waitUntil: 'load'});
    const menu = await waitForState((s) => s.screen === 'menu', 'the menu');
    assert.deepEqual(menu.settings, {level: 4, isSound: false, isMove: true});
    await click(continueButton, {touch: true});
    const game = await waitForState((s) => s.screen === 'game', 'the continued game');
    assert.equal(game.currentLevel, 4);
    assert.equal((await storedSettings()).toString('base64'), copied, 'reading the file changed none of its bytes');
  });

  it('ends on Yes to the exit question, keeping the settings', async () => {
    await page.keyboard.press('Escape');
    await waitForState((s) => s.screen === 'menu', 'the menu');
    await click(exitButton);
    await waitForState((s) => s.question !== null, 'the exit question');
    await page.keyboard.press('Enter');
    await page.waitForFunction(() => Module.quandrel.ended, {timeout: 5000});
    const status = await page.evaluate(() => document.getElementById('status').textContent);
    assert.match(status, /ended/);
    assert.deepEqual(await storedSettings(), settingsBytes(4, 0, 1));
  });

  // Pixels of the canvas (beyond a small tolerance) unlike the desktop frame `name`.
  const unlikeDesktop = (name) => page.evaluate(async (url) => {
    const picture = new Image();
    picture.src = url;
    await picture.decode();
    const scratch = document.createElement('canvas');
    scratch.width = 480;
    scratch.height = 720;
    const context = scratch.getContext('2d');
    context.drawImage(picture, 0, 0);
    const desktop = context.getImageData(0, 0, 480, 720).data;
    const shown = document.getElementById('screen').getContext('2d').getImageData(0, 0, 480, 720).data;
    let unlike = 0;
    for (let i = 0; i < shown.length; i += 4) {
      if (Math.abs(shown[i] - desktop[i]) > 2 || Math.abs(shown[i + 1] - desktop[i + 1]) > 2 ||
          Math.abs(shown[i + 2] - desktop[i + 2]) > 2) ++unlike;
    }
    return unlike;
  }, `${origin}${desktopFrames}/${name}.png`);

  it('speaks the browser\'s language or the address\'s, in the desktop game\'s frames', async () => {
    // Each language's start package (the later ones are quandrel-later*.data).
    const packages = fs.readdirSync(pageDir).filter((name) => /^quandrel-(?!later).+\.data$/.test(name))
        .map((name) => name.slice('quandrel-'.length, -'.data'.length));
    assert.deepEqual(packages.sort(), Object.keys(browserLanguages).sort(), 'a package for every language');
    const cases = [
      ...Object.entries(browserLanguages).map(([expected, preferred]) => ({languages: [preferred], query: '', expected})),
      {languages: ['zh-CN', 'en'], query: '', expected: 'zh'},
      {languages: ['nl-NL', 'zh-TW'], query: '', expected: 'zh'},  // the first language the game knows
      {languages: ['pt-PT'], query: '', expected: 'pt'},
      {languages: ['sv-SE'], query: '', expected: 'en'},  // none known: English
      {languages: ['zh-CN'], query: '?lang=en', expected: 'en'},
      {languages: ['en-US'], query: '?lang=zh', expected: 'zh'},
      {languages: ['ru-RU'], query: '?lang=pt_BR', expected: 'pt'},
      {languages: ['zh-CN'], query: '?lang=xx', expected: 'zh'},  // unknown: the browser's choice
    ];
    // Each language's menu must also differ from another language's.
    const other = (language) => (language === 'zh' ? 'en' : 'zh');
    for (const {languages, query, expected} of cases) {
      const what = `${JSON.stringify(languages)}${query}`;
      await page.close();
      page = await openPage();
      // The language packages the page itself asks for (its service worker's own fetches are not the page's).
      const packages = [];
      page.on('request', (request) => {
        const name = new URL(request.url()).pathname;
        if (/^\/quandrel-.+\.(js|data)$/.test(name)) packages.push(name);
      });
      await page.evaluateOnNewDocument((preferred) => {
        Object.defineProperty(navigator, 'languages', {get: () => preferred});
        localStorage.clear();
      }, languages);
      await page.goto(origin + query, {waitUntil: 'load'});
      await waitForState((s) => s.screen === 'menu', `the menu (${what})`);
      assert.deepEqual(packages.sort(), [`/quandrel-${expected}.data`, `/quandrel-${expected}.js`,
                                         `/quandrel-later-${expected}.data`, `/quandrel-later-${expected}.js`,
                                         '/quandrel-later.data', '/quandrel-later.js'].sort(),
                       `${what}: only the ${expected} pictures download`);
      await sleep(100);  // the menu's frame reaches the canvas
      const same = await unlikeDesktop(`menu-${expected}`);
      const different = await unlikeDesktop(`menu-${other(expected)}`);
      console.log(`# ${what}: menu pixels unlike the desktop's ${expected} menu ${same}, its ${other(expected)} menu ${different}`);
      assert.ok(same <= 480 * 720 / 200, `${what}: the ${expected} menu`);
      assert.ok(different > 1000, `${what}: not the other language's menu`);
      if (query !== '') {
        await click(optionsButton);
        await waitForState((s) => s.screen === 'settings', `the settings panel (${what})`);
        await sleep(100);
        assert.ok(await unlikeDesktop(`settings-${expected}`) <= 480 * 720 / 200, `${what}: the ${expected} panel`);
      }
    }
  });

  it('switches language on the options panel, fetching its pictures; kept over a reload, ?lang= over it', async () => {
    await page.close();
    page = await openPage();
    const packages = [];
    page.on('request', (request) => {
      const name = new URL(request.url()).pathname;
      if (/^\/quandrel-(later-)?[a-z]{2}\.(js|data)$/.test(name)) packages.push(name);  // a language's
    });
    await page.evaluateOnNewDocument(() => {
      Object.defineProperty(navigator, 'languages', {get: () => ['zh-CN']});
      if (sessionStorage.getItem('cleared') === null) {
        sessionStorage.setItem('cleared', '1');
        localStorage.clear();
      }
    });
    await page.goto(origin, {waitUntil: 'load'});
    await waitForState((s) => s.screen === 'menu', 'the Chinese menu');
    await click(optionsButton);
    await waitForState((s) => s.screen === 'settings' && s.language === 'zh', 'the Chinese panel');
    // The page's language follows the shown one, by its first frame.
    const pageLanguage = (tag) => page.waitForFunction((tag) => document.documentElement.lang === tag, {timeout: 5000}, tag);
    await pageLanguage('zh-CN');
    // The languages go round in the order of their codes: zh, then de, then en.
    await click(languageButton);
    await waitForState((s) => s.language === 'de', 'the switch to German');
    await pageLanguage('de');
    await click(languageButton);
    const switched = await waitForState((s) => s.language === 'en' && s.options.language === 'en',
                                        'the switch to English');
    await pageLanguage('en');
    assert.equal(switched.options.language, 'en');
    const ofLanguages = (...languages) => languages.flatMap((language) => [
      `/quandrel-${language}.data`, `/quandrel-${language}.js`,
      `/quandrel-later-${language}.data`, `/quandrel-later-${language}.js`]).sort();
    // A language's later package is asked for once its first one arrived.
    const fetched = async (expected) => {
      for (const deadline = Date.now() + 5000; packages.length < expected.length && Date.now() < deadline;) await sleep(50);
      return packages.sort();
    };
    assert.deepEqual(await fetched(ofLanguages('de', 'en', 'zh')), ofLanguages('de', 'en', 'zh'));
    await sleep(100);
    assert.ok(await unlikeDesktop('settings-en') <= 480 * 720 / 200, 'the panel redrawn in English');
    await page.waitForFunction((key) => /language=en/.test(atob(localStorage.getItem(key) || '')),
                               {timeout: 5000}, optionsKey);

    packages.length = 0;
    await page.reload({waitUntil: 'load'});
    const kept = await waitForState((s) => s.screen === 'menu', 'the menu after the reload');
    assert.equal(kept.language, 'en');
    assert.deepEqual(await fetched(ofLanguages('en')), ofLanguages('en'), 'only the chosen language downloads');

    await page.goto(origin + '?lang=zh', {waitUntil: 'load'});
    const named = await waitForState((s) => s.screen === 'menu', 'the menu with ?lang=zh');
    assert.deepEqual([named.language, named.options.language], ['zh', 'en']);
    const stored = await page.evaluate((key) => localStorage.getItem(key), optionsKey);
    assert.match(Buffer.from(stored, 'base64').toString('utf8'), /\nlanguage=en\n/);
  });

  it('sent no error to the console; the shell queue\'s one line is a warning', () => {
    assert.deepEqual(problems, []);
    assert.ok(warnings.some((text) => text.includes('message queue')),
              `the failed shell queue says so on the console (${JSON.stringify(warnings)})`);
  });
});

const asAnApp = () => describe('the page as an installable web app that plays offline', {concurrency: 1}, () => {
  let server;
  let browser;
  let page;
  let origin;
  let folder;  // a copy of the page, rebuilt by the last test
  const problems = [];

  const serviceWorkerScript = path.resolve(path.dirname(new URL(import.meta.url).pathname),
                                           '../../src/platform/web/make_service_worker.sh');
  const buildOf = () => /const CACHE = 'quandrel-([0-9a-f]+)'/.exec(fs.readFileSync(path.join(folder, 'sw.js'), 'utf8'))[1];
  const cacheNames = () => page.evaluate(() => caches.keys());
  const screenNow = () => page.evaluate(() => {
    const state = window.Module && Module.quandrel ? Module.quandrel.state() : null;
    return state ? state.screen : null;
  });

  async function waitFor(test, what, timeoutMs = menuTimeoutMs) {
    const deadline = Date.now() + timeoutMs;
    let last;
    while (Date.now() < deadline) {
      last = await test();
      if (last) return last;
      await sleep(50);
    }
    assert.fail(`timed out waiting for ${what}`);
  }
  const waitForMenu = () => waitFor(async () => (await screenNow()) === 'menu', 'the menu');
  // The network off for the page and for its worker alike: the page's offline
  // mode, and the server gone.
  async function goOffline() {
    await page.setOfflineMode(true);
    await new Promise((resolve) => {
      server.close(resolve);
      server.closeAllConnections();
    });
  }
  async function goOnline(port) {
    await new Promise((resolve) => server.listen(port, '127.0.0.1', resolve));
    await page.setOfflineMode(false);
  }

  before(() => {
    assert.ok(pageDir && fs.existsSync(path.join(pageDir, 'sw.js')), 'QUANDREL_WEB_PAGE names the built page');
    folder = fs.mkdtempSync(path.join(os.tmpdir(), 'quandrel-page-'));
    // The built page alone, without the desktop frames the language cases compare with.
    fs.cpSync(path.resolve(pageDir), folder,
              {recursive: true, filter: (file) => path.basename(file) !== desktopFrames});
  });
  const session = servedPageAndBrowser(() => folder);
  before(async () => {
    ({server, origin, browser} = session);
    page = await browser.newPage();
    await page.setViewport({width: 480, height: 720});
    page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
    page.on('console', (message) => {
      if (message.type() === 'error') problems.push(`console: ${message.text()} (${message.location().url})`);
    });
  });

  after(() => {
    if (folder) fs.rmSync(folder, {recursive: true, force: true});
  });

  it('is installable: a manifest with its icons, and a worker that caches the page and each language played', async () => {
    await page.goto(origin, {waitUntil: 'load'});
    await waitForMenu();
    await page.evaluate(() => navigator.serviceWorker.ready);
    await waitFor(() => page.evaluate(() => navigator.serviceWorker.controller !== null), 'the worker to take the page');
    const client = await page.target().createCDPSession();
    const {installabilityErrors} = await client.send('Page.getInstallabilityErrors');
    assert.deepEqual(installabilityErrors, []);
    const manifest = await client.send('Page.getAppManifest');
    assert.deepEqual(manifest.errors, []);
    const parsed = JSON.parse(manifest.data);
    assert.equal(parsed.orientation, 'portrait');
    assert.ok(['fullscreen', 'standalone'].includes(parsed.display));
    assert.deepEqual(parsed.icons.map((icon) => icon.sizes).sort(), ['192x192', '512x512']);
    for (const icon of parsed.icons) {
      const png = fs.readFileSync(path.join(folder, icon.src));
      const size = `${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`;
      assert.equal(size, icon.sizes, `${icon.src} is the size the manifest says`);
    }

    assert.deepEqual(await cacheNames(), [`quandrel-${buildOf()}`]);
    const cached = () => page.evaluate(async (name) => {
      const cache = await caches.open(name);
      return (await cache.keys()).map((request) => new URL(request.url).pathname).sort();
    }, `quandrel-${buildOf()}`);
    const program = ['/', '/favicon.png', '/icon-192.png', '/manifest.webmanifest', '/quandrel.js', '/quandrel.wasm',
                     '/quandrel-later.js', '/quandrel-later.data'];
    const kept = (...languages) => [...program, ...languages.flatMap((language) => [
      `/quandrel-${language}.js`, `/quandrel-${language}.data`, `/quandrel-later-${language}.js`,
      `/quandrel-later-${language}.data`, `/splash-${language}.png`])].sort();
    // The page, the program and the shown language only.
    await waitFor(async () => JSON.stringify(await cached()) === JSON.stringify(kept('en')),
                  'the English files in the cache', 20000);
    // The player switches to Spanish in the options: its files join the cache.
    await page.mouse.click(optionsButton.x + 0.5, optionsButton.y + 0.5);
    await waitFor(async () => (await screenNow()) === 'settings', 'the options');
    await page.mouse.click(languageButton.x + 0.5, languageButton.y + 0.5);
    await waitFor(async () => JSON.stringify(await cached()) === JSON.stringify(kept('en', 'es')),
                  'the Spanish files in the cache', 20000);
    await page.keyboard.press('Escape');
    await waitForMenu();
  });

  it('reloaded with the network off, reaches the menu and plays, in each language played', async () => {
    await goOffline();
    await page.goto(origin + '?lang=en', {waitUntil: 'load'});
    await waitForMenu();
    await page.goto(origin, {waitUntil: 'load'});  // the language the player chose last
    await waitForMenu();
    assert.equal(await page.evaluate(() => Module.language), 'es');
    await page.keyboard.press('Shift');  // lets sound start
    await page.mouse.click(startButton.x + 0.5, startButton.y + 0.5);
    await waitFor(async () => (await screenNow()) === 'game', 'the board');
    await page.keyboard.press('Space');
    const shot = () => page.evaluate(() => Module.quandrel.state().shot);
    await waitFor(async () => (await shot())?.visible, 'a shot in the air', 2000);
    await waitFor(async () => (await shot())?.visible === false, 'the shot to land', 5000);
    // The shot's sound, decoded from the page's compressed copy, as long as the desktop's WAV.
    const seconds = await page.evaluate(async () => {
      const buffer = await Module.quandrel.sound.decoded('/quandrel/Sounds/laught.wav');
      return buffer ? buffer.duration : null;
    });
    const wav = fs.readFileSync(path.resolve(path.dirname(serviceWorkerScript), '../../../assets/Sounds/laught.wav'));
    const wavSeconds = (wav.length - 44) / wav.readUInt32LE(28);
    assert.ok(seconds !== null && Math.abs(seconds - wavSeconds) < 0.03, `decoded ${seconds} s, the WAV lasts ${wavSeconds} s`);
  });

  it('serves a new build on the next online visit, and keeps only the new build for offline play', async () => {
    const first = buildOf();
    // A rebuild that changed one file: the page says which build it is.
    const index = path.join(folder, 'index.html');
    fs.writeFileSync(index, fs.readFileSync(index, 'utf8').replace('<head>', '<head>\n<meta name="build" content="second">'));
    execFileSync(serviceWorkerScript, [folder]);
    const second = buildOf();
    assert.notEqual(second, first);

    const marker = () => page.evaluate(() => document.querySelector('meta[name="build"]')?.content ?? null);
    await goOnline(new URL(origin).port);
    await page.reload({waitUntil: 'load'});
    assert.equal(await marker(), 'second', 'the online visit shows the new build');
    await waitForMenu();
    await waitFor(async () => JSON.stringify(await cacheNames()) === JSON.stringify([`quandrel-${second}`]),
                  'the new build\'s cache to replace the old');

    await goOffline();
    await page.reload({waitUntil: 'load'});
    assert.equal(await marker(), 'second', 'offline, the new build');
    await waitForMenu();
    assert.deepEqual(problems, []);
  });
});

const asAPhoneApp = () => describe('the page as a phone app', {concurrency: 1}, () => {
  let browser;
  let origin;
  let page;
  const problems = [];
  const phone = {width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true};
  const soundSwitch = {x: 310, y: 348};
  const moveSwitch = {x: 310, y: 408};

  // Stand-ins a phone's browser would give: Web Audio that runs only when
  // created or resumed inside a key, a mouse press, a finger's release or a
  // click; a screen wake lock that counts its requests and releases; and
  // counts of the page's animation frames and loop runs.
  async function openPhonePage(context = browser) {
    const opened = await context.newPage();
    await opened.setViewport(phone);
    opened.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
    opened.on('console', (message) => {
      if (message.type() === 'error') problems.push(`console: ${message.text()}`);
    });
    await opened.evaluateOnNewDocument(() => {
      let activation = false;
      const activating = (event) => event.type !== 'pointerdown' && event.type !== 'pointerup' ||
          (event.type === 'pointerdown') === (event.pointerType === 'mouse');
      for (const type of ['keydown', 'mousedown', 'pointerdown', 'pointerup', 'touchend', 'click']) {
        window.addEventListener(type, (event) => {
          if (!activating(event)) return;
          activation = true;
          setTimeout(() => { activation = false; });
        }, true);
      }
      window.soundsStarted = [];
      const start = AudioBufferSourceNode.prototype.start;
      AudioBufferSourceNode.prototype.start = function(...rest) {
        window.soundsStarted.push(window.Module.quandrel.sound.current.path);
        return start.apply(this, rest);
      };
      window.AudioContext = class extends window.AudioContext {
        constructor() {
          super();
          this.standInState = activation ? 'running' : 'suspended';
        }
        get state() { return this.standInState; }
        setState(state) {
          this.standInState = state;
          this.dispatchEvent(new Event('statechange'));
        }
        resume() {
          if (activation) this.setState('running');
          return Promise.resolve();
        }
        suspend() {
          this.setState('suspended');
          return Promise.resolve();
        }
      };
      window.wakeLocks = {requests: 0, releases: 0};
      Object.defineProperty(navigator, 'wakeLock', {value: {request: async () => {
        ++window.wakeLocks.requests;
        const sentinel = new EventTarget();
        sentinel.released = false;
        sentinel.release = async () => {
          sentinel.released = true;
          ++window.wakeLocks.releases;
          sentinel.dispatchEvent(new Event('release'));
        };
        return sentinel;
      }}});
      window.animationFrames = 0;
      const requestFrame = window.requestAnimationFrame;
      window.requestAnimationFrame = (callback) => {
        ++window.animationFrames;
        return requestFrame.call(window, callback);
      };
    });
    return opened;
  }

  const stateOf = (on) => on.evaluate(() => (window.Module && Module.quandrel ? Module.quandrel.state() : null));
  async function waitOn(on, test, what, timeoutMs = menuTimeoutMs) {
    const deadline = Date.now() + timeoutMs;
    let last = null;
    while (Date.now() < deadline) {
      last = await test(on);
      if (last) return last;
      await sleep(50);
    }
    assert.fail(`timed out waiting for ${what}`);
  }
  const screenIs = (screen) => async (on) => (await stateOf(on))?.screen === screen;
  async function tap(on, point) {
    const box = await on.evaluate(() => {
      const r = document.getElementById('screen').getBoundingClientRect();
      return {x: r.left, y: r.top, width: r.width, height: r.height};
    });
    await on.touchscreen.tap(box.x + (point.x + 0.5) * box.width / 480, box.y + (point.y + 0.5) * box.height / 720);
  }
  const canvasPixels = (on) => on.evaluate(() => Array.from(
      document.getElementById('screen').getContext('2d').getImageData(0, 0, 480, 720).data));

  before(() => {
    assert.ok(pageDir && fs.existsSync(path.join(pageDir, 'index.html')), 'QUANDREL_WEB_PAGE names the built page');
  });
  const session = servedPageAndBrowser();
  before(() => {
    ({origin, browser} = session);
  });

  it('shows the splash from its first download before the module runs, pixel for pixel the game\'s first frame', async () => {
    page = await openPhonePage();
    await page.setRequestInterception(true);
    const fetchedFirst = [];
    let release;
    const released = new Promise((resolve) => { release = resolve; });
    page.on('request', async (request) => {
      const name = new URL(request.url()).pathname;
      fetchedFirst.push(name);
      if (name === '/quandrel.js') await released;
      request.continue();
    });
    await page.goto(origin);
    await page.waitForFunction(() => Module.splash && Module.splash.shownMs !== null, {timeout: menuTimeoutMs});
    assert.equal(await page.evaluate(() => typeof Module.quandrel), 'undefined', 'the program has not loaded');
    assert.deepEqual(fetchedFirst.filter((name) => !/favicon/.test(name)).slice(0, 2), ['/', '/splash-en.png'],
                     'the splash alone comes before the language\'s pictures and the program');
    // The desktop game's first frame, drawn by the same program headless.
    const unlike = await page.evaluate(async (url) => {
      const frame = await createImageBitmap(await (await fetch(url)).blob());
      const scratch = new OffscreenCanvas(480, 720).getContext('2d');
      scratch.drawImage(frame, 0, 0);
      const desktop = scratch.getImageData(0, 0, 480, 720).data;
      const shown = document.getElementById('screen').getContext('2d').getImageData(0, 0, 480, 720).data;
      return desktop.filter((value, i) => value !== shown[i]).length;
    }, `${origin}${desktopFrames}/splash-en.png`);
    assert.equal(unlike, 0, 'the same pixels');
    release();

    await waitOn(page, screenIs('menu'), 'the menu');
    await waitOn(page, () => page.evaluate(() => Module.quandrel.menuShownMs !== null), 'the menu on the screen');
    // The program's clock started when the page showed the splash: one splash of three seconds.
    // The program's time is read between two readings of the page's clock, so
    // however long the reading takes, it must fall between them.
    const times = await page.evaluate(() => {
      const before = performance.now();
      const t = Module.quandrel.state().t;
      const after = performance.now();
      const splash = Module.quandrel.splashShownMs;
      return {t, before: before - splash, after: after - splash, splash,
              first: Module.quandrel.firstFrameMs, menu: Module.quandrel.menuShownMs};
    });
    assert.ok(times.splash < times.first && times.menu >= times.splash + 3000, JSON.stringify(times));
    assert.ok(times.t > times.before - 1 && times.t <= times.after, JSON.stringify(times));
  });

  it('sleeps on the menu: no loop step and no animation frame while nothing is due; frames skip the page\'s commit', async () => {
    const counts = () => page.evaluate(() => {
      window.loopRuns = window.loopRuns || 0;
      if (!window.countingRuns) {
        window.countingRuns = true;
        const run = Module.quandrel.frames.run;
        Module.quandrel.frames.run = () => { ++window.loopRuns; run(); };
      }
      return {runs: window.loopRuns, frames: window.animationFrames, timers: Module.quandrel.state().timers};
    });
    await waitOn(page, () => page.evaluate(() => Module.quandrel.packages.waiting.size === 0), 'the later packages');
    const before = await counts();
    assert.deepEqual(before.timers, [], 'nothing is due on the menu');
    await sleep(1500);
    const after = await counts();
    assert.equal(after.runs - before.runs, 0, 'the loop never ran');
    assert.equal(after.frames - before.frames, 0, 'no animation frame was asked for');
    // In play, a frame drawn through the page's own commit costs the main thread twice as much.
    assert.ok(await page.evaluate(() => Module.quandrel.context.getContextAttributes().desynchronized),
              'the frames go to a desynchronized canvas');
  });

  it('stays still under a finger, and letterboxes the frame in landscape', async () => {
    const styles = await page.evaluate(() => {
      const body = getComputedStyle(document.body);
      return {viewport: document.querySelector('meta[name=viewport]').content, overscroll: body.overscrollBehaviorY,
              touch: getComputedStyle(document.getElementById('screen')).touchAction, select: body.userSelect,
              // Safari's alone: chromium keeps no such property, only the page's text has it.
              callout: /-webkit-touch-callout: none/.test(document.querySelector('style').textContent),
              // A long press's menu is refused.
              longPress: !document.body.dispatchEvent(new MouseEvent('contextmenu', {bubbles: true, cancelable: true}))};
    });
    assert.match(styles.viewport, /viewport-fit=cover/);
    assert.doesNotMatch(styles.viewport, /user-scalable|maximum-scale/, 'zooming stays allowed');
    assert.deepEqual({...styles, viewport: undefined},
                     {viewport: undefined, overscroll: 'none', touch: 'none', select: 'none', callout: true, longPress: true});
    const box = () => page.evaluate(() => {
      const r = document.getElementById('screen').getBoundingClientRect();
      return {x: r.left, y: r.top, width: r.width, height: r.height};
    });
    // The largest difference of a channel between a band's pixel on the
    // screen and the frame's pixel at the edge it touches ([x, y] each).
    const bandsUnlikeEdges = async (pairs) => page.evaluate(async (png, pairs) => {
      const picture = new Image();
      picture.src = `data:image/png;base64,${png}`;
      await picture.decode();
      const shot = document.createElement('canvas');
      shot.width = picture.width;
      shot.height = picture.height;
      shot.getContext('2d').drawImage(picture, 0, 0);
      const scale = picture.width / window.innerWidth;
      const frame = document.getElementById('screen').getContext('2d');
      return pairs.map(([band, edge]) => {
        const shown = shot.getContext('2d').getImageData(band[0] * scale, band[1] * scale, 1, 1).data;
        const edgePixel = frame.getImageData(edge[0], edge[1], 1, 1).data;
        return Math.max(...[0, 1, 2].map((c) => Math.abs(shown[c] - edgePixel[c])));
      });
    }, await page.screenshot({encoding: 'base64'}), pairs);
    assert.deepEqual(await box(), {x: 0, y: 129.5, width: 390, height: 585});  // portrait: bands above and below
    for (const unlike of await bandsUnlikeEdges([[[195, 60], [240, 0]], [[195, 780], [240, 719]]])) {
      assert.ok(unlike <= 40, `a band above or below the frame takes its edge's colour (off by ${unlike})`);
    }
    await page.setViewport({...phone, width: 844, height: 390});
    await page.waitForFunction(() => document.getElementById('screen').getBoundingClientRect().height === 390);
    assert.deepEqual(await box(), {x: 292, y: 0, width: 260, height: 390});  // landscape: bands at the sides
    for (const unlike of await bandsUnlikeEdges([[[146, 195], [0, 360]], [[698, 195], [479, 360]]])) {
      assert.ok(unlike <= 40, `a band beside the frame takes its edge's colour (off by ${unlike})`);
    }
    await page.setViewport(phone);
    await page.waitForFunction(() => document.getElementById('screen').getBoundingClientRect().width === 390);
  });

  it('starts sound at a finger\'s release, and again after the phone interrupted it', async () => {
    assert.equal(await page.evaluate(() => Module.quandrel.sound.context), null);
    await tap(page, {x: 20, y: 20});  // nothing there: only sound starts
    await waitOn(page, () => page.evaluate(() => Module.quandrel.sound.context?.state === 'running'), 'sound to run');
    await waitOn(page, () => page.evaluate(() => window.soundsStarted.length === 1), 'the music');
    await page.evaluate(() => Module.quandrel.sound.context.setState('interrupted'));  // a phone call
    await page.evaluate(() => Module.quandrel.sound.context.resume());  // outside any touch: nothing
    assert.equal(await page.evaluate(() => Module.quandrel.sound.context.state), 'interrupted');
    await tap(page, {x: 20, y: 20});
    await waitOn(page, () => page.evaluate(() => Module.quandrel.sound.context.state === 'running'), 'sound to run again');
    await waitOn(page, () => page.evaluate(() => window.soundsStarted.length === 2), 'the music again');
    assert.deepEqual(await page.evaluate(() => window.soundsStarted),
                     ['/quandrel/Sounds/bgmusic.wav', '/quandrel/Sounds/bgmusic.wav']);
  });

  it('holds the screen awake only while a level is played, and draws the play without animation frames', async () => {
    const lock = () => page.evaluate(() => ({locked: Module.quandrel.wakeLocked, ...window.wakeLocks}));
    assert.deepEqual(await lock(), {locked: false, requests: 0, releases: 0});
    await tap(page, startButton);
    await waitOn(page, screenIs('game'), 'the board');
    await waitOn(page, async () => (await lock()).locked, 'the wake lock');
    // A falling shot's frames go onto the canvas from the loop's own step.
    const framesAsked = () => page.evaluate(() => window.animationFrames);
    const asked = await framesAsked();
    await page.keyboard.press('Space');
    await sleep(300);
    const falling = await stateOf(page);
    assert.ok(falling.shotInFlight && falling.shot.y > 150, 'the shot falls');
    assert.equal(await framesAsked(), asked, 'no animation frame was asked for');
    await page.keyboard.press('Escape');  // back to the menu
    await waitOn(page, screenIs('menu'), 'the menu');
    await waitOn(page, async () => !(await lock()).locked, 'the lock to go');
    assert.deepEqual(await lock(), {locked: false, requests: 1, releases: 1});
  });

  it('runs the game in one tab: a second offers to play here, and the first saves, stops and says it moved', async () => {
    const first = page;
    await tap(first, optionsButton);
    await waitOn(first, screenIs('settings'), 'the settings panel');
    const sound = (await stateOf(first)).settings.isSound;
    await tap(first, soundSwitch);
    await waitOn(first, async (on) => (await stateOf(on)).settings.isSound !== sound, 'sound switched');

    const second = await openPhonePage();
    await second.goto(origin);
    await waitOn(second, () => second.evaluate(() => Module.quandrel?.instance === 'elsewhere'), 'the second tab to wait');
    assert.equal(await stateOf(second), null, 'no second game runs');
    assert.equal(await second.evaluate(() => document.getElementById('status').firstChild.textContent),
                 'The game is open in another tab.');
    await second.tap('#status button');
    await waitOn(first, () => first.evaluate(() => Module.quandrel.instance === 'moved'), 'the first tab to let go');
    assert.equal(await first.evaluate(() => document.getElementById('status').firstChild.textContent),
                 'The game moved to another tab.');
    await waitOn(second, screenIs('menu'), 'the game in the second tab');
    assert.equal(await second.evaluate(() => Module.quandrel.instance), 'running');
    const taken = await stateOf(second);
    assert.equal(taken.settings.isSound, !sound, 'the first tab\'s change came along');
    await tap(second, optionsButton);
    await waitOn(second, screenIs('settings'), 'the settings panel');
    await tap(second, moveSwitch);
    await waitOn(second, async (on) => (await stateOf(on)).settings.isMove !== taken.settings.isMove, 'move switched');
    const stored = await second.evaluate((key) => localStorage.getItem(key), storageKey);
    assert.deepEqual(Buffer.from(stored, 'base64'),
                     settingsBytes(taken.settings.level, sound ? 0 : 1, taken.settings.isMove ? 0 : 1),
                     'both tabs\' changes are kept');
    await first.close();
    page = second;
  });

  it('says once on the page that a browser that keeps nothing keeps nothing, and still plays', async () => {
    const refusing = await openPhonePage();
    await refusing.evaluateOnNewDocument(() => {
      Object.defineProperty(window, 'localStorage', {get: () => { throw new DOMException('refused', 'SecurityError'); }});
    });
    await page.close();
    await refusing.goto(origin);
    await waitOn(refusing, screenIs('menu'), 'the menu');
    assert.equal(await refusing.evaluate(() => document.getElementById('note').hidden), false);
    assert.equal(await refusing.evaluate(() => document.getElementById('note').textContent),
                 'This browser keeps nothing: settings are lost when the page closes.');
    await tap(refusing, startButton);
    await waitOn(refusing, screenIs('game'), 'the board');
    assert.deepEqual(problems, []);
    page = refusing;
  });

  it('says on the page that a damaged or newer records file was set aside', async () => {
    const shown = await openPhonePage();
    await page.close();
    await shown.goto(`${origin}?lang=en`);
    await waitOn(shown, screenIs('menu'), 'the menu');
    await shown.evaluate(() => localStorage.setItem('quandrel:file:quandrel-records.ini',
                                                    btoa('[format]\nversion=99\n')));
    await shown.reload();
    await waitOn(shown, screenIs('menu'), 'the menu again');
    const note = await waitOn(shown, (on) => on.evaluate(() => document.getElementById('note').textContent),
                              'the note');
    assert.equal(note, 'The saved file quandrel-records.ini was damaged or from a newer version; ' +
                       'it was kept as quandrel-records.ini.bad and the game starts without it.');
    assert.notEqual(await shown.evaluate(() => localStorage.getItem('quandrel:file:quandrel-records.ini.bad')), null);
    page = shown;
  });

  it('goes on without the pictures of a package that cannot arrive', async () => {
    // A profile of its own: no service worker fetches the package past the cut.
    const cut = await openPhonePage(await browser.createBrowserContext());
    await cut.setRequestInterception(true);
    cut.on('request', (request) => {
      if (request.url().endsWith('/quandrel-later-en.data')) request.abort(); else request.continue();
    });
    await page.close();
    page = cut;
    await cut.goto(origin);
    await waitOn(cut, screenIs('menu'), 'the menu');
    await waitOn(cut, () => cut.evaluate(() => Module.quandrel.packages.waiting.size === 0), 'the packages to be given up');
    await tap(cut, {x: 234, y: 579});  // help, whose picture never came
    await waitOn(cut, screenIs('help'), 'the help page');
    await cut.keyboard.press('Escape');
    await waitOn(cut, screenIs('menu'), 'the menu again: the loop did not wait for the missing picture');
  });
});

const sharedRuns = () => describe('shared runs in the page', {concurrency: 1}, () => {
  let browser;
  let origin;
  let page;
  const problems = [];
  const seeds = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../../fuzz/run-seeds');
  // Window pixels of the buttons used (centres): the menu's daily button, the
  // daily screen's Open a run and the back button of the daily and watch screens.
  const dailyButton = {x: 358, y: 499};
  const openRunButton = {x: 330, y: 502};
  const playButton = {x: 240, y: 442};
  const backButton = {x: 239, y: 648};

  // The runs the autoplayer wrote of each level, and what the desktop game proves of each.
  const runs = Array.from({length: 10}, (_, i) => {
    const token = fs.readFileSync(path.join(seeds, `level-${i + 1}.run`), 'utf8').trim();
    return {level: i + 1, token};
  });
  const provenNatively = (token) => JSON.parse(execFileSync(nativeBinary, ['--verify', token], {encoding: 'utf8'}));

  // A clipboard the test fills (window.clipboardText), and a share sheet that keeps what it was given.
  async function openRunsPage() {
    const opened = await browser.newPage();
    await opened.setViewport({width: 480, height: 720});
    opened.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
    opened.on('console', (message) => {
      if (message.type() === 'error') problems.push(`console: ${message.text()}`);
    });
    await opened.evaluateOnNewDocument(() => {
      window.clipboardText = '';
      window.sharedTexts = [];
      Object.defineProperty(Navigator.prototype, 'clipboard', {configurable: true, value: {
        readText: () => Promise.resolve(window.clipboardText),
        writeText: (text) => { window.clipboardText = text; return Promise.resolve(); },
      }});
      Object.defineProperty(Navigator.prototype, 'share', {configurable: true, value: (data) => {
        window.sharedTexts.push(data.text);
        return Promise.resolve();
      }});
    });
    return opened;
  }

  const stateNow = () => page.evaluate(() => (window.Module && Module.quandrel ? Module.quandrel.state() : null));
  async function waitForState(test, what, timeoutMs = menuTimeoutMs) {
    const deadline = Date.now() + timeoutMs;
    let last = null;
    while (Date.now() < deadline) {
      last = await stateNow();
      if (last && test(last)) return last;
      await sleep(50);
    }
    assert.fail(`timed out waiting for ${what}; last state: ${JSON.stringify(last)}`);
  }
  async function click(point) {
    const box = await page.evaluate(() => {
      const r = document.getElementById('screen').getBoundingClientRect();
      return {x: r.left, y: r.top, width: r.width, height: r.height};
    });
    await page.mouse.click(box.x + (point.x + 0.5) * box.width / 480, box.y + (point.y + 0.5) * box.height / 720);
  }

  before(() => {
    assert.ok(pageDir && fs.existsSync(path.join(pageDir, 'index.html')), 'QUANDREL_WEB_PAGE names the built page');
    assert.ok(nativeBinary, 'QUANDREL_BINARY names the desktop game, whose --verify the page must agree with');
  });
  const session = servedPageAndBrowser();
  before(() => {
    ({origin, browser} = session);
  });

  it('opens a #run= link at load on the watch screen, proven as the desktop proves it, and forgets the link', async () => {
    page = await openRunsPage();
    const {token} = runs[6];
    await page.goto(`${origin}?today=2026-12-08#run=${token}`, {waitUntil: 'load'});
    await page.waitForFunction(() => window.Module && Module.quandrel && Module.quandrel.run !== null,
                               {timeout: menuTimeoutMs, polling: 50});
    const native = provenNatively(token);
    assert.deepEqual(await page.evaluate(() => Module.quandrel.run),
                     {state: 'verified', reason: null, score: native.score});
    const state = await stateNow();
    assert.equal(state.screen, 'watch');
    assert.equal(state.daily.day, 8, '?today= stands in for the date');
    assert.equal(await page.evaluate(() => window.location.hash), '');
    assert.equal(await page.evaluate(() => window.location.search), '?today=2026-12-08');
  });

  it('proves the runs of all ten levels, opened from the clipboard, with the desktop\'s numbers', async () => {
    await page.close();  // one tab plays at a time
    page = await openRunsPage();
    await page.goto(origin, {waitUntil: 'load'});
    await waitForState((state) => state.screen === 'menu', 'the menu');
    await click(dailyButton);
    await waitForState((state) => state.screen === 'daily', 'the daily screen');
    for (const {level, token} of runs) {
      const native = provenNatively(token);
      assert.equal(native.level, level);
      await page.evaluate((text) => { window.clipboardText = `https://example.org/quandrel/#run=${text}\n`; }, token);
      await click(openRunButton);
      const watched = await waitForState((state) => state.screen === 'watch', `the watch screen of level ${level}`);
      assert.deepEqual(watched.watch, {state: 'verified', reason: null, score: native.score, level: native.level,
                                       day: native.day}, `level ${level}`);
      await click(backButton);
      await waitForState((state) => state.screen === 'daily', 'the daily screen again');
    }
    // A damaged run: refused in the page as on the desktop.
    const damaged = runs[0].token.slice(0, -3) + (runs[0].token.endsWith('A') ? 'BBB' : 'AAA');
    assert.throws(() => provenNatively(damaged));
    await page.evaluate((text) => { window.clipboardText = text; }, damaged);
    await click(openRunButton);
    const refused = await waitForState((state) => state.screen === 'watch', 'the refusal');
    assert.equal(refused.watch.state, 'refused');
  });

  it('refuses a link whose run is mangled, and plays on', async () => {
    await page.close();
    page = await openRunsPage();
    await page.goto(`${origin}#run=QRUN.%E0%A4%A`, {waitUntil: 'load'});
    await page.waitForFunction(() => window.Module && Module.quandrel && Module.quandrel.run !== null,
                               {timeout: menuTimeoutMs, polling: 50});
    assert.deepEqual(await page.evaluate(() => Module.quandrel.run), {state: 'refused', reason: 'not-a-run', score: null});
    await click(backButton);
    await waitForState((state) => state.screen === 'menu', 'the menu after the refusal');
  });

  it('opens a #board= link at load on the board screen, proven as the desktop proves it', async () => {
    await page.close();
    page = await openRunsPage();
    const token = fs.readFileSync(path.join(seeds, '../board-seeds/board-1.board'), 'utf8').trim();
    const native = provenNatively(token);
    await page.goto(`${origin}#board=${token}`, {waitUntil: 'load'});
    await page.waitForFunction(() => window.Module && Module.quandrel && Module.quandrel.board !== null,
                               {timeout: menuTimeoutMs, polling: 50});
    assert.deepEqual(await page.evaluate(() => Module.quandrel.board),
                     {state: 'proven', reason: null, makerScore: native.score});
    const state = await stateNow();
    assert.equal(state.screen, 'board');
    assert.equal(state.board.id, native.board);
    assert.equal(await page.evaluate(() => window.location.hash), '');
  });

  it('keeps the day\'s official attempt when the page is left during it, with its score then', async () => {
    await page.close();
    page = await openRunsPage();
    const today = `${origin}?today=2026-12-08`;
    await page.goto(today, {waitUntil: 'load'});
    await waitForState((state) => state.screen === 'menu', 'the menu');
    await click(dailyButton);
    await waitForState((state) => state.screen === 'daily', 'the daily screen');
    await click(playButton);
    await waitForState((state) => state.screen === 'game', 'the day\'s level');
    await page.keyboard.press('Space');
    const fired = await waitForState((state) => state.shotsLeft < 100, 'a shot');
    await page.goto(today, {waitUntil: 'load'});  // leaves the page in the middle of the attempt
    await waitForState((state) => state.screen === 'menu', 'the menu again');
    const {daily} = await stateNow();
    assert.equal(daily.result?.claimed, false, JSON.stringify(daily));
    assert.equal(daily.result.shots, 100 - fired.shotsLeft);
    assert.equal(daily.practice, true, 'the day\'s official attempt is used');
  });

  // A quandrel-server on a free port over a fresh database, taking the page's
  // origin, on day 8; resolves to {process, address, folder}.
  function startLeaderboard(pageOrigin) {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'quandrel-leaderboard-'));
    const server = spawn(process.env.QUANDREL_SERVER_BINARY,
                         ['--listen', '127.0.0.1:0', '--db', `sqlite:${path.join(folder, 'runs.sqlite')}`,
                          '--origin', pageOrigin, '--post-rate', '0', '--read-rate', '0'],
                         {env: {...process.env, QUANDREL_TODAY: '2026-12-08'}, stdio: ['ignore', 'ignore', 'pipe']});
    return new Promise((resolve, reject) => {
      let said = '';
      server.stderr.on('data', (chunk) => {
        said += chunk;
        const found = /listening on (http:\/\/127\.0\.0\.1:\d+)/.exec(said);
        if (found) resolve({process: server, address: found[1], folder});
      });
      server.on('exit', () => reject(new Error(`quandrel-server ended: ${said}`)));
    });
  }

  it('posts today\'s run to a quandrel-server at ?leaderboard= and shows the day\'s leaderboard', async (t) => {
    if (!process.env.QUANDREL_SERVER_BINARY) {
      t.skip('QUANDREL_SERVER_BINARY does not name a built quandrel-server');
      return;
    }
    // With a leaderboard the daily screen's buttons stand in three rows.
    const postButton = {x: 150, y: 538};
    const leaderboardButton = {x: 330, y: 434};
    const leaderboard = await startLeaderboard(origin.replace(/\/$/, ''));
    try {
      await page.close();
      page = await openRunsPage();
      // Day 8 played with the autoplayer's run of level 2, not yet posted.
      const token = runs[1].token;
      const proven = provenNatively(token);
      const daily = `[format]\nversion=1\n\n[player]\nid=00112233445566778899aabbccddeeff\ncolour=3\ncreature=11\n\n` +
                    `[day8]\nofficial=1\nfinished=1\nlevel=${proven.level}\nscore=${proven.score}\nshots=${proven.shots}\n` +
                    `timeMs=${proven.timeMs}\nstars=${proven.stars}\nclaimed=1\nrun=${token}\n`;
      await page.evaluateOnNewDocument((text) => {
        localStorage.setItem('quandrel:file:quandrel-daily.ini', btoa(text));
      }, daily);
      await page.goto(`${origin}?today=2026-12-08&leaderboard=${encodeURIComponent(leaderboard.address)}`,
                      {waitUntil: 'load'});
      await waitForState((state) => state.screen === 'menu', 'the menu');
      await click(dailyButton);
      const before = await waitForState((state) => state.screen === 'daily', 'the daily screen');
      assert.deepEqual(before.leaderboard.pending, [], 'nothing goes before Post');
      await click(postButton);
      const posted = await waitForState((state) => state.daily.post !== 'waiting', 'the post\'s answer');
      assert.equal(posted.daily.post, 'taken', JSON.stringify(posted.leaderboard));
      assert.deepEqual([posted.leaderboard.rank, posted.leaderboard.of, posted.leaderboard.percentile], [1, 1, 100]);
      await click(leaderboardButton);
      const board = await waitForState((state) => state.leaderboard.state === 'shown', 'the leaderboard');
      assert.equal(board.screen, 'leaderboard');
      assert.deepEqual(board.leaderboard.rows.map((row) => [row.rank, row.name, row.shown, row.score]),
                       [[1, [3, 11], board.leaderboard.player.shown, proven.score]]);
    } finally {
      leaderboard.process.kill('SIGKILL');
      fs.rmSync(leaderboard.folder, {recursive: true, force: true});
    }
  });

  it('sent no error to the console', () => {
    assert.deepEqual(problems, []);
  });
});

// The groups play at the same time, each its cases in turn: most of a case is
// waiting for the page (its three-second splash above all). Each keeps its own
// Chromium: in one shared browser, the pages of one group stopped the game's
// clock in another's (as in a hidden tab) while they opened and closed.
describe('the web page in Chromium', {concurrency: true}, () => {
  inAPage();
  asAnApp();
  asAPhoneApp();
  sharedRuns();
});
