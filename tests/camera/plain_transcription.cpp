#include "plain_transcription.h"

#include <cmath>
#include <cstdint>

#include "camera/ray_reference.h"

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
    e.right = {R[0] / lR, R[1] / lR, R[2] / lR};
    e.up = {U[0] / lU, U[1] / lU, U[2] / lU};
    e.focusForward = {(F[0] / lF) * d, (F[1] / lF) * d, (F[2] / lF) * d};
    e.forward = {F[0] / lF, F[1] / lF, F[2] / lF};
    e.position = {P[0], P[1], P[2]};
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
  const skyrind::Ray r = skyrind::referenceRay(table[index], filmX, filmY, lensX, lensY);
  return {{r.origin.x, r.origin.y, r.origin.z},
          {r.direction.x, r.direction.y, r.direction.z},
          {r.facing.x, r.facing.y, r.facing.z}};
}

}  // namespace plain
