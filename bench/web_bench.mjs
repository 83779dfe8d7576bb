// web_bench.mjs: the page's goals, each measured in this one run on this
// machine: its frame rate in headless Chromium (WebGL on SwiftShader) at
// 1024x768 against the floor, what the same browser does at best with the
// same frame: its WebGL calls recorded and made again from prepared buffers
// (the same vertices, shader and atlas, nothing computed or uploaded), in
// the same browser right after (bench/web_floor.js), and the floor's
// variants, each with one of the page's costs added back (its uploads, the
// same bytes refilled into buffers made once, its queries, one buffer
// specified again a frame); the processor time of the page's frame, and of
// it the WebGL calls', the calls a frame that wait for the GPU process, and
// the bytes uploaded a frame, still and while climbing; the desktop build's
// frame rate (talmir-frames, OpenGL on Mesa's llvmpipe, offscreen, unpaced)
// and that of the subset on Mesa's ES 2.0 (talmir-frames-gles2) for
// comparison; everything a first visit downloads, compressed with gzip; the
// time from the start of the page's load to its first finished frame,
// served from 127.0.0.1.
// Usage: node bench/web_bench.mjs PAGE_FOLDER BENCH_BUILD
// The page runs unpaced (?pacing=off: it draws on every one of the
// browser's frame callbacks), as the desktop tool does. Chromium keeps its
// own frame scheduling, at most 60 frames a second as on a display: with
// its frame-rate limit off its compositor spins and takes about half of
// this machine from the page and the floor alike, and the first seconds of
// any drawing are asked for far faster than its GPU process draws them (so
// the same floor measured twice in a row gave 55.8 and 10.5 frames a second).
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';

import { serveFolder } from '../scripts/web-serve.mjs';
import { launchChromium } from '../tests/web/cdp.mjs';

const [pageFolder, benchBuild] = process.argv.slice(2);
const rounds = 3, seconds = 10, warmSeconds = 2, variantSeconds = 5, variantFrames = 60, firstFrameRuns = 5, measuredFrames = 60;
const climbFrames = 10;
const goals = { floorRatio: 0.85, desktopRatio: 1, synchronousCalls: 0, idleUploadBytes: 100e3, gzipBytes: 1.5e6,
  firstFrameMs: 2000 };
const variants = ['uploads', 'subdata', 'queries', 'respecify'];
const floorScript = fs.readFileSync(new URL('./web_floor.js', import.meta.url), 'utf8');
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const verdict = (ok) => (ok ? 'met' : 'NOT MET');

// A desktop tool's frame rate (talmir-frames, or talmir-frames-gles2): its
// own count of frames after the first.
function desktopFps(tool) {
  const output = execFileSync(path.join(benchBuild, tool),
    ['--run-dir', path.join(benchBuild, 'run'), '--out', fs.mkdtempSync('/tmp/talmir-bench-'), '--count', '150',
      '--stats'], { encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] });
  const fps = /fps ([\d.]+)/.exec(output);
  if (!fps) throw new Error(`${tool} gave no frame rate`);
  return Number(fps[1]);
}

