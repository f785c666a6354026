#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "refhost/state_reader.h"
#include "refhost/state_writer.h"

namespace refhost {
namespace {

std::vector<std::uint8_t> bytes(std::initializer_list<int> values) {
  std::vector<std::uint8_t> out;
  for (int v : values) out.push_back(static_cast<std::uint8_t>(v));
  return out;
}

bool sameBits(float a, float b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(StateWriterEncoding, BinaryIsLittleEndianValuesBackToBack) {
  StateWriter writer(StateEncoding::Binary);
  EXPECT_EQ(writer.state()->ioMode, 0);
  const std::int16_t ints[] = {1, -2};
  const float real = 1.5f;
  writer.state()->writeI2(writer.state()->writeData, ints, 2);
  writer.state()->writeFP(writer.state()->writeData, &real, 1);
  EXPECT_EQ(writer.block().bytes, bytes({0x01, 0x00, 0xFE, 0xFF, 0x00, 0x00, 0xC0, 0x3F}));
}

TEST(StateWriterEncoding, TextIsOneLinePerWriteWithRoundTrippingDigits) {
  StateWriter writer(StateEncoding::Text);
  EXPECT_EQ(writer.state()->ioMode, 1);
  const std::int16_t ints[] = {1, -2};
  const float reals[] = {0.1f, 1.5f};
  writer.state()->writeI2(writer.state()->writeData, ints, 2);
  writer.state()->writeFP(writer.state()->writeData, reals, 2);
  EXPECT_EQ(writer.block().asText(), "1 -2\n0.100000001 1.5\n");
}

TEST(StateWriterEncoding, IgnoresEmptyAndNullWrites) {
  StateWriter writer(StateEncoding::Text);
  const float real = 1;
  writer.writeFP(&real, 0);
  writer.writeFP(nullptr, 3);
  writer.writeI2(nullptr, -1);
  EXPECT_TRUE(writer.block().bytes.empty());
}

class StateRoundTrip : public testing::TestWithParam<StateEncoding> {};

TEST_P(StateRoundTrip, RestoresEveryValueBitForBit) {
  const float reals[] = {0.1f,
                         -0.0f,
                         1e-45f,
                         std::numeric_limits<float>::max(),
                         -std::numeric_limits<float>::min(),
                         3.14159274f,
                         INFINITY};
  const std::int16_t ints[] = {-32768, 32767, 0, -1};
  StateWriter writer(GetParam());
  writer.writeFP(reals, 7);
  writer.writeI2(ints, 4);
  writer.writeFP(reals + 5, 1);

  StateReader reader(writer.block());
  EXPECT_EQ(reader.state()->ioMode, static_cast<int>(GetParam()));
  float readReals[7] = {};
  std::int16_t readInts[4] = {};
  float last = 0;
  EXPECT_EQ(reader.state()->readFP(reader.state()->readData, readReals, 7), 7);
  EXPECT_EQ(reader.state()->readI2(reader.state()->readData, readInts, 4), 4);
  EXPECT_EQ(reader.state()->readFP(reader.state()->readData, &last, 1), 1);
  for (int i = 0; i < 7; ++i) EXPECT_TRUE(sameBits(readReals[i], reals[i])) << i;
  for (int i = 0; i < 4; ++i) EXPECT_EQ(readInts[i], ints[i]) << i;
  EXPECT_TRUE(sameBits(last, reals[5]));
  EXPECT_TRUE(reader.atEnd());
  EXPECT_EQ(reader.readFP(&last, 1), 0);
}

TEST_P(StateRoundTrip, KeepsNotANumber) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  StateWriter writer(GetParam());
  writer.writeFP(&nan, 1);
  StateReader reader(writer.block());
  float value = 0;
  ASSERT_EQ(reader.readFP(&value, 1), 1);
  EXPECT_TRUE(std::isnan(value));
}

TEST_P(StateRoundTrip, DeliversOnlyWhatIsLeftAndLeavesTheRestOfTheBuffer) {
  const float reals[] = {1, 2, 3};
  StateWriter writer(GetParam());
  writer.writeFP(reals, 3);
  StateReader reader(writer.block());
  float out[8] = {9, 9, 9, 9, 9, 9, 9, 9};
  EXPECT_EQ(reader.readFP(out, 8), 3);
  EXPECT_EQ(out[2], 3);
  EXPECT_EQ(out[3], 9);
  EXPECT_EQ(reader.readFP(out, 8), 0);
}

TEST_P(StateRoundTrip, AValueLimitEndsTheBlockEarly) {
  const float reals[] = {1, 2, 3, 4, 5, 6, 7, 8};
  const std::int16_t ints[] = {1, 2};
  StateWriter writer(GetParam());
  writer.writeFP(reals, 8);
  writer.writeI2(ints, 2);
  StateReader reader(writer.block());
  reader.limitValues(3);
  float out[8] = {};
  std::int16_t outInts[2] = {7, 7};
  EXPECT_EQ(reader.readFP(out, 8), 3);
  EXPECT_EQ(reader.readI2(outInts, 2), 0);
  EXPECT_EQ(outInts[0], 7);
}

TEST_P(StateRoundTrip, RefusesNullBuffersAndNegativeCounts) {
  const float reals[] = {1, 2};
  StateWriter writer(GetParam());
  writer.writeFP(reals, 2);
  StateReader reader(writer.block());
  float out[2] = {};
  EXPECT_EQ(reader.readFP(nullptr, 2), 0);
  EXPECT_EQ(reader.readFP(out, -4), 0);
  EXPECT_EQ(reader.readFP(out, 2), 2);  // nothing was consumed before
}

INSTANTIATE_TEST_SUITE_P(BothEncodings, StateRoundTrip,
                         testing::Values(StateEncoding::Binary, StateEncoding::Text));

TEST(StateReaderShortBlock, BinaryDeliversWholeValuesOnly) {
  StateReader reader(StateBlock{StateEncoding::Binary, bytes({0x05, 0x00, 0x07})});
  std::int16_t out[2] = {0, -9};
  EXPECT_EQ(reader.readI2(out, 2), 1);
  EXPECT_EQ(out[0], 5);
  EXPECT_EQ(out[1], -9);
  float real = 0;
  EXPECT_EQ(reader.readFP(&real, 1), 0);
  EXPECT_EQ(reader.readI2(out, 1), 0);
}

TEST(StateReaderCorruptText, StopsAtTheFirstValueThatDoesNotParse) {
  StateReader reader(StateBlock::fromText("1 x 3\n"));
  std::int16_t out[3] = {0, 0, 0};
  EXPECT_EQ(reader.readI2(out, 3), 1);
  EXPECT_EQ(reader.readI2(out, 3), 0);
  float real = 0;
  EXPECT_EQ(reader.readFP(&real, 1), 0);
}

TEST(StateReaderCorruptText, RefusesIntegersOutOfRangeAndFractions) {
  std::int16_t out = 0;
  StateReader big(StateBlock::fromText("40000\n"));
  EXPECT_EQ(big.readI2(&out, 1), 0);
  StateReader fraction(StateBlock::fromText("1.5\n"));
  EXPECT_EQ(fraction.readI2(&out, 1), 0);
  float real = 0;
  EXPECT_EQ(fraction.readFP(&real, 1), 1);
  EXPECT_EQ(real, 1.5f);
}

TEST(StateReaderCorruptText, ReadsAcrossLinesAndLineEndings) {
  StateReader reader(StateBlock::fromText("  1\t2\r\n\n3"));
  std::int16_t out[3] = {};
  EXPECT_EQ(reader.readI2(out, 3), 3);
  EXPECT_EQ(out[2], 3);
}

TEST(StateReaderArbitraryBytes, NeverDeliversMoreThanTheBlockHolds) {
  std::mt19937 random(1234);
  for (int round = 0; round < 2000; ++round) {
    std::vector<std::uint8_t> data(random() % 48);
    for (auto &b : data) b = static_cast<std::uint8_t>(random() % 3 ? random() : ' ');
    StateEncoding encoding = round % 2 ? StateEncoding::Text : StateEncoding::Binary;
    StateReader reader(StateBlock{encoding, data});
    std::size_t delivered = 0;
    for (int step = 0; step < 40; ++step) {
      float reals[8];
      std::int16_t ints[8];
      int got = step % 2 ? reader.readFP(reals, 1 + step % 8) : reader.readI2(ints, 1 + step % 8);
      ASSERT_GE(got, 0);
      ASSERT_LE(got, 1 + step % 8);
      delivered += static_cast<std::size_t>(got) * (step % 2 ? 4 : 2);
    }
    if (encoding == StateEncoding::Binary) {
      EXPECT_LE(delivered, data.size());
    }
  }
}

TEST(StateLogging, RecordsEachReadWithItsDeliveredCount) {
  CallLog log;
  const float reals[] = {1, 2};
  StateWriter writer(StateEncoding::Binary, &log);
  writer.writeFP(reals, 2);
  StateReader reader(writer.block(), &log);
  float out[4];
  reader.readFP(out, 4);
  auto calls = log.calls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].line(), "SaveState.writeFP(2, 1, 2)");
  EXPECT_EQ(calls[1].line(), "LoadState.readFP(4) -> 2");
}

}  // namespace
}  // namespace refhost
