#include "image_io/stereo_photo_writer.h"

#include <stb_image.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "common/atomic_file.h"
#include "common/input_error.h"
#include "containers/image_xmp.h"
#include "image_io/jpeg_writer.h"

namespace skyhost {
namespace {

std::string sizeText(int width, int height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

void checkStereoPhotoPath(const std::string &path) {
  if (!isStereoPhotoPath(path)) throw InputError(path, "a stereo photo's name ends in .vr.jpg");
  checkFolderExists(path);
}

void checkStereoPhotoEyes(const std::string &path, StereoLayout layout, int eyeWidth,
                          int eyeHeight) {
  if (stereoLayoutOfEye(eyeWidth, eyeHeight) != layout)
    throw InputError(path, std::string("a ") +
                               (layout == StereoLayout::VR180 ? "VR180 eye is square"
                                                              : "stereo 360 eye is 2:1") +
                               ", not " + sizeText(eyeWidth, eyeHeight));
}

void sayPackedStereoHasNoMetadata(const std::string &path, StereoPacking packing) {
  std::fprintf(stderr, "%s\n", packedStereoNote(path, packing).c_str());
}

void sayDomeMasterHasNoMetadata(const std::string &path) {
  std::fprintf(stderr, "%s\n", domeMasterNote(path).c_str());
}

void writeStereoPhoto(const std::string &path, const Image &left, const Image &right,
                      StereoLayout layout, int quality) {
  checkStereoPhotoPath(path);
  if (left.width != right.width || left.height != right.height)
    throw InputError(path, "the eyes differ in size: " + sizeText(left.width, left.height) +
                               " and " + sizeText(right.width, right.height));
  checkStereoPhotoEyes(path, layout, left.width, left.height);
  std::string bytes;
  try {
    bytes = stereoPhotoBytes(encodeJpeg(left, quality), encodeJpeg(right, quality), layout, path);
  } catch (const InputError &) {
    throw;
  } catch (const std::runtime_error &e) {
    throw InputError(path, e.what());
  }
  writeAtomically(path, bytes);
}

StereoEyes unpackedStereo(const std::string &bytes, StereoPacking packing, int quality,
                          const std::string &source) {
  if (!imageKindOf(bytes)) throw InputError(source, "not a JPEG or PNG file");
  readImageXmp(bytes, source);  // the container checks: cut short, wrong CRC
  int width = 0, height = 0, channels = 0;
  stbi_uc *pixels =
      stbi_load_from_memory(reinterpret_cast<const stbi_uc *>(bytes.data()),
                            static_cast<int>(bytes.size()), &width, &height, &channels, 3);
  if (pixels == nullptr)
    throw InputError(source, std::string("not a readable image: ") + stbi_failure_reason());
  std::vector<unsigned char> rgb(pixels, pixels + 3 * static_cast<std::size_t>(width) * height);
  stbi_image_free(pixels);

  bool topBottom = packing == StereoPacking::TopBottom;
  StereoEyes eyes;
  eyes.eye = packedEye(width, height, packing, source);
  const int eyeWidth = eyes.eye.width, eyeHeight = eyes.eye.height;
  // Each eye's rows copied out: the top or left one first.
  auto encodedEye = [&](int index) {
    std::size_t row = 3 * static_cast<std::size_t>(eyeWidth);
    std::vector<unsigned char> out(row * eyeHeight);
    for (int y = 0; y < eyeHeight; ++y) {
      int fromY = topBottom ? y + index * eyeHeight : y;
      int fromX = topBottom ? 0 : index * eyeWidth;
      std::memcpy(&out[row * y], &rgb[3 * (static_cast<std::size_t>(fromY) * width + fromX)], row);
    }
    return encodeJpegSrgb8(out.data(), eyeWidth, eyeHeight, quality);
  };
  try {
    eyes.leftJpeg = encodedEye(0);
    eyes.rightJpeg = encodedEye(1);
  } catch (const std::runtime_error &e) {
    throw InputError(source, e.what());
  }
  return eyes;
}

}  // namespace skyhost
