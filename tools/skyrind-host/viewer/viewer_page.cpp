#include "viewer/viewer_page.h"

#include <stb_image.h>

#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <utility>

#include "common/atomic_file.h"
#include "common/base64.h"
#include "common/file_bytes.h"
#include "common/input_error.h"
#include "common/utf8_path.h"
#include "containers/image_xmp.h"
#include "viewer/viewer_assets.h"

namespace skyhost {
namespace {

std::string escapedHtml(const std::string &text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// JSON that can stand inside a <script> element: no "</" to close it early.
std::string scriptSafe(std::string json) {
  for (std::size_t at = 0; (at = json.find("</", at)) != std::string::npos; at += 3)
    json.replace(at, 2, "<\\/");
  return json;
}

// The template with each @NAME@ replaced once; inserted text is not scanned.
std::string filledIn(std::string_view page, const std::map<std::string, std::string> &fields) {
  std::string out;
  for (std::size_t at = 0;;) {
    std::size_t open = page.find('@', at);
    std::size_t close = open == page.npos ? page.npos : page.find('@', open + 1);
    auto field = close == page.npos
                     ? fields.end()
                     : fields.find(std::string(page.substr(open + 1, close - open - 1)));
    if (field == fields.end()) {
      out.append(page.substr(at, open == page.npos ? page.npos : open + 1 - at));
      if (open == page.npos) return out;
      at = open + 1;
      continue;
    }
    out.append(page.substr(at, open - at)).append(field->second);
    at = close + 1;
  }
}

}  // namespace

ViewerPicture readViewerPicture(const std::string &path) {
  return viewerPicture(readFileBytes(path, "image"), path);
}

ViewerPicture viewerPicture(std::string bytes, const std::string &path) {
  ViewerPicture p;
  p.bytes = std::move(bytes);
  std::optional<ImageKind> kind = imageKindOf(p.bytes);
  if (!kind) throw InputError(path, "the page shows JPEG or PNG images only");
  p.mimeType = *kind == ImageKind::Png ? "image/png" : "image/jpeg";
  int channels = 0;
  if (stbi_info_from_memory(reinterpret_cast<const stbi_uc *>(p.bytes.data()),
                            static_cast<int>(p.bytes.size()), &p.width, &p.height,
                            &channels) == 0 ||
      p.width <= 0 || p.height <= 0)
    throw InputError(path, std::string("not a readable image: ") + stbi_failure_reason());
  return p;
}

std::string viewerPage(const ViewerPicture &picture, const PanoramaPlacement &placement,
                       double headingDegrees, const std::string &title,
                       const ViewerContent &content) {
  auto dataUrl = [](const ViewerPicture &p) {
    return "data:" + p.mimeType + ";base64," + base64Encoded(p.bytes);
  };
  nlohmann::json config = {
      {"title", title},
      {"headingDegrees", headingDegrees},
      {"verticalPanorama", placement.verticalPanorama},
      {"placement",
       {{"longitudeStart", placement.longitudeStart},
        {"longitudeSpan", placement.longitudeSpan},
        {"latitudeStart", placement.latitudeStart},
        {"latitudeSpan", placement.latitudeSpan}}},
      {"image", dataUrl(picture)},
  };
  // Both eyes: "top-bottom" and "side-by-side" in the one image, "separate"
  // with the right eye's own.
  if (content.packedStereo)
    config["stereo"] = {{"packing", *content.packedStereo == StereoPacking::TopBottom
                                        ? "top-bottom"
                                        : "side-by-side"}};
  if (content.rightEye)
    config["stereo"] = {{"packing", "separate"}, {"rightImage", dataUrl(*content.rightEye)}};
  if (content.domeFovDegrees)
    config["dome"] = {{"fovDegrees", *content.domeFovDegrees},
                      {"aspect", static_cast<double>(picture.height) / picture.width}};
  return filledIn(
      kViewerHtml,
      {{"VIEWER_TITLE", escapedHtml(title)},
       {"VIEWER_CONFIG",
        scriptSafe(config.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace))},
       {"VIEWER_SCRIPT", std::string(kViewerScript)}});
}

void writeViewerPage(const ViewerPicture &picture, const std::string &imagePath,
                     const PanoramaPlacement &placement, double headingDegrees,
                     const std::string &pagePath, const ViewerContent &content) {
  checkFolderExists(pagePath);
  std::string title = utf8FromPath(pathFromUtf8(imagePath).filename());
  std::string page = viewerPage(picture, placement, headingDegrees, title, content);
  writeAtomically(pagePath, page);
}

std::string defaultPagePath(const std::string &imagePath) {
  return utf8FromPath(pathFromUtf8(imagePath).replace_extension(".html"));
}

}  // namespace skyhost
