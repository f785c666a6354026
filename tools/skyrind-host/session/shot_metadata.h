// What an image of a shot records about its camera: the settings the
// plug-in holds, read back through its panel, and the image's place on the
// sphere when it is an equirectangular panorama.
#pragma once

#include "image_io/image_metadata.h"
#include "refhost/bindings/camera_session.h"
#include "session/shot.h"

namespace skyhost {

// For a width×height image of the shot at the start of its exposure; the
// session holds the shot's camera (setUpShot).
ImageMetadata shotMetadata(const Shot &shot, refhost::CameraSession &session, int width,
                           int height);

}  // namespace skyhost
