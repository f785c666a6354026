#include "session/shot.h"

#include <filesystem>

#include "common/input_error.h"
#include "common/utf8_path.h"
#include "session/panel_settings.h"
#include "session/scene_file.h"
#include "session/vr_camera_settings.h"

namespace skyhost {
namespace {

std::string absolutePath(const std::string &path) {
  return path.empty()
             ? path
             : utf8FromPath(std::filesystem::absolute(pathFromUtf8(path)).lexically_normal());
}

// The camera item's channels: a pose, and keys at the exposure's ends when it moves.
void placeCamera(const CameraMotion &m, const Shot &shot, refhost::Item &item) {
  refhost::Vec3 position = m.position.array();
  refhost::Rotation rotation{radians(m.rotationDegrees.x), radians(m.rotationDegrees.y),
                             radians(m.rotationDegrees.z)};
  item.setPosition(position);
  item.setRotation(rotation);
  item.setFocalDistance(m.focalDistance);
  if (m.fStop) item.setFStop(*m.fStop);
  double start = shot.exposureStart(), end = start + shot.exposureDuration();
  if (m.move.x != 0 || m.move.y != 0 || m.move.z != 0) {
    item.keyPosition(start, position);
    item.keyPosition(end, (m.position + m.move).array());
  }
  if (m.turnDegrees != 0) {
    item.keyRotation(start, rotation);
    rotation.heading += radians(m.turnDegrees);
    item.keyRotation(end, rotation);
  }
}

Shot shotFromOptions(const Options &o, refhost::CameraSession &session) {
  Shot shot;
  shot.filmWidth = o.image.filmWidth;
  shot.image = vrDefaultFrame(o);
  shot.filmHeight = o.image.filmWidth * shot.image.height / shot.image.width;
  shot.frame = o.motion.frame;
  shot.framesPerSecond = o.motion.framesPerSecond;
  shot.motionSteps = o.motion.motionSteps;
  shot.image.depthOfField = o.motion.fStop.has_value();
  shot.mesh = absolutePath(o.mesh);
  shot.environment = absolutePath(o.environment);
  placeCamera(o.motion, shot, session.camera());
  for (std::size_t c = 0; c < kCameraChannelCount; ++c)
    shot.camera[c] = session.camera().curve(static_cast<refhost::ItemChannel>(c));
  if (o.camera.empty())
    applyPanelSettings(session.panel(), o.panel, o.plugin);
  else
    applyVrSettings(session.panel(), o);
  shot.pluginData = session.savePluginData();
  return shot;
}

// Loads the plug-in's data block; a refusal names the file it came from.
void loadPluginData(refhost::CameraSession &session, const std::string &text,
                    const std::string &source) {
  try {
    session.loadPluginData(text);
  } catch (const refhost::SessionError &e) {
    throw InputError(source, e.reason());
  }
}

}  // namespace

FrameInfo Shot::frameInfo() const {
  FrameInfo info{};
  info.frame = frame;
  info.start = exposureStart();
  info.duration = exposureDuration();
  info.framesPerSecond = framesPerSecond;
  info.motionSteps = motionSteps;
  return info;
}

Vec3 Shot::rotationDegrees() const {
  auto angle = [this](refhost::ItemChannel c) {
    return degrees(camera[static_cast<std::size_t>(c)].valueAt(exposureStart()));
  };
  return {angle(refhost::ItemChannel::Heading), angle(refhost::ItemChannel::Pitch),
          angle(refhost::ItemChannel::Bank)};
}

Shot setUpShot(const Options &o, refhost::CameraSession &session) {
  if (o.scene.empty()) {
    Shot shot = shotFromOptions(o, session);
    if (!o.saveScene.empty()) loadPluginData(session, shot.pluginData, o.saveScene);
    return shot;
  }
  Shot shot = readSceneFile(o.scene);
  for (std::size_t c = 0; c < kCameraChannelCount; ++c)
    session.camera().curve(static_cast<refhost::ItemChannel>(c)) = shot.camera[c];
  loadPluginData(session, shot.pluginData, o.scene);
  return shot;
}

}  // namespace skyhost
