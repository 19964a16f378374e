// The program's own operator new and delete, replaced for the test programs that link this file, with two modes a
// test can switch on for a while:
//
//   GuardedHeap    blocks allocated while one lives get pages of their own, and their pages become unreadable
//                  when the block is freed (whenever that is), so that a read through a dangling pointer faults
//                  at once instead of reading whatever is left there.
//   AllocationCap  requests above a size throw std::bad_alloc, as a heap that has run dry does.
//
// Outside both, requests go to the C library's heap as usual.
#pragma once

#include <cstddef>

namespace quarrow::testing {

class GuardedHeap {
 public:
  GuardedHeap();
  ~GuardedHeap();
  GuardedHeap(const GuardedHeap&) = delete;
  GuardedHeap& operator=(const GuardedHeap&) = delete;
};

class AllocationCap {
 public:
  explicit AllocationCap(std::size_t largest);
  ~AllocationCap();
  AllocationCap(const AllocationCap&) = delete;
  AllocationCap& operator=(const AllocationCap&) = delete;
};

}  // namespace quarrow::testing
