// Our page with stereo images and dome masters, in headless Chromium. The
// pictures are drawn here with flat colours whose place on the sphere is
// known, so the colour at the view's centre says where the page looked and
// which eye it showed. SKYRIND_HOST names the built skyrind-host.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { launchChromium, encodePng } from './chromium.mjs';

const host = process.env.SKYRIND_HOST;
const work = mkdtempSync(join(tmpdir(), 'skyrind-stereo-'));
let chromium;

before(async () => {
  assert.ok(host && existsSync(host), 'SKYRIND_HOST must name the built skyrind-host');
  chromium = await launchChromium();
});
after(async () => {
  await chromium?.close();
  rmSync(work, { recursive: true, force: true });
});

// Each eye's half left of forward and half right of it, in colours whose
// every channel tells the eyes apart: the anaglyph takes red from the left
// eye and green and blue from the right.
const colours = {
  left: { west: [230, 40, 40], east: [40, 40, 230] },
  right: { west: [40, 230, 40], east: [230, 230, 40] },
};
const anaglyph = (side) => [colours.left[side][0], colours.right[side][1], colours.right[side][2]];

// A packed stereo PNG: eyes of eyeWidth×eyeHeight, the left on top or left.
function packed(name, packing, eyeWidth, eyeHeight) {
  const topBottom = packing === 'top-bottom';
  const png = encodePng(topBottom ? eyeWidth : 2 * eyeWidth, topBottom ? 2 * eyeHeight : eyeHeight, (x, y) => {
    const second = topBottom ? y >= eyeHeight : x >= eyeWidth;
    const ex = topBottom || !second ? x : x - eyeWidth;
    return colours[second ? 'right' : 'left'][ex < eyeWidth / 2 ? 'west' : 'east'];
  });
  writeFileSync(join(work, name), png);
  return join(work, name);
}

function page(image, ...options) {
  execFileSync(host, ['view', image, '-o', `${image}.html`, ...options]);
  return `file://${image}.html`;
}

const near = (got, want, tolerance, what) =>
  assert.ok(got.every((v, i) => Math.abs(v - want[i]) <= tolerance), `${what}: got ${got}, want ${want}`);

const drawn = 'document.documentElement.dataset.drawn';

// The colour at the centre of the view.
async function centreColour(tab) {
  const shot = await tab.screenshot();
  return shot.at(shot.width >> 1, shot.height >> 1);
}

test('a stereo image shows one eye, switches eyes by button and key, and mixes a red-cyan anaglyph', async () => {
  const tb = packed('ou.png', 'top-bottom', 128, 64);  // stereo 360: each eye 2:1
  execFileSync(host, ['tag', tb, '--stereo', 'top-bottom', '-o', join(work, 'ou.vr.jpg')]);
  const lr = packed('lr.png', 'side-by-side', 64, 64);  // VR180: each eye square
  execFileSync(host, ['tag', lr, '--stereo', 'side-by-side', '-o', join(work, 'lr.vr.jpg')]);
  const cases = [
    { name: 'over-under PNG', url: page(tb, '--stereo', 'top-bottom'), turn: 90, tolerance: 3 },
    { name: 'side-by-side PNG (VR180)', url: page(lr, '--stereo', 'side-by-side'), turn: 45, tolerance: 3 },
    { name: 'stereo 360 photo', url: page(join(work, 'ou.vr.jpg')), turn: 90, tolerance: 14 },
    { name: 'VR180 photo', url: page(join(work, 'lr.vr.jpg')), turn: 45, tolerance: 14 },
    { name: 'over-under PNG, 2D canvas', url: `${page(tb, '--stereo', 'top-bottom')}`, renderer: '2d', turn: 90, tolerance: 3 },
  ];
  for (const c of cases) {
    const at = (side, eye) => `${c.url}#yaw=${side === 'west' ? -c.turn : c.turn}&pitch=0&fov=20` +
                              `${eye ? '&eye=' + eye : ''}${c.renderer ? '&renderer=' + c.renderer : ''}`;
    for (const side of ['west', 'east']) {
      // One eye, the left, by default.
      const tab = await chromium.open(at(side), 400, 200);
      await tab.waitFor(drawn);
      near(await centreColour(tab), colours.left[side], c.tolerance, `${c.name} ${side}, by default`);
      // The button shows the right eye; the key e the left again.
      const button = async (id) => tab.evaluate(`(() => { const r = document.getElementById('${id}').getBoundingClientRect();
        return { x: r.x + r.width / 2, y: r.y + r.height / 2 }; })()`);
      const eye = await button('eye');
      await tab.click(eye.x, eye.y);
      await tab.waitFor("document.documentElement.dataset.eye === 'right' && location.hash.includes('eye=right')", 5);
      near(await centreColour(tab), colours.right[side], c.tolerance, `${c.name} ${side}, right eye`);
      await tab.evaluate("dispatchEvent(new KeyboardEvent('keydown', { key: 'e' }))");
      await tab.waitFor("location.hash.includes('eye=left')", 5);
      near(await centreColour(tab), colours.left[side], c.tolerance, `${c.name} ${side}, left again`);
      const button2 = await button('anaglyph');
      await tab.click(button2.x, button2.y);
      await tab.waitFor("location.hash.includes('eye=anaglyph')", 5);
      near(await centreColour(tab), anaglyph(side), c.tolerance, `${c.name} ${side}, anaglyph`);
      await tab.close();
    }
    // The address chooses the eye too.
    const tab = await chromium.open(at('east', 'anaglyph'), 400, 200);
    await tab.waitFor(drawn);
    near(await centreColour(tab), anaglyph('east'), c.tolerance, `${c.name}: #eye=anaglyph`);
    await tab.close();
  }
});

