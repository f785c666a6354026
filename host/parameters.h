// A camera's animated values as host parameters ("LWVParmFuncs"), each with
// its channel in the camera item's group, listed once per camera as a table
// of slots that every operation walks in order. A parameter the host failed
// to create is skipped by every operation and its value stays as it is.
#pragma once

#include <span>

#include "camera/instance.h"
#include "host/host_abi.h"
#include "host/services.h"

namespace skyrind {

// One value: where its handle and its value live, its host value type and
// its channel's name.
template <class Handles, class Values>
struct ParameterSlot {
  HostParameter *Handles::*handle;
  double Values::*value;
  int valueType;
  const char *channelName;
};

template <class Handles, class Values>
using ParameterTable = std::span<const ParameterSlot<Handles, Values>>;

// Creates, sets up and sets each parameter to its current value.
template <class H, class V>
void createParameters(ParameterTable<H, V> table, H &handles, V &values, HostChannelGroup *group) {
  const VParmFuncs *parms = services.parms;
  if (!parms) return;
  for (const auto &p : table) {
    void *handle = parms->create(p.valueType, -1);
    handles.*p.handle = static_cast<HostParameter *>(handle);
    if (!handle) continue;
    parms->setup(handle, p.channelName, group, nullptr, nullptr, nullptr, nullptr);
    parms->setVal(handle, &(values.*p.value));
  }
}

template <class H, class V>
void destroyParameters(ParameterTable<H, V> table, const H &handles) {
  const VParmFuncs *parms = services.parms;
  if (!parms) return;
  for (const auto &p : table)
    if (HostParameter *handle = handles.*p.handle) parms->destroy(handle);
}

// Copies each parameter that both have (destination, source).
template <class H, class V>
void copyParameters(ParameterTable<H, V> table, H &destination, const H &source) {
  const VParmFuncs *parms = services.parms;
  if (!parms) return;
  for (const auto &p : table) {
    HostParameter *to = destination.*p.handle;
    HostParameter *from = source.*p.handle;
    if (to && from) parms->copy(to, from);
  }
}

// Reads each value at `time` (seconds).
template <class H, class V>
void evaluateParameters(ParameterTable<H, V> table, const H &handles, V &values, double time) {
  const VParmFuncs *parms = services.parms;
  if (!parms) return;
  for (const auto &p : table) {
    HostParameter *handle = handles.*p.handle;
    if (!handle) continue;
    double out[3] = {values.*p.value, 0.0, 0.0};
    parms->getVal(handle, time, nullptr, out);
    values.*p.value = out[0];
  }
}

// Loads or saves the parameters in order; the first host message stops the
// walk and is returned.
template <class H, class V>
const char *loadParameters(ParameterTable<H, V> table, const H &handles, const LoadState *state) {
  const VParmFuncs *parms = services.parms;
  if (!parms) return nullptr;
  for (const auto &p : table)
    if (HostParameter *handle = handles.*p.handle)
      if (const char *message = parms->load(handle, state)) return message;
  return nullptr;
}

template <class H, class V>
const char *saveParameters(ParameterTable<H, V> table, const H &handles, const SaveState *state) {
  const VParmFuncs *parms = services.parms;
  if (!parms) return nullptr;
  for (const auto &p : table)
    if (HostParameter *handle = handles.*p.handle)
      if (const char *message = parms->save(handle, state)) return message;
  return nullptr;
}

// The panoramic camera's four: "HFOV", "VFOV", "HShift", "VShift".
void createParameters(CameraInstance &camera);
void destroyParameters(CameraInstance &camera);
void copyParameters(CameraInstance &destination, const CameraInstance &source);
void evaluateParameters(CameraInstance &camera, double time);
const char *loadParameters(CameraInstance &camera, const LoadState *state);
const char *saveParameters(const CameraInstance &camera, const SaveState *state);

}  // namespace skyrind
