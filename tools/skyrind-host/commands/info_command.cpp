#include <cstdio>

#include "commands/commands.h"
#include "refhost/loader/module.h"
#include "session/host_generation.h"

namespace skyhost {
namespace {

constexpr uint32_t kTagTypeMask = 0xFFFF0000u;

}  // namespace

int runInfo(const Options &o) {
  refhost::Module module(o.plugin);
  const ModuleDescriptor &d = module.descriptor();
  std::printf("Module %s\n", module.path().c_str());
  std::printf("  sync 0x%08x, system version %u, machine 0x%x (%s)\n", d.sync, d.sysVersion,
              d.machine, machinePlatform(d.machine).c_str());
  for (const refhost::ServerInfo &server : module.servers()) {
    std::printf("  Server \"%s\" class \"%s\"\n", server.name.c_str(), server.className.c_str());
    // The tags as the host reads them: up to the first tag word 0.
    for (const refhost::ServerTag &tag : server.tags) {
      const bool userName = (tag.tag & kTagTypeMask) == SERVER_TAG_USER_NAME;
      std::printf("    tag 0x%x \"%s\"%s\n", tag.tag, tag.text.c_str(),
                  userName ? " (user name)" : "");
    }
    std::printf("    accepts version");
    const char *separator = " ";
    for (int version : acceptedVersions(module, server)) {
      std::printf("%s%d", separator, version);
      separator = ", ";
    }
    std::printf("\n");
  }
  return 0;
}

}  // namespace skyhost
