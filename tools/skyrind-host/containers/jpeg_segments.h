// JPEG files as a list of marker segments: checked from SOI through the
// scans to EOI, and the XMP APP1 segments (the packet and its extended-XMP
// parts) read or replaced with every other byte kept.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace skyhost {

bool hasJpegSignature(const std::string &bytes);

struct JpegSummary {
  int width = 0, height = 0;       // from the frame header
  std::optional<std::string> xmp;  // the packet of the XMP APP1 segment
  // Each extended-XMP APP1 segment's data after its namespace header (GUID,
  // full length, offset and the part), in file order.
  std::vector<std::string> xmpExtensions;
};

// Throws InputError naming source when a segment is cut short or malformed,
// or the file ends before EOI.
JpegSummary readJpeg(const std::string &bytes, const std::string &source);
// The file with its XMP and extended-XMP segments dropped and the new XMP
// segment after the leading APP0/APP1 segments (JFIF, Exif), followed by one
// extended-XMP segment for each of extensions (the data after the namespace
// header). Throws InputError like readJpeg, and for a packet or extension too
// long for one segment.
std::string withJpegXmp(const std::string &bytes, const std::string &xmp, const std::string &source,
                        const std::vector<std::string> &extensions = {});

// The most data after the namespace header an extended-XMP segment holds:
// a segment's 65,535 bytes less its length field and the header.
std::size_t maxXmpExtensionSize();

}  // namespace skyhost
