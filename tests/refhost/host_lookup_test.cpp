#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "refhost/host.h"
#include "support/service_name.h"

using skyrind_test::serviceName;

namespace refhost {
namespace {

void *lookup(const char *name) {
  return Host::globalLookup()(name, 0);
}

const Service kServices[] = {Service::Parameters,    Service::ItemInfo,  Service::CameraInfo,
                             Service::Time,          Service::Envelopes, Service::Panel,
                             Service::InstanceUpdate};

// Each generation answers its own names, one record a service; the other
// generations' names that changed are not answered.
TEST(HostLookup, GivesADistinctRecordForEveryServiceAndNullOtherwise) {
  Host host;
  auto installed = host.install();
  std::set<void *> records;
  for (Service service : kServices) {
    void *record = lookup(serviceName(service));
    EXPECT_NE(record, nullptr) << serviceName(service);
    records.insert(record);
    for (const std::string &name : allNamesOf(service)) {
      if (name == host.profile().nameOf(service)) continue;
      EXPECT_EQ(lookup(name.c_str()), nullptr) << name;
    }
  }
  EXPECT_EQ(records.size(), std::size(kServices));
  EXPECT_EQ(lookup("LW Item Info 3"), nullptr);
  EXPECT_EQ(lookup(""), nullptr);
  EXPECT_EQ(lookup(nullptr), nullptr);
}

TEST(HostLookup, TimeInfoFollowsTheHostsCurrentTime) {
  Host host;
  auto installed = host.install();
  auto *time = static_cast<TimeInfo *>(lookup(TIME_INFO_NAME));
  EXPECT_EQ(time->time, 0.0);
  host.setTime(1.25);
  EXPECT_EQ(time->time, 1.25);
}

TEST(HostLookup, InstanceUpdateIsTheFunctionItself) {
  Host host;
  auto installed = host.install();
  auto update =
      reinterpret_cast<InstanceUpdateFunc>(lookup(serviceName(refhost::Service::InstanceUpdate)));
  int instance = 0;
  update(CAMERA_HANDLER_CLASS, &instance);
  auto calls = host.log().callsOf(INSTANCE_UPDATE_NAME);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args[0], "CameraHandler");
  EXPECT_EQ(calls[0].pointers[0], &instance);
}

TEST(HostLookup, AHiddenServiceIsMissingUntilShownAgain) {
  Host host;
  auto installed = host.install();
  host.faults().hideService(refhost::Service::CameraInfo);
  EXPECT_EQ(lookup(serviceName(refhost::Service::CameraInfo)), nullptr);
  EXPECT_NE(lookup(serviceName(refhost::Service::ItemInfo)), nullptr);
  host.faults().showService(refhost::Service::CameraInfo);
  EXPECT_NE(lookup(serviceName(refhost::Service::CameraInfo)), nullptr);
}

TEST(HostInstallation, ServesOnlyWhileInstalledAndRestoresThePreviousHost) {
  EXPECT_EQ(Host::current(), nullptr);
  EXPECT_EQ(lookup(TIME_INFO_NAME), nullptr);
  Host outer;
  auto outerInstalled = outer.install();
  {
    Host inner;
    auto innerInstalled = inner.install();
    EXPECT_EQ(Host::current(), &inner);
    EXPECT_EQ(lookup(TIME_INFO_NAME), inner.service(TIME_INFO_NAME));
  }
  EXPECT_EQ(Host::current(), &outer);
}

TEST(HostInstallation, ADestroyedHostStopsBeingCurrent) {
  auto host = std::make_unique<Host>();
  auto installed = host->install();
  host.reset();
  EXPECT_EQ(Host::current(), nullptr);
  EXPECT_EQ(lookup(VPARM_FUNCS_NAME), nullptr);
}

TEST(HostCallLog, RecordsLookupsWithNameUseCodeAndRecord) {
  Host host;
  auto installed = host.install();
  void *record = Host::globalLookup()(serviceName(refhost::Service::ItemInfo), 0);
  Host::globalLookup()("Nothing", 3);
  auto calls = host.log().calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].name(), "global.lookup");
  EXPECT_EQ(calls[0].args,
            (std::vector<std::string>{serviceName(refhost::Service::ItemInfo), "0"}));
  EXPECT_EQ(calls[0].returnedPointer, record);
  EXPECT_EQ(calls[1].line(), "global.lookup(Nothing, 3) -> null");
}

TEST(HostCallLog, ClearsAndCanBeSwitchedOff) {
  Host host;
  auto installed = host.install();
  lookup(TIME_INFO_NAME);
  host.log().clear();
  EXPECT_EQ(host.log().size(), 0u);
  host.log().setEnabled(false);
  lookup(TIME_INFO_NAME);
  EXPECT_EQ(host.log().size(), 0u);
  host.log().setEnabled(true);
  lookup(TIME_INFO_NAME);
  EXPECT_EQ(host.log().size(), 1u);
}

TEST(HostCallLog, KeepsEveryCallFromManyThreads) {
  Host host;
  auto installed = host.install();
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([] {
      for (int i = 0; i < 500; ++i) lookup(serviceName(refhost::Service::CameraInfo));
    });
  for (auto &thread : threads) thread.join();
  EXPECT_EQ(host.log().size(), 2000u);
}

}  // namespace
}  // namespace refhost
