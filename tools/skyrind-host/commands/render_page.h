// render --view: the viewer page written beside the rendered image.
#pragma once

#include <string>

#include "panorama/placement.h"
#include "refhost/bindings/camera_session.h"
#include "session/shot.h"

namespace skyhost {

// Where the render's pixels will lie, from the camera's panel as set up for
// the shot. Throws InputError before anything is rendered when the image
// cannot go on a page (not a JPEG or PNG, or a perspective axis).
PanoramaPlacement viewerPlacement(const std::string &imagePath, refhost::CameraSession &session,
                                  const Shot &shot);

// Writes IMAGE.html beside the rendered image and says so.
void writeRenderPage(const std::string &imagePath, const PanoramaPlacement &placement,
                     const Shot &shot);

}  // namespace skyhost
