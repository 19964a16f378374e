// What a unit may ask of the window map that the runtime hands it (runtime notify code 1001): the platform window
// of a live unit of a loaded window, found by its name (compared case-insensitively) among the units whose type
// carries the given flags. The window engine answers; a data-bound unit asks for its data provider this way.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace quarrow {

class WindowDirectory {
 public:
  virtual HWND FindUnitWindow(std::uint32_t window_id, std::string_view name, std::uint32_t type_flags) = 0;

 protected:
  ~WindowDirectory() = default;
};

}  // namespace quarrow
