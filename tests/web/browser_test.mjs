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
//     and draws nothing;
//   - a lost WebGL context: the page rests and says so; given back, the
//     flight goes on where it was (frame 40 as if nothing had happened);
//   - a hidden page draws no frame and pauses the sound, and goes on after;
//   - the manifest has its fields and icons, and Chromium finds the page
//     installable;
//   - served under a sub-path, a second visit with no network draws frame 1
//     from what the service worker kept;
//   - index.data missing or cut short, index.wasm missing, no WebGL: a plain
//     message in the page within 5 s, no "Loading…" left;
//   - on a phone (412x915 at 2.625, touch): a one-finger drag upwards gives
//     the picture the same mouse motion gives on the desktop page, a pinch
//     outwards moves forward, a press held still climbs as the right button
//     does; the page neither scrolls nor zooms; the gestures' hint goes at
//     the first touch, which starts the sound; turned to 915x412 the picture
//     fills the height at 4:3.
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
  return pageCopy('broken', (folder) => {
    const script = path.join(folder, 'index.js');
    const text = fs.readFileSync(script, 'utf8');
    if (!text.includes('"/Tex/zem.bmp"')) throw new Error('the page does not pack Tex/zem.bmp where expected');
    fs.writeFileSync(script, text.replace('"/Tex/zem.bmp"', '"/Tex/zem.gone"'));
  });
}

