#include <cstdio>
#include <filesystem>

#include "commands/commands.h"
#include "common/atomic_file.h"
#include "common/input_error.h"
#include "common/utf8_path.h"
#include "containers/image_xmp.h"
#include "image_io/stereo_photo_writer.h"
#include "panorama/stereo_photo.h"

namespace skyhost {

// Splits a picture with both eyes packed over-under or side by side into a
// stereo photo. Everything is checked and made before the new file is
// written; the input is only read.
int runTagStereo(const Options &o) {
  if (o.output.empty())
    throw InputError("--stereo", "needs -o NAME.vr.jpg, the stereo photo to write");
  checkStereoPhotoPath(o.output);
  std::error_code ignored;
  if (std::filesystem::equivalent(pathFromUtf8(o.output), pathFromUtf8(o.input), ignored))
    throw InputError(o.output, "the stereo photo would overwrite its input");
  StereoPacking packing =
      o.stereoPacking == "top-bottom" ? StereoPacking::TopBottom : StereoPacking::SideBySide;
  StereoEyes eyes = unpackedStereo(readImageBytes(o.input), packing,
                                   o.format.quality.value_or(kDefaultJpegQuality), o.input);
  writeAtomically(o.output,
                  stereoPhotoBytes(eyes.leftJpeg, eyes.rightJpeg, eyes.eye.layout, o.output));
  std::printf("%s: %s, each eye %dx%d, the left eye from the %s\n", o.output.c_str(),
              eyes.eye.layout == StereoLayout::VR180 ? "VR180" : "stereo 360", eyes.eye.width,
              eyes.eye.height, packing == StereoPacking::TopBottom ? "top" : "left");
  return 0;
}

}  // namespace skyhost
