// Loads a plug-in file as the host does and asks its camera for one ray:
//   load_check PATH   (exit status 0 when it loads and looks ahead)
#include <cstdio>
#include <exception>

#include "refhost/bindings/camera_handler_binding.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: load_check PATH\n");
    return 2;
  }
  try {
    refhost::Host host;
    refhost::Host::Installation installed = host.install();
    refhost::Item &camera = host.addCamera();
    refhost::Module module(argv[1]);
    refhost::CameraHandlerBinding handler(module, host);
    void *instance = handler.ok() ? handler.create(camera.handle()).instance : nullptr;
    if (instance == nullptr) throw std::runtime_error("no camera instance");
    const FrameInfo frame{1, 0.0, 0.04, 25.0, 1};
    CameraRay ray{};
    const bool ahead =
        !handler.newFrame(instance, frame, refhost::cameraAccess(camera.handle(), 0.036, 0.024)) &&
        handler.evaluate(instance, 0, 0, 0, 0, 0, ray) == 1 && ray.direction[2] == 1.0;
    handler.destroy(instance);
    std::printf("%s: %s\n", argv[1], ahead ? "loaded, looks ahead" : "wrong ray");
    return ahead ? 0 : 1;
  } catch (const std::exception &e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
}
