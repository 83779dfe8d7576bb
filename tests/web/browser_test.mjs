// browser_test.mjs: Talmir's page in a real browser, headless Chromium with
// its software WebGL (SwiftShader), driven over the DevTools protocol:
//   - the page loads and draws with no error on the console;
//   - frames 1 and 200 (drawing stops there: ?frames=N) match the desktop's
//     golden frames under the tolerance of another rasterizer
//     (support/frame_tolerance.h; picture_compare compares);
//   - the overlay's two lines are there;
//   - holding A changes the picture: frame 40 with A held from frame 5 on,
//     against frame 40 without it; and the key starts the sound;
//   - F1 puts the page in fullscreen and Esc takes it out, the landscape
//     drawing on;
//   - a page whose package lacks a texture shows "Initialization Failed."
//     and draws nothing.
// Usage: node browser_test.mjs PAGE_FOLDER GOLDEN_FOLDER PICTURE_COMPARE
// Exit code 0 when every check passed.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

import { serveFolder } from '../../scripts/web-serve.mjs';
import { launchChromium } from './cdp.mjs';

const [pageFolder, goldenFolder, pictureCompare] = process.argv.slice(2);
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'talmir-browser-'));
const results = [];
let consoleErrors = [];

function check(name, ok, detail) {
  results.push({ name, ok });
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${name}${detail ? ': ' + detail : ''}`);
}

// picture_compare's NAME=VALUE lines as an object.
function comparePictures(...args) {
  const text = execFileSync(pictureCompare, args, { encoding: 'utf8' });
  return Object.fromEntries(text.trim().split('\n').map((line) => line.split('=')).map(([k, v]) => [k, Number(v)]));
}

// The page's copy whose data package lists the ground texture under another
// name: the page then finds Tex/zem.bmp missing, as a broken upload would.
function pageWithoutTexture() {
  const folder = path.join(work, 'broken');
  fs.mkdirSync(folder);
  for (const name of fs.readdirSync(pageFolder)) fs.copyFileSync(path.join(pageFolder, name), path.join(folder, name));
  const script = path.join(folder, 'index.js');
  const text = fs.readFileSync(script, 'utf8');
  if (!text.includes('"/Tex/zem.bmp"')) throw new Error('the page does not pack Tex/zem.bmp where expected');
  fs.writeFileSync(script, text.replace('"/Tex/zem.bmp"', '"/Tex/zem.gone"'));
  return folder;
}

function watchConsole(session) {
  session.on((method, params) => {
    if (method === 'Runtime.consoleAPICalled' && (params.type === 'error' || params.type === 'assert'))
      consoleErrors.push(params.args.map((a) => a.value ?? a.description).join(' '));
    if (method === 'Runtime.exceptionThrown') consoleErrors.push(params.exceptionDetails.exception?.description ||
      params.exceptionDetails.text);
    if (method === 'Log.entryAdded' && params.entry.level === 'error') consoleErrors.push(params.entry.text);
  });
}

async function open(session, url) {
  await session.send('Page.navigate', { url });
  await session.waitFor('document.readyState === "complete"', 30, 'the page to load');
}

async function screenshot(session, name) {
  const shot = await session.send('Page.captureScreenshot', { format: 'png' });
  const file = path.join(work, name + '.png');
  fs.writeFileSync(file, Buffer.from(shot.data, 'base64'));
  return file;
}

const key = (virtualKey, name, code) => ({ windowsVirtualKeyCode: virtualKey, nativeVirtualKeyCode: virtualKey,
  key: name, code });
async function press(session, type, k) { await session.send('Input.dispatchKeyEvent', { type, ...k }); }
const keyA = key(65, 'a', 'KeyA'), keyF1 = key(112, 'F1', 'F1'), keyEscape = key(27, 'Escape', 'Escape');
const frames = 'window.talmir && window.talmir.frames || 0';

// A frame drawn where drawing stops, against its golden frame; its overlay.
async function goldenFrame(session, url, frame) {
  consoleErrors = [];
  await open(session, `${url}?frames=${frame}`);
  await session.waitFor('window.talmir && window.talmir.stopped', 240, `frame ${frame}`);
  const shot = await screenshot(session, `frame-${frame}`);
  const d = comparePictures('frame', 'browser', shot, path.join(goldenFolder, `still-${frame}.png`));
  check(`frame ${frame} matches the desktop's golden frame`, d.within === 1,
    `mean ${d.mean}, largest ${d.largest}, ${(100 * d.changedShare).toFixed(4)}% of pixels off by more than 32`);
  const lines = comparePictures('lines', shot);
  check(`frame ${frame} shows the overlay's two lines`, lines.lines === 1,
    `${lines.first} and ${lines.second} light pixels, ${lines.below} below them`);
  check(`frame ${frame}: no error on the console`, consoleErrors.length === 0, consoleErrors.join(' | '));
  return shot;
}

