// "LWXPanel" as the plug-in calls it, and the host-side reads and edits.
#include <gtest/gtest.h>

#include <cstring>

#include "refhost/host.h"
#include "support/service_name.h"

using skyrind_test::serviceName;

namespace refhost {
namespace {

constexpr uint32_t kAngle = 0x8001, kSwitch = 0x8002, kGroup = 0x800A;

// A stand-in for a plug-in instance behind a panel.
struct Subject {
  void *parm = nullptr;
  double angle = 0;
  std::int32_t flag = 0;
  int sets = 0;
};

void *getField(void *instance, uint32_t id) {
  auto *s = static_cast<Subject *>(instance);
  if (id == kAngle) return s->parm;
  if (id == kSwitch) return &s->flag;
  return nullptr;
}

int setField(void *instance, uint32_t id, void *value) {
  auto *s = static_cast<Subject *>(instance);
  ++s->sets;
  if (id == kAngle) s->angle = *static_cast<double *>(value);
  if (id == kSwitch) s->flag = *static_cast<std::int32_t *>(value);
  return id == kAngle || id == kSwitch ? 1 : 0;
}

class PanelService : public testing::Test {
 protected:
  void SetUp() override {
    panels =
        static_cast<XPanelFuncs *>(Host::globalLookup()(serviceName(refhost::Service::Panel), 0));
    std::strcpy(angleLabel, "Angle");
    const XPanelControl controls[] = {
        {kAngle, angleLabel, "angle-env"}, {kSwitch, "Switch", "iBoolean"}, {0, nullptr, nullptr}};
    handle = panels->create(XPANEL_VIEW, controls);
    std::strcpy(angleLabel, "Changed");  // the panel keeps its own copy
    const XPanelDataDesc data[] = {
        {kAngle, "", "angle-env"}, {kSwitch, "", "integer"}, {0, nullptr, nullptr}};
    const XPanelHint hints[] = {
        0x3D01FE81, kGroup, kSwitch, 0, 0x3D000B03, 0, reinterpret_cast<XPanelHint>("Title"), 0, 0};
    panels->describe(handle, data, getField, setField);
    panels->hint(handle, 0, hints);
    panels->viewInst(handle, &subject);
    panels->setData(handle, 0, &subject);
    channel = &host.channels().create(VPARM_ANGLE);
    subject.parm = ChannelStore::handleOf(*channel);
    panel = host.panels().find(handle);
    ASSERT_NE(panel, nullptr);
  }

  Host host;
  Host::Installation installed = host.install();
  XPanelFuncs *panels = nullptr;
  char angleLabel[16];
  void *handle = nullptr;
  Subject subject;
  Channel *channel = nullptr;
  Panel *panel = nullptr;
};

TEST_F(PanelService, KeepsCopiesOfTheTablesUpToTheirZeroRows) {
  EXPECT_EQ(panel->type(), XPANEL_VIEW);
  ASSERT_EQ(panel->controls().size(), 2u);
  EXPECT_EQ(panel->controls()[0].label, "Angle");
  EXPECT_EQ(panel->controls()[1].type, "iBoolean");
  ASSERT_EQ(panel->dataDescriptions().size(), 2u);
  EXPECT_EQ(panel->dataDescriptions()[0].name, "");
  EXPECT_FALSE(panel->dataDescriptions()[0].nullName);
  EXPECT_EQ(panel->dataDescriptions()[1].type, "integer");
  EXPECT_EQ(panel->getter(), getField);
  EXPECT_EQ(panel->setter(), setField);
  EXPECT_EQ(panel->instance(), &subject);
  EXPECT_EQ(panel->data(0), &subject);
  ASSERT_EQ(panel->hintLists().size(), 1u);
  EXPECT_EQ(panel->hintLists()[0].hints.size(), 2u);
}

TEST_F(PanelService, ListsControlsWithTheirGroupsAndTitle) {
  auto rows = panel->listing();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].group, 0u);
  EXPECT_EQ(rows[1].id, kSwitch);
  EXPECT_EQ(rows[1].label, "Switch");
  EXPECT_EQ(rows[1].group, kGroup);
  EXPECT_EQ(panel->title(), "Title");
}

