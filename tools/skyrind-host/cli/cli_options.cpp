#include "cli/cli_options.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <vector>

#include "common/input_error.h"

namespace skyhost {
namespace {

// A finite number in [low, high], or (low, high] when openLow.
CLI::Validator between(double low, double high, bool openLow = false) {
  auto check = [=](std::string &text) -> std::string {
    char *end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(value))
      return "'" + text + "' is not a finite number";
    if ((openLow ? value <= low : value < low) || value > high)
      return text + " is not in " + (openLow ? "(" : "[") + CLI::detail::to_string(low) + ", " +
             CLI::detail::to_string(high) + "]";
    return "";
  };
  return CLI::Validator(check, "");
}

CLI::Option *addTriple(CLI::App &app, const std::string &name, Vec3 &target,
                       const std::string &help) {
  return app
      .add_option_function<std::vector<double>>(
          name,
          [&target](const std::vector<double> &v) {
            target = {v[0], v[1], v[2]};
          },
          help)
      ->delimiter(',')
      ->expected(3)
      ->check(between(-1e9, 1e9));
}

// The settings that place an angular image on the sphere: fields of view,
// shifts and "Vertical Panorama".
std::vector<CLI::Option *> addCoverageOptions(CLI::App &app, PanelSettings &p) {
  return {app.add_option("--hfov", p.hFovDegrees, "horizontal field of view, degrees")
              ->check(between(0, 360, true))
              ->capture_default_str(),
          app.add_option("--vfov", p.vFovDegrees, "vertical field of view, degrees")
              ->check(between(0, 360, true))
              ->capture_default_str(),
          app.add_option("--hshift", p.hShiftPercent, "horizontal shift, % of film width")
              ->check(between(-1000, 1000)),
          app.add_option("--vshift", p.vShiftPercent, "vertical shift, % of film height")
              ->check(between(-1000, 1000)),
          app.add_flag("--vertical-panorama", p.verticalPanorama,
                       "pan first, then tilt (poles left and right)")};
}

// skyrind-vr.p's cameras: which one, and each one's settings.
void addVrOptions(CLI::App &app, Options &o) {
  VrSettings &v = o.vr;
  app.add_option("--camera", o.camera, "a camera of skyrind-vr.p: stereo360, vr180 or dome")
      ->check(CLI::IsMember({"stereo360", "vr180", "dome"}));
  std::vector<CLI::Option *> options = {
      app.add_option("--eye-separation", v.eyeSeparation, "metres between the eyes (0.065)")
          ->check(between(0, 1e6)),
      app.add_option("--convergence", v.convergence,
                     "metres to where the eyes' rays meet (0: parallel eyes)")
          ->check(between(0, 1e9)),
      app.add_option_function<std::vector<double>>(
             "--pole-merge",
             [&v](const std::vector<double> &d) {
               v.poleMergeFromDegrees = d[0];
               v.poleMergeToDegrees = d[1];
             },
             "latitudes FROM,TO (degrees) over which the eyes merge at the poles (60,75)")
          ->delimiter(',')
          ->expected(2)
          ->check(between(0, 90)),
      app.add_option("--eyes", v.eyes, "both (left on top, or on the left), left or right")
          ->transform(CLI::CheckedTransformer(
              std::map<std::string, int>{{"both", 0}, {"left", 1}, {"right", 2}},
              CLI::ignore_case)),
      app.add_flag("--parallel", v.parallelCameras, "vr180: two parallel lenses, no pole merge"),
      app.add_option("--dome-fov", v.domeFovDegrees, "dome: field of view, degrees (180)")
          ->check(between(1, 360)),
      app.add_option("--dome-tilt", v.domeTiltDegrees,
                     "dome: axis tilted from up towards forward, degrees (0)")
          ->check(between(-90, 90))};
  app.final_callback([&o, options, &app] {
    const auto given = [&app](const char *name) {
      const CLI::Option *option = app.get_option_no_throw(name);
      return option != nullptr && option->count() > 0;
    };
    for (const CLI::Option *option : options)
      if (option->count() > 0) o.vrOptions.push_back(option->get_name());
    for (const char *name : {"--hfov", "--vfov", "--hshift", "--vshift", "--h-perspective",
                             "--v-perspective", "--auto-hfov", "--auto-vfov", "--vertical-panorama",
                             "--fstop"})
      if (given(name)) o.panoramaOptions.push_back(name);
    o.heightGiven = given("--height");
  });
}

void addCameraOptions(CLI::App &app, Options &o, std::vector<CLI::Option *> &scene) {
  PanelSettings &p = o.panel;
  CameraMotion &m = o.motion;
  scene = addCoverageOptions(app, p);
  scene.push_back(app.add_flag("--h-perspective", p.hPerspective, "horizontal axis perspective"));
  scene.push_back(app.add_flag("--v-perspective", p.vPerspective, "vertical axis perspective"));
  CLI::Option *autoH =
      app.add_flag("--auto-hfov", p.autoHFov, "derive the horizontal FOV from the vertical");
  CLI::Option *autoV =
      app.add_flag("--auto-vfov", p.autoVFov, "derive the vertical FOV from the horizontal");
  autoH->excludes(autoV);
  scene.insert(scene.end(), {autoH, autoV});
  scene.push_back(addTriple(app, "--position", m.position, "camera position X,Y,Z in metres"));
  scene.push_back(addTriple(app, "--rotation", m.rotationDegrees, "heading,pitch,bank in degrees"));
  scene.push_back(addTriple(app, "--move", m.move, "travel X,Y,Z in metres across the frame"));
  scene.push_back(app.add_option("--turn", m.turnDegrees, "heading turned across the frame, deg")
                      ->check(between(-3600, 3600)));
  scene.push_back(app.add_option_function<double>(
                         "--fstop", [&m](double f) { m.fStop = f; },
                         "lens f-stop; turns on depth of field (default: pinhole)")
                      ->check(between(0, 1e6, true)));
  scene.push_back(app.add_option("--focal-distance", m.focalDistance, "focus distance, metres")
                      ->check(between(0, 1e6, true))
                      ->capture_default_str());
  scene.push_back(app.add_option("--motion-steps", m.motionSteps, "host motion steps")
                      ->check(between(0, 64))
                      ->capture_default_str());
  scene.push_back(app.add_option("--frame", m.frame, "frame number")->check(between(-1e6, 1e6)));
  scene.push_back(app.add_option("--fps", m.framesPerSecond, "frames per second")
                      ->check(between(0, 1000, true))
                      ->capture_default_str());
}

void addImageOptions(CLI::App &app, Options &o, bool sampled, std::vector<CLI::Option *> &scene) {
  ImageSettings &i = o.image;
  scene.push_back(app.add_option("--width", i.width, "image width, pixels")
                      ->check(between(1, 16384))
                      ->capture_default_str());
  scene.push_back(app.add_option("--height", i.height, "image height, pixels")
                      ->check(between(1, 16384))
                      ->capture_default_str());
  scene.push_back(app.add_option("--film-width", i.filmWidth, "film width, film units")
                      ->check(between(0, 1000, true))
                      ->capture_default_str());
  if (!sampled) return;
  scene.push_back(app.add_option("--spp", i.samplesPerPixel, "samples per pixel")
                      ->check(between(1, 65536))
                      ->capture_default_str());
  scene.push_back(app.add_option("--seed", i.seed, "seed of the sample positions"));
}

CLI::Option *addStereoOption(CLI::App &app, Options &o) {
  return app
      .add_option("--stereo", o.stereoPacking,
                  "both eyes in the image: top-bottom (left on top) or side-by-side (left on "
                  "the left)")
      ->check(CLI::IsMember({"top-bottom", "side-by-side"}));
}

// view IMAGE: where the image lies on the sphere, when its metadata does not say.
void addViewOptions(CLI::App &app, Options &o) {
  app.add_option("image", o.input, "the panorama, JPEG or PNG")->required();
  CLI::Option *page =
      app.add_option("-o,--output", o.output, "the page (default: the image's name with .html)");
  std::vector<CLI::Option *> coverage = addCoverageOptions(app, o.panel);
  CLI::Option *stereo = addStereoOption(app, o);
  CLI::Option *dome =
      app.add_flag("--dome", o.dome, "a dome master: zenith at the centre, front at the bottom");
  app.add_option("--dome-fov", o.domeFovDegrees, "the dome master's field of view, degrees")
      ->check(between(1, 360))
      ->needs(dome)
      ->capture_default_str();
  dome->excludes(stereo);
  for (CLI::Option *option : coverage) dome->excludes(option);
  CLI::Option *heading =
      app.add_option("--heading", o.headingDegrees, "compass heading of the camera, degrees")
          ->check(between(-3600, 3600));
  // The other commands' default output names share the field.
  app.callback([&o, page, coverage, heading] {
    if (page->count() == 0) o.output.clear();
    for (const CLI::Option *option : coverage) o.coverageOptions |= option->count() > 0;
    o.headingOption = heading->count() > 0;
  });
}

// tag IMAGE: the coverage from the options or a scene file.
void addTagOptions(CLI::App &app, Options &o) {
  app.add_option("image", o.input, "the JPEG or PNG to tag in place")->required();
  std::vector<CLI::Option *> coverage = addCoverageOptions(app, o.panel);
  coverage.push_back(
      app.add_option("--heading", o.headingDegrees, "compass heading of the camera, degrees")
          ->check(between(-3600, 3600)));
  app.add_option("--plugin", o.plugin, "the plug-in module (reads --scene)")->capture_default_str();
  CLI::Option *sceneFile = app.add_option("--scene", o.scene, "take the camera from a scene file");
  for (CLI::Option *option : coverage) sceneFile->excludes(option);
  // tag --stereo: a stereo photo from a packed picture, written anew.
  CLI::Option *stereo = addStereoOption(app, o);
  CLI::Option *output = app.add_option("-o,--output", o.output, "the stereo photo (NAME.vr.jpg)");
  CLI::Option *quality =
      app.add_option("--quality", o.format.quality, "the eyes' JPEG quality, 1 to 100 (default 92)")
          ->check(between(1, 100));
  output->needs(stereo);
  quality->needs(stereo);
  // The other commands' default output names share the field.
  app.callback([&o, output] {
    if (output->count() == 0) o.output.clear();
  });
  stereo->excludes(sceneFile);
  for (CLI::Option *option : coverage) stereo->excludes(option);
}

// How the image file is encoded.
void addFormatOptions(CLI::App &app, OutputFormat &f) {
  app.add_option("--bit-depth", f.bitDepth, "PNG bits a channel, 8 or 16 (default 8)")
      ->check(CLI::IsMember({8, 16}));
  app.add_option("--quality", f.quality, "JPEG quality, 1 to 100 (default 92)")
      ->check(between(1, 100));
  app.add_flag("--exr-float", f.exrFloat, "OpenEXR in 32-bit float (default: half)");
}

}  // namespace

