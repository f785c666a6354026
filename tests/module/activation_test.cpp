// The two activations: the version check, the services taken and in what
// order, and which record slots they fill or leave as the host set them.
#include <set>
#include <string>
#include <vector>

#include "module_fixture.h"

namespace skyrind_test {
namespace {

const std::vector<std::string> kRequiredServices = {VPARM_FUNCS_NAME, ITEM_INFO_NAME,
                                                    ENVELOPE_FUNCS_NAME, TIME_INFO_NAME};

// The service names looked up, in order; every lookup must use code 0.
std::vector<std::string> lookups(const refhost::CallLog &log) {
  std::vector<std::string> names;
  for (const refhost::Call &call : log.callsOf("global")) {
    EXPECT_EQ(call.args.at(1), "0") << call.line();
    names.push_back(call.args.at(0));
  }
  return names;
}

void expectHandlerAsTheHostSetIt(refhost::CameraHandlerBinding &binding) {
  const CameraHandler &record = binding.record();
  EXPECT_EQ(record.inst, &binding.instanceFuncs());
  EXPECT_EQ(record.item, refhost::CameraHandlerBinding::hostItemFuncs());
  EXPECT_EQ(record.rend, refhost::CameraHandlerBinding::hostRenderFuncs());
  EXPECT_EQ(record.preview, nullptr);
  EXPECT_EQ(record.newFrame, nullptr);
  EXPECT_EQ(record.evaluate, nullptr);
  EXPECT_EQ(record.flags, nullptr);
  const InstanceFuncs empty{};
  EXPECT_EQ(std::memcmp(&binding.instanceFuncs(), &empty, sizeof empty), 0);
}

using HandlerActivation = LoadedModule;

TEST_F(HandlerActivation, AWrongVersionReturnsOneBeforeLookingAnythingUp) {
  for (int version : {0, 1, 3, 4}) {
    host.log().clear();
    refhost::CameraHandlerBinding binding(module, host, version);
    EXPECT_EQ(binding.status(), AFUNC_BADVERSION) << version;
    EXPECT_EQ(host.log().size(), 0u) << version;
    expectHandlerAsTheHostSetIt(binding);
  }
}

TEST_F(HandlerActivation, EachMissingRequiredServiceReturnsTwoAndFillsNothing) {
  for (const std::string &name : kRequiredServices) {
    host.faults().hideService(name);
    refhost::CameraHandlerBinding binding(module, host);
    EXPECT_EQ(binding.status(), AFUNC_BADGLOBAL) << name;
    expectHandlerAsTheHostSetIt(binding);
    host.faults().showService(name);
  }
}

TEST_F(HandlerActivation, LooksTheServicesUpInItsOwnOrder) {
  refhost::CameraHandlerBinding binding(module, host);
  EXPECT_EQ(binding.status(), AFUNC_OK);
  EXPECT_EQ(lookups(host.log()),
            (std::vector<std::string>{VPARM_FUNCS_NAME, ITEM_INFO_NAME, ENVELOPE_FUNCS_NAME,
                                      TIME_INFO_NAME, CAMERA_INFO_NAME}));
}

TEST_F(HandlerActivation, FillsTheInstanceAndCallbackSlotsAndLeavesTheHostsOwn) {
  refhost::CameraHandlerBinding binding(module, host);
  ASSERT_EQ(binding.status(), AFUNC_OK);
  const InstanceFuncs &funcs = binding.instanceFuncs();
  EXPECT_EQ(funcs.priv, reinterpret_cast<void *>(refhost::Host::globalLookup()));
  const std::set<const void *> operations = {
      reinterpret_cast<const void *>(funcs.create), reinterpret_cast<const void *>(funcs.destroy),
      reinterpret_cast<const void *>(funcs.copy),   reinterpret_cast<const void *>(funcs.load),
      reinterpret_cast<const void *>(funcs.save),   reinterpret_cast<const void *>(funcs.describe)};
  EXPECT_EQ(operations.size(), 6u);
  EXPECT_EQ(operations.count(nullptr), 0u);

  const CameraHandler &record = binding.record();
  EXPECT_EQ(record.inst, &funcs);
  EXPECT_EQ(record.item, refhost::CameraHandlerBinding::hostItemFuncs());
  EXPECT_EQ(record.rend, refhost::CameraHandlerBinding::hostRenderFuncs());
  EXPECT_NE(record.preview, nullptr);
  EXPECT_NE(record.newFrame, nullptr);
  EXPECT_NE(record.evaluate, nullptr);
  ASSERT_NE(record.flags, nullptr);

  void *instance = binding.create(camera.handle()).instance;
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(binding.describe(instance), "Skyrind");
  EXPECT_EQ(binding.flags(instance), 1u);
  binding.destroy(instance);
}

TEST_F(HandlerActivation, WithoutCameraInfoStillSucceeds) {
  host.faults().hideService(CAMERA_INFO_NAME);
  refhost::CameraHandlerBinding binding(module, host);
  EXPECT_EQ(binding.status(), AFUNC_OK);
  EXPECT_NE(binding.record().newFrame, nullptr);
  EXPECT_NE(binding.instanceFuncs().create, nullptr);
}

class InterfaceActivation : public HandlerWithInstance {
 protected:
  void expectInterfaceAsTheHostSetIt(refhost::CameraInterfaceBinding &binding) {
    EXPECT_EQ(binding.record().inst, instance);
    EXPECT_EQ(binding.record().panel, nullptr);
    EXPECT_EQ(reinterpret_cast<const void *>(binding.record().options),
              refhost::CameraInterfaceBinding::hostOptions());
    EXPECT_EQ(reinterpret_cast<const void *>(binding.record().command),
              refhost::CameraInterfaceBinding::hostCommand());
  }
};

TEST_F(InterfaceActivation, AWrongVersionReturnsOneBeforeLookingAnythingUp) {
  for (int version : {2, 3, 5}) {
    host.log().clear();
    refhost::CameraInterfaceBinding binding(module, host, instance, version);
    EXPECT_EQ(binding.status(), AFUNC_BADVERSION) << version;
    EXPECT_EQ(host.log().size(), 0u) << version;
    expectInterfaceAsTheHostSetIt(binding);
  }
}

TEST_F(InterfaceActivation, WithoutThePanelServiceReturnsTwo) {
  host.faults().hideService(XPANEL_FUNCS_NAME);
  const std::size_t panels = host.panels().all().size();  // the session's own
  refhost::CameraInterfaceBinding binding(module, host, instance);
  EXPECT_EQ(binding.status(), AFUNC_BADGLOBAL);
  expectInterfaceAsTheHostSetIt(binding);
  EXPECT_EQ(host.panels().all().size(), panels);
}

TEST_F(InterfaceActivation, WhenThePanelServiceGivesNoPanelReturnsZeroAndLeavesTheRecord) {
  host.faults().failPanelCreate();
  refhost::CameraInterfaceBinding binding(module, host, instance);
  EXPECT_EQ(binding.status(), AFUNC_OK);
  expectInterfaceAsTheHostSetIt(binding);
  EXPECT_EQ(host.log().names(),
            (std::vector<std::string>{"global.lookup", "global.lookup", "LWXPanel.create"}));
}

TEST_F(InterfaceActivation, BuildsThePanelStepByStepAndFillsTheRecord) {
  refhost::CameraInterfaceBinding binding(module, host, instance);
  ASSERT_EQ(binding.status(), AFUNC_OK);
  EXPECT_EQ(lookups(host.log()),
            (std::vector<std::string>{INSTANCE_UPDATE_NAME, XPANEL_FUNCS_NAME}));
  const std::vector<refhost::Call> calls = host.log().callsOf(XPANEL_FUNCS_NAME);
  ASSERT_EQ(calls.size(), 5u);
  EXPECT_EQ(calls[0].op, "create");
  EXPECT_EQ(calls[0].args[0], "1");
  EXPECT_NE(calls[0].pointers[0], nullptr);
  const void *panel = calls[0].returnedPointer;
  ASSERT_NE(panel, nullptr);

  EXPECT_EQ(calls[1].op, "describe");
  ASSERT_EQ(calls[1].pointers.size(), 4u);
  EXPECT_EQ(calls[1].pointers[0], panel);
  for (const void *pointer : calls[1].pointers) EXPECT_NE(pointer, nullptr);
  EXPECT_EQ(calls[2].line(), "LWXPanel.hint(" + refhost::printPointer(panel) + ", 0, " +
                                 refhost::printPointer(calls[2].pointers[1]) + ")");
  EXPECT_NE(calls[2].pointers[1], nullptr);
  EXPECT_EQ(calls[3].line(), "LWXPanel.viewInst(" + refhost::printPointer(panel) + ", " +
                                 refhost::printPointer(instance) + ")");
  EXPECT_EQ(calls[4].line(), "LWXPanel.setData(" + refhost::printPointer(panel) + ", 0, " +
                                 refhost::printPointer(instance) + ")");

  EXPECT_EQ(binding.record().inst, instance);
  EXPECT_EQ(binding.record().panel, panel);
  EXPECT_EQ(binding.record().options, nullptr);
  EXPECT_EQ(binding.record().command, nullptr);
}

TEST_F(InterfaceActivation, WithoutInstanceUpdateEditsStillSetAndNothingIsCalled) {
  // A first activation finds the function; the later one, without it, wins.
  refhost::CameraInterfaceBinding first(module, host, instance);
  ASSERT_TRUE(first.ok());
  host.faults().hideService(INSTANCE_UPDATE_NAME);
  refhost::CameraInterfaceBinding binding(module, host, instance);
  ASSERT_EQ(binding.status(), AFUNC_OK);
  ASSERT_NE(binding.panel(), nullptr);

  host.log().clear();
  EXPECT_EQ(binding.panel()->edit(0x8003, 1), 1);
  EXPECT_EQ(binding.panel()->read(0x8003), 1.0);
  EXPECT_EQ(binding.panel()->edit(0x8001, 0.5), 1);
  EXPECT_TRUE(host.log().callsOf(INSTANCE_UPDATE_NAME).empty());
  EXPECT_EQ(savedState().values[0], 0.5f);
}

}  // namespace
}  // namespace skyrind_test
