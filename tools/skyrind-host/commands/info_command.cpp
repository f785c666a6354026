#include <cstdio>

#include "commands/commands.h"
#include "refhost/loader/module.h"

namespace skyhost {

int runInfo(const Options &o) {
  refhost::Module module(o.plugin);
  const ModuleDescriptor &d = module.descriptor();
  std::printf("Module %s\n", module.path().c_str());
  std::printf("  sync 0x%08x, system version %u, machine 0x%x\n", d.sync, d.sysVersion, d.machine);
  for (const refhost::ServerInfo &server : module.servers()) {
    std::printf("  Server \"%s\" class \"%s\"\n", server.name.c_str(), server.className.c_str());
    for (const refhost::ServerTag &tag : server.tags)
      std::printf("    tag 0x%x \"%s\"\n", tag.tag, tag.text.c_str());
  }
  return 0;
}

}  // namespace skyhost
