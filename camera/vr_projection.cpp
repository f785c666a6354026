#include "camera/vr_projection.h"

#include <cmath>
#include <limits>

#include "camera/runtime_math.h"

namespace skyrind {
namespace {

double dot(const Vec3 &a, const Vec3 &b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

bool finite(const Vec3 &v) {
  return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

// The eyes the whole frame shows: the one the host asks for, else the
// settings' layout.
StereoEyes frameEyes(const VrSample &s, EyeRequest request) {
  switch (request) {
    case EyeRequest::Left:
      return StereoEyes::Left;
    case EyeRequest::Right:
      return StereoEyes::Right;
    case EyeRequest::Centre:
      break;
  }
  return static_cast<StereoEyes>(s.stereo.eyes);
}

// ---- Forward: film position to ray -------------------------------------

// d(λ, φ) = cos φ · sin λ · R + sin φ · U + cos φ · cos λ · F.
Vec3 sphereDirection(const VrSample &s, SinCos lon, SinCos lat) {
  const double r = lat.c * lon.s, u = lat.s, f = lat.c * lon.c;
  return r * s.right + u * s.up + f * s.forward;
}

// m(φ) from a = |φ|: 1 up to `from`, 0 from `to` on, and between them
// cos(π/2 · (a − f) / (t − f)). When t ≤ f the eyes merge at once past f.
// One branch, taken in the band alone, so that most rays are predicted.
double poleMerge(const VrSample &s, double a) {
  const double f = s.stereo.poleMergeFrom, t = s.stereo.poleMergeTo;
  if (a > f && a < t) return runtimeCos(s.halfPi * (a - f) / (t - f));
  return a <= f ? 1.0 : 0.0;
}

// `out` = ray where all of it is finite: one test of one sum, whose NaN
// stays a NaN, rather than a branch per component.
bool deliver(const Ray &ray, Ray &out) {
  if (!finite(ray.origin) || !finite(ray.direction) || !finite(ray.facing)) return false;
  out = ray;
  return true;
}

// The ray of an eye at o = offset · along from P (offset in metres, along a
// unit vector) looking along d, or, converged, towards P + C · d.
bool eyeRay(const VrSample &s, const Vec3 &d, double offset, const Vec3 &along, Ray &out) {
  Ray ray;
  ray.origin = s.position + offset * along;
  ray.direction = d;
  if (s.stereo.convergence != 0.0) {
    // normalize(C · d − o), worked on (C · k) · d − (offset · k) · along for
    // the sample's power of two k: the same bits where nothing overflows or
    // underflows, and neither for any C and b. With the eye at P + C · d
    // itself (a VR180 lens at the convergence distance) there is no such
    // direction; it looks along d.
    const Vec3 v = s.aimConvergence * d - (offset * s.aimScale) * along;
    const double length2 = dot(v, v);
    if (length2 >= std::numeric_limits<double>::min()) {
      const double length = std::sqrt(length2);
      ray.direction = {v.x / length, v.y / length, v.z / length};
    }
  }
  ray.facing = d;
  return deliver(ray, out);
}

// An omni-directional stereo eye at longitude λ and latitude φ: the eye
// offset o = side · (b / 2) · m(φ) · r(λ) along the viewer's right at that
// heading, r(λ) = cos λ · R − sin λ · F; side −1 for the left eye, +1 right.
bool omniRay(const VrSample &s, double lambda, double phi, double side, Ray &out) {
  const SinCos lon = sinCos(lambda), lat = sinCos(phi);
  const Vec3 d = sphereDirection(s, lon, lat);
  const double offset = side * s.halfSeparation * poleMerge(s, std::fabs(phi));
  const Vec3 r = lon.c * s.right - lon.s * s.forward;
  return eyeRay(s, d, offset, r, out);
}

// +1 where p ≥ 0 (−0 included: −0 + 0 is +0), −1 below. A sign copied, not
// a branch: the halves of a frame alternate unpredictably across a
// render's samples.
double sign(double p) {
  return std::copysign(1.0, p + 0.0);
}

// Stereo 360: each eye an equirectangular image of the whole sphere;
// λ = 2π · X, φ = π · Ye. With both eyes the left is on top (Y ≥ 0,
// Ye = 2Y − 1/2) and the right below (Ye = 2Y + 1/2), so that
// φ = 2π · Y + side · π/2.
bool stereo360Ray(const VrSample &s, double filmX, double filmY, StereoEyes eyes, Ray &out) {
  const double lambda = filmX * s.turnPerWidth;
  if (eyes == StereoEyes::Both) {
    const double side = -sign(filmY);
    return omniRay(s, lambda, filmY * s.turnPerHeight + side * s.halfPi, side, out);
  }
  const double side = eyes == StereoEyes::Left ? -1.0 : 1.0;
  return omniRay(s, lambda, filmY * s.halfTurnPerHeight, side, out);
}

// VR180: each eye an equirectangular image of the half sphere ahead;
// λ = π · Xe, φ = π · Y. With both eyes the left is on the left (X < 0,
// Xe = 2X + 1/2) and the right on the right (Xe = 2X − 1/2), so that
// λ = 2π · X − side · π/2. Parallel cameras sit at side · (b / 2) · R
// whatever the heading, without pole merge.
bool vr180Ray(const VrSample &s, double filmX, double filmY, StereoEyes eyes, Ray &out) {
  double lambda = filmX * s.halfTurnPerWidth, side = eyes == StereoEyes::Left ? -1.0 : 1.0;
  if (eyes == StereoEyes::Both) {
    side = sign(filmX);
    lambda = filmX * s.turnPerWidth - side * s.halfPi;
  }
  const double phi = filmY * s.halfTurnPerHeight;
  if (s.stereo.parallelCameras == 0) return omniRay(s, lambda, phi, side, out);
  const SinCos lon = sinCos(lambda), lat = sinCos(phi);
  return eyeRay(s, sphereDirection(s, lon, lat), side * s.halfSeparation, s.right, out);
}

// Dome master: the angular fisheye in the circle of radius h = min(W, H) / 2
// about the film's centre. ρ = √(x² + y²) / h; the angle from the axis
// ζ = ρ · Φ / 2 and the bearing α = atan2(x, −y), whose cosine and sine are
// −y / √(x² + y²) and x / √(x² + y²) (any bearing at the centre, where
// ζ = 0). d = cos ζ · A + sin ζ · (cos α · Fd + sin α · R), from P.
bool domeRay(const VrSample &s, double x, double y, Ray &out) {
  const double fromCentre = std::sqrt(x * x + y * y);
  const double rho = fromCentre / s.domeRadius;
  if (rho > 1) return false;
  const SinCos zeta = sinCos(rho * s.domeHalfFov);
  SinCos bearing{0.0, 1.0};
  if (fromCentre > 0) bearing = {x / fromCentre, -y / fromCentre};
  const Vec3 across = bearing.c * s.domeFront + bearing.s * s.right;
  const Vec3 d = zeta.c * s.domeAxis + zeta.s * across;
  return deliver({s.position, d, d}, out);
}

// ---- Inverse: direction to film position ---------------------------------

// The longitude and latitude of a direction (any length) in the sample's
// axes.
struct LonLat {
  double lambda, phi;
};
LonLat lonLat(const VrSample &s, const Vec3 &v) {
  const double r = dot(v, s.right), u = dot(v, s.up), f = dot(v, s.forward);
  return {std::atan2(r, f), std::atan2(u, std::hypot(r, f))};
}

// An eye's own film coordinate e (Ye or Xe, in [−1/2, 1/2]) across the
// frame: the whole frame where it shows that eye alone, a half where it
// shows both, the left eye's half shifted by leftShift / 2 and the right's
// the other way. False where the frame shows the other eye alone.
bool acrossFrame(StereoEyes eyes, Eye eye, double e, double leftShift, double &frame) {
  if (eyes == StereoEyes::Both) {
    frame = (e + (eye == Eye::Left ? leftShift : -leftShift)) / 2;
    return true;
  }
  frame = e;
  return (eyes == StereoEyes::Left) == (eye == Eye::Left);
}

// X = λ / 2π; Ye = φ / π, the left eye's half on top.
bool stereo360Film(const VrSample &s, StereoEyes eyes, Eye eye, const Vec3 &v, double &X,
                   double &Y) {
  const LonLat a = lonLat(s, v);
  X = a.lambda / (s.pi + s.pi);
  return acrossFrame(eyes, eye, a.phi / s.pi, 0.5, Y);
}

// Xe = λ / π, the left eye's half on the left; Y = φ / π.
bool vr180Film(const VrSample &s, StereoEyes eyes, Eye eye, const Vec3 &v, double &X, double &Y) {
  const LonLat a = lonLat(s, v);
  if (std::fabs(a.lambda) > s.halfPi) return false;  // behind the lens
  Y = a.phi / s.pi;
  return acrossFrame(eyes, eye, a.lambda / s.pi, -0.5, X);
}

// Film units directly: ρ = ζ / (Φ / 2), x = ρ · h · sin α, y = −ρ · h · cos α.
bool domeFilm(const VrSample &s, const Vec3 &v, double &x, double &y) {
  const double a = dot(v, s.domeAxis), fd = dot(v, s.domeFront), r = dot(v, s.right);
  const double zeta = std::atan2(std::hypot(fd, r), a);
  if (zeta > s.domeHalfFov) return false;
  const double rho = zeta / s.domeHalfFov;
  const SinCos alpha = sinCos(std::atan2(r, fd));
  x = rho * s.domeRadius * alpha.s;
  y = -(rho * s.domeRadius * alpha.c);
  return true;
}

}  // namespace

bool traceVrRay(const VrSample &sample, VrCamera camera, double filmX, double filmY,
                EyeRequest request, Ray &out) {
  switch (camera) {
    case VrCamera::Stereo360:
      return stereo360Ray(sample, filmX, filmY, frameEyes(sample, request), out);
    case VrCamera::VR180:
      return vr180Ray(sample, filmX, filmY, frameEyes(sample, request), out);
    case VrCamera::Dome:
      return domeRay(sample, filmX, filmY, out);
  }
  return false;
}

bool vrFilmPosition(const VrSample &sample, VrCamera camera, EyeRequest request, Eye eye,
                    const Vec3 &direction, double &filmX, double &filmY) {
  const bool zero = direction.x == 0.0 && direction.y == 0.0 && direction.z == 0.0;
  if (zero || !finite(direction)) return false;
  double x = 0.0, y = 0.0;
  bool shown = false;
  switch (camera) {
    case VrCamera::Stereo360:
      shown = stereo360Film(sample, frameEyes(sample, request), eye, direction, x, y);
      x *= sample.film.width;
      y *= sample.film.height;
      break;
    case VrCamera::VR180:
      shown = vr180Film(sample, frameEyes(sample, request), eye, direction, x, y);
      x *= sample.film.width;
      y *= sample.film.height;
      break;
    case VrCamera::Dome:
      shown = domeFilm(sample, direction, x, y);
      break;
  }
  if (!shown || !std::isfinite(x) || !std::isfinite(y)) return false;
  filmX = x;
  filmY = y;
  return true;
}

}  // namespace skyrind
