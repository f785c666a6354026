#include "containers/jpeg_segments.h"

#include <vector>

#include "common/input_error.h"

namespace skyhost {
namespace {

const std::string kXmpHeader("http://ns.adobe.com/xap/1.0/\0", 29);
const std::string kExtensionHeader("http://ns.adobe.com/xmp/extension/\0", 35);
constexpr std::size_t kMaxSegmentData = 0xFFFF - 2;  // the length field counts itself
constexpr unsigned char kApp0 = 0xE0, kApp1 = 0xE1, kStartOfScan = 0xDA, kEnd = 0xD9;

struct Segment {
  std::size_t begin, end;  // from the 0xFF of the marker to the segment's last byte + 1
  unsigned char marker;
  std::size_t dataBegin() const { return begin + 4; }
};

unsigned byteAt(const std::string &bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

bool startsWith(const std::string &bytes, const Segment &s, const std::string &header) {
  return s.marker == kApp1 && s.end - s.dataBegin() >= header.size() &&
         bytes.compare(s.dataBegin(), header.size(), header) == 0;
}

bool isXmp(const std::string &bytes, const Segment &s) {
  return startsWith(bytes, s, kXmpHeader);
}

bool isXmpExtension(const std::string &bytes, const Segment &s) {
  return startsWith(bytes, s, kExtensionHeader);
}

// An APP1 segment: marker, length, header and data.
std::string app1Segment(const std::string &header, const std::string &data) {
  std::size_t length = 2 + header.size() + data.size();
  return std::string{'\xFF', static_cast<char>(kApp1), static_cast<char>(length >> 8),
                     static_cast<char>(length & 0xFF)} +
         header + data;
}

// Frame headers: SOF0-SOF15 but DHT (C4), JPG (C8) and DAC (CC).
bool isFrameHeader(unsigned char m) {
  return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

// The segments with a length up to EOI; entropy-coded data after each SOS
// is skipped to the next marker. Sets size from the frame header.
std::vector<Segment> segmentsOf(const std::string &bytes, const std::string &source,
                                JpegSummary &size) {
  if (!hasJpegSignature(bytes)) throw InputError(source, "not a JPEG file");
  const std::string cut = "the JPEG is cut short";
  std::vector<Segment> segments;
  std::size_t at = 2;
  for (;;) {
    if (at >= bytes.size() || byteAt(bytes, at) != 0xFF)
      throw InputError(source,
                       at >= bytes.size() ? cut + " (no EOI marker)" : "a JPEG marker is missing");
    while (at < bytes.size() && byteAt(bytes, at) == 0xFF) ++at;  // fill bytes
    if (at >= bytes.size()) throw InputError(source, cut + " (no EOI marker)");
    auto marker = static_cast<unsigned char>(bytes[at]);
    std::size_t begin = at - 1;
    ++at;
    if (marker == kEnd) break;
    if (marker == 0xD8 || marker == 0x00 || (marker >= 0xD0 && marker <= 0xD7))
      throw InputError(source, "a JPEG marker is out of place");
    if (bytes.size() - at < 2) throw InputError(source, cut);
    std::size_t length = byteAt(bytes, at) << 8 | byteAt(bytes, at + 1);
    if (length < 2 || length > bytes.size() - at)
      throw InputError(source, length < 2 ? "a JPEG segment has a malformed length" : cut);
    Segment segment{begin, at + length, marker};
    if (isFrameHeader(marker)) {
      if (length < 8) throw InputError(source, "the JPEG's frame header is malformed");
      size.height = static_cast<int>(byteAt(bytes, at + 3) << 8 | byteAt(bytes, at + 4));
      size.width = static_cast<int>(byteAt(bytes, at + 5) << 8 | byteAt(bytes, at + 6));
    }
    segments.push_back(segment);
    at = segment.end;
    if (marker != kStartOfScan) continue;
    // Entropy-coded data: 0xFF is followed by 0x00 (a stuffed byte), a
    // restart marker, or the next marker.
    for (;; ++at) {
      if (at + 1 >= bytes.size()) throw InputError(source, cut + " (in the image data)");
      unsigned next = byteAt(bytes, at + 1);
      if (byteAt(bytes, at) == 0xFF && next != 0x00 && !(next >= 0xD0 && next <= 0xD7) &&
          next != 0xFF)
        break;
    }
  }
  if (size.width <= 0 || size.height <= 0)
    throw InputError(source, "the JPEG has no frame header with a size");
  return segments;
}

}  // namespace

bool hasJpegSignature(const std::string &bytes) {
  return bytes.size() >= 3 && byteAt(bytes, 0) == 0xFF && byteAt(bytes, 1) == 0xD8 &&
         byteAt(bytes, 2) == 0xFF;
}

JpegSummary readJpeg(const std::string &bytes, const std::string &source) {
  JpegSummary summary;
  for (const Segment &s : segmentsOf(bytes, source, summary)) {
    if (isXmp(bytes, s) && !summary.xmp) {
      std::size_t packet = s.dataBegin() + kXmpHeader.size();
      summary.xmp = bytes.substr(packet, s.end - packet);
    } else if (isXmpExtension(bytes, s)) {
      std::size_t data = s.dataBegin() + kExtensionHeader.size();
      summary.xmpExtensions.push_back(bytes.substr(data, s.end - data));
    }
  }
  return summary;
}

std::size_t maxXmpExtensionSize() {
  return kMaxSegmentData - kExtensionHeader.size();
}

std::string withJpegXmp(const std::string &bytes, const std::string &xmp, const std::string &source,
                        const std::vector<std::string> &extensions) {
  if (xmp.size() + kXmpHeader.size() > kMaxSegmentData)
    throw InputError(source, "the XMP packet is too long for one JPEG segment");
  JpegSummary size;
  std::vector<Segment> segments = segmentsOf(bytes, source, size);
  std::string segment = app1Segment(kXmpHeader, xmp);
  for (const std::string &extension : extensions) {
    if (extension.size() > maxXmpExtensionSize())
      throw InputError(source, "an extended XMP part is too long for one JPEG segment");
    segment += app1Segment(kExtensionHeader, extension);
  }

  std::string out = bytes.substr(0, 2);
  std::size_t at = 2;  // bytes before at are written or dropped
  bool placed = false;
  for (const Segment &s : segments) {
    bool dropped = isXmp(bytes, s) || isXmpExtension(bytes, s);
    bool leading = !placed && (s.marker == kApp0 || s.marker == kApp1) && !dropped;
    if (!placed && !leading) {
      out += segment;
      placed = true;
    }
    out.append(bytes, at, s.begin - at);  // fill bytes and entropy-coded data
    if (!dropped) out.append(bytes, s.begin, s.end - s.begin);
    at = s.end;
  }
  return out + bytes.substr(at);
}

}  // namespace skyhost
