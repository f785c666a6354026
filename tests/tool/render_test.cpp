// Renders of the default scene: landmarks where the camera's settings say.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>

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

// Writes a small red ball (a UV sphere of `radius` metres around `centre`)
// as an OBJ with its material.
void writeBall(const fs::path &folder, double cx, double cy, double cz, double radius) {
  std::ofstream((folder / "ball.mtl").string()) << "newmtl red\nKd 1 0 0\n";
  std::ofstream obj((folder / "ball.obj").string());
  obj << "mtllib ball.mtl\nusemtl red\n";
  constexpr int kAround = 64, kDown = 32;
  for (int i = 0; i <= kDown; ++i) {
    const double theta = std::numbers::pi * i / kDown;
    for (int j = 0; j < kAround; ++j) {
      const double phi = 2 * std::numbers::pi * j / kAround;
      obj << "v " << cx + radius * std::sin(theta) * std::cos(phi) << ' '
          << cy + radius * std::cos(theta) << ' ' << cz + radius * std::sin(theta) * std::sin(phi)
          << '\n';
    }
  }
  for (int i = 0; i < kDown; ++i) {
    for (int j = 0; j < kAround; ++j) {
      const int a = i * kAround + j + 1, b = i * kAround + (j + 1) % kAround + 1;
      obj << "f " << a << ' ' << b << ' ' << b + kAround << "\nf " << a << ' ' << b + kAround << ' '
          << a + kAround << '\n';
    }
  }
}

// The longitude (radians, 0 ahead, positive right) of the red ball's middle
// on the horizon rows of one eye of an over-under render: the mean column
// of its red pixels, weighted by how red each is.
double ballLongitude(const Picture &p, int eyeTop) {
  const int eyeHeight = p.height / 2;
  double weighted = 0, total = 0;
  for (int y = eyeTop + eyeHeight / 2 - 1; y <= eyeTop + eyeHeight / 2; ++y) {
    for (int x = 0; x < p.width; ++x) {
      const std::array<int, 3> c = p.at(x, y);
      const double redness = std::max(0, c[0] - std::max(c[1], c[2]));
      weighted += redness * (x + 0.5);
      total += redness;
    }
  }
  return (weighted / total / p.width - 0.5) * 2 * std::numbers::pi;
}

// A point at range rho straight ahead is seen by eyes b apart at longitudes
// ±asin(b / (2 rho)): the disparity read off the two eyes of a render is
// 2 asin(b / (2 rho)), to within a pixel.
TEST_F(Render, StereoDisparityOfABallAtAKnownRange) {
  constexpr double kSeparation = 1.0, kRange = 2.0;
  writeBall(path(""), 0, 1.6, kRange, 0.05);  // the camera stands at 1.6 m
  RunResult r = run("render --plugin '" SKYRIND_VR_PLUGIN_PATH
                    "' --camera stereo360 --eye-separation 1 --mesh ball.obj --width 1024 "
                    "-o ball.png");
  ASSERT_EQ(r.status, 0) << r.err;
  const Picture p = picture("ball.png");
  ASSERT_EQ(p.height, 1024);
  const double left = ballLongitude(p, 0), right = ballLongitude(p, p.height / 2);
  const double pixel = 2 * std::numbers::pi / p.width;
  EXPECT_NEAR(left - right, 2 * std::asin(kSeparation / (2 * kRange)), pixel)
      << "left eye " << left << ", right eye " << right;
}

}  // namespace
}  // namespace tooltest
