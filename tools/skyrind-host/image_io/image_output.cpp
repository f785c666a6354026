#include "image_io/image_output.h"

#include <stb_image_write.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "common/atomic_file.h"
#include "common/input_error.h"
#include "containers/jpeg_segments.h"
#include "containers/png_chunks.h"
#include "image_io/exr_writer.h"
#include "image_io/jpeg_writer.h"
#include "image_io/png_writer.h"
#include "panorama/xmp_packet.h"

namespace skyhost {
namespace {

using Format = ImageFormat;

Format formatOf(const std::string &path) {
  if (std::optional<Format> format = imageFormatOf(path)) return *format;
  throw InputError(path, "unknown image type; the known ones are .png, .jpg, .jpeg, .exr, .hdr");
}

// The encoded file, with the photo-sphere XMP when there is a coverage.
std::string encoded(const Image &image, Format format, const OutputFormat &options,
                    const ImageMetadata &metadata, const std::string &path) {
  if (format == Format::Png) {
    std::string png = encodePng(image, options.bitDepth.value_or(8));
    if (!metadata.coverage) return png;
    return withPngXmp(png, gpanoXmpPacket(*metadata.coverage), path);
  }
  std::string jpeg = encodeJpeg(image, options.quality.value_or(kDefaultJpegQuality));
  if (!metadata.coverage) return jpeg;
  return withJpegXmp(jpeg, gpanoXmpPacket(*metadata.coverage), path);
}

}  // namespace

std::optional<ImageFormat> imageFormatOf(const std::string &path) {
  std::string e = std::filesystem::path(path).extension().string();
  std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) { return std::tolower(c); });
  if (e == ".png") return Format::Png;
  if (e == ".jpg" || e == ".jpeg") return Format::Jpeg;
  if (e == ".exr") return Format::Exr;
  if (e == ".hdr") return Format::Hdr;
  return std::nullopt;
}

void checkImagePath(const std::string &path, const OutputFormat &options) {
  Format format = formatOf(path);
  if (options.bitDepth && format != Format::Png)
    throw InputError("--bit-depth", "applies to .png images only");
  if (options.quality && format != Format::Jpeg)
    throw InputError("--quality", "applies to .jpg and .jpeg images only");
  if (options.exrFloat && format != Format::Exr)
    throw InputError("--exr-float", "applies to .exr images only");
  checkFolderExists(path);
}

void writeImage(const Image &image, const std::string &path, const OutputFormat &options,
                const ImageMetadata &metadata) {
  checkImagePath(path, options);
  Format format = formatOf(path);
  if (format == Format::Hdr || format == Format::Exr) {
    return writeAtomically(path, [&](const std::string &temporary) {
      if (format == Format::Hdr)
        return stbi_write_hdr(temporary.c_str(), image.width, image.height, 3, image.rgb.data()) !=
               0;
      writeExr(image, temporary, options.exrFloat, metadata.attributes);
      return true;
    });
  }
  std::string bytes;
  try {
    bytes = encoded(image, format, options, metadata, path);
  } catch (const InputError &) {
    throw;
  } catch (const std::runtime_error &e) {
    throw InputError(path, e.what());
  }
  writeAtomically(path, bytes);
}

}  // namespace skyhost
