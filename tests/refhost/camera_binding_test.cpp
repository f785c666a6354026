// The instance life cycle driven through the bindings, against a fixture
// plug-in loaded as the host loads a module.
#include <gtest/gtest.h>

#include "refhost/bindings/camera_handler_binding.h"
#include "refhost/bindings/camera_interface_binding.h"

namespace refhost {
namespace {

class CameraBinding : public testing::Test {
 protected:
  Host host{HostProfile::lightwave9()};  // the fixture camera is a 9.x plug-in
  Host::Installation installed = host.install();
  Item &camera = host.addCamera();
  Module module{REFHOST_FIXTURE_CAMERA};
  CameraHandlerBinding handler{module, host};
};

TEST_F(CameraBinding, ActivationFillsTheSlotsAndLeavesTheHostsRecordsAlone) {
  ASSERT_TRUE(handler.ok());
  EXPECT_EQ(handler.record().inst, &handler.instanceFuncs());
  EXPECT_EQ(handler.record().item, CameraHandlerBinding::hostItemFuncs());
  EXPECT_EQ(handler.record().rend, CameraHandlerBinding::hostRenderFuncs());
  EXPECT_EQ(handler.instanceFuncs().priv, reinterpret_cast<void *>(Host::globalLookup()));
}

TEST_F(CameraBinding, AWrongVersionIsReportedByStatus) {
  CameraHandlerBinding old(module, host, 1);
  EXPECT_EQ(old.status(), AFUNC_BADVERSION);
  EXPECT_THROW(old.create(camera.handle()), std::logic_error);
}

TEST_F(CameraBinding, CreateCallsTheHostInOrderAndDestroyReleases) {
  host.log().clear();
  CreateResult created = handler.create(camera.handle());
  ASSERT_NE(created.instance, nullptr);
  EXPECT_EQ(created.error, std::nullopt);
  EXPECT_EQ(host.log().names(),
            (std::vector<std::string>{"LW Item Info 4.chanGroup", "LWVParmFuncs 2.create",
                                      "LWVParmFuncs 2.setup", "LWVParmFuncs 2.setVal"}));
  EXPECT_NE(host.channels().find(camera.channelGroup(), "Angle"), nullptr);
  EXPECT_EQ(handler.describe(created.instance), "Fixture");
  EXPECT_EQ(handler.flags(created.instance), 1u);
  handler.destroy(created.instance);
  EXPECT_EQ(host.channels().size(), 0u);
}

TEST_F(CameraBinding, SaveThenLoadRestoresTheInstanceInBothEncodings) {
  for (StateEncoding encoding : {StateEncoding::Binary, StateEncoding::Text}) {
    void *source = handler.create(camera.handle()).instance;
    void *target = handler.create(camera.handle()).instance;
    host.channels().all().front()->curve().setKey(1, 0.25);
    SaveResult saved = handler.save(source, encoding);
    ASSERT_EQ(saved.error, std::nullopt);
    EXPECT_EQ(saved.block.encoding, encoding);
    EXPECT_EQ(handler.load(target, saved.block), std::nullopt);
    EXPECT_EQ(host.channels().all().back()->valueAt(1), 0.25);
    handler.destroy(source);
    handler.destroy(target);
  }
}

TEST_F(CameraBinding, LoadPassesOnTheHostsMessageAndHonoursTheValueLimit) {
  void *instance = handler.create(camera.handle()).instance;
  SaveResult saved = handler.save(instance, StateEncoding::Binary);
  host.faults().failChannelLoad("Angle", "Bad channel");
  EXPECT_EQ(handler.load(instance, saved.block), "Bad channel");
  host.faults().clear();
  host.log().clear();
  EXPECT_EQ(handler.load(instance, saved.block, 2), std::nullopt);
  auto reads = host.log().callsOf("LoadState");
  // The channel's static value and key count use up the limit; the
  // instance's own float and integer then read nothing.
  ASSERT_EQ(reads.size(), 4u);
  EXPECT_EQ(reads[1].result, "1");
  EXPECT_EQ(reads[2].line(), "LoadState.readFP(1) -> 0");
  EXPECT_EQ(reads[3].line(), "LoadState.readI2(1) -> 0");
  handler.destroy(instance);
}

TEST_F(CameraBinding, NewFrameEvaluateAndPreviewReachThePlugIn) {
  void *instance = handler.create(camera.handle()).instance;
  FrameInfo frame{3, 0.5, 0.04, 25, 1};
  CameraAccess access = cameraAccess(camera.handle(), 0.036, 0.024);
  host.log().clear();
  EXPECT_EQ(handler.newFrame(instance, frame, access), std::nullopt);
  auto param = host.log().callsOf(ITEM_INFO_NAME);
  ASSERT_EQ(param.size(), 1u);
  EXPECT_EQ(param[0].pointers[0], camera.handle());
  EXPECT_EQ(param[0].reals, std::vector<double>{0.5});

  CameraRay ray{};
  EXPECT_EQ(handler.evaluate(instance, 1, 2, 3, 4, 0.5, ray), 1);
  EXPECT_EQ(ray.origin[1], 2);
  EXPECT_EQ(ray.direction[2], 1.5);

  double projection[16] = {};
  EXPECT_EQ(handler.preview(instance, 0.1, 0.2, projection, access), 1);
  EXPECT_EQ(projection[0], 0.036);
  EXPECT_EQ(projection[1], 0.024);

  host.faults().hideService(refhost::Service::ItemInfo);
  EXPECT_EQ(handler.newFrame(instance, frame, access), "No item info");
  handler.destroy(instance);
}

TEST_F(CameraBinding, InterfaceBuildsAPanelThatEditsTheInstance) {
  void *instance = handler.create(camera.handle()).instance;
  CameraInterfaceBinding iface(module, host, instance);
  ASSERT_TRUE(iface.ok());
  EXPECT_EQ(iface.record().inst, instance);
  EXPECT_EQ(iface.record().options, nullptr);
  EXPECT_EQ(iface.record().command, nullptr);
  Panel *panel = iface.panel();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->title(), "Fixture");
  EXPECT_EQ(panel->read(0x8001), 1.5);

  host.log().clear();
  EXPECT_EQ(panel->edit(0x8002, 3), 1);
  EXPECT_EQ(panel->read(0x8002), 3.0);
  auto updates = host.log().callsOf(INSTANCE_UPDATE_NAME);
  ASSERT_EQ(updates.size(), 1u);
  EXPECT_EQ(updates[0].pointers[0], instance);
  handler.destroy(instance);
}

TEST_F(CameraBinding, InterfaceWithoutAPanelLeavesTheRecordAsItWas) {
  host.faults().failPanelCreate();
  int instance = 0;
  CameraInterfaceBinding iface(module, host, &instance);
  EXPECT_TRUE(iface.ok());
  EXPECT_EQ(iface.panel(), nullptr);
  EXPECT_EQ(reinterpret_cast<const void *>(iface.record().options),
            CameraInterfaceBinding::hostOptions());
}

}  // namespace
}  // namespace refhost
