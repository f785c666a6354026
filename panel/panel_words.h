// What every panel of the modules shares: its hint words (addresses stored
// as pointer-sized words), the hooks that ask for nothing, and how set reads
// the host's value.
#pragma once

#include <cstdint>
#include <cstring>

#include "host/host_abi.h"

namespace skyrind::panel_words {

// A panel needs no notice of changes or of its end: set and the host's own
// redraw do all.
inline int ignoreChange(void *, uint32_t, uint32_t, int) {
  return 0;
}
inline void ignoreDestroy(void *) {}

inline XPanelHint word(const void *address) {
  return reinterpret_cast<XPanelHint>(address);
}
inline XPanelHint word(XPanelChangeNotify function) {
  return reinterpret_cast<XPanelHint>(function);
}
inline XPanelHint word(XPanelDestroyNotify function) {
  return reinterpret_cast<XPanelHint>(function);
}

// A value set hands over may come unaligned from a host buffer: copied out
// bytewise, a double for a value, 32 bits for a switch or choice.
inline double readDouble(const void *value) {
  double v;
  std::memcpy(&v, value, sizeof v);
  return v;
}
inline int32_t readInt(const void *value) {
  int32_t v;
  std::memcpy(&v, value, sizeof v);
  return v;
}

}  // namespace skyrind::panel_words
