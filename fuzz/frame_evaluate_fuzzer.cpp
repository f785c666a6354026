// New frame, evaluate and preview with whatever a host may hand the camera:
// NaN, ±inf, zero, huge and denormal film sizes, focal distances, f-stops and
// axes, motion steps of any sign, arbitrary film, lens and time inputs.
//
// Holds for every input: nothing beyond the 72 bytes of the ray record (or
// the 16 doubles of the preview matrix) is written; evaluate answers 0 or 1,
// 1 exactly when the frame's table was built, and leaves the record as it
// was on 0. For a sound camera and moderate inputs the direction and facing
// are finite unit vectors, and a centred lens starts the ray at the camera.
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cmath>
#include <cstring>

#include "fuzz/canary_buffer.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/host_value.h"
#include "fuzz/plugin_module.h"
#include "fuzz/scripted_camera.h"
#include "refhost/bindings/camera_handler_binding.h"
#include "refhost/host.h"

namespace {

using skyrind_fuzz::CameraScript;
using skyrind_fuzz::hostValue;

constexpr uint32_t kSwitchIds[] = {0x8003, 0x8004, 0x8005, 0x8006, 0x8007};
constexpr const char *kChannels[] = {"HFOV", "VFOV", "HShift", "VShift"};
// Above this a motion-step count may rightly allocate a very large table.
constexpr int kLargestTriedSteps = 4096;
constexpr double kTwoPi = 6.283185307179586;

struct Camera {
  CameraScript script;
  double fov[2];
  double shift[2];
  struct {
    double width, height;  // film units
  } film;
};

bool within(double v, double low, double high) {
  return std::isfinite(v) && std::fabs(v) >= low && std::fabs(v) <= high;
}

bool moderateAxis(const double axis[3]) {
  const double length = std::sqrt(axis[0] * axis[0] + axis[1] * axis[1] + axis[2] * axis[2]);
  return std::isfinite(axis[0]) && std::isfinite(axis[1]) && std::isfinite(axis[2]) &&
         within(length, 1e-6, 1e6);
}

// Non-zero finite film, focal distance, f-stop and axes, fields of view in
// (0, 2π], all of moderate size so that the ray's arithmetic cannot overflow.
bool sound(const Camera &c) {
  return within(c.film.width, 1e-6, 1e6) && within(c.film.height, 1e-6, 1e6) &&
         within(c.script.focalDistance, 1e-6, 1e6) && c.script.focalDistance > 0 &&
         within(c.script.fStop, 1e-3, 1e6) && c.script.fStop > 0 && moderateAxis(c.script.right) &&
         moderateAxis(c.script.up) && moderateAxis(c.script.forward) && c.fov[0] > 0 &&
         c.fov[0] <= kTwoPi && c.fov[1] > 0 && c.fov[1] <= kTwoPi && std::fabs(c.shift[0]) <= 1e3 &&
         std::fabs(c.shift[1]) <= 1e3 && std::isfinite(c.script.position[0]) &&
         std::isfinite(c.script.position[1]) && std::isfinite(c.script.position[2]);
}

bool unit(const double v[3]) {
  const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  return std::isfinite(length) && std::fabs(length - 1) < 1e-9;
}

void readVector(FuzzedDataProvider &in, double out[3], double scale) {
  for (int i = 0; i < 3; ++i) out[i] = hostValue(in, -scale, scale);
}

int motionSteps(FuzzedDataProvider &in) {
  switch (in.ConsumeIntegralInRange<int>(0, 7)) {
    case 3:
      return INT_MIN;
    case 4:
      return INT_MAX;
    case 5:
      return in.ConsumeIntegralInRange<int>(INT_MIN, -1);
    case 6:
      // Counts whose 4× overflows 32 bits.
      return in.ConsumeIntegralInRange<int>(0x40000000, INT_MAX);
    case 7:
      return in.ConsumeIntegralInRange<int>(0, kLargestTriedSteps);
    default:
      return in.ConsumeIntegralInRange<int>(0, 3);
  }
}

void checkRay(void *instance, CameraEvaluateFunc evaluate, FuzzedDataProvider &in,
              const Camera &camera, bool tableBuilt) {
  double film[2], lens[2];
  for (double &v : film) v = hostValue(in, -0.1, 0.1);
  for (double &v : lens) v = in.ConsumeBool() ? 0.0 : hostValue(in, -1, 1);
  const double time = hostValue(in, -0.5, 1.5);
  if (in.ConsumeBool()) {
    // The film point on the optical axis.
    film[0] = -(camera.film.width * camera.shift[0]);
    film[1] = -(camera.shift[1] * camera.film.height);
  }

  skyrind_fuzz::CanaryBuffer<160> record;
  const int result =
      evaluate(instance, film[0], film[1], lens[0], lens[1], time, record.as<CameraRay>());
  FUZZ_CHECK(result == 0 || result == 1);
  FUZZ_CHECK(result == (tableBuilt ? 1 : 0));
  FUZZ_CHECK(record.untouchedFrom(result == 0 ? 0 : sizeof(CameraRay)));
  if (result == 0) return;

  bool moderate = true;
  for (double v : film) moderate = moderate && std::isfinite(v) && std::fabs(v) <= 1e6;
  for (double v : lens) moderate = moderate && std::isfinite(v) && std::fabs(v) <= 1e6;
  if (!moderate || !sound(camera)) return;

  CameraRay ray;
  std::memcpy(&ray, record.bytes, sizeof ray);
  FUZZ_CHECK(unit(ray.direction));
  FUZZ_CHECK(unit(ray.facing));
  if (lens[0] == 0 && lens[1] == 0)
    for (int i = 0; i < 3; ++i) FUZZ_CHECK(ray.origin[i] == camera.script.position[i]);
}

void checkPreview(void *instance, CameraPreviewFunc preview, FuzzedDataProvider &in,
                  const CameraAccess &access) {
  skyrind_fuzz::CanaryBuffer<24 * sizeof(double)> matrix;
  const double lensX = hostValue(in, -1, 1);
  const double lensY = hostValue(in, -1, 1);
  const int result = preview(instance, lensX, lensY, matrix.as<double>(), &access);
  FUZZ_CHECK(result == 0 || result == 1);
  FUZZ_CHECK(matrix.untouchedFrom(result == 0 ? 0 : 16 * sizeof(double)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzedDataProvider in(data, size);
  const refhost::Module &module = skyrind_fuzz::pluginModule();
  refhost::Host host{refhost::HostProfile::lightwave9()};
  auto installation = host.install();
  host.log().setEnabled(false);
  refhost::Item &item = host.addCamera();

  InstanceFuncs funcs{};
  CameraHandler handler{};
  handler.inst = &funcs;
  FUZZ_CHECK(module.activate(CAMERA_HANDLER_CLASS, CAMERA_HANDLER_VERSION,
                             skyrind_fuzz::scriptedLookup(), &handler) == AFUNC_OK);
  const char *error = nullptr;
  void *instance = funcs.create(funcs.priv, item.handle(), &error);
  FUZZ_CHECK(instance != nullptr);

  CameraInterface ui{};
  ui.inst = instance;
  FUZZ_CHECK(module.activate(CAMERA_INTERFACE_CLASS, CAMERA_INTERFACE_VERSION,
                             skyrind_fuzz::scriptedLookup(), &ui) == AFUNC_OK);
  refhost::Panel *panel = host.panels().find(ui.panel);
  FUZZ_CHECK(panel != nullptr && panel->setter() != nullptr);
  for (uint32_t id : kSwitchIds) {
    int32_t on = in.ConsumeIntegralInRange<int>(0, 3) == 0 ? in.ConsumeIntegral<int32_t>()
                                                           : in.ConsumeBool();
    FUZZ_CHECK(panel->setter()(instance, id, &on) == 1);
  }

  Camera camera{};
  camera.fov[0] = hostValue(in, 0.01, kTwoPi);
  camera.fov[1] = hostValue(in, 0.01, kTwoPi);
  camera.shift[0] = hostValue(in, -1, 1);
  camera.shift[1] = hostValue(in, -1, 1);
  const double channelValues[] = {camera.fov[0], camera.fov[1], camera.shift[0], camera.shift[1]};
  for (int i = 0; i < 4; ++i) {
    refhost::Channel *channel = host.channels().find(item.channelGroup(), kChannels[i]);
    FUZZ_CHECK(channel != nullptr);
    channel->curve().setStaticValue(channelValues[i]);
  }

  readVector(in, camera.script.position, 100);
  readVector(in, camera.script.right, 2);
  readVector(in, camera.script.up, 2);
  readVector(in, camera.script.forward, 2);
  camera.script.focalDistance = hostValue(in, 0.1, 100);
  camera.script.fStop = hostValue(in, 1, 32);
  skyrind_fuzz::setCameraScript(camera.script);
  camera.film.width = hostValue(in, 0.001, 0.1);
  camera.film.height = hostValue(in, 0.001, 0.1);
  const CameraAccess access =
      refhost::cameraAccess(item.handle(), camera.film.width, camera.film.height);
  host.setTime(hostValue(in, -10, 10));

  const int frames = in.ConsumeIntegralInRange<int>(1, 2);
  for (int f = 0; f < frames; ++f) {
    FrameInfo frame{};
    frame.frame = in.ConsumeIntegral<int32_t>();
    frame.start = hostValue(in, -10, 10);
    frame.duration = hostValue(in, 0, 1);
    frame.framesPerSecond = hostValue(in, 1, 60);
    frame.motionSteps = motionSteps(in);
    if (frame.motionSteps > kLargestTriedSteps && frame.motionSteps < 0x40000000) continue;

    const char *message = handler.newFrame(instance, &frame, &access);
    if (frame.motionSteps < 0)
      FUZZ_CHECK(message != nullptr && std::strcmp(message, "Can't allocate Memory") == 0);
    const int rays = in.ConsumeIntegralInRange<int>(1, 4);
    for (int r = 0; r < rays; ++r) checkRay(instance, handler.evaluate, in, camera, !message);
  }
  checkPreview(instance, handler.preview, in, access);

  funcs.destroy(instance);
  return 0;
}
