// Progress on standard error: "12% (1200000 of 10000000 rows)" on one line, rewritten about four times a second.
#pragma once

#include <chrono>
#include <cstdint>

namespace quarrow::batch {

class Progress {
 public:
  // Shows nothing unless `shown`; `count` is the rows the run writes.
  Progress(bool shown, std::uint64_t count) : shown_(shown), count_(count) {}
  void Update(std::uint64_t rows);
  void Done();

 private:
  bool shown_;
  std::uint64_t count_;
  std::chrono::steady_clock::time_point last_{};
};

}  // namespace quarrow::batch
