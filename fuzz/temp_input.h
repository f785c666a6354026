// Fuzz inputs for readers that take a path: written to a folder of this
// process's own under the system's temporary folder, which goes at exit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace skyfuzz {

// A file holding the given bytes while the object lives.
class TempInput {
 public:
  TempInput(const std::string &name, const std::uint8_t *data, std::size_t size);
  ~TempInput();
  TempInput(const TempInput &) = delete;
  TempInput &operator=(const TempInput &) = delete;

  const std::string &path() const { return path_; }

 private:
  std::string path_;
};

// The process's folder (made on first use); for files a reader writes itself.
const std::string &tempFolder();

}  // namespace skyfuzz
