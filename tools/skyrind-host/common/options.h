// Everything the command line can set, in the user's units (degrees,
// percent, metres, pixels). Converted to the host's units where it is used.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/vec3.h"

namespace skyhost {

// The camera's panel controls, edited as a user would.
struct PanelSettings {
  double hFovDegrees = 360;
  double vFovDegrees = 180;
  bool hPerspective = false;
  bool vPerspective = false;
  bool autoHFov = false;
  bool autoVFov = false;
  bool verticalPanorama = false;
  double hShiftPercent = 0;  // of the film width
  double vShiftPercent = 0;  // of the film height
};

// The stereo and dome cameras of skyrind-vr.p, in the user's units.
struct VrSettings {
  double eyeSeparation = 0.065;  // metres
  double convergence = 0;        // metres; 0: parallel eyes
  double poleMergeFromDegrees = 60;
  double poleMergeToDegrees = 75;
  int eyes = 0;  // 0 both, 1 left, 2 right
  bool parallelCameras = false;
  double domeFovDegrees = 180;
  double domeTiltDegrees = 0;
};

// The camera item: where it stands and how it moves across the frame.
struct CameraMotion {
  Vec3 position{0, 1.6, 0};       // metres
  Vec3 rotationDegrees{0, 0, 0};  // heading, pitch, bank
  Vec3 move{0, 0, 0};             // metres travelled during the exposure
  double turnDegrees = 0;         // heading turned during the exposure
  std::optional<double> fStop;    // set: a lens with depth of field
  double focalDistance = 5;       // metres
  int motionSteps = 1;
  int frame = 0;
  double framesPerSecond = 24;
};

struct ImageSettings {
  int width = 1024;
  int height = 512;
  int samplesPerPixel = 4;  // stratified: smooth edges at a fraction of a second more
  std::uint64_t seed = 1;
  double filmWidth = 0.036;   // film units; the height follows the image's aspect
  bool depthOfField = false;  // lens positions on the unit disk, else at 0
};

constexpr int kDefaultJpegQuality = 92;

// How the image file is encoded; unset: the format's default.
struct OutputFormat {
  std::optional<int> bitDepth;  // PNG: 8 or 16 bits a channel
  std::optional<int> quality;   // JPEG: 1 to 100
  bool exrFloat = false;        // OpenEXR: 32-bit float instead of half
};

struct Options {
  std::string plugin;
  std::string host = "2023";  // the host generation played: "9", "2018" or "2023"
  int eye = 0;                // the eye the host asks for: 0 centre, 1 left, 2 right
  PanelSettings panel;
  std::string camera;  // "stereo360", "vr180" or "dome" of skyrind-vr.p; empty: skyrind.p's
  VrSettings vr;
  std::vector<std::string> panoramaOptions;  // skyrind.p's camera options given
  std::vector<std::string> vrOptions;        // skyrind-vr.p's camera options given
  bool heightGiven = false;                  // --height given
  CameraMotion motion;
  ImageSettings image;
  std::string mesh;         // .obj, replaces the default geometry
  std::string environment;  // equirectangular background image
  std::string scene;        // scene file to render instead of the options above
  std::string saveScene;
  std::string output;
  OutputFormat format;
  unsigned threads = 0;          // 0: every core
  std::string input;             // the existing image a command reads (view)
  double headingDegrees = 0;     // compass heading of the camera's forward, degrees
  bool coverageOptions = false;  // view: the coverage comes from the options, not the image
  bool headingOption = false;    // view: the heading comes from the options, not the image
  bool viewPage = false;         // render: also write the viewer page next to the image
  // tag, view: a picture with both eyes, "top-bottom" (left eye on top) or
  // "side-by-side" (left eye on the left); empty for one view.
  std::string stereoPacking;
  bool dome = false;            // view: the image is a dome master (angular fisheye)
  double domeFovDegrees = 180;  // view: the dome master's field of view
};

}  // namespace skyhost
