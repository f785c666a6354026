#include "refhost/call_log.h"

#include <cstdio>

namespace refhost {

std::string printPointer(const void *p) {
  if (p == nullptr) return "null";
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%llx",
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(p)));
  return buf;
}

std::string printReal(double value) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", value);
  return buf;
}

Call &Call::ptr(const void *p) {
  args.push_back(printPointer(p));
  pointers.push_back(p);
  return *this;
}

Call &Call::real(double value) {
  args.push_back(printReal(value));
  reals.push_back(value);
  return *this;
}

Call &Call::integer(long long value) {
  args.push_back(std::to_string(value));
  return *this;
}

Call &Call::text(const char *s) {
  args.push_back(s ? s : "null");
  return *this;
}

Call &Call::returnsPtr(const void *p) {
  result = printPointer(p);
  returnedPointer = p;
  return *this;
}

Call &Call::returnsReal(double value) {
  result = printReal(value);
  returnedReal = value;
  return *this;
}

Call &Call::returnsInteger(long long value) {
  result = std::to_string(value);
  return *this;
}

Call &Call::returnsText(const char *s) {
  result = s ? s : "null";
  return *this;
}

std::string Call::line() const {
  std::string out = name() + "(";
  for (std::size_t i = 0; i < args.size(); ++i) out += (i ? ", " : "") + args[i];
  out += ")";
  if (!result.empty()) out += " -> " + result;
  return out;
}

CallLog::Token CallLog::open(Call call) {
  std::lock_guard lock(mutex_);
  if (!enabled_) return Token{};
  calls_.push_back(std::move(call));
  return Token{generation_, calls_.size() - 1};
}

std::vector<Call> CallLog::calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

std::vector<Call> CallLog::callsOf(std::string_view service) const {
  std::lock_guard lock(mutex_);
  std::vector<Call> out;
  for (const Call &c : calls_)
    if (c.service == service) out.push_back(c);
  return out;
}

std::vector<std::string> CallLog::names() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> out;
  out.reserve(calls_.size());
  for (const Call &c : calls_) out.push_back(c.name());
  return out;
}

std::size_t CallLog::size() const {
  std::lock_guard lock(mutex_);
  return calls_.size();
}

void CallLog::clear() {
  std::lock_guard lock(mutex_);
  calls_.clear();
  ++generation_;
}

void CallLog::setEnabled(bool on) {
  std::lock_guard lock(mutex_);
  enabled_ = on;
}

bool CallLog::enabled() const {
  std::lock_guard lock(mutex_);
  return enabled_;
}

}  // namespace refhost
