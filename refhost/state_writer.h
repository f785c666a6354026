// A save state that appends to a data block.
#pragma once

#include "host/host_abi.h"
#include "refhost/call_log.h"
#include "refhost/state_block.h"

namespace refhost {

class StateWriter {
 public:
  // Writes are logged to log (service "SaveState") when it is given.
  explicit StateWriter(StateEncoding encoding, CallLog *log = nullptr);
  StateWriter(const StateWriter &) = delete;
  StateWriter &operator=(const StateWriter &) = delete;

  // The record handed to the plug-in; it points back at this writer.
  const SaveState *state() const { return &state_; }
  const StateBlock &block() const { return block_; }

  void writeI2(const std::int16_t *values, int count);
  void writeFP(const float *values, int count);

 private:
  SaveState state_{};
  StateBlock block_;
  CallLog *log_;
};

}  // namespace refhost
