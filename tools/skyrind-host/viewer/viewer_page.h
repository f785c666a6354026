// The viewer page: one self-contained HTML file that looks around inside a
// panorama, with the image embedded and the viewer's script inline, so it
// opens from file:// with no network.
#pragma once

#include <string>

#include "panorama/placement.h"

namespace skyhost {

struct ViewerPicture {
  std::string bytes;     // the JPEG or PNG file, exactly
  std::string mimeType;  // image/jpeg or image/png
  int width = 0, height = 0;
};

// Reads a JPEG or PNG. Throws InputError naming path for anything else.
ViewerPicture readViewerPicture(const std::string &path);

// The page. title names the panorama; headingDegrees is the compass heading
// of the camera's forward, which the page's yaw 0 looks at.
std::string viewerPage(const ViewerPicture &picture, const PanoramaPlacement &placement,
                       double headingDegrees, const std::string &title);

// Writes the page for the image read from imagePath to pagePath, through a
// temporary file.
void writeViewerPage(const ViewerPicture &picture, const std::string &imagePath,
                     const PanoramaPlacement &placement, double headingDegrees,
                     const std::string &pagePath);

// IMAGE.html beside IMAGE.
std::string defaultPagePath(const std::string &imagePath);

}  // namespace skyhost
