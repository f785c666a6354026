#include "panorama/xmp_packet.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/input_error.h"

namespace skyhost {
namespace {

constexpr const char *kGpanoNamespace = "http://ns.google.com/photos/1.0/panorama/";

std::string degreesText(double degrees) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6f", degrees);
  std::string s = text;
  s.erase(s.find_last_not_of('0') + 1);
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

// The prefix the packet binds to a namespace, or "".
std::string namespacePrefix(const std::string &xmp, const std::string &uri) {
  for (char quote : {'"', '\''}) {
    std::size_t at = xmp.find(quote + uri + quote);
    if (at == std::string::npos) continue;
    std::size_t colon = xmp.rfind("xmlns:", at);
    if (colon == std::string::npos) continue;
    std::size_t begin = colon + 6, end = xmp.find_first_of("= \t\r\n", begin);
    if (end != std::string::npos && end < at) return xmp.substr(begin, end - begin);
  }
  return "";
}

// A property's text, written as an attribute (p:Name="v") or an element
// (<p:Name>v</p:Name>).
std::optional<std::string> property(const std::string &xmp, const std::string &qualifiedName) {
  for (std::size_t at = xmp.find(qualifiedName); at != std::string::npos;
       at = xmp.find(qualifiedName, at + 1)) {
    std::size_t after = at + qualifiedName.size();
    if (after >= xmp.size()) break;
    char before = at > 0 ? xmp[at - 1] : ' ';
    if (before == '<' && xmp[after] == '>') {
      std::size_t end = xmp.find("</" + qualifiedName + ">", after);
      if (end != std::string::npos) return xmp.substr(after + 1, end - after - 1);
    } else if (std::isspace(static_cast<unsigned char>(before))) {
      std::size_t equals = xmp.find_first_not_of(" \t\r\n", after);
      if (equals == std::string::npos || xmp[equals] != '=') continue;
      std::size_t open = xmp.find_first_not_of(" \t\r\n", equals + 1);
      if (open == std::string::npos || (xmp[open] != '"' && xmp[open] != '\'')) continue;
      std::size_t close = xmp.find(xmp[open], open + 1);
      if (close != std::string::npos) return xmp.substr(open + 1, close - open - 1);
    }
  }
  return std::nullopt;
}

std::string trimmed(const std::string &s) {
  std::size_t begin = s.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return "";
  return s.substr(begin, s.find_last_not_of(" \t\r\n") - begin + 1);
}

// A field's text as a message shows it, on one line: control bytes as \xNN,
// and cut after 40 bytes.
std::string shownInMessage(const std::string &s) {
  std::string out;
  for (char c : s.substr(0, 40)) {
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7f) {
      out += c;
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02x", byte);
      out += hex;
    }
  }
  return s.size() > 40 ? out + "..." : out;
}

}  // namespace

std::optional<std::string> xmpProperty(const std::string &xmp, const std::string &namespaceUri,
                                       const std::string &name) {
  std::string prefix = namespacePrefix(xmp, namespaceUri);
  if (prefix.empty()) return std::nullopt;
  return property(xmp, prefix + ":" + name);
}

std::string gpanoXmpPacket(const PanoramaCoverage &c) {
  std::string fields;
  auto add = [&fields](const char *name, const std::string &value) {
    fields += std::string("   <GPano:") + name + ">" + value + "</GPano:" + name + ">\n";
  };
  add("ProjectionType", "equirectangular");
  add("UsePanoramaViewer", "True");
  add("FullPanoWidthPixels", std::to_string(c.fullWidth));
  add("FullPanoHeightPixels", std::to_string(c.fullHeight));
  add("CroppedAreaImageWidthPixels", std::to_string(c.croppedWidth));
  add("CroppedAreaImageHeightPixels", std::to_string(c.croppedHeight));
  add("CroppedAreaLeftPixels", std::to_string(c.croppedLeft));
  add("CroppedAreaTopPixels", std::to_string(c.croppedTop));
  add("PoseHeadingDegrees", degreesText(c.headingDegrees));
  // Some viewers level the horizon only when both are present.
  if (c.pitchDegrees != 0 || c.rollDegrees != 0) {
    add("PosePitchDegrees", degreesText(c.pitchDegrees));
    add("PoseRollDegrees", degreesText(c.rollDegrees));
  }
  add("InitialViewHeadingDegrees", std::to_string(std::lround(c.headingDegrees) % 360));
  return "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n"
         "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
         " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
         "  <rdf:Description rdf:about=\"\" xmlns:GPano=\"" +
         std::string(kGpanoNamespace) + "\">\n" + fields +
         "  </rdf:Description>\n"
         " </rdf:RDF>\n"
         "</x:xmpmeta>\n"
         "<?xpacket end=\"w\"?>";
}

std::optional<PanoramaCoverage> gpanoCoverage(const std::string &xmp, int width, int height,
                                              const std::string &source) {
  std::string prefix = namespacePrefix(xmp, kGpanoNamespace);
  if (prefix.empty()) return std::nullopt;
  auto text = [&](const char *name) { return property(xmp, prefix + ":" + name); };
  std::optional<std::string> projection = text("ProjectionType");
  if (!projection || trimmed(*projection) != "equirectangular") return std::nullopt;

  auto number = [&](const char *name, double fallback) {
    std::optional<std::string> t = text(name);
    if (!t) return fallback;
    std::string s = trimmed(*t);
    char *end = nullptr;
    double value = std::strtod(s.c_str(), &end);
    if (s.empty() || *end != '\0' || !std::isfinite(value) || std::abs(value) > 1e9)
      throw InputError(
          source, "GPano " + std::string(name) + " is not a number: '" + shownInMessage(s) + "'");
    return value;
  };
  PanoramaCoverage c;
  c.croppedWidth = static_cast<int>(std::lround(number("CroppedAreaImageWidthPixels", width)));
  c.croppedHeight = static_cast<int>(std::lround(number("CroppedAreaImageHeightPixels", height)));
  c.fullWidth = static_cast<int>(std::lround(number("FullPanoWidthPixels", c.croppedWidth)));
  c.fullHeight = static_cast<int>(std::lround(number("FullPanoHeightPixels", c.croppedHeight)));
  c.croppedLeft = static_cast<int>(std::lround(number("CroppedAreaLeftPixels", 0)));
  c.croppedTop = static_cast<int>(std::lround(number("CroppedAreaTopPixels", 0)));
  c.headingDegrees = number("PoseHeadingDegrees", number("InitialViewHeadingDegrees", 0));
  c.pitchDegrees = number("PosePitchDegrees", 0);
  c.rollDegrees = number("PoseRollDegrees", 0);
  if (c.croppedWidth <= 0 || c.croppedHeight <= 0 || c.croppedWidth > c.fullWidth ||
      c.croppedHeight > c.fullHeight || c.croppedLeft < 0 || c.croppedLeft >= c.fullWidth ||
      c.croppedTop < 0 || c.croppedTop + c.croppedHeight > c.fullHeight)
    throw InputError(source, "GPano sizes and offsets do not place the image on the sphere");
  return c;
}

}  // namespace skyhost
