#include "refhost/bindings/camera_handler_binding.h"

#include <stdexcept>

#include "refhost/state_reader.h"
#include "refhost/state_writer.h"

namespace refhost {
namespace {

Message message(const char *text) {
  return text ? Message(text) : std::nullopt;
}

// Stand-ins for the host's item and render operation records.
void *itemFuncsPlaceholder[16] = {};
void *renderFuncsPlaceholder[16] = {};

}  // namespace

CameraAccess cameraAccess(void *cameraItem, double filmWidth, double filmHeight) {
  CameraAccess access{};
  access.cameraItem = cameraItem;
  access.filmWidth = filmWidth;
  access.filmHeight = filmHeight;
  return access;
}

void *CameraHandlerBinding::hostItemFuncs() {
  return itemFuncsPlaceholder;
}
void *CameraHandlerBinding::hostRenderFuncs() {
  return renderFuncsPlaceholder;
}

CameraHandlerBinding::CameraHandlerBinding(const Module &module, Host &host, int version)
    : host_(host) {
  handler_.inst = &instanceFuncs_;
  handler_.item = hostItemFuncs();
  handler_.rend = hostRenderFuncs();
  status_ = module.activate(CAMERA_HANDLER_CLASS, version, Host::globalLookup(), &handler_);
}

template <class Slot>
Slot CameraHandlerBinding::require(Slot slot, const char *name) const {
  if (slot == nullptr)
    throw std::logic_error(std::string("camera handler slot ") + name + " is empty");
  return slot;
}

CreateResult CameraHandlerBinding::create(void *item) {
  const char *error = nullptr;
  void *instance = require(instanceFuncs_.create, "create")(instanceFuncs_.priv, item, &error);
  return {instance, message(error)};
}

void CameraHandlerBinding::destroy(void *instance) {
  require(instanceFuncs_.destroy, "destroy")(instance);
}

Message CameraHandlerBinding::copy(void *to, void *from) {
  return message(require(instanceFuncs_.copy, "copy")(to, from));
}

Message CameraHandlerBinding::describe(void *instance) {
  return message(require(instanceFuncs_.describe, "describe")(instance));
}

SaveResult CameraHandlerBinding::save(void *instance, StateEncoding encoding) {
  StateWriter writer(encoding, &host_.log());
  Message error = message(require(instanceFuncs_.save, "save")(instance, writer.state()));
  return {error, writer.block()};
}

Message CameraHandlerBinding::load(void *instance, const StateBlock &block,
                                   std::optional<std::size_t> valueLimit) {
  StateReader reader(block, &host_.log());
  if (valueLimit) reader.limitValues(*valueLimit);
  return message(require(instanceFuncs_.load, "load")(instance, reader.state()));
}

Message CameraHandlerBinding::newFrame(void *instance, const FrameInfo &frame,
                                       const CameraAccess &access) {
  return message(require(handler_.newFrame, "newFrame")(instance, &frame, &access));
}

int CameraHandlerBinding::evaluate(void *instance, double filmX, double filmY, double lensX,
                                   double lensY, double fracTime, CameraRay &ray) {
  return require(handler_.evaluate, "evaluate")(instance, filmX, filmY, lensX, lensY, fracTime,
                                                &ray);
}

int CameraHandlerBinding::preview(void *instance, double lensX, double lensY, double projection[16],
                                  const CameraAccess &access) {
  return require(handler_.preview, "preview")(instance, lensX, lensY, projection, &access);
}

unsigned int CameraHandlerBinding::flags(void *instance) {
  return require(handler_.flags, "flags")(instance);
}

}  // namespace refhost
