// Stereo photos (.vr.jpg) read back by exiftool and by a byte walk of the
// file's segments written here, MD5 against its published test vectors,
// and tag --stereo's refusals.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "common/input_error.h"
#include "common/md5.h"
#include "image_io/jpeg_writer.h"
#include "image_io/stereo_photo_writer.h"
#include "landmark.h"
#include "tool_run.h"

namespace tooltest {
namespace {

using nlohmann::json;

TEST(Md5, MatchesTheVectorsOfRfc1321) {
  EXPECT_EQ(skyhost::md5HexUpper(""), "D41D8CD98F00B204E9800998ECF8427E");
  EXPECT_EQ(skyhost::md5HexUpper("abc"), "900150983CD24FB0D6963F7D28E17F72");
  EXPECT_EQ(skyhost::md5HexUpper("message digest"), "F96B697D7CB7938D525A2F31AAF161D0");
  // 62 and 80 bytes: the length spills into a second and a third block.
  EXPECT_EQ(skyhost::md5HexUpper("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
            "D174AB98D277D9F5A5611C2C9F419D9F");
  EXPECT_EQ(skyhost::md5HexUpper("1234567890123456789012345678901234567890123456789012345678901"
                                 "2345678901234567890"),
            "57EDF4A22BE3C955AC49DA2E2107B67A");
}

std::string command(const std::string &line) {
  std::string out;
  FILE *pipe = popen((line + " 2>/dev/null").c_str(), "r");
  char buffer[65536];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  pclose(pipe);
  return out;
}

// A JPEG's APP1 segments that start with header, as (segment length, data
// after the header), walked from SOI to the first SOS.
std::vector<std::pair<std::size_t, std::string>> app1Segments(const std::string &jpeg,
                                                              const std::string &header) {
  std::vector<std::pair<std::size_t, std::string>> found;
  for (std::size_t at = 2; at + 4 <= jpeg.size() && static_cast<unsigned char>(jpeg[at]) == 0xFF;) {
    auto marker = static_cast<unsigned char>(jpeg[at + 1]);
    std::size_t length =
        static_cast<unsigned char>(jpeg[at + 2]) << 8 | static_cast<unsigned char>(jpeg[at + 3]);
    if (marker == 0xDA) break;
    std::string data = jpeg.substr(at + 4, length - 2);
    if (marker == 0xE1 && data.compare(0, header.size(), header) == 0)
      found.emplace_back(length, data.substr(header.size()));
    at += 2 + length;
  }
  return found;
}

class StereoPhoto : public ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    if (command("command -v exiftool md5sum").empty())
      GTEST_SKIP() << "exiftool or md5sum is not installed";
  }

  json exif(const std::string &name) {
    return json::parse(command("exiftool -j -n -validate -XMP:all '" + path(name).string() + "'"))
        .at(0);
  }

  // The right eye's JPEG as exiftool extracts it from GImage:Data.
  std::string rightEye(const std::string &name) {
    return command("exiftool -b -XMP-GImage:ImageData '" + path(name).string() + "'");
  }

