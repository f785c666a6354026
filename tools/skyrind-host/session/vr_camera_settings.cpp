#include "session/vr_camera_settings.h"

#include "common/vec3.h"
#include "panel/vr_control_ids.h"

namespace skyhost {

std::string vrServerName(const std::string &camera) {
  if (camera == "stereo360") return "SkyrindStereo360";
  if (camera == "vr180") return "SkyrindVR180";
  if (camera == "dome") return "SkyrindDome";
  return "";
}

ImageSettings vrDefaultFrame(const Options &o) {
  ImageSettings image = o.image;
  if (o.heightGiven || o.camera.empty()) return image;
  image.height = o.camera == "vr180" ? image.width / 2 : image.width;
  return image;
}

void applyVrSettings(refhost::Panel &panel, const Options &o) {
  const VrSettings &v = o.vr;
  if (o.camera == "dome") {
    panel.edit(skyrind::kDomeFieldOfView, radians(v.domeFovDegrees));
    panel.edit(skyrind::kDomeTilt, radians(v.domeTiltDegrees));
    return;
  }
  panel.edit(skyrind::kEyeSeparation, v.eyeSeparation);
  panel.edit(skyrind::kConvergence, v.convergence);
  panel.edit(skyrind::kPoleMergeFrom, radians(v.poleMergeFromDegrees));
  panel.edit(skyrind::kPoleMergeTo, radians(v.poleMergeToDegrees));
  panel.edit(skyrind::kEyes, v.eyes);
  if (o.camera == "vr180") panel.edit(skyrind::kParallelCameras, v.parallelCameras ? 1 : 0);
}

}  // namespace skyhost
