// A 64-bit ELF shared object read from disk: its program headers, dynamic
// section and dynamic symbols, for checks on how it was linked.
#pragma once

#include <elf.h>

#include <cstdint>
#include <string>
#include <vector>

namespace skyrind_test {

struct ElfSymbol {
  std::string name;
  bool defined;  // false for an import
  unsigned char binding;
  unsigned char visibility;
};

class ElfFile {
 public:
  // Reads the whole file; ok() is false when it is not a 64-bit ELF file.
  explicit ElfFile(const std::string &path);
  bool ok() const { return ok_; }

  const std::vector<Elf64_Phdr> &segments() const { return segments_; }
  // The first program header of the type, or null.
  const Elf64_Phdr *segment(Elf64_Word type) const;
  // Value of the first dynamic entry with the tag, or -1 when there is none.
  std::int64_t dynamic(std::int64_t tag) const;
  const std::vector<ElfSymbol> &dynamicSymbols() const { return symbols_; }

 private:
  template <class T>
  const T *at(std::uint64_t offset, std::uint64_t count = 1) const;
  // The file offset of a virtual address, from the loadable segments.
  std::uint64_t fileOffset(std::uint64_t address) const;

  std::vector<unsigned char> bytes_;
  bool ok_ = false;
  std::vector<Elf64_Phdr> segments_;
  std::vector<Elf64_Dyn> dynamic_;
  std::vector<ElfSymbol> symbols_;
};

}  // namespace skyrind_test