void addOptions(CLI::App &app, Command kind, Options &o) {
  if (kind == Command::View) return addViewOptions(app, o);
  if (kind == Command::Tag) return addTagOptions(app, o);
  app.add_option("--plugin", o.plugin, "the plug-in module")->capture_default_str();
  app.add_option("--host", o.host,
                 "the LightWave generation to play: 9 (9.x), 2018 (2018-2020), 2023 (2023-2025)")
      ->check(CLI::IsMember({"9", "2018", "2023"}))
      ->capture_default_str();
  if (kind == Command::Info) return;
  if (kind == Command::Render || kind == Command::Preview)
    app.add_option("--eye", o.eye,
                   "the eye the host asks for, as its own stereo pass does (not with --host 9)")
        ->transform(CLI::CheckedTransformer(std::map<std::string, int>{{"left", 1}, {"right", 2}},
                                            CLI::ignore_case));
  std::vector<CLI::Option *> scene;
  addCameraOptions(app, o, scene);
  if (kind == Command::Render || kind == Command::Panel) addVrOptions(app, o);
  if (kind != Command::Panel) {
    addImageOptions(app, o, kind == Command::Render, scene);
    scene.push_back(app.add_option("--mesh", o.mesh, "OBJ mesh replacing the default geometry"));
    o.output = kind == Command::Render ? "render.png" : "preview.png";
    app.add_option("-o,--output", o.output, "output image (.png, .jpg, .jpeg, .exr or .hdr)")
        ->capture_default_str();
  }
  if (kind == Command::Render) {
    scene.push_back(app.add_option("--env", o.environment, "equirectangular background image"));
    app.add_option("--threads", o.threads, "render threads (default: every core)")
        ->check(between(1, 1024));
    app.add_option("--save-scene", o.saveScene, "write the scene as JSON");
    addFormatOptions(app, o.format);
    app.add_flag("--view", o.viewPage, "also write the viewer page beside the image (.html)");
  }
  CLI::Option *sceneFile = app.add_option("--scene", o.scene, "render a saved JSON scene");
  for (CLI::Option *option : scene) sceneFile->excludes(option);
}

