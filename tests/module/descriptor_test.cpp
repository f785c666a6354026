// The module as the host finds it: the descriptor record, its server list and
// tag list.
#include <string>
#include <vector>

#include "module_fixture.h"

namespace skyrind_test {
namespace {

using Descriptor = LoadedModule;

TEST_F(Descriptor, HeaderWordsAndStartUpValue) {
  const ModuleDescriptor &descriptor = module.descriptor();
  EXPECT_EQ(descriptor.sync, 0x04121994u);
  EXPECT_EQ(descriptor.sysVersion, 3u);
  // The platform the module was built for: a host loads only its own. (Every
  // build once said 0x300, Windows, which a macOS host refuses.)
#if defined(_WIN32)
  EXPECT_EQ(descriptor.machine, 0x300u);
#elif defined(__APPLE__)
  EXPECT_EQ(descriptor.machine, 0x400u);
#else
  EXPECT_EQ(descriptor.machine, 0x500u);
#endif
  EXPECT_EQ(module.startupValue(), reinterpret_cast<void *>(4));
  ASSERT_NE(descriptor.startup, nullptr);
  EXPECT_EQ(descriptor.startup(), reinterpret_cast<void *>(4));
}

TEST_F(Descriptor, ShutDownCallsNothingAndLeavesLiveInstancesWorking) {
  refhost::CameraHandlerBinding handler(module, host);
  ASSERT_TRUE(handler.ok());
  void *instance = handler.create(camera.handle()).instance;
  ASSERT_NE(instance, nullptr);
  ASSERT_NE(module.descriptor().shutdown, nullptr);

  host.log().clear();
  module.descriptor().shutdown(module.startupValue());
  EXPECT_EQ(host.log().size(), 0u);

  // The kept services are still there: preview looks the time up through them.
  double projection[16] = {};
  EXPECT_EQ(
      handler.preview(instance, 0, 0, projection, refhost::cameraAccess(camera.handle(), 1, 1)), 1);
  handler.destroy(instance);
}

TEST_F(Descriptor, ServerListHoldsTheHandlerThenTheInterfaceThenAZeroEntry) {
  const ServerRecord *servers = module.descriptor().servers;
  ASSERT_NE(servers, nullptr);
  EXPECT_STREQ(servers[0].className, "CameraHandler");
  EXPECT_STREQ(servers[0].name, "Skyrind0.1.5");
  EXPECT_STREQ(servers[1].className, "CameraInterface");
  EXPECT_STREQ(servers[1].name, "Skyrind0.1.5");
  EXPECT_NE(servers[0].activate, nullptr);
  EXPECT_NE(servers[1].activate, nullptr);
  EXPECT_NE(servers[0].activate, servers[1].activate);
  // Each entry rejects the other class's version, so each is its own class's.
  CameraHandler handlerRecord{};
  CameraInterface interfaceRecord{};
  EXPECT_EQ(servers[0].activate(5, refhost::Host::globalLookup(), &handlerRecord, nullptr), 1);
  EXPECT_EQ(servers[1].activate(2, refhost::Host::globalLookup(), &interfaceRecord, nullptr), 1);

  EXPECT_EQ(servers[2].className, nullptr);
  EXPECT_EQ(servers[2].name, nullptr);
  EXPECT_EQ(servers[2].activate, nullptr);
  EXPECT_EQ(servers[2].tags, nullptr);
}

TEST_F(Descriptor, BothServersShareOneTagListAtOneAddress) {
  const ServerRecord *servers = module.descriptor().servers;
  const ServerTagInfo *tags = servers[0].tags;
  ASSERT_NE(tags, nullptr);
  EXPECT_EQ(servers[1].tags, tags);
  // The user name in US English: type 0 in the high half, language 0x0409
  // in the low. (A tag word 0 would end the host's list before it.)
  EXPECT_STREQ(tags[0].string, "Skyrind 0.1.5");
  EXPECT_EQ(tags[0].tag, 0x0409u);
  EXPECT_EQ(tags[1].string, nullptr);
  EXPECT_EQ(tags[1].tag, 0u);
  // So the host, which stops at the first tag word 0, finds the user name.
  for (const refhost::ServerInfo &server : module.servers()) {
    ASSERT_EQ(server.tags.size(), 1u) << server.className;
    EXPECT_EQ(server.tags[0].text, "Skyrind 0.1.5");
  }
}

}  // namespace
}  // namespace skyrind_test
