// What a library keeps of the runtime: the runtime notify entry handed to it at start (library notify code 1).
// Commands and units of the library reach the runtime only through it.
#pragma once

#include <atomic>
#include <cstdint>

#include "base/program_header.h"

namespace quarrow {

class LibraryLink {
 public:
  void Connect(NotifyRoutine notify) { notify_.store(notify); }
  bool Connected() const { return notify_.load() != nullptr; }
  std::intptr_t Notify(std::int32_t code, std::uintptr_t arg1 = 0, std::uintptr_t arg2 = 0) const {
    NotifyRoutine notify = notify_.load();
    return notify ? notify(code, arg1, arg2) : 0;
  }

 private:
  std::atomic<NotifyRoutine> notify_{nullptr};
};

}  // namespace quarrow
