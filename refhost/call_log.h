// The record of every host operation the plug-in calls: service, operation,
// printed arguments and raw values, in call order. Thread-safe.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace refhost {

// Printing used for every logged value, so tests can build the same text.
std::string printPointer(const void *p);  // "null" or "0x..." in hex
std::string printReal(double value);      // %.17g: reads back exactly

struct Call {
  Call() = default;
  Call(std::string service, std::string op) : service(std::move(service)), op(std::move(op)) {}

  std::string service;                 // e.g. "LWVParmFuncs 2", or "global" for lookups
  std::string op;                      // e.g. "create", "lookup"
  std::vector<std::string> args;       // every argument, printed
  std::vector<const void *> pointers;  // raw pointer arguments, in order
  std::vector<double> reals;           // raw floating-point arguments, in order
  std::string result;                  // printed return value; empty for void
  const void *returnedPointer = nullptr;
  double returnedReal = 0.0;

  Call &ptr(const void *p);
  Call &real(double value);
  Call &integer(long long value);
  Call &text(const char *s);  // a null string prints as "null"

  // Sets the printed (and raw) result.
  Call &returnsPtr(const void *p);
  Call &returnsReal(double value);
  Call &returnsInteger(long long value);
  Call &returnsText(const char *s);

  std::string name() const { return service + "." + op; }
  // "service.op(arg, arg) -> result"
  std::string line() const;
};

class CallLog {
 public:
  // Names an entry being recorded so its result can be filled in later.
  struct Token {
    std::uint64_t generation = 0;
    std::size_t index = SIZE_MAX;
  };

  // Records a call at once; build it only when logging is on.
  template <class MakeCall>
  void record(MakeCall &&make) {
    if (enabled()) open(make());
  }

  // Records the start of a call, before nested calls it makes; close() adds
  // the result. Both are cheap no-ops while logging is off.
  Token open(Call call);
  // Applies finish to the entry (if it still exists) under the lock.
  template <class Finish>
  void close(Token token, Finish &&finish) {
    std::lock_guard lock(mutex_);
    if (token.generation != generation_ || token.index >= calls_.size()) return;
    finish(calls_[token.index]);
  }

  std::vector<Call> calls() const;
  // Only the calls of one service.
  std::vector<Call> callsOf(std::string_view service) const;
  // name() of every call, in order: handy for call-order assertions.
  std::vector<std::string> names() const;
  std::size_t size() const;
  void clear();

  // Off for performance-sensitive runs: nothing is recorded.
  void setEnabled(bool on);
  bool enabled() const;

 private:
  mutable std::mutex mutex_;
  std::vector<Call> calls_;
  std::uint64_t generation_ = 1;
  bool enabled_ = true;
};

}  // namespace refhost
