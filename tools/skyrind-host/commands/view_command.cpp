#include <cstdio>
#include <filesystem>
#include <optional>

#include "commands/commands.h"
#include "common/input_error.h"
#include "common/utf8_path.h"
#include "panorama/metadata.h"
#include "panorama/placement.h"
#include "panorama/stereo_photo.h"
#include "viewer/viewer_page.h"

namespace skyhost {
namespace {

std::string sizeText(int width, int height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

}  // namespace

int runView(const Options &o) {
  ViewerPicture picture = readViewerPicture(o.input);
  std::string page = o.output.empty() ? defaultPagePath(o.input) : o.output;
  std::error_code ignored;
  if (std::filesystem::equivalent(pathFromUtf8(page), pathFromUtf8(o.input), ignored))
    throw InputError(page, "the page would overwrite the image");

  ViewerContent content;
  std::string what;
  PanoramaPlacement placement;
  double heading = o.headingDegrees;
  if (o.dome) {
    content.domeFovDegrees = o.domeFovDegrees;
    what = "a dome master of " + std::to_string(static_cast<int>(o.domeFovDegrees)) + " degrees";
  } else if (!o.stereoPacking.empty()) {
    StereoPacking packing =
        o.stereoPacking == "top-bottom" ? StereoPacking::TopBottom : StereoPacking::SideBySide;
    content.packedStereo = packing;
    PackedEye eye = packedEye(picture.width, picture.height, packing, o.input);
    placement = placementOf(stereoEyeCoverage(eye.layout, eye.width, eye.height));
    what = std::string("stereo, the left eye ") +
           (packing == StereoPacking::TopBottom ? "on top" : "on the left");
  } else {
    // The options place the image when given; otherwise its own metadata, or
    // the whole sphere when it has none. A stereo photo's right eye comes
    // from its extended XMP.
    if (std::optional<std::string> right = stereoRightEye(picture.bytes, o.input))
      content.rightEye = viewerPicture(std::move(*right), o.input + " (right eye)");
    std::optional<PanoramaCoverage> recorded;
    if (!o.coverageOptions) recorded = readPanoramaCoverage(o.input);
    if (recorded && (recorded->fullWidth <= 0 || recorded->fullHeight <= 0))
      throw InputError(o.input, "its panorama metadata gives no full size");
    placement = recorded ? placementOf(*recorded)
                         : placementOf(o.panel, static_cast<double>(picture.height) / picture.width,
                                       o.input);
    // A stereo photo's heading is where its first view starts, not the compass.
    if (!o.headingOption && recorded && !content.rightEye) heading = recorded->headingDegrees;
    what = std::string(content.rightEye ? "a stereo photo " : "") +
           (recorded ? "placed by its metadata" : "placed by the options");
  }
  writeViewerPage(picture, o.input, placement, heading, page, content);

  if (content.domeFovDegrees) {
    std::printf("%s: %s %s\n", page.c_str(), sizeText(picture.width, picture.height).c_str(),
                what.c_str());
    return 0;
  }
  std::printf("%s: %s %s, %s, %g x %g degrees\n", page.c_str(),
              sizeText(picture.width, picture.height).c_str(), what.c_str(),
              placement.verticalPanorama ? "vertical panorama" : "panorama",
              placement.verticalPanorama ? placement.latitudeSpan : placement.longitudeSpan,
              placement.verticalPanorama ? placement.longitudeSpan : placement.latitudeSpan);
  return 0;
}

}  // namespace skyhost
