// An instance's data block in a scene: the bytes one save produced, in one of
// the host's two encodings, read back whole by one load.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace refhost {

// The values are the load/save state's ioMode.
enum class StateEncoding : int {
  Binary = 0,  // little-endian int16 and float32 values, back to back
  Text = 1,    // one line per write call, values separated by spaces
};

struct StateBlock {
  StateEncoding encoding = StateEncoding::Binary;
  std::vector<std::uint8_t> bytes;

  std::string asText() const { return std::string(bytes.begin(), bytes.end()); }
  static StateBlock fromText(const std::string &text) {
    return StateBlock{StateEncoding::Text, std::vector<std::uint8_t>(text.begin(), text.end())};
  }
};

}  // namespace refhost
