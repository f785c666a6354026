// Extended XMP in JPEG: a packet too long for one APP1 segment is cut into
// parts, each an extended-XMP segment holding the packet's GUID (the 32
// upper-case hex digits of its MD5, which the main packet names in
// xmpNote:HasExtendedXMP), the packet's full length and the part's offset in
// it (32-bit big-endian each), then the part.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace skyhost {

// The GUID that names an extended packet: its MD5 in upper-case hex.
std::string extendedXmpGuid(const std::string &packet);

// The file with its XMP replaced by mainXmp and the extended packet written
// after it, in as few segments as fit. Throws InputError naming source like
// withJpegXmp.
std::string withJpegExtendedXmp(const std::string &bytes, const std::string &mainXmp,
                                const std::string &extendedXmp, const std::string &source);

// The extended packet of the file's segments (readJpeg's xmpExtensions)
// named guid, or nothing when no segment carries that GUID. Throws
// InputError naming source when its parts disagree on the length, overlap
// with other bytes, or leave a gap.
std::optional<std::string> extendedXmpPacket(const std::vector<std::string> &segments,
                                             const std::string &guid, const std::string &source);

}  // namespace skyhost
