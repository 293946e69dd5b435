// The web page as a phone meets it, measured in Debian's chromium (headless)
// with the page served as a static host would (gzip, and 304 for a file the
// browser asks for again: tests/web/compressed_host.mjs):
// - the main thread's task time over 10 s, beside a blank page running an
//   empty requestAnimationFrame loop in the same browser (on another site, so
//   with its own renderer and main thread): the menu at the start, a level in
//   play (a key every 420 ms), and the menu after the game;
// - Lighthouse's mobile profile (1.6 Mbit/s down, 150 ms round trip, the
//   processor 4x slower): on a first visit (fresh profile), when the splash
//   and then the menu reached the screen, the bytes the host sent for the
//   whole visit (the service worker's fetches included) and the storage the
//   origin then uses; the same visit's other language (?lang=) in the same
//   profile; a repeat visit, and when its splash showed;
// - Lighthouse's own audit on its mobile defaults: its four scores.
// Each figure is taken RUNS times (the machine is shared: the spread matters).
// Not a test: figures for docs/performance.md. It ends with a failure status
// when a median breaks one of the page's budgets, named in its last lines.
// Usage: node bench/phone_page.mjs PAGE_DIR [RUNS]
// (puppeteer-core and lighthouse from bench/package.json: run `npm ci` in bench first.)
import {createRequire} from 'node:module';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

import {serveCompressed} from '../tests/web/compressed_host.mjs';

const require = createRequire(new URL('./package.json', import.meta.url));
const puppeteer = require('puppeteer-core');
const {default: lighthouse} = await import(require.resolve('lighthouse'));

const folder = path.resolve(process.argv[2] || 'web');
const runs = Number(process.argv[3] || 3);
const chromium = process.env.QUANDREL_CHROMIUM || '/usr/bin/chromium';
const spanSeconds = 10;
const keyEveryMs = 420;
const phone = {width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true};
const startButton = {x: 234, y: 459};  // in the game's 480 x 720 pixels
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
// A figure Lighthouse could not give (its score is null when the page had
// no largest contentful paint in its trace) is shown as such.
const spread = (values, digits = 0) => {
  const known = values.filter((v) => v != null);
  const shown = values.map((v) => (v == null ? 'none' : v.toFixed(digits))).join(', ');
  return known.length ? `median ${median(known).toFixed(digits)} (${shown})` : `none (${shown})`;
};

const host = await serveCompressed(folder, {'/raf.html':
    '<!doctype html><title>rAF</title><script>window.frames = 0; (function loop() { ++window.frames; requestAnimationFrame(loop); })();</script>'});
const origin = host.origin;

async function launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quandrel-phone-'));
  const browser = await puppeteer.launch({
    executablePath: chromium, headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--no-first-run', `--user-data-dir=${profile}`],
  });
  return {browser, done: async () => {
    await browser.close();
    fs.rmSync(profile, {recursive: true, force: true});
  }};
}

const taskMs = async (page) => (await page.metrics()).TaskDuration * 1000;
const state = (page) => page.evaluate(() => Module.quandrel.state());
const serviceWorkerDone = (page) => page.waitForFunction(async () => {
  const registration = await navigator.serviceWorker.getRegistration();
  return registration && registration.active !== null && registration.installing === null &&
         registration.waiting === null;
}, {timeout: 180000, polling: 500});

// The page's task time over the span while `during` runs (it returns when told to stop).
async function taskTimeOver(page, during = async () => {}) {
  const before = await taskMs(page);
  let going = true;
  const acting = during(() => going);
  await sleep(spanSeconds * 1000);
  going = false;
  await acting;
  return await taskMs(page) - before;
}

