// The instance's block in the scene: what save writes and in what order, and
// what load restores from whole, failing, short and corrupt blocks.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "module_fixture.h"
#include "refhost/state_reader.h"

namespace skyrind_test {
namespace {

using refhost::StateEncoding;

const char *const kChannels[] = {"HFOV", "VFOV", "HShift", "VShift"};
constexpr uint32_t kValueControls[] = {0x8001, 0x8002, 0x8008, 0x8009};

// The saved values: no double among them is a float, and every flag differs
// from the prior values below.
constexpr double kSavedValues[] = {0.1, 2.2, -0.3, 1.0 / 3};
constexpr int32_t kSavedFlags[] = {1, -2, 3, 0x7FFF, 1};
// What the loading instance holds before the load: all exact floats.
constexpr double kPriorValues[] = {5.5, 6.5, 7.5, 8.5};
constexpr int32_t kPriorFlags[] = {11, 12, 13, 14, 15};

double asFloat(double value) {
  return static_cast<float>(value);
}

// Checks the first `values` values and `flags` flags came from the saved
// instance and the rest kept their prior contents, as a save shows them.
void expectLoaded(const SavedState &state, int values, int flags, const std::string &where) {
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(state.values[i], i < values ? asFloat(kSavedValues[i]) : kPriorValues[i])
        << where << ", value " << i;
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(state.flags[i], i < flags ? kSavedFlags[i] : kPriorFlags[i])
        << where << ", flag " << i;
}

class Persistence : public HandlerWithInstance {
 protected:
  void SetUp() override {
    HandlerWithInstance::SetUp();
    target = handler.create(camera.handle()).instance;
    ASSERT_NE(target, nullptr);
    // The saved instance takes its flags from a scene and its values, which
    // are no floats, from the panel.
    fill(instance, kPriorValues, kSavedFlags);
    for (int i = 0; i < 4; ++i) session.edit(kValueControls[i], kSavedValues[i]);
    fill(target, kPriorValues, kPriorFlags);
    host.log().clear();
  }
  void TearDown() override {
    if (target) handler.destroy(target);
  }

  // Gives an instance values and flags as loading a scene does.
  void fill(void *into, const double (&values)[4], const int32_t (&flags)[5]) {
    SavedState state;
    for (int i = 0; i < 4; ++i) state.values[i] = static_cast<float>(values[i]);
    for (int i = 0; i < 5; ++i) state.flags[i] = static_cast<int16_t>(flags[i]);
    loadState(handler, into, state);
  }

  refhost::StateBlock saved(StateEncoding encoding) {
    refhost::SaveResult result = handler.save(instance, encoding);
    EXPECT_EQ(result.error, std::nullopt);
    return result.block;
  }

  void *target = nullptr;
};

TEST_F(Persistence, SaveThenLoadRestoresValuesAsFloatsAndFlagsExactly) {
  for (StateEncoding encoding : {StateEncoding::Binary, StateEncoding::Text}) {
    fill(target, kPriorValues, kPriorFlags);
    EXPECT_EQ(handler.load(target, saved(encoding)), std::nullopt);
    expectLoaded(savedState(target), 4, 5, encoding == StateEncoding::Text ? "text" : "binary");
  }
}

TEST_F(Persistence, SavesTheParametersThenEightFloatsThenEightIntegers) {
  const refhost::StateBlock block = saved(StateEncoding::Binary);
  const std::vector<refhost::Call> calls = host.log().calls();

  std::vector<const void *> parameterSaves;
  std::size_t lastParameterCall = 0;
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].service != VPARM_FUNCS_NAME) continue;
    EXPECT_EQ(calls[i].op, "save");
    parameterSaves.push_back(calls[i].pointers.at(0));
    lastParameterCall = i;
  }
  EXPECT_EQ(parameterSaves, (std::vector<const void *>{parameter("HFOV"), parameter("VFOV"),
                                                       parameter("HShift"), parameter("VShift")}));

  // The instance's own two writes close the block, after every parameter.
  ASSERT_GE(calls.size(), lastParameterCall + 3);
  const refhost::Call &floats = calls[calls.size() - 2];
  const refhost::Call &flags = calls.back();
  EXPECT_LT(lastParameterCall, calls.size() - 2);
  EXPECT_EQ(floats.name(), "SaveState.writeFP");
  EXPECT_EQ(floats.args.at(0), "8");
  EXPECT_EQ(floats.reals, (std::vector<double>{asFloat(0.1), asFloat(2.2), asFloat(-0.3),
                                               asFloat(1.0 / 3), 0, 0, 0, 0}));
  EXPECT_EQ(flags.line(), "SaveState.writeI2(8, 1, -2, 3, 32767, 1, 0, 0, 0)");

  // The same 48 bytes end the binary block: eight float32 then eight int16.
  ASSERT_GE(block.bytes.size(), 48u);
  float storedFloats[8];
  int16_t storedFlags[8];
  std::memcpy(storedFloats, block.bytes.data() + block.bytes.size() - 48, sizeof storedFloats);
  std::memcpy(storedFlags, block.bytes.data() + block.bytes.size() - 16, sizeof storedFlags);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(storedFloats[i], i < 4 ? static_cast<float>(kSavedValues[i]) : 0.0f) << i;
    EXPECT_EQ(storedFlags[i], i < 5 ? kSavedFlags[i] : 0) << i;
  }
}

