#include "refhost/bindings/camera_handler_binding.h"

#include <cstring>
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

CameraHandlerBinding::CameraHandlerBinding(const Module &module, Host &host, int version,
                                           const std::string &serverName)
    : host_(host) {
  handler_.inst = &instanceFuncs_;
  handler_.item = hostItemFuncs();
  handler_.rend = hostRenderFuncs();
  eyeHandler_.inst = &instanceFuncs_;
  eyeHandler_.item = hostItemFuncs();
  eyeHandler_.rend = hostRenderFuncs();
  const std::vector<int> offered =
      version == kProfileVersions ? host.profile().handlerVersions : std::vector<int>{version};
  for (int v : offered) {
    version_ = v;
    void *record = passesEye() ? static_cast<void *>(&eyeHandler_) : &handler_;
    status_ = module.activate(CAMERA_HANDLER_CLASS, v, Host::globalLookup(), record, serverName);
    if (status_ != AFUNC_BADVERSION) break;
  }
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
  frameAccess_ = access;
  const CameraNewFrameFunc newFrame = passesEye() ? eyeHandler_.newFrame : handler_.newFrame;
  return message(require(newFrame, "newFrame")(instance, &frame, &access));
}

namespace {

// The host's ray record and 32 guard bytes after it, filled with a pattern
// the plug-in must leave alone past the ray's 72 bytes.
constexpr std::size_t kGuardBytes = 32;
constexpr unsigned char kUntouched = 0xA5;
struct alignas(8) RayRecord {
  unsigned char bytes[CAMERA_RAY_RECORD_SIZE_EYES + kGuardBytes];
};

}  // namespace

int CameraHandlerBinding::evaluate(void *instance, double filmX, double filmY, double lensX,
                                   double lensY, double fracTime, CameraRay &ray, int eye) {
  const std::size_t size = host_.profile().rayRecordSize + kGuardBytes;
  RayRecord record;
  std::memset(record.bytes, kUntouched, size);
  std::memcpy(record.bytes, &ray, sizeof ray);
  auto *hostRay = reinterpret_cast<CameraRay *>(record.bytes);
  int result;
  if (passesEye())
    result = require(eyeHandler_.evaluate, "evaluate")(instance, filmX, filmY, lensX, lensY,
                                                       fracTime, eye, hostRay, &frameAccess_);
  else
    result = require(handler_.evaluate, "evaluate")(instance, filmX, filmY, lensX, lensY, fracTime,
                                                    hostRay);
  std::memcpy(&ray, record.bytes, sizeof ray);
  for (std::size_t i = sizeof ray; i < size; ++i) {
    if (record.bytes[i] != kUntouched) {
      ++overwrites_;
      break;
    }
  }
  return result;
}

int CameraHandlerBinding::preview(void *instance, double lensX, double lensY, double projection[16],
                                  const CameraAccess &access, int eye) {
  if (passesEye())
    return require(eyeHandler_.preview, "preview")(instance, lensX, lensY, eye, projection,
                                                   &access);
  return require(handler_.preview, "preview")(instance, lensX, lensY, projection, &access);
}

unsigned int CameraHandlerBinding::flags(void *instance) {
  return require(passesEye() ? eyeHandler_.flags : handler_.flags, "flags")(instance);
}

int CameraHandlerBinding::project(void *instance, double lensX, double lensY,
                                  const double worldPosition[3], double fracTime, int eye,
                                  double filmPosition[3], const CameraAccess &access) {
  if (!passesEye()) throw std::logic_error("version 2 has no project slot");
  return require(eyeHandler_.project, "project")(instance, lensX, lensY, worldPosition, fracTime,
                                                 eye, filmPosition, &access);
}

}  // namespace refhost
