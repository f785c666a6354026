#include "common/progress_bar.h"

#include <cstdio>
#include <string>

namespace skyhost {

ProgressBar::ProgressBar(std::size_t total)
    : total_(total), start_(std::chrono::steady_clock::now()) {}

ProgressBar::~ProgressBar() {
  if (drawn_) std::fputc('\n', stderr);
}

double ProgressBar::elapsedSeconds() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void ProgressBar::update(std::size_t done) {
  if (!drawn_ && elapsedSeconds() < 1.0) return;
  constexpr int width = 40;
  double fraction = total_ ? static_cast<double>(done) / total_ : 1.0;
  int filled = static_cast<int>(fraction * width);
  std::fprintf(stderr, "\r[%s%s] %3d%%", std::string(filled, '#').c_str(),
               std::string(width - filled, ' ').c_str(), static_cast<int>(fraction * 100));
  std::fflush(stderr);
  drawn_ = true;
}

}  // namespace skyhost
