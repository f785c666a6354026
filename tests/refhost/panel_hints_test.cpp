#include "refhost/panel_hints.h"

#include <gtest/gtest.h>

namespace refhost {
namespace {

void hook() {}

TEST(PanelHintParsing, SplitsTagsIntoFixedArgumentsAndZeroEndedLists) {
  const XPanelHint title = reinterpret_cast<XPanelHint>("Title");
  const XPanelHint hookWord = reinterpret_cast<XPanelHint>(hook);
  const XPanelHint words[] = {0x3D01FE81, 0x800A,   0x8001, 0x8003, 0,  // group
                              0x3D000B03, 0,        title,  0,          // zeros as arguments
                              0x3D000F01, hookWord,                     //
                              0x3D014002, 0x8008,   -1000,              //
                              0x3D001201, -1,                           //
                              0};
  HintList parsed = parseHints(7, words);
  EXPECT_EQ(parsed.id, 7u);
  EXPECT_FALSE(parsed.truncated);
  EXPECT_EQ(parsed.raw, std::vector<XPanelHint>(std::begin(words), std::end(words)));
  ASSERT_EQ(parsed.hints.size(), 5u);
  EXPECT_EQ(parsed.hints[0].tag, XPANEL_HINT_GROUP);
  EXPECT_EQ(parsed.hints[0].args, std::vector<XPanelHint>{0x800A});
  EXPECT_EQ(parsed.hints[0].list, (std::vector<XPanelHint>{0x8001, 0x8003}));
  EXPECT_EQ(parsed.hints[1].args, (std::vector<XPanelHint>{0, title, 0}));
  EXPECT_TRUE(parsed.hints[1].list.empty());
  EXPECT_EQ(parsed.hints[2].args, std::vector<XPanelHint>{hookWord});
  EXPECT_EQ(parsed.hints[3].args, (std::vector<XPanelHint>{0x8008, -1000}));
  EXPECT_EQ(parsed.hints[4].args, std::vector<XPanelHint>{-1});
}

TEST(PanelHintParsing, AnEmptyListIsJustTheEndWord) {
  const XPanelHint words[] = {0};
  HintList parsed = parseHints(0, words);
  EXPECT_TRUE(parsed.hints.empty());
  EXPECT_EQ(parsed.raw, std::vector<XPanelHint>{0});
  EXPECT_FALSE(parsed.truncated);
  EXPECT_TRUE(parseHints(0, nullptr).raw.empty());
}

TEST(PanelHintParsing, StopsARunawayListAtTheCap) {
  std::vector<XPanelHint> words(5000, 0x8001);
  words[0] = 0x3D01FE81;  // a group whose member list never ends
  HintList parsed = parseHints(0, words.data());
  EXPECT_TRUE(parsed.truncated);
  EXPECT_EQ(parsed.raw.size(), kMaxHintWords);
  ASSERT_EQ(parsed.hints.size(), 1u);
  EXPECT_EQ(parsed.hints[0].list.size(), kMaxHintWords - 2);
}

TEST(PanelHintParsing, MarksAListCutInsideFixedArguments) {
  const XPanelHint words[] = {0x3D001201, -1, 0x3D000B03, 0, 0};
  HintList parsed = parseHints(0, words, 4);
  EXPECT_TRUE(parsed.truncated);
  ASSERT_EQ(parsed.hints.size(), 2u);
  EXPECT_EQ(parsed.hints[1].args, std::vector<XPanelHint>{0});
}

}  // namespace
}  // namespace refhost
