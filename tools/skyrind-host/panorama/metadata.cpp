#include "panorama/metadata.h"

#include "containers/image_xmp.h"
#include "panorama/xmp_packet.h"

namespace skyhost {

std::optional<PanoramaCoverage> readPanoramaCoverage(const std::string &imagePath) {
  ImageXmp image = readImageXmp(readImageBytes(imagePath), imagePath);
  if (!image.xmp) return std::nullopt;
  return gpanoCoverage(*image.xmp, image.width, image.height, imagePath);
}

}  // namespace skyhost
