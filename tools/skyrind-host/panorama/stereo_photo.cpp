#include "panorama/stereo_photo.h"

#include <algorithm>
#include <cctype>

#include "common/base64.h"
#include "common/input_error.h"
#include "common/utf8_path.h"
#include "containers/extended_xmp.h"
#include "containers/jpeg_segments.h"
#include "panorama/xmp_packet.h"

namespace skyhost {
namespace {

const std::string kGpanoNamespace = "http://ns.google.com/photos/1.0/panorama/";
const std::string kGImageNamespace = "http://ns.google.com/photos/1.0/image/";
const std::string kXmpNoteNamespace = "http://ns.adobe.com/xmp/note/";

// A packet of one rdf:Description whose properties are all attributes.
// The extended packet goes without the xpacket wrapper, as extended XMP does.
std::string descriptionPacket(const std::string &namespaces, const std::string &attributes,
                              bool wrapped) {
  std::string body =
      "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
      " <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
      "  <rdf:Description rdf:about=\"\"" +
      namespaces + attributes +
      "/>\n"
      " </rdf:RDF>\n"
      "</x:xmpmeta>\n";
  if (!wrapped) return body;
  return "<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>\n" + body +
         "<?xpacket end=\"w\"?>";
}

std::string attribute(const std::string &name, const std::string &value) {
  return "\n    " + name + "=\"" + value + "\"";
}

// An eye's JPEG read; an error names the file and then the eye.
JpegSummary readEye(const std::string &jpeg, const std::string &eye, const std::string &source) {
  try {
    return readJpeg(jpeg, source);
  } catch (const InputError &e) {
    throw InputError(source, eye + ": " + std::string(e.what()).substr(source.size() + 2));
  }
}

// NAME.vr.jpg for NAME.png or NAME.jpg.
std::string stereoPhotoPathFor(const std::string &path) {
  return utf8FromPath(pathFromUtf8(path).replace_extension(".vr.jpg"));
}

}  // namespace

std::optional<StereoLayout> stereoLayoutOfEye(int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  if (width == 2 * height) return StereoLayout::Stereo360;
  if (width == height) return StereoLayout::VR180;
  return std::nullopt;
}

PackedEye packedEye(int width, int height, StereoPacking packing, const std::string &source) {
  bool topBottom = packing == StereoPacking::TopBottom;
  int split = topBottom ? height : width;
  if (split % 2 != 0)
    throw InputError(source, "its " + std::string(topBottom ? "height" : "width") + " (" +
                                 std::to_string(split) +
                                 " pixels) is odd, so it does not split into two eyes");
  PackedEye eye;
  eye.width = topBottom ? width : width / 2;
  eye.height = topBottom ? height / 2 : height;
  std::optional<StereoLayout> layout = stereoLayoutOfEye(eye.width, eye.height);
  if (!layout)
    throw InputError(source, "each eye is " + std::to_string(eye.width) + "x" +
                                 std::to_string(eye.height) +
                                 ": a stereo photo's eye is 2:1 (stereo 360) or 1:1 (VR180)");
  eye.layout = *layout;
  return eye;
}

PanoramaCoverage stereoEyeCoverage(StereoLayout layout, int eyeWidth, int eyeHeight) {
  PanoramaCoverage c;
  c.croppedWidth = eyeWidth;
  c.croppedHeight = eyeHeight;
  c.fullHeight = eyeHeight;
  c.fullWidth = layout == StereoLayout::VR180 ? 2 * eyeWidth : eyeWidth;
  c.croppedLeft = layout == StereoLayout::VR180 ? eyeWidth / 2 : 0;
  c.croppedTop = 0;
  c.headingDegrees = 180;
  return c;
}

std::string stereoMainXmpPacket(const PanoramaCoverage &c, const std::string &guid) {
  std::string namespaces = attribute("xmlns:GPano", kGpanoNamespace) +
                           attribute("xmlns:GImage", kGImageNamespace) +
                           attribute("xmlns:xmpNote", kXmpNoteNamespace);
  std::string fields =
      attribute("GPano:ProjectionType", "equirectangular") +
      attribute("GPano:UsePanoramaViewer", "True") +
      attribute("GPano:FullPanoWidthPixels", std::to_string(c.fullWidth)) +
      attribute("GPano:FullPanoHeightPixels", std::to_string(c.fullHeight)) +
      attribute("GPano:CroppedAreaImageWidthPixels", std::to_string(c.croppedWidth)) +
      attribute("GPano:CroppedAreaImageHeightPixels", std::to_string(c.croppedHeight)) +
      attribute("GPano:CroppedAreaLeftPixels", std::to_string(c.croppedLeft)) +
      attribute("GPano:CroppedAreaTopPixels", std::to_string(c.croppedTop)) +
      attribute("GPano:InitialViewHeadingDegrees",
                std::to_string(static_cast<int>(c.headingDegrees))) +
      attribute("GImage:Mime", "image/jpeg") + attribute("xmpNote:HasExtendedXMP", guid);
  return descriptionPacket(namespaces, fields, true);
}

std::string stereoExtendedXmpPacket(const std::string &rightJpeg) {
  return descriptionPacket(attribute("xmlns:GImage", kGImageNamespace),
                           attribute("GImage:Data", base64Encoded(rightJpeg)), false);
}

std::string stereoPhotoBytes(const std::string &leftJpeg, const std::string &rightJpeg,
                             StereoLayout layout, const std::string &source) {
  JpegSummary left = readEye(leftJpeg, "the left eye", source);
  JpegSummary right = readEye(rightJpeg, "the right eye", source);
  if (left.width != right.width || left.height != right.height)
    throw InputError(source, "the eyes differ in size: " + std::to_string(left.width) + "x" +
                                 std::to_string(left.height) + " and " +
                                 std::to_string(right.width) + "x" + std::to_string(right.height));
  if (stereoLayoutOfEye(left.width, left.height) != layout)
    throw InputError(source,
                     std::string("a ") + (layout == StereoLayout::VR180 ? "VR180" : "stereo 360") +
                         " eye is " + (layout == StereoLayout::VR180 ? "1:1" : "2:1") + ", not " +
                         std::to_string(left.width) + "x" + std::to_string(left.height));
  std::string extended = stereoExtendedXmpPacket(rightJpeg);
  std::string main = stereoMainXmpPacket(stereoEyeCoverage(layout, left.width, left.height),
                                         extendedXmpGuid(extended));
  return withJpegExtendedXmp(leftJpeg, main, extended, source);
}

std::optional<std::string> stereoRightEye(const std::string &bytes, const std::string &source) {
  if (!hasJpegSignature(bytes)) return std::nullopt;
  JpegSummary jpeg = readJpeg(bytes, source);
  if (!jpeg.xmp) return std::nullopt;
  std::optional<std::string> guid = xmpProperty(*jpeg.xmp, kXmpNoteNamespace, "HasExtendedXMP");
  if (!guid) return std::nullopt;
  std::optional<std::string> extended = extendedXmpPacket(jpeg.xmpExtensions, *guid, source);
  if (!extended) return std::nullopt;
  std::optional<std::string> data = xmpProperty(*extended, kGImageNamespace, "Data");
  if (!data) return std::nullopt;
  std::optional<std::string> right = base64Decoded(*data);
  if (!right || !hasJpegSignature(*right))
    throw InputError(source, "GImage:Data is not a base64 JPEG");
  readEye(*right, "the right eye in GImage:Data", source);
  return right;
}

bool isStereoPhotoPath(const std::string &path) {
  const std::string suffix = ".vr.jpg";
  if (path.size() < suffix.size()) return false;
  std::string end = path.substr(path.size() - suffix.size());
  std::transform(end.begin(), end.end(), end.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return end == suffix;
}

std::string packedStereoNote(const std::string &path, StereoPacking packing) {
  return path + ": a stereo image (left eye " +
         (packing == StereoPacking::TopBottom ? "on top" : "on the left") +
         ") carries no 360\u00b0 metadata: viewers would show both eyes as one sphere; write " +
         stereoPhotoPathFor(path) + " for a stereo photo";
}

std::string domeMasterNote(const std::string &path) {
  return path +
         ": a dome master (angular fisheye) carries no 360\u00b0 metadata: the photo-sphere "
         "fields describe equirectangular images only; skyrind-host view IMAGE --dome shows it";
}

}  // namespace skyhost
