// What an ELF64 shared library offers and asks of the dynamic loader, read
// straight off the file: the symbols it defines for others and the libraries
// it names as needed.
#pragma once

#include <string>
#include <vector>

namespace skyrind_test {

struct DynamicLinkage {
  std::vector<std::string> exported;  // defined, non-local dynamic symbols
  std::vector<std::string> needed;    // DT_NEEDED entries, in file order
};

// Throws std::runtime_error for a file that is not a well-formed ELF64 object.
DynamicLinkage readDynamicLinkage(const std::string &path);

}  // namespace skyrind_test
