// The parameter panel: its tables word by word, and get/set as the host's
// panel service calls them.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "module_fixture.h"

namespace skyrind_test {
namespace {

struct Row {
  uint32_t id;
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

// Switch ids, and the animated controls' ids with their channels.
const uint32_t kSwitches[] = {0x8003, 0x8004, 0x8005, 0x8006, 0x8007};
struct Animated {
  uint32_t id;
  const char *channel;
};
const Animated kAnimated[] = {
    {0x8001, "HFOV"}, {0x8002, "VFOV"}, {0x8008, "HShift"}, {0x8009, "VShift"}};

const uint32_t kUnknownIds[] = {0, 1, 0x8000, 0x800A, 0x800B, 0x800C, 0x18001};

class PanelTest : public HandlerWithInstance {
 protected:
  // The session built the panel; its tables are read from the calls that did.
  void SetUp() override {
    panel = &session.panel();
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
  int32_t switchValue(uint32_t id) { return *static_cast<const int32_t *>(get(instance, id)); }

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

  // Words 17, 20 and 22 are addresses: the title text, the change-notify
  // hook and the destroy-notify hook.
  constexpr std::size_t kTitle = 17, kChangeHook = 20, kDestroyHook = 22;
  ASSERT_EQ(words.size(), 51u);
  EXPECT_STREQ(reinterpret_cast<const char *>(words[kTitle]), "Skyrind");
  EXPECT_NE(words[kChangeHook], 0);
  EXPECT_NE(words[kDestroyHook], 0);

  const XPanelHint title = words[kTitle], hook = words[kChangeHook],
                   destroyHook = words[kDestroyHook];
  // clang-format off
  const std::vector<XPanelHint> expected = {
      0x3D01FE81, 0x800A, 0x8001, 0x8003, 0x8006, 0x8002, 0x8004, 0x8007, 0x8005, 0,
      0x3D01FE81, 0x800B, 0x8008, 0x8009, 0,
      0x3D000B03, 0,      title,  0,
      0x3D000F01, hook,
      0x3D001302, destroyHook, 0,
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

  // The hooks have the host's types: change notify takes the panel, the
  // control and value ids and the event and asks for no refresh; destroy
  // notify takes the panel's data. Neither calls the host or changes the
  // camera.
  const Observed before = observe();
  host.log().clear();
  EXPECT_EQ(reinterpret_cast<XPanelChangeNotify>(hook)(panel, 0x8001, 0x8001, 2), 0);
  EXPECT_EQ(reinterpret_cast<XPanelChangeNotify>(hook)(panel, 0x8005, 0x8005, 9), 0);
  reinterpret_cast<XPanelDestroyNotify>(destroyHook)(instance);
  EXPECT_EQ(host.log().size(), 0u);
  EXPECT_TRUE(observe() == before);
}

// The host passes 32-bit ids and leaves the upper half of their register as
// it was (the reference host leaves it dirty on 64-bit Linux and macOS), and
// it calls the change-notify hook after every handled edit.
TEST_F(PanelTest, IdsAre32BitAndAnEditNotifiesTheChange) {
  ASSERT_EQ(session.panel().lastChangeNotify(), -1);
  session.edit(0x8005, 1);
  EXPECT_EQ(session.panel().read(0x8005), 1.0);
  EXPECT_EQ(session.panel().lastChangeNotify(), 0);
  session.edit(0x8001, 1.25);
  EXPECT_EQ(session.panel().read(0x8001), 1.25);
}

TEST_F(PanelTest, GetGivesParameterHandlesFlagAddressesAndNullOtherwise) {
  for (const Animated &control : kAnimated)
    EXPECT_EQ(get(instance, control.id), parameter(control.channel)) << control.id;
  // Each switch has its own flag, which set writes and get keeps pointing at.
  std::vector<const void *> flags;
  int32_t value = 40;
  for (uint32_t id : kSwitches) {
    const void *flag = get(instance, id);
    ASSERT_NE(flag, nullptr) << id;
    EXPECT_EQ(std::count(flags.begin(), flags.end(), flag), 0) << id;
    flags.push_back(flag);
    ASSERT_EQ(set(instance, id, &++value), 1);
    EXPECT_EQ(get(instance, id), flag) << id;
    EXPECT_EQ(*static_cast<const int32_t *>(flag), value) << id;
  }
  host.log().clear();
  for (uint32_t id : kUnknownIds) EXPECT_EQ(get(instance, id), nullptr) << id;
  for (uint32_t id : kSwitches) get(instance, id);
  EXPECT_EQ(host.log().size(), 0u);
}

TEST_F(PanelTest, SetStoresTheGivenValueAndUpdatesOncePerCall) {
  double value = 0.1;
  for (const Animated &control : kAnimated) {
    value += 0.25;
    EXPECT_EQ(set(instance, control.id, &value), 1);
  }
  int32_t flag = 0;
  for (uint32_t id : kSwitches) {
    flag += 2;  // non-zero values other than 1 are kept as they are
    EXPECT_EQ(set(instance, id, &flag), 1);
    EXPECT_EQ(switchValue(id), flag) << id;
  }
  // Set writes the field alone (no parameter call) and updates once per call.
  const std::vector<refhost::Call> calls = host.log().calls();
  ASSERT_EQ(calls.size(), std::size(kAnimated) + std::size(kSwitches));
  for (const refhost::Call &call : calls) {
    EXPECT_EQ(call.name(), "Instance Update.update");
    EXPECT_EQ(call.args[0], "CameraHandler");
    EXPECT_EQ(call.pointers.at(0), instance);
  }
  // The saved block holds the values set (as floats) and the flags as get
  // shows them; the channels keep their values.
  const SavedState saved = savedState();
  value = 0.1;
  for (std::size_t i = 0; i < std::size(kAnimated); ++i) {
    value += 0.25;
    EXPECT_EQ(saved.values[i], static_cast<float>(value)) << kAnimated[i].id;
    EXPECT_NE(channel(kAnimated[i].channel).valueAt(0), value) << kAnimated[i].id;
  }
  for (std::size_t i = 0; i < std::size(kSwitches); ++i)
    EXPECT_EQ(saved.flags[i], switchValue(kSwitches[i])) << kSwitches[i];
}

TEST_F(PanelTest, SettingTheSameValueAgainStillUpdates) {
  int32_t on = 1;
  EXPECT_EQ(set(instance, 0x8005, &on), 1);
  EXPECT_EQ(set(instance, 0x8005, &on), 1);
  double angle = channel("HFOV").valueAt(0);
  EXPECT_EQ(set(instance, 0x8001, &angle), 1);
  EXPECT_EQ(updateCount(), 3u);
}

TEST_F(PanelTest, AnUnknownIdChangesNothingAndTriggersNoUpdate) {
  const Observed before = observe();
  host.log().clear();
  double value = 1.5;
  for (uint32_t id : kUnknownIds) EXPECT_EQ(set(instance, id, &value), 0) << id;
  EXPECT_EQ(host.log().size(), 0u);
  EXPECT_TRUE(observe() == before);
}

TEST_F(PanelTest, AutomaticFieldsOfViewExcludeEachOther) {
  int32_t on = 1, off = 0, other = 3;
  ASSERT_EQ(set(instance, 0x8006, &on), 1);
  EXPECT_EQ(switchValue(0x8006), 1);
  ASSERT_EQ(set(instance, 0x8007, &on), 1);
  EXPECT_EQ(switchValue(0x8007), 1);
  EXPECT_EQ(switchValue(0x8006), 0);
  ASSERT_EQ(set(instance, 0x8006, &other), 1);
  EXPECT_EQ(switchValue(0x8006), 3);
  EXPECT_EQ(switchValue(0x8007), 0);

  // Clearing one leaves the other as it is.
  ASSERT_EQ(set(instance, 0x8007, &off), 1);
  EXPECT_EQ(switchValue(0x8006), 3);
  ASSERT_EQ(set(instance, 0x8007, &on), 1);
  ASSERT_EQ(set(instance, 0x8006, &off), 1);
  EXPECT_EQ(switchValue(0x8007), 1);
  EXPECT_EQ(switchValue(0x8006), 0);
  EXPECT_EQ(updateCount(), 6u);
}

TEST_F(PanelTest, AnEnvelopeEditThroughTheHostSurvivesTheNextNewFrame) {
  EXPECT_EQ(panel->edit(0x8001, 1.25), 1);
  EXPECT_EQ(panel->edit(0x8009, -0.125), 1);
  EXPECT_EQ(panel->edit(0x8004, 1), 1);
  EXPECT_EQ(updateCount(), 3u);
  EXPECT_EQ(savedState().values[0], 1.25f);

  const FrameInfo frame{1, 0.0, 0.04, 25.0, 1};
  ASSERT_EQ(handler.newFrame(instance, frame, refhost::cameraAccess(camera.handle(), 0.036, 0.024)),
            std::nullopt);
  const SavedState saved = savedState();
  EXPECT_EQ(saved.values[0], 1.25f);
  EXPECT_EQ(saved.values[3], -0.125f);
  EXPECT_EQ(saved.flags[1], 1);
  EXPECT_EQ(panel->read(0x8001), 1.25);
  EXPECT_EQ(panel->read(0x8004), 1.0);
}

}  // namespace
}  // namespace skyrind_test
