// A heap for tests of runtime memory: counts live blocks, and fails the n-th request or every request above a
// size when told to. On its own it takes blocks from the C library; in front of another heap (the runtime's
// process heap) it passes every request on, and frees of blocks that heap handed out before it came are passed
// on too and counted, instead of being refused.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <map>
#include <stdexcept>

#include "base/memory.h"

namespace quarrow::testing {

class CountingHeap final : public HeapBackend {
 public:
  CountingHeap() = default;
  explicit CountingHeap(HeapBackend& inner) : inner_(&inner) {}
  CountingHeap(const CountingHeap&) = delete;

  void* Allocate(std::size_t size) override {
    if (ShouldFail(size)) return nullptr;
    void* p = inner_ ? inner_->Allocate(size) : std::malloc(size ? size : 1);
    if (p) live_[p] = size;
    return p;
  }
  void* Reallocate(void* block, std::size_t size) override {
    if (ShouldFail(size)) return nullptr;
    if (live_.erase(block) == 0 && !inner_) throw std::logic_error("resized a block this heap did not hand out");
    void* p = inner_ ? inner_->Reallocate(block, size) : std::realloc(block, size ? size : 1);
    if (p) live_[p] = size;
    return p;
  }
  void Free(void* block) override {
    if (live_.erase(block) == 0) {
      if (!inner_) throw std::logic_error("freed a block this heap did not hand out");
      ++foreign_frees_;
    }
    if (inner_) {
      inner_->Free(block);
    } else {
      std::free(block);
    }
  }
  // Blocks still live in a heap of its own go with it; those of the heap behind stay with the program, which may
  // still hold them.
  ~CountingHeap() override {
    if (inner_) return;
    for (const auto& [p, size] : live_) std::free(p);
  }

  std::size_t Live() const { return live_.size(); }
  std::size_t LiveBytes() const {
    std::size_t bytes = 0;
    for (const auto& [p, size] : live_) bytes += size;
    return bytes;
  }
  // The live blocks and their sizes.
  const std::map<void*, std::size_t>& LiveBlocks() const { return live_; }
  bool Owns(const void* p) const { return live_.count(const_cast<void*>(p)) != 0; }
  // Fail the request that comes n requests from now (1 = the next one).
  void FailRequest(int n) { fail_in_ = n; }
  void FailAbove(std::size_t size) { fail_above_ = size; }
  int Requests() const { return requests_; }
  // The size of the last request this heap refused, or 0.
  std::size_t LastFailedSize() const { return last_failed_size_; }
  // Frees, passed on to the heap behind, of blocks handed out before this heap came in front of it.
  int ForeignFrees() const { return foreign_frees_; }

 private:
  bool ShouldFail(std::size_t size) {
    ++requests_;
    const bool fail = (fail_in_ > 0 && --fail_in_ == 0) || size > fail_above_;
    if (fail) last_failed_size_ = size;
    return fail;
  }
  HeapBackend* inner_ = nullptr;
  std::map<void*, std::size_t> live_;
  int fail_in_ = 0;
  std::size_t fail_above_ = static_cast<std::size_t>(-1);
  int requests_ = 0;
  std::size_t last_failed_size_ = 0;
  int foreign_frees_ = 0;
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
