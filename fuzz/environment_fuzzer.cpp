// The tool's environment image reader on arbitrary bytes.
//
// Holds for every input: the read returns an environment exactly when
// stb_image decodes the file to at least one pixel, or throws the tool's
// input error with a one-line message naming the file, never anything else.
// Looking through the centre of a pixel of the decoded size (the corners and
// a spread of others) stays inside the environment's pixel buffer (the
// address sanitizer traps otherwise) and gives finite, non-negative RGB.
// The values are not compared with the decode's: for truncated PNM, TGA and
// flat Radiance files stb_image leaves the missing pixels uninitialised.
#include <stb_image.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include "fuzz/fuzz_check.h"
#include "fuzz/input_error_check.h"
#include "fuzz/temp_input.h"
#include "scene/environment.h"

namespace {

using skyhost::kPi;
using skyhost::Vec3;

constexpr long long kMaxPixels = 1 << 18;

// The unit direction through the centre of pixel (column, row) of an
// equirectangular image: the centre column looks along +z, row 0 is up.
Vec3 throughPixel(int column, int row, int width, int height) {
  const double longitude = ((column + 0.5) / width - 0.5) * 2 * kPi;
  const double latitude = (0.5 - (row + 0.5) / height) * kPi;
  return {std::sin(longitude) * std::cos(latitude), std::sin(latitude),
          std::cos(longitude) * std::cos(latitude)};
}

struct Decoded {
  int width = 0, height = 0;
  std::unique_ptr<float, void (*)(void *)> rgb{nullptr, stbi_image_free};
};

// stb_image's own decode of the file, in its own channels. From the file, not
// from memory: stb_image reads past the end of the two differently.
Decoded decode(const std::string &path) {
  Decoded d;
  int channels = 0;
  d.rgb.reset(stbi_loadf(path.c_str(), &d.width, &d.height, &channels, 0));
  return d;
}

void checkPixel(const skyhost::Environment &environment, const Decoded &d, int column, int row) {
  const Vec3 seen = environment(throughPixel(column, row, d.width, d.height));
  FUZZ_CHECK(std::isfinite(seen.x) && std::isfinite(seen.y) && std::isfinite(seen.z));
  FUZZ_CHECK(seen.x >= 0 && seen.y >= 0 && seen.z >= 0);
}

// True for a PNG with a chunk that declares more than 16 MiB, past the end of
// the input: stb_image reserves the length of a data chunk (up to 2 GiB)
// before it reads the chunk, so such inputs, like huge headers, only measure
// memory. Shorter cut chunks are read, and refused.
bool declaresHugeChunkPastTheEnd(const uint8_t *data, size_t size) {
  if (size < 8 || std::memcmp(data, "\x89PNG\r\n\x1a\n", 8) != 0) return false;
  for (size_t at = 8; at + 8 <= size;) {
    const uint32_t length = uint32_t{data[at]} << 24 | uint32_t{data[at + 1]} << 16 |
                            uint32_t{data[at + 2]} << 8 | uint32_t{data[at + 3]};
    if (length > size - at - 8) return length > (1u << 24);  // after its length and type
    at += 12 + size_t{length};                               // length, type, data, CRC
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  skyfuzz::TempInput input("environment.img", data, size);
  // A header may declare a huge image in a few bytes, which the reader then
  // allocates in full (no size cap); such inputs only measure memory. A
  // top-down BMP's height comes back negative.
  int width = 0, height = 0, channels = 0;
  if (stbi_info(input.path().c_str(), &width, &height, &channels) &&
      std::llabs(width) * std::llabs(height) > kMaxPixels)
    return 0;
  if (declaresHugeChunkPastTheEnd(data, size)) return 0;
  std::optional<skyhost::Environment> environment;
  try {
    environment.emplace(input.path());
  } catch (const skyhost::InputError &error) {
    skyfuzz::checkInputError(error, input.path());
    const Decoded d = decode(input.path());
    FUZZ_CHECK(d.rgb == nullptr || d.width <= 0 || d.height <= 0);
    return 0;
  }

  const Decoded d = decode(input.path());
  FUZZ_CHECK(d.rgb != nullptr && d.width > 0 && d.height > 0);
  const int w = d.width - 1, h = d.height - 1;
  for (int k = 0; k <= 16; ++k) {
    checkPixel(*environment, d, w * k / 16, h * k / 16);
    checkPixel(*environment, d, w * k / 16, h - h * k / 16);
  }
  return 0;
}
