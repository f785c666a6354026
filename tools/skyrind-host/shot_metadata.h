// What an image of a shot records about its camera: the settings the
// plug-in holds, read back through its panel, and the image's place on the
// sphere when it is an equirectangular panorama.
#pragma once

#include "camera_session.h"
#include "image_metadata.h"
#include "shot.h"

namespace skyhost {

// For a width×height image of the shot at the start of its exposure; the
// session holds the shot's camera (setUpShot).
ImageMetadata shotMetadata(const Shot &shot, CameraSession &session, int width, int height);

}  // namespace skyhost
