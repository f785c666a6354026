#include "session/shot_metadata.h"

#include "session/panel_settings.h"

namespace skyhost {

ImageMetadata shotMetadata(const Shot &shot, CameraSession &session, int width, int height) {
  double time = shot.exposureStart();
  session.host().setTime(time);
  CameraRecord camera{readPanelSettings(session.panel()), shot.filmWidth, shot.filmHeight,
                      shot.frame};
  auto angle = [&](refhost::ItemChannel c) {
    return degrees(shot.camera[static_cast<std::size_t>(c)].valueAt(time));
  };
  Vec3 rotation{angle(refhost::ItemChannel::Heading), angle(refhost::ItemChannel::Pitch),
                angle(refhost::ItemChannel::Bank)};
  ImageMetadata metadata;
  metadata.camera = camera;
  metadata.coverage = equirectangularCoverage(camera.panel, width, height, rotation,
                                              shot.filmHeight / shot.filmWidth);
  return metadata;
}

}  // namespace skyhost