TEST_F(Persistence, AFailingParameterSaveReturnsTheHostsMessageAndWritesNothingMore) {
  for (int failing = 0; failing < 4; ++failing) {
    host.faults().clear();
    host.faults().failChannelSave(kChannels[failing], "Disk full");
    host.log().clear();
    const refhost::SaveResult result = handler.save(instance, StateEncoding::Binary);
    EXPECT_EQ(result.error, "Disk full") << kChannels[failing];
    const std::vector<refhost::Call> parameterCalls = host.log().callsOf(VPARM_FUNCS_NAME);
    EXPECT_EQ(parameterCalls.size(), failing + 1u) << kChannels[failing];
    EXPECT_EQ(host.log().names().back(), "LWVParmFuncs 2.save") << kChannels[failing];
  }
}

TEST_F(Persistence, AFailingParameterLoadReturnsTheHostsMessageAndReadsNothingMore) {
  const refhost::StateBlock block = saved(StateEncoding::Binary);
  for (int failing = 0; failing < 4; ++failing) {
    host.faults().clear();
    host.faults().failChannelLoad(kChannels[failing], "Bad channel");
    host.log().clear();
    EXPECT_EQ(handler.load(target, block), "Bad channel") << kChannels[failing];
    EXPECT_EQ(host.log().callsOf(VPARM_FUNCS_NAME).size(), failing + 1u) << kChannels[failing];
    EXPECT_EQ(host.log().names().back(), "LWVParmFuncs 2.load") << kChannels[failing];
    expectLoaded(savedState(target), 0, 0, kChannels[failing]);
  }
}

TEST_F(Persistence, AShortBlockLeavesTheUndeliveredFieldsAsTheyWere) {
  for (StateEncoding encoding : {StateEncoding::Binary, StateEncoding::Text}) {
    const refhost::StateBlock block = saved(encoding);
    // How many values the parameters' own blocks take, from a whole load.
    host.log().clear();
    ASSERT_EQ(handler.load(target, block), std::nullopt);
    std::vector<refhost::Call> reads = host.log().callsOf("LoadState");
    ASSERT_GE(reads.size(), 2u);
    std::size_t parameterValues = 0;
    for (std::size_t i = 0; i + 2 < reads.size(); ++i)
      parameterValues += std::stoul(reads[i].result);
    const std::size_t total = parameterValues + 16;

    for (std::size_t limit = 0; limit <= total + 1; ++limit) {
      const std::string where = std::to_string(limit) + " values";
      fill(target, kPriorValues, kPriorFlags);
      const refhost::Message message = handler.load(target, block, limit);
      if (limit < parameterValues) {
        EXPECT_NE(message, std::nullopt) << where;
        expectLoaded(savedState(target), 0, 0, where);
        continue;
      }
      EXPECT_EQ(message, std::nullopt) << where;
      const auto delivered = [&](std::size_t from) {
        return static_cast<int>(std::clamp<std::size_t>(limit, from, from + 8) - from);
      };
      expectLoaded(savedState(target), delivered(parameterValues), delivered(parameterValues + 8),
                   where);
    }
  }
}

// A load state over a real block whose two eight-value reads report
// `claimed` values, as a host reading a corrupt block might.
class MisreportingState {
 public:
  MisreportingState(const refhost::StateBlock &block, int claimed)
      : reader_(block), claimed_(claimed) {
    state_ = *reader_.state();
    state_.readData = this;
    state_.readI2 = readI2;
    state_.readFP = readFP;
  }
  const LoadState *state() const { return &state_; }

 private:
  static int readI2(void *self, int16_t *values, int count) {
    auto *me = static_cast<MisreportingState *>(self);
    const int got = me->reader_.readI2(values, count);
    return count == 8 ? me->claimed_ : got;
  }
  static int readFP(void *self, float *values, int count) {
    auto *me = static_cast<MisreportingState *>(self);
    const int got = me->reader_.readFP(values, count);
    return count == 8 ? me->claimed_ : got;
  }

  refhost::StateReader reader_;
  int claimed_;
  LoadState state_{};
};

TEST_F(Persistence, ACorruptBlockIsReadOnlyWithinTheValuesAskedFor) {
  const refhost::StateBlock block = saved(StateEncoding::Binary);
  const struct {
    int claimed, values, flags;
  } cases[] = {{1000, 4, 5}, {9, 4, 5}, {2, 2, 2}, {0, 0, 0}, {-1, 0, 0}, {-1000, 0, 0}};
  for (const auto &c : cases) {
    fill(target, kPriorValues, kPriorFlags);
    MisreportingState state(block, c.claimed);
    EXPECT_EQ(handler.instanceFuncs().load(target, state.state()), nullptr);
    expectLoaded(savedState(target), c.values, c.flags, "claimed " + std::to_string(c.claimed));
  }

  // A text block whose float line is not numbers: nothing of the instance's is read.
  std::string text = saved(StateEncoding::Text).asText();
  const std::size_t floatLine = text.rfind('\n', text.rfind('\n', text.size() - 2) - 1) + 1;
  text.replace(floatLine, text.find('\n', floatLine) - floatLine, "junk");
  fill(target, kPriorValues, kPriorFlags);
  EXPECT_EQ(handler.load(target, refhost::StateBlock::fromText(text)), std::nullopt);
  expectLoaded(savedState(target), 0, 0, "junk floats");
}

}  // namespace
}  // namespace skyrind_test
