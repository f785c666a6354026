// Paths as the tool's strings hold them, UTF-8, to and from std::filesystem.
// On Windows a narrow string given to std::filesystem or a file stream is
// read in the C runtime's code page, so there the conversion goes through
// char8_t (the wide path that Windows' own calls take); elsewhere the bytes
// pass unchanged.
#pragma once

#include <filesystem>
#include <string>

namespace skyhost {

inline std::filesystem::path pathFromUtf8(const std::string &path) {
#ifdef _WIN32
  return std::filesystem::path(std::u8string(path.begin(), path.end()));
#else
  return std::filesystem::path(path);
#endif
}

inline std::string utf8FromPath(const std::filesystem::path &path) {
#ifdef _WIN32
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
#else
  return path.string();
#endif
}

}  // namespace skyhost
