#include "refhost/state_reader.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <limits>

namespace refhost {
namespace {

bool isSpace(std::uint8_t c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

int readI2Thunk(void *data, std::int16_t *values, int count) {
  try {
    return static_cast<StateReader *>(data)->readI2(values, count);
  } catch (...) {
    return 0;
  }
}

int readFPThunk(void *data, float *values, int count) {
  try {
    return static_cast<StateReader *>(data)->readFP(values, count);
  } catch (...) {
    return 0;
  }
}

}  // namespace

StateReader::StateReader(StateBlock block, CallLog *log) : block_(std::move(block)), log_(log) {
  state_.ioMode = static_cast<int>(block_.encoding);
  state_.readData = this;
  state_.readI2 = readI2Thunk;
  state_.readFP = readFPThunk;
}

bool StateReader::atEnd() const {
  if (block_.encoding == StateEncoding::Binary) return position_ >= block_.bytes.size();
  return tokenStart() >= block_.bytes.size();
}

bool StateReader::takeBytes(void *out, std::size_t size) {
  if (block_.bytes.size() - position_ < size) return false;
  unsigned char raw[8];
  std::memcpy(raw, block_.bytes.data() + position_, size);
  if constexpr (std::endian::native == std::endian::big) std::reverse(raw, raw + size);
  std::memcpy(out, raw, size);
  position_ += size;
  return true;
}

std::size_t StateReader::tokenStart() const {
  std::size_t at = position_;
  while (at < block_.bytes.size() && isSpace(block_.bytes[at])) ++at;
  return at;
}

std::size_t StateReader::tokenEnd(std::size_t start) const {
  std::size_t at = start;
  while (at < block_.bytes.size() && !isSpace(block_.bytes[at])) ++at;
  return at;
}

bool StateReader::takeTextI2(std::int16_t &out) {
  std::size_t start = tokenStart();
  std::size_t end = tokenEnd(start);
  if (start == end) return false;
  const char *first = reinterpret_cast<const char *>(block_.bytes.data()) + start;
  const char *last = reinterpret_cast<const char *>(block_.bytes.data()) + end;
  int value = 0;
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last) return false;
  if (value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max())
    return false;
  out = static_cast<std::int16_t>(value);
  position_ = end;
  return true;
}

bool StateReader::takeTextFP(float &out) {
  std::size_t start = tokenStart();
  std::size_t end = tokenEnd(start);
  if (start == end) return false;
  const char *first = reinterpret_cast<const char *>(block_.bytes.data()) + start;
  const char *last = reinterpret_cast<const char *>(block_.bytes.data()) + end;
  float value = 0;
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last) return false;
  out = value;
  position_ = end;
  return true;
}

int StateReader::readI2(std::int16_t *values, int count) {
  CallLog::Token token;
  if (log_) token = log_->open(Call("LoadState", "readI2").integer(count));
  int delivered = 0;
  while (values != nullptr && delivered < count && budgetAllows()) {
    std::int16_t value = 0;
    bool got = block_.encoding == StateEncoding::Binary ? takeBytes(&value, sizeof value)
                                                        : takeTextI2(value);
    if (!got) break;
    values[delivered++] = value;
    spend();
  }
  if (log_) log_->close(token, [&](Call &c) { c.returnsInteger(delivered); });
  return delivered;
}

int StateReader::readFP(float *values, int count) {
  CallLog::Token token;
  if (log_) token = log_->open(Call("LoadState", "readFP").integer(count));
  int delivered = 0;
  while (values != nullptr && delivered < count && budgetAllows()) {
    float value = 0;
    bool got = block_.encoding == StateEncoding::Binary ? takeBytes(&value, sizeof value)
                                                        : takeTextFP(value);
    if (!got) break;
    values[delivered++] = value;
    spend();
  }
  if (log_) log_->close(token, [&](Call &c) { c.returnsInteger(delivered); });
  return delivered;
}

}  // namespace refhost