namespace {

// The options of one camera make no sense with another: refused before
// anything renders, naming the option.
void checkCameraOptions(const Options &o) {
  if (o.camera.empty()) {
    if (!o.vrOptions.empty())
      throw InputError(o.vrOptions.front(), "needs --camera stereo360, vr180 or dome");
    return;
  }
  if (!o.panoramaOptions.empty())
    throw InputError(o.panoramaOptions.front(), "not an option of --camera " + o.camera);
  for (const std::string &name : o.vrOptions) {
    const bool domeOption = name == "--dome-fov" || name == "--dome-tilt";
    if ((o.camera == "dome") != domeOption || (name == "--parallel" && o.camera != "vr180"))
      throw InputError(name, "not an option of --camera " + o.camera);
  }
  if (o.vr.poleMergeFromDegrees > o.vr.poleMergeToDegrees)
    throw InputError("--pole-merge", "FROM must not be above TO");
}

}  // namespace

void checkOptions(const Options &o) {
  checkCameraOptions(o);
  if (o.eye != 0 && o.host == "9")
    throw InputError("--eye", "LightWave 9.x asks for no eye; use --host 2018 or 2023");
  const PanelSettings &p = o.panel;
  if (p.hPerspective && !p.autoHFov && p.hFovDegrees >= 180)
    throw InputError("--hfov", "a perspective axis needs less than 180 degrees");
  if (p.vPerspective && !p.autoVFov && p.vFovDegrees >= 180)
    throw InputError("--vfov", "a perspective axis needs less than 180 degrees");
}

}  // namespace skyhost
