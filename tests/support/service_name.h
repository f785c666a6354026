// The name the current host's generation answers for a service.
#pragma once

#include "refhost/host.h"

namespace skyrind_test {

inline const char *serviceName(refhost::Service service) {
  return refhost::Host::current()->profile().nameOf(service).c_str();
}

}  // namespace skyrind_test
