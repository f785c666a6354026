// The camera session over the built plug-in: what it sets up, and each step
// the plug-in refuses as one SessionError line naming the module.
#include <gtest/gtest.h>

#include <string>

#include "panel/control_ids.h"
#include "refhost/bindings/camera_session.h"

namespace refhost {
namespace {

class Session : public testing::Test {
 protected:
  // Runs the step and returns what() of the SessionError it throws.
  template <class Step>
  std::string failure(Step &&step) {
    try {
      step();
    } catch (const SessionError &e) {
      EXPECT_EQ(std::string(e.what()).find('\n'), std::string::npos) << e.what();
      EXPECT_EQ(std::string(e.what()), session.module().path() + ": " + e.reason());
      return e.reason();
    }
    ADD_FAILURE() << "no SessionError";
    return "";
  }

  CameraSession session{SKYRIND_PLUGIN_PATH};
};

TEST_F(Session, SetsUpTheCameraItsInstanceAndThePanelTheInterfaceBuilt) {
  EXPECT_EQ(Host::current(), &session.host());
  EXPECT_EQ(session.camera().name(), "Camera");
  ASSERT_NE(session.instance(), nullptr);
  EXPECT_EQ(session.interface().record().inst, session.instance());
  EXPECT_EQ(session.panel().instance(), session.instance());
  // Each parameter's channel is the one the panel's get names.
  const std::pair<uint32_t, const char *> parameters[] = {{skyrind::kHorizontalFov, "HFOV"},
                                                          {skyrind::kVerticalFov, "VFOV"},
                                                          {skyrind::kHorizontalShift, "HShift"},
                                                          {skyrind::kVerticalShift, "VShift"}};
  for (const auto &[id, name] : parameters)
    EXPECT_EQ(session.panel().getter()(session.instance(), id),
              ChannelStore::handleOf(session.channel(name)))
        << name;
}

TEST_F(Session, EditsSavesAndLoadsAsTheHostDoes) {
  session.edit(skyrind::kVerticalPanorama, 1);
  session.edit(skyrind::kHorizontalFov, 1.5);
  EXPECT_EQ(session.panel().read(skyrind::kVerticalPanorama), 1.0);
  EXPECT_EQ(session.channel("HFOV").valueAt(0), 1.5);
  const std::string saved = session.savePluginData();
  session.edit(skyrind::kVerticalPanorama, 0);
  session.edit(skyrind::kHorizontalFov, 0.5);
  session.loadPluginData(saved);
  EXPECT_EQ(session.panel().read(skyrind::kVerticalPanorama), 1.0);
  EXPECT_EQ(session.savePluginData(), saved);
}

TEST_F(Session, FramesGiveRaysAndThePreviewAMatrix) {
  session.newFrame({1, 0.5, 0.04, 25.0, 1}, 0.036, 0.024);
  EXPECT_EQ(session.host().time(), 0.5);
  const CameraRay ray = session.ray(0, 0);
  EXPECT_EQ(ray.direction[2], 1.0);  // the camera looks along +z
  const std::array<double, 16> matrix = session.preview(0.25, 0.036, 0.024);
  EXPECT_EQ(session.host().time(), 0.25);
  EXPECT_EQ(matrix[11], -1.0);
}

TEST_F(Session, EachRefusedStepIsOneLineNamingTheModule) {
  EXPECT_EQ(failure([&] { session.ray(0, 0); }), "evaluate gave no ray");
  EXPECT_EQ(failure([&] { session.channel("Roll"); }), "no channel Roll");
  EXPECT_THROW(session.edit(0x8010, 1), PanelError);  // no such control on the panel

  Faults &faults = session.host().faults();
  faults.failChannelSave("VFOV", "Disk full");
  EXPECT_EQ(failure([&] { session.save(); }), "save failed: Disk full");
  faults.clear();
  const StateBlock block = session.save();
  faults.failChannelLoad("HFOV", "Bad channel");
  EXPECT_EQ(failure([&] { session.load(block); }), "the plug-in refused its data: Bad channel");
  faults.clear();

  faults.hideService(refhost::Service::CameraInfo);
  EXPECT_EQ(failure([&] { session.preview(0, 0.036, 0.024); }),
            "the preview callback gave no matrix");
  const std::string frame = failure([&] { session.newFrame({1, 0, 0.04, 25, 1}, 0.036, 0.024); });
  EXPECT_EQ(frame.rfind("new frame failed: ", 0), 0u) << frame;
}

TEST_F(Session, AModuleThatIsNoPlugInIsALoadError) {
  EXPECT_THROW(CameraSession{REFHOST_FIXTURE_NO_DESCRIPTOR}, LoadError);
}

}  // namespace
}  // namespace refhost
