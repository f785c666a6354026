// The tool's photo-sphere metadata readers and splicers on arbitrary bytes.
//
// Holds for every input: reading the coverage from the file and reading the
// image's XMP either succeed or throw the tool's input error with a one-line
// message naming the file, never anything else, and the coverage read fails
// whenever the image read does. An image that reads takes a GPano packet
// (the tag command splices what it has read), and the result reads again
// with the same size, that packet as its XMP and its coverage as written.
//
// Every other byte is kept. The splicer has no way to drop the XMP alone, so
// this is checked where it can be: a file without XMP (nor extended XMP,
// which goes with it) gets one block inserted, whole, and a tagged file retagged with another
// packet changes in that block only, giving the same bytes as tagging the input with it.
//
// A mutation nearly always breaks a PNG chunk's CRC, which the reader then
// refuses, so the mutator sets the CRCs right again after most mutations.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "containers/image_xmp.h"
#include "containers/jpeg_segments.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/input_error_check.h"
#include "fuzz/temp_input.h"
#include "panorama/metadata.h"
#include "panorama/xmp_packet.h"

namespace {

using skyhost::PanoramaCoverage;

// Two crops of a 4000×2000 panorama; the angles are exact in the packet's
// six decimals.
PanoramaCoverage firstCoverage() {
  PanoramaCoverage c;
  c.fullWidth = 4000;
  c.fullHeight = 2000;
  c.croppedWidth = 1000;
  c.croppedHeight = 500;
  c.croppedLeft = 3500;
  c.croppedTop = 250;
  c.headingDegrees = 90.5;
  c.pitchDegrees = -12.25;
  c.rollDegrees = 3.125;
  return c;
}

PanoramaCoverage secondCoverage() {
  PanoramaCoverage c;
  c.fullWidth = c.croppedWidth = 4000;
  c.fullHeight = c.croppedHeight = 2000;
  c.headingDegrees = 270;
  return c;
}

bool sameCoverage(const PanoramaCoverage &a, const PanoramaCoverage &b) {
  return a.fullWidth == b.fullWidth && a.fullHeight == b.fullHeight &&
         a.croppedWidth == b.croppedWidth && a.croppedHeight == b.croppedHeight &&
         a.croppedLeft == b.croppedLeft && a.croppedTop == b.croppedTop &&
         a.headingDegrees == b.headingDegrees && a.pitchDegrees == b.pitchDegrees &&
         a.rollDegrees == b.rollDegrees;
}

// Bytes around the packet in the block that holds it: a PNG iTXt chunk has
// length, type, the "XML:com.adobe.xmp" keyword with its terminator, the
// flag, method and two empty strings, and the CRC; a JPEG APP1 segment has
// marker, length and the namespace header with its terminator.
std::size_t blockOverhead(const std::string &bytes) {
  return skyhost::hasJpegSignature(bytes) ? 2 + 2 + 29 : 4 + 4 + 18 + 4 + 4;
}

// Whether after is before with one block of blockSize bytes put in at some
// offset (or swapped for one of that size): the bytes in common at the start
// and at the end cover all of before but the block it lost.
bool differInOneBlock(const std::string &before, std::size_t lostSize, const std::string &after,
                      std::size_t blockSize) {
  if (before.size() < lostSize || after.size() < blockSize ||
      after.size() - blockSize != before.size() - lostSize)
    return false;
  const std::size_t shorter = std::min(before.size(), after.size());
  const std::size_t prefix =
      std::mismatch(before.begin(), before.begin() + shorter, after.begin()).first - before.begin();
  const std::size_t suffix =
      std::mismatch(before.rbegin(), before.rbegin() + shorter, after.rbegin()).first -
      before.rbegin();
  return prefix + suffix >= before.size() - lostSize;
}

std::optional<skyhost::ImageXmp> readImage(const std::string &bytes, const std::string &path) {
  try {
    return skyhost::readImageXmp(bytes, path);
  } catch (const skyhost::InputError &error) {
    skyfuzz::checkInputError(error, path);
    return std::nullopt;
  }
}

// The coverage read from the file, or nothing when the read throws.
std::optional<std::optional<PanoramaCoverage>> readCoverage(const std::string &path) {
  try {
    return skyhost::readPanoramaCoverage(path);
  } catch (const skyhost::InputError &error) {
    skyfuzz::checkInputError(error, path);
    return std::nullopt;
  }
}

void checkTagged(const skyhost::ImageXmp &image, const std::string &tagged,
                 const std::string &packet, const PanoramaCoverage &coverage) {
  skyfuzz::TempInput file("tagged.img", reinterpret_cast<const std::uint8_t *>(tagged.data()),
                          tagged.size());
  const std::optional<skyhost::ImageXmp> again = readImage(tagged, file.path());
  FUZZ_CHECK(again.has_value());
  FUZZ_CHECK(again->width == image.width && again->height == image.height);
  FUZZ_CHECK(again->xmp == packet);
  const std::optional<std::optional<PanoramaCoverage>> read = readCoverage(file.path());
  FUZZ_CHECK(read.has_value() && read->has_value());
  FUZZ_CHECK(sameCoverage(**read, coverage));
}

std::uint32_t bigEndian32(const std::uint8_t *at) {
  return std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 |
         at[3];
}

// Sets the CRC of every whole chunk of a PNG from its type and data.
void fixPngCrcs(std::uint8_t *data, std::size_t size) {
  if (size < 8 || std::memcmp(data, "\x89PNG\r\n\x1a\n", 8) != 0) return;
  for (std::size_t at = 8; size - at >= 12;) {
    const std::uint32_t length = bigEndian32(data + at);
    if (length > size - at - 12) return;
    const auto crc = static_cast<std::uint32_t>(crc32(0, data + at + 4, 4 + length));
    for (int i = 0; i < 4; ++i)
      data[at + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    at += 12 + length;
  }
}

}  // namespace

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t *data, std::size_t size, std::size_t maxSize);

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t *data, std::size_t size,
                                               std::size_t maxSize, unsigned seed) {
  size = LLVMFuzzerMutate(data, size, maxSize);
  if (seed % 8 != 0) fixPngCrcs(data, size);  // one in eight keeps what the mutation made
  return size;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const std::string firstPacket = skyhost::gpanoXmpPacket(firstCoverage());
  static const std::string secondPacket = skyhost::gpanoXmpPacket(secondCoverage());

  skyfuzz::TempInput input("image.img", data, size);
  const std::string bytes(reinterpret_cast<const char *>(data), size);
  const std::optional<std::optional<PanoramaCoverage>> coverage = readCoverage(input.path());
  const std::optional<skyhost::ImageXmp> image = readImage(bytes, input.path());
  if (!image) {
    FUZZ_CHECK(!coverage.has_value());
    return 0;
  }
  if (!image->xmp) FUZZ_CHECK(coverage.has_value() && !coverage->has_value());
  if (coverage && *coverage) {
    const PanoramaCoverage &c = **coverage;
    FUZZ_CHECK(c.croppedWidth > 0 && c.croppedHeight > 0);
    FUZZ_CHECK(c.croppedWidth <= c.fullWidth && c.croppedHeight <= c.fullHeight);
    FUZZ_CHECK(c.croppedLeft >= 0 && c.croppedLeft < c.fullWidth);
    FUZZ_CHECK(c.croppedTop >= 0 && c.croppedTop + c.croppedHeight <= c.fullHeight);
  }

  std::string tagged, retagged;
  try {
    tagged = skyhost::withImageXmp(bytes, firstPacket, input.path());
    retagged = skyhost::withImageXmp(tagged, secondPacket, input.path());
  } catch (const skyhost::InputError &error) {
    std::fprintf(stderr, "%s\n", error.what());
    FUZZ_CHECK(!"an image that reads takes a new XMP packet");
  }
  checkTagged(*image, tagged, firstPacket, firstCoverage());
  checkTagged(*image, retagged, secondPacket, secondCoverage());

  // Extended-XMP segments go with the packet they extend.
  const bool extended = skyhost::hasJpegSignature(bytes) &&
                        !skyhost::readJpeg(bytes, input.path()).xmpExtensions.empty();
  const std::size_t overhead = blockOverhead(bytes);
  if (!image->xmp && !extended)
    FUZZ_CHECK(differInOneBlock(bytes, 0, tagged, overhead + firstPacket.size()));
  FUZZ_CHECK(differInOneBlock(tagged, overhead + firstPacket.size(), retagged,
                              overhead + secondPacket.size()));
  FUZZ_CHECK(skyhost::withImageXmp(bytes, secondPacket, input.path()) == retagged);
  return 0;
}
