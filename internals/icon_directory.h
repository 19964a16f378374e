// ICO and CUR files: the directory, the choice of the image to show, and the resource block a cursor is made
// from. Making the icon or cursor itself is the platform's job (picture_icon.cpp).
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "internals/picture_kind.h"
#include "base/byte_stream.h"

namespace quarrow {

// The image an ICO or CUR file shows: the first entry 32 pixels wide with more than 15 colours, else the last.
struct IconImage {
  PictureKind kind = PictureKind::kNone;  // kIcon for type 1, kCursor for type 2
  std::int32_t width = 0;                 // of the image itself: its bitmap header's width ...
  std::int32_t height = 0;                // ... and half its height (colour rows, then mask rows)
  std::uint16_t bits_per_pixel = 0;
  bool png = false;                       // a PNG-compressed image; its size comes from its header
  std::span<const std::uint8_t> image;    // within the file
};
std::optional<IconImage> ChooseIconImage(std::span<const std::uint8_t> file);

// A CUR file's first image as a cursor resource: the hot spot (two 16-bit values), then the image bytes.
struct CursorResource {
  std::uint8_t width = 0;   // the directory entry's width and height bytes
  std::uint8_t height = 0;
  Bytes block;
};
std::optional<CursorResource> CursorResourceFromCur(std::span<const std::uint8_t> file);

}  // namespace quarrow
