// JPEG files as a list of marker segments: checked from SOI through the
// scans to EOI, and the XMP APP1 segment read or replaced with every other
// byte kept.
#pragma once

#include <optional>
#include <string>

namespace skyhost {

bool hasJpegSignature(const std::string &bytes);

struct JpegSummary {
  int width = 0, height = 0;       // from the frame header
  std::optional<std::string> xmp;  // the packet of the XMP APP1 segment
};

// Throws InputError naming source when a segment is cut short or malformed,
// or the file ends before EOI.
JpegSummary readJpeg(const std::string &bytes, const std::string &source);
// The file with its XMP segments dropped and the new one after the leading
// APP0/APP1 segments (JFIF, Exif). Throws InputError like readJpeg, and for a
// packet too long for one segment.
std::string withJpegXmp(const std::string &bytes, const std::string &xmp,
                        const std::string &source);

}  // namespace skyhost
