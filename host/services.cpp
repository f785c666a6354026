#include "host/services.h"

#include <cstring>

namespace skyrind {

HostServices services;

const void *lookupService(const ServiceNames &service) {
  if (!services.global) return nullptr;
  const char *asked = nullptr;
  for (const char *name : service.byGeneration) {
    if (asked && std::strcmp(name, asked) == 0) continue;
    asked = name;
    if (const void *record = services.global(name, 0)) return record;
  }
  return nullptr;
}

}  // namespace skyrind
