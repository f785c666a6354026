// The tool's scene file reader on arbitrary bytes.
//
// Holds for every input: the read returns a shot or throws the tool's input
// error with a one-line message naming the file, never anything else; a shot
// that was read saves and reads again to the very same values.
#include <cstdio>
#include <optional>

#include "fuzz/fuzz_check.h"
#include "fuzz/input_error_check.h"
#include "fuzz/temp_input.h"
#include "session/scene_file.h"

namespace {

using skyhost::Shot;

bool sameCurve(const refhost::KeyedCurve &a, const refhost::KeyedCurve &b) {
  if (a.staticValue() != b.staticValue() || a.keys().size() != b.keys().size()) return false;
  for (std::size_t i = 0; i < a.keys().size(); ++i) {
    const refhost::Key &x = a.keys()[i];
    const refhost::Key &y = b.keys()[i];
    if (x.time != y.time || x.value != y.value || x.shape != y.shape) return false;
  }
  return true;
}

bool sameShot(const Shot &a, const Shot &b) {
  for (std::size_t c = 0; c < skyhost::kCameraChannelCount; ++c)
    if (!sameCurve(a.camera[c], b.camera[c])) return false;
  const skyhost::ImageSettings &i = a.image, &j = b.image;
  return a.filmWidth == b.filmWidth && a.filmHeight == b.filmHeight && a.frame == b.frame &&
         a.framesPerSecond == b.framesPerSecond && a.motionSteps == b.motionSteps &&
         i.width == j.width && i.height == j.height && i.samplesPerPixel == j.samplesPerPixel &&
         i.seed == j.seed && i.depthOfField == j.depthOfField && a.mesh == b.mesh &&
         a.environment == b.environment && a.pluginData == b.pluginData;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  skyfuzz::TempInput input("scene.json", data, size);
  std::optional<Shot> shot;
  try {
    shot = skyhost::readSceneFile(input.path());
  } catch (const skyhost::InputError &error) {
    skyfuzz::checkInputError(error, input.path());
    return 0;
  }

  const std::string saved = skyfuzz::tempFolder() + "/saved.json";
  skyhost::writeSceneFile(*shot, saved);
  const Shot again = skyhost::readSceneFile(saved);
  std::remove(saved.c_str());
  FUZZ_CHECK(sameShot(*shot, again));
  return 0;
}
