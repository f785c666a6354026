// Writing stereo photos (NAME.vr.jpg): from the two eyes a renderer made,
// or from one picture with both eyes packed over-under or side by side.
#pragma once

#include <string>

#include "common/image.h"
#include "panorama/stereo_photo.h"

namespace skyhost {

// Throws InputError unless the path ends in .vr.jpg and its folder exists;
// a command checks this before rendering.
void checkStereoPhotoPath(const std::string &path);
// Throws InputError naming path unless an eye of eyeWidth×eyeHeight suits
// the layout: 2:1 for Stereo360, square for VR180. Checked before rendering too.
void checkStereoPhotoEyes(const std::string &path, StereoLayout layout, int eyeWidth,
                          int eyeHeight);

// Writes NAME.vr.jpg through a temporary file: left is the JPEG, right goes
// into its extended XMP, both at quality (1 to 100). Each eye must be 2:1 for
// Stereo360 and square for VR180, the eyes of one size; throws InputError
// naming path otherwise, or when encoding or writing fails.
void writeStereoPhoto(const std::string &path, const Image &left, const Image &right,
                      StereoLayout layout, int quality);

// Says on stderr, in one line, why a packed stereo picture written as a
// plain PNG or JPEG has no photo-sphere fields (packedStereoNote).
void sayPackedStereoHasNoMetadata(const std::string &path, StereoPacking packing);
// The same for a dome master (domeMasterNote).
void sayDomeMasterHasNoMetadata(const std::string &path);

// The two eyes of a packed JPEG or PNG, each re-encoded as a JPEG at quality,
// and the layout their aspect gives.
struct StereoEyes {
  std::string leftJpeg, rightJpeg;
  PackedEye eye;
};
// Throws InputError naming source when the bytes are not a JPEG or PNG that
// decodes, the packed side is odd, or the eye is neither 2:1 nor 1:1.
StereoEyes unpackedStereo(const std::string &bytes, StereoPacking packing, int quality,
                          const std::string &source);

}  // namespace skyhost