// A copy of the page with one of its files changed by change(folder).
function pageCopy(name, change) {
  const folder = path.join(work, name);
  fs.mkdirSync(folder);
  for (const file of fs.readdirSync(pageFolder)) fs.copyFileSync(path.join(pageFolder, file), path.join(folder, file));
  change(folder);
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

// The page at url, loaded: the document that was there before is marked, so
// that its state is never taken for the new one's (a navigation the service
// worker answers may return before the new document replaces it).
async function open(session, url) {
  await session.evaluate('window.leftForTest = true');
  await session.send('Page.navigate', { url });
  await session.waitFor('!window.leftForTest && document.readyState === "complete"', 30, 'the page to load');
}

async function screenshot(session, name) {
  const shot = await session.send('Page.captureScreenshot', { format: 'png' });
  const file = path.join(work, name + '.png');
  fs.writeFileSync(file, Buffer.from(shot.data, 'base64'));
  return file;
}

// The canvas alone, scaled to its drawing buffer's 1024x768 whatever its
// size on the screen (compared by blocks: the scaling blurs it).
async function canvasShot(session, name) {
  const [x, y, width, height, ratio] = await session.evaluate(
    '(r => [r.x, r.y, r.width, r.height, devicePixelRatio])(document.getElementById("canvas").getBoundingClientRect())');
  const shot = await session.send('Page.captureScreenshot', { format: 'png',
    clip: { x, y, width, height, scale: 1024 / (width * ratio) } });
  const file = path.join(work, name + '.png');
  fs.writeFileSync(file, Buffer.from(shot.data, 'base64'));
  return file;
}

const key = (virtualKey, name, code) => ({ windowsVirtualKeyCode: virtualKey, nativeVirtualKeyCode: virtualKey,
  key: name, code });
async function press(session, type, k) { await session.send('Input.dispatchKeyEvent', { type, ...k }); }
const keyA = key(65, 'a', 'KeyA'), keyF1 = key(112, 'F1', 'F1'), keyEscape = key(27, 'Escape', 'Escape');
const keyShift = key(16, 'Shift', 'ShiftLeft');
const frames = '(window.talmir && window.talmir.frames || 0)';
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const desktop = { width: 1024, height: 768, deviceScaleFactor: 1, mobile: false };
const phone = { width: 412, height: 915, deviceScaleFactor: 2.625, mobile: true,
  screenOrientation: { type: 'portraitPrimary', angle: 0 } };
const phoneTurned = { width: 915, height: 412, deviceScaleFactor: 2.625, mobile: true,
  screenOrientation: { type: 'landscapePrimary', angle: 90 } };
const pictures = {};  // screenshots one check takes for another

async function mouse(session, type, x, y, extra = {}) {
  await session.send('Input.dispatchMouseEvent', { type, x, y, ...extra });
}
// The fingers down now, each [x, y], numbered by their place in the list.
async function touch(session, type, points) {
  await session.send('Input.dispatchTouchEvent', { type, touchPoints: points.map(([x, y], id) => ({ x, y, id })) });
}

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
  const plain = pictures.plain40 = await screenshot(session, 'frame-40');
  await open(session, `${url}?frames=40`);
  await session.waitFor(`${frames} >= 5`, 60, 'frame 5');
  const soundBefore = await session.evaluate('window.talmir.sound');
  await press(session, 'keyDown', keyA);
  await session.waitFor('window.talmir.stopped', 120, 'frame 40 with A held');
  await press(session, 'keyUp', keyA);
  const moved = pictures.forward40 = await screenshot(session, 'frame-40-a');
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

// The desktop's answers to the phone's gestures: frame 40 after the mouse
// rose 100 pixels from frame 5 on (the pointer locked by a click first),
// and frame 60 with the right button held from frame 5 on (the climb
// reaches its top long before). The tilt settles within a few frames
// whenever the motion came, and the climb stops at its top, so the phone's
// gestures, coming a frame or two later, give the same pictures.
async function desktopReferences(session, url) {
  consoleErrors = [];
  await open(session, `${url}?frames=40`);
  await session.waitFor(`${frames} >= 3`, 60, 'frame 3');
  await mouse(session, 'mouseMoved', 512, 384);
  await mouse(session, 'mousePressed', 512, 384, { button: 'left', clickCount: 1 });
  await mouse(session, 'mouseReleased', 512, 384, { button: 'left', clickCount: 1 });
  await session.waitFor('document.pointerLockElement !== null', 10, 'the pointer lock');
  await session.waitFor(`${frames} >= 5`, 60, 'frame 5');
  for (let step = 1; step <= 10; ++step) await mouse(session, 'mouseMoved', 512, 384 - 10 * step);
  await session.waitFor('window.talmir.stopped', 120, 'frame 40 after the mouse rose');
  pictures.mouse40 = await screenshot(session, 'frame-40-mouse');
  await session.evaluate('document.exitPointerLock(), 1');
  const d = comparePictures('frame', 'browser', pictures.mouse40, pictures.plain40);
  check('the mouse moved up tilts the view', d.within === 0 && d.mean > 5, `mean ${d.mean} from the same frame without it`);

  await open(session, `${url}?frames=60`);
  await session.waitFor(`${frames} >= 5`, 60, 'frame 5');
  await mouse(session, 'mousePressed', 512, 384, { button: 'right', clickCount: 1 });
  await session.waitFor('window.talmir.stopped', 120, 'frame 60 with the right button held');
  await mouse(session, 'mouseReleased', 512, 384, { button: 'right', clickCount: 1 });
  pictures.climb60 = await screenshot(session, 'frame-60-climb');
  check('the mouse: no error on the console', consoleErrors.length === 0, consoleErrors.join(' | '));
}

// The context taken away at frame 10 or so and given back a second later:
// meanwhile no frame is drawn and the page says why; afterwards frame 40 is
// the frame 40 of a flight that never lost it.
async function contextLoss(session, url) {
  consoleErrors = [];
  await open(session, `${url}?frames=40`);
  await session.waitFor(`${frames} >= 10`, 60, 'frame 10');
  await session.evaluate('window.loseForTest = document.getElementById("canvas").getContext("webgl")' +
    '.getExtension("WEBGL_lose_context"), loseForTest.loseContext(), 1');
  await session.waitFor('window.talmir.resting === "context lost"', 10, 'the page to rest');
  const lostAt = await session.evaluate(frames);
  await sleep(1000);
  const [during, notice] = await session.evaluate(
    `[${frames}, (n => n.hidden ? "" : n.textContent)(document.getElementById("notice"))]`);
  await session.evaluate('loseForTest.restoreContext(), 1');
  await session.waitFor('window.talmir.stopped', 120, 'frame 40 after the context came back');
  const shot = await screenshot(session, 'frame-40-restored');
  const d = comparePictures('frame', 'browser', shot, pictures.plain40);
  check('a lost WebGL context: no frame drawn for a second, and the page says so', during === lostAt && notice !== '',
    `frames ${lostAt} then ${during}, notice ${JSON.stringify(notice)}`);
  check('the context given back: the landscape again, frame 40 as if it had not been lost', d.within === 1,
    `mean ${d.mean}, largest ${d.largest} from frame 40 without the loss`);
  check('context loss: no error on the console', consoleErrors.length === 0, consoleErrors.join(' | '));
}

// The page hidden behind another tab for 2 s, the sound playing.
async function hiddenPage(session, url) {
  consoleErrors = [];
  await open(session, url);
  await session.waitFor(`${frames} >= 5`, 60, 'frame 5');
  await press(session, 'keyDown', keyShift);
  await press(session, 'keyUp', keyShift);
  await session.waitFor('window.talmir.sound === "playing"', 10, 'the sound');
  const tab = await session.send('Target.createTarget', { url: 'about:blank' });
  await session.waitFor('document.visibilityState === "hidden"', 10, 'the page hidden');
  const hiddenAt = await session.evaluate(frames);
  await sleep(2000);
  const [after, resting, sound] = await session.evaluate(`[${frames}, window.talmir.resting, window.talmir.sound]`);
  await session.send('Target.closeTarget', { targetId: tab.targetId });
  await session.waitFor('document.visibilityState === "visible"', 10, 'the page shown again');
  const drawing = await session.waitFor(`${frames} >= ${after + 5}`, 30, 'frames after').catch(() => false);
  const soundBack = await session.evaluate('window.talmir.sound');
  check('a hidden page rests: no frame in 2 s, the sound paused', after === hiddenAt && resting === 'hidden' &&
    sound === 'paused', `frames ${hiddenAt} then ${after}, resting ${JSON.stringify(resting)}, sound ${sound}`);
  check('shown again, it draws on and the sound plays', !!drawing && soundBack === 'playing',
    `drawing ${!!drawing}, sound ${soundBack}`);
  check('hidden page: no error on the console', consoleErrors.length === 0, consoleErrors.join(' | '));
}

// The manifest as Chromium reads it, its icons loaded by the page, and
// Chromium's own installability check.
async function installable(session, url) {
  await open(session, url);
  await session.waitFor(`${frames} >= 1`, 60, 'frame 1');
  const { errors, data } = await session.send('Page.getAppManifest');
  const manifest = JSON.parse(data || '{}');
  const icons = {};
  for (const icon of manifest.icons || [])
    icons[icon.sizes] = await session.evaluate(`fetch(${JSON.stringify(icon.src)}).then(r => r.blob())` +
      '.then(createImageBitmap).then(i => i.width + "x" + i.height)').catch(() => 'unreadable');
  const fields = manifest.name === 'Talmir' && !!manifest.short_name && manifest.display === 'fullscreen' &&
    manifest.orientation === 'landscape' && /^#[0-9a-f]{6}$/i.test(manifest.theme_color || '') &&
    /^#[0-9a-f]{6}$/i.test(manifest.background_color || '');
  check('the manifest has its fields and its icons of 192 and 512 pixels load', errors.length === 0 && fields &&
    icons['192x192'] === '192x192' && icons['512x512'] === '512x512',
    `errors ${JSON.stringify(errors)}, fields ${fields}, icons ${JSON.stringify(icons)}`);
  const { installabilityErrors } = await session.send('Page.getInstallabilityErrors');
  check('Chromium finds the page installable', installabilityErrors.length === 0,
    installabilityErrors.map((e) => e.errorId).join(', '));
}

// The page under /talmir/: once its service worker is active, a visit with
// the network off draws frame 1.
async function offline(session, url) {
  await open(session, url);
  await session.waitFor('window.talmir && window.talmir.offline && window.talmir.frames >= 1', 60,
    'the service worker');
  const network = (off) => session.send('Network.emulateNetworkConditions',
    { offline: off, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
  await session.send('Network.enable');
  await network(true);
  try {
    await open(session, `${url}?frames=1`);
    await session.waitFor('window.talmir && (window.talmir.stopped || window.talmir.failed)', 60, 'frame 1 offline');
    const [controlled, failed] = await session.evaluate('[!!navigator.serviceWorker.controller, window.talmir.failed]');
    const shot = await screenshot(session, 'frame-1-offline');
    const d = comparePictures('frame', 'browser', shot, path.join(goldenFolder, 'still-1.png'));
    check('under a sub-path, a second visit with no network draws frame 1', controlled && d.within === 1,
      `served by the worker ${controlled}, ${failed ? 'failed: ' + failed : `mean ${d.mean} from the golden frame`}`);
  } finally {
    await network(false);
    await session.send('Network.disable');
  }
}

// Copies of the page with a file gone or cut short, and a browser whose
// canvases give no WebGL: each says what happened within 5 s of the start.
async function failedDownloads(session, serve) {
  const cut = (name) => (folder) => {
    const file = path.join(folder, name);
    fs.truncateSync(file, Math.floor(fs.statSync(file).size / 2));
  };
  const gone = (name) => (folder) => fs.rmSync(path.join(folder, name));
  const cases = [['index.data missing', 'no-data', gone('index.data'), 'index.data'],
    ['index.data cut short', 'short-data', cut('index.data'), 'index.data'],
    ['index.wasm missing', 'no-wasm', gone('index.wasm'), 'index.wasm']];
  const said = async (url, what, expected) => {
    await session.evaluate('window.leftForTest = true');
    const start = Date.now();
    await session.send('Page.navigate', { url });
    const text = await session.waitFor('!window.leftForTest && window.talmir && (window.talmir.failed || ' +
      '(window.talmir.stopped && document.getElementById("messages").innerText))', 5, 'a message').catch(() => '');
    const seconds = (Date.now() - start) / 1000;
    const [status, drawn] = await session.evaluate(`[document.getElementById("status").textContent, ${frames}]`);
    check(`${what}: said in the page within 5 s, no "Loading…" left`, seconds <= 5 && text.includes(expected) &&
      !status.includes('Loading') && drawn === 0,
      `after ${seconds.toFixed(1)} s: ${JSON.stringify(text)}, status ${JSON.stringify(status)}, frames ${drawn}`);
  };
  for (const [what, name, change, expected] of cases) await said(await serve(pageCopy(name, change)), what, expected);

  const { identifier } = await session.send('Page.addScriptToEvaluateOnNewDocument', {
    source: 'HTMLCanvasElement.prototype.getContext = function() { return null; };' });
  try {
    await said(await serve(pageFolder), 'no WebGL', 'no WebGL');
  } finally {
    await session.send('Page.removeScriptToEvaluateOnNewDocument', { identifier });
  }
}

// A phone held upright, with touch: the gestures against the desktop's
// pictures, then the phone turned on its side. Each gesture's last frame
// stays on the canvas once drawing stops, and is taken on the desktop's
// screen, unscaled, as the desktop's own pictures are. The phone draws
// slowly (its screen has 2.625 pixels to the desktop's one), and each
// touch event waits for a frame: the drag takes four steps, to be over long
// before frame 40. The pinch comes last: after two fingers, Chromium's
// emulated touches reach no later page.
async function phoneGestures(session, url) {
  consoleErrors = [];
  await session.send('Emulation.setDeviceMetricsOverride', phone);
  await session.send('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
  const compare = (a, b) => comparePictures('frame', 'browser', a, b);
  const lastFrame = async (name) => {
    await session.send('Emulation.setDeviceMetricsOverride', desktop);
    const shot = await screenshot(session, name);
    await session.send('Emulation.setDeviceMetricsOverride', phone);
    return shot;
  };
  const still = () => session.evaluate('[scrollX, scrollY, visualViewport.scale].join(" ")');
  try {
    await open(session, `${url}?frames=40`);
    await session.waitFor(`${frames} >= 5`, 60, 'frame 5');
    const before = await session.evaluate('[!document.getElementById("hint").hidden, window.talmir.sound]');
    await touch(session, 'touchStart', [[206, 600]]);
    for (let step = 1; step <= 4; ++step) await touch(session, 'touchMove', [[206, 600 - 25 * step]]);
    await touch(session, 'touchEnd', []);
    const after = await session.evaluate('[!document.getElementById("hint").hidden, window.talmir.sound]');
    await session.waitFor('window.talmir.stopped', 120, 'frame 40 after the drag');
    const dragged = await lastFrame('phone-40-drag');
    const asMouse = compare(dragged, pictures.mouse40), asStill = compare(dragged, pictures.plain40);
    check('phone: a one-finger drag upwards tilts the view as the same mouse motion does',
      asMouse.within === 1 && asStill.within === 0,
      `mean ${asMouse.mean} from the mouse's frame 40, ${asStill.mean} from frame 40 without either`);
    check('phone: the hint shows until the first touch, which starts the sound',
      before[0] && !after[0] && before[1] === 'waiting' && after[1] === 'playing',
      `hint ${before[0]} then ${after[0]}, sound ${before[1]} then ${after[1]}`);
    const afterDrag = await still();

    await open(session, `${url}?frames=60`);
    await session.waitFor(`${frames} >= 5`, 60, 'frame 5');
    await touch(session, 'touchStart', [[206, 450]]);
    await session.waitFor('window.talmir.stopped', 120, 'frame 60 with a finger held still');
    await touch(session, 'touchEnd', []);
    const pressed = await lastFrame('phone-60-press');
    const climbed = compare(pressed, pictures.climb60);
    check('phone: a press held still climbs as the right button does', climbed.within === 1,
      `mean ${climbed.mean} from frame 60 with the right button held`);

    await open(session, `${url}?frames=40`);
    await session.waitFor(`${frames} >= 5`, 60, 'frame 5');
    await touch(session, 'touchStart', [[156, 450]]);
    await touch(session, 'touchStart', [[156, 450], [256, 450]]);
    for (let step = 1; step <= 6; ++step) await touch(session, 'touchMove', [[156 - 10 * step, 450], [256 + 10 * step, 450]]);
    await session.waitFor('window.talmir.stopped', 120, 'frame 40 while pinched');
    await touch(session, 'touchEnd', []);
    const pinched = await lastFrame('phone-40-pinch');
    const forward = compare(pinched, pictures.forward40), unmoved = compare(pinched, pictures.plain40);
    check('phone: a pinch outwards moves forward', unmoved.within === 0 && forward.mean < unmoved.mean,
      `mean ${forward.mean} from frame 40 with A held, ${unmoved.mean} from frame 40 without`);
    const afterPinch = await still();
    check('phone: neither the drag nor the pinch scrolls or zooms the page',
      afterDrag === '0 0 1' && afterPinch === '0 0 1', `scroll x, y and scale ${afterDrag}, then ${afterPinch}`);

    const box = '(r => [r.x, r.y, r.width, r.height].map(Math.round).join(" "))(document.getElementById("canvas").getBoundingClientRect())';
    const upright = await session.evaluate(box);
    await session.send('Emulation.setDeviceMetricsOverride', phoneTurned);
    const turned = await session.waitFor(`(b => b !== "${upright}" && b)(${box})`, 5, 'the picture to follow').catch(() => '');
    const turnedShot = await canvasShot(session, 'phone-40-turned');
    const same = comparePictures('blocks', turnedShot, pinched);
    check('phone: 4:3 across the width upright; turned to 915x412, the height filled at 4:3, centred',
      upright === '0 303 412 309' && turned === '183 0 549 412' && same.within === 1,
      `upright ${upright}, turned ${turned}; the picture there ${same.blocks} by blocks from the frame unscaled`);
    check('phone: no error on the console', consoleErrors.length === 0, consoleErrors.join(' | '));
  } finally {
    await session.send('Emulation.setTouchEmulationEnabled', { enabled: false });
    await session.send('Emulation.setDeviceMetricsOverride', desktop);
  }
}

async function main() {
  if (!fs.existsSync(path.join(pageFolder || '', 'index.html'))) {
    console.error(`browser_test: no page in ${pageFolder}: run make web first`);
    process.exit(1);
  }
  const page = await serveFolder(pageFolder);
  const servers = [page];
  // Each copy of the page on a server of its own: an origin of its own,
  // with no service worker from another.
  const serve = async (folder, base) => {
    const served = await serveFolder(folder, 0, base);
    servers.push(served);
    return served.url;
  };
  const browser = await launchChromium();
  const { session } = browser;
  try {
    watchConsole(session);
    for (const domain of ['Runtime.enable', 'Log.enable', 'Page.enable']) await session.send(domain);
    await session.send('Emulation.setDeviceMetricsOverride', desktop);
    await goldenFrame(session, page.url, 1);
    await goldenFrame(session, page.url, 200);
    await holdingA(session, page.url);
    await fullscreen(session, page.url);
    await missingTexture(session, await serve(pageWithoutTexture()));
    await desktopReferences(session, page.url);
    await contextLoss(session, page.url);
    await hiddenPage(session, page.url);
    await installable(session, page.url);
    await offline(session, await serve(pageFolder, '/talmir/'));
    await failedDownloads(session, serve);
    await phoneGestures(session, page.url);
  } catch (error) {
    check('the browser test ran to its end', false, error.message);
  } finally {
    await browser.close();
    for (const served of servers) served.server.close();
  }
  const failed = results.filter((r) => !r.ok).length;
  console.log(failed ? `${failed} of ${results.length} checks failed; pictures in ${work}` : `${results.length} checks passed`);
  if (!failed) fs.rmSync(work, { recursive: true, force: true });
  process.exit(failed ? 1 : 0);
}

main();
