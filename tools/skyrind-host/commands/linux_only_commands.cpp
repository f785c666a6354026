// render and preview in a build without a ray tracer and image writers (the
// Windows program): one line that says where they are.
#include <cstdio>

#include "commands/commands.h"

namespace skyhost {
namespace {

int inTheLinuxBuild(const char *command) {
  std::fprintf(stderr, "skyrind-host: %s is in the Linux build of skyrind-host\n", command);
  return 1;
}

}  // namespace

int runRender(const Options &) {
  return inTheLinuxBuild("render");
}
int runPreview(const Options &) {
  return inTheLinuxBuild("preview");
}
int runTagStereo(const Options &) {
  return inTheLinuxBuild("tag --stereo");
}

}  // namespace skyhost
