#include "panel/control_panel.h"

#include <cstdint>
#include <cstring>

#include "camera/instance.h"

namespace skyrind {
namespace {

// The panel needs no notice of changes or of its end: set and the host's
// own redraw do all.
int ignoreChange(void *, uint32_t, uint32_t, int) {
  return 0;
}
void ignoreDestroy(void *) {}

XPanelHint word(const void *address) {
  return reinterpret_cast<XPanelHint>(address);
}
XPanelHint word(XPanelChangeNotify function) {
  return reinterpret_cast<XPanelHint>(function);
}
XPanelHint word(XPanelDestroyNotify function) {
  return reinterpret_cast<XPanelHint>(function);
}

CameraInstance *cameraOf(void *instance) {
  return static_cast<CameraInstance *>(instance);
}

}  // namespace

const XPanelControl kPanelControls[] = {
    {kHorizontalFov, "Horizontal FOV", "angle-env"},
    {kHorizontalPerspective, "Perspective", "iBoolean"},
    {kAutoHorizontalFov, "Auto Horizontal FOV", "iBoolean"},
    {kVerticalFov, "Vertical FOV", "angle-env"},
    {kVerticalPerspective, "Perspective", "iBoolean"},
    {kAutoVerticalFov, "Auto Vertical FOV", "iBoolean"},
    {kVerticalPanorama, "Vertical Panorama", "iBoolean"},
    {kHorizontalShift, "Horizontal Shift", "percent-env"},
    {kVerticalShift, "Vertical Shift", "percent-env"},
    {0, nullptr, nullptr},
};

const XPanelDataDesc kPanelData[] = {
    {kHorizontalFov, "", "angle-env"},     {kHorizontalPerspective, "", "integer"},
    {kAutoHorizontalFov, "", "integer"},   {kVerticalFov, "", "angle-env"},
    {kVerticalPerspective, "", "integer"}, {kAutoVerticalFov, "", "integer"},
    {kVerticalPanorama, "", "integer"},    {kHorizontalShift, "", "percent-env"},
    {kVerticalShift, "", "percent-env"},   {0, nullptr, nullptr},
};

// clang-format off
const XPanelHint kPanelHints[] = {
    XPANEL_HINT_GROUP, kFieldOfViewGroup, kHorizontalFov, kHorizontalPerspective,
        kAutoHorizontalFov, kVerticalFov, kVerticalPerspective, kAutoVerticalFov,
        kVerticalPanorama, 0,
    XPANEL_HINT_GROUP, kShiftGroup, kHorizontalShift, kVerticalShift, 0,
    XPANEL_HINT_LABEL, 0, word("Skyrind"), 0,
    XPANEL_HINT_CHANGE_NOTIFY, word(ignoreChange),
    XPANEL_HINT_DESTROY_NOTIFY, word(ignoreDestroy), 0,
    XPANEL_HINT_MINIMUM, kHorizontalFov, 0,
    XPANEL_HINT_STEP, kHorizontalFov, 1,
    XPANEL_HINT_MINIMUM, kVerticalFov, 0,
    XPANEL_HINT_STEP, kVerticalFov, 1,
    XPANEL_HINT_MINIMUM, kHorizontalShift, -1000,
    XPANEL_HINT_MAXIMUM, kHorizontalShift, 1000,
    XPANEL_HINT_MINIMUM, kVerticalShift, -1000,
    XPANEL_HINT_MAXIMUM, kVerticalShift, 1000,
    XPANEL_HINT_FOCUS, -1,
    0,
};
// clang-format on

void *getControl(void *instance, uint32_t id) {
  CameraInstance *camera = cameraOf(instance);
  if (!camera) return nullptr;
  Switches &on = camera->settings.switches;
  switch (id) {
    case kHorizontalFov:
      return camera->parameters.hFov;
    case kVerticalFov:
      return camera->parameters.vFov;
    case kHorizontalShift:
      return camera->parameters.hShift;
    case kVerticalShift:
      return camera->parameters.vShift;
    case kHorizontalPerspective:
      return &on.hPerspective;
    case kVerticalPerspective:
      return &on.vPerspective;
    case kVerticalPanorama:
      return &on.verticalPanorama;
    case kAutoHorizontalFov:
      return &on.autoHFov;
    case kAutoVerticalFov:
      return &on.autoVFov;
    default:
      return nullptr;
  }
}

int setControl(void *instance, uint32_t id, void *value) {
  CameraInstance *camera = cameraOf(instance);
  if (!camera || !value) return 0;
  Switches &on = camera->settings.switches;
  // Values may come unaligned from a host buffer: copy them out bytewise.
  const auto readDouble = [value] {
    double v;
    std::memcpy(&v, value, sizeof v);
    return v;
  };
  const auto readInt = [value] {
    int32_t v;
    std::memcpy(&v, value, sizeof v);
    return v;
  };
  switch (id) {
    case kHorizontalFov:
      camera->settings.hFov = readDouble();
      break;
    case kVerticalFov:
      camera->settings.vFov = readDouble();
      break;
    case kHorizontalShift:
      camera->settings.hShift = readDouble();
      break;
    case kVerticalShift:
      camera->settings.vShift = readDouble();
      break;
    case kHorizontalPerspective:
      on.hPerspective = readInt();
      break;
    case kVerticalPerspective:
      on.vPerspective = readInt();
      break;
    case kVerticalPanorama:
      on.verticalPanorama = readInt();
      break;
    case kAutoHorizontalFov:
      on.autoHFov = readInt();
      if (on.autoHFov) on.autoVFov = 0;
      break;
    case kAutoVerticalFov:
      on.autoVFov = readInt();
      if (on.autoVFov) on.autoHFov = 0;
      break;
    default:
      return 0;
  }
  return 1;
}

}  // namespace skyrind
