// The colours of a label's gradients: the background gradient of kinds 1 to 8 and the bands of its gradient frame.
//
// A gradient has two or three colour stops spread evenly over a run. Each kind says where the first stop lies and
// how a pixel's position on the run is measured:
//
//   1 top edge, over the height          5 bottom edge, over the height
//   2 left edge, over the width          6 right edge, over the width
//   3 top-left corner                    7 bottom-right corner
//   4 top-right corner                   8 bottom-left corner
//
// For the corner kinds the position is the pixel's horizontal plus vertical distance from the corner, over a run
// of twice the smaller side; pixels beyond the run take the last stop.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace quarrow::label {

inline constexpr std::int32_t kFirstGradientKind = 1;
inline constexpr std::int32_t kLastGradientKind = 8;

// The colours (0x00BBGGRR) that take part in a gradient, in order: colour 1 to 3 without those that are left out
// (0xFF000000). A gradient needs at least two.
struct ColourStops {
  std::array<std::uint32_t, 3> colours{};
  std::int32_t count = 0;

  bool Usable() const { return count >= 2; }
};
ColourStops UsableStops(std::uint32_t colour1, std::uint32_t colour2, std::uint32_t colour3);

// The colour at position `position` of a run of `length` pixels. Each segment between two stops is `length` ÷
// (stops − 1) pixels long (integer division); within it red, green and blue move from one stop towards the next
// by the truncated fraction of the way; from the last segment on the last stop shows. Needs usable stops.
std::uint32_t ColourOnRun(const ColourStops& stops, std::int64_t position, std::int64_t length);

struct RunPlace {
  std::int64_t position = 0;
  std::int64_t length = 0;
};
// Where pixel (x, y) of a width × height area lies on the run of a gradient kind (1 to 8).
RunPlace PlaceOnRun(std::int32_t kind, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);

// The colour of pixel (x, y) of a width × height area filled with a gradient kind.
std::uint32_t GradientColour(std::int32_t kind, const ColourStops& stops, std::int32_t x, std::int32_t y,
                             std::int32_t width, std::int32_t height);

// Fills a tile of a width × height area: `pixels` receives tile_width × tile_height 32-bit pixels, top row first,
// each 0x00RRGGBB as a top-down 32-bit device-independent bitmap stores it. The tile starts at (left, top) of the
// area. `pixels` must hold tile_width × tile_height values.
void FillGradientTile(std::int32_t kind, const ColourStops& stops, std::int32_t width, std::int32_t height,
                      std::int32_t left, std::int32_t top, std::int32_t tile_width, std::int32_t tile_height,
                      std::span<std::uint32_t> pixels);

// A COLORREF (0x00BBGGRR) as a 32-bit bitmap pixel (0x00RRGGBB) and back.
constexpr std::uint32_t BitmapPixel(std::uint32_t colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}
constexpr std::uint32_t PixelColour(std::uint32_t pixel) { return BitmapPixel(pixel); }

}  // namespace quarrow::label
