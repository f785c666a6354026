#include "fuzz/temp_input.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "fuzz/fuzz_check.h"

namespace skyfuzz {
namespace {

std::string makeFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "skyrind-fuzz-XXXXXX").string();
  FUZZ_CHECK(mkdtemp(pattern.data()) != nullptr);
  return pattern;
}

}  // namespace

const std::string &tempFolder() {
  // Never destroyed: the exit handler that removes the folder still reads it.
  static const std::string *folder = [] {
    auto *made = new std::string(makeFolder());
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(tempFolder(), ignored);
    });
    return made;
  }();
  return *folder;
}

TempInput::TempInput(const std::string &name, const std::uint8_t *data, std::size_t size)
    : path_(tempFolder() + "/" + name) {
  std::ofstream out(path_, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
  FUZZ_CHECK(static_cast<bool>(out.flush()));
}

TempInput::~TempInput() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

}  // namespace skyfuzz
