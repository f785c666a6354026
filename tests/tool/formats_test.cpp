// Image formats and 360-degree photo metadata, read back by exiftool and
// OpenEXR rather than by the tool's own code.
#include <OpenEXR/ImfArray.h>
#include <OpenEXR/ImfRgbaFile.h>

#include <nlohmann/json.hpp>

#include "landmark.h"
#include "tool_run.h"

namespace tooltest {
namespace {

using nlohmann::json;

// A program's standard output, or nullopt when it is not installed.
std::optional<std::string> output(const std::string &program, const std::string &args) {
  if (std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) != 0) return std::nullopt;
  std::string out;
  FILE *pipe = popen((program + " " + args + " 2>/dev/null").c_str(), "r");
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  pclose(pipe);
  return out;
}

class Formats : public ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    if (!output("exiftool", "-ver")) GTEST_SKIP() << "exiftool is not installed";
  }

  void render(const std::string &options, const std::string &name) {
    RunResult r = run("render --width 72 --height 36 " + options + " -o " + name);
    ASSERT_EQ(r.status, 0) << r.err;
  }

  // exiftool's view of the file's GPano fields, its structure check and more.
  json exif(const std::string &name, const std::string &tags = "-XMP-GPano:all") {
    json all = json::parse(
        *output("exiftool", "-j -n -validate " + tags + " '" + path(name).string() + "'"));
    return all.at(0);
  }
};

void expectCoverage(const json &e, int fullWidth, int fullHeight, int left, int top,
                    double heading) {
  EXPECT_EQ(e.value("ProjectionType", ""), "equirectangular") << e;
  EXPECT_EQ(e.value("UsePanoramaViewer", false), true) << e;
  EXPECT_EQ(e.value("FullPanoWidthPixels", 0), fullWidth) << e;
  EXPECT_EQ(e.value("FullPanoHeightPixels", 0), fullHeight) << e;
  EXPECT_EQ(e.value("CroppedAreaImageWidthPixels", 0), 72) << e;
  EXPECT_EQ(e.value("CroppedAreaImageHeightPixels", 0), 36) << e;
  EXPECT_EQ(e.value("CroppedAreaLeftPixels", -1), left) << e;
  EXPECT_EQ(e.value("CroppedAreaTopPixels", -1), top) << e;
  EXPECT_EQ(e.value("PoseHeadingDegrees", -1.0), heading) << e;
  EXPECT_EQ(e.value("InitialViewHeadingDegrees", -1.0), heading) << e;
  EXPECT_EQ(e.value("Validate", ""), "0 0 0") << e;  // errors, warnings, minor ones
}

TEST_F(Formats, JpegAndPngOfAnEquirectangularRenderSayWhereTheyLieOnTheSphere) {
  // 90x45 degrees of a 360x180 sphere at 4 pixels a degree: 288x144 pixels;
  // the crop centred across at 144 - 36, its heading 10% of 90 degrees right
  // of the camera's; its top at 72 - 18 - 20% of 36.
  const std::string partial = "--hfov 90 --vfov 45 --hshift 10 --vshift 20 --rotation 30,0,0";
  for (const char *name : {"partial.jpg", "partial.png"}) {
    render(partial, name);
    SCOPED_TRACE(name);
    expectCoverage(exif(name), 288, 144, 108, 47, 39);
  }
  render("", "whole.jpg");
  expectCoverage(exif("whole.jpg"), 72, 36, 0, 0, 0);
  EXPECT_FALSE(exif("whole.jpg").contains("PosePitchDegrees"));
  // A whole sphere shifted sideways never wraps: the shift turns the heading.
  render("--hshift 10 --rotation 350,0,0", "shifted.png");
  expectCoverage(exif("shifted.png"), 72, 36, 0, 0, 26);
  // (A field of view past the whole sphere is refused by the options now.)
  for (const char *settings : {"--h-perspective --hfov 90", "--vertical-panorama"}) {
    render(settings, "other.png");
    EXPECT_FALSE(exif("other.png").contains("ProjectionType")) << settings;
  }
}

