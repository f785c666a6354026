// The viewer page opened in headless Chromium: screenshots at views set in
// the page's address show the default scene's landmarks where they are.
#include <cstdlib>

#include "landmark.h"
#include "tool_run.h"

namespace tooltest {
namespace {

class Viewer : public ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    if (std::system("command -v chromium >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "chromium is not installed";
  }

  void make(const std::string &args) {
    RunResult r = run(args);
    ASSERT_EQ(r.status, 0) << args << "\n" << r.err;
  }

  // A width×height screenshot of the page opened at #address. WebGL comes
  // from SwiftShader, so no display or GPU is needed.
  Picture screenshot(const std::string &page, const std::string &address, int width = 320,
                     int height = 180, const std::string &flags = "") {
    std::string shot = "shot.png";
    fs::remove(path(shot));
    std::string command =
        "chromium --headless=new --no-sandbox --disable-gpu --use-angle=swiftshader "
        "--enable-unsafe-swiftshader --hide-scrollbars --virtual-time-budget=5000 " +
        flags + " --user-data-dir='" + path("profile").string() +
        "' --window-size=" + std::to_string(width) + "," + std::to_string(height) +
        " --screenshot='" + path(shot).string() + "' 'file://" + path(page).string() + "#" +
        address + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    Picture p = picture(shot);
    EXPECT_EQ(p.width, width);
    EXPECT_EQ(p.height, height);
    return p;
  }
};

bool black(const std::array<int, 3> &p) {
  return p[0] + p[1] + p[2] < 24;
}

TEST_F(Viewer, BothRenderersLookWhereTheAddressSays) {
  make("render --width 256 --height 128 -o full.png");
  make("view full.png");
  for (std::string renderer : {"webgl", "2d"}) {
    SCOPED_TRACE(renderer);
    std::string suffix = "&renderer=" + renderer;
    EXPECT_EQ(landmarkOf(screenshot("full.html", "yaw=0" + suffix).at(160, 90)), "front red");
    EXPECT_EQ(landmarkOf(screenshot("full.html", "yaw=90" + suffix).at(160, 90)), "right green");
    EXPECT_EQ(landmarkOf(screenshot("full.html", "pitch=90" + suffix).at(160, 90)), "up magenta");
  }
}

TEST_F(Viewer, PartialPanoramaIsBlackOutsideItsCoverage) {
  // 200 by 100 degrees, placed by the image's own metadata. Looking right
  // with 120 degrees across, the view's right edge looks 150 degrees round
  // and its top 52 degrees up: both outside.
  make("render --width 128 --height 64 --hfov 200 --vfov 100 -o partial.png");
  make("view partial.png -o page.html");
  for (std::string renderer : {"webgl", "2d"}) {
    SCOPED_TRACE(renderer);
    Picture p = screenshot("page.html", "yaw=90&fov=120&renderer=" + renderer, 320, 240);
    EXPECT_EQ(landmarkOf(p.at(160, 120)), "right green");
    EXPECT_TRUE(black(p.at(317, 120)));
    EXPECT_TRUE(black(p.at(160, 2)));
    EXPECT_TRUE(black(p.at(160, 237)));
    EXPECT_FALSE(black(p.at(2, 120)));
  }
}

TEST_F(Viewer, VerticalPanoramaIsShownTheRightWayRoundWithOrWithoutWebGL) {
  // Poles left and right: the image's width runs from pole to pole and its
  // height once round them. A browser without WebGL falls back to the canvas.
  make(
      "render --width 64 --height 128 --vertical-panorama --hfov 180 --vfov 360 --view "
      "-o vertical.png");
  EXPECT_EQ(landmarkOf(screenshot("vertical.html", "yaw=90").at(160, 90)), "right green");
  EXPECT_EQ(
      landmarkOf(screenshot("vertical.html", "pitch=90", 320, 180, "--disable-webgl").at(160, 90)),
      "up magenta");
}

using ViewerInput = ToolTest;

TEST_F(ViewerInput, RefusesWhatItCannotShowAndWritesNothing) {
  std::ofstream(path("notes.png")) << "not an image\n";
  RunResult text = run("view notes.png");
  EXPECT_EQ(text.status, 1);
  EXPECT_NE(text.err.find("JPEG or PNG"), std::string::npos) << text.err;
  RunResult hdr = run("render --width 16 --height 8 --view -o out.hdr");
  EXPECT_EQ(hdr.status, 1);
  EXPECT_NE(hdr.err.find(".png or .jpg"), std::string::npos) << hdr.err;
  RunResult perspective = run("render --width 16 --height 8 --h-perspective --hfov 90 --view");
  EXPECT_EQ(perspective.status, 1);
  EXPECT_NE(perspective.err.find("perspective"), std::string::npos) << perspective.err;
  EXPECT_EQ(entries(), std::vector<std::string>{"notes.png"});
}

}  // namespace
}  // namespace tooltest
