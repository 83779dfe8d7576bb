// web_floor.js: put into the page ahead of its own scripts by the page
// benchmark (bench/web_bench.mjs), as window.talmirFloor:
//   measureFrames(n)  the next n frames: the processor time of the page's
//                     frame callback (Talmir's WebAssembly: the scene and the
//                     GL subset, with the WebGL calls they make) and, of it,
//                     the time spent inside WebGL calls, each per frame, ms,
//                     the three calls that took longest, with their counts,
//                     the calls that wait for the GPU process's answer (every
//                     get*, is*, checkFramebufferStatus, readPixels, finish)
//                     and the bytes of vertices and indices uploaded
//   recordFrame()     records the WebGL calls of the next frame (the next
//                     frame callback that draws: the page passes some when
//                     the browser calls faster than the world steps), then stops
//                     the page's own loop: the canvas is the floor's now
//   runFloor(seconds, variant, frameLimit, warmSeconds)
//                     draws the recorded frame again and again, for the
//                     seconds or the frames given, whichever ends first,
//                     after warmSeconds (2) of drawing that is not counted
//                     (a variant that uploads asks for frames far faster
//                     than they are drawn, and each asked is drawn before
//                     the count ends: a limit keeps that wait short). The floor
//                     itself ('floor') draws it from prepared buffers: the
//                     same vertices and indices, put in buffers of their own
//                     once, the same shader program, the same atlas, the
//                     same state; no query, no upload. Its variants add one
//                     of the page's costs back, to see which costs what:
//                       'uploads'   the frame's bufferData and bufferSubData
//                                   calls as the page made them (same bytes,
//                                   same usage)
//                       'subdata'   the same bytes into buffers allocated
//                                   once, refilled with bufferSubData
//                       'queries'   the frame's queries (get*, is*) where the
//                                   page made them
//                       'respecify' one buffer (the frame's first) specified
//                                   again with its same data each frame
//                     Resolves with its frames per second: the frames asked
//                     for over the time until the last of them is finished
//                     (nothing makes the floor wait for its drawing, which
//                     may lag far behind the asking), and the rate at which
//                     they were asked for.
// The frame callback is the browser's requestAnimationFrame callback, which
// the page's loop runs one frame in (src/platform/web/web_entry.cpp).
(function () {
  'use strict';
  const proto = WebGLRenderingContext.prototype;
  const originals = {};
  for (const name of Object.getOwnPropertyNames(proto)) {
    const descriptor = Object.getOwnPropertyDescriptor(proto, name);
    if (name !== 'constructor' && descriptor && typeof descriptor.value === 'function') originals[name] = descriptor.value;
  }
  const wrapGl = (onCall) => {
    for (const name in originals) proto[name] = function (...args) { return onCall(this, name, args); };
  };
  const unwrapGl = () => { for (const name in originals) proto[name] = originals[name]; };

  // The page's frame callbacks, each between begin() and end() of the hook set.
  let frameHook = null;
  const requestFrame = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => requestFrame((time) => {
    const hook = frameHook;
    if (!hook) return callback(time);
    hook.begin();
    try {
      return callback(time);
    } finally {
      hook.end();
    }
  });

  function measureFrames(count) {
    return new Promise((resolve) => {
      let glMs = 0, frameMs = 0, frames = 0, start = 0;
      const byCall = {};  // ms and count per WebGL call's name
      let uploaded = 0;   // bytes given to bufferData and bufferSubData
      let waiting = 0;    // calls that wait for the GPU process's answer
      let drew = false;   // the callback drew a frame (flushed it)
      wrapGl((gl, name, args) => {
        if (name === 'flush') drew = true;
        const t = performance.now();
        try {
          return originals[name].apply(gl, args);
        } finally {
          const ms = performance.now() - t;
          glMs += ms;
          const entry = byCall[name] || (byCall[name] = { ms: 0, calls: 0 });
          entry.ms += ms;
          entry.calls += 1;
          if (name === 'bufferData' && ArrayBuffer.isView(args[1])) uploaded += args[1].byteLength;
          if (name === 'bufferSubData' && ArrayBuffer.isView(args[2])) uploaded += args[2].byteLength;
          if (isSynchronous(name)) waiting += 1;
        }
      });
      frameHook = {
        begin() {
          start = performance.now();
          drew = false;
        },
        // Callbacks the page passes without drawing (it paces itself to the
        // world's step) count towards the frame they come before.
        end() {
          frameMs += performance.now() - start;
          if (!drew || ++frames < count) return;
          frameHook = null;
          unwrapGl();
          const slowest = Object.entries(byCall).sort((a, b) => b[1].ms - a[1].ms).slice(0, 3)
            .map(([name, e]) => ({ name, ms: e.ms / frames, calls: e.calls / frames }));
          resolve({ frameMs: frameMs / frames, glMs: glMs / frames, slowest, uploadedBytes: uploaded / frames,
            synchronousCalls: waiting / frames });
        },
      };
    });
  }

  // A call whose answer the page waits for: the GPU process has to catch up
  // with everything asked before it.
  const isSynchronous = (name) => /^(get|is)|^(checkFramebufferStatus|readPixels|finish)$/.test(name);

  let recorded = null;  // the context and its calls, [name, args]
  function recordFrame() {
    return new Promise((resolve) => {
      const calls = [];
      let context = null;
      frameHook = {
        begin() {
          wrapGl((gl, name, args) => {
            context = gl;
            calls.push([name, args.map((a) => (ArrayBuffer.isView(a) ? a.slice() : a))]);
            return originals[name].apply(gl, args);
          });
        },
        // A callback the page passes without drawing is not the frame.
        end() {
          unwrapGl();
          if (!calls.some(([name]) => name === 'flush')) {
            calls.length = 0;
            return;
          }
          frameHook = null;
          window.Module.pauseMainLoop();
          recorded = { gl: context, calls };
          resolve(calls.length);
        },
      };
    });
  }

  // The recorded calls as they are to be made again for a variant (see the
  // top): by default queries left out, and each upload of a buffer's data
  // turned into the binding of a buffer that already holds it.
  function prepare(variant) {
    const { gl, calls } = recorded;
    const steps = [];
    let respecified = false;
    for (const [name, args] of calls) {
      if (/^(get|is)/.test(name)) {
        if (variant === 'queries') steps.push([originals[name], args]);
        continue;
      }
      // A refill of part of a buffer the page made once, or storage given
      // without data: the buffer still holds what the frame put there (it
      // writes each part of a buffer once a frame), so only the uploading
      // variant does them again.
      if (name === 'bufferSubData' || (name === 'bufferData' && typeof args[1] === 'number')) {
        if (variant === 'uploads') steps.push([originals[name], args]);
        continue;
      }
      if (name !== 'bufferData' || !ArrayBuffer.isView(args[1])) {
        steps.push([originals[name], args]);
        continue;
      }
      const [target, data, usage] = args;
      if (variant === 'uploads') {
        steps.push([originals.bufferData, [target, data, usage]]);
        continue;
      }
      const buffer = gl.createBuffer();
      gl.bindBuffer(target, buffer);
      gl.bufferData(target, data, variant === 'subdata' ? usage : gl.STATIC_DRAW);
      steps.push([originals.bindBuffer, [target, buffer]]);
      if (variant === 'subdata') steps.push([originals.bufferSubData, [target, 0, data]]);
      if (variant === 'respecify' && !respecified) {
        steps.push([originals.bufferData, [target, data, gl.STATIC_DRAW]]);
        respecified = true;
      }
    }
    return { gl, steps };
  }

  function runFloor(seconds, variant = 'floor', frameLimit = Infinity, warmSeconds = 2) {
    const { gl, steps } = prepare(variant);
    return new Promise((resolve, reject) => {
      let frames = 0, start = 0, first = 0, counted = 0;
      const frame = () => {
        try {
          for (const [method, args] of steps) method.apply(gl, args);
        } catch (error) {
          reject(new Error(`the floor (${variant}) failed: ${error.message}`));
          return;
        }
        const last = performance.now();
        if (++frames === 1) start = last;
        if (first === 0 && last - start >= warmSeconds * 1000) first = last;
        else if (first !== 0) ++counted;
        if (counted > 0 && (last - first >= seconds * 1000 || counted >= frameLimit)) {
          gl.finish();
          const done = performance.now();
          resolve({ fps: counted / ((done - first) / 1000), askedFps: counted / ((last - first) / 1000) });
          return;
        }
        requestFrame(frame);
      };
      requestFrame(frame);
    });
  }

  window.talmirFloor = { measureFrames, recordFrame, runFloor };
})();
