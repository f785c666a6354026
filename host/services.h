// Module-wide state: the host's global lookup and the service records taken
// at activation. Written by the activations (the later one wins; the host
// hands both the same lookup), read by everything else.
#pragma once

#include "host/host_abi.h"

namespace skyrind {

struct HostServices {
  GlobalFunc global = nullptr;
  const VParmFuncs *parms = nullptr;
  const ItemInfo *items = nullptr;
  const void *envelopes = nullptr;
  const TimeInfo *time = nullptr;
  const CameraInfo *camera = nullptr;
  const XPanelFuncs *panel = nullptr;
  InstanceUpdateFunc instanceUpdate = nullptr;
  double pi = 0.0;  // 4·atan(1), computed at handler activation
};

extern HostServices services;

// Looks a service up by name through the kept global lookup (use code 0).
const void *lookupService(const char *name);

}  // namespace skyrind
