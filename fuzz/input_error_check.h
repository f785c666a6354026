// What the tool's readers promise for a bad input: a skyhost::InputError
// whose message is one non-empty line starting with the input's path.
#pragma once

#include <string>

#include "common/input_error.h"
#include "fuzz/fuzz_check.h"

namespace skyfuzz {

inline void checkInputError(const skyhost::InputError &error, const std::string &path) {
  const std::string message = error.what();
  const std::string prefix = path + ": ";
  FUZZ_CHECK(message.compare(0, prefix.size(), prefix) == 0);
  FUZZ_CHECK(message.size() > prefix.size());
  FUZZ_CHECK(message.find_first_of("\n\r") == std::string::npos);
}

}  // namespace skyfuzz
