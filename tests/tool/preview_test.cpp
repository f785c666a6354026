// The preview: the scene's edges drawn with the plug-in's preview projection.
#include "landmark.h"
#include "tool_run.h"

namespace tooltest {
namespace {

class Preview : public ToolTest {
 protected:
  // Counts the pixels of a landmark's colour in a box around (cx, cy).
  int countNear(const Picture &p, int cx, int cy, int radius, const std::string &landmark) {
    int count = 0;
    for (int y = std::max(0, cy - radius); y <= std::min(p.height - 1, cy + radius); ++y)
      for (int x = std::max(0, cx - radius); x <= std::min(p.width - 1, cx + radius); ++x) {
        auto c = p.at(x, y);
        if (c[0] + c[1] + c[2] > 150 && landmarkOf(c) == landmark) ++count;
      }
    return count;
  }
  Picture preview(const std::string &options) {
    RunResult r = run("preview --width 128 --height 64 " + options + " -o p.png");
    EXPECT_EQ(r.status, 0) << r.err;
    return picture("p.png");
  }
};

TEST_F(Preview, DrawsTheLandmarkAheadAtTheCentre) {
  Picture p = preview("");
  EXPECT_GT(countNear(p, 64, 32, 6, "front red"), 4);
  EXPECT_EQ(countNear(p, 64, 32, 6, "right green"), 0);
}

TEST_F(Preview, FollowsTheCameraLikeTheRender) {
  EXPECT_GT(countNear(preview("--rotation 90,0,0"), 64, 32, 6, "right green"), 4);
  // A narrow perspective view ahead: the red box fills much of the frame.
  EXPECT_GT(countNear(preview("--h-perspective --v-perspective --hfov 60 --vfov 30"), 64, 32, 40,
                      "front red"),
            20);
}

}  // namespace
}  // namespace tooltest
