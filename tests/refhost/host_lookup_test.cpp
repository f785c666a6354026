#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "refhost/host.h"

namespace refhost {
namespace {

void *lookup(const char *name) {
  return Host::globalLookup()(name, 0);
}

const char *const kServices[] = {VPARM_FUNCS_NAME,    ITEM_INFO_NAME,      CAMERA_INFO_NAME,
                                 TIME_INFO_NAME,      ENVELOPE_FUNCS_NAME, XPANEL_FUNCS_NAME,
                                 INSTANCE_UPDATE_NAME};

TEST(HostLookup, GivesADistinctRecordForEveryServiceAndNullOtherwise) {
  Host host;
  auto installed = host.install();
  std::set<void *> records;
  for (const char *name : kServices) {
    void *record = lookup(name);
    EXPECT_NE(record, nullptr) << name;
    records.insert(record);
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
  auto update = reinterpret_cast<InstanceUpdateFunc>(lookup(INSTANCE_UPDATE_NAME));
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
  host.faults().hideService(CAMERA_INFO_NAME);
  EXPECT_EQ(lookup(CAMERA_INFO_NAME), nullptr);
  EXPECT_NE(lookup(ITEM_INFO_NAME), nullptr);
  host.faults().showService(CAMERA_INFO_NAME);
  EXPECT_NE(lookup(CAMERA_INFO_NAME), nullptr);
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
  void *record = Host::globalLookup()(ITEM_INFO_NAME, 0);
  Host::globalLookup()("Nothing", 3);
  auto calls = host.log().calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].name(), "global.lookup");
  EXPECT_EQ(calls[0].args, (std::vector<std::string>{ITEM_INFO_NAME, "0"}));
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
      for (int i = 0; i < 500; ++i) lookup(CAMERA_INFO_NAME);
    });
  for (auto &thread : threads) thread.join();
  EXPECT_EQ(host.log().size(), 2000u);
}

}  // namespace
}  // namespace refhost
