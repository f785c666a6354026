#include <cstdio>

#include "commands/commands.h"
#include "common/atomic_file.h"
#include "common/input_error.h"
#include "containers/image_xmp.h"
#include "panorama/xmp_packet.h"
#include "refhost/bindings/camera_session.h"
#include "session/host_generation.h"
#include "session/shot.h"
#include "session/shot_metadata.h"

namespace skyhost {

// Writes the photo-sphere metadata into an existing JPEG or PNG. The file is
// checked whole and the new one fully made before the rename replaces it,
// so a refusal leaves it as it was.
int runTag(const Options &o) {
  if (!o.stereoPacking.empty()) return runTagStereo(o);
  std::string bytes = readImageBytes(o.input);
  ImageXmp image = readImageXmp(bytes, o.input);
  std::optional<PanoramaCoverage> coverage;
  std::string whyNot;
  if (o.scene.empty()) {
    coverage =
        equirectangularCoverage(o.panel, image.width, image.height, o.headingDegrees, &whyNot);
  } else {
    refhost::CameraSession session(o.plugin, refhost::CallLogging::Off, hostProfile(o));
    Shot shot = setUpShot(o, session);
    ImageMetadata metadata = shotMetadata(shot, session, image.width, image.height);
    coverage = metadata.coverage;
    whyNot = metadata.whyNoCoverage;
  }
  if (!whyNot.empty()) throw InputError(o.input, "no photo-sphere metadata: " + whyNot);
  if (!coverage)
    throw InputError(o.input,
                     "the settings do not make an equirectangular panorama (both axes angular, "
                     "\"Vertical Panorama\" off, at most 360x180 degrees), so it gets no "
                     "photo-sphere metadata");
  std::string tagged = withImageXmp(bytes, gpanoXmpPacket(*coverage), o.input);
  writeAtomically(o.input, tagged);
  std::printf("%s: %dx%d, a %dx%d panorama's crop at %d,%d\n", o.input.c_str(), image.width,
              image.height, coverage->fullWidth, coverage->fullHeight, coverage->croppedLeft,
              coverage->croppedTop);
  return 0;
}

}  // namespace skyhost
