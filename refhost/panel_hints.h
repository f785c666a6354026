// XPanel hint lists: raw words and their parsed form.
//
// Each tag word's low byte tells its shape: the low 7 bits are its count of
// fixed arguments, and bit 0x80 means a 0-terminated list of words follows
// them. A tag word of 0 ends the hint list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/host_abi.h"

namespace refhost {

// Longest hint list read; a list without its end stops here.
constexpr std::size_t kMaxHintWords = 4096;

struct Hint {
  XPanelHint tag = 0;
  std::vector<XPanelHint> args;  // the fixed arguments
  std::vector<XPanelHint> list;  // the 0-terminated list, without the 0
  bool hasList() const { return (tag & 0x80) != 0; }
};

struct HintList {
  uint32_t id = 0;              // the control id the list was given for
  std::vector<XPanelHint> raw;  // every word read, the final 0 included
  std::vector<Hint> hints;      // parsed, without the final 0
  bool truncated = false;       // the cap was reached before the final 0
};

HintList parseHints(uint32_t id, const XPanelHint *words, std::size_t maxWords = kMaxHintWords);

}  // namespace refhost
