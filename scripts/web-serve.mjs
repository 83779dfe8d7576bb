#!/usr/bin/env node
// web-serve.mjs: serves the page's folder (build-web/) on 127.0.0.1, the way
// any static web host would: files as they are, with their types (WebAssembly
// as application/wasm, so the browser compiles it while it downloads).
// Usage: node scripts/web-serve.mjs [FOLDER] [PORT]   (PORT 0: any free one)
// The tests and the benchmark import serveFolder.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.data': 'application/octet-stream', '.png': 'image/png', '.css': 'text/css',
  '.webmanifest': 'application/manifest+json',
};

// Resolves with the server and its address once it listens. The folder is
// served at the host's root, or under base (e.g. /talmir/), as a page that
// is not the site's own would be.
export function serveFolder(folder, port = 0, base = '/') {
  const root = path.resolve(folder);
  const server = http.createServer((request, response) => {
    const pathname = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    const name = pathname.startsWith(base) ? '/' + pathname.slice(base.length) : null;
    const file = name === null ? '' : path.join(root, name.endsWith('/') ? name + 'index.html' : name);
    if (!file.startsWith(root + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404, { 'Content-Type': 'text/plain' });
      response.end('not found\n');
      return;
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream',
      'Content-Length': fs.statSync(file).size, 'Cache-Control': 'no-cache' });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve, reject) => {
    server.on('error', reject);
    server.listen(port, '127.0.0.1', () => resolve({ server, url: `http://127.0.0.1:${server.address().port}${base}` }));
  });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const folder = process.argv[2] || 'build-web';
  if (!fs.existsSync(path.join(folder, 'index.html'))) {
    console.error(`web-serve: no page in ${folder}: run make web first`);
    process.exit(1);
  }
  const { url } = await serveFolder(folder, Number(process.argv[3] || 8080));
  console.log(`Talmir is served at ${url} (Ctrl+C stops the server)`);
}