async function costRun() {
  const {browser, done} = await launch();
  const game = await browser.newPage();
  await game.setViewport(phone);
  await game.goto(origin);
  await game.waitForFunction(() => window.Module && Module.quandrel && Module.quandrel.menuShownMs !== null &&
                                   Module.quandrel.packages.waiting.size === 0, {timeout: 60000});
  await serviceWorkerDone(game);
  const blank = await browser.newPage();
  await blank.setViewport(phone);
  await blank.goto(`http://localhost:${host.port}/raf.html`);
  await sleep(1000);
  const loop = await taskTimeOver(blank);
  await blank.close();
  await game.bringToFront();
  // Headless chromium sends no focus event on bringing a page to the front.
  await game.evaluate(() => window.dispatchEvent(new Event('focus')));
  await sleep(1000);
  const menu = await taskTimeOver(game);
  const box = await game.evaluate(() => {
    const rect = document.getElementById('screen').getBoundingClientRect();
    return {x: rect.x, y: rect.y, scale: rect.width / 480};
  });
  // The first touch after the page came back only resumes, as on the desktop.
  for (let touch = 0; touch < 2; ++touch) {
    await game.touchscreen.tap(box.x + startButton.x * box.scale, box.y + startButton.y * box.scale);
    await sleep(300);
  }
  await game.waitForFunction(() => Module.quandrel.state().screen === 'game', {timeout: 10000});
  await sleep(500);
  const keys = ['Space', 'ArrowRight', 'Space', 'ArrowLeft'];
  const play = await taskTimeOver(game, async (going) => {
    for (let i = 0; going(); ++i) {
      await game.keyboard.press(keys[i % keys.length]);
      await sleep(keyEveryMs);
    }
  });
  const played = await state(game);
  await game.keyboard.press('Escape');
  await game.waitForFunction(() => Module.quandrel.state().screen === 'menu', {timeout: 10000});
  await sleep(2000);  // the last shot lands
  const after = await taskTimeOver(game);
  const screens = [played.screen, (await state(game)).screen];
  await done();
  return {loop, menu, play, after, screens};
}

async function throttle(page) {
  const client = await page.createCDPSession();
  await client.send('Network.emulateNetworkConditions',
                    {offline: false, latency: 150, downloadThroughput: 200000, uploadThroughput: 93750});
  await client.send('Emulation.setCPUThrottlingRate', {rate: 4});
}

const sentSince = (first) => host.answers.slice(first).reduce((sum, answer) => sum + answer.bytes, 0);

async function visitRun() {
  const {browser, done} = await launch();
  const page = await browser.newPage();
  await page.setViewport(phone);
  await throttle(page);
  const start = host.answers.length;
  await page.goto(origin);
  await page.waitForFunction(() => window.Module && Module.quandrel && Module.quandrel.menuShownMs !== null,
                             {timeout: 120000, polling: 50});
  const shown = await page.evaluate(() => ({splash: Module.quandrel.splashShownMs, menu: Module.quandrel.menuShownMs}));
  await serviceWorkerDone(page);
  await sleep(1000);
  const first = {sent: sentSince(start), stored: await page.evaluate(async () => (await navigator.storage.estimate()).usage),
                 answers: host.answers.slice(start)};
  // The same player in another language.
  const switched = host.answers.length;
  await page.goto(`${origin}?lang=de`);
  await page.waitForFunction(() => window.Module && Module.quandrel && Module.quandrel.menuShownMs !== null,
                             {timeout: 120000, polling: 50});
  await serviceWorkerDone(page);
  await sleep(1000);
  const other = {sent: sentSince(switched), stored: await page.evaluate(async () => (await navigator.storage.estimate()).usage)};
  await page.goto('about:blank');
  const again = host.answers.length;
  await page.goto(origin);
  await page.waitForFunction(() => window.Module && Module.quandrel && Module.quandrel.splashShownMs !== null,
                             {timeout: 60000, polling: 20});
  const repeat = await page.evaluate(() => Module.quandrel.splashShownMs);
  await page.waitForFunction(() => Module.quandrel.menuShownMs !== null, {timeout: 120000, polling: 50});
  await sleep(1000);
  const repeatSent = sentSince(again);
  await done();
  return {...shown, first, other, repeat, repeatSent};
}

