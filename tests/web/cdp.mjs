// cdp.mjs: headless Chromium driven over its remote-debugging port, for the
// browser tests and the page benchmark. The WebSocket is our own (a few
// dozen lines of RFC 6455, client side): Debian's node has none built in.
import { spawn } from 'node:child_process';
import crypto from 'node:crypto';
import fs from 'node:fs';
import http from 'node:http';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';

// ---- WebSocket: one connection, text messages both ways.
class WebSocketClient {
  constructor(socket, onMessage) {
    this.socket = socket;
    this.onMessage = onMessage;
    this.buffer = Buffer.alloc(0);
    this.fragments = [];
    socket.on('data', (data) => this.receive(data));
  }

  static connect(url, onMessage) {
    const { hostname, port, pathname } = new URL(url);
    return new Promise((resolve, reject) => {
      const socket = net.connect(Number(port), hostname);
      const key = crypto.randomBytes(16).toString('base64');
      let head = Buffer.alloc(0);
      const onHandshake = (data) => {
        head = Buffer.concat([head, data]);
        const end = head.indexOf('\r\n\r\n');
        if (end < 0) return;
        socket.off('data', onHandshake);
        if (!/^HTTP\/1\.1 101/.test(head.toString('latin1'))) {
          reject(new Error('the browser refused the WebSocket: ' + head.toString('latin1', 0, end)));
          return;
        }
        const client = new WebSocketClient(socket, onMessage);
        resolve(client);
        if (head.length > end + 4) client.receive(head.subarray(end + 4));
      };
      socket.on('data', onHandshake);
      socket.on('error', reject);
      socket.on('connect', () => socket.write(
        `GET ${pathname} HTTP/1.1\r\nHost: ${hostname}:${port}\r\nUpgrade: websocket\r\n` +
        `Connection: Upgrade\r\nSec-WebSocket-Key: ${key}\r\nSec-WebSocket-Version: 13\r\n\r\n`));
    });
  }

  // Client frames are masked; lengths past 125 take 2 or 8 more bytes.
  send(text) {
    const payload = Buffer.from(text, 'utf8');
    const mask = crypto.randomBytes(4);
    let header;
    if (payload.length < 126) {
      header = Buffer.from([0x81, 0x80 | payload.length]);
    } else if (payload.length < 65536) {
      header = Buffer.alloc(4);
      header[0] = 0x81; header[1] = 0x80 | 126; header.writeUInt16BE(payload.length, 2);
    } else {
      header = Buffer.alloc(10);
      header[0] = 0x81; header[1] = 0x80 | 127; header.writeBigUInt64BE(BigInt(payload.length), 2);
    }
    for (let i = 0; i < payload.length; ++i) payload[i] ^= mask[i & 3];
    this.socket.write(Buffer.concat([header, mask, payload]));
  }

  receive(data) {
    this.buffer = Buffer.concat([this.buffer, data]);
    for (;;) {
      if (this.buffer.length < 2) return;
      const fin = (this.buffer[0] & 0x80) !== 0, opcode = this.buffer[0] & 0x0f;
      let length = this.buffer[1] & 0x7f, at = 2;
      if (length === 126) {
        if (this.buffer.length < 4) return;
        length = this.buffer.readUInt16BE(2); at = 4;
      } else if (length === 127) {
        if (this.buffer.length < 10) return;
        length = Number(this.buffer.readBigUInt64BE(2)); at = 10;
      }
      if (this.buffer.length < at + length) return;
      const payload = this.buffer.subarray(at, at + length);
      this.buffer = this.buffer.subarray(at + length);
      if (opcode === 0x9) this.socket.write(Buffer.concat([Buffer.from([0x8a, 0x80]), crypto.randomBytes(4)]));
      if (opcode !== 0x0 && opcode !== 0x1) continue;
      this.fragments.push(Buffer.from(payload));
      if (!fin) continue;
      const message = Buffer.concat(this.fragments).toString('utf8');
      this.fragments = [];
      this.onMessage(message);
    }
  }

  close() { this.socket.destroy(); }
}

// ---- a DevTools session on one page: commands by id, events by name.
export class PageSession {
  constructor() {
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = [];
  }

