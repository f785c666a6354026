// "LWVParmFuncs 2": animated parameters for the plug-in.
#include "refhost/services/callback_guard.h"
#include "refhost/services/service_records.h"

namespace refhost::records {
namespace {

constexpr const char *kService = VPARM_FUNCS_NAME;
constexpr const char *kUnknown = "Unknown parameter";

void *create(int valueType, int textureType) {
  return guarded<void *>(nullptr, [&](Host &host) -> void * {
    auto token = host.log().open(Call(kService, "create").integer(valueType).integer(textureType));
    void *handle = nullptr;
    if (!host.faults().nextParameterCreateFails())
      handle = ChannelStore::handleOf(host.channels().create(valueType));
    host.log().close(token, [&](Call &c) { c.returnsPtr(handle); });
    return handle;
  });
}

void destroy(void *parm) {
  guardedVoid([&](Host &host) {
    host.log().record([&] { return Call(kService, "destroy").ptr(parm); });
    host.channels().destroy(parm);
  });
}

// Names the parameter's channel and puts it in the group; an unknown handle
// or a null name changes nothing.
void setup(void *parm, const char *name, void *group, void *a, void *b, void *c, void *d) {
  guardedVoid([&](Host &host) {
    host.log().record([&] {
      return Call(kService, "setup").ptr(parm).text(name).ptr(group).ptr(a).ptr(b).ptr(c).ptr(d);
    });
    Channel *channel = host.channels().find(parm);
    if (channel != nullptr && name != nullptr) channel->registerAs(name, group);
  });
}

const char *copy(void *to, void *from) {
  return guarded<const char *>(kUnknown, [&](Host &host) {
    auto token = host.log().open(Call(kService, "copy").ptr(to).ptr(from));
    Channel *target = host.channels().find(to);
    Channel *source = host.channels().find(from);
    const char *result = kUnknown;
    if (target && source) {
      target->copyAnimationFrom(*source);
      result = nullptr;
    }
    host.log().close(token, [&](Call &c) { c.returnsText(result); });
    return result;
  });
}

const char *load(void *parm, const LoadState *state) {
  return guarded<const char *>(kUnknown, [&](Host &host) {
    auto token = host.log().open(Call(kService, "load").ptr(parm).ptr(state));
    const char *result = kUnknown;
    if (Channel *channel = host.channels().find(parm); channel && state) {
      result = host.faults().channelLoadFailure(channel->name());
      if (result == nullptr) {
        auto error = channel->load(*state);
        result = error ? host.keepMessage(*error) : nullptr;
      }
    }
    host.log().close(token, [&](Call &c) { c.returnsText(result); });
    return result;
  });
}

const char *save(void *parm, const SaveState *state) {
  return guarded<const char *>(kUnknown, [&](Host &host) {
    auto token = host.log().open(Call(kService, "save").ptr(parm).ptr(state));
    const char *result = kUnknown;
    if (Channel *channel = host.channels().find(parm); channel && state) {
      result = host.faults().channelSaveFailure(channel->name());
      if (result == nullptr) {
        auto error = channel->save(*state);
        result = error ? host.keepMessage(*error) : nullptr;
      }
    }
    host.log().close(token, [&](Call &c) { c.returnsText(result); });
    return result;
  });
}

// Writes the value at the time into out[0] only (a scalar channel).
double getVal(void *parm, double time, void *micropolygon, double out[3]) {
  return guarded(0.0, [&](Host &host) {
    auto token =
        host.log().open(Call(kService, "getVal").ptr(parm).real(time).ptr(micropolygon).ptr(out));
    double value = 0.0;
    if (Channel *channel = host.channels().find(parm)) {
      value = channel->valueAt(time);
      if (out) out[0] = value;
    }
    host.log().close(token, [&](Call &c) { c.returnsReal(value); });
    return value;
  });
}

// Sets the static value, the one used while the channel has no keys.
int setVal(void *parm, double *value) {
  return guarded(0, [&](Host &host) {
    Call call(kService, "setVal");
    call.ptr(parm).ptr(value);
    if (value) call.real(*value);
    auto token = host.log().open(std::move(call));
    Channel *channel = host.channels().find(parm);
    int ok = channel != nullptr && value != nullptr;
    if (ok) channel->curve().setStaticValue(*value);
    host.log().close(token, [&](Call &c) { c.returnsInteger(ok); });
    return ok;
  });
}

VParmFuncs record = {create, destroy, setup, copy, load, save, getVal, setVal};

}  // namespace

VParmFuncs *parameterFuncs() {
  return &record;
}

}  // namespace refhost::records
