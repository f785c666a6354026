#include <cstdio>
#include <optional>

#include "cli/cli_options.h"
#include "commands/commands.h"
#include "commands/render_page.h"
#include "common/atomic_file.h"
#include "image_io/image_output.h"
#include "refhost/bindings/camera_session.h"
#include "render/renderer.h"
#include "scene/scene_assembly.h"
#include "session/host_generation.h"
#include "session/scene_file.h"
#include "session/shot.h"
#include "session/shot_metadata.h"

namespace skyhost {
namespace {

// The plug-in's evaluate as the renderer's camera; newFrame has run.
CameraRays pluginRays(refhost::CameraSession &session) {
  return [&session](const CameraSample &s, Vec3 &origin, Vec3 &direction) {
    CameraRay ray{};
    if ((session.evaluate(s.filmX, s.filmY, s.lensX, s.lensY, s.time, ray) & CAMERA_RAY_WRITTEN) ==
        0)
      return false;
    origin = Vec3::from(ray.origin);
    direction = Vec3::from(ray.direction);
    return true;
  };
}

}  // namespace

int runRender(const Options &o) {
  checkImagePath(o.output, o.format);
  checkFolderExists(o.saveScene);
  if (o.scene.empty()) checkOptions(o);

  refhost::CameraSession session(o.plugin, refhost::CallLogging::Off, hostProfile(o));
  session.setEye(o.eye);
  Shot shot = setUpShot(o, session);
  std::optional<PanoramaPlacement> page;
  if (o.viewPage) page = viewerPlacement(o.output, session, shot);
  auto scene = assembleScene(shot.mesh, shot.environment);
  session.newFrame(shot.frameInfo(), shot.filmWidth, shot.filmHeight);
  RenderStats stats;
  Image image = render(*scene, pluginRays(session), shot.image, {shot.filmWidth, shot.filmHeight},
                       o.threads, stats);
  ImageMetadata metadata = shotMetadata(shot, session, image.width, image.height);
  writeImage(image, o.output, o.format, metadata);
  std::optional<ImageFormat> format = imageFormatOf(o.output);
  if (!metadata.whyNoCoverage.empty() &&
      (format == ImageFormat::Png || format == ImageFormat::Jpeg))
    std::fprintf(stderr, "%s: no photo-sphere metadata: %s\n", o.output.c_str(),
                 metadata.whyNoCoverage.c_str());
  if (!o.saveScene.empty()) writeSceneFile(shot, o.saveScene);
  if (page) writeRenderPage(o.output, *page, shot);

  std::printf("%s: %dx%d, %d samples per pixel, %llu rays in %.3f s (%.2f Mrays/s)\n",
              o.output.c_str(), image.width, image.height, shot.image.samplesPerPixel,
              static_cast<unsigned long long>(stats.rays), stats.seconds,
              stats.rays / std::max(stats.seconds, 1e-9) * 1e-6);
  return 0;
}

}  // namespace skyhost
