#include "camera/ray_reference.h"

#include <cmath>

#include "camera/runtime_math.h"

namespace skyrind {
namespace {

using Matrix = double[4][4];  // row-major, applied to row vectors

void load(const Vec3 &v, double out[3]) {
  out[0] = v.x;
  out[1] = v.y;
  out[2] = v.z;
}

// Axis-angle rotation (Rodrigues form) about axis / |axis|.
void buildRotation(Matrix M, const double axis[3], double angle) {
  const double length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
  const double ux = axis[0] / length, uy = axis[1] / length, uz = axis[2] / length;
  const double c = runtimeCos(angle), s = runtimeSin(angle), t = 1 - c;
  M[0][0] = c + t * (ux * ux);
  M[0][1] = t * ux * uy + s * uz;
  M[0][2] = t * ux * uz - s * uy;
  M[0][3] = 0;
  M[1][0] = t * ux * uy - s * uz;
  M[1][1] = c + t * (uy * uy);
  M[1][2] = t * uy * uz + s * ux;
  M[1][3] = 0;
  M[2][0] = t * ux * uz + s * uy;
  M[2][1] = t * uy * uz - s * ux;
  M[2][2] = c + t * (uz * uz);
  M[2][3] = 0;
  M[3][0] = 0;
  M[3][1] = 0;
  M[3][2] = 0;
  M[3][3] = 1;
}

// out = in·M with an implied w of 1; `out` may be `in`.
void transformPoint(const Matrix M, const double in[3], double out[3]) {
  double r[3];
  for (int j = 0; j < 3; ++j) r[j] = in[0] * M[0][j] + in[1] * M[1][j] + in[2] * M[2][j] + M[3][j];
  for (int j = 0; j < 3; ++j) out[j] = r[j];
}

struct Working {
  double X, Y, lensR[3], lensU[3], T[3], W[3];
  double right[3], up[3];
};

void horizontalStep(const FrameSample &s, Working &w) {
  if (s.hPerspective) {
    for (int j = 0; j < 3; ++j) w.T[j] = w.T[j] + (w.X * s.planeScaleX) * w.right[j];
    return;
  }
  Matrix M;
  buildRotation(M, w.up, +(w.X * s.angleScaleX));
  transformPoint(M, w.T, w.T);
  transformPoint(M, w.W, w.W);
  transformPoint(M, w.lensR, w.lensR);
}

void verticalStep(const FrameSample &s, Working &w) {
  if (s.vPerspective) {
    for (int j = 0; j < 3; ++j) w.T[j] = w.T[j] + (w.Y * s.planeScaleY) * w.up[j];
    return;
  }
  Matrix M;
  buildRotation(M, w.right, -(w.Y * s.angleScaleY));
  transformPoint(M, w.T, w.T);
  transformPoint(M, w.W, w.W);
  transformPoint(M, w.lensU, w.lensU);
}

}  // namespace

Ray referenceRay(const FrameSample &s, double filmX, double filmY, double lensX, double lensY) {
  Working w;
  load(s.right, w.right);
  load(s.up, w.up);
  w.X = s.shiftX + filmX;
  w.Y = s.shiftY + filmY;
  double forward[3], focusForward[3];
  load(s.forward, forward);
  load(s.focusForward, focusForward);
  for (int j = 0; j < 3; ++j) {
    w.lensR[j] = s.lensRadius * lensX * w.right[j];
    w.lensU[j] = s.lensRadius * lensY * w.up[j];
    w.T[j] = focusForward[j];
    w.W[j] = forward[j];
  }
  if (s.verticalPanorama) {
    horizontalStep(s, w);
    verticalStep(s, w);
  } else {
    verticalStep(s, w);
    horizontalStep(s, w);
  }
  double D[3], position[3], origin[3], direction[3];
  load(s.position, position);
  for (int j = 0; j < 3; ++j) D[j] = w.T[j] - w.lensR[j] - w.lensU[j];
  const double length = std::sqrt(D[0] * D[0] + D[1] * D[1] + D[2] * D[2]);
  for (int j = 0; j < 3; ++j) {
    origin[j] = position[j] + w.lensR[j] + w.lensU[j];
    direction[j] = length == 0 ? w.W[j] : D[j] / length;
  }
  return {{origin[0], origin[1], origin[2]},
          {direction[0], direction[1], direction[2]},
          {w.W[0], w.W[1], w.W[2]}};
}

}  // namespace skyrind
