// Renders of the default scene: landmarks where the camera's settings say.
#include <cmath>

#include "landmark.h"
#include "tool_run.h"

namespace tooltest {
namespace {

class Render : public ToolTest {
 protected:
  // A 72x36 render (5 degrees a pixel at the defaults) with extra options.
  Picture render(const std::string &options, const std::string &name = "out.png") {
    RunResult r = run("render --width 72 --height 36 " + options + " -o " + name);
    EXPECT_EQ(r.status, 0) << r.err;
    return picture(name);
  }
};

TEST_F(Render, FullPanoramaShowsEachLandmarkInItsDirection) {
  Picture p = render("");
  ASSERT_EQ(p.width, 72);
  EXPECT_EQ(landmarkOf(p.at(36, 18)), "front red");
  EXPECT_EQ(landmarkOf(p.at(54, 18)), "right green");
  EXPECT_EQ(landmarkOf(p.at(18, 18)), "left blue");
  EXPECT_EQ(landmarkOf(p.at(0, 18)), "back yellow");
  EXPECT_EQ(landmarkOf(p.at(71, 18)), "back yellow");
  for (int x = 0; x < 72; x += 7) {
    EXPECT_EQ(landmarkOf(p.at(x, 0)), "up magenta") << "column " << x;
    EXPECT_EQ(landmarkOf(p.at(x, 35)), "down cyan") << "column " << x;
  }
}

TEST_F(Render, FieldOfViewIsGivenInDegrees) {
  // 180 degrees across: the image's edges look straight right and left.
  Picture p = render("--hfov 180 --vfov 90");
  EXPECT_EQ(landmarkOf(p.at(71, 18)), "right green");
  EXPECT_EQ(landmarkOf(p.at(0, 18)), "left blue");
  EXPECT_EQ(landmarkOf(p.at(36, 18)), "front red");
}

TEST_F(Render, ShiftIsGivenInPercentOfTheFilm) {
  // A quarter of the film is a quarter turn on the full panorama.
  EXPECT_EQ(landmarkOf(render("--hshift 25").at(36, 18)), "right green");
  EXPECT_EQ(landmarkOf(render("--hshift -25").at(36, 18)), "left blue");
}

TEST_F(Render, HeadingTurnsTheCamera) {
  EXPECT_EQ(landmarkOf(render("--rotation 90,0,0").at(36, 18)), "right green");
  EXPECT_EQ(landmarkOf(render("--rotation 180,0,0").at(36, 18)), "back yellow");
}

TEST_F(Render, MotionAcrossTheFrameBlursOnlyWithMotionSteps) {
  render("--spp 4", "still.png");
  render("--spp 4 --turn 45 --motion-steps 0", "unsampled.png");
  render("--spp 4 --turn 45 --motion-steps 2", "moving.png");
  EXPECT_EQ(readFile(path("unsampled.png")), readFile(path("still.png")));
  EXPECT_NE(readFile(path("moving.png")), readFile(path("still.png")));
}

TEST_F(Render, ThreadCountLeavesThePictureAndApertureChangesIt) {
  render("--spp 4 --threads 1", "pinhole.png");
  render("--spp 4 --threads 2", "pinhole-threads.png");
  render("--spp 4 --fstop 0.05", "lens.png");
  EXPECT_EQ(readFile(path("pinhole-threads.png")), readFile(path("pinhole.png")));
  EXPECT_NE(readFile(path("lens.png")), readFile(path("pinhole.png")));
}

// Mean absolute difference of two pictures' channels, 8-bit steps.
double meanDifference(const Picture &a, const Picture &b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.rgb.size(); ++i) sum += std::abs(a.rgb[i] - b.rgb[i]);
  return sum / a.rgb.size();
}

TEST_F(Render, DefaultSamplesAreStratifiedSoEdgesComeOutSmooth) {
  // Two seeds differ only where edges cross pixels. Four jittered samples
  // would about halve the difference of one; stratified ones do better.
  RunResult r = run("render --width 144 --height 72 --seed 1 -o a.png");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("4 samples per pixel"), std::string::npos) << r.out;
  ASSERT_EQ(run("render --width 144 --height 72 --seed 2 -o b.png").status, 0);
  ASSERT_EQ(run("render --width 144 --height 72 --spp 1 --seed 1 -o a1.png").status, 0);
  ASSERT_EQ(run("render --width 144 --height 72 --spp 1 --seed 2 -o b1.png").status, 0);
  double stratified = meanDifference(picture("a.png"), picture("b.png"));
  double single = meanDifference(picture("a1.png"), picture("b1.png"));
  EXPECT_GT(single, 0.5);
  EXPECT_LT(stratified, 0.45 * single) << stratified << " against " << single;
}

TEST_F(Render, WritesRadianceHdrAndReportsTheRun) {
  RunResult r = run("render --width 16 --height 8 --spp 2 -o out.hdr");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(readFile(path("out.hdr")).rfind("#?RADIANCE", 0), 0u);
  EXPECT_NE(r.out.find("16x8"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("256 rays"), std::string::npos) << r.out;
}

// A dome master is square; outside its circle the camera sees nothing, so
// the PNG is transparent there and opaque inside.
TEST_F(Render, ADomeMasterIsTransparentOutsideItsCircle) {
  RunResult r =
      run("render --plugin '" SKYRIND_VR_PLUGIN_PATH "' --camera dome --width 64 -o dome.png");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("dome master"), std::string::npos) << r.err;
  int width = 0, height = 0, channels = 0;
  unsigned char *rgba = stbi_load(path("dome.png").c_str(), &width, &height, &channels, 4);
  ASSERT_NE(rgba, nullptr);
  EXPECT_EQ(channels, 4);
  ASSERT_EQ(width, 64);
  ASSERT_EQ(height, 64);
  const auto alpha = [&](int x, int y) { return rgba[4 * (y * width + x) + 3]; };
  EXPECT_EQ(alpha(0, 0), 0);
  EXPECT_EQ(alpha(63, 63), 0);
  EXPECT_EQ(alpha(32, 32), 255);
  EXPECT_EQ(alpha(32, 2), 255);  // inside the circle, near its top
  stbi_image_free(rgba);
}

}  // namespace
}  // namespace tooltest
