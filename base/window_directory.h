// The window engine as the layers below it see it. The runtime object holds the program's window map through this
// interface, handed to it at start by a layer above it, and reaches windows, units and events only through it; a
// unit asks it (runtime notify code 1001) for the platform window of another unit, found by name.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quarrow {

class WindowDirectory {
 public:
  virtual ~WindowDirectory() = default;

  // Start-up: reads every form description of the program (false when the stream cannot be read), then loads the
  // start window, not modal and without owner (false when the id is unknown or the load fails).
  virtual bool Read(const void* data, std::size_t size, const void* code_base) = 0;
  virtual bool LoadStartWindow(std::uint32_t window_id) = 0;

  // The message loop: whether any window has a live platform window; the engine's look at a message before it is
  // translated and dispatched (true when it consumed the message); the windows' idle events, raised on every live
  // window not yet excluded, where windows without a handler or whose handler returns 0 join the exclusion list
  // (true when some handler asked for more idle time).
  virtual bool AnyWindowLive() const = 0;
  virtual bool PreTranslate(MSG& message) = 0;
  virtual bool RaiseIdle(DWORD elapsed_ms, std::vector<HWND>& excluded) = 0;

  // Shutdown: releases every window record.
  virtual void ReleaseAll() = 0;

  // Service entries 4 and 5: unit properties by (window id, unit id, property index, element index).
  virtual std::uint64_t ReadProperty(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property,
                                     std::int32_t element) = 0;
  virtual void WriteProperty(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t property,
                             std::int32_t element, std::uint64_t value) = 0;
  // Notify handlers 4 and 5: a unit type's own properties of a unit object, without window lookup.
  virtual std::uint64_t ReadDetachedProperty(std::uint32_t unit_type, void* unit, std::int32_t property,
                                             std::int32_t element) = 0;
  virtual void WriteDetachedProperty(std::uint32_t unit_type, void* unit, std::int32_t property,
                                     std::int32_t element, std::uint64_t value) = 0;

  // The runtime notify codes about windows, units and events; codes without effect return 0.
  virtual std::intptr_t Notify(std::int32_t code, std::uintptr_t arg1, std::uintptr_t arg2) = 0;

  // The platform window of a live unit of a loaded window, found by its name (compared case-insensitively) among
  // the units whose type carries the given flags; a data-bound unit asks for its data provider this way.
  virtual HWND FindUnitWindow(std::uint32_t window_id, std::string_view name, std::uint32_t type_flags) = 0;
};

}  // namespace quarrow
