// An activated "CameraHandler" and the instance life cycle the host drives
// through it: version 2, or the eye versions 3 and 4, as the host's profile
// offers them. The raw C records stay reachable for direct calls.
#pragma once

#include <atomic>
#include <cstddef>
#include <optional>
#include <string>

#include "host/host_abi.h"
#include "refhost/host.h"
#include "refhost/loader/module.h"
#include "refhost/state_block.h"

namespace refhost {

// A message a callback returned; empty for null (success).
using Message = std::optional<std::string>;

struct CreateResult {
  void *instance = nullptr;
  Message error;  // the error out-parameter, when the plug-in set one
};

struct SaveResult {
  Message error;
  StateBlock block;
};

// A camera-access record for an item and film size (film units).
CameraAccess cameraAccess(void *cameraItem, double filmWidth, double filmHeight);

// Offer the versions of the host's profile, newest first.
constexpr int kProfileVersions = -1;

class CameraHandlerBinding {
 public:
  // Activates the module's handler with the host's global lookup: with each
  // version the host's profile offers, newest first, stepping down while the
  // plug-in answers 1; or with the one version given. The host must stay
  // alive (and be current when the plug-in calls it).
  CameraHandlerBinding(const Module &module, Host &host, int version = kProfileVersions,
                       const std::string &serverName = "");
  CameraHandlerBinding(const CameraHandlerBinding &) = delete;
  CameraHandlerBinding &operator=(const CameraHandlerBinding &) = delete;

  int status() const { return status_; }  // the last activation's result
  bool ok() const { return status_ == AFUNC_OK; }
  // The version of the last activation: the one accepted when ok().
  int version() const { return version_; }
  bool passesEye() const { return version_ != CAMERA_HANDLER_VERSION; }

  CameraHandler &record() { return handler_; }           // version 2
  CameraEyeHandler &eyeRecord() { return eyeHandler_; }  // versions 3 and 4
  InstanceFuncs &instanceFuncs() { return instanceFuncs_; }
  // What the host put in the item and render slots before activation.
  static void *hostItemFuncs();
  static void *hostRenderFuncs();

  // Each throws std::logic_error when the plug-in left its slot empty.
  CreateResult create(void *item);
  void destroy(void *instance);
  Message copy(void *to, void *from);
  Message describe(void *instance);
  SaveResult save(void *instance, StateEncoding encoding);
  // valueLimit: fault injection, the block reads as ended after that many values.
  Message load(void *instance, const StateBlock &block,
               std::optional<std::size_t> valueLimit = std::nullopt);
  // New frame keeps the access record: evaluate passes it to eye versions.
  Message newFrame(void *instance, const FrameInfo &frame, const CameraAccess &access);
  // Evaluate through a host-sized ray record (the profile's size, with guard
  // words after it): the first 72 bytes go to and come back from `ray`.
  // `eye` reaches eye versions only. Returns the plug-in's result bits.
  // Safe from many threads.
  int evaluate(void *instance, double filmX, double filmY, double lensX, double lensY,
               double fracTime, CameraRay &ray, int eye = CAMERA_EYE_CENTRE);
  int preview(void *instance, double lensX, double lensY, double projection[16],
              const CameraAccess &access, int eye = CAMERA_EYE_CENTRE);
  unsigned int flags(void *instance);
  // Eye versions only (std::logic_error otherwise).
  int project(void *instance, double lensX, double lensY, const double worldPosition[3],
              double fracTime, int eye, double filmPosition[3], const CameraAccess &access);

  // Evaluate calls that wrote past the ray's 72 bytes, into the rest of the
  // host's record or beyond it.
  std::size_t rayRecordOverwrites() const { return overwrites_.load(); }

 private:
  template <class Slot>
  Slot require(Slot slot, const char *name) const;

  Host &host_;
  InstanceFuncs instanceFuncs_{};
  CameraHandler handler_{};
  CameraEyeHandler eyeHandler_{};
  CameraAccess frameAccess_{};
  std::atomic<std::size_t> overwrites_{0};
  int version_ = 0;
  int status_ = AFUNC_BADVERSION;
};

}  // namespace refhost
