#include "plain_transcription.h"

#include <cmath>
#include <cstdint>

#include "camera/runtime_math.h"

namespace plain {
namespace {

void fieldOfView(const Switches &sw, double h, double v, double W, double Hf, double &Heff,
                 double &Veff) {
  if (sw.autoVFov) {
    Heff = h;
    if (sw.hPerspective && sw.vPerspective)
      Veff = 2 * std::atan(std::tan(h / 2) * Hf / W);
    else if (sw.hPerspective)
      Veff = 2 * std::tan(h / 2) * Hf / W;
    else if (sw.vPerspective)
      Veff = 2 * std::atan((h / 2) * Hf / W);
    else
      Veff = h * Hf / W;
  } else if (sw.autoHFov) {
    Veff = v;
    if (sw.vPerspective && sw.hPerspective)
      Heff = 2 * std::atan(std::tan(v / 2) * W / Hf);
    else if (sw.vPerspective)
      Heff = 2 * std::tan(v / 2) * W / Hf;
    else if (sw.hPerspective)
      Heff = 2 * std::atan((v / 2) * W / Hf);
    else
      Heff = v * W / Hf;
  } else {
    Heff = h;
    Veff = v;
  }
}

void itemParam(const refhost::Item &item, int code, double t, double out[3]) {
  out[0] = out[1] = out[2] = 0;
  item.param(code, t, out);
}

using Matrix = double[4][4];

void buildRotation(Matrix M, const double axis[3], double angle) {
  const double length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
  const double ux = axis[0] / length, uy = axis[1] / length, uz = axis[2] / length;
  const double c = skyrind::runtimeCos(angle), s = skyrind::runtimeSin(angle), t = 1 - c;
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

void transformPoint(const Matrix M, const double in[3], double out[3]) {
  double r[3];
  for (int j = 0; j < 3; ++j) r[j] = in[0] * M[0][j] + in[1] * M[1][j] + in[2] * M[2][j] + M[3][j];
  for (int j = 0; j < 3; ++j) out[j] = r[j];
}

struct Working {
  double X, Y, lensR[3], lensU[3], T[3], W[3];
};

void horizontalStep(const Sample &s, Working &w) {
  if (s.hPerspective) {
    for (int j = 0; j < 3; ++j) w.T[j] = w.T[j] + (w.X * s.planeScaleX) * s.right[j];
    return;
  }
  Matrix M;
  buildRotation(M, s.up, +(w.X * s.angleScaleX));
  transformPoint(M, w.T, w.T);
  transformPoint(M, w.W, w.W);
  transformPoint(M, w.lensR, w.lensR);
}

void verticalStep(const Sample &s, Working &w) {
  if (s.vPerspective) {
    for (int j = 0; j < 3; ++j) w.T[j] = w.T[j] + (w.Y * s.planeScaleY) * s.up[j];
    return;
  }
  Matrix M;
  buildRotation(M, s.right, -(w.Y * s.angleScaleY));
  transformPoint(M, w.T, w.T);
  transformPoint(M, w.W, w.W);
  transformPoint(M, w.lensU, w.lensU);
}

}  // namespace

std::vector<Sample> sampleTable(const HostScene &scene, const FrameInfo &frame) {
  const uint32_t count = 4u * static_cast<uint32_t>(frame.motionSteps);
  std::vector<Sample> table(count + 1);
  const refhost::Item &item = *scene.camera;
  for (uint32_t i = 0; i <= count; ++i) {
    Sample &e = table[i];
    const double t = count == 0 ? frame.start
                                : frame.start + (frame.duration / static_cast<double>(count)) *
                                                    static_cast<double>(i);
    const double h = scene.hFov->valueAt(t), v = scene.vFov->valueAt(t);
    const double hShift = scene.hShift->valueAt(t), vShift = scene.vShift->valueAt(t);
    const double d = item.focalDistanceAt(t), f = item.fStopAt(t);
    double P[3], R[3], U[3], F[3];
    itemParam(item, 8, t, P);
    itemParam(item, 2, t, R);
    itemParam(item, 3, t, U);
    itemParam(item, 4, t, F);
    const double W = scene.filmWidth, Hf = scene.filmHeight;
    const double lR = std::sqrt(R[0] * R[0] + R[1] * R[1] + R[2] * R[2]);
    const double lU = std::sqrt(U[0] * U[0] + U[1] * U[1] + U[2] * U[2]);
    const double lF = std::sqrt(F[0] * F[0] + F[1] * F[1] + F[2] * F[2]);
    for (int j = 0; j < 3; ++j) {
      e.right[j] = R[j] / lR;
      e.up[j] = U[j] / lU;
      e.focusForward[j] = (F[j] / lF) * d;
      e.forward[j] = F[j] / lF;
      e.position[j] = P[j];
    }
    e.shiftX = W * hShift;
    e.shiftY = vShift * Hf;
    e.lensRadius = (Hf / f) * 0.5;
    double Heff, Veff;
    fieldOfView(scene.switches, h, v, W, Hf, Heff, Veff);
    e.angleScaleX = Heff / W;
    e.angleScaleY = Veff / Hf;
    e.planeScaleX = std::tan(Heff * 0.5) * (2 / W) * d;
    e.planeScaleY = std::tan(Veff * 0.5) * (2 / Hf) * d;
    e.verticalPanorama = scene.switches.verticalPanorama;
    e.hPerspective = scene.switches.hPerspective;
    e.vPerspective = scene.switches.vPerspective;
  }
  return table;
}

CameraRay evaluate(const std::vector<Sample> &table, double filmX, double filmY, double lensX,
                   double lensY, double fracTime) {
  const uint32_t count = static_cast<uint32_t>(table.size() - 1);
  const int32_t index = static_cast<int32_t>(static_cast<double>(count) * fracTime);
  const Sample &s = table[index];
  Working w;
  w.X = s.shiftX + filmX;
  w.Y = s.shiftY + filmY;
  for (int j = 0; j < 3; ++j) {
    w.lensR[j] = s.lensRadius * lensX * s.right[j];
    w.lensU[j] = s.lensRadius * lensY * s.up[j];
    w.T[j] = s.focusForward[j];
    w.W[j] = s.forward[j];
  }
  if (s.verticalPanorama) {
    horizontalStep(s, w);
    verticalStep(s, w);
  } else {
    verticalStep(s, w);
    horizontalStep(s, w);
  }
  double D[3];
  for (int j = 0; j < 3; ++j) D[j] = w.T[j] - w.lensR[j] - w.lensU[j];
  const double length = std::sqrt(D[0] * D[0] + D[1] * D[1] + D[2] * D[2]);
  CameraRay ray;
  for (int j = 0; j < 3; ++j) {
    ray.origin[j] = s.position[j] + w.lensR[j] + w.lensU[j];
    ray.direction[j] = length == 0 ? w.W[j] : D[j] / length;
    ray.facing[j] = w.W[j];
  }
  return ray;
}

}  // namespace plain
