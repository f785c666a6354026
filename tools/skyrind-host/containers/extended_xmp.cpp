#include "containers/extended_xmp.h"

#include <algorithm>
#include <cstdint>

#include "common/input_error.h"
#include "common/md5.h"
#include "containers/jpeg_segments.h"

namespace skyhost {
namespace {

constexpr std::size_t kGuidSize = 32;
constexpr std::size_t kPartHeaderSize = kGuidSize + 4 + 4;  // GUID, full length, offset

void appendBigEndian32(std::string &out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(value >> shift));
}

std::uint32_t bigEndian32(const std::string &bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

struct Part {
  std::uint32_t fullLength, offset;
  const std::string *segment;
  std::size_t size() const { return segment->size() - kPartHeaderSize; }
};

}  // namespace

std::string extendedXmpGuid(const std::string &packet) {
  return md5HexUpper(packet);
}

std::string withJpegExtendedXmp(const std::string &bytes, const std::string &mainXmp,
                                const std::string &extendedXmp, const std::string &source) {
  if (extendedXmp.size() > 0xFFFFFFFFu)
    throw InputError(source, "the extended XMP packet is longer than 4 GB");
  const std::string guid = extendedXmpGuid(extendedXmp);
  const std::size_t partSize = maxXmpExtensionSize() - kPartHeaderSize;
  std::vector<std::string> segments;
  for (std::size_t offset = 0; offset < extendedXmp.size(); offset += partSize) {
    std::string segment = guid;
    appendBigEndian32(segment, static_cast<std::uint32_t>(extendedXmp.size()));
    appendBigEndian32(segment, static_cast<std::uint32_t>(offset));
    segments.push_back(segment + extendedXmp.substr(offset, partSize));
  }
  return withJpegXmp(bytes, mainXmp, source, segments);
}

std::optional<std::string> extendedXmpPacket(const std::vector<std::string> &segments,
                                             const std::string &guid, const std::string &source) {
  std::vector<Part> parts;
  for (const std::string &s : segments)
    if (s.size() >= kPartHeaderSize && s.compare(0, kGuidSize, guid) == 0 &&
        guid.size() == kGuidSize)
      parts.push_back({bigEndian32(s, kGuidSize), bigEndian32(s, kGuidSize + 4), &s});
  if (parts.empty()) return std::nullopt;
  // A writer may repeat a part; each byte of the packet must come once.
  std::stable_sort(parts.begin(), parts.end(),
                   [](const Part &a, const Part &b) { return a.offset < b.offset; });
  std::string packet;
  for (const Part &p : parts) {
    if (p.fullLength != parts[0].fullLength)
      throw InputError(source, "the extended XMP parts disagree on the packet's length");
    std::string data = p.segment->substr(kPartHeaderSize);
    if (p.offset < packet.size()) {
      if (p.offset + data.size() > packet.size() ||
          packet.compare(p.offset, data.size(), data) != 0)
        throw InputError(source, "two extended XMP parts overlap");
      continue;  // a repeat of what is there
    }
    if (p.offset > packet.size()) throw InputError(source, "an extended XMP part is missing");
    if (data.size() > p.fullLength - packet.size())
      throw InputError(source, "an extended XMP part runs past the packet's length");
    packet += data;
  }
  if (packet.size() != parts[0].fullLength)
    throw InputError(source, "the extended XMP packet is cut short");
  return packet;
}

}  // namespace skyhost
