#include "tests/support/test_heap.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace quarrow::testing {

namespace {

// Guarded blocks come from one reserved range, never reused, so a freed block's pages stay unreadable. A 32-bit
// process has 2 GB of addresses, seldom a free gigabyte in one piece: it reserves a quarter of that.
constexpr std::size_t kArenaSize = sizeof(void*) == 4 ? std::size_t{1} << 28 : std::size_t{1} << 30;
constexpr std::size_t kPage = 4096;
constexpr std::size_t kHeader = 16;  // the block's size, in front of it

std::atomic<int> guarded_scopes{0};
std::atomic<std::size_t> cap{0};  // 0: none
std::atomic<std::uint8_t*> arena{nullptr};
std::atomic<std::size_t> arena_used{0};

std::uint8_t* Arena() {
  if (std::uint8_t* a = arena.load()) return a;
  auto* reserved = static_cast<std::uint8_t*>(::VirtualAlloc(nullptr, kArenaSize, MEM_RESERVE, PAGE_NOACCESS));
  std::uint8_t* expected = nullptr;
  if (!arena.compare_exchange_strong(expected, reserved)) {
    ::VirtualFree(reserved, 0, MEM_RELEASE);
    return expected;
  }
  return reserved;
}

bool IsGuarded(const void* p) {
  const std::uint8_t* a = arena.load();
  return a != nullptr && p >= a && p < a + kArenaSize;
}

void* GuardedAllocate(std::size_t size) {
  const std::size_t span = (size + kHeader + kPage - 1) / kPage * kPage;
  const std::size_t offset = arena_used.fetch_add(span);
  std::uint8_t* base = Arena();
  if (base == nullptr || offset + span > kArenaSize) return nullptr;  // no range could be reserved, or it is full
  std::uint8_t* pages = base + offset;
  if (::VirtualAlloc(pages, span, MEM_COMMIT, PAGE_READWRITE) == nullptr) return nullptr;
  *reinterpret_cast<std::size_t*>(pages) = span;
  return pages + kHeader;
}

void GuardedFree(void* p) {
  std::uint8_t* pages = static_cast<std::uint8_t*>(p) - kHeader;
  ::VirtualFree(pages, *reinterpret_cast<std::size_t*>(pages), MEM_DECOMMIT);
}

void* Allocate(std::size_t size) {
  const std::size_t largest = cap.load();
  if (largest != 0 && size > largest) throw std::bad_alloc();
  void* p = guarded_scopes.load() > 0 ? GuardedAllocate(size) : std::malloc(size ? size : 1);
  if (p == nullptr) throw std::bad_alloc();
  return p;
}

void Free(void* p) {
  if (p == nullptr) return;
  if (IsGuarded(p)) {
    GuardedFree(p);
  } else {
    std::free(p);
  }
}

}  // namespace

GuardedHeap::GuardedHeap() {
  Arena();
  ++guarded_scopes;
}
GuardedHeap::~GuardedHeap() { --guarded_scopes; }

AllocationCap::AllocationCap(std::size_t largest) { cap = largest; }
AllocationCap::~AllocationCap() { cap = 0; }

}  // namespace quarrow::testing

void* operator new(std::size_t size) { return quarrow::testing::Allocate(size); }
void* operator new[](std::size_t size) { return quarrow::testing::Allocate(size); }
void operator delete(void* p) noexcept { quarrow::testing::Free(p); }
void operator delete[](void* p) noexcept { quarrow::testing::Free(p); }
void operator delete(void* p, std::size_t) noexcept { quarrow::testing::Free(p); }
void operator delete[](void* p, std::size_t) noexcept { quarrow::testing::Free(p); }