  // Checks the fields and the extended XMP's framing.
  void checkStereoPhoto(const std::string &name, int eyeWidth, int eyeHeight, bool vr180) {
    json e = exif(name);
    EXPECT_EQ(e.value("Validate", ""), "0 0 0") << e;  // errors, warnings, minor ones
    EXPECT_EQ(e.value("ProjectionType", ""), "equirectangular") << e;
    EXPECT_EQ(e.value("UsePanoramaViewer", false), true) << e;
    EXPECT_EQ(e.value("FullPanoWidthPixels", 0), vr180 ? 2 * eyeWidth : eyeWidth) << e;
    EXPECT_EQ(e.value("FullPanoHeightPixels", 0), eyeHeight) << e;
    EXPECT_EQ(e.value("CroppedAreaImageWidthPixels", 0), eyeWidth) << e;
    EXPECT_EQ(e.value("CroppedAreaImageHeightPixels", 0), eyeHeight) << e;
    EXPECT_EQ(e.value("CroppedAreaLeftPixels", -1), vr180 ? eyeWidth / 2 : 0) << e;
    EXPECT_EQ(e.value("CroppedAreaTopPixels", -1), 0) << e;
    EXPECT_EQ(e.value("InitialViewHeadingDegrees", 0), 180) << e;
    EXPECT_EQ(e.value("ImageMimeType", ""), "image/jpeg") << e;

    // The extended packet from its segments: each names it by the MD5 of the
    // whole, gives the whole length and its own offset, and fits a segment.
    const std::string file = readFile(path(name));
    auto parts = app1Segments(file, std::string("http://ns.adobe.com/xmp/extension/\0", 35));
    EXPECT_GE(parts.size(), 2u) << "the right eye is meant to need more than one segment";
    std::string packet;
    auto be32 = [](const std::string &s, std::size_t at) {
      std::uint32_t v = 0;
      for (int i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(s[at + i]);
      return v;
    };
    for (const auto &[length, data] : parts) {
      EXPECT_LE(length, 65535u);
      EXPECT_EQ(data.substr(0, 32), e.value("HasExtendedXMP", "")) << "every part names the packet";
      EXPECT_EQ(be32(data, 36), packet.size()) << "parts in order, no gaps";
      packet += data.substr(40);
    }
    for (const auto &[length, data] : parts) EXPECT_EQ(be32(data, 32), packet.size());
  }
};

TEST_F(StereoPhoto, RenderedEyesBecomeAVrJpgThatExiftoolReadsWhole) {
  // Two different pictures for the eyes: the left a render looking ahead, the
  // right one looking back.
  ASSERT_EQ(run("render --width 1024 --height 512 --spp 1 -o ahead.png").status, 0);
  ASSERT_EQ(run("render --width 1024 --height 512 --spp 1 --rotation 180,0,0 -o back.png").status,
            0);
  auto image = [this](const std::string &name) {
    Picture p = picture(name);
    skyhost::Image out(p.width, p.height);
    for (std::size_t i = 0; i < p.rgb.size(); ++i) {
      double c = p.rgb[i] / 255.0;  // sRGB back to linear
      out.rgb[i] = float(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return out;
  };
  skyhost::Image left = image("ahead.png"), right = image("back.png");
  skyhost::writeStereoPhoto(path("eyes.vr.jpg").string(), left, right,
                            skyhost::StereoLayout::Stereo360, 98);
  checkStereoPhoto("eyes.vr.jpg", 1024, 512, false);
  EXPECT_TRUE(rightEye("eyes.vr.jpg") == skyhost::encodeJpeg(right, 98));
  EXPECT_EQ(landmarkOf(picture("eyes.vr.jpg").at(512, 256)), "front red") << "the left eye";

  // The extended packet's MD5 by md5sum, against the GUID.
  std::ofstream(path("packet.xmp"), std::ios::binary) << [&] {
    std::string packet;
    for (const auto &[length, data] :
         app1Segments(readFile(path("eyes.vr.jpg")),
                      std::string("http://ns.adobe.com/xmp/extension/\0", 35)))
      packet += data.substr(40);
    return packet;
  }();
  std::string sum = command("md5sum '" + path("packet.xmp").string() + "'").substr(0, 32);
  for (char &c : sum) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(sum, exif("eyes.vr.jpg").value("HasExtendedXMP", ""));

  // Eyes of two sizes, or of another aspect than the layout's, are refused.
  EXPECT_THROW(
      skyhost::writeStereoPhoto(path("bad.vr.jpg").string(), left, skyhost::Image(256, 128),
                                skyhost::StereoLayout::Stereo360, 90),
      skyhost::InputError);
  EXPECT_THROW(skyhost::writeStereoPhoto(path("bad.vr.jpg").string(), left, right,
                                         skyhost::StereoLayout::VR180, 90),
               skyhost::InputError);
  EXPECT_THROW(skyhost::writeStereoPhoto(path("bad.jpg").string(), left, right,
                                         skyhost::StereoLayout::Stereo360, 90),
               skyhost::InputError);
  EXPECT_FALSE(fs::exists(path("bad.vr.jpg")));
}

TEST_F(StereoPhoto, TagSplitsOverUnderAndSideBySidePicturesTopAndLeftBeingTheLeftEye) {
  // A 512x512 render: sky in the top half, ground in the bottom, so the eyes
  // of an over-under reading differ. Each eye 512x256, a stereo 360 one.
  ASSERT_EQ(run("render --width 1024 --height 1024 --spp 1 -o ou.png").status, 0);
  RunResult r = run("tag ou.png --stereo top-bottom --quality 98 -o ou.vr.jpg");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "ou.vr.jpg: stereo 360, each eye 1024x512, the left eye from the top\n");
  checkStereoPhoto("ou.vr.jpg", 1024, 512, false);
  std::ofstream(path("right.jpg"), std::ios::binary) << rightEye("ou.vr.jpg");
  Picture packed = picture("ou.png"), left = picture("ou.vr.jpg"), right = picture("right.jpg");
  ASSERT_EQ(right.width, 1024);
  ASSERT_EQ(right.height, 512);
  for (auto [x, y] : {std::pair{512, 80}, {200, 400}, {800, 256}}) {
    for (int c = 0; c < 3; ++c) {
      EXPECT_NEAR(left.at(x, y)[c], packed.at(x, y)[c], 12) << x << "," << y;
      EXPECT_NEAR(right.at(x, y)[c], packed.at(x, y + 512)[c], 12) << x << "," << y;
    }
  }

  // Side by side, each eye square: VR180, the crop in the middle half.
  ASSERT_EQ(run("render --width 512 --height 256 --spp 1 -o sbs.jpg").status, 0);
  r = run("tag sbs.jpg --stereo side-by-side --quality 80 -o sbs.vr.jpg");
  ASSERT_EQ(r.status, 0) << r.err;
  json e = exif("sbs.vr.jpg");
  EXPECT_EQ(e.value("FullPanoWidthPixels", 0), 512) << e;
  EXPECT_EQ(e.value("CroppedAreaImageWidthPixels", 0), 256) << e;
  EXPECT_EQ(e.value("CroppedAreaLeftPixels", 0), 128) << e;
  std::ofstream(path("right.jpg"), std::ios::binary) << rightEye("sbs.vr.jpg");
  EXPECT_EQ(landmarkOf(picture("sbs.vr.jpg").at(128, 128)),
            landmarkOf(picture("sbs.jpg").at(128, 128)));
  EXPECT_EQ(landmarkOf(picture("right.jpg").at(128, 128)), "right green");
}

TEST_F(StereoPhoto, TagRefusesWhatIsNoStereoPictureInOneLineAndWritesNothing) {
  ASSERT_EQ(run("render --width 64 --height 48 --spp 1 -o other.png").status, 0);
  ASSERT_EQ(run("render --width 64 --height 33 --spp 1 -o odd.png").status, 0);
  std::ofstream(path("text.png")) << "not an image\n";
  const std::vector<std::string> before = entries();
  const std::string other = readFile(path("other.png"));
  struct Case {
    const char *args, *message;
  } cases[] = {
      {"tag other.png --stereo top-bottom -o out.vr.jpg",
       "other.png: each eye is 64x24: a stereo photo's eye is 2:1 (stereo 360) or 1:1 (VR180)"},
      {"tag other.png --stereo side-by-side -o out.vr.jpg",
       "other.png: each eye is 32x48: a stereo photo's eye is 2:1"},
      {"tag odd.png --stereo top-bottom -o out.vr.jpg",
       "odd.png: its height (33 pixels) is odd, so it does not split into two eyes"},
      {"tag text.png --stereo top-bottom -o out.vr.jpg", "text.png: not a JPEG or PNG file"},
      {"tag other.png --stereo top-bottom", "--stereo: needs -o NAME.vr.jpg"},
      {"tag other.png --stereo top-bottom -o out.jpg",
       "out.jpg: a stereo photo's name ends in .vr.jpg"},
      {"tag other.png -o out.vr.jpg", "--output requires --stereo"},
      {"tag other.png --stereo over-under -o out.vr.jpg", "--stereo"},
  };
  for (const Case &c : cases) {
    RunResult r = run(c.args);
    EXPECT_NE(r.status, 0) << c.args;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << "\n" << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << c.args << "\n" << r.err;
  }
  EXPECT_EQ(entries(), before);
  EXPECT_EQ(readFile(path("other.png")), other);
}

TEST(StereoNotes, APackedStereoPictureSaysWhyItHasNoPhotoSphereFieldsAndWhatToWriteInstead) {
  EXPECT_EQ(skyhost::packedStereoNote("out/render.png", skyhost::StereoPacking::TopBottom),
            "out/render.png: a stereo image (left eye on top) carries no 360\u00b0 metadata: "
            "viewers would show both eyes as one sphere; write out/render.vr.jpg for a stereo "
            "photo");
  EXPECT_EQ(skyhost::packedStereoNote("lr.jpg", skyhost::StereoPacking::SideBySide).find('\n'),
            std::string::npos);
}

}  // namespace
}  // namespace tooltest
