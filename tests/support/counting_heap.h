// A heap for tests of runtime memory: counts live blocks, and fails the n-th request or every request above a
// size when told to.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <set>
#include <stdexcept>

#include "runtime/memory.h"

namespace quarrow::testing {

class CountingHeap final : public HeapBackend {
 public:
  void* Allocate(std::size_t size) override {
    if (ShouldFail(size)) return nullptr;
    void* p = std::malloc(size ? size : 1);
    live_.insert(p);
    return p;
  }
  void* Reallocate(void* block, std::size_t size) override {
    if (ShouldFail(size)) return nullptr;
    live_.erase(block);
    void* p = std::realloc(block, size ? size : 1);
    live_.insert(p);
    return p;
  }
  void Free(void* block) override {
    if (live_.erase(block) == 0) throw std::logic_error("freed a block this heap did not hand out");
    std::free(block);
  }
  ~CountingHeap() override {
    for (void* p : live_) std::free(p);
  }

  std::size_t Live() const { return live_.size(); }
  bool Owns(const void* p) const { return live_.count(const_cast<void*>(p)) != 0; }
  // Fail the request that comes n requests from now (1 = the next one).
  void FailRequest(int n) { fail_in_ = n; }
  void FailAbove(std::size_t size) { fail_above_ = size; }
  int Requests() const { return requests_; }

 private:
  bool ShouldFail(std::size_t size) {
    ++requests_;
    if (fail_in_ > 0 && --fail_in_ == 0) return true;
    return size > fail_above_;
  }
  std::set<void*> live_;
  int fail_in_ = 0;
  std::size_t fail_above_ = static_cast<std::size_t>(-1);
  int requests_ = 0;
};

// Turns the runtime error of a failed allocation into an exception the test can catch.
struct AllocationFailure {
  std::size_t size;
};
class ThrowingFailureSink final : public FailureSink {
 public:
  [[noreturn]] void AllocationFailed(std::size_t size) override { throw AllocationFailure{size}; }
};

}  // namespace quarrow::testing
