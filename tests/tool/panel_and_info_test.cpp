// The panel and info printouts.
#include "tool_run.h"

namespace tooltest {
namespace {

using Printout = ToolTest;

bool has(const std::string &text, const std::string &part) {
  return text.find(part) != std::string::npos;
}

TEST_F(Printout, PanelShowsGroupsControlsAndDefaults) {
  RunResult r = run("panel");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(has(r.out, "Panel \"Skyrind\"")) << r.out;
  EXPECT_TRUE(has(r.out, "Group 1 (0x800a)")) << r.out;
  EXPECT_TRUE(has(r.out, "Group 2 (0x800b)")) << r.out;
  EXPECT_TRUE(has(r.out, "Horizontal FOV         angle-env    360 deg")) << r.out;
  EXPECT_TRUE(has(r.out, "Vertical FOV           angle-env    180 deg")) << r.out;
  EXPECT_TRUE(has(r.out, "Auto Vertical FOV      iBoolean     off")) << r.out;
  EXPECT_TRUE(has(r.out, "Horizontal Shift       percent-env  0 %")) << r.out;
}

TEST_F(Printout, PanelShowsTheEditsMadeThroughIt) {
  RunResult r = run("panel --hfov 90 --h-perspective --auto-vfov --hshift 50 --vertical-panorama");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(has(r.out, "Horizontal FOV         angle-env    90 deg")) << r.out;
  EXPECT_TRUE(has(r.out, "Perspective            iBoolean     on")) << r.out;
  EXPECT_TRUE(has(r.out, "Auto Vertical FOV      iBoolean     on")) << r.out;
  EXPECT_TRUE(has(r.out, "Auto Horizontal FOV    iBoolean     off")) << r.out;
  EXPECT_TRUE(has(r.out, "Vertical Panorama      iBoolean     on")) << r.out;
  EXPECT_TRUE(has(r.out, "Horizontal Shift       percent-env  50 %")) << r.out;
}

TEST_F(Printout, InfoListsBothServersAndTheirTag) {
  RunResult r = run("info");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(has(r.out, "sync 0x04121994, system version 3, machine 0x500 (Linux)")) << r.out;
  EXPECT_TRUE(has(r.out, "Server \"Skyrind0.1.5\" class \"CameraHandler\"")) << r.out;
  EXPECT_TRUE(has(r.out, "Server \"Skyrind0.1.5\" class \"CameraInterface\"")) << r.out;
  // The user name reaches the host, and the versions of all three generations.
  EXPECT_TRUE(has(r.out, "tag 0x409 \"Skyrind 0.1.5\" (user name)")) << r.out;
  EXPECT_TRUE(has(r.out, "accepts version 2, 3, 4\n")) << r.out;
  EXPECT_TRUE(has(r.out, "accepts version 4, 5\n")) << r.out;
}

TEST_F(Printout, VersionNamesTheHostGenerationsPlayed) {
  RunResult r = run("--version");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(has(r.out, "skyrind-host 0.1.5")) << r.out;
  for (const char *generation : {"--host 9", "--host 2018", "--host 2023"})
    EXPECT_TRUE(has(r.out, generation)) << r.out;
}

}  // namespace
}  // namespace tooltest