  async open(webSocketUrl) {
    this.socket = await WebSocketClient.connect(webSocketUrl, (text) => this.dispatch(JSON.parse(text)));
    this.socket.socket.on('close', () => {
      for (const { reject } of this.pending.values()) reject(new Error('the browser closed the connection'));
      this.pending.clear();
    });
  }

  dispatch(message) {
    if (message.id !== undefined) {
      const waiting = this.pending.get(message.id);
      this.pending.delete(message.id);
      if (!waiting) return;
      if (message.error) waiting.reject(new Error(`${waiting.method}: ${message.error.message}`));
      else waiting.resolve(message.result);
      return;
    }
    for (const listener of this.listeners) listener(message.method, message.params);
  }

  send(method, params = {}) {
    const id = this.nextId++;
    return new Promise((resolve, reject) => {
      this.pending.set(id, { resolve, reject, method });
      this.socket.send(JSON.stringify({ id, method, params }));
    });
  }

  on(listener) { this.listeners.push(listener); }

  // The value of a JavaScript expression in the page.
  async evaluate(expression) {
    const result = await this.send('Runtime.evaluate', { expression, returnByValue: true, awaitPromise: true });
    if (result.exceptionDetails) throw new Error(`${expression}: ${result.exceptionDetails.text}`);
    return result.result.value;
  }

  // Polls an expression until it is true; its last value, or an error after the time.
  async waitFor(expression, seconds, what) {
    const deadline = Date.now() + seconds * 1000;
    for (;;) {
      const value = await this.evaluate(expression);
      if (value) return value;
      if (Date.now() > deadline) throw new Error(`waited ${seconds} s for ${what || expression}`);
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  }

  close() { this.socket.close(); }
}

function getJson(port, pathname) {
  return new Promise((resolve, reject) => {
    http.get({ host: '127.0.0.1', port, path: pathname }, (response) => {
      let body = '';
      response.on('data', (chunk) => { body += chunk; });
      response.on('end', () => { try { resolve(JSON.parse(body)); } catch (error) { reject(error); } });
    }).on('error', reject);
  });
}

// The software WebGL of headless Chromium (SwiftShader), a 1024x768 window,
// its own profile folder; the port is Chromium's choice, read from its
// "DevTools listening" line. --no-sandbox: the tests may run as root;
// --disable-dev-shm-usage: a container's /dev/shm may be too small for it.
export async function launchChromium(extraFlags = []) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'talmir-chromium-'));
  const flags = ['--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
    '--window-size=1024,768', '--hide-scrollbars', '--no-first-run', '--no-default-browser-check',
    '--disable-extensions', '--disable-background-networking', '--disable-component-update',
    '--disable-sync', '--mute-audio', '--autoplay-policy=user-gesture-required', '--disable-dev-shm-usage',
    `--user-data-dir=${profile}`, '--remote-debugging-port=0', ...extraFlags, 'about:blank'];
  const browser = spawn(process.env.TALMIR_CHROMIUM || 'chromium', flags, { stdio: ['ignore', 'ignore', 'pipe'] });
  const port = await new Promise((resolve, reject) => {
    let text = '';
    const timer = setTimeout(() => reject(new Error('Chromium did not start:\n' + text)), 30000);
    browser.stderr.on('data', (chunk) => {
      text += chunk;
      const match = /DevTools listening on ws:\/\/127\.0\.0\.1:(\d+)\//.exec(text);
      if (match) { clearTimeout(timer); resolve(Number(match[1])); }
    });
    browser.on('exit', (code) => reject(new Error(`Chromium ended (${code}) before it listened:\n${text}`)));
  });
  browser.stderr.resume();
  const targets = await getJson(port, '/json/list');
  const page = targets.find((target) => target.type === 'page');
  const session = new PageSession();
  await session.open(page.webSocketDebuggerUrl);
  const close = () => {
    session.close();
    browser.kill('SIGTERM');
    return new Promise((resolve) => {
      // Chromium's helpers may still be writing there a moment after it ends.
      const done = () => {
        try { fs.rmSync(profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 }); } catch { /* left in /tmp */ }
        resolve();
      };
      if (browser.exitCode !== null) done(); else browser.on('exit', done);
    });
  };
  return { session, close };
}
