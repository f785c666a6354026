// A bad input: the message names the input and the reason, in one line.
#pragma once

#include <stdexcept>
#include <string>

namespace skyhost {

class InputError : public std::runtime_error {
 public:
  InputError(const std::string &input, const std::string &reason)
      : std::runtime_error(input + ": " + reason) {}
};

}  // namespace skyhost
