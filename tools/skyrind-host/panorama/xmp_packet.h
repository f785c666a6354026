// The photo-sphere (GPano) XMP packet: written for an equirectangular image,
// read back from any XMP that carries the GPano namespace.
#pragma once

#include <optional>
#include <string>

#include "panorama/coverage.h"

namespace skyhost {

// A complete XMP packet (UTF-8, with its xpacket wrapper) holding the GPano
// fields of the coverage.
std::string gpanoXmpPacket(const PanoramaCoverage &coverage);

// The coverage recorded in an XMP packet of a width×height image, or nothing
// when the packet has no GPano fields or names another projection. Absent
// sizes and offsets mean the image is the whole sphere. Throws InputError
// naming source for a field that is not a number or sizes that do not fit.
std::optional<PanoramaCoverage> gpanoCoverage(const std::string &xmp, int width, int height,
                                              const std::string &source);

// The text of a property in the namespace, written as an attribute or as an
// element, whatever prefix the packet binds to it; nothing when absent.
std::optional<std::string> xmpProperty(const std::string &xmp, const std::string &namespaceUri,
                                       const std::string &name);

}  // namespace skyhost
