#include "forms/window_map.h"

#include <algorithm>
#include <new>

#include "forms/win_form_unit.h"
#include "runtime/runtime.h"

namespace quarrow::forms {

HWND WindowRecord::Hwnd() const {
  if (working.empty()) return nullptr;
  HWND hwnd = working.front().Window();
  return hwnd && ::IsWindow(hwnd) ? hwnd : nullptr;
}

WinFormUnit* WindowRecord::Form() const {
  return working.empty() ? nullptr : static_cast<WinFormUnit*>(working.front().object);
}

std::optional<std::size_t> WindowRecord::IndexOf(std::uint32_t unit_id) const {
  if (working.empty()) return std::nullopt;
  if (unit_id == 0) return 0;
  for (std::size_t i = 0; i < working.size(); ++i) {
    if (working[i].id == unit_id) return i;
  }
  return std::nullopt;
}

LiveUnit* WindowRecord::Unit(std::uint32_t unit_id) {
  const auto index = IndexOf(unit_id);
  return index ? &working[*index] : nullptr;
}

LiveUnit* WindowRecord::UnitOfWindow(HWND window) {
  if (window == nullptr) return nullptr;
  for (LiveUnit& unit : working) {
    if (unit.Window() == window) return &unit;
  }
  // Types whose units own inner platform windows: a window inside one of them counts as the unit.
  for (std::size_t i = 1; i < working.size(); ++i) {
    LiveUnit& unit = working[i];
    if ((unit.Flags() & (unit_flag::kInnerWindowsA | unit_flag::kInnerWindowsB)) && unit.Window() &&
        ::IsChild(unit.Window(), window)) {
      return &unit;
    }
  }
  return nullptr;
}

WindowMap::WindowMap() = default;
WindowMap::~WindowMap() = default;

bool WindowMap::Read(const void* data, std::size_t size, const void* code_base) {
  // A description too large for the memory left is as unusable as a broken one: the program reports it the same way.
  try {
    return ReadOrThrow(data, size, code_base);
  } catch (const std::bad_alloc&) {
    windows_.clear();
    return false;
  }
}

bool WindowMap::ReadOrThrow(const void* data, std::size_t size, const void* code_base) {
  const auto form = ReadFormDescription({static_cast<const std::uint8_t*>(data), size});
  if (!form) return false;
  code_base_ = code_base;
  windows_.clear();
  for (const WindowDescription& description : form->windows) {
    auto window = std::make_unique<WindowRecord>();
    window->stored = description;
    // Handler fix-up: every handler of every record becomes an address (-1 none, otherwise code base + offset).
    for (std::size_t i = 0; i < description.units.Count(); ++i) {
      LiveUnit unit;
      unit.id = description.units.IdAt(i);
      unit.data = *ParseUnitRecord(*description.units.RecordAt(i));  // the reader parsed every record already
      if (unit.IsMenuItem()) {
        unit.handlers.push_back(ResolveHandler(code_base, unit.MenuItem().handler));
      } else {
        for (const EventBinding& binding : unit.Record().events) {
          unit.handlers.push_back(ResolveHandler(code_base, binding.handler));
        }
      }
      window->stored_units.push_back(std::move(unit));
    }
    windows_.push_back(std::move(window));
  }
  return true;
}

WindowRecord* WindowMap::Find(std::uint32_t window_id) {
  for (auto& window : windows_) {
    if (window->Id() == window_id) return window.get();
  }
  return nullptr;
}

const WindowRecord* WindowMap::Find(std::uint32_t window_id) const {
  return const_cast<WindowMap*>(this)->Find(window_id);
}

HWND WindowMap::FindUnitWindow(std::uint32_t window_id, std::string_view name, std::uint32_t type_flags) {
  WindowRecord* window = Find(window_id);
  if (window == nullptr || !window->Loaded()) return nullptr;
  const std::string wanted(name);
  for (const LiveUnit& unit : window->working) {
    if (unit.IsMenuItem() || !unit.Live()) continue;
    if (::lstrcmpiA(unit.Record().name.c_str(), wanted.c_str()) != 0) continue;
    const UnitTypeEntry* type = TheRuntime().FindUnitType(unit.UnitType());
    if (type != nullptr && (type->flags & type_flags) == type_flags) return unit.Window();
  }
  return nullptr;
}

WindowRecord* WindowMap::FindByWindow(HWND hwnd) {
  if (hwnd == nullptr) return nullptr;
  for (auto& window : windows_) {
    if (window->Loaded() && window->working.front().Window() == hwnd) return window.get();
  }
  return nullptr;
}

UnitObject* WindowMap::LiveUnitObject(std::uint32_t window_id, std::uint32_t unit_id) {
  WindowRecord* window = Find(window_id);
  if (window == nullptr) return nullptr;
  LiveUnit* unit = window->Unit(unit_id);
  if (unit == nullptr || unit->IsMenuItem() || !unit->Live()) return nullptr;
  return unit->object;
}

bool WindowMap::LoadStartWindow(std::uint32_t window_id) {
  return LoadWindow(window_id, false, false, nullptr);
}

bool WindowMap::AnyWindowLive() const {
  return std::any_of(windows_.begin(), windows_.end(), [](const auto& w) { return w->Hwnd() != nullptr; });
}

void WindowMap::ReleaseAll() {
  // Live windows are destroyed first (their closing runs without events, the busy counter being raised).
  for (auto& window : windows_) {
    if (HWND hwnd = window->Hwnd()) ::DestroyWindow(hwnd);
  }
  windows_.clear();
}

bool WindowMap::RaiseIdle(DWORD elapsed_ms, std::vector<HWND>& excluded) {
  bool more = false;
  // Handlers may load or close windows: walk over the ids as they are now.
  std::vector<std::uint32_t> ids;
  for (const auto& window : windows_) ids.push_back(window->Id());
  for (std::uint32_t id : ids) {
    WindowRecord* window = Find(id);
    HWND hwnd = window ? window->Hwnd() : nullptr;
    if (hwnd == nullptr || std::find(excluded.begin(), excluded.end(), hwnd) != excluded.end()) continue;
    const auto value = Raise(id, 0, window_event::kIdle, {elapsed_ms});
    if (!value || *value == 0) {
      excluded.push_back(hwnd);
    } else {
      more = true;
    }
  }
  return more;
}

const FontContext& WindowMap::Fonts() {
  if (!fonts_ready_) {
    fonts_ready_ = true;
    LOGFONTA font = {};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    static_assert(sizeof(LOGFONTA) == kFontDescriptionSize);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&font);
    fonts_.default_font.assign(bytes, bytes + sizeof font);
    HDC screen = ::GetDC(nullptr);
    fonts_.pixels_per_inch = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
  }
  return fonts_;
}

}  // namespace quarrow::forms
