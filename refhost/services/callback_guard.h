// Runs a host service body for the current host, with no exception escaping
// into the plug-in: without a host, or on any exception, the fallback is
// returned.
#pragma once

#include "refhost/host.h"

namespace refhost {

template <class Result, class Body>
Result guarded(Result fallback, Body &&body) noexcept {
  try {
    Host *host = Host::current();
    if (host == nullptr) return fallback;
    return body(*host);
  } catch (...) {
    return fallback;
  }
}

template <class Body>
void guardedVoid(Body &&body) noexcept {
  try {
    if (Host *host = Host::current()) body(*host);
  } catch (...) {
  }
}

}  // namespace refhost
