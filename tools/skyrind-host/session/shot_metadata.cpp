#include "session/shot_metadata.h"

#include "session/panel_settings.h"

namespace skyhost {

ImageMetadata shotMetadata(const Shot &shot, refhost::CameraSession &session, int width,
                           int height) {
  session.host().setTime(shot.exposureStart());  // the panel shows the values at that time
  PanelSettings panel = readPanelSettings(session.panel());
  ImageMetadata metadata;
  metadata.attributes = panelAttributes(panel);
  metadata.attributes.insert(metadata.attributes.end(), {{"filmWidth", shot.filmWidth},
                                                         {"filmHeight", shot.filmHeight},
                                                         {"frame", double(shot.frame), true}});
  metadata.coverage =
      equirectangularCoverage(panel, width, height, shot.rotationDegrees(),
                              shot.filmHeight / shot.filmWidth, &metadata.whyNoCoverage);
  return metadata;
}

}  // namespace skyhost
