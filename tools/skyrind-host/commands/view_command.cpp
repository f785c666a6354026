#include <cstdio>
#include <filesystem>
#include <optional>

#include "commands/commands.h"
#include "common/input_error.h"
#include "common/utf8_path.h"
#include "panorama/metadata.h"
#include "panorama/placement.h"
#include "viewer/viewer_page.h"

namespace skyhost {

int runView(const Options &o) {
  ViewerPicture picture = readViewerPicture(o.input);
  std::string page = o.output.empty() ? defaultPagePath(o.input) : o.output;
  std::error_code ignored;
  if (std::filesystem::equivalent(pathFromUtf8(page), pathFromUtf8(o.input), ignored))
    throw InputError(page, "the page would overwrite the image");

  // The options place the image when given; otherwise its own metadata, or
  // the whole sphere when it has none.
  std::optional<PanoramaCoverage> recorded;
  if (!o.coverageOptions) recorded = readPanoramaCoverage(o.input);
  if (recorded && (recorded->fullWidth <= 0 || recorded->fullHeight <= 0))
    throw InputError(o.input, "its panorama metadata gives no full size");
  PanoramaPlacement placement =
      recorded ? placementOf(*recorded)
               : placementOf(o.panel, static_cast<double>(picture.height) / picture.width, o.input);
  double heading = o.headingOption || !recorded ? o.headingDegrees : recorded->headingDegrees;
  writeViewerPage(picture, o.input, placement, heading, page);

  std::printf("%s: %dx%d %s, %s, %g x %g degrees\n", page.c_str(), picture.width, picture.height,
              recorded ? "placed by its metadata" : "placed by the options",
              placement.verticalPanorama ? "vertical panorama" : "panorama",
              placement.verticalPanorama ? placement.latitudeSpan : placement.longitudeSpan,
              placement.verticalPanorama ? placement.longitudeSpan : placement.latitudeSpan);
  return 0;
}

}  // namespace skyhost
