// The MD5 digest (RFC 1321). Extended XMP names its packet by the digest, so
// it is a name here, never a security check.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace skyhost {

std::array<std::uint8_t, 16> md5(const std::string &bytes);
// The digest as 32 upper-case hex digits.
std::string md5HexUpper(const std::string &bytes);

}  // namespace skyhost
