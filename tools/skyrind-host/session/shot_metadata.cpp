#include "session/shot_metadata.h"

#include "session/panel_settings.h"

namespace skyhost {

ImageMetadata shotMetadata(const Shot &shot, CameraSession &session, int width, int height) {
  double time = shot.exposureStart();
  session.host().setTime(time);
  PanelSettings panel = readPanelSettings(session.panel());
  auto angle = [&](refhost::ItemChannel c) {
    return degrees(shot.camera[static_cast<std::size_t>(c)].valueAt(time));
  };
  Vec3 rotation{angle(refhost::ItemChannel::Heading), angle(refhost::ItemChannel::Pitch),
                angle(refhost::ItemChannel::Bank)};
  ImageMetadata metadata;
  metadata.attributes = panelAttributes(panel);
  metadata.attributes.insert(metadata.attributes.end(), {{"filmWidth", shot.filmWidth},
                                                         {"filmHeight", shot.filmHeight},
                                                         {"frame", double(shot.frame), true}});
  metadata.coverage =
      equirectangularCoverage(panel, width, height, rotation, shot.filmHeight / shot.filmWidth);
  return metadata;
}

}  // namespace skyhost