async function lighthouseRun() {
  const {browser, done} = await launch();
  const port = new URL(browser.wsEndpoint()).port;
  const result = await lighthouse(origin, {port, output: 'json', logLevel: 'error'});
  await done();
  const {categories, audits} = result.lhr;
  const scores = Object.fromEntries(Object.entries(categories).map(([name, category]) => [name, category.score]));
  const failed = Object.values(audits).filter((audit) => audit.score !== null && audit.score < 0.9 &&
                                                      audit.scoreDisplayMode !== 'informative')
      .map((audit) => `${audit.id} ${audit.score}${audit.displayValue ? ` (${audit.displayValue})` : ''}`);
  // The longest task once the page first painted (its splash).
  const painted = audits['first-contentful-paint'].numericValue;
  const longestTask = Math.max(0, ...(audits['long-tasks'].details?.items || [])
      .filter((task) => task.startTime >= painted).map((task) => task.duration));
  return {scores, tbt: audits['total-blocking-time'].numericValue, tti: audits['interactive'].numericValue, failed,
          longestTask};
}

const percent = (part, whole) => 100 * part / whole;
const costs = [];
for (let i = 0; i < runs; ++i) costs.push(await costRun());
for (const run of costs) {
  console.log(`${spanSeconds} s each (${run.screens.join(', ')}), empty rAF loop ${run.loop.toFixed(1)} ms: ` +
              `menu at the start ${run.menu.toFixed(1)} ms (${percent(run.menu, run.loop).toFixed(2)} %), ` +
              `a level in play ${run.play.toFixed(1)} ms (${percent(run.play, run.loop).toFixed(1)} %), ` +
              `the menu after it ${run.after.toFixed(1)} ms (${percent(run.after, run.loop).toFixed(2)} %)`);
}
const visits = [];
for (let i = 0; i < runs; ++i) visits.push(await visitRun());
const kB = (bytes) => bytes / 1000;
const answered = visits[0].first.answers.map((answer) => `${answer.path} ${answer.status} ${answer.bytes}`);
console.log(`first visit's answers:\n  ${answered.join('\n  ')}`);
console.log(`mobile profile, first visit: splash ${spread(visits.map((v) => v.splash))} ms, ` +
            `menu ${spread(visits.map((v) => v.menu))} ms, sent ${spread(visits.map((v) => kB(v.first.sent)))} kB, ` +
            `stored ${spread(visits.map((v) => kB(v.first.stored)))} kB`);
console.log(`the same profile in German: sent ${spread(visits.map((v) => kB(v.other.sent)))} kB, ` +
            `stored ${spread(visits.map((v) => kB(v.other.stored)))} kB`);
console.log(`mobile profile, repeat visit: splash ${spread(visits.map((v) => v.repeat))} ms, ` +
            `sent ${spread(visits.map((v) => kB(v.repeatSent)), 1)} kB`);
const audits = [];
for (let i = 0; i < runs; ++i) audits.push(await lighthouseRun());
for (const name of Object.keys(audits[0].scores)) {
  console.log(`Lighthouse ${name}: ${spread(audits.map((a) => a.scores[name]), 2)}`);
}
console.log(`Lighthouse total blocking time ${spread(audits.map((a) => a.tbt))} ms, ` +
            `time to interactive ${spread(audits.map((a) => a.tti))} ms`);
console.log(`Lighthouse longest task after the first paint ${spread(audits.map((a) => a.longestTask))} ms`);
for (const audit of audits) console.log(`Lighthouse audits below 0.9: ${audit.failed.join('; ') || 'none'}`);
await host.close();

// The page's budgets, each on the median of the runs: the bench fails when one is broken.
const budgets = [
  ['a level in play against the empty loop (%)', costs.map((run) => percent(run.play, run.loop)), 100],
  ['first visit sent (kB)', visits.map((v) => kB(v.first.sent)), 1500],
  ['first visit stored (kB)', visits.map((v) => kB(v.first.stored)), 2500],
  ['repeat visit sent (kB)', visits.map((v) => kB(v.repeatSent)), 50],
  ['first visit: menu on screen (ms)', visits.map((v) => v.menu), 5000],
  ['Lighthouse: longest task after the first paint (ms)', audits.map((a) => a.longestTask), 50],
  ['Lighthouse performance, below 1 (0.05 at most)', audits.map((a) => 1 - a.scores.performance), 0.05],
];
const broken = budgets.filter(([, values, most]) => median(values) > most);
for (const [name, values, most] of broken) console.log(`over budget: ${name}: median ${median(values)}, at most ${most}`);
if (broken.length > 0) process.exitCode = 1;
