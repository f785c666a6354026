#include <cstdio>
#include <filesystem>
#include <optional>

#include "camera_session.h"
#include "cli_options.h"
#include "commands.h"
#include "image_output.h"
#include "input_error.h"
#include "render_page.h"
#include "renderer.h"
#include "scene_assembly.h"
#include "scene_file.h"
#include "shot.h"
#include "shot_metadata.h"

namespace skyhost {

int runRender(const Options &o) {
  checkImagePath(o.output, o.format);
  std::filesystem::path sceneFolder = std::filesystem::path(o.saveScene).parent_path();
  if (!sceneFolder.empty() && !std::filesystem::is_directory(sceneFolder))
    throw InputError(o.saveScene, "no such folder");
  if (o.scene.empty()) checkOptions(o);

  CameraSession session(o.plugin);
  Shot shot = setUpShot(o, session);
  std::optional<PanoramaPlacement> page;
  if (o.viewPage) page = viewerPlacement(o.output, session, shot);
  auto scene = assembleScene(shot.mesh, shot.environment);
  session.newFrame(shot.frameInfo(), shot.filmWidth, shot.filmHeight);
  RenderStats stats;
  Image image = render(*scene, session.evaluate(), session.instance(), shot, o.threads, stats);
  writeImage(image, o.output, o.format, shotMetadata(shot, session, image.width, image.height));
  if (!o.saveScene.empty()) writeSceneFile(shot, o.saveScene);
  if (page) writeRenderPage(o.output, *page, shot);

  std::printf("%s: %dx%d, %d samples per pixel, %llu rays in %.3f s (%.2f Mrays/s)\n",
              o.output.c_str(), image.width, image.height, shot.image.samplesPerPixel,
              static_cast<unsigned long long>(stats.rays), stats.seconds,
              stats.rays / std::max(stats.seconds, 1e-9) * 1e-6);
  return 0;
}

}  // namespace skyhost
