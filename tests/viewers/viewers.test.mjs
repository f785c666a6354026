// Renders of the default scene opened in real 360-degree viewers, and in our
// own page, in headless Chromium: the landmark at the centre of each view
// says whether the viewer placed the image right. Pannellum's yaw 0 and our
// page's look at the image's centre (the full panorama's centre column).
// SKYRIND_HOST names the built skyrind-host.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { launchChromium, landmarkOf } from './chromium.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const host = process.env.SKYRIND_HOST;
const work = mkdtempSync(join(tmpdir(), 'skyrind-viewers-'));
let chromium;

before(async () => {
  assert.ok(host && existsSync(host), 'SKYRIND_HOST must name the built skyrind-host');
  chromium = await launchChromium();
});
after(async () => {
  await chromium?.close();
  rmSync(work, { recursive: true, force: true });
});

function render(name, options) {
  execFileSync(host, ['render', '--width', '512', '--height', '256', '--spp', '1',
                      ...options.split(' ').filter(Boolean), '-o', join(work, name)]);
  return join(work, name);
}

// The landmark at the centre of a 320×240 view, and at points given as
// shares of the view's size.
async function landmarksAt(url, ready, points = [[0.5, 0.5]], width = 320, height = 240) {
  const page = await chromium.open(url, width, height);
  try {
    await page.waitFor(ready);
    const shot = await page.screenshot();
    return points.map(([x, y]) => landmarkOf(shot.at(Math.round(x * (width - 1)), Math.round(y * (height - 1)))));
  } finally {
    await page.close();
  }
}

// The renders the viewers must place right; each view looks at a landmark
// (yaw, pitch in the world's frame, degrees), through viewers whose yaw is
// measured from the image's centre: the camera's heading plus centreYaw.
const cases = [
  { name: 'full.jpg', options: '', centreYaw: 0 },
  { name: 'full.png', options: '', centreYaw: 0 },
  { name: 'half.png', options: '--hfov 180 --vfov 90', centreYaw: 0 },
  { name: 'pitched.jpg', options: '--rotation 0,-20,0', centreYaw: 0 },
  { name: 'banked.png', options: '--rotation 0,0,15', centreYaw: 0 },
  { name: 'shifted.png', options: '--hshift 10', centreYaw: 36 },
  { name: 'partial.png', options: '--hfov 200 --vfov 100 --hshift 10 --vshift -15', centreYaw: 20 },
];
const views = [
  { yaw: 0, pitch: 0, landmark: 'front red' },
  { yaw: 90, pitch: 0, landmark: 'right green' },
  { yaw: -90, pitch: 0, landmark: 'left blue' },
  { yaw: 0, pitch: 90, landmark: 'up magenta' },
];
// Half 180x90 and the partial one do not see everything.
const seen = (c, v) =>
  (c.name !== 'half.png' || (Math.abs(v.yaw) < 90 && v.pitch < 45)) &&
  (c.name !== 'partial.png' || (v.yaw > -90 && v.pitch < 45));

const installed = (file) => existsSync(join(here, 'node_modules', file));
const pannellumInstalled = installed('pannellum/build/pannellum.js');
const notInstalled = (name) => `${name} is not installed (scripts/install-deps.sh)`;
// Pannellum's yaw is measured from the image's centre; Photo Sphere
// Viewer's is the compass heading, and our renders' camera heads north.
const realViewers = [
  { name: 'Pannellum', page: 'pannellum.html', skip: !pannellumInstalled && notInstalled('pannellum'),
    yaw: (c, v) => v.yaw - c.centreYaw },
  { name: 'Photo Sphere Viewer', page: 'psv.html', yaw: (c, v) => v.yaw,
    skip: !(installed('@photo-sphere-viewer/core/index.module.js') && installed('three/build/three.module.js')) &&
          notInstalled('@photo-sphere-viewer/core with three') },
];
for (const viewer of realViewers)
  test(`${viewer.name} places every render where the camera saw it`, { skip: viewer.skip }, async () => {
    for (const c of cases) {
      const image = render(c.name, c.options);
      for (const v of views.filter((v) => seen(c, v))) {
        const url = `file://${here}/${viewer.page}?image=${encodeURIComponent('file://' + image)}` +
                    `&yaw=${viewer.yaw(c, v)}&pitch=${v.pitch}&hfov=40&fov=30`;
        const [got] = await landmarksAt(url, 'document.documentElement.dataset.loaded');
        assert.equal(got, v.landmark, `${c.name} ${c.options} at yaw ${v.yaw} pitch ${v.pitch}`);
      }
    }
  });

test('Pannellum reads the pose and crop the image records', { skip: !pannellumInstalled && 'pannellum is not installed (scripts/install-deps.sh)' }, async () => {
  const image = render('config.png', '--hfov 200 --vfov 100 --hshift 10 --rotation 30,-20,5');
  const page = await chromium.open(`file://${here}/pannellum.html?image=${encodeURIComponent('file://' + image)}&hfov=60`, 200, 100);
  await page.waitFor('document.documentElement.dataset.loaded');
  const config = await page.evaluate('(({haov, vaov, vOffset, horizonPitch, horizonRoll, northOffset}) => ({haov, vaov, vOffset, horizonPitch, horizonRoll, northOffset}))(viewer.getConfig())');
  await page.close();
  assert.ok(Math.abs(config.haov - 200) < 0.5 && Math.abs(config.vaov - 100) < 0.5, JSON.stringify(config));
  assert.ok(Math.abs(config.horizonPitch) > 15 && Math.abs(config.horizonRoll) > 2, JSON.stringify(config));
  assert.ok(Math.abs(config.northOffset - 50) < 2, JSON.stringify(config));
});

