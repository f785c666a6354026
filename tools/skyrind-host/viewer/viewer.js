// Looks around inside one panorama. The view is a pinhole camera turned by
// yaw (degrees, positive to the right) and pitch (degrees, positive up) from
// the panorama camera's forward; fov is the view's field of view across the
// window's longer side (across a wide window, down a tall one).
// Each screen pixel's ray is mapped back onto the image; rays the image does
// not cover are black.
//
// A stereo image shows one eye, the other, or both as a red-cyan anaglyph
// (red from the left eye, green and blue from the right); in a WebXR headset
// each eye sees its own. A dome master (angular fisheye) is looked at from
// inside the dome: zenith at the image's centre, front at its bottom.
//
// Directions are in the panorama camera's frame: x right, y up, z forward.
// The image is placed by two angles about a pole: longitude around the pole
// (0 at forward) and latitude towards it. An ordinary panorama has its pole
// up, longitude along the image's x (left to right) and latitude along y
// (bottom to top). A vertical panorama has its pole to the right, latitude
// along x (left to right) and longitude along y (bottom to top, 0 at forward,
// positive up).
'use strict';

(function () {
  const panorama = JSON.parse(document.getElementById('panorama').textContent);
  const canvas = document.getElementById('view');
  const status = document.getElementById('status');
  const fullscreenButton = document.getElementById('fullscreen');
  const orientationButton = document.getElementById('orientation');
  const eyeButton = document.getElementById('eye');
  const anaglyphButton = document.getElementById('anaglyph');
  const vrButton = document.getElementById('vr');
  const degree = Math.PI / 180;
  // A dome's first view looks up at its front, where the audience looks.
  const view = { yaw: 0, pitch: panorama.dome ? 30 : 0, fov: 90 };
  // What a stereo image shows: 'left', 'right' or 'anaglyph'.
  const stereo = panorama.stereo;
  let shown = 'left';
  const shownMode = () => ({ left: 0, right: 1, anaglyph: 2 })[shown];
  const limits = { minFov: 5, maxFov: 160 };

  function fail(message) {
    status.textContent = message;
    document.documentElement.dataset.drawn = 'failed';
  }

  // The address: #yaw=…&pitch=…&fov=… in degrees, renderer=webgl|2d, and for
  // a stereo image eye=left|right|anaglyph.
  function readAddress() {
    const fields = new URLSearchParams(location.hash.slice(1));
    for (const name of ['yaw', 'pitch', 'fov']) {
      const value = parseFloat(fields.get(name));
      if (Number.isFinite(value)) view[name] = value;
    }
    if (stereo && ['left', 'right', 'anaglyph'].includes(fields.get('eye'))) shown = fields.get('eye');
    clampView();
    return fields.get('renderer');
  }

  let addressTimer = 0;
  function writeAddress() {
    clearTimeout(addressTimer);
    addressTimer = setTimeout(() => {
      const round = (v) => Math.round(v * 100) / 100;
      const fields = new URLSearchParams(location.hash.slice(1));
      fields.set('yaw', round(view.yaw));
      fields.set('pitch', round(view.pitch));
      fields.set('fov', round(view.fov));
      if (stereo) fields.set('eye', shown);
      history.replaceState(null, '', '#' + fields.toString());
    }, 300);
  }

  function clampView() {
    view.yaw = ((((view.yaw + 180) % 360) + 360) % 360) - 180;
    view.pitch = Math.max(-90, Math.min(90, view.pitch));
    view.fov = Math.max(limits.minFov, Math.min(limits.maxFov, view.fov));
  }

  function showHeading() {
    const heading = (((panorama.headingDegrees + view.yaw) % 360) + 360) % 360;
    document.title = panorama.title + ' \u2014 heading ' + Math.round(heading) + '\u00b0';
  }

  // The screen's ray basis: forward, and the right and up steps per unit of
  // normalised screen position (-1…1 across the width, ±height/width down).
  // fov spans the longer side.
  function viewBasis(width, height) {
    const cy = Math.cos(view.yaw * degree), sy = Math.sin(view.yaw * degree);
    const cp = Math.cos(view.pitch * degree), sp = Math.sin(view.pitch * degree);
    const half = Math.tan((view.fov * degree) / 2) * Math.min(1, width / height);
    const forward = [sy * cp, sp, cy * cp];
    const right = [cy * half, 0, -sy * half];
    const up = [-sy * sp * half, cp * half, -cy * sp * half];
    return { forward, right, up, aspect: height / width };
  }

  // ---- WebGL: the inverse mapping per pixel in a fragment shader ----------
  const vertexSource = `
attribute vec2 corner;
varying vec2 screen;
void main() {
  screen = corner;
  gl_Position = vec4(corner, 0.0, 1.0);
}`;

  const fragmentSource = `
precision highp float;
varying vec2 screen;
uniform sampler2D leftImage, rightImage;
uniform vec4 leftRect, rightRect;  // each eye's part of its texture: left, top, width, height
uniform int mode;                  // 0 the left eye (or a mono image), 1 the right, 2 anaglyph
uniform vec3 forward, right, up;
uniform float aspect;
uniform bool verticalPanorama;
uniform vec4 placement;  // longitude start, span, latitude start, span (radians)
uniform bool dome;
uniform float domeHalfFov;  // radians from the zenith to the rim
uniform vec2 domeRadius;    // the circle's radius as shares of the image's width and height
const float PI = 3.14159265358979;

// The image position of a pole-frame longitude and latitude, or outside [0,1].
vec2 imagePosition(float lon, float lat) {
  float u = mod(lon - placement.x, 2.0 * PI) / placement.y;
  float v = (lat - placement.z) / placement.w;
  return verticalPanorama ? vec2(v, 1.0 - u) : vec2(u, 1.0 - v);
}

bool inside(vec2 p) { return all(greaterThanEqual(p, vec2(0.0))) && all(lessThanEqual(p, vec2(1.0))); }

// The image position (x from the left, y from the top) that shows unit
// direction d, or outside [0,1].
vec2 imagePoint(vec3 d) {
  if (dome) {
    // Angle from the zenith and bearing from the front towards the right.
    float zeta = acos(clamp(d.y, -1.0, 1.0));
    float alpha = atan(d.x, d.z);
    float rho = zeta / domeHalfFov;
    if (rho > 1.0) return vec2(-1.0);
    return vec2(0.5 + rho * sin(alpha) * domeRadius.x, 0.5 + rho * cos(alpha) * domeRadius.y);
  }
  vec3 pole = verticalPanorama ? vec3(d.y, d.x, d.z) : d;  // (around, towards pole, forward)
  float lon = atan(pole.x, pole.z);
  float lat = asin(clamp(pole.y, -1.0, 1.0));
  vec2 p = imagePosition(lon, lat);
  // A field past a pole covers the same rays again, half a turn round.
  if (!inside(p)) p = imagePosition(lon + PI, (lat > 0.0 ? PI : -PI) - lat);
  return p;
}

void main() {
  vec3 d = normalize(forward + screen.x * right + screen.y * aspect * up);
  vec2 p = imagePoint(d);
  if (!inside(p)) {
    gl_FragColor = vec4(0.0, 0.0, 0.0, 1.0);
    return;
  }
  vec3 l = texture2D(leftImage, leftRect.xy + p * leftRect.zw).rgb;
  vec3 r = texture2D(rightImage, rightRect.xy + p * rightRect.zw).rgb;
  vec3 c = mode == 0 ? l : mode == 1 ? r : vec3(l.r, r.g, r.b);
  gl_FragColor = vec4(c, 1.0);
}`;

  // Each eye's part of its image as shares (left, top, width, height): a
  // packed image holds both, a stereo photo's eyes are two images.
  const wholeImage = [0, 0, 1, 1];
  const eyeRects = {
    'top-bottom': { left: [0, 0, 1, 0.5], right: [0, 0.5, 1, 0.5] },
    'side-by-side': { left: [0, 0, 0.5, 1], right: [0.5, 0, 0.5, 1] },
  }[stereo && stereo.packing] || { left: wholeImage, right: wholeImage };

  // The dome's circle fills the image's shorter side.
  const domeRadius = () => {
    const aspect = panorama.dome.aspect;  // height / width
    return aspect < 1 ? [0.5 * aspect, 0.5] : [0.5, 0.5 / aspect];
  };

  // pictures: { left, right } images; right is left for a mono or packed one.
  function webglRenderer(pictures) {
    const gl = canvas.getContext('webgl', { antialias: false, preserveDrawingBuffer: true });
    if (!gl) return null;
    const compile = (type, source) => {
      const shader = gl.createShader(type);
      gl.shaderSource(shader, source);
      gl.compileShader(shader);
      if (!gl.getShaderParameter(shader, gl.COMPILE_STATUS)) throw new Error(gl.getShaderInfoLog(shader));
      return shader;
    };
    const program = gl.createProgram();
    gl.attachShader(program, compile(gl.VERTEX_SHADER, vertexSource));
    gl.attachShader(program, compile(gl.FRAGMENT_SHADER, fragmentSource));
    gl.linkProgram(program);
    if (!gl.getProgramParameter(program, gl.LINK_STATUS)) throw new Error(gl.getProgramInfoLog(program));
    gl.useProgram(program);

    const corners = gl.createBuffer();
    gl.bindBuffer(gl.ARRAY_BUFFER, corners);
    gl.bufferData(gl.ARRAY_BUFFER, new Float32Array([-1, -1, 1, -1, -1, 1, 1, 1]), gl.STATIC_DRAW);
    const corner = gl.getAttribLocation(program, 'corner');
    gl.enableVertexAttribArray(corner);
    gl.vertexAttribPointer(corner, 2, gl.FLOAT, false, 0, 0);

    // Textures larger than the device takes are scaled down first.
    const where = (name) => gl.getUniformLocation(program, name);
    const textureOf = (picture, unit) => {
      const texture = gl.createTexture();
      gl.activeTexture(gl.TEXTURE0 + unit);
      gl.bindTexture(gl.TEXTURE_2D, texture);
      gl.pixelStorei(gl.UNPACK_COLORSPACE_CONVERSION_WEBGL, gl.NONE);
      gl.texImage2D(gl.TEXTURE_2D, 0, gl.RGB, gl.RGB, gl.UNSIGNED_BYTE,
                    fitted(picture, gl.getParameter(gl.MAX_TEXTURE_SIZE)));
      for (const [name, value] of [[gl.TEXTURE_MIN_FILTER, gl.LINEAR], [gl.TEXTURE_MAG_FILTER, gl.LINEAR],
                                   [gl.TEXTURE_WRAP_S, gl.CLAMP_TO_EDGE], [gl.TEXTURE_WRAP_T, gl.CLAMP_TO_EDGE]])
        gl.texParameteri(gl.TEXTURE_2D, name, value);
    };
    textureOf(pictures.left, 0);
    if (pictures.right !== pictures.left) textureOf(pictures.right, 1);
    gl.uniform1i(where('leftImage'), 0);
    gl.uniform1i(where('rightImage'), pictures.right !== pictures.left ? 1 : 0);
    gl.uniform4fv(where('leftRect'), eyeRects.left);
    gl.uniform4fv(where('rightRect'), eyeRects.right);

    const p = panorama.placement;
    gl.uniform1i(where('verticalPanorama'), panorama.verticalPanorama ? 1 : 0);
    gl.uniform4f(where('placement'), p.longitudeStart * degree, p.longitudeSpan * degree,
                 p.latitudeStart * degree, p.latitudeSpan * degree);
    gl.uniform1i(where('dome'), panorama.dome ? 1 : 0);
    if (panorama.dome) {
      gl.uniform1f(where('domeHalfFov'), (panorama.dome.fovDegrees * degree) / 2);
      gl.uniform2fv(where('domeRadius'), domeRadius());
    }
    // One view into a viewport of the bound framebuffer.
    function drawView(viewport, basis, mode) {
      gl.viewport(viewport.x, viewport.y, viewport.width, viewport.height);
      gl.uniform3fv(where('forward'), basis.forward);
      gl.uniform3fv(where('right'), basis.right);
      gl.uniform3fv(where('up'), basis.up);
      gl.uniform1f(where('aspect'), basis.aspect);
      gl.uniform1i(where('mode'), mode);
      gl.drawArrays(gl.TRIANGLE_STRIP, 0, 4);
    }
    return {
      name: 'webgl',
      scale: window.devicePixelRatio || 1,
      gl,
      drawView,
      draw() {
        gl.bindFramebuffer(gl.FRAMEBUFFER, null);
        drawView({ x: 0, y: 0, width: canvas.width, height: canvas.height },
                 viewBasis(canvas.width, canvas.height), shownMode());
      },
    };
  }

  // The picture, or a copy scaled to fit size×size.
  function fitted(picture, size) {
    const scale = Math.min(1, size / picture.width, size / picture.height);
    if (scale === 1) return picture;
    const copy = document.createElement('canvas');
    copy.width = Math.floor(picture.width * scale);
    copy.height = Math.floor(picture.height * scale);
    copy.getContext('2d').drawImage(picture, 0, 0, copy.width, copy.height);
    return copy;
  }

  // ---- 2D canvas: the same mapping in script, nearest pixel ---------------
  // A picture's RGBA texels, scaled to fit 4096 pixels.
  function texelsOf(picture) {
    const source = fitted(picture, 4096);
    const copy = document.createElement('canvas');
    copy.width = source.width;
    copy.height = source.height;
    const copyContext = copy.getContext('2d');
    copyContext.drawImage(source, 0, 0);
    return { data: copyContext.getImageData(0, 0, copy.width, copy.height).data, width: copy.width, height: copy.height };
  }

  function canvasRenderer(pictures) {
    const context = canvas.getContext('2d');
    if (!context) return null;
    const leftTexels = texelsOf(pictures.left);
    const rightTexels = pictures.right === pictures.left ? leftTexels : texelsOf(pictures.right);
    const p = panorama.placement;
    const lon0 = p.longitudeStart * degree, lonSpan = p.longitudeSpan * degree;
    const lat0 = p.latitudeStart * degree, latSpan = p.latitudeSpan * degree;
    const vertical = panorama.verticalPanorama;
    const turn = 2 * Math.PI;
    const domeHalfFov = panorama.dome && (panorama.dome.fovDegrees * degree) / 2;
    const radius = panorama.dome && domeRadius();

    // The image point [x, y] of a pole-frame longitude and latitude, or null.
    function point(lon, lat) {
      const u = ((((lon - lon0) % turn) + turn) % turn) / lonSpan;
      const v = (lat - lat0) / latSpan;
      const x = vertical ? v : u, y = vertical ? 1 - u : 1 - v;
      return x >= 0 && x <= 1 && y >= 0 && y <= 1 ? [x, y] : null;
    }
    // The image point of a unit direction, or null, as the shader finds it.
    function imagePoint(dx, dy, dz) {
      if (panorama.dome) {
        const rho = Math.acos(Math.max(-1, Math.min(1, dy))) / domeHalfFov;
        const alpha = Math.atan2(dx, dz);
        if (rho > 1) return null;
        return [0.5 + rho * Math.sin(alpha) * radius[0], 0.5 + rho * Math.cos(alpha) * radius[1]];
      }
      if (vertical) [dx, dy] = [dy, dx];
      const lon = Math.atan2(dx, dz);
      const lat = Math.asin(Math.max(-1, Math.min(1, dy)));
      return point(lon, lat) || point(lon + Math.PI, (lat > 0 ? Math.PI : -Math.PI) - lat);
    }
    // The texel index of an eye's image point.
    function texel(texels, rect, [x, y]) {
      const tx = Math.min(texels.width - 1, Math.floor((rect[0] + x * rect[2]) * texels.width));
      const ty = Math.min(texels.height - 1, Math.floor((rect[1] + y * rect[3]) * texels.height));
      return 4 * (ty * texels.width + tx);
    }

    return {
      name: '2d',
      scale: 1,
      draw() {
        const w = canvas.width, h = canvas.height;
        const b = viewBasis(w, h);
        const mode = shownMode();
        const frame = context.createImageData(w, h);
        const out = frame.data;
        const l = leftTexels.data, r = rightTexels.data;
        for (let row = 0; row < h; ++row) {
          const sy = (1 - (2 * (row + 0.5)) / h) * b.aspect;
          for (let col = 0; col < w; ++col) {
            const sx = (2 * (col + 0.5)) / w - 1;
            const dx = b.forward[0] + sx * b.right[0] + sy * b.up[0];
            const dy = b.forward[1] + sx * b.right[1] + sy * b.up[1];
            const dz = b.forward[2] + sx * b.right[2] + sy * b.up[2];
            const length = Math.hypot(dx, dy, dz);
            const at = imagePoint(dx / length, dy / length, dz / length);
            const o = 4 * (row * w + col);
            out[o + 3] = 255;
            if (!at) continue;
            const li = texel(leftTexels, eyeRects.left, at), ri = texel(rightTexels, eyeRects.right, at);
            out[o] = mode === 1 ? r[ri] : l[li];
            out[o + 1] = mode === 0 ? l[li + 1] : r[ri + 1];
            out[o + 2] = mode === 0 ? l[li + 2] : r[ri + 2];
          }
        }
        context.putImageData(frame, 0, 0);
      },
    };
  }

  // ---- Looking around ------------------------------------------------------
  let renderer = null;
  let pending = false;
  function redraw() {
    if (pending || !renderer || xrSession) return;
    pending = true;
    requestAnimationFrame(() => {
      pending = false;
      const scale = renderer.scale;
      const w = Math.max(1, Math.round(canvas.clientWidth * scale));
      const h = Math.max(1, Math.round(canvas.clientHeight * scale));
      if (canvas.width !== w || canvas.height !== h) canvas.width = w, canvas.height = h;
      renderer.draw();
      showHeading();
      document.documentElement.dataset.drawn = renderer.name;
    });
  }

  function changed() {
    clampView();
    redraw();
    writeAddress();
  }

  // Degrees of view per screen pixel, along the longer side.
  const degreesPerPixel = () => view.fov / Math.max(1, canvas.clientWidth, canvas.clientHeight);

  const pointers = new Map();
  let pinchDistance = 0;
  const spread = () => {
    const [a, b] = [...pointers.values()];
    return Math.hypot(a.x - b.x, a.y - b.y);
  };
  canvas.addEventListener('pointerdown', (event) => {
    canvas.setPointerCapture(event.pointerId);
    pointers.set(event.pointerId, { x: event.clientX, y: event.clientY });
    if (pointers.size === 2) pinchDistance = spread();
  });
  canvas.addEventListener('pointermove', (event) => {
    const last = pointers.get(event.pointerId);
    if (!last) return;
    const dx = event.clientX - last.x, dy = event.clientY - last.y;
    pointers.set(event.pointerId, { x: event.clientX, y: event.clientY });
    if (pointers.size === 2) {
      const distance = spread();
      if (pinchDistance > 0 && distance > 0) view.fov *= pinchDistance / distance;
      pinchDistance = distance;
    } else {
      // The image follows the pointer.
      view.yaw -= dx * degreesPerPixel();
      view.pitch += dy * degreesPerPixel();
    }
    changed();
  });
  const release = (event) => {
    pointers.delete(event.pointerId);
    pinchDistance = 0;
  };
  canvas.addEventListener('pointerup', release);
  canvas.addEventListener('pointercancel', release);
  canvas.addEventListener('wheel', (event) => {
    event.preventDefault();
    view.fov *= Math.exp(event.deltaY * (event.deltaMode ? 0.05 : 0.001));
    changed();
  }, { passive: false });
  window.addEventListener('keydown', (event) => {
    const step = view.fov / 18;
    const keys = {
      ArrowLeft: () => (view.yaw -= step),
      ArrowRight: () => (view.yaw += step),
      ArrowUp: () => (view.pitch += step),
      ArrowDown: () => (view.pitch -= step),
      '+': () => (view.fov /= 1.1),
      '=': () => (view.fov /= 1.1),
      '-': () => (view.fov *= 1.1),
      f: toggleFullscreen,
      ...(stereo ? { e: switchEye, a: toggleAnaglyph } : {}),
    };
    if (!keys[event.key]) return;
    event.preventDefault();
    keys[event.key]();
    changed();
  });
  window.addEventListener('resize', redraw);

  // ---- Stereo: one eye, the other, or the anaglyph ------------------------
  let lastEye = 'left';  // the eye the anaglyph returns to
  function showStereoState() {
    if (!stereo) return;
    const eye = shown === 'anaglyph' ? lastEye : shown;
    eyeButton.textContent = eye === 'left' ? 'Left eye' : 'Right eye';
    eyeButton.setAttribute('aria-pressed', String(shown === 'right'));
    anaglyphButton.setAttribute('aria-pressed', String(shown === 'anaglyph'));
    document.documentElement.dataset.eye = shown;
  }
  function switchEye() {
    shown = lastEye = (shown === 'anaglyph' ? lastEye : shown) === 'left' ? 'right' : 'left';
    showStereoState();
  }
  function toggleAnaglyph() {
    if (shown !== 'anaglyph') lastEye = shown;
    shown = shown === 'anaglyph' ? lastEye : 'anaglyph';
    showStereoState();
  }
  if (stereo) {
    eyeButton.hidden = anaglyphButton.hidden = false;
    eyeButton.addEventListener('click', () => (switchEye(), changed()));
    anaglyphButton.addEventListener('click', () => (toggleAnaglyph(), changed()));
  }

  // ---- WebXR: each eye its own image in a headset ---------------------------
  // The button shows where the browser offers immersive-vr and the page draws
  // with WebGL. Each view of the headset's pose is drawn like the page's
  // view: its projection and orientation give the ray basis (WebXR looks
  // down -z; our frame looks down +z), turned by the page's yaw so the
  // headset starts where the page looked; its eye picks the image.
  let xrSession = null;
  function xrBasis(xrView) {
    const P = xrView.projectionMatrix, M = xrView.transform.matrix;
    const sx = P[0], sy = P[5], ox = P[8], oy = P[9];
    const cosYaw = Math.cos(view.yaw * degree), sinYaw = Math.sin(view.yaw * degree);
    // View space → reference space (M's rotation) → our frame, turned by yaw.
    const toPage = (x, y, z) => {
      const wx = M[0] * x + M[4] * y + M[8] * z;
      const wy = M[1] * x + M[5] * y + M[9] * z;
      const wz = -(M[2] * x + M[6] * y + M[10] * z);
      return [wx * cosYaw + wz * sinYaw, wy, -wx * sinYaw + wz * cosYaw];
    };
    return { forward: toPage(ox / sx, oy / sy, -1), right: toPage(1 / sx, 0, 0), up: toPage(0, 1 / sy, 0), aspect: 1 };
  }
  async function enterVr() {
    if (xrSession) return xrSession.end();
    const gl = renderer.gl;
    try {
      const session = await navigator.xr.requestSession('immersive-vr');
      if (gl.makeXRCompatible) await gl.makeXRCompatible();
      session.updateRenderState({ baseLayer: new XRWebGLLayer(session, gl) });
      const space = await session.requestReferenceSpace('local');
      xrSession = session;
      vrButton.setAttribute('aria-pressed', 'true');
      session.addEventListener('end', () => {
        xrSession = null;
        vrButton.setAttribute('aria-pressed', 'false');
        redraw();
      });
      const onFrame = (time, frame) => {
        if (!xrSession) return;
        session.requestAnimationFrame(onFrame);
        const pose = frame.getViewerPose(space);
        if (!pose) return;
        const layer = session.renderState.baseLayer;
        gl.bindFramebuffer(gl.FRAMEBUFFER, layer.framebuffer);
        for (const xrView of pose.views)
          renderer.drawView(layer.getViewport(xrView), xrBasis(xrView), xrView.eye === 'right' ? 1 : 0);
        document.documentElement.dataset.xrFrames = Number(document.documentElement.dataset.xrFrames || 0) + 1;
      };
      session.requestAnimationFrame(onFrame);
    } catch (error) {
      fail('VR could not start: ' + error.message);
    }
  }
  vrButton.addEventListener('click', enterVr);
  async function offerVr() {
    if (!stereo || !renderer || renderer.name !== 'webgl' || !navigator.xr) return;
    try {
      if (await navigator.xr.isSessionSupported('immersive-vr')) vrButton.hidden = false;
    } catch {}  // not allowed here (an insecure context, a policy): no button
  }

  // ---- Full screen -----------------------------------------------------------
  const root = document.documentElement;
  const fullscreenElement = () => document.fullscreenElement || document.webkitFullscreenElement;
  function toggleFullscreen() {
    if (fullscreenElement()) (document.exitFullscreen || document.webkitExitFullscreen).call(document);
    else (root.requestFullscreen || root.webkitRequestFullscreen).call(root);
  }
  fullscreenButton.hidden = !(document.fullscreenEnabled || document.webkitFullscreenEnabled);
  fullscreenButton.addEventListener('click', toggleFullscreen);
  for (const name of ['fullscreenchange', 'webkitfullscreenchange'])
    document.addEventListener(name, () => {
      fullscreenButton.setAttribute('aria-pressed', String(Boolean(fullscreenElement())));
      redraw();
    });

  // ---- Device orientation: off until the button asks for it ----------------
  // The direction out of the device's back, from the W3C angles (alpha about
  // the world's up, then beta about the device's x, then gamma about its y;
  // world x east, y north, z up), as a compass heading and an elevation in
  // degrees. The screen's own rotation does not move that direction.
  function deviceLook(event) {
    const a = event.alpha * degree, b = event.beta * degree, g = event.gamma * degree;
    const x = -(Math.sin(g) * Math.cos(a) + Math.cos(g) * Math.sin(b) * Math.sin(a));
    const y = -(Math.sin(g) * Math.sin(a) - Math.cos(g) * Math.sin(b) * Math.cos(a));
    const z = -Math.cos(g) * Math.cos(b);
    return { heading: Math.atan2(x, y) / degree, elevation: Math.asin(Math.max(-1, Math.min(1, z))) / degree };
  }
  let motion = null;  // while on: the view's yaw less the device's heading
  // Phones and tablets only: a desktop browser may have the interface but
  // no sensor worth holding up.
  const handheld = navigator.maxTouchPoints > 0;
  function onOrientation(event) {
    if (event.alpha === null || event.beta === null || event.gamma === null) return;
    if (handheld) orientationButton.hidden = false;  // the device has the sensor
    if (!motion) return;
    const look = deviceLook(event);
    if (motion.offset === null) motion.offset = view.yaw - look.heading;
    view.yaw = look.heading + motion.offset;
    view.pitch = look.elevation;
    changed();
  }
  window.addEventListener('deviceorientation', onOrientation);
  // iOS asks the user, and only from a tap; there the button shows at once.
  const askPermission = window.DeviceOrientationEvent && DeviceOrientationEvent.requestPermission;
  if (askPermission && handheld) orientationButton.hidden = false;
  orientationButton.addEventListener('click', async () => {
    if (!motion && askPermission) {
      try {
        if ((await DeviceOrientationEvent.requestPermission()) !== 'granted') return;
      } catch (error) {
        return fail('Motion is not allowed: ' + error.message);
      }
    }
    motion = motion ? null : { offset: null };
    orientationButton.setAttribute('aria-pressed', String(Boolean(motion)));
  });
  window.addEventListener('hashchange', () => {
    readAddress();
    showStereoState();
    redraw();
  });

  // ---- Start ---------------------------------------------------------------
  const wanted = readAddress();
  showStereoState();
  const decoded = (source) => new Promise((resolve, reject) => {
    const picture = new Image();
    picture.onload = () => resolve(picture);
    picture.onerror = () => reject(new Error('The image could not be decoded.'));
    picture.src = source;
  });
  const rightSource = stereo && stereo.packing === 'separate' ? stereo.rightImage : null;
  Promise.all([decoded(panorama.image), rightSource ? decoded(rightSource) : null]).then(([left, right]) => {
    const pictures = { left, right: right || left };
    try {
      // renderer=webgl insists on WebGL; renderer=2d never tries it.
      if (wanted !== '2d') renderer = webglRenderer(pictures);
      if (!renderer && wanted === 'webgl') return fail('WebGL is not available.');
      if (!renderer) renderer = canvasRenderer(pictures);
      if (!renderer) return fail('This browser has neither WebGL nor a 2D canvas.');
      redraw();
      offerVr();
    } catch (error) {
      fail('The viewer failed: ' + error.message);
    }
  }, (error) => fail(error.message));
})();
