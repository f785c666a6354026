// The parameter panel: its tables word by word, and get/set as the host's
// panel service calls them.
#include <bit>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "module_fixture.h"

namespace skyrind_test {
namespace {

struct Row {
  unsigned long id;
  const char *label;
  const char *type;
};

const Row kControls[] = {
    {0x8001, "Horizontal FOV", "angle-env"},     {0x8003, "Perspective", "iBoolean"},
    {0x8006, "Auto Horizontal FOV", "iBoolean"}, {0x8002, "Vertical FOV", "angle-env"},
    {0x8004, "Perspective", "iBoolean"},         {0x8007, "Auto Vertical FOV", "iBoolean"},
    {0x8005, "Vertical Panorama", "iBoolean"},   {0x8008, "Horizontal Shift", "percent-env"},
    {0x8009, "Vertical Shift", "percent-env"},
};

const char *dataTypeOf(const char *controlType) {
  return std::string(controlType) == "iBoolean" ? "integer" : controlType;
}

// Switch ids and the instance flags they edit.
using skyrind::Switches;
const std::pair<unsigned long, int32_t Switches::*> kSwitches[] = {
    {0x8003, &Switches::hPerspective},     {0x8004, &Switches::vPerspective},
    {0x8005, &Switches::verticalPanorama}, {0x8006, &Switches::autoHFov},
    {0x8007, &Switches::autoVFov},
};

// Animated control ids, their static value field and their parameter handle.
struct Animated {
  unsigned long id;
  double skyrind::CameraSettings::*value;
  skyrind::HostParameter *skyrind::ParameterHandles::*parameter;
};
const Animated kAnimated[] = {
    {0x8001, &skyrind::CameraSettings::hFov, &skyrind::ParameterHandles::hFov},
    {0x8002, &skyrind::CameraSettings::vFov, &skyrind::ParameterHandles::vFov},
    {0x8008, &skyrind::CameraSettings::hShift, &skyrind::ParameterHandles::hShift},
    {0x8009, &skyrind::CameraSettings::vShift, &skyrind::ParameterHandles::vShift},
};

const unsigned long kUnknownIds[] = {0, 1, 0x8000, 0x800A, 0x800B, 0x800C, 0x18001};

class PanelTest : public HandlerWithInstance {
 protected:
  void SetUp() override {
    HandlerWithInstance::SetUp();
    ui = std::make_unique<refhost::CameraInterfaceBinding>(module, host, instance);
    ASSERT_TRUE(ui->ok());
    panel = ui->panel();
    ASSERT_NE(panel, nullptr);
    for (const refhost::Call &call : host.log().callsOf(XPANEL_FUNCS_NAME)) {
      if (call.op == "create") controls = static_cast<const XPanelControl *>(call.pointers[0]);
      if (call.op == "describe") data = static_cast<const XPanelDataDesc *>(call.pointers[1]);
    }
    get = panel->getter();
    set = panel->setter();
    ASSERT_TRUE(controls && data && get && set);
    host.log().clear();
  }

  std::size_t updateCount() { return host.log().callsOf(INSTANCE_UPDATE_NAME).size(); }

