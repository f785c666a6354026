// PNG files as a list of chunks: checked end to end (signature, lengths,
// CRCs, one IHDR first, IEND last) and the XMP iTXt chunk read or replaced with
// every other byte kept.
#pragma once

#include <optional>
#include <string>

namespace skyhost {

bool hasPngSignature(const std::string &bytes);

struct PngSummary {
  int width = 0, height = 0;
  std::optional<std::string> xmp;  // the text of the "XML:com.adobe.xmp" iTXt chunk
};

// Throws InputError naming source when a chunk is cut short or corrupt.
PngSummary readPng(const std::string &bytes, const std::string &source);
// The file with its XMP chunks dropped and the new one right after IHDR.
// Throws InputError like readPng.
std::string withPngXmp(const std::string &bytes, const std::string &xmp, const std::string &source);

}  // namespace skyhost
