// A load state over one data block. Reads deliver what the block holds and
// never more: a short or corrupt block reads as fewer values.
#pragma once

#include <cstddef>
#include <optional>

#include "host/host_abi.h"
#include "refhost/call_log.h"
#include "refhost/state_block.h"

namespace refhost {

class StateReader {
 public:
  // Reads are logged to log (service "LoadState") when it is given. The
  // block is copied.
  explicit StateReader(StateBlock block, CallLog *log = nullptr);
  StateReader(const StateReader &) = delete;
  StateReader &operator=(const StateReader &) = delete;

  // The record handed to the plug-in; it points back at this reader.
  const LoadState *state() const { return &state_; }

  // Fault injection: after `values` more values the block reads as ended.
  void limitValues(std::size_t values) { budget_ = values; }

  // Each returns the number of values delivered (0 at the end of the block)
  // and advances by exactly that many.
  int readI2(std::int16_t *values, int count);
  int readFP(float *values, int count);

  bool atEnd() const;

 private:
  // Binary: copies one value of Size bytes if it is there.
  bool takeBytes(void *out, std::size_t size);
  // Text: where the next token starts and ends (start == size at the end).
  std::size_t tokenStart() const;
  std::size_t tokenEnd(std::size_t start) const;
  bool takeTextI2(std::int16_t &out);
  bool takeTextFP(float &out);
  bool budgetAllows() const { return !budget_ || *budget_ > 0; }
  void spend() {
    if (budget_) --*budget_;
  }

  LoadState state_{};
  StateBlock block_;
  std::size_t position_ = 0;  // byte offset of the next unread value
  std::optional<std::size_t> budget_;
  CallLog *log_;
};

}  // namespace refhost
