#include "fuzz/plugin_module.h"

namespace skyrind_fuzz {

const refhost::Module &pluginModule() {
  // Kept until exit: loading once keeps every input's run short.
  static const refhost::Module *module = new refhost::Module(SKYRIND_PLUGIN_PATH);
  return *module;
}

}  // namespace skyrind_fuzz