TEST_F(Formats, APitchOrRollWritesBothAndAShiftTurnsTheWholePose) {
  // The camera looking 20 degrees up (the host's pitch is positive down).
  render("--rotation 0,-20,0", "up.jpg");
  json e = exif("up.jpg");
  EXPECT_EQ(e.value("PosePitchDegrees", 0.0), 20) << e;
  EXPECT_EQ(e.value("PoseRollDegrees", -1.0), 0) << e;
  render("--rotation 0,0,15", "banked.jpg");
  e = exif("banked.jpg");
  EXPECT_EQ(e.value("PosePitchDegrees", -1.0), 0) << e;
  EXPECT_EQ(e.value("PoseRollDegrees", 0.0), -15) << e;
  // Pitched 90 degrees up, a quarter turn right of the forward looks
  // level to the right: heading 90, no pitch, the horizon stood on end.
  render("--hshift 25 --rotation 0,-90,0", "zenith.png");
  e = exif("zenith.png");
  EXPECT_NEAR(e.value("PoseHeadingDegrees", 0.0), 90, 1e-4) << e;
  EXPECT_NEAR(e.value("PosePitchDegrees", 1.0), 0, 1e-4) << e;
  EXPECT_NEAR(e.value("PoseRollDegrees", 0.0), 90, 1e-4) << e;
}

TEST_F(Formats, PixelsNotSquareInAngleGetNoPhotoSphereFieldsAndTagRefusesThem) {
  RunResult r = run("render --width 64 --height 36 -o wide.png");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_FALSE(exif("wide.png").contains("ProjectionType"));
  EXPECT_EQ(r.err,
            "wide.png: no photo-sphere metadata: its pixels are 5.62 degrees across but 5 down, "
            "which the photo-sphere fields cannot say (64x32 or 72x36 pixels would be square)\n");
  // Within half a percent is square; the auto field of view makes it so.
  for (const char *options : {"--width 201 --height 100", "--width 72 --height 30 --auto-vfov"}) {
    r = run(std::string("render ") + options + " -o near.png");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "") << options;
    EXPECT_TRUE(exif("near.png").contains("ProjectionType")) << options;
  }
  std::string before = readFile(path("wide.png"));
  r = run("tag wide.png");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.err.find("wide.png: no photo-sphere metadata: its pixels are"), std::string::npos)
      << r.err;
  EXPECT_EQ(readFile(path("wide.png")), before);
}

TEST_F(Formats, PngBitDepthAndJpegQuality) {
  render("--bit-depth 16", "deep.png");
  EXPECT_EQ(exif("deep.png", "-PNG:BitDepth").value("BitDepth", 0), 16);
  EXPECT_EQ(landmarkOf(picture("deep.png").at(36, 18)), "front red");

  render("--quality 40", "q40.jpg");
  render("--quality 92", "q92.jpg");
  render("", "default.jpg");
  EXPECT_LT(readFile(path("q40.jpg")).size(), readFile(path("q92.jpg")).size());
  EXPECT_EQ(readFile(path("default.jpg")), readFile(path("q92.jpg")));
  EXPECT_EQ(landmarkOf(picture("q40.jpg").at(36, 18)), "front red");
}

// The centre pixel of an .exr, linear RGB.
std::array<float, 3> exrCentre(const fs::path &file) {
  Imf::RgbaInputFile in(file.c_str());
  Imath::Box2i window = in.dataWindow();
  int width = window.max.x - window.min.x + 1, height = window.max.y - window.min.y + 1;
  Imf::Array2D<Imf::Rgba> pixels(height, width);
  in.setFrameBuffer(&pixels[0][0] - window.min.x - window.min.y * width, 1, width);
  in.readPixels(window.min.y, window.max.y);
  const Imf::Rgba &p = pixels[height / 2][width / 2];
  return {float(p.r), float(p.g), float(p.b)};
}

TEST_F(Formats, OpenExrHoldsLinearColourAndTheCameraSettings) {
  if (!output("exrheader", "--help")) GTEST_SKIP() << "exrheader is not installed";
  const std::string settings = "--hfov 200 --vfov 100 --vshift 4 --frame 7 --film-width 0.05 ";
  render(settings, "half.exr");
  render(settings + "--exr-float", "float.exr");
  std::string header = *output("exrheader", "'" + path("half.exr").string() + "'");
  for (const char *line :
       {"hFovDegrees (type double): 200", "vFovDegrees (type double): 100",
        "hShiftPercent (type double): 0", "vShiftPercent (type double): 4",
        "hPerspective (type int): 0", "autoVFov (type int): 0", "verticalPanorama (type int): 0",
        "filmWidth (type double): 0.05", "filmHeight (type double): 0.025", "frame (type int): 7",
        "R, 16-bit floating-point"})
    EXPECT_NE(header.find(line), std::string::npos) << line << "\n" << header;
  EXPECT_NE(output("exrheader", "'" + path("float.exr").string() + "'")->find("32-bit floating"),
            std::string::npos);

  // The front landmark's linear albedo (0.9, 0.05, 0.05) under one light
  // factor: in sRGB its red would be only about 4 times its green.
  for (const char *name : {"half.exr", "float.exr"}) {
    std::array<float, 3> c = exrCentre(path(name));
    EXPECT_NEAR(c[0] / c[1], 18, 0.1) << name;
    EXPECT_NEAR(c[2], c[1], 1e-4) << name;
    EXPECT_GT(c[0], 0.9 * 0.5) << name;
    EXPECT_LT(c[0], 0.9 * 1.01) << name;
  }
}

