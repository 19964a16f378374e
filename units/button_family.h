// What the units on the "BUTTON" class share: the alignment styles and the picture shown instead of the caption.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>

#include "internals/picture.h"

namespace quarrow {

inline constexpr LONG_PTR kHorizontalAlignmentMask = 0x300;
inline constexpr LONG_PTR kVerticalAlignmentMask = 0xC00;

// Horizontal 0 left, 1 centre, 2 right; vertical 0 top, 1 centre, 2 bottom. Values outside 0..2 are clamped.
DWORD HorizontalAlignmentStyle(std::int32_t alignment);
DWORD VerticalAlignmentStyle(std::int32_t alignment);

// A picture on a button: decoded, made into an icon or a bitmap over the button's background, handed to the
// control with BM_SETIMAGE. It goes with its owner. A picture that cannot be decoded or converted shows nothing,
// and the caption shows instead.
class ButtonPicture {
 public:
  // Decodes the bytes and makes the display handle for the screen. Returns the style bit the button needs
  // (BS_ICON or BS_BITMAP), or 0 when there is nothing to show.
  DWORD Prepare(std::span<const std::uint8_t> bytes, COLORREF background);
  // Hands the image to the button; nothing when none was prepared.
  void Attach(HWND button) const;
  bool Shows() const { return static_cast<bool>(handle_); }

 private:
  std::unique_ptr<Picture> picture_;
  DisplayHandle handle_;
};

}  // namespace quarrow