  std::unique_ptr<refhost::CameraInterfaceBinding> ui;
  refhost::Panel *panel = nullptr;
  const XPanelControl *controls = nullptr;
  const XPanelDataDesc *data = nullptr;
  XPanelGet get = nullptr;
  XPanelSet set = nullptr;
};

TEST_F(PanelTest, ControlTableRowByRowThenAZeroRow) {
  ASSERT_EQ(panel->controls().size(), std::size(kControls));
  for (std::size_t i = 0; i < std::size(kControls); ++i) {
    EXPECT_EQ(controls[i].id, kControls[i].id) << i;
    EXPECT_STREQ(controls[i].label, kControls[i].label) << i;
    EXPECT_STREQ(controls[i].type, kControls[i].type) << i;
  }
  const XPanelControl &end = controls[std::size(kControls)];
  EXPECT_EQ(end.id, 0u);
  EXPECT_EQ(end.label, nullptr);
  EXPECT_EQ(end.type, nullptr);
}

TEST_F(PanelTest, DataDescriptionsListTheSameIdsWithEmptyNames) {
  ASSERT_EQ(panel->dataDescriptions().size(), std::size(kControls));
  for (std::size_t i = 0; i < std::size(kControls); ++i) {
    EXPECT_EQ(data[i].id, kControls[i].id) << i;
    ASSERT_NE(data[i].name, nullptr) << i;
    EXPECT_STREQ(data[i].name, "") << i;
    EXPECT_STREQ(data[i].type, dataTypeOf(kControls[i].type)) << i;
  }
  const XPanelDataDesc &end = data[std::size(kControls)];
  EXPECT_EQ(end.id, 0u);
  EXPECT_EQ(end.name, nullptr);
  EXPECT_EQ(end.type, nullptr);
}

TEST_F(PanelTest, HintListWordForWord) {
  ASSERT_EQ(panel->hintLists().size(), 1u);
  const refhost::HintList &list = panel->hintLists()[0];
  EXPECT_EQ(list.id, 0u);
  ASSERT_FALSE(list.truncated);
  const std::vector<XPanelHint> &words = list.raw;

  // Words 17, 20 and 22 are addresses: the title text and the hook, twice.
  constexpr std::size_t kTitle = 17, kHook = 20, kHookAgain = 22;
  ASSERT_EQ(words.size(), 51u);
  EXPECT_STREQ(reinterpret_cast<const char *>(words[kTitle]), "Skyrind");
  EXPECT_NE(words[kHook], 0);
  EXPECT_EQ(words[kHookAgain], words[kHook]);

  const XPanelHint title = words[kTitle], hook = words[kHook];
  // clang-format off
  const std::vector<XPanelHint> expected = {
      0x3D01FE81, 0x800A, 0x8001, 0x8003, 0x8006, 0x8002, 0x8004, 0x8007, 0x8005, 0,
      0x3D01FE81, 0x800B, 0x8008, 0x8009, 0,
      0x3D000B03, 0,      title,  0,
      0x3D000F01, hook,
      0x3D001302, hook,   0,
      0x3D014002, 0x8001, 0,
      0x3D014202, 0x8001, 1,
      0x3D014002, 0x8002, 0,
      0x3D014202, 0x8002, 1,
      0x3D014002, 0x8008, -1000,
      0x3D014102, 0x8008, 1000,
      0x3D014002, 0x8009, -1000,
      0x3D014102, 0x8009, 1000,
      0x3D001201, -1,
      0};
  // clang-format on
  EXPECT_EQ(words, expected);
  EXPECT_EQ(std::bit_cast<uint64_t>(words[38]), 0xFFFFFFFFFFFFFC18u);
  EXPECT_EQ(std::bit_cast<uint64_t>(words[44]), 0xFFFFFFFFFFFFFC18u);
  EXPECT_EQ(panel->title(), "Skyrind");

  // The notification hook can be called and does nothing.
  const InstanceBytes before(instance);
  reinterpret_cast<XPanelHook>(hook)();
  EXPECT_EQ(host.log().size(), 0u);
  EXPECT_TRUE(InstanceBytes(instance) == before);
}

TEST_F(PanelTest, GetGivesParameterHandlesFlagAddressesAndNullOtherwise) {
  for (const Animated &control : kAnimated) {
    EXPECT_NE(fields().parameters.*control.parameter, nullptr);
    EXPECT_EQ(get(instance, control.id), fields().parameters.*control.parameter) << control.id;
  }
  for (const auto &[id, flag] : kSwitches)
    EXPECT_EQ(get(instance, id), &(fields().settings.switches.*flag)) << id;
  for (unsigned long id : kUnknownIds) EXPECT_EQ(get(instance, id), nullptr) << id;
  EXPECT_EQ(host.log().size(), 0u);
}

TEST_F(PanelTest, SetStoresTheGivenValueAndUpdatesOncePerCall) {
  double value = 0.1;
  for (const Animated &control : kAnimated) {
    value += 0.25;
    EXPECT_EQ(set(instance, control.id, &value), 1);
    EXPECT_EQ(fields().settings.*control.value, value) << control.id;
  }
  int32_t flag = 0;
  for (const auto &[id, field] : kSwitches) {
    flag += 2;  // non-zero values other than 1 are kept as they are
    EXPECT_EQ(set(instance, id, &flag), 1);
    EXPECT_EQ(fields().settings.switches.*field, flag) << id;
  }
  // Set writes the field alone (no parameter call) and updates once per call.
  const std::vector<refhost::Call> calls = host.log().calls();
  ASSERT_EQ(calls.size(), std::size(kAnimated) + std::size(kSwitches));
  for (const refhost::Call &call : calls) {
    EXPECT_EQ(call.name(), "Instance Update.update");
    EXPECT_EQ(call.args[0], "CameraHandler");
    EXPECT_EQ(call.pointers.at(0), instance);
  }
}

TEST_F(PanelTest, SettingTheSameValueAgainStillUpdates) {
  int32_t on = 1;
  EXPECT_EQ(set(instance, 0x8005, &on), 1);
  EXPECT_EQ(set(instance, 0x8005, &on), 1);
  double angle = fields().settings.hFov;
  EXPECT_EQ(set(instance, 0x8001, &angle), 1);
  EXPECT_EQ(updateCount(), 3u);
}

TEST_F(PanelTest, AnUnknownIdChangesNothingAndTriggersNoUpdate) {
  const InstanceBytes before(instance);
  double value = 1.5;
  for (unsigned long id : kUnknownIds) EXPECT_EQ(set(instance, id, &value), 0) << id;
  EXPECT_TRUE(InstanceBytes(instance) == before);
  EXPECT_EQ(host.log().size(), 0u);
}

TEST_F(PanelTest, AutomaticFieldsOfViewExcludeEachOther) {
  int32_t on = 1, off = 0, other = 3;
  ASSERT_EQ(set(instance, 0x8006, &on), 1);
  EXPECT_EQ(fields().settings.switches.autoHFov, 1);
  ASSERT_EQ(set(instance, 0x8007, &on), 1);
  EXPECT_EQ(fields().settings.switches.autoVFov, 1);
  EXPECT_EQ(fields().settings.switches.autoHFov, 0);
  ASSERT_EQ(set(instance, 0x8006, &other), 1);
  EXPECT_EQ(fields().settings.switches.autoHFov, 3);
  EXPECT_EQ(fields().settings.switches.autoVFov, 0);

  // Clearing one leaves the other as it is.
  ASSERT_EQ(set(instance, 0x8007, &off), 1);
  EXPECT_EQ(fields().settings.switches.autoHFov, 3);
  ASSERT_EQ(set(instance, 0x8007, &on), 1);
  ASSERT_EQ(set(instance, 0x8006, &off), 1);
  EXPECT_EQ(fields().settings.switches.autoVFov, 1);
  EXPECT_EQ(fields().settings.switches.autoHFov, 0);
  EXPECT_EQ(updateCount(), 6u);
}

TEST_F(PanelTest, AnEnvelopeEditThroughTheHostSurvivesTheNextNewFrame) {
  EXPECT_EQ(panel->edit(0x8001, 1.25), 1);
  EXPECT_EQ(panel->edit(0x8009, -0.125), 1);
  EXPECT_EQ(panel->edit(0x8004, 1), 1);
  EXPECT_EQ(fields().settings.hFov, 1.25);
  EXPECT_EQ(updateCount(), 3u);

  const FrameInfo frame{1, 0.0, 0.04, 25.0, 1};
  ASSERT_EQ(handler.newFrame(instance, frame, refhost::cameraAccess(camera.handle(), 0.036, 0.024)),
            std::nullopt);
  EXPECT_EQ(fields().settings.hFov, 1.25);
  EXPECT_EQ(fields().settings.vShift, -0.125);
  EXPECT_EQ(fields().settings.switches.vPerspective, 1);
  EXPECT_EQ(panel->read(0x8001), 1.25);
  EXPECT_EQ(panel->read(0x8004), 1.0);
}

}  // namespace
}  // namespace skyrind_test
