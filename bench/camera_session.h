// A loaded plug-in with one activated handler and one camera instance, set
// up as a host would for a frame: the fixture every benchmark shares.
#pragma once

#include <memory>
#include <vector>

#include "refhost/bindings/camera_handler_binding.h"
#include "refhost/host.h"
#include "refhost/loader/module.h"

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

class CameraSession {
 public:
  explicit CameraSession(const CameraSetup &setup);
  ~CameraSession();

  void newFrame(int motionSteps);
  CameraEvaluateFunc evaluate() { return handler_->record().evaluate; }
  void *instance() { return instance_; }
  static constexpr double filmWidth() { return 0.036; }
  static constexpr double filmHeight() { return 0.018; }

  // Film positions spread over the whole film (and lens positions on the
  // unit disk when `withLens`), times across the exposure.
  std::vector<FilmSample> samples(std::size_t count, bool withLens) const;

 private:
  refhost::Host host_;
  refhost::Host::Installation installation_;
  std::unique_ptr<refhost::Module> module_;
  std::unique_ptr<refhost::CameraHandlerBinding> handler_;
  refhost::Item *camera_ = nullptr;
  void *instance_ = nullptr;
};

}  // namespace bench
