// An activated "CameraHandler" (version 2) and the instance life cycle the
// host drives through it. The raw C records stay reachable for direct calls.
#pragma once

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

class CameraHandlerBinding {
 public:
  // Activates the module's handler with the host's global lookup. The host
  // must stay alive (and be current when the plug-in calls it).
  CameraHandlerBinding(const Module &module, Host &host, int version = CAMERA_HANDLER_VERSION);
  CameraHandlerBinding(const CameraHandlerBinding &) = delete;
  CameraHandlerBinding &operator=(const CameraHandlerBinding &) = delete;

  int status() const { return status_; }  // the activation's result
  bool ok() const { return status_ == AFUNC_OK; }

  CameraHandler &record() { return handler_; }
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
  Message newFrame(void *instance, const FrameInfo &frame, const CameraAccess &access);
  int evaluate(void *instance, double filmX, double filmY, double lensX, double lensY,
               double fracTime, CameraRay &ray);
  int preview(void *instance, double lensX, double lensY, double projection[16],
              const CameraAccess &access);
  unsigned int flags(void *instance);

 private:
  template <class Slot>
  Slot require(Slot slot, const char *name) const;

  Host &host_;
  InstanceFuncs instanceFuncs_{};
  CameraHandler handler_{};
  int status_;
};

}  // namespace refhost
