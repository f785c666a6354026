// Scene files: a saved scene reloads through the plug-in's load and renders
// the same picture.
#include "tool_run.h"

namespace tooltest {
namespace {

using SceneFile = ToolTest;

constexpr const char *kSettings =
    "--width 48 --height 24 --spp 2 --hfov 200 --vfov 100 --hshift 10 --vshift -5 "
    "--vertical-panorama --turn 30 --move 0.5,0,1 --fstop 0.2 --focal-distance 6";

TEST_F(SceneFile, ReloadedSceneRendersByteEqual) {
  RunResult saved = run(std::string("render ") + kSettings + " --save-scene s.json -o a.png");
  ASSERT_EQ(saved.status, 0) << saved.err;
  RunResult loaded = run("render --scene s.json -o b.png");
  ASSERT_EQ(loaded.status, 0) << loaded.err;
  EXPECT_EQ(readFile(path("b.png")), readFile(path("a.png")));
}

TEST_F(SceneFile, ReloadedSceneCarriesThePanelSettings) {
  ASSERT_EQ(run(std::string("render ") + kSettings + " --save-scene s.json -o a.png").status, 0);
  RunResult panel = run("panel --scene s.json");
  ASSERT_EQ(panel.status, 0) << panel.err;
  EXPECT_NE(panel.out.find("200 deg"), std::string::npos) << panel.out;
  EXPECT_NE(panel.out.find("-5 %"), std::string::npos) << panel.out;
  EXPECT_NE(panel.out.find("Vertical Panorama      iBoolean     on"), std::string::npos)
      << panel.out;
}

TEST_F(SceneFile, HoldsCameraKeysAndThePluginBlock) {
  ASSERT_EQ(run(std::string("render ") + kSettings + " --save-scene s.json -o a.png").status, 0);
  std::string json = readFile(path("s.json"));
  EXPECT_NE(json.find("\"heading\""), std::string::npos);
  EXPECT_NE(json.find("\"plugin_data\""), std::string::npos);
  EXPECT_NE(json.find("\"encoding\": \"text\""), std::string::npos);
  // Two keys on the heading: the exposure's start and end.
  auto heading = json.find("\"heading\"");
  EXPECT_NE(json.find("\"time\": 0.041666666666666664", heading), std::string::npos) << json;
}

}  // namespace
}  // namespace tooltest
