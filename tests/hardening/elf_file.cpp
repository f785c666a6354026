#include "hardening/elf_file.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace skyrind_test {

template <class T>
const T *ElfFile::at(std::uint64_t offset, std::uint64_t count) const {
  if (offset > bytes_.size() || count > (bytes_.size() - offset) / sizeof(T)) return nullptr;
  return reinterpret_cast<const T *>(bytes_.data() + offset);
}

ElfFile::ElfFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  bytes_.assign(std::istreambuf_iterator<char>(in), {});
  const auto *header = at<Elf64_Ehdr>(0);
  if (!header || std::memcmp(header->e_ident, ELFMAG, SELFMAG) != 0 ||
      header->e_ident[EI_CLASS] != ELFCLASS64)
    return;

  const auto *phdrs = at<Elf64_Phdr>(header->e_phoff, header->e_phnum);
  const auto *shdrs = at<Elf64_Shdr>(header->e_shoff, header->e_shnum);
  if (!phdrs || !shdrs) return;
  segments_.assign(phdrs, phdrs + header->e_phnum);

  if (const Elf64_Phdr *dyn = segment(PT_DYNAMIC)) {
    const auto *entries = at<Elf64_Dyn>(dyn->p_offset, dyn->p_filesz / sizeof(Elf64_Dyn));
    if (!entries) return;
    for (std::uint64_t i = 0; i < dyn->p_filesz / sizeof(Elf64_Dyn) && entries[i].d_tag != DT_NULL;
         ++i)
      dynamic_.push_back(entries[i]);
  }

  for (int s = 0; s < header->e_shnum; ++s) {
    if (shdrs[s].sh_type != SHT_DYNSYM || shdrs[s].sh_link >= header->e_shnum) continue;
    const Elf64_Shdr &strtab = shdrs[shdrs[s].sh_link];
    const std::uint64_t count = shdrs[s].sh_size / sizeof(Elf64_Sym);
    const auto *syms = at<Elf64_Sym>(shdrs[s].sh_offset, count);
    const char *names = at<char>(strtab.sh_offset, strtab.sh_size);
    if (!syms || !names) return;
    for (std::uint64_t i = 1; i < count; ++i) {
      if (syms[i].st_name >= strtab.sh_size) return;
      symbols_.push_back({names + syms[i].st_name, syms[i].st_shndx != SHN_UNDEF,
                          static_cast<unsigned char>(ELF64_ST_BIND(syms[i].st_info)),
                          static_cast<unsigned char>(ELF64_ST_VISIBILITY(syms[i].st_other))});
    }
  }
  ok_ = true;
}

const Elf64_Phdr *ElfFile::segment(Elf64_Word type) const {
  for (const Elf64_Phdr &p : segments_)
    if (p.p_type == type) return &p;
  return nullptr;
}

std::int64_t ElfFile::dynamic(std::int64_t tag) const {
  for (const Elf64_Dyn &d : dynamic_)
    if (d.d_tag == tag) return static_cast<std::int64_t>(d.d_un.d_val);
  return -1;
}

}  // namespace skyrind_test
