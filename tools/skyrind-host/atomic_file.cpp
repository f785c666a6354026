#include "atomic_file.h"

#include <unistd.h>

#include <filesystem>

#include "input_error.h"

namespace skyhost {

void writeAtomically(const std::string &path,
                     const std::function<bool(const std::string &)> &write) {
  namespace fs = std::filesystem;
  fs::path target(path);
  fs::path temporary = target.parent_path() /
                       ("." + target.filename().string() + "." + std::to_string(getpid()) + ".tmp");
  std::error_code ignored;
  if (!write(temporary.string())) {
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

}  // namespace skyhost
