// Headless Chromium driven over its DevTools pipe (no WebSocket, no driver
// package): pages at a set window size, script run in them, real mouse
// clicks (which count as a user's gesture), and screenshots decoded to RGB.
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { deflateSync, inflateSync } from 'node:zlib';

export async function launchChromium() {
  const profile = mkdtempSync(join(tmpdir(), 'skyrind-chromium-'));
  const child = spawn('chromium', [
    '--headless=new', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--hide-scrollbars',
    '--allow-file-access-from-files', '--remote-debugging-pipe', `--user-data-dir=${profile}`,
    'about:blank'], { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });
  const toBrowser = child.stdio[3], fromBrowser = child.stdio[4];
  let nextId = 0, buffer = '';
  const waiting = new Map();
  fromBrowser.on('data', (chunk) => {
    buffer += chunk;
    for (let end; (end = buffer.indexOf('\0')) >= 0; buffer = buffer.slice(end + 1)) {
      const message = JSON.parse(buffer.slice(0, end));
      const call = waiting.get(message.id);
      if (!call) continue;
      waiting.delete(message.id);
      if (message.error) call.reject(new Error(`${call.method}: ${message.error.message}`));
      else call.resolve(message.result);
    }
  });
  const send = (method, params = {}, sessionId = undefined) =>
    new Promise((resolve, reject) => {
      const id = ++nextId;
      waiting.set(id, { resolve, reject, method });
      toBrowser.write(JSON.stringify({ id, method, params, sessionId }) + '\0');
    });

  return {
    // Lets every page read the motion sensors without asking.
    grantSensors: () => send('Browser.grantPermissions', { permissions: ['sensors'] }),
    // A new tab of width×height CSS pixels at url; touch: a touch screen;
    // init: script run in the page before its own.
    async open(url, width, height, { touch = false, init = '' } = {}) {
      const { targetId } = await send('Target.createTarget', { url: 'about:blank' });
      const { sessionId } = await send('Target.attachToTarget', { targetId, flatten: true });
      const call = (method, params) => send(method, params, sessionId);
      await call('Emulation.setDeviceMetricsOverride',
                 { width, height, deviceScaleFactor: 1, mobile: false });
      if (touch) await call('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
      if (init) {
        await call('Page.enable');
        await call('Page.addScriptToEvaluateOnNewDocument', { source: init });
      }
      await call('Page.navigate', { url });
      const page = {
        // The value of a script expression (awaited when it is a promise).
        async evaluate(expression) {
          const r = await call('Runtime.evaluate',
                               { expression, awaitPromise: true, returnByValue: true });
          if (r.exceptionDetails) throw new Error(`${expression}: ${r.exceptionDetails.exception?.description ?? r.exceptionDetails.text}`);
          return r.result.value;
        },
        // Waits until the expression is true, up to seconds.
        async waitFor(expression, seconds = 20) {
          for (const end = Date.now() + seconds * 1000; Date.now() < end;) {
            if (await page.evaluate(`Boolean(${expression})`).catch(() => false)) return;
            await new Promise((r) => setTimeout(r, 100));
          }
          throw new Error(`timed out waiting for ${expression} at ${url}`);
        },
        async click(x, y) {
          for (const type of ['mousePressed', 'mouseReleased'])
            await call('Input.dispatchMouseEvent', { type, x, y, button: 'left', clickCount: 1 });
        },
        async screenshot() {
          const { data } = await call('Page.captureScreenshot', { format: 'png' });
          return decodePng(Buffer.from(data, 'base64'));
        },
        close: () => send('Target.closeTarget', { targetId }),
      };
      return page;
    },
    // Closes the browser; its helper processes may still be writing to the
    // profile for a moment, so the folder's removal retries and never fails.
    async close() {
      const exited = new Promise((r) => child.once('exit', r));
      await send('Browser.close').catch(() => child.kill());
      await exited;
      try {
        rmSync(profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 200 });
      } catch {}
    },
  };
}