TEST_F(PanelService, ReadsAnEnvelopeControlThroughItsChannelAtTheCurrentTime) {
  channel->curve().setKey(0, 1);
  channel->curve().setKey(2, 3);
  host.setTime(1);
  EXPECT_EQ(panel->read(kAngle), 2.0);
  subject.flag = 5;
  EXPECT_EQ(panel->read(kSwitch), 5.0);
  subject.parm = nullptr;
  EXPECT_EQ(panel->read(kAngle), std::nullopt);
}

TEST_F(PanelService, EditsAStaticEnvelopeByItsValueThenCallsSet) {
  EXPECT_EQ(panel->edit(kAngle, 0.5), 1);
  EXPECT_EQ(channel->curve().staticValue(), 0.5);
  EXPECT_FALSE(channel->curve().animated());
  EXPECT_EQ(subject.angle, 0.5);
  EXPECT_EQ(subject.sets, 1);
}

TEST_F(PanelService, EditsAnAnimatedEnvelopeByAKeyAtTheCurrentTime) {
  channel->curve().setKey(0, 1, KeyShape::Smooth);
  host.setTime(2);
  panel->edit(kAngle, 4);
  ASSERT_EQ(channel->curve().keys().size(), 2u);
  EXPECT_EQ(channel->valueAt(2), 4);
  EXPECT_EQ(subject.angle, 4);
  host.setTime(0);
  panel->edit(kAngle, 3);
  EXPECT_EQ(channel->curve().keys().size(), 2u);
  EXPECT_EQ(channel->curve().keys()[0].value, 3);
  EXPECT_EQ(channel->curve().keys()[0].shape, KeyShape::Smooth);
}

TEST_F(PanelService, EditsASwitchWithA32BitInteger) {
  EXPECT_EQ(panel->edit(kSwitch, 7), 1);
  EXPECT_EQ(subject.flag, 7);
  EXPECT_EQ(panel->read(kSwitch), 7.0);
}

TEST_F(PanelService, RefusesUnknownControls) {
  EXPECT_THROW(panel->read(0x9999), PanelError);
  EXPECT_THROW(panel->edit(0x9999, 1), PanelError);
  EXPECT_EQ(subject.sets, 0);
}

TEST_F(PanelService, IgnoresCallsOnPanelsItDidNotMake) {
  int stray = 0;
  panels->describe(&stray, nullptr, nullptr, nullptr);
  panels->hint(&stray, 0, nullptr);
  panels->viewInst(&stray, nullptr);
  EXPECT_EQ(host.panels().all().size(), 1u);
  EXPECT_EQ(host.panels().find(&stray), nullptr);
}

TEST_F(PanelService, LogsEveryPanelCallInOrder) {
  auto names = host.log().names();
  std::vector<std::string> panelCalls;
  for (const auto &name : names)
    if (name.rfind(XPANEL_FUNCS_NAME ".", 0) == 0) panelCalls.push_back(name);
  EXPECT_EQ(panelCalls,
            (std::vector<std::string>{"LWXPanel.create", "LWXPanel.describe", "LWXPanel.hint",
                                      "LWXPanel.viewInst", "LWXPanel.setData"}));
  auto calls = host.log().callsOf(XPANEL_FUNCS_NAME);
  EXPECT_EQ(calls[0].returnedPointer, handle);
  EXPECT_EQ(calls[4].args[1], "0");
  EXPECT_EQ(calls[4].pointers[1], &subject);
}

TEST(PanelServiceFaults, CreateCanBeMadeToGiveNoPanel) {
  Host host;
  auto installed = host.install();
  host.faults().failPanelCreate();
  auto *panels =
      static_cast<XPanelFuncs *>(Host::globalLookup()(serviceName(refhost::Service::Panel), 0));
  const XPanelControl controls[] = {{0, nullptr, nullptr}};
  EXPECT_EQ(panels->create(XPANEL_VIEW, controls), nullptr);
  EXPECT_TRUE(host.panels().all().empty());
}

}  // namespace
}  // namespace refhost
