#include "refhost/channel.h"

#include <gtest/gtest.h>

#include "refhost/channel_store.h"
#include "refhost/state_reader.h"
#include "refhost/state_writer.h"

namespace refhost {
namespace {

Channel animatedChannel() {
  Channel channel(VPARM_ANGLE);
  channel.curve().setStaticValue(0.1);
  channel.curve().setKey(0, 1.0 / 3.0, KeyShape::Smooth);
  channel.curve().setKey(0.5, 2.0, KeyShape::Linear);
  channel.curve().setKey(1.25, -4.0, KeyShape::Smooth);
  return channel;
}

StateBlock saved(const Channel &channel, StateEncoding encoding) {
  StateWriter writer(encoding);
  EXPECT_EQ(channel.save(*writer.state()), std::nullopt);
  return writer.block();
}

class ChannelPersistence : public testing::TestWithParam<StateEncoding> {};

TEST_P(ChannelPersistence, RestoresStaticValueAndKeysAsFloats) {
  Channel original = animatedChannel();
  StateReader reader(saved(original, GetParam()));
  Channel restored(VPARM_ANGLE);
  ASSERT_EQ(restored.load(*reader.state()), std::nullopt);
  EXPECT_TRUE(reader.atEnd());

  EXPECT_EQ(restored.curve().staticValue(), static_cast<double>(0.1f));
  ASSERT_EQ(restored.curve().keys().size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const Key &a = original.curve().keys()[i];
    const Key &b = restored.curve().keys()[i];
    EXPECT_EQ(b.time, static_cast<double>(static_cast<float>(a.time)));
    EXPECT_EQ(b.value, static_cast<double>(static_cast<float>(a.value)));
    EXPECT_EQ(b.shape, a.shape);
  }
}

TEST_P(ChannelPersistence, AnyTruncationFailsAndLeavesTheChannelAlone) {
  StateBlock block = saved(animatedChannel(), GetParam());
  for (std::size_t length = 0; length < block.bytes.size(); ++length) {
    StateBlock cut{block.encoding, {block.bytes.begin(), block.bytes.begin() + length}};
    // Text without only its final line end still holds every value.
    if (GetParam() == StateEncoding::Text && length + 1 == block.bytes.size()) continue;
    StateReader reader(cut);
    Channel target(VPARM_PERCENT);
    target.curve().setStaticValue(7);
    auto error = target.load(*reader.state());
    EXPECT_EQ(error, "Channel data ends early") << length;
    EXPECT_EQ(target.curve().staticValue(), 7) << length;
    EXPECT_FALSE(target.curve().animated()) << length;
  }
}

INSTANTIATE_TEST_SUITE_P(BothEncodings, ChannelPersistence,
                         testing::Values(StateEncoding::Binary, StateEncoding::Text));

TEST(ChannelLoad, RefusesABadShapeOrKeyCount) {
  Channel channel(VPARM_ANGLE);
  StateReader badShape(StateBlock::fromText("1\n1\n0 2\n5\n"));
  EXPECT_EQ(channel.load(*badShape.state()), "Bad key shape in channel data");
  StateReader badCount(StateBlock::fromText("1\n-3\n"));
  EXPECT_EQ(channel.load(*badCount.state()), "Bad key count in channel data");
  StateReader badTime(StateBlock::fromText("1\n1\ninf 2\n0\n"));
  EXPECT_EQ(channel.load(*badTime.state()), "Bad key time in channel data");
  EXPECT_FALSE(channel.curve().animated());
}

TEST(ChannelCopy, CopiesAnimationButKeepsNameGroupAndType) {
  int group = 0;
  Channel source = animatedChannel();
  source.registerAs("Source", &group);
  Channel target(VPARM_PERCENT);
  target.registerAs("Target", nullptr);
  target.copyAnimationFrom(source);
  EXPECT_EQ(target.valueAt(0.25), source.valueAt(0.25));
  EXPECT_EQ(target.curve().staticValue(), 0.1);
  EXPECT_EQ(target.name(), "Target");
  EXPECT_EQ(target.group(), nullptr);
  EXPECT_EQ(target.valueType(), VPARM_PERCENT);
}

TEST(ChannelStoreLookup, FindsLiveChannelsByHandleOrByGroupAndName) {
  ChannelStore store;
  int groupA = 0, groupB = 0;
  Channel &a = store.create(VPARM_ANGLE);
  Channel &b = store.create(VPARM_ANGLE);
  a.registerAs("HFOV", &groupA);
  b.registerAs("HFOV", &groupB);
  EXPECT_EQ(store.find(ChannelStore::handleOf(a)), &a);
  EXPECT_EQ(store.find(&groupB, "HFOV"), &b);
  EXPECT_EQ(store.find(&groupA, "VFOV"), nullptr);
  EXPECT_EQ(store.find(&groupA), nullptr);  // a stray pointer is not a channel

  void *handle = ChannelStore::handleOf(a);
  EXPECT_TRUE(store.destroy(handle));
  EXPECT_FALSE(store.destroy(handle));
  EXPECT_EQ(store.find(handle), nullptr);
  EXPECT_EQ(store.find(&groupA, "HFOV"), nullptr);
  EXPECT_EQ(store.all(), std::vector<Channel *>{&b});
}

}  // namespace
}  // namespace refhost
