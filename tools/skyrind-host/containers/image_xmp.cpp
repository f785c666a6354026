#include "containers/image_xmp.h"

#include "common/file_bytes.h"
#include "common/input_error.h"
#include "containers/jpeg_segments.h"
#include "containers/png_chunks.h"

namespace skyhost {
namespace {

const char *const kNotAnImage = "not a JPEG or PNG file";

}  // namespace

std::optional<ImageKind> imageKindOf(const std::string &bytes) {
  if (hasJpegSignature(bytes)) return ImageKind::Jpeg;
  if (hasPngSignature(bytes)) return ImageKind::Png;
  return std::nullopt;
}

std::string readImageBytes(const std::string &path) {
  return readFileBytes(path, "file");
}

ImageXmp readImageXmp(const std::string &bytes, const std::string &source) {
  std::optional<ImageKind> kind = imageKindOf(bytes);
  if (kind == ImageKind::Jpeg) {
    JpegSummary jpeg = readJpeg(bytes, source);
    return {jpeg.width, jpeg.height, jpeg.xmp};
  }
  if (kind == ImageKind::Png) {
    PngSummary png = readPng(bytes, source);
    return {png.width, png.height, png.xmp};
  }
  throw InputError(source, kNotAnImage);
}

std::string withImageXmp(const std::string &bytes, const std::string &xmp,
                         const std::string &source) {
  std::optional<ImageKind> kind = imageKindOf(bytes);
  if (kind == ImageKind::Jpeg) return withJpegXmp(bytes, xmp, source);
  if (kind == ImageKind::Png) return withPngXmp(bytes, xmp, source);
  throw InputError(source, kNotAnImage);
}

}  // namespace skyhost
