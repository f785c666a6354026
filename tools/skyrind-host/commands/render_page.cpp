#include "commands/render_page.h"

#include <cstdio>
#include <optional>

#include "common/input_error.h"
#include "image_io/image_output.h"
#include "session/panel_settings.h"
#include "viewer/viewer_page.h"

namespace skyhost {

PanoramaPlacement viewerPlacement(const std::string &imagePath, refhost::CameraSession &session,
                                  const Shot &shot) {
  std::optional<ImageFormat> format = imageFormatOf(imagePath);
  if (format != ImageFormat::Png && format != ImageFormat::Jpeg)
    throw InputError("--view", "the page shows .png or .jpg images, not " + imagePath);
  return placementOf(readPanelSettings(session.panel()), shot.filmHeight / shot.filmWidth,
                     "--view");
}

void writeRenderPage(const std::string &imagePath, const PanoramaPlacement &placement,
                     const Shot &shot) {
  std::string page = defaultPagePath(imagePath);
  writeViewerPage(readViewerPicture(imagePath), imagePath, placement, shot.rotationDegrees().x,
                  page);
  std::printf("%s: the viewer page of %s\n", page.c_str(), imagePath.c_str());
}

}  // namespace skyhost
