// The plug-in's whole life cycle in one run, for memcheck: load, activate,
// create, panel edits, preview, new frames, evaluate, save and load in both
// encodings, copy, destroy, unload. Exits non-zero when a step fails.
#include <cstdio>
#include <cstdlib>

#include "refhost/bindings/camera_handler_binding.h"
#include "refhost/bindings/camera_interface_binding.h"

namespace {

void require(bool ok, const char *step) {
  if (ok) return;
  std::fprintf(stderr, "life cycle step failed: %s\n", step);
  std::exit(1);
}

void run(const char *pluginPath) {
  refhost::Host host;
  auto installed = host.install();
  refhost::Item &camera = host.addCamera();
  camera.keyRotation(0.0, {0.0, 0.0, 0.0});
  camera.keyRotation(1.0, {0.5, 0.1, 0.0});
  camera.setFocalDistance(3.0);
  camera.setFStop(4.0);
  const CameraAccess access = refhost::cameraAccess(camera.handle(), 0.036, 0.024);

  refhost::Module module(pluginPath);
  refhost::CameraHandlerBinding handler(module, host);
  require(handler.ok(), "handler activation");
  void *first = handler.create(camera.handle()).instance;
  void *second = handler.create(camera.handle()).instance;
  require(first && second, "create");

  {
    refhost::CameraInterfaceBinding ui(module, host, first);
    require(ui.ok() && ui.panel(), "interface activation");
    require(ui.panel()->edit(0x8001, 3.0) == 1, "edit horizontal field of view");
    require(ui.panel()->edit(0x8008, 0.1) == 1, "edit horizontal shift");
    require(ui.panel()->edit(0x8003, 1) == 1, "edit perspective switch");
    require(ui.panel()->edit(0x8007, 1) == 1, "edit auto vertical switch");
    require(ui.panel()->read(0x8007) == 1.0, "read auto vertical switch");
  }

  double matrix[16];
  require(handler.preview(first, 0.1, 0.0, matrix, access) == 1, "preview");
  for (int steps : {0, 1, 3, -1, 2}) {
    FrameInfo frame{1, 0.0, 0.5, 24.0, steps};
    const bool built = !handler.newFrame(first, frame, access);
    require(built == (steps >= 0), "new frame");
    CameraRay ray;
    for (double t : {0.0, 0.5, 1.0})
      require(handler.evaluate(first, 0.01, -0.005, 0.3, 0.2, t, ray) == (built ? 1 : 0),
              "evaluate");
  }

  for (auto encoding : {refhost::StateEncoding::Binary, refhost::StateEncoding::Text}) {
    const refhost::SaveResult saved = handler.save(first, encoding);
    require(!saved.error, "save");
    require(!handler.load(second, saved.block), "load");
    handler.load(second, saved.block, 5);  // a block that ends early
  }
  require(!handler.copy(second, first), "copy");
  FrameInfo frame{2, 0.0, 0.5, 24.0, 1};
  require(!handler.newFrame(second, frame, access), "new frame after copy");

  handler.destroy(first);
  handler.destroy(second);
  require(host.channels().size() == 0, "destroy releases the parameters");
}

}  // namespace

int main(int argc, char **argv) {
  run(argc > 1 ? argv[1] : SKYRIND_PLUGIN_PATH);
  return 0;
}