test('a mono panorama has no eye buttons', async () => {
  const mono = join(work, 'mono.png');
  writeFileSync(mono, encodePng(64, 32, () => [128, 128, 128]));
  const tab = await chromium.open(page(mono), 400, 200);
  await tab.waitFor(drawn);
  assert.deepEqual(await tab.evaluate("['eye', 'anaglyph', 'vr'].map((id) => document.getElementById(id).hidden)"),
                   [true, true, true]);
  await tab.close();
});

// A dome master: the quarter round each bearing from the centre in its own
// colour (front at the bottom, right on the right), bright within half the
// radius and dim beyond, black outside the circle.
function dome(name, size) {
  const quarters = { front: [230, 40, 40], right: [40, 230, 40], back: [230, 230, 40], left: [40, 40, 230] };
  const png = encodePng(size, size, (x, y) => {
    const dx = x + 0.5 - size / 2, dDown = y + 0.5 - size / 2;
    const rho = Math.hypot(dx, dDown) / (size / 2);
    if (rho > 1) return [0, 0, 0];
    const bearing = Math.atan2(dx, dDown) * 180 / Math.PI;  // 0 at the bottom, 90 at the right
    const quarter = Math.abs(bearing) < 45 ? 'front' : bearing >= 45 && bearing < 135 ? 'right'
                  : bearing <= -45 && bearing > -135 ? 'left' : 'back';
    return quarters[quarter].map((v) => (rho < 0.5 ? v : v >> 1));
  });
  writeFileSync(join(work, name), png);
  return { path: join(work, name), quarters };
}

test('a dome master opens as a fisheye seen from inside the dome', async () => {
  const { path, quarters } = dome('dome.png', 256);
  const dim = (rgb) => rgb.map((v) => v >> 1);
  // A view direction (yaw right of the front, pitch above the horizon) and
  // the zenith angle ζ = 90° − pitch, which lies at ρ = ζ / (fov / 2).
  const cases = [
    { fov: 180, yaw: 0, pitch: 50, want: quarters.front },        // ζ 40°, ρ 0.44
    { fov: 180, yaw: 0, pitch: 40, want: dim(quarters.front) },   // ζ 50°, ρ 0.56
    { fov: 180, yaw: 90, pitch: 30, want: dim(quarters.right) },
    { fov: 180, yaw: -90, pitch: 60, want: quarters.left },
    { fov: 180, yaw: 180, pitch: 30, want: dim(quarters.back) },
    { fov: 180, yaw: 0, pitch: -20, want: [0, 0, 0] },            // below the rim
    { fov: 360, yaw: 0, pitch: 10, want: quarters.front },        // ζ 80°, ρ 0.44
    { fov: 360, yaw: 0, pitch: -10, want: dim(quarters.front) },  // ζ 100°, ρ 0.56
    { fov: 360, yaw: 90, pitch: -60, want: dim(quarters.right) },
  ];
  for (const renderer of ['webgl', '2d'])
    for (const c of cases) {
      const url = page(path, '--dome', '--dome-fov', String(c.fov));
      const tab = await chromium.open(`${url}#yaw=${c.yaw}&pitch=${c.pitch}&fov=10&renderer=${renderer}`, 400, 200);
      await tab.waitFor(drawn);
      near(await centreColour(tab), c.want, 3, `${renderer} dome ${c.fov} at yaw ${c.yaw} pitch ${c.pitch}`);
      await tab.close();
    }
});

