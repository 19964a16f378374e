#include "forms/window_map.h"

namespace quarrow::forms {

// Until the window engine reads form descriptions the program has no windows.
bool WindowMap::Read(const void*, std::size_t, const void*) { return true; }
bool WindowMap::LoadStartWindow(std::uint32_t) { return false; }
bool WindowMap::AnyWindowLive() const { return false; }
void WindowMap::ReleaseAll() { ids_.clear(); }
bool WindowMap::PreTranslate(MSG&) { return false; }
bool WindowMap::RaiseIdle(DWORD, std::vector<HWND>&) { return false; }
std::intptr_t WindowMap::Notify(std::int32_t, std::uintptr_t, std::uintptr_t) { return 0; }

}  // namespace quarrow::forms

namespace quarrow::forms {
std::uint64_t WindowMap::ReadProperty(std::uint32_t, std::uint32_t, std::int32_t, std::int32_t) { return 0; }
void WindowMap::WriteProperty(std::uint32_t, std::uint32_t, std::int32_t, std::int32_t, std::uint64_t) {}
std::uint64_t WindowMap::ReadDetachedProperty(std::uint32_t, void*, std::int32_t, std::int32_t) { return 0; }
void WindowMap::WriteDetachedProperty(std::uint32_t, void*, std::int32_t, std::int32_t, std::uint64_t) {}
}  // namespace quarrow::forms
