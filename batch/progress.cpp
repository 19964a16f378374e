#include "batch/progress.h"

#include <cstdio>

namespace quarrow::batch {

void Progress::Update(std::uint64_t rows) {
  if (!shown_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - last_ < std::chrono::milliseconds(250)) return;
  last_ = now;
  std::fprintf(stderr, "\r%3u%% (%llu of %llu rows)", static_cast<unsigned>(rows * 100 / count_),
               static_cast<unsigned long long>(rows), static_cast<unsigned long long>(count_));
  std::fflush(stderr);
}

void Progress::Done() {
  if (shown_) {
    std::fprintf(stderr, "\r100%% (%llu of %llu rows)\n", static_cast<unsigned long long>(count_),
                 static_cast<unsigned long long>(count_));
  }
}

}  // namespace quarrow::batch
