#include "host/services.h"

namespace skyrind {

HostServices services;

const void *lookupService(const char *name) {
  return services.global ? services.global(name, 0) : nullptr;
}

}  // namespace skyrind
