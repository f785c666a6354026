// What the built ELF file exports and needs from the dynamic loader.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "elf_dynamic_linkage.h"

namespace skyrind_test {
namespace {

TEST(BuiltFile, ExportsTheDescriptorAndNothingElse) {
  const DynamicLinkage linkage = readDynamicLinkage(SKYRIND_PLUGIN_PATH);
  EXPECT_EQ(linkage.exported, std::vector<std::string>{"_mod_descrip"});
}

TEST(BuiltFile, NeedsOnlyTheCAndCxxRuntimes) {
  if (SKYRIND_SANITIZED) GTEST_SKIP() << "a sanitizer build links its own runtime";
  const std::set<std::string> allowed = {"libm.so.6", "libc.so.6", "libstdc++.so.6",
                                         "libgcc_s.so.1"};
  const DynamicLinkage linkage = readDynamicLinkage(SKYRIND_PLUGIN_PATH);
  EXPECT_FALSE(linkage.needed.empty());
  for (const std::string &library : linkage.needed)
    EXPECT_TRUE(allowed.count(library)) << "needs " << library;
}

}  // namespace
}  // namespace skyrind_test
