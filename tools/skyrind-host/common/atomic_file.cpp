#include "common/atomic_file.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/input_error.h"
#include "common/utf8_path.h"

namespace skyhost {

void writeAtomically(const std::string &path,
                     const std::function<bool(const std::string &)> &write) {
  namespace fs = std::filesystem;
  fs::path target = pathFromUtf8(path);
  fs::path temporary = target.parent_path() / ("." + utf8FromPath(target.filename()) + "." +
                                               std::to_string(getpid()) + ".tmp");
  std::error_code ignored;
  bool written = false;
  try {
    written = write(utf8FromPath(temporary));
  } catch (const std::exception &e) {
    fs::remove(temporary, ignored);
    throw InputError(path, std::string("cannot write the file: ") + e.what());
  }
  if (!written) {
    fs::remove(temporary, ignored);
    throw InputError(path, "cannot write the file");
  }
  std::error_code error;
  fs::rename(temporary, target, error);
  if (error) {
    fs::remove(temporary, ignored);
    throw InputError(path, "cannot write the file: " + error.message());
  }
}

void checkFolderExists(const std::string &path) {
  std::filesystem::path folder = pathFromUtf8(path).parent_path();
  if (!folder.empty() && !std::filesystem::is_directory(folder))
    throw InputError(path, "no such folder");
}

void writeAtomically(const std::string &path, const std::string &bytes) {
  writeAtomically(path, [&bytes](const std::string &temporary) {
    std::ofstream out(pathFromUtf8(temporary), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
  });
}

}  // namespace skyhost
