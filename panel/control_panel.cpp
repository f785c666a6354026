#include "panel/control_panel.h"

#include <cstdint>

#include "camera/instance.h"
#include "panel/panel_words.h"

namespace skyrind {
namespace {

using panel_words::ignoreChange;
using panel_words::ignoreDestroy;
using panel_words::readDouble;
using panel_words::readInt;
using panel_words::word;

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
  switch (id) {
    case kHorizontalFov:
      camera->settings.hFov = readDouble(value);
      break;
    case kVerticalFov:
      camera->settings.vFov = readDouble(value);
      break;
    case kHorizontalShift:
      camera->settings.hShift = readDouble(value);
      break;
    case kVerticalShift:
      camera->settings.vShift = readDouble(value);
      break;
    case kHorizontalPerspective:
      on.hPerspective = readInt(value);
      break;
    case kVerticalPerspective:
      on.vPerspective = readInt(value);
      break;
    case kVerticalPanorama:
      on.verticalPanorama = readInt(value);
      break;
    case kAutoHorizontalFov:
      on.autoHFov = readInt(value);
      if (on.autoHFov) on.autoVFov = 0;
      break;
    case kAutoVerticalFov:
      on.autoVFov = readInt(value);
      if (on.autoVFov) on.autoHFov = 0;
      break;
    default:
      return 0;
  }
  return 1;
}

}  // namespace skyrind
