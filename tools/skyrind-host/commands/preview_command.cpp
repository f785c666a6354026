#include <cstdio>

#include "cli/cli_options.h"
#include "commands/commands.h"
#include "image_io/image_output.h"
#include "refhost/bindings/camera_session.h"
#include "render/preview_drawing.h"
#include "scene/scene_assembly.h"
#include "session/host_generation.h"
#include "session/shot.h"

namespace skyhost {

int runPreview(const Options &o) {
  checkImagePath(o.output);
  if (o.scene.empty()) checkOptions(o);

  refhost::CameraSession session(o.plugin, refhost::CallLogging::Off, hostProfile(o));
  session.setEye(o.eye);
  Shot shot = setUpShot(o, session);
  auto scene = assembleScene(shot.mesh, "");
  double time = shot.exposureStart();
  std::array<double, 16> projection = session.preview(time, shot.filmWidth, shot.filmHeight);
  refhost::ItemAxes axes = session.camera().axesAt(time);
  CameraFrame camera{Vec3::from(session.camera().positionAt(time)),
                     normalized(Vec3::from(axes.right)), normalized(Vec3::from(axes.up)),
                     normalized(Vec3::from(axes.forward))};
  Image image = drawPreview(scene->edges(), projection, camera, {shot.filmWidth, shot.filmHeight},
                            shot.image.width, shot.image.height);
  writeImage(image, o.output);
  std::printf("%s: %dx%d, %zu edges\n", o.output.c_str(), image.width, image.height,
              scene->edges().size());
  return 0;
}

}  // namespace skyhost
