// Writing pictures, the format chosen by the extension: PNG (8 or 16-bit
// sRGB), JPEG (sRGB), OpenEXR (linear half or float) or Radiance .hdr
// (linear). JPEG and PNG carry the photo-sphere XMP of an equirectangular
// image, OpenEXR the camera's settings.
#pragma once

#include <optional>
#include <string>

#include "common/image.h"
#include "common/options.h"
#include "image_io/image_metadata.h"

namespace skyhost {

enum class ImageFormat { Png, Jpeg, Exr, Hdr };

// The format the path's extension names, in any case: .png, .jpg or .jpeg,
// .exr, .hdr; nothing for another one.
std::optional<ImageFormat> imageFormatOf(const std::string &path);

// Throws InputError unless the extension is a known one, the format options
// suit it and the path's folder exists.
void checkImagePath(const std::string &path, const OutputFormat &format = {});
// Writes through a temporary file, so a failure leaves nothing behind.
void writeImage(const Image &image, const std::string &path, const OutputFormat &format = {},
                const ImageMetadata &metadata = {});

}  // namespace skyhost
