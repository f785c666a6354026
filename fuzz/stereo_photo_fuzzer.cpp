// Stereo photos (.vr.jpg) and the extended XMP that carries their right eye,
// on arbitrary bytes.
//
// Holds for every input: reading the right eye either gives a JPEG that
// reads or throws the tool's input error with a one-line message naming the
// file, and so does assembling the extended packet named by any GUID the
// file's extended-XMP segments carry; an assembled packet has the length its
// parts declare.
//
// A JPEG that reads takes a main packet and an extended packet spread over
// three segments: the result reads with the same size, the main packet as
// its XMP, and the extended packet back whole by its GUID, every segment
// within a JPEG segment's limit. Replacing that XMP drops the extended
// parts, giving the same bytes as tagging the input itself. Made into a
// stereo photo with itself as the right eye, the right eye reads back as
// the input's exact bytes.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "containers/extended_xmp.h"
#include "containers/jpeg_segments.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/input_error_check.h"
#include "panorama/stereo_photo.h"

namespace {

const std::string kSource = "photo.vr.jpg";

std::optional<skyhost::JpegSummary> readJpeg(const std::string &bytes) {
  try {
    return skyhost::readJpeg(bytes, kSource);
  } catch (const skyhost::InputError &error) {
    skyfuzz::checkInputError(error, kSource);
    return std::nullopt;
  }
}

std::uint32_t bigEndian32(const std::string &bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// A packet too long for two segments, with every byte value in it.
std::string longPacket() {
  std::string packet;
  for (std::size_t i = 0; i < 150000; ++i) packet += static_cast<char>((i * 7919) >> 3);
  return packet;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const std::string extended = longPacket();
  static const std::string guid = skyhost::extendedXmpGuid(extended);
  static const std::string mainPacket = "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"/>";

  const std::string bytes(reinterpret_cast<const char *>(data), size);
  try {
    if (std::optional<std::string> right = skyhost::stereoRightEye(bytes, kSource))
      FUZZ_CHECK(readJpeg(*right).has_value());
  } catch (const skyhost::InputError &error) {
    skyfuzz::checkInputError(error, kSource);
  }

  const std::optional<skyhost::JpegSummary> jpeg = readJpeg(bytes);
  if (!jpeg) return 0;
  for (const std::string &segment : jpeg->xmpExtensions) {
    if (segment.size() < 40) continue;
    try {
      std::optional<std::string> packet =
          skyhost::extendedXmpPacket(jpeg->xmpExtensions, segment.substr(0, 32), kSource);
      FUZZ_CHECK(packet.has_value() && packet->size() == bigEndian32(segment, 32));
    } catch (const skyhost::InputError &error) {
      skyfuzz::checkInputError(error, kSource);
    }
  }

  std::string spliced;
  try {
    spliced = skyhost::withJpegExtendedXmp(bytes, mainPacket, extended, kSource);
  } catch (const skyhost::InputError &error) {
    std::fprintf(stderr, "%s\n", error.what());
    FUZZ_CHECK(!"a JPEG that reads takes extended XMP");
  }
  const std::optional<skyhost::JpegSummary> again = readJpeg(spliced);
  FUZZ_CHECK(again.has_value());
  FUZZ_CHECK(again->width == jpeg->width && again->height == jpeg->height);
  FUZZ_CHECK(again->xmp == mainPacket);
  FUZZ_CHECK(again->xmpExtensions.size() == 3);
  for (const std::string &segment : again->xmpExtensions)
    FUZZ_CHECK(segment.size() <= skyhost::maxXmpExtensionSize());
  FUZZ_CHECK(skyhost::extendedXmpPacket(again->xmpExtensions, guid, kSource) == extended);
  FUZZ_CHECK(skyhost::withJpegXmp(spliced, mainPacket, kSource) ==
             skyhost::withJpegXmp(bytes, mainPacket, kSource));

  // The input as both eyes of a stereo photo, where its size makes one.
  if (skyhost::stereoLayoutOfEye(jpeg->width, jpeg->height)) {
    const std::string photo = skyhost::stereoPhotoBytes(
        bytes, bytes, *skyhost::stereoLayoutOfEye(jpeg->width, jpeg->height), kSource);
    FUZZ_CHECK(skyhost::stereoRightEye(photo, kSource) == bytes);
  }
  return 0;
}
