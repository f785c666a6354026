// One picture as the host holds it: the camera item's animated channels, the
// film, the frame's timing, the image settings, the scene inputs and the
// plug-in's own data block. It is what a scene file stores.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "common/options.h"
#include "refhost/bindings/camera_session.h"
#include "refhost/item.h"

namespace skyhost {

constexpr std::size_t kCameraChannelCount = static_cast<std::size_t>(refhost::ItemChannel::Count);

struct Shot {
  // Indexed by refhost::ItemChannel: metres, radians, factors, f-stop.
  std::array<refhost::KeyedCurve, kCameraChannelCount> camera;
  double filmWidth = 0.036;  // film units
  double filmHeight = 0.018;
  int frame = 0;
  double framesPerSecond = 24;
  int motionSteps = 1;
  ImageSettings image;
  std::string mesh;
  std::string environment;
  std::string pluginData;  // text encoding, exactly as the plug-in saved it

  // The exposure spans the whole frame: [frame / fps, (frame + 1) / fps).
  double exposureStart() const { return frame / framesPerSecond; }
  double exposureDuration() const { return 1.0 / framesPerSecond; }
  FrameInfo frameInfo() const;
  // The camera's heading, pitch and bank at the exposure's start, degrees.
  Vec3 rotationDegrees() const;
};

// Sets up the session's camera from the options, or from the scene file
// they name, and returns the shot it now holds. When the options ask to
// save the scene, the instance is reloaded from the saved block, so that the
// render is what the file will reproduce.
Shot setUpShot(const Options &options, refhost::CameraSession &session);

}  // namespace skyhost
