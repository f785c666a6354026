// The C records the host hands out for its services, and its global lookup.
// They are process-wide and constant; every slot serves the current host,
// logs the call and never lets an exception out.
#pragma once

#include "host/host_abi.h"

namespace refhost::records {

GlobalFunc globalLookup();  // the lookup for the current host
VParmFuncs *parameterFuncs();
ItemInfo *itemInfo();
CameraInfo *cameraInfo();
XPanelFuncs *panelFuncs();
InstanceUpdateFunc instanceUpdate();
void *envelopeFuncs();  // never called through

}  // namespace refhost::records
