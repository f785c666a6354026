#include "session/scene_file.h"

#include <nlohmann/json.hpp>

#include "common/atomic_file.h"
#include "common/file_bytes.h"
#include "common/input_error.h"

namespace skyhost {
namespace {

using nlohmann::json;

constexpr const char *kFormat = "skyrind-host scene 1";

// Names of the camera item's channels, in refhost::ItemChannel order.
constexpr const char *kChannelNames[kCameraChannelCount] = {
    "position_x", "position_y", "position_z", "heading",        "pitch", "bank",
    "scale_x",    "scale_y",    "scale_z",    "focal_distance", "f_stop"};

json curveToJson(const refhost::KeyedCurve &curve) {
  json keys = json::array();
  for (const refhost::Key &k : curve.keys())
    keys.push_back({{"time", k.time}, {"value", k.value}, {"shape", static_cast<int>(k.shape)}});
  return {{"value", curve.staticValue()}, {"keys", keys}};
}

refhost::KeyedCurve curveFromJson(const json &j) {
  refhost::KeyedCurve curve(j.at("value").get<double>());
  for (const json &k : j.at("keys")) {
    int shape = k.at("shape").get<int>();
    if (shape != 0 && shape != 1) throw std::invalid_argument("unknown key shape");
    curve.setKey(k.at("time").get<double>(), k.at("value").get<double>(),
                 static_cast<refhost::KeyShape>(shape));
  }
  return curve;
}

json shotToJson(const Shot &s) {
  json channels;
  for (std::size_t c = 0; c < kCameraChannelCount; ++c)
    channels[kChannelNames[c]] = curveToJson(s.camera[c]);
  const ImageSettings &i = s.image;
  return {{"format", kFormat},
          {"camera", channels},
          {"film", {{"width", s.filmWidth}, {"height", s.filmHeight}}},
          {"frame", s.frame},
          {"frames_per_second", s.framesPerSecond},
          {"motion_steps", s.motionSteps},
          {"image",
           {{"width", i.width},
            {"height", i.height},
            {"samples_per_pixel", i.samplesPerPixel},
            {"seed", i.seed},
            {"depth_of_field", i.depthOfField}}},
          {"mesh", s.mesh},
          {"environment", s.environment},
          {"plugin_data", {{"encoding", "text"}, {"block", s.pluginData}}}};
}

template <class T>
T positive(const json &j, const char *key) {
  T value = j.at(key).get<T>();
  if (!(value > 0)) throw std::invalid_argument(std::string(key) + " must be positive");
  return value;
}

Shot shotFromJson(const json &j) {
  if (j.at("format").get<std::string>() != kFormat)
    throw std::invalid_argument("not a \"" + std::string(kFormat) + "\" file");
  Shot s;
  for (std::size_t c = 0; c < kCameraChannelCount; ++c)
    s.camera[c] = curveFromJson(j.at("camera").at(kChannelNames[c]));
  s.filmWidth = positive<double>(j.at("film"), "width");
  s.filmHeight = positive<double>(j.at("film"), "height");
  s.frame = j.at("frame").get<int>();
  s.framesPerSecond = positive<double>(j, "frames_per_second");
  s.motionSteps = j.at("motion_steps").get<int>();
  if (s.motionSteps < 0 || s.motionSteps > 64) throw std::invalid_argument("motion_steps");
  const json &i = j.at("image");
  s.image.width = positive<int>(i, "width");
  s.image.height = positive<int>(i, "height");
  s.image.samplesPerPixel = positive<int>(i, "samples_per_pixel");
  s.image.seed = i.at("seed").get<std::uint64_t>();
  s.image.depthOfField = i.at("depth_of_field").get<bool>();
  s.mesh = j.at("mesh").get<std::string>();
  s.environment = j.at("environment").get<std::string>();
  if (j.at("plugin_data").at("encoding").get<std::string>() != "text")
    throw std::invalid_argument("plugin_data must be in the text encoding");
  s.pluginData = j.at("plugin_data").at("block").get<std::string>();
  return s;
}

}  // namespace

void writeSceneFile(const Shot &shot, const std::string &path) {
  writeAtomically(path, shotToJson(shot).dump(2) + "\n");
}

Shot readSceneFile(const std::string &path) {
  const std::string text = readFileBytes(path, "scene file");
  try {
    return shotFromJson(json::parse(text));
  } catch (const json::exception &e) {
    throw InputError(path, std::string("malformed scene: ") + e.what());
  } catch (const std::invalid_argument &e) {
    throw InputError(path, std::string("malformed scene: ") + e.what());
  }
}

}  // namespace skyhost