// Our page shows the image in the camera's own frame: the level renders.
test('our page places every level render as Pannellum does', async () => {
  for (const c of cases.filter((c) => !c.options.includes('--rotation'))) {
    const image = render(c.name, c.options);
    execFileSync(host, ['view', image, '-o', `${image}.html`]);
    for (const v of views.filter((v) => seen(c, v))) {
      const [got] = await landmarksAt(`file://${image}.html#yaw=${v.yaw - c.centreYaw}&pitch=${v.pitch}&fov=40`,
                                      'document.documentElement.dataset.drawn');
      assert.equal(got, v.landmark, `${c.name} ${c.options} at yaw ${v.yaw} pitch ${v.pitch}`);
    }
  }
});

test('our page: no outline at its edges, fov along a tall window, full screen, device orientation', async () => {
  const image = render('page.png', '');
  execFileSync(host, ['view', image, '-o', `${image}.html`]);
  const url = `file://${image}.html`, drawn = 'document.documentElement.dataset.drawn';

  // The outermost rows and columns look like their neighbours.
  for (const renderer of ['webgl', '2d']) {
    const page = await chromium.open(`${url}#yaw=0&pitch=-30&fov=100&renderer=${renderer}`, 320, 240);
    await page.waitFor(drawn);
    const shot = await page.screenshot();
    const unlike = (a, b) => a.reduce((sum, v, i) => sum + Math.abs(v - b[i]), 0) > 60;
    let outline = 0, edge = 0;
    for (let x = 0; x < 320; ++x, edge += 2)
      outline += unlike(shot.at(x, 0), shot.at(x, 1)) + unlike(shot.at(x, 239), shot.at(x, 238));
    for (let y = 0; y < 240; ++y, edge += 2)
      outline += unlike(shot.at(0, y), shot.at(1, y)) + unlike(shot.at(319, y), shot.at(318, y));
    assert.ok(outline < edge * 0.05, `${renderer}: ${outline} of ${edge} edge pixels unlike the next`);
    await page.close();
  }

  // A tall window: fov spans its height, so 16 degrees keep the front box
  // (10 degrees each way) at its top edge.
  const [top] = await landmarksAt(`${url}#yaw=0&pitch=0&fov=16`, drawn, [[0.5, 0.03]], 200, 450);
  assert.equal(top, 'front red');

  const desktop = await chromium.open(`${url}#yaw=0&pitch=0&fov=60`, 320, 240);
  await desktop.waitFor(drawn);
  assert.equal(await desktop.evaluate("document.getElementById('orientation').hidden"), true);
  await desktop.close();
  const page = await chromium.open(`${url}#yaw=0&pitch=0&fov=60`, 320, 240, { touch: true });
  await page.waitFor(drawn);
  const button = async (id) => page.evaluate(`(() => { const b = document.getElementById('${id}');
    const r = b.getBoundingClientRect();
    return { hidden: b.hidden, pressed: b.getAttribute('aria-pressed'), x: r.x + r.width / 2, y: r.y + r.height / 2 };
  })()`);
  let fullscreen = await button('fullscreen');
  assert.equal(fullscreen.hidden, false);
  await page.click(fullscreen.x, fullscreen.y);
  await page.waitFor('document.fullscreenElement === document.documentElement', 5);
  const pressed = (value) => `document.getElementById('fullscreen').getAttribute('aria-pressed') === '${value}'`;
  await page.waitFor(pressed(true), 5);  // once the change event has come
  fullscreen = await button('fullscreen');
  await page.click(fullscreen.x, fullscreen.y);
  await page.waitFor('!document.fullscreenElement', 5);
  await page.waitFor(pressed(false), 5);

  // On a touch screen the button shows; off until asked, readings turn nothing.
  // Held upright (beta 90) and turned a quarter right (alpha 270), the
  // device looks at the right box.
  const orient = (alpha, beta, gamma) => page.evaluate(
    `dispatchEvent(new DeviceOrientationEvent('deviceorientation', { alpha: ${alpha}, beta: ${beta}, gamma: ${gamma} }))`);
  await orient(0, 90, 0);
  await orient(270, 90, 0);
  const motion = await button('orientation');
  assert.equal(motion.hidden, false);
  assert.equal(motion.pressed, 'false');
  await new Promise((r) => setTimeout(r, 500));
  assert.match(await page.evaluate('location.hash'), /yaw=0&pitch=0/);
  await chromium.grantSensors();
  await page.click(motion.x, motion.y);
  await page.waitFor("document.getElementById('orientation').getAttribute('aria-pressed') === 'true'", 5);
  await orient(0, 90, 0);
  await orient(270, 110, 0);
  await page.waitFor("location.hash.includes('yaw=90&pitch=20')", 5);
  await orient(270, 90, 0);
  await page.waitFor("location.hash.includes('yaw=90&pitch=0')", 5);
  const shot = await page.screenshot();
  assert.equal(landmarkOf(shot.at(160, 120)), 'right green');
  await page.close();
});