// The bytes without their XMP (JPEG APP1 segment or PNG iTXt chunk).
std::string withoutXmp(std::string bytes) {
  std::size_t jpeg = bytes.find("http://ns.adobe.com/xap/1.0/");
  if (jpeg != std::string::npos) {
    std::size_t length = static_cast<unsigned char>(bytes[jpeg - 2]) << 8 |
                         static_cast<unsigned char>(bytes[jpeg - 1]);
    return bytes.erase(jpeg - 4, length + 2);
  }
  std::size_t png = bytes.find("iTXtXML:com.adobe.xmp");
  if (png == std::string::npos) return bytes;
  std::size_t length = 0;
  for (int i = 4; i >= 1; --i) length = length << 8 | static_cast<unsigned char>(bytes[png - i]);
  return bytes.erase(png - 4, length + 12);
}

TEST_F(Formats, TagWritesTheMetadataAndKeepsEveryOtherByte) {
  // Perspective renders: no metadata of their own.
  render("--h-perspective --hfov 90", "camera.jpg");
  render("--h-perspective --hfov 90", "camera.png");
  const std::string jpeg = readFile(path("camera.jpg")), png = readFile(path("camera.png"));

  RunResult r = run("tag camera.jpg --hfov 180 --vfov 90 --heading 45");
  ASSERT_EQ(r.status, 0) << r.err;
  expectCoverage(exif("camera.jpg"), 144, 72, 36, 18, 45);
  EXPECT_EQ(withoutXmp(readFile(path("camera.jpg"))), jpeg);
  ASSERT_EQ(run("tag camera.jpg").status, 0);  // replaces: the whole sphere now
  expectCoverage(exif("camera.jpg"), 72, 36, 0, 0, 0);
  EXPECT_EQ(withoutXmp(readFile(path("camera.jpg"))), jpeg);

  ASSERT_EQ(run("render --width 8 --height 4 --hfov 180 --vfov 90 --rotation 90,0,0 "
                "--save-scene s.json -o s.png")
                .status,
            0);
  r = run("tag camera.png --scene s.json");
  ASSERT_EQ(r.status, 0) << r.err;
  expectCoverage(exif("camera.png"), 144, 72, 36, 18, 90);
  EXPECT_EQ(withoutXmp(readFile(path("camera.png"))), png);
}

TEST_F(Formats, TagRefusesWhatItCannotReadAndLeavesTheFileAsItWas) {
  render("", "good.jpg");
  render("", "good.png");
  ASSERT_EQ(
      run("render --width 8 --height 4 --vertical-panorama --save-scene v.json -o v.png").status,
      0);
  std::string jpeg = readFile(path("good.jpg")), png = readFile(path("good.png"));
  std::ofstream(path("cut.jpg"), std::ios::binary) << jpeg.substr(0, jpeg.size() * 2 / 3);
  std::string badCrc = png, longChunk = png;
  std::size_t idat = png.find("IDAT");
  badCrc[idat + 10] ^= 0x40;
  longChunk[idat - 2] = '\x7f';
  std::ofstream(path("crc.png"), std::ios::binary) << badCrc;
  std::ofstream(path("long.png"), std::ios::binary) << longChunk;
  std::ofstream(path("text.jpg")) << "not an image\n";

  const std::pair<const char *, const char *> cases[] = {
      {"tag cut.jpg", "cut.jpg: the JPEG is cut short"},
      {"tag crc.png", "crc.png: the PNG chunk IDAT has a wrong CRC"},
      {"tag long.png", "long.png: a PNG chunk's length runs past the end"},
      {"tag text.jpg", "text.jpg: not a JPEG or PNG file"},
      {"tag good.jpg --vertical-panorama", "good.jpg: the settings do not make an equirect"},
      {"tag good.png --scene v.json", "good.png: the settings do not make an equirect"},
      {"tag good.png --hfov 90 --vfov 45 --vshift 200", "good.png: the settings do not make"},
  };
  for (const auto &[args, message] : cases) {
    std::string file = path(std::string(args).substr(4, std::string(args).find(' ', 4) - 4));
    std::string before = readFile(file);
    auto entriesBefore = entries();
    RunResult r = run(args);
    EXPECT_NE(r.status, 0) << args;
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(readFile(file), before) << args;
    EXPECT_EQ(entries(), entriesBefore) << args;
  }
}

}  // namespace
}  // namespace tooltest
