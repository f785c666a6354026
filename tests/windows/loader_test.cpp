// What the Windows loader brings: a 32-bit DLL named as one, and the plug-in
// loaded and run from a folder whose name has spaces and non-ASCII letters,
// as user folders on Windows often have.
#include <gtest/gtest.h>

#include <filesystem>

#include "refhost/bindings/camera_handler_binding.h"

namespace {

namespace fs = std::filesystem;

std::string loadErrorOf(const std::string &path) {
  try {
    refhost::Module module(path);
  } catch (const refhost::LoadError &error) {
    return error.what();
  }
  return "loaded";
}

TEST(WindowsLoader, NamesA32BitDllAndGivesTheSystemsReason) {
  const std::string error = loadErrorOf(SKYRIND_FIXTURE_X86);
  EXPECT_EQ(error.rfind(std::string(SKYRIND_FIXTURE_X86) +
                            ": not a loadable shared library (a 32-bit (x86) DLL; the host "
                            "needs a 64-bit one: ",
                        0),
            0u)
      << error;
  EXPECT_NE(error.find("(error 193))"), std::string::npos) << error;  // ERROR_BAD_EXE_FORMAT
}

TEST(WindowsLoader, LoadsAndRunsThePluginFromAFolderWithSpacesAndNonAsciiLetters) {
  const fs::path folder =
      fs::temp_directory_path() / fs::path(u8"Skyrind Ærøskøbing 日本語 plug-ins");
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path copy = folder / "skyrind.p";
  fs::copy_file(fs::path(SKYRIND_PLUGIN_PATH), copy);
  const std::u8string utf8 = copy.u8string();
  {
    refhost::Host host;
    refhost::Host::Installation installed = host.install();
    refhost::Item &camera = host.addCamera();
    refhost::Module module(std::string(utf8.begin(), utf8.end()));
    refhost::CameraHandlerBinding handler(module, host);
    ASSERT_TRUE(handler.ok());
    void *instance = handler.create(camera.handle()).instance;
    ASSERT_NE(instance, nullptr);
    const FrameInfo frame{1, 0.0, 0.04, 25.0, 1};
    ASSERT_EQ(
        handler.newFrame(instance, frame, refhost::cameraAccess(camera.handle(), 0.036, 0.024)),
        std::nullopt);
    CameraRay ray{};
    EXPECT_EQ(handler.evaluate(instance, 0, 0, 0, 0, 0, ray), 1);  // looks ahead: +z
    EXPECT_EQ(ray.direction[2], 1.0);
    handler.destroy(instance);
  }
  fs::remove_all(folder);
}

}  // namespace
