// The viewer page: one self-contained HTML file that looks around inside a
// panorama, with the image embedded and the viewer's script inline, so it
// opens from file:// with no network.
#pragma once

#include <optional>
#include <string>

#include "panorama/placement.h"
#include "panorama/stereo_photo.h"

namespace skyhost {

struct ViewerPicture {
  std::string bytes;     // the JPEG or PNG file, exactly
  std::string mimeType;  // image/jpeg or image/png
  int width = 0, height = 0;
};

// Reads a JPEG or PNG. Throws InputError naming path for anything else.
ViewerPicture readViewerPicture(const std::string &path);
// The same for bytes at hand; source names them in an error.
ViewerPicture viewerPicture(std::string bytes, const std::string &source);

// What the picture holds besides one panorama placed by the placement.
struct ViewerContent {
  // Both eyes packed in the picture, each eye placed by the placement.
  std::optional<StereoPacking> packedStereo;
  // A stereo photo's right eye; the picture is the left.
  std::optional<ViewerPicture> rightEye;
  // A dome master of this field of view (degrees): an angular fisheye whose
  // circle fills the picture's shorter side, the zenith at its centre and
  // the front at the bottom. The placement is not used.
  std::optional<double> domeFovDegrees;
};

// The page. title names the panorama; headingDegrees is the compass heading
// of the camera's forward, which the page's yaw 0 looks at.
std::string viewerPage(const ViewerPicture &picture, const PanoramaPlacement &placement,
                       double headingDegrees, const std::string &title,
                       const ViewerContent &content = {});

// Writes the page for the image read from imagePath to pagePath, through a
// temporary file.
void writeViewerPage(const ViewerPicture &picture, const std::string &imagePath,
                     const PanoramaPlacement &placement, double headingDegrees,
                     const std::string &pagePath, const ViewerContent &content = {});

// IMAGE.html beside IMAGE.
std::string defaultPagePath(const std::string &imagePath);

}  // namespace skyhost
