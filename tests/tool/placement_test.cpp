// The panorama placement the viewer and the photo-sphere metadata rely on,
// against the plug-in's own rays: a film position's ray, through the loaded
// plug-in's evaluate, lands back on the same image position.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "panorama/placement.h"
#include "refhost/bindings/camera_session.h"
#include "session/panel_settings.h"
#include "session/shot.h"

namespace tooltest {
namespace {

using namespace skyhost;

struct Placed {
  const char *name;
  PanelSettings panel;
  double filmWidth, filmHeight;  // film units
};

void PrintTo(const Placed &placed, std::ostream *out) {
  *out << placed.name;
}

PanelSettings settings(double hFov, double vFov, double hShift = 0, double vShift = 0) {
  PanelSettings p;
  p.hFovDegrees = hFov, p.vFovDegrees = vFov;
  p.hShiftPercent = hShift, p.vShiftPercent = vShift;
  return p;
}
PanelSettings autoVertical(double hFov) {
  PanelSettings p = settings(hFov, 180);
  p.autoVFov = true;
  return p;
}
PanelSettings vertical(PanelSettings p) {
  p.verticalPanorama = true;
  return p;
}

class PanoramaPlacementRoundTrip : public ::testing::TestWithParam<Placed> {};

TEST_P(PanoramaPlacementRoundTrip, PluginsRayOfAFilmPositionLandsBackOnIt) {
  const Placed &c = GetParam();
  refhost::CameraSession session(SKYRIND_PLUGIN_PATH, refhost::CallLogging::Off);
  applyPanelSettings(session.panel(), c.panel, SKYRIND_PLUGIN_PATH);
  Shot shot;
  session.newFrame(shot.frameInfo(), c.filmWidth, c.filmHeight);
  // Placed by the settings as the panel holds them, as render --view does.
  PanoramaPlacement placement =
      placementOf(readPanelSettings(session.panel()), c.filmHeight / c.filmWidth, c.name);

  constexpr int kSteps = 9;
  for (int i = 0; i < kSteps; ++i) {
    for (int j = 0; j < kSteps; ++j) {
      ImagePoint film{(i + 0.5) / kSteps, (j + 0.25) / kSteps};
      CameraRay ray{};
      ASSERT_EQ(session.evaluate((film.x - 0.5) * c.filmWidth, (0.5 - film.y) * c.filmHeight, 0, 0,
                                 0, ray),
                1);
      Vec3 direction = Vec3::from(ray.direction);
      SCOPED_TRACE(::testing::Message() << "image point " << film.x << ", " << film.y);

      std::optional<ImagePoint> back = imagePointOf(placement, direction);
      ASSERT_TRUE(back.has_value());
      EXPECT_NEAR(back->x, film.x, 1e-12);
      EXPECT_NEAR(back->y, film.y, 1e-12);

      Vec3 shown = directionAt(placement, film);
      Vec3 unit = normalized(direction);
      EXPECT_NEAR(shown.x, unit.x, 1e-12);
      EXPECT_NEAR(shown.y, unit.y, 1e-12);
      EXPECT_NEAR(shown.z, unit.z, 1e-12);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, PanoramaPlacementRoundTrip,
    ::testing::Values(Placed{"FullSphere", settings(360, 180), 0.036, 0.018},
                      Placed{"Partial", settings(200, 100), 0.036, 0.018},
                      Placed{"Shifted", settings(240, 120, 10, -5), 0.036, 0.024},
                      Placed{"AutoVerticalFov", autoVertical(270), 0.036, 0.012},
                      Placed{"VerticalPanorama", vertical(settings(150, 300, 5, 8)), 0.036, 0.072},
                      Placed{"FullSphereVerticalPanorama", vertical(settings(180, 360)), 0.018,
                             0.036}),
    [](const ::testing::TestParamInfo<Placed> &info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tooltest
