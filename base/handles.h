// Owned Win32 handles. An owned handle closes itself; a borrowed one is the plain handle type.
#pragma once

#include <windows.h>

#include <utility>

namespace quarrow {

template <class Handle, auto Close>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle h) : h_(h) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : h_(std::exchange(other.h_, Handle{})) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.h_, Handle{}));
    return *this;
  }
  ~Owned() { Reset(); }

  Handle Get() const { return h_; }
  explicit operator bool() const { return h_ != Handle{}; }
  Handle Release() { return std::exchange(h_, Handle{}); }
  void Reset(Handle h = Handle{}) {
    if (h_ != Handle{}) Close(h_);
    h_ = h;
  }

 private:
  Handle h_{};
};

inline void CloseWin32Handle(HANDLE h) {
  if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
}
inline void DestroyIconHandle(HICON h) { ::DestroyIcon(h); }
inline void DestroyCursorHandle(HCURSOR h) { ::DestroyCursor(h); }
inline void DestroyWindowHandle(HWND h) { ::DestroyWindow(h); }
inline void FreeModuleHandle(HMODULE h) { ::FreeLibrary(h); }
inline void DeleteGdiObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void DestroyMenuHandle(HMENU h) { ::DestroyMenu(h); }
inline void DestroyAcceleratorHandle(HACCEL h) { ::DestroyAcceleratorTable(h); }
inline void CloseFindHandle(HANDLE h) {
  if (h != INVALID_HANDLE_VALUE) ::FindClose(h);
}

using OwnedHandle = Owned<HANDLE, CloseWin32Handle>;
using OwnedIcon = Owned<HICON, DestroyIconHandle>;
using OwnedCursor = Owned<HCURSOR, DestroyCursorHandle>;
using OwnedWindow = Owned<HWND, DestroyWindowHandle>;
using OwnedModule = Owned<HMODULE, FreeModuleHandle>;
using OwnedFont = Owned<HFONT, DeleteGdiObject>;
using OwnedBrush = Owned<HBRUSH, DeleteGdiObject>;
using OwnedBitmap = Owned<HBITMAP, DeleteGdiObject>;
using OwnedRegion = Owned<HRGN, DeleteGdiObject>;
using OwnedMenu = Owned<HMENU, DestroyMenuHandle>;
using OwnedAccelerators = Owned<HACCEL, DestroyAcceleratorHandle>;

// A critical section that lives as long as its owner.
class CriticalSection {
 public:
  CriticalSection() { ::InitializeCriticalSection(&cs_); }
  ~CriticalSection() { ::DeleteCriticalSection(&cs_); }
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;
  void Lock() { ::EnterCriticalSection(&cs_); }
  void Unlock() { ::LeaveCriticalSection(&cs_); }

 private:
  CRITICAL_SECTION cs_;
};

class ScopedLock {
 public:
  explicit ScopedLock(CriticalSection& cs) : cs_(cs) { cs_.Lock(); }
  ~ScopedLock() { cs_.Unlock(); }
  ScopedLock(const ScopedLock&) = delete;
  ScopedLock& operator=(const ScopedLock&) = delete;

 private:
  CriticalSection& cs_;
};

}  // namespace quarrow
