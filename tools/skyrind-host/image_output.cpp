#include "image_output.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>

#include "atomic_file.h"
#include "input_error.h"

namespace skyhost {
namespace {

std::string extensionOf(const std::string &path) {
  std::string e = std::filesystem::path(path).extension().string();
  std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) { return std::tolower(c); });
  return e;
}

std::uint8_t toSrgb8(float linear) {
  double c = std::clamp(static_cast<double>(linear), 0.0, 1.0);
  double s = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
  return static_cast<std::uint8_t>(std::lround(s * 255));
}

}  // namespace

void checkImagePath(const std::string &path) {
  std::string e = extensionOf(path);
  if (e != ".png" && e != ".hdr") throw InputError(path, "the image must end in .png or .hdr");
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  if (!folder.empty() && !std::filesystem::is_directory(folder))
    throw InputError(path, "no such folder");
}

void writeImage(const Image &image, const std::string &path) {
  checkImagePath(path);
  bool png = extensionOf(path) == ".png";
  writeAtomically(path, [&](const std::string &temporary) {
    if (!png)
      return stbi_write_hdr(temporary.c_str(), image.width, image.height, 3, image.rgb.data()) != 0;
    std::vector<std::uint8_t> bytes(image.rgb.size());
    std::transform(image.rgb.begin(), image.rgb.end(), bytes.begin(), toSrgb8);
    return stbi_write_png(temporary.c_str(), image.width, image.height, 3, bytes.data(),
                          3 * image.width) != 0;
  });
}

}  // namespace skyhost
