#include "panel/vr_panel.h"

#include "camera/vr_instance.h"
#include "panel/panel_words.h"

namespace skyrind {
namespace {

using panel_words::ignoreChange;
using panel_words::ignoreDestroy;
using panel_words::readDouble;
using panel_words::readInt;
using panel_words::word;

VrInstance *cameraOf(void *instance) {
  return static_cast<VrInstance *>(instance);
}

const char *const kStereo360Eyes[] = {"Both, left on top", "Left", "Right", nullptr};
const char *const kVR180Eyes[] = {"Both, left on the left", "Left", "Right", nullptr};

}  // namespace

const XPanelControl kStereo360Controls[] = {
    {kEyeSeparation, "Eye Separation", "distance-env"},
    {kConvergence, "Convergence Distance", "distance-env"},
    {kPoleMergeFrom, "Pole Merge From", "angle-env"},
    {kPoleMergeTo, "Pole Merge To", "angle-env"},
    {kEyes, "Eyes", "iPopChoice"},
    {0, nullptr, nullptr},
};
const XPanelDataDesc kStereo360Data[] = {
    {kEyeSeparation, "", "distance-env"},
    {kConvergence, "", "distance-env"},
    {kPoleMergeFrom, "", "angle-env"},
    {kPoleMergeTo, "", "angle-env"},
    {kEyes, "", "integer"},
    {0, nullptr, nullptr},
};

const XPanelControl kVR180Controls[] = {
    {kEyeSeparation, "Eye Separation", "distance-env"},
    {kConvergence, "Convergence Distance", "distance-env"},
    {kPoleMergeFrom, "Pole Merge From", "angle-env"},
    {kPoleMergeTo, "Pole Merge To", "angle-env"},
    {kEyes, "Eyes", "iPopChoice"},
    {kParallelCameras, "Parallel Cameras", "iBoolean"},
    {0, nullptr, nullptr},
};
const XPanelDataDesc kVR180Data[] = {
    {kEyeSeparation, "", "distance-env"},
    {kConvergence, "", "distance-env"},
    {kPoleMergeFrom, "", "angle-env"},
    {kPoleMergeTo, "", "angle-env"},
    {kEyes, "", "integer"},
    {kParallelCameras, "", "integer"},
    {0, nullptr, nullptr},
};

const XPanelControl kDomeControls[] = {
    {kDomeFieldOfView, "Field of View", "angle-env"},
    {kDomeTilt, "Dome Tilt", "angle-env"},
    {0, nullptr, nullptr},
};
const XPanelDataDesc kDomeData[] = {
    {kDomeFieldOfView, "", "angle-env"},
    {kDomeTilt, "", "angle-env"},
    {0, nullptr, nullptr},
};

// clang-format off
const XPanelHint kStereo360Hints[] = {
    XPANEL_HINT_LABEL, 0, word("Skyrind Stereo 360"), 0,
    XPANEL_HINT_STRING_LIST, kEyes, word(kStereo360Eyes), 0,
    XPANEL_HINT_MINIMUM, kEyeSeparation, 0,
    XPANEL_HINT_MINIMUM, kConvergence, 0,
    XPANEL_HINT_CHANGE_NOTIFY, word(ignoreChange),
    XPANEL_HINT_DESTROY_NOTIFY, word(ignoreDestroy), 0,
    0,
};
const XPanelHint kVR180Hints[] = {
    XPANEL_HINT_LABEL, 0, word("Skyrind VR180"), 0,
    XPANEL_HINT_STRING_LIST, kEyes, word(kVR180Eyes), 0,
    XPANEL_HINT_MINIMUM, kEyeSeparation, 0,
    XPANEL_HINT_MINIMUM, kConvergence, 0,
    XPANEL_HINT_CHANGE_NOTIFY, word(ignoreChange),
    XPANEL_HINT_DESTROY_NOTIFY, word(ignoreDestroy), 0,
    0,
};
const XPanelHint kDomeHints[] = {
    XPANEL_HINT_LABEL, 0, word("Skyrind Dome"), 0,
    XPANEL_HINT_CHANGE_NOTIFY, word(ignoreChange),
    XPANEL_HINT_DESTROY_NOTIFY, word(ignoreDestroy), 0,
    0,
};
// clang-format on

void *getVrControl(void *instance, uint32_t id) {
  VrInstance *camera = cameraOf(instance);
  if (!camera) return nullptr;
  VrParameterHandles &p = camera->parameters;
  if (camera->camera == VrCamera::Dome) {
    switch (id) {
      case kDomeFieldOfView:
        return p.fieldOfView;
      case kDomeTilt:
        return p.tilt;
      default:
        return nullptr;
    }
  }
  switch (id) {
    case kEyeSeparation:
      return p.eyeSeparation;
    case kConvergence:
      return p.convergence;
    case kPoleMergeFrom:
      return p.poleMergeFrom;
    case kPoleMergeTo:
      return p.poleMergeTo;
    case kEyes:
      return &camera->stereo.eyes;
    case kParallelCameras:
      return camera->camera == VrCamera::VR180 ? &camera->stereo.parallelCameras : nullptr;
    default:
      return nullptr;
  }
}

int setVrControl(void *instance, uint32_t id, void *value) {
  VrInstance *camera = cameraOf(instance);
  if (!camera || !value) return 0;
  if (camera->camera == VrCamera::Dome) {
    switch (id) {
      case kDomeFieldOfView:
        camera->dome.fieldOfView = readDouble(value);
        return 1;
      case kDomeTilt:
        camera->dome.tilt = readDouble(value);
        return 1;
      default:
        return 0;
    }
  }
  StereoSettings &s = camera->stereo;
  switch (id) {
    case kEyeSeparation:
      s.eyeSeparation = readDouble(value);
      return 1;
    case kConvergence:
      s.convergence = readDouble(value);
      return 1;
    case kPoleMergeFrom:
      s.poleMergeFrom = readDouble(value);
      return 1;
    case kPoleMergeTo:
      s.poleMergeTo = readDouble(value);
      return 1;
    case kEyes:
      s.eyes = readInt(value);
      return 1;
    case kParallelCameras:
      if (camera->camera != VrCamera::VR180) return 0;
      s.parallelCameras = readInt(value);
      return 1;
    default:
      return 0;
  }
}

}  // namespace skyrind
