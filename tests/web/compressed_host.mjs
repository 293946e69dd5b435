// A static web host for measuring the built page as a real host serves it:
// each file gzip-compressed (level 9) once, sent with an ETag and
// `Cache-Control: no-cache`, so that a browser asks again each time and a
// repeat request is answered 304 Not Modified. It logs each answer, so that
// a measure can count the bytes a visit really cost, the page's service
// worker's fetches included.
import crypto from 'node:crypto';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import zlib from 'node:zlib';

const types = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
               '.webmanifest': 'application/manifest+json', '.png': 'image/png'};

// Serves the files of `folder`, and `extra` ({'/name.html': text}) beside
// them, on 127.0.0.1. Resolves to {origin, port, compressed (path -> gzipped
// bytes), sizes (path -> bytes as on disk), answers ([{path, status, bytes}]),
// close()}.
export async function serveCompressed(folder, extra = {}) {
  const files = new Map();
  for (const name of fs.readdirSync(folder)) {
    const file = path.join(folder, name);
    if (fs.statSync(file).isFile()) files.set(`/${name}`, fs.readFileSync(file));
  }
  for (const [name, text] of Object.entries(extra)) files.set(name, Buffer.from(text));
  const compressed = new Map();
  const sizes = new Map();
  const tags = new Map();
  for (const [name, bytes] of files) {
    compressed.set(name, zlib.gzipSync(bytes, {level: 9}));
    sizes.set(name, bytes.length);
    tags.set(name, `"${crypto.createHash('sha256').update(bytes).digest('hex').slice(0, 16)}"`);
  }
  const answers = [];
  const server = http.createServer((request, response) => {
    const asked = new URL(request.url, 'http://127.0.0.1').pathname;
    const name = asked === '/' ? '/index.html' : asked;
    if (!compressed.has(name)) {
      answers.push({path: asked, status: 404, bytes: 0});
      response.writeHead(404);
      response.end();
      return;
    }
    const headers = {'ETag': tags.get(name), 'Cache-Control': 'no-cache'};
    if (request.headers['if-none-match'] === tags.get(name)) {
      answers.push({path: asked, status: 304, bytes: 0});
      response.writeHead(304, headers);
      response.end();
      return;
    }
    const body = compressed.get(name);
    answers.push({path: asked, status: 200, bytes: body.length});
    response.writeHead(200, {...headers, 'Content-Type': types[path.extname(name)] || 'application/octet-stream',
                             'Content-Encoding': 'gzip', 'Content-Length': body.length});
    response.end(body);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const port = server.address().port;
  return {
    origin: `http://127.0.0.1:${port}/`, port, compressed, sizes, answers,
    close: () => new Promise((resolve) => {
      server.close(resolve);
      server.closeAllConnections();
    }),
  };
}
