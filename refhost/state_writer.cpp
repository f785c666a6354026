#include "refhost/state_writer.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <string>

namespace refhost {
namespace {

template <class Value>
void appendLittleEndian(std::vector<std::uint8_t> &bytes, Value value) {
  unsigned char raw[sizeof(Value)];
  std::memcpy(raw, &value, sizeof raw);
  // The machine is little-endian; keep the file order fixed regardless.
  if constexpr (std::endian::native == std::endian::big) std::reverse(raw, raw + sizeof raw);
  bytes.insert(bytes.end(), raw, raw + sizeof raw);
}

void appendLine(std::vector<std::uint8_t> &bytes, const std::string &line) {
  bytes.insert(bytes.end(), line.begin(), line.end());
  bytes.push_back('\n');
}

void writeI2Thunk(void *data, const std::int16_t *values, int count) {
  try {
    static_cast<StateWriter *>(data)->writeI2(values, count);
  } catch (...) {
  }
}

void writeFPThunk(void *data, const float *values, int count) {
  try {
    static_cast<StateWriter *>(data)->writeFP(values, count);
  } catch (...) {
  }
}

}  // namespace

StateWriter::StateWriter(StateEncoding encoding, CallLog *log) : log_(log) {
  block_.encoding = encoding;
  state_.ioMode = static_cast<int>(encoding);
  state_.writeData = this;
  state_.writeI2 = writeI2Thunk;
  state_.writeFP = writeFPThunk;
}

void StateWriter::writeI2(const std::int16_t *values, int count) {
  if (log_) {
    log_->record([&] {
      Call call("SaveState", "writeI2");
      call.integer(count);
      for (int i = 0; values && i < count; ++i) call.integer(values[i]);
      return call;
    });
  }
  if (values == nullptr || count <= 0) return;
  std::string line;
  for (int i = 0; i < count; ++i) {
    if (block_.encoding == StateEncoding::Binary) {
      appendLittleEndian(block_.bytes, values[i]);
    } else {
      line += (i ? " " : "") + std::to_string(values[i]);
    }
  }
  if (block_.encoding == StateEncoding::Text) appendLine(block_.bytes, line);
}

void StateWriter::writeFP(const float *values, int count) {
  if (log_) {
    log_->record([&] {
      Call call("SaveState", "writeFP");
      call.integer(count);
      for (int i = 0; values && i < count; ++i) call.real(values[i]);
      return call;
    });
  }
  if (values == nullptr || count <= 0) return;
  std::string line;
  for (int i = 0; i < count; ++i) {
    if (block_.encoding == StateEncoding::Binary) {
      appendLittleEndian(block_.bytes, values[i]);
    } else {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(values[i]));
      line += (i ? " " : "") + std::string(buf);
    }
  }
  if (block_.encoding == StateEncoding::Text) appendLine(block_.bytes, line);
}

}  // namespace refhost
