// Base64 (RFC 4648, the standard alphabet with '=' padding), as data: URLs
// and XMP properties carry binary files.
#pragma once

#include <optional>
#include <string>

namespace skyhost {

std::string base64Encoded(const std::string &bytes);
// The bytes, or nothing when the text is not padded base64. Whitespace
// (an XMP writer may wrap long values) is skipped.
std::optional<std::string> base64Decoded(const std::string &text);

}  // namespace skyhost
