// web_bench.mjs: the page's goals, each measured in this one run on this
// machine: its frame rate in headless Chromium (WebGL on SwiftShader) at
// 1024x768 against the desktop build's (talmir-frames, OpenGL on Mesa's
// llvmpipe, offscreen, unpaced) taken in turns; everything the page
// downloads, compressed with gzip; the time from the start of the page's
// load to its first finished frame, served from 127.0.0.1.
// Usage: node bench/web_bench.mjs PAGE_FOLDER BENCH_BUILD
// Chromium runs with its frame-rate limit and vertical sync off, as the
// desktop tool runs unpaced, so neither waits for a display.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';

import { serveFolder } from '../scripts/web-serve.mjs';
import { launchChromium } from '../tests/web/cdp.mjs';

const [pageFolder, benchBuild] = process.argv.slice(2);
const rounds = 3, seconds = 10, firstFrameRuns = 5;
const goals = { fpsRatio: 0.7, gzipBytes: 1.5e6, firstFrameMs: 2000 };
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const verdict = (ok) => (ok ? 'met' : 'NOT MET');

// The desktop's frame rate: talmir-frames' own count of frames after the first.
function desktopFps() {
  const output = execFileSync(path.join(benchBuild, 'talmir-frames'),
    ['--run-dir', path.join(benchBuild, 'run'), '--out', fs.mkdtempSync('/tmp/talmir-bench-'), '--count', '150',
      '--stats'], { encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] });
  return Number(/fps ([\d.]+)/.exec(output)[1]);
}

// The page's: frames counted by the page over a stretch of its own clock,
// once the first ten are behind it.
async function pageFps(url) {
  const browser = await launchChromium(['--disable-frame-rate-limit', '--disable-gpu-vsync']);
  try {
    const { session } = browser;
    await session.send('Emulation.setDeviceMetricsOverride', { width: 1024, height: 768, deviceScaleFactor: 1,
      mobile: false });
    await session.send('Page.navigate', { url });
    await session.waitFor('window.talmir && window.talmir.frames >= 10', 120, 'ten frames');
    const from = await session.evaluate('[window.talmir.frames, window.talmir.lastFrameMs]');
    await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
    const to = await session.evaluate('[window.talmir.frames, window.talmir.lastFrameMs]');
    return (to[0] - from[0]) / ((to[1] - from[1]) / 1000);
  } finally {
    await browser.close();
  }
}

// A fresh browser each time, so nothing comes from its cache.
async function firstFrameMs(url) {
  const browser = await launchChromium();
  try {
    const { session } = browser;
    await session.send('Page.navigate', { url: url + '?frames=1' });
    return await session.waitFor('window.talmir && window.talmir.firstFrameMs', 60, 'the first frame');
  } finally {
    await browser.close();
  }
}

function pageSizes() {
  return fs.readdirSync(pageFolder).filter((name) => /^index\./.test(name)).map((name) => {
    const bytes = fs.readFileSync(path.join(pageFolder, name));
    return { name, raw: bytes.length, gzip: zlib.gzipSync(bytes, { level: 9 }).length };
  });
}

async function main() {
  const { server, url } = await serveFolder(pageFolder);
  try {
    const desktop = [], page = [];
    for (let round = 0; round < rounds; ++round) {
      desktop.push(desktopFps());
      page.push(await pageFps(url));
    }
    const ratio = median(page) / median(desktop);
    console.log(`frame rate, 1024x768, median of ${rounds} runs each, taken in turns:`);
    console.log(`  desktop: talmir-frames, OpenGL on Mesa's llvmpipe   ${median(desktop).toFixed(2).padStart(7)} fps  (${desktop.map((f) => f.toFixed(1)).join(', ')})`);
    console.log(`  page: headless Chromium, WebGL on SwiftShader       ${median(page).toFixed(2).padStart(7)} fps  (${page.map((f) => f.toFixed(1)).join(', ')})`);
    console.log(`  page / desktop: ${ratio.toFixed(2)} (goal >= ${goals.fpsRatio}: ${verdict(ratio >= goals.fpsRatio)})`);

    const sizes = pageSizes();
    const total = sizes.reduce((sum, s) => sum + s.gzip, 0);
    console.log('what the page downloads, gzip -9:');
    for (const s of sizes) console.log(`  ${s.name.padEnd(12)} ${String(s.raw).padStart(9)} bytes, ${String(s.gzip).padStart(9)} gzipped`);
    console.log(`  total ${(total / 1e6).toFixed(3)} MB gzipped (goal < ${goals.gzipBytes / 1e6} MB: ${verdict(total < goals.gzipBytes)})`);

    const starts = [];
    for (let run = 0; run < firstFrameRuns; ++run) starts.push(await firstFrameMs(url));
    const start = median(starts);
    console.log(`start of the page's load to its first finished frame, from 127.0.0.1, median of ${firstFrameRuns}:`);
    console.log(`  ${start.toFixed(0)} ms (${starts.map((ms) => ms.toFixed(0)).join(', ')}) (goal < ${goals.firstFrameMs} ms: ${verdict(start < goals.firstFrameMs)})`);
  } finally {
    server.close();
  }
}

main().catch((error) => {
  console.error('web_bench: ' + error.message);
  process.exit(1);
});
