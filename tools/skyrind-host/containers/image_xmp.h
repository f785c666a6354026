// The XMP packet of a JPEG or PNG file, told apart by their first bytes.
#pragma once

#include <optional>
#include <string>

namespace skyhost {

enum class ImageKind { Jpeg, Png };

// What the file's first bytes say it is (the splicers' signature checks),
// or nothing for another kind of file.
std::optional<ImageKind> imageKindOf(const std::string &bytes);

struct ImageXmp {
  int width = 0, height = 0;
  std::optional<std::string> xmp;
};

// The whole file; throws InputError when it cannot be read.
std::string readImageBytes(const std::string &path);
// Throws InputError naming source when the bytes are not a JPEG or PNG, or
// one that is cut short or corrupt.
ImageXmp readImageXmp(const std::string &bytes, const std::string &source);
// The same file with its XMP packet replaced by xmp; throws like readImageXmp.
std::string withImageXmp(const std::string &bytes, const std::string &xmp,
                         const std::string &source);

}  // namespace skyhost
