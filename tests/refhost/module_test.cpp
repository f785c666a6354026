#include "refhost/loader/module.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "refhost/host.h"

namespace refhost {
namespace {

// The error up to the system's reason, which follows in parentheses.
std::string loadErrorWithoutReason(const std::string &error) {
  const std::size_t open = error.find(" (");
  return open != std::string::npos && error.back() == ')' && error.size() > open + 3
             ? error.substr(0, open)
             : error + " [no system reason]";
}

std::string loadErrorOf(const std::string &path) {
  try {
    Module module(path);
  } catch (const LoadError &error) {
    return error.what();
  }
  return "loaded";
}

TEST(ModuleLoadErrors, NameTheFileAndTheReason) {
  EXPECT_EQ(loadErrorWithoutReason(loadErrorOf("/nonexistent/skyrind.p")),
            "/nonexistent/skyrind.p: no such file");

  auto text = std::filesystem::temp_directory_path() / "refhost_not_a_module.p";
  std::ofstream(text) << "just some text\n";
  std::string error = loadErrorOf(text.string());
  EXPECT_EQ(error.rfind(text.string() + ": not a loadable shared library (", 0), 0u) << error;
  std::filesystem::remove(text);

  EXPECT_EQ(loadErrorWithoutReason(loadErrorOf(REFHOST_FIXTURE_NO_DESCRIPTOR)),
            std::string(REFHOST_FIXTURE_NO_DESCRIPTOR) + ": no _mod_descrip symbol");
  EXPECT_EQ(loadErrorOf(REFHOST_FIXTURE_WRONG_SYNC),
            std::string(REFHOST_FIXTURE_WRONG_SYNC) +
                ": bad synchronisation word 0x12345678, expected 0x04121994");
  EXPECT_EQ(loadErrorOf(REFHOST_FIXTURE_WRONG_VERSION),
            std::string(REFHOST_FIXTURE_WRONG_VERSION) + ": system version 2, expected 3");
  // The host's own platform's word.
  const std::string machineWord = MODULE_MACHINE == 0x300u   ? "0x00000300"
                                  : MODULE_MACHINE == 0x400u ? "0x00000400"
                                                             : "0x00000500";
  EXPECT_EQ(loadErrorOf(REFHOST_FIXTURE_WRONG_MACHINE), std::string(REFHOST_FIXTURE_WRONG_MACHINE) +
                                                            ": machine code 0x00000200, expected " +
                                                            machineWord);
}

TEST(ModuleLoadErrors, ADirectoryIsRefused) {
  std::string dir = std::filesystem::temp_directory_path().string();
  EXPECT_EQ(loadErrorWithoutReason(loadErrorOf(dir)), dir + ": is a directory");
}

// Without a folder the loaders would search their library paths instead.
TEST(ModuleLoad, ABareFileNameIsTheFileInTheCurrentFolder) {
  const std::filesystem::path fixture(REFHOST_FIXTURE_CAMERA);
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(fixture.parent_path());
  const std::string error = loadErrorOf(fixture.filename().string());
  std::filesystem::current_path(previous);
  EXPECT_EQ(error, "loaded");
}

TEST(ModuleServers, ListsClassesNamesAndTags) {
  Module module(REFHOST_FIXTURE_CAMERA);
  EXPECT_EQ(module.startupValue(), reinterpret_cast<void *>(4));
  ASSERT_EQ(module.servers().size(), 2u);
  EXPECT_EQ(module.servers()[0].className, CAMERA_HANDLER_CLASS);
  EXPECT_EQ(module.servers()[1].className, CAMERA_INTERFACE_CLASS);
  EXPECT_EQ(module.servers()[0].name, "Fixture");
  ASSERT_EQ(module.servers()[0].tags.size(), 1u);
  EXPECT_EQ(module.servers()[0].tags[0].text, "Fixture 1.0");
  EXPECT_EQ(module.servers()[0].tags[0].tag, 0x0409u);
  EXPECT_EQ(module.servers()[0].rawTags, module.servers()[1].rawTags);
}

TEST(ModuleActivation, RefusesAClassOrNameTheModuleDoesNotServe) {
  Module module(REFHOST_FIXTURE_CAMERA);
  try {
    module.activate("ImageFilterHandler", 1, Host::globalLookup(), nullptr);
    FAIL() << "activated a missing class";
  } catch (const LoadError &error) {
    EXPECT_EQ(std::string(error.what()),
              std::string(REFHOST_FIXTURE_CAMERA) + ": no server of class ImageFilterHandler");
  }
  EXPECT_THROW(module.server(CAMERA_HANDLER_CLASS, "Other"), LoadError);
}

TEST(ModuleActivation, PassesTheVersionAndReturnsTheStatus) {
  Host host{HostProfile::lightwave9()};  // the fixture camera is a 9.x plug-in
  auto installed = host.install();
  Module module(REFHOST_FIXTURE_CAMERA);
  CameraHandler handler{};
  InstanceFuncs inst{};
  handler.inst = &inst;
  EXPECT_EQ(module.activate(CAMERA_HANDLER_CLASS, 1, Host::globalLookup(), &handler),
            AFUNC_BADVERSION);
  EXPECT_EQ(inst.create, nullptr);
  host.faults().hideService(refhost::Service::Parameters);
  EXPECT_EQ(module.activate(CAMERA_HANDLER_CLASS, 2, Host::globalLookup(), &handler),
            AFUNC_BADGLOBAL);
  host.faults().showService(refhost::Service::Parameters);
  EXPECT_EQ(module.activate(CAMERA_HANDLER_CLASS, 2, Host::globalLookup(), &handler), AFUNC_OK);
  EXPECT_NE(inst.create, nullptr);
}

}  // namespace
}  // namespace refhost
