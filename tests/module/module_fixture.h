// A host with one camera and the built plug-in loaded the way the host loads
// it; the handler fixture also activates the handler and creates an instance.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "camera/instance.h"
#include "refhost/bindings/camera_handler_binding.h"
#include "refhost/bindings/camera_interface_binding.h"

namespace skyrind_test {

using skyrind::CameraInstance;

// The plug-in's own record behind an instance pointer it handed out.
inline CameraInstance &fieldsOf(void *instance) {
  return *static_cast<CameraInstance *>(instance);
}

// The instance's bytes, to prove that a call changed nothing.
struct InstanceBytes {
  unsigned char bytes[sizeof(CameraInstance)];
  explicit InstanceBytes(const void *instance) { std::memcpy(bytes, instance, sizeof bytes); }
  bool operator==(const InstanceBytes &other) const {
    return std::memcmp(bytes, other.bytes, sizeof bytes) == 0;
  }
};

class LoadedModule : public testing::Test {
 protected:
  refhost::Host host;
  refhost::Host::Installation installed = host.install();
  refhost::Item &camera = host.addCamera();
  refhost::Module module{SKYRIND_PLUGIN_PATH};
};

class HandlerWithInstance : public LoadedModule {
 protected:
  void SetUp() override {
    ASSERT_TRUE(handler.ok());
    instance = handler.create(camera.handle()).instance;
    ASSERT_NE(instance, nullptr);
    host.log().clear();
  }
  void TearDown() override {
    if (instance) handler.destroy(instance);
  }

  CameraInstance &fields() { return fieldsOf(instance); }
  // The host's channel behind one of the instance's parameters.
  refhost::Channel &channel(const char *name) {
    refhost::Channel *found = host.channels().find(camera.channelGroup(), name);
    if (!found) throw std::logic_error(std::string("no channel ") + name);
    return *found;
  }

  refhost::CameraHandlerBinding handler{module, host};
  void *instance = nullptr;
};

}  // namespace skyrind_test
