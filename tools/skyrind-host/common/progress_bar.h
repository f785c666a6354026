// A progress bar on stderr that shows only once a task has run for a second.
#pragma once

#include <chrono>
#include <cstddef>

namespace skyhost {

class ProgressBar {
 public:
  explicit ProgressBar(std::size_t total);
  ~ProgressBar();  // ends the bar's line if one was drawn

  void update(std::size_t done);
  double elapsedSeconds() const;

 private:
  std::size_t total_;
  std::chrono::steady_clock::time_point start_;
  bool drawn_ = false;
};

}  // namespace skyhost