// An 8-bit RGB or RGBA, non-interlaced PNG as { width, height, at(x, y) → [r, g, b] }.
export function decodePng(bytes) {
  let at = 8, width = 0, height = 0, channels = 0;
  const idat = [];
  while (at < bytes.length) {
    const length = bytes.readUInt32BE(at), type = bytes.toString('latin1', at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0), height = body.readUInt32BE(4);
      channels = { 2: 3, 6: 4 }[body[9]];
      if (body[8] !== 8 || !channels || body[12] !== 0) throw new Error('unexpected PNG layout');
    } else if (type === 'IDAT') idat.push(body);
    at += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(idat)), stride = width * channels;
  const pixels = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)], line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? pixels[y * stride + i - channels] : 0;
      const b = y > 0 ? pixels[(y - 1) * stride + i] : 0;
      const c = y > 0 && i >= channels ? pixels[(y - 1) * stride + i - channels] : 0;
      const p = a + b - c, pa = Math.abs(p - a), pb = Math.abs(p - b), pc = Math.abs(p - c);
      const predictor = [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][filter];
      pixels[y * stride + i] = (line[i] + predictor) & 0xff;
    }
  }
  return {
    width, height,
    at: (x, y) => [...pixels.subarray((y * width + x) * channels, (y * width + x) * channels + 3)],
  };
}

// An 8-bit RGB PNG of width×height whose pixel (x, y) is rgbAt(x, y).
export function encodePng(width, height, rgbAt) {
  const crcTable = Array.from({ length: 256 }, (_, n) => {
    for (let k = 0; k < 8; ++k) n = n & 1 ? 0xedb88320 ^ (n >>> 1) : n >>> 1;
    return n >>> 0;
  });
  const crc = (bytes) => {
    let c = 0xffffffff;
    for (const b of bytes) c = crcTable[(c ^ b) & 0xff] ^ (c >>> 8);
    return (c ^ 0xffffffff) >>> 0;
  };
  const chunk = (type, body) => {
    const head = Buffer.alloc(8), tail = Buffer.alloc(4);
    head.writeUInt32BE(body.length, 0);
    head.write(type, 4, 'latin1');
    tail.writeUInt32BE(crc(Buffer.concat([head.subarray(4), body])), 0);
    return Buffer.concat([head, body, tail]);
  };
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header.set([8, 2, 0, 0, 0], 8);  // 8 bits, RGB, deflate, no filter method, no interlace
  const raw = Buffer.alloc((3 * width + 1) * height);
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x) raw.set(rgbAt(x, y), y * (3 * width + 1) + 1 + 3 * x);
  return Buffer.concat([Buffer.from('\x89PNG\r\n\x1a\n', 'latin1'), chunk('IHDR', header),
                        chunk('IDAT', deflateSync(raw)), chunk('IEND', Buffer.alloc(0))]);
}

// Which landmark of the default scene a pixel shows, told by its chromaticity
// (the colours of tests/tool/landmark.h).
const landmarks = {
  'front red': [243, 63, 63], 'back yellow': [250, 231, 63], 'right green': [63, 225, 89],
  'left blue': [89, 124, 250], 'up magenta': [237, 89, 231], 'down cyan': [63, 231, 237],
  sky: [150, 185, 240], grey: [180, 180, 180],
};
export function landmarkOf([r, g, b]) {
  const chroma = ([r, g, b]) => [r / (r + g + b + 1e-9), g / (r + g + b + 1e-9)];
  const [pr, pg] = chroma([r, g, b]);
  let best = '', bestDistance = Infinity;
  for (const [name, rgb] of Object.entries(landmarks)) {
    const [cr, cg] = chroma(rgb), d = (cr - pr) ** 2 + (cg - pg) ** 2;
    if (d < bestDistance) best = name, bestDistance = d;
  }
  return best;
}
