#include <algorithm>
#include <cstdio>
#include <optional>

#include "cli/cli_options.h"
#include "commands/commands.h"
#include "commands/render_page.h"
#include "common/atomic_file.h"
#include "common/input_error.h"
#include "image_io/image_output.h"
#include "image_io/stereo_photo_writer.h"
#include "refhost/bindings/camera_session.h"
#include "render/renderer.h"
#include "scene/scene_assembly.h"
#include "session/host_generation.h"
#include "session/scene_file.h"
#include "session/shot.h"
#include "session/shot_metadata.h"
#include "session/vr_camera_settings.h"

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

Image cropped(const Image &image, int left, int top, int width, int height) {
  Image part(width, height);
  for (int y = 0; y < height; ++y) {
    const float *row = &image.rgb[3 * (static_cast<std::size_t>(top + y) * image.width + left)];
    std::copy(row, row + 3 * static_cast<std::size_t>(width),
              &part.rgb[3 * static_cast<std::size_t>(y) * width]);
  }
  return part;
}

bool endsWith(const std::string &text, const std::string &suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A stereo photo needs a stereo camera rendering both eyes into one frame.
void checkVrOutput(const Options &o, const ImageSettings &frame) {
  if (o.viewPage && !o.camera.empty())
    throw InputError("--view", "not for --camera " + o.camera +
                                   "; write the image, then use skyrind-host view with --stereo "
                                   "or --dome");
  if (!o.saveScene.empty() && !o.camera.empty())
    throw InputError("--save-scene", "not for --camera " + o.camera);
  if (!endsWith(o.output, ".vr.jpg")) return;
  if (o.camera != "stereo360" && o.camera != "vr180")
    throw InputError(o.output, "a stereo photo needs --camera stereo360 or vr180");
  if (o.vr.eyes != 0 || o.eye != 0)
    throw InputError(o.output, "a stereo photo needs both eyes (--eyes both, no --eye)");
  checkStereoPhotoPath(o.output);
  const bool overUnder = o.camera == "stereo360";
  checkStereoPhotoEyes(o.output, overUnder ? StereoLayout::Stereo360 : StereoLayout::VR180,
                       overUnder ? frame.width : frame.width / 2,
                       overUnder ? frame.height / 2 : frame.height);
}

// Writes the image of a skyrind-vr.p camera: a stereo photo from a frame of
// both eyes, else the plain image without photo-sphere fields (one line on
// stderr says why).
void writeVrImage(const Options &o, const Image &image) {
  const bool overUnder = o.camera == "stereo360";
  if (endsWith(o.output, ".vr.jpg")) {
    const int w = overUnder ? image.width : image.width / 2;
    const int h = overUnder ? image.height / 2 : image.height;
    const Image left = cropped(image, 0, 0, w, h);
    const Image right = overUnder ? cropped(image, 0, h, w, h) : cropped(image, w, 0, w, h);
    writeStereoPhoto(o.output, left, right,
                     overUnder ? StereoLayout::Stereo360 : StereoLayout::VR180,
                     o.format.quality.value_or(kDefaultJpegQuality));
    return;
  }
  writeImage(image, o.output, o.format, ImageMetadata{});
  const std::optional<ImageFormat> format = imageFormatOf(o.output);
  if (format != ImageFormat::Png && format != ImageFormat::Jpeg) return;
  if (o.camera == "dome")
    sayDomeMasterHasNoMetadata(o.output);
  else if (o.vr.eyes == 0 && o.eye == 0)
    sayPackedStereoHasNoMetadata(o.output,
                                 overUnder ? StereoPacking::TopBottom : StereoPacking::SideBySide);
}

// Writes the image of skyrind.p's camera with its photo-sphere fields (or one
// line on stderr saying why it has none), the scene file and the viewer page
// asked for.
void writePanoramaImage(const Options &o, const Shot &shot, refhost::CameraSession &session,
                        const Image &image, const std::optional<PanoramaPlacement> &page) {
  ImageMetadata metadata = shotMetadata(shot, session, image.width, image.height);
  writeImage(image, o.output, o.format, metadata);
  std::optional<ImageFormat> format = imageFormatOf(o.output);
  if (!metadata.whyNoCoverage.empty() &&
      (format == ImageFormat::Png || format == ImageFormat::Jpeg))
    std::fprintf(stderr, "%s: no photo-sphere metadata: %s\n", o.output.c_str(),
                 metadata.whyNoCoverage.c_str());
  if (!o.saveScene.empty()) writeSceneFile(shot, o.saveScene);
  if (page) writeRenderPage(o.output, *page, shot);
}

}  // namespace

int runRender(const Options &o) {
  checkImagePath(o.output, o.format);
  checkFolderExists(o.saveScene);
  if (o.scene.empty()) checkOptions(o);
  checkVrOutput(o, vrDefaultFrame(o));

  refhost::CameraSession session(o.plugin, refhost::CallLogging::Off, hostProfile(o),
                                 vrServerName(o.camera));
  session.setEye(o.eye);
  Shot shot = setUpShot(o, session);
  std::optional<PanoramaPlacement> page;
  if (o.viewPage) page = viewerPlacement(o.output, session, shot);
  auto scene = assembleScene(shot.mesh, shot.environment);
  session.newFrame(shot.frameInfo(), shot.filmWidth, shot.filmHeight);
  RenderStats stats;
  Image image =
      render(*scene, pluginRays(session), shot.image, {shot.filmWidth, shot.filmHeight}, o.threads,
             stats, o.camera == "dome" ? RaylessSamples::Black : RaylessSamples::Refused);
  if (!o.camera.empty()) {
    writeVrImage(o, image);
  } else {
    writePanoramaImage(o, shot, session, image, page);
  }

  std::printf("%s: %dx%d, %d samples per pixel, %llu rays in %.3f s (%.2f Mrays/s)\n",
              o.output.c_str(), image.width, image.height, shot.image.samplesPerPixel,
              static_cast<unsigned long long>(stats.rays), stats.seconds,
              stats.rays / std::max(stats.seconds, 1e-9) * 1e-6);
  return 0;
}

}  // namespace skyhost
