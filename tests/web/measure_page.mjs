// Measures a built page: each file's size and gzipped size (gzip -9), and the
// time from navigation to the first frame on the canvas over several fresh
// loads in chromium (median, minimum, maximum), served gzipped as a web host
// would, optionally through a link of MBPS megabits a second with 40 ms of
// latency, and the gzipped bytes of the files the page had fetched by then.
// LANG opens the page with ?lang=LANG. Not a test: figures for
// docs/performance.md.
// Usage: node measure_page.mjs PAGE_DIR [LOADS [MBPS [LANG]]]
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

import puppeteer from 'puppeteer-core';

import {serveCompressed} from './compressed_host.mjs';

const folder = path.resolve(process.argv[2] || '.');
const loads = Number(process.argv[3] || 9);
const mbps = Number(process.argv[4] || 0);
const language = process.argv[5] || '';
const chromium = process.env.QUANDREL_CHROMIUM || '/usr/bin/chromium';

const host = await serveCompressed(folder);
const {compressed, origin} = host;
let total = 0;
let totalGzip = 0;
for (const name of [...compressed.keys()].sort()) {
  const size = host.sizes.get(name);
  const gzipped = compressed.get(name).length;
  total += size;
  totalGzip += gzipped;
  console.log(`${name.slice(1).padEnd(22)} ${String(size).padStart(9)} ${String(gzipped).padStart(9)}`);
}
console.log(`${'total'.padEnd(22)} ${String(total).padStart(9)} ${String(totalGzip).padStart(9)}`);

const times = [];
const fetched = [];
for (let i = 0; i < loads; ++i) {
  // A fresh profile each time: a first visit, nothing cached.
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quandrel-measure-'));
  const browser = await puppeteer.launch({
    executablePath: chromium, headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--no-first-run', `--user-data-dir=${profile}`],
  });
  const page = await browser.newPage();
  await page.setViewport({width: 480, height: 720});
  if (mbps > 0) {
    const client = await page.createCDPSession();
    await client.send('Network.emulateNetworkConditions', {
      offline: false, latency: 40, downloadThroughput: mbps * 125000, uploadThroughput: mbps * 125000});
  }
  await page.goto(origin + (language ? `?lang=${language}` : ''));
  await page.waitForFunction(() => window.Module && Module.quandrel && Module.quandrel.firstFrameMs !== null,
                             {timeout: 30000, polling: 20});
  const {firstFrame, names} = await page.evaluate(() => ({
    firstFrame: Module.quandrel.firstFrameMs,
    // The page's own fetches (not its service worker's) done by the first frame.
    names: performance.getEntriesByType('resource').filter((entry) => entry.responseEnd <= Module.quandrel.firstFrameMs)
        .map((entry) => new URL(entry.name).pathname),
  }));
  times.push(firstFrame);
  fetched.push(['/index.html', ...names]);
  await browser.close();
  fs.rmSync(profile, {recursive: true, force: true});
}
await host.close();
times.sort((a, b) => a - b);
const first = fetched[0].filter((name) => compressed.has(name)).sort();
const bytes = first.reduce((sum, name) => sum + compressed.get(name).length, 0);
console.log(`fetched by the first frame${language ? ` (?lang=${language})` : ''}: ${first.join(' ')}: ${bytes} B gzipped`);
console.log(`first frame over ${loads} loads${mbps ? ` at ${mbps} Mbit/s` : ''}: median ${times[Math.floor(loads / 2)].toFixed(0)} ms, ` +
            `min ${times[0].toFixed(0)} ms, max ${times[loads - 1].toFixed(0)} ms`);
