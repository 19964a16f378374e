// The window map: window id → window record, filled from the program's form descriptions at start-up.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quarrow::forms {

class WindowMap {
 public:
  // Reads every form description of the program; false when the stream cannot be read.
  bool Read(const void* data, std::size_t size, const void* code_base);
  // Loads the start window (not modal, no owner); false when the id is unknown or the load fails.
  bool LoadStartWindow(std::uint32_t window_id);
  // True while any window of the map has a live platform window.
  bool AnyWindowLive() const;
  // Releases every window record (shutdown).
  void ReleaseAll();
  // Offers a message to the window engine before it is translated and dispatched; true when consumed.
  bool PreTranslate(MSG& message);
  // Raises the idle event on every live window not yet excluded; windows without a handler or whose handler
  // returns 0 are added to the exclusion list. True when some handler asked for more idle time.
  bool RaiseIdle(DWORD elapsed_ms, std::vector<HWND>& excluded);
  std::size_t Count() const { return ids_.size(); }
  // Service entries 4 and 5: unit properties by (window id, unit id, property index, element index).
  std::uint64_t ReadProperty(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property,
                             std::int32_t element);
  void WriteProperty(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property, std::int32_t element,
                     std::uint64_t value);
  // Notify handlers 4 and 5: a unit type's own properties of a unit object, without window lookup.
  std::uint64_t ReadDetachedProperty(std::uint32_t unit_type, void* unit, std::int32_t property,
                                     std::int32_t element);
  void WriteDetachedProperty(std::uint32_t unit_type, void* unit, std::int32_t property, std::int32_t element,
                             std::uint64_t value);
  // The runtime notify codes about windows, units and events; codes without effect return 0.
  std::intptr_t Notify(std::int32_t code, std::uintptr_t arg1, std::uintptr_t arg2);

 private:
  std::vector<std::uint32_t> ids_;
};

}  // namespace quarrow::forms
