// "LW Item Info 4" and "LW Camera Info 5": item motion and camera properties.
#include "refhost/services/callback_guard.h"
#include "refhost/services/service_records.h"

namespace refhost::records {
namespace {

// Leaves `out` as it was for an unknown item or code.
void param(void *item, int code, double time, double out[3]) {
  guardedVoid([&](Host &host) {
    host.log().record(
        [&] { return Call(ITEM_INFO_NAME, "param").ptr(item).integer(code).real(time).ptr(out); });
    Item *found = host.items().find(item);
    if (found && out) found->param(code, time, out);
  });
}

void *chanGroup(void *item) {
  return guarded<void *>(nullptr, [&](Host &host) -> void * {
    auto token = host.log().open(Call(ITEM_INFO_NAME, "chanGroup").ptr(item));
    Item *found = host.items().find(item);
    void *group = found ? found->channelGroup() : nullptr;
    host.log().close(token, [&](Call &c) { c.returnsPtr(group); });
    return group;
  });
}

template <double (Item::*Property)(double) const>
double cameraProperty(const char *op, void *item, double time) {
  return guarded(0.0, [&](Host &host) {
    auto token = host.log().open(Call(CAMERA_INFO_NAME, op).ptr(item).real(time));
    Item *found = host.items().find(item);
    double value = found ? (found->*Property)(time) : 0.0;
    host.log().close(token, [&](Call &c) { c.returnsReal(value); });
    return value;
  });
}

double focalDistance(void *item, double time) {
  return cameraProperty<&Item::focalDistanceAt>("focalDistance", item, time);
}

double fStop(void *item, double time) {
  return cameraProperty<&Item::fStopAt>("fStop", item, time);
}

ItemInfo itemRecord = [] {
  ItemInfo r{};
  r.param = param;
  r.chanGroup = chanGroup;
  return r;
}();

CameraInfo cameraRecord = [] {
  CameraInfo r{};
  r.focalDistance = focalDistance;
  r.fStop = fStop;
  return r;
}();

// "Animation Envelopes" must exist; nothing in it is called.
void *envelopeRecord[32] = {};

}  // namespace

ItemInfo *itemInfo() {
  return &itemRecord;
}
CameraInfo *cameraInfo() {
  return &cameraRecord;
}
void *envelopeFuncs() {
  return envelopeRecord;
}

}  // namespace refhost::records
