// A whole input file read into memory.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

#include "common/input_error.h"
#include "common/utf8_path.h"

namespace skyhost {

// The file's bytes; throws InputError "PATH: cannot read the WHAT" when it
// cannot be opened or read.
inline std::string readFileBytes(const std::string &path, const std::string &what) {
  std::ifstream in(pathFromUtf8(path), std::ios::binary);
  if (!in) throw InputError(path, "cannot read the " + what);
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) throw InputError(path, "cannot read the " + what);
  return bytes;
}

}  // namespace skyhost
