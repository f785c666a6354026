// A loaded plug-in with one camera instance, set up as a host would for a
// frame: the fixture every benchmark shares.
#pragma once

#include <vector>

#include "refhost/bindings/camera_session.h"

namespace bench {

struct FilmSample {
  double filmX, filmY, lensX, lensY, time;
};

// Switch combination: bit 0 hPerspective, bit 1 vPerspective, bit 2
// verticalPanorama.
struct CameraSetup {
  int switches = 0;
  int motionSteps = 1;
  double fStop = 1e30;                 // a pinhole unless set
  bool turns = true;                   // keyed rotation across the exposure; else only moves
  double perspectiveFovDegrees = 120;  // the field of view of perspective axes
};

// The session of the built plug-in (or of the build SKYRIND_PLUGIN names),
// after one new frame.
class BenchCamera : public refhost::CameraSession {
 public:
  explicit BenchCamera(const CameraSetup &setup);

  // The frame every benchmark renders: half a 24 fps frame's exposure from 0.
  static constexpr FrameInfo frameInfo(int motionSteps) {
    return {0, 0.0, 0.5 / 24, 24.0, motionSteps};
  }
  void newFrame(int motionSteps);
  static constexpr double filmWidth() { return 0.036; }
  static constexpr double filmHeight() { return 0.018; }

  // Film positions spread over the whole film (and lens positions on the
  // unit disk when `withLens`), times across the exposure.
  std::vector<FilmSample> samples(std::size_t count, bool withLens) const;
};

}  // namespace bench
