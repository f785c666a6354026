#include "elf_dynamic_linkage.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace skyrind_test {
namespace {

// The whole file with bounds-checked views into it.
class ElfImage {
 public:
  explicit ElfImage(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error(path + ": cannot open");
    bytes_.assign(std::istreambuf_iterator<char>(in), {});
    const auto header = at<Elf64_Ehdr>(0);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64)
      throw std::runtime_error(path + ": not an ELF64 file");
    for (unsigned i = 0; i < header.e_shnum; ++i)
      sections_.push_back(at<Elf64_Shdr>(header.e_shoff + std::size_t{i} * header.e_shentsize));
  }

  template <class T>
  T at(std::size_t offset) const {
    if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T))
      throw std::runtime_error("ELF read past the end of the file");
    T value;
    std::memcpy(&value, bytes_.data() + offset, sizeof value);
    return value;
  }

  // The NUL-terminated string at `index` in the string table section `table`.
  std::string string(std::size_t table, std::size_t index) const {
    const Elf64_Shdr &strings = sections_.at(table);
    if (index >= strings.sh_size) throw std::runtime_error("ELF string index out of range");
    std::string out;
    for (std::size_t at = strings.sh_offset + index; at < bytes_.size() && bytes_[at]; ++at)
      out += bytes_[at];
    return out;
  }

  const std::vector<Elf64_Shdr> &sections() const { return sections_; }

 private:
  std::vector<char> bytes_;
  std::vector<Elf64_Shdr> sections_;
};

}  // namespace

DynamicLinkage readDynamicLinkage(const std::string &path) {
  const ElfImage image(path);
  DynamicLinkage linkage;
  for (const Elf64_Shdr &section : image.sections()) {
    if (section.sh_type == SHT_DYNSYM) {
      // Entry 0 is the reserved null symbol.
      for (std::size_t i = 1; i < section.sh_size / sizeof(Elf64_Sym); ++i) {
        const auto symbol = image.at<Elf64_Sym>(section.sh_offset + i * sizeof(Elf64_Sym));
        if (symbol.st_shndx == SHN_UNDEF || ELF64_ST_BIND(symbol.st_info) == STB_LOCAL) continue;
        linkage.exported.push_back(image.string(section.sh_link, symbol.st_name));
      }
    } else if (section.sh_type == SHT_DYNAMIC) {
      for (std::size_t i = 0; i < section.sh_size / sizeof(Elf64_Dyn); ++i) {
        const auto entry = image.at<Elf64_Dyn>(section.sh_offset + i * sizeof(Elf64_Dyn));
        if (entry.d_tag == DT_NULL) break;
        if (entry.d_tag == DT_NEEDED)
          linkage.needed.push_back(image.string(section.sh_link, entry.d_un.d_val));
      }
    }
  }
  return linkage;
}

}  // namespace skyrind_test
