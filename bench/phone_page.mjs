// The web page as a phone meets it, measured in Debian's chromium (headless)
// with the page served gzip-compressed as a static host would:
// - idle: the main thread's task time over 10 s with the menu standing still,
//   beside a blank page that runs an empty requestAnimationFrame loop, both
//   open at once in the same browser (on different sites, so each has its own
//   renderer and main thread);
// - Lighthouse's mobile profile (1.6 Mbit/s down, 150 ms round trip, the
//   processor 4x slower): on a first visit (fresh profile), when the splash
//   and then the menu reached the screen, and the gzipped bytes fetched
//   before the splash; then a repeat visit in the same profile, once the
//   service worker keeps the files, and when its splash showed.
// Each figure is taken RUNS times (the machine is shared: the spread matters).
// Not a test: figures for docs/performance.md.
// Usage: node bench/phone_page.mjs PAGE_DIR [RUNS]
// (puppeteer-core from tests/web: run `npm ci` there first.)
import {createRequire} from 'node:module';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';

const require = createRequire(new URL('../tests/web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');

const folder = path.resolve(process.argv[2] || 'web');
const runs = Number(process.argv[3] || 3);
const chromium = process.env.QUANDREL_CHROMIUM || '/usr/bin/chromium';
const idleSeconds = 10;
const phone = {width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true};
const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
               '.webmanifest': 'application/manifest+json', '.png': 'image/png'};
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const spread = (values) => `median ${median(values).toFixed(0)} (${values.map((v) => v.toFixed(0)).join(', ')})`;

const compressed = new Map();
for (const name of fs.readdirSync(folder)) {
  if (fs.statSync(path.join(folder, name)).isFile()) {
    compressed.set(`/${name}`, zlib.gzipSync(fs.readFileSync(path.join(folder, name)), {level: 9}));
  }
}
compressed.set('/raf.html', zlib.gzipSync(Buffer.from(
    '<!doctype html><title>rAF</title><script>window.frames = 0; (function loop() { ++window.frames; requestAnimationFrame(loop); })();</script>')));
const server = http.createServer((request, response) => {
  const asked = new URL(request.url, 'http://127.0.0.1').pathname;
  const name = asked === '/' ? '/index.html' : asked;
  if (!compressed.has(name)) {
    response.writeHead(404);
    response.end();
    return;
  }
  response.writeHead(200, {'Content-Type': types[path.extname(name)] || 'application/octet-stream',
                           'Content-Encoding': 'gzip', 'Cache-Control': 'no-cache'});
  response.end(compressed.get(name));
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const port = server.address().port;
const origin = `http://127.0.0.1:${port}/`;

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

const taskSeconds = async (page) => (await page.metrics()).TaskDuration;

async function idleRun() {
  const {browser, done} = await launch();
  const game = await browser.newPage();
  await game.setViewport(phone);
  await game.goto(origin);
  await game.waitForFunction(() => window.Module && Module.quandrel && Module.quandrel.menuShownMs !== null &&
                                   Module.quandrel.packages.waiting.size === 0, {timeout: 60000});
  const blank = await browser.newPage();
  await blank.setViewport(phone);
  await blank.goto(`http://localhost:${port}/raf.html`);
  await sleep(2000);  // the service worker's downloads end
  const before = [await taskSeconds(game), await taskSeconds(blank), await blank.evaluate(() => window.frames)];
  await sleep(idleSeconds * 1000);
  const after = [await taskSeconds(game), await taskSeconds(blank), await blank.evaluate(() => window.frames)];
  const screen = await game.evaluate(() => Module.quandrel.state().screen);
  await done();
  return {game: (after[0] - before[0]) * 1000, blank: (after[1] - before[1]) * 1000, frames: after[2] - before[2], screen};
}

async function throttle(page) {
  const client = await page.createCDPSession();
  await client.send('Network.emulateNetworkConditions',
                    {offline: false, latency: 150, downloadThroughput: 200000, uploadThroughput: 93750});
  await client.send('Emulation.setCPUThrottlingRate', {rate: 4});
}

const shownTimes = (page) => page.evaluate(() => ({
  splash: Module.quandrel.splashShownMs, menu: Module.quandrel.menuShownMs,
  // The page's own fetches done before the splash showed, by path.
  fetched: performance.getEntriesByType('resource').filter((entry) => entry.responseEnd <= Module.quandrel.splashShownMs)
      .map((entry) => new URL(entry.name).pathname),
}));

async function mobileRun() {
  const {browser, done} = await launch();
  const page = await browser.newPage();
  await page.setViewport(phone);
  await throttle(page);
  await page.goto(origin);
  await page.waitForFunction(() => window.Module && Module.quandrel && Module.quandrel.menuShownMs !== null,
                             {timeout: 120000, polling: 50});
  const first = await shownTimes(page);
  const names = ['/index.html', ...first.fetched.filter((name) => name !== '/')];
  const bytes = names.reduce((sum, name) => sum + (compressed.get(name)?.length || 0), 0);
  // The repeat visit, once the service worker keeps every file.
  await page.waitForFunction(async () => {
    const registration = await navigator.serviceWorker.getRegistration();
    return registration && registration.active !== null;
  }, {timeout: 180000, polling: 500});
  await page.goto('about:blank');
  await page.goto(origin);
  await page.waitForFunction(() => window.Module && Module.quandrel && Module.quandrel.splashShownMs !== null,
                             {timeout: 60000, polling: 20});
  const repeat = await shownTimes(page);
  await done();
  return {splash: first.splash, menu: first.menu, bytes, names, repeat: repeat.splash};
}

const idle = [];
for (let i = 0; i < runs; ++i) idle.push(await idleRun());
for (const run of idle) {
  console.log(`idle ${idleSeconds} s on the ${run.screen}: page ${run.game.toFixed(1)} ms, empty rAF loop ${run.blank.toFixed(1)} ms ` +
              `(${run.frames} frames): ${(100 * run.game / run.blank).toFixed(2)} %`);
}
const mobile = [];
for (let i = 0; i < runs; ++i) mobile.push(await mobileRun());
console.log(`before the splash: ${mobile[0].names.join(' ')}: ${mobile[0].bytes} B gzipped`);
console.log(`mobile profile, first visit: splash ${spread(mobile.map((m) => m.splash))} ms, ` +
            `menu ${spread(mobile.map((m) => m.menu))} ms`);
console.log(`mobile profile, repeat visit: splash ${spread(mobile.map((m) => m.repeat))} ms`);
server.close();