async function holdingA(session, url) {
  consoleErrors = [];
  await open(session, `${url}?frames=40`);
  await session.waitFor('window.talmir && window.talmir.stopped', 120, 'frame 40 without input');
  const plain = await screenshot(session, 'frame-40');
  await open(session, `${url}?frames=40`);
  await session.waitFor(`${frames} >= 5`, 60, 'frame 5');
  const soundBefore = await session.evaluate('window.talmir.sound');
  await press(session, 'keyDown', keyA);
  await session.waitFor('window.talmir.stopped', 120, 'frame 40 with A held');
  await press(session, 'keyUp', keyA);
  const moved = await screenshot(session, 'frame-40-a');
  const d = comparePictures('frame', 'browser', moved, plain);
  check('holding A changes the picture', d.within === 0 && d.mean > 5, `mean ${d.mean} from the same frame without A`);
  const soundAfter = await session.evaluate('window.talmir.sound');
  check('the sound waits for the first key, then plays', soundBefore === 'waiting' && soundAfter === 'playing',
    `${soundBefore}, then ${soundAfter}`);
  check('holding A: no error on the console', consoleErrors.length === 0, consoleErrors.join(' | '));
}

async function fullscreen(session, url) {
  consoleErrors = [];
  await open(session, url);
  await session.waitFor(`${frames} >= 3`, 60, 'the first frames');
  await press(session, 'keyDown', keyF1);
  await press(session, 'keyUp', keyF1);
  const entered = await session.waitFor('document.fullscreenElement && document.fullscreenElement.id', 30,
    'fullscreen').catch(() => '');
  await press(session, 'keyDown', keyEscape);
  await press(session, 'keyUp', keyEscape);
  const left = await session.waitFor('!document.fullscreenElement', 30, 'leaving fullscreen').catch(() => false);
  const before = await session.evaluate(frames);
  const drawing = await session.waitFor(`${frames} >= ${before + 3}`, 60, 'frames after').catch(() => false);
  check('F1 makes the page fullscreen, Esc leaves it, the landscape draws on', entered === 'stage' && left && drawing,
    `fullscreen element ${entered || 'none'}, left ${left}, drawing ${!!drawing}`);
  check('fullscreen: no error on the console', consoleErrors.length === 0, consoleErrors.join(' | '));
}

async function missingTexture(session, url) {
  await open(session, url);
  await session.waitFor('window.talmir && window.talmir.stopped', 60, 'the page to give up');
  const text = await session.evaluate('document.getElementById("messages").innerText');
  const drawn = await session.evaluate(frames);
  check('a missing texture shows "Initialization Failed." and draws nothing',
    text.includes('Initialization Failed.') && drawn === 0, `boxes: ${JSON.stringify(text)}, frames ${drawn}`);
}

async function main() {
  if (!fs.existsSync(path.join(pageFolder || '', 'index.html'))) {
    console.error(`browser_test: no page in ${pageFolder}: run make web first`);
    process.exit(1);
  }
  const page = await serveFolder(pageFolder);
  const broken = await serveFolder(pageWithoutTexture());
  const browser = await launchChromium();
  const { session } = browser;
  try {
    watchConsole(session);
    for (const domain of ['Runtime.enable', 'Log.enable', 'Page.enable']) await session.send(domain);
    await session.send('Emulation.setDeviceMetricsOverride', { width: 1024, height: 768, deviceScaleFactor: 1,
      mobile: false });
    await goldenFrame(session, page.url, 1);
    await goldenFrame(session, page.url, 200);
    await holdingA(session, page.url);
    await fullscreen(session, page.url);
    await missingTexture(session, broken.url);
  } catch (error) {
    check('the browser test ran to its end', false, error.message);
  } finally {
    await browser.close();
    page.server.close();
    broken.server.close();
  }
  const failed = results.filter((r) => !r.ok).length;
  console.log(failed ? `${failed} of ${results.length} checks failed; pictures in ${work}` : `${results.length} checks passed`);
  if (!failed) fs.rmSync(work, { recursive: true, force: true });
  process.exit(failed ? 1 : 0);
}

main();