// navigator.xr as a browser with a headset would offer it: supported says
// what isSessionSupported('immersive-vr') answers; a session gives each eye
// half the canvas (the layer's framebuffer is the page's own) with a 90°
// wide view looking ahead.
const fakeXr = (supported) => `(() => {
  class FakeSession extends EventTarget {
    constructor() { super(); this.renderState = {}; this.ended = false; }
    updateRenderState(state) { Object.assign(this.renderState, state); }
    async requestReferenceSpace(type) { if (type !== 'local') throw new Error('no ' + type); return {}; }
    requestAnimationFrame(callback) {
      setTimeout(() => this.ended || callback(performance.now(), { getViewerPose: () => ({ views: this.views() }) }), 30);
    }
    views() {
      const canvas = this.renderState.baseLayer.canvas;
      const aspect = canvas.width / 2 / canvas.height;
      const projection = new Float32Array([1, 0, 0, 0, 0, aspect, 0, 0, 0, 0, -1, -1, 0, 0, -0.2, 0]);
      const transform = { matrix: new Float32Array([1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]) };
      return ['left', 'right'].map((eye) => ({ eye, projectionMatrix: projection, transform }));
    }
    async end() { this.ended = true; this.dispatchEvent(new Event('end')); }
  }
  window.XRWebGLLayer = class {
    constructor(session, gl) { this.framebuffer = null; this.canvas = gl.canvas; }
    getViewport(view) {
      const width = this.canvas.width / 2;
      return { x: view.eye === 'left' ? 0 : width, y: 0, width, height: this.canvas.height };
    }
  };
  WebGLRenderingContext.prototype.makeXRCompatible = async function () {};
  Object.defineProperty(navigator, 'xr', { configurable: true, value: {
    isSessionSupported: async (mode) => ${supported} && mode === 'immersive-vr',
    requestSession: async (mode) => (window.fakeSession = new FakeSession()),
  } });
})();`;

test('Enter VR shows only where immersive-vr is supported, and gives each eye its own image', async () => {
  const url = page(packed('vr.png', 'top-bottom', 128, 64), '--stereo', 'top-bottom') + '#yaw=-90&pitch=0&fov=40';
  const vrHidden = "document.getElementById('vr').hidden";
  const settled = () => new Promise((r) => setTimeout(r, 500));

  // This browser's own answer (headless Chromium has no headset).
  let tab = await chromium.open(url, 320, 120);
  await tab.waitFor(drawn);
  await settled();
  const real = await tab.evaluate("navigator.xr ? navigator.xr.isSessionSupported('immersive-vr').catch(() => false) : false");
  assert.equal(await tab.evaluate(vrHidden), !real);
  await tab.close();

  tab = await chromium.open(url, 320, 120, { init: fakeXr(false) });
  await tab.waitFor(drawn);
  await settled();
  assert.equal(await tab.evaluate(vrHidden), true, 'no button when unsupported');
  await tab.close();

  tab = await chromium.open(url, 320, 120, { init: fakeXr(true) });
  await tab.waitFor(`${drawn} && !${vrHidden}`, 5);
  const b = await tab.evaluate(`(() => { const r = document.getElementById('vr').getBoundingClientRect();
    return { x: r.x + r.width / 2, y: r.y + r.height / 2 }; })()`);
  await tab.click(b.x, b.y);
  await tab.waitFor("Number(document.documentElement.dataset.xrFrames) >= 2", 5);
  // The page looked 90° left; the headset starts there: each eye's west half.
  const shot = await tab.screenshot();
  near(shot.at(80, 60), colours.left.west, 3, 'left eye in the left viewport');
  near(shot.at(240, 60), colours.right.west, 3, 'right eye in the right viewport');
  assert.equal(await tab.evaluate("document.getElementById('vr').getAttribute('aria-pressed')"), 'true');
  await tab.evaluate('window.fakeSession.end()');
  await tab.waitFor("document.getElementById('vr').getAttribute('aria-pressed') === 'false'", 5);
  await tab.close();

  // A mono panorama offers no VR: both eyes would see one image.
  const mono = join(work, 'vr-mono.png');
  writeFileSync(mono, encodePng(64, 32, () => [128, 128, 128]));
  tab = await chromium.open(page(mono), 320, 120, { init: fakeXr(true) });
  await tab.waitFor(drawn);
  await settled();
  assert.equal(await tab.evaluate(vrHidden), true, 'no button for a mono panorama');
  await tab.close();
});