// The page's frame rate: frames counted by the page over a stretch of its
// own clock, once the service worker has fetched the page's files (it does
// after the first frame) and the page has drawn for as long as the floor
// warms up; then the processor time of
// its frames; then, in the same browser, the next frame recorded, from the
// same place as the frames counted (a climb would change what the frame
// costs to draw), and the floor and its variants drawn from it, counted the
// same way; last the page's frames with the right button held (a climb).
async function pageAndFloor(url) {
  const browser = await launchChromium();
  try {
    const { session } = browser;
    await session.send('Emulation.setDeviceMetricsOverride', { width: 1024, height: 768, deviceScaleFactor: 1,
      mobile: false });
    await session.send('Page.enable');  // for the script to go into the page
    await session.send('Page.addScriptToEvaluateOnNewDocument', { source: floorScript });
    await session.send('Page.navigate', { url: url + '?pacing=off' });
    await session.waitFor('window.talmir && window.talmir.frames >= 10', 120, 'ten frames');
    await session.waitFor('window.talmir.offline', 60, 'the service worker to have the page');
    await new Promise((resolve) => setTimeout(resolve, warmSeconds * 1000));
    const from = await session.evaluate('[window.talmir.frames, window.talmir.lastFrameMs]');
    await new Promise((resolve) => setTimeout(resolve, seconds * 1000));
    const to = await session.evaluate('[window.talmir.frames, window.talmir.lastFrameMs]');
    const fps = (to[0] - from[0]) / ((to[1] - from[1]) / 1000);
    const cpu = await session.evaluate(`talmirFloor.measureFrames(${measuredFrames})`);
    const calls = await session.evaluate('talmirFloor.recordFrame()');
    const floor = (await session.evaluate(`talmirFloor.runFloor(${seconds}, 'floor', Infinity, ${warmSeconds})`)).fps;
    const variantFps = {};
    for (const v of variants) variantFps[v] = (await session.evaluate(`talmirFloor.runFloor(${variantSeconds}, '${v}', ${variantFrames}, ${warmSeconds})`)).fps;
    // The page goes on where it stopped (the floor left the context as the
    // recorded frame did), for the bytes a climbing frame sends.
    await session.evaluate('window.Module.resumeMainLoop(), true');
    const button = { x: 512, y: 384, button: 'right', clickCount: 1 };
    await session.send('Input.dispatchMouseEvent', { type: 'mousePressed', ...button });
    const climbing = await session.evaluate(`talmirFloor.measureFrames(${climbFrames})`);
    await session.send('Input.dispatchMouseEvent', { type: 'mouseReleased', ...button });
    return { fps, floor, cpu, climbing, calls, variantFps };
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

// Everything the first visit downloads: the page, then the manifest and its
// icons for the browser, and the service worker, which fetches the page's
// files once more into its cache (index.html twice, as ./ and by name).
function pageSizes() {
  const names = fs.readdirSync(pageFolder).filter((name) => /^(index\.|icon-|manifest\.|sw\.js$)/.test(name));
  return names.map((name) => {
    const bytes = fs.readFileSync(path.join(pageFolder, name));
    return { name, raw: bytes.length, gzip: zlib.gzipSync(bytes, { level: 9 }).length };
  });
}

async function main() {
  const { server, url } = await serveFolder(pageFolder);
  try {
    const desktop = [], gles2 = [], runs = [];
    for (let round = 0; round < rounds; ++round) {
      desktop.push(desktopFps('talmir-frames'));
      gles2.push(desktopFps('talmir-frames-gles2'));
      runs.push(await pageAndFloor(url));
      console.error(`  round ${round + 1} of ${rounds}: desktop ${desktop[round].toFixed(1)} fps, ES 2.0 ${gles2[round].toFixed(1)}, ` +
        `page ${runs[round].fps.toFixed(1)}, floor ${runs[round].floor.toFixed(1)}`);
    }
    const page = runs.map((r) => r.fps), floor = runs.map((r) => r.floor);
    const ratios = runs.map((r) => r.fps / r.floor), ratio = median(ratios);
    const list = (values, digits = 1) => values.map((v) => v.toFixed(digits)).join(', ');
    console.log(`frame rate, 1024x768, median of ${rounds} runs, each the page then its floor in one browser:`);
    console.log(`  page: headless Chromium, WebGL on SwiftShader       ${median(page).toFixed(2).padStart(7)} fps  (${list(page)})`);
    console.log(`  floor: the same frame's ${runs[0].calls} WebGL calls from prepared buffers`);
    console.log(`         (same vertices, shader and atlas)           ${median(floor).toFixed(2).padStart(7)} fps  (${list(floor)})`);
    console.log(`  page / floor: ${ratio.toFixed(2)} (${list(ratios, 2)}) (goal >= ${goals.floorRatio}: ${verdict(ratio >= goals.floorRatio)})`);
    console.log(`  the floor's variants, each against the floor of its own run (fps / floor):`);
    for (const v of variants) {
      const fps = runs.map((r) => r.variantFps[v]);
      console.log(`    ${v.padEnd(10)} ${median(fps).toFixed(2).padStart(7)} fps  (${list(fps)}), ` +
        `/ floor ${median(runs.map((r) => r.variantFps[v] / r.floor)).toFixed(2)}`);
    }
    const frameMs = median(runs.map((r) => r.cpu.frameMs)), glMs = median(runs.map((r) => r.cpu.glMs));
    console.log(`  the page's frame on the main thread, median over ${measuredFrames} frames a run: ${frameMs.toFixed(2)} ms,`);
    console.log(`    of which in WebGL calls ${glMs.toFixed(2)} ms; Talmir's own code (scene and GL subset) ${(frameMs - glMs).toFixed(2)} ms`);
    const slowest = runs[Math.floor(rounds / 2)].cpu.slowest;
    console.log(`    the slowest WebGL calls a frame (middle run): ` +
      slowest.map((s) => `${s.name} ${s.ms.toFixed(2)} ms in ${s.calls.toFixed(0)}`).join(', '));
    const waits = median(runs.map((r) => r.cpu.synchronousCalls));
    console.log(`  WebGL calls a frame that wait for the GPU process (get*, is*, checkFramebufferStatus, readPixels, finish): ` +
      `${waits.toFixed(1)} (goal ${goals.synchronousCalls}: ${verdict(waits <= goals.synchronousCalls)})`);
    const idle = median(runs.map((r) => r.cpu.uploadedBytes)), climbing = median(runs.map((r) => r.climbing.uploadedBytes));
    console.log(`  vertices and indices uploaded a frame: still ${(idle / 1e3).toFixed(1)} KB ` +
      `(goal <= ${goals.idleUploadBytes / 1e3} KB: ${verdict(idle <= goals.idleUploadBytes)}), climbing ${(climbing / 1e3).toFixed(1)} KB`);
    const desktopRatio = median(page) / median(desktop);
    console.log(`  desktop: talmir-frames, OpenGL on Mesa's llvmpipe    ${median(desktop).toFixed(2).padStart(7)} fps  (${list(desktop)})`);
    console.log(`  the subset on Mesa's ES 2.0: talmir-frames-gles2     ${median(gles2).toFixed(2).padStart(7)} fps  (${list(gles2)}), ` +
      `/ desktop ${(median(gles2) / median(desktop)).toFixed(2)}`);
    console.log(`  page / desktop ${desktopRatio.toFixed(2)} (goal >= ${goals.desktopRatio}: ${verdict(desktopRatio >= goals.desktopRatio)}); ` +
      `floor / desktop ${(median(floor) / median(desktop)).toFixed(2)}, the browser's own drawing of the frame`);

    const sizes = pageSizes();
    const total = sizes.reduce((sum, s) => sum + s.gzip, 0);
    console.log('what a first visit downloads, gzip -9:');
    for (const s of sizes) console.log(`  ${s.name.padEnd(20)} ${String(s.raw).padStart(9)} bytes, ${String(s.gzip).padStart(9)} gzipped`);
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
