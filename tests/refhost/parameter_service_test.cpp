// "LWVParmFuncs 2" as the plug-in sees it: through the record the lookup gives.
#include <gtest/gtest.h>

#include "refhost/host.h"
#include "refhost/state_reader.h"
#include "refhost/state_writer.h"
#include "support/service_name.h"

using skyrind_test::serviceName;

namespace refhost {
namespace {

class ParameterService : public testing::Test {
 protected:
  VParmFuncs &parms() {
    return *static_cast<VParmFuncs *>(
        Host::globalLookup()(serviceName(refhost::Service::Parameters), 0));
  }
  void *newChannel(const char *name, double value) {
    void *handle = parms().create(VPARM_ANGLE, -1);
    parms().setup(handle, name, camera.channelGroup(), nullptr, nullptr, nullptr, nullptr);
    parms().setVal(handle, &value);
    return handle;
  }

  Host host;
  Host::Installation installed = host.install();
  Item &camera = host.addCamera();
};

TEST_F(ParameterService, SetupRegistersTheChannelUnderItsNameInTheGroup) {
  void *handle = newChannel("HFOV", 2.0);
  Channel *channel = host.channels().find(camera.channelGroup(), "HFOV");
  ASSERT_NE(channel, nullptr);
  EXPECT_EQ(ChannelStore::handleOf(*channel), handle);
  EXPECT_EQ(channel->valueType(), VPARM_ANGLE);
  EXPECT_EQ(channel->curve().staticValue(), 2.0);
}

TEST_F(ParameterService, GetValWritesTheValueAtTheTimeIntoTheFirstDoubleOnly) {
  void *handle = newChannel("HFOV", 2.0);
  Channel &channel = *host.channels().find(handle);
  channel.curve().setKey(0, 0);
  channel.curve().setKey(1, 10);
  double out[3] = {-1, -2, -3};
  parms().getVal(handle, 0.25, nullptr, out);
  EXPECT_EQ(out[0], 2.5);
  EXPECT_EQ(out[1], -2);
  EXPECT_EQ(out[2], -3);
}

TEST_F(ParameterService, CopyTakesValueAndKeysAndDestroyRemoves) {
  void *from = newChannel("A", 1.0);
  void *to = newChannel("B", 2.0);
  host.channels().find(from)->curve().setKey(1, 5);
  EXPECT_EQ(parms().copy(to, from), nullptr);
  EXPECT_EQ(host.channels().find(to)->valueAt(1), 5);
  EXPECT_EQ(host.channels().find(to)->name(), "B");
  parms().destroy(from);
  EXPECT_EQ(host.channels().find(from), nullptr);
  EXPECT_EQ(host.channels().size(), 1u);
}

TEST_F(ParameterService, OperationsOnUnknownHandlesFailHarmlessly) {
  int stray = 0;
  double out[3] = {7, 7, 7};
  EXPECT_EQ(parms().getVal(&stray, 0, nullptr, out), 0);
  EXPECT_EQ(out[0], 7);
  double value = 1;
  EXPECT_EQ(parms().setVal(nullptr, &value), 0);
  EXPECT_STREQ(parms().copy(&stray, nullptr), "Unknown parameter");
  parms().destroy(&stray);
  const std::size_t channelsBefore = host.channels().size();
  parms().setup(nullptr, "X", nullptr, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(host.channels().size(), channelsBefore);
}

TEST_F(ParameterService, SaveAndLoadGoThroughTheStates) {
  void *handle = newChannel("HFOV", 0.75);
  host.channels().find(handle)->curve().setKey(2, 3);
  StateWriter writer(StateEncoding::Text);
  EXPECT_EQ(parms().save(handle, writer.state()), nullptr);

  void *other = newChannel("VFOV", 0);
  StateReader reader(writer.block());
  EXPECT_EQ(parms().load(other, reader.state()), nullptr);
  EXPECT_EQ(host.channels().find(other)->curve().staticValue(), 0.75);
  EXPECT_EQ(host.channels().find(other)->valueAt(5), 3);
}

TEST_F(ParameterService, FailedCreateOnEveryCallOrOnTheNthCall) {
  host.faults().failParameterCreate(2);
  EXPECT_NE(parms().create(VPARM_ANGLE, -1), nullptr);
  EXPECT_EQ(parms().create(VPARM_ANGLE, -1), nullptr);
  EXPECT_NE(parms().create(VPARM_ANGLE, -1), nullptr);
  host.faults().failEveryParameterCreate();
  EXPECT_EQ(parms().create(VPARM_PERCENT, -1), nullptr);
  EXPECT_EQ(host.channels().size(), 2u);
}

TEST_F(ParameterService, InjectedLoadAndSaveFailuresHitTheNamedChannelOnly) {
  void *hfov = newChannel("HFOV", 1);
  void *vfov = newChannel("VFOV", 1);
  host.faults().failChannelLoad("VFOV", "Disk on fire");
  host.faults().failChannelSave("", "No space");
  StateWriter writer(StateEncoding::Binary);
  EXPECT_STREQ(parms().save(hfov, writer.state()), "No space");
  EXPECT_TRUE(writer.block().bytes.empty());
  StateReader reader(StateBlock{});
  EXPECT_STREQ(parms().load(vfov, reader.state()), "Disk on fire");
  EXPECT_STREQ(parms().load(hfov, reader.state()), "Channel data ends early");
}

TEST_F(ParameterService, LogsEachCallWithArgumentsAndResult) {
  host.log().clear();
  void *handle = newChannel("HFOV", 2.0);
  double out[3];
  parms().getVal(handle, 0.5, nullptr, out);
  auto calls = host.log().callsOf(VPARM_FUNCS_NAME);
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].op, "create");
  EXPECT_EQ(calls[0].args, (std::vector<std::string>{std::to_string(VPARM_ANGLE), "-1"}));
  EXPECT_EQ(calls[0].returnedPointer, handle);
  EXPECT_EQ(calls[1].op, "setup");
  EXPECT_EQ(calls[1].args[1], "HFOV");
  EXPECT_EQ(calls[1].pointers[0], handle);
  EXPECT_EQ(calls[1].pointers[1], camera.channelGroup());
  EXPECT_EQ(calls[1].args[3], "null");
  EXPECT_EQ(calls[2].op, "setVal");
  EXPECT_EQ(calls[2].reals, std::vector<double>{2.0});
  EXPECT_EQ(calls[3].op, "getVal");
  EXPECT_EQ(calls[3].reals, std::vector<double>{0.5});
  EXPECT_EQ(calls[3].returnedReal, 2.0);
}

TEST_F(ParameterService, ChannelLoadReadsAreLoggedInsideTheLoadCall) {
  void *handle = newChannel("HFOV", 1);
  StateWriter writer(StateEncoding::Binary);
  VParmFuncs &funcs = parms();
  funcs.save(handle, writer.state());
  host.log().clear();
  StateReader reader(writer.block(), &host.log());
  funcs.load(handle, reader.state());
  auto names = host.log().names();
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], "LWVParmFuncs 2.load");
  EXPECT_EQ(names[1], "LoadState.readFP");
  EXPECT_EQ(names[2], "LoadState.readI2");
  EXPECT_EQ(host.log().calls()[0].result, "null");
}

}  // namespace
}  // namespace refhost
