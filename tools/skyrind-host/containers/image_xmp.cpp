#include "containers/image_xmp.h"

#include "common/file_bytes.h"
#include "common/input_error.h"
#include "containers/jpeg_segments.h"
#include "containers/png_chunks.h"

namespace skyhost {
namespace {

const char *const kNotAnImage = "not a JPEG or PNG file";

}  // namespace

std::string readImageBytes(const std::string &path) {
  return readFileBytes(path, "file");
}

ImageXmp readImageXmp(const std::string &bytes, const std::string &source) {
  if (hasJpegSignature(bytes)) {
    JpegSummary jpeg = readJpeg(bytes, source);
    return {jpeg.width, jpeg.height, jpeg.xmp};
  }
  if (hasPngSignature(bytes)) {
    PngSummary png = readPng(bytes, source);
    return {png.width, png.height, png.xmp};
  }
  throw InputError(source, kNotAnImage);
}

std::string withImageXmp(const std::string &bytes, const std::string &xmp,
                         const std::string &source) {
  if (hasJpegSignature(bytes)) return withJpegXmp(bytes, xmp, source);
  if (hasPngSignature(bytes)) return withPngXmp(bytes, xmp, source);
  throw InputError(source, kNotAnImage);
}

}  // namespace skyhost
