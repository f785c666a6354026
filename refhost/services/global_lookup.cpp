// The global lookup handed to every activation: names to service records of
// the current host, each lookup logged.
#include "refhost/services/callback_guard.h"
#include "refhost/services/service_records.h"

namespace refhost::records {
namespace {

void *lookup(const char *name, int useCode) {
  return guarded<void *>(nullptr, [&](Host &host) -> void * {
    auto token = host.log().open(Call("global", "lookup").text(name).integer(useCode));
    void *record = name ? host.service(name) : nullptr;
    host.log().close(token, [&](Call &c) { c.returnsPtr(record); });
    return record;
  });
}

}  // namespace

GlobalFunc globalLookup() {
  return lookup;
}

}  // namespace refhost::records
