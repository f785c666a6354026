// How the plug-in is linked: it exports its descriptor only and carries the
// usual hardening (full RELRO, stack protector, fortified calls, no
// executable stack).
#include <gtest/gtest.h>

#include <algorithm>

#include "hardening/elf_file.h"

namespace skyrind_test {
namespace {

class PluginElf : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { elf_ = new ElfFile(SKYRIND_PLUGIN_PATH); }
  static void TearDownTestSuite() { delete elf_; }
  static const ElfFile &elf() { return *elf_; }

  static bool imports(bool (*match)(const std::string &)) {
    const auto &symbols = elf().dynamicSymbols();
    return std::any_of(symbols.begin(), symbols.end(),
                       [&](const ElfSymbol &s) { return !s.defined && match(s.name); });
  }
  static bool sanitized() {
    return imports([](const std::string &name) { return name.rfind("__asan_", 0) == 0; }) ||
           imports([](const std::string &name) { return name.rfind("__tsan_", 0) == 0; });
  }

 private:
  static inline ElfFile *elf_ = nullptr;
};

TEST_F(PluginElf, ExportsOnlyTheModuleDescriptor) {
  ASSERT_TRUE(elf().ok());
  std::vector<std::string> exported;
  for (const ElfSymbol &s : elf().dynamicSymbols())
    if (s.defined && s.binding != STB_LOCAL && s.visibility == STV_DEFAULT)
      exported.push_back(s.name);
  EXPECT_EQ(exported, std::vector<std::string>{"_mod_descrip"});
}

TEST_F(PluginElf, HasFullRelroAndBindsNow) {
  ASSERT_TRUE(elf().ok());
  EXPECT_NE(elf().segment(PT_GNU_RELRO), nullptr);
  const std::int64_t flags = elf().dynamic(DT_FLAGS);
  const std::int64_t flags1 = elf().dynamic(DT_FLAGS_1);
  const bool now = elf().dynamic(DT_BIND_NOW) != -1 || (flags != -1 && (flags & DF_BIND_NOW)) ||
                   (flags1 != -1 && (flags1 & DF_1_NOW));
  EXPECT_TRUE(now);
}

TEST_F(PluginElf, StackIsNotExecutable) {
  ASSERT_TRUE(elf().ok());
  const Elf64_Phdr *stack = elf().segment(PT_GNU_STACK);
  ASSERT_NE(stack, nullptr);
  EXPECT_EQ(stack->p_flags & PF_X, 0u);
}

// Built with -fstack-protector-strong: the functions with local arrays
// (the load's read buffers) call the guard's failure handler.
TEST_F(PluginElf, UsesTheStackProtector) {
  ASSERT_TRUE(elf().ok());
  if (sanitized()) GTEST_SKIP() << "sanitizer builds replace the stack guard with their own checks";
  EXPECT_TRUE(imports([](const std::string &name) { return name == "__stack_chk_fail"; }));
}

// Built with _FORTIFY_SOURCE=2 outside Debug: a libc call that has a checked
// form is imported only in that form (__memcpy_chk, not memcpy). Calls the
// compiler proved in bounds are inlined and import nothing.
TEST_F(PluginElf, ImportsOnlyCheckedFormsOfFortifiableCalls) {
  ASSERT_TRUE(elf().ok());
  if (!SKYRIND_PLUGIN_FORTIFIED) GTEST_SKIP() << "Debug builds compile without _FORTIFY_SOURCE";
  if (sanitized()) GTEST_SKIP() << "sanitizer builds intercept the libc calls instead";
  static const std::vector<std::string> kFortifiable = {
      "memcpy",  "memmove", "memset",  "mempcpy",  "strcpy",   "stpcpy",    "strncpy",
      "strcat",  "strncat", "sprintf", "snprintf", "vsprintf", "vsnprintf", "printf",
      "fprintf", "fgets",   "read",    "realpath", "getcwd",   "wcscpy",    "swprintf"};
  for (const ElfSymbol &s : elf().dynamicSymbols()) {
    if (s.defined) continue;
    EXPECT_EQ(std::count(kFortifiable.begin(), kFortifiable.end(), s.name), 0)
        << s.name << " is imported unchecked";
  }
}

}  // namespace
}  // namespace skyrind_test
