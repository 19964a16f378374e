#include "units/label_gradient.h"

#include <algorithm>

#include "units/label_properties.h"

namespace quarrow::label {

namespace {

std::int64_t ByteOf(std::uint32_t colour, int shift) { return (colour >> shift) & 0xFF; }

}  // namespace

ColourStops UsableStops(std::uint32_t colour1, std::uint32_t colour2, std::uint32_t colour3) {
  ColourStops stops;
  for (std::uint32_t colour : {colour1, colour2, colour3}) {
    if (colour != kNoColorStop) stops.colours[stops.count++] = colour;
  }
  return stops;
}

std::uint32_t ColourOnRun(const ColourStops& stops, std::int64_t position, std::int64_t length) {
  const std::int32_t n = stops.count;
  if (n <= 0) return 0;
  const std::uint32_t last = stops.colours[n - 1];
  if (n == 1) return last;
  position = std::max<std::int64_t>(position, 0);
  if (position >= length) return last;
  const std::int64_t segment = length / (n - 1);
  // A run shorter than the number of segments has segments of no length: its pixels keep the first stop.
  if (segment == 0) return stops.colours[0];
  const std::int64_t k = position / segment;
  if (k >= n - 1) return last;
  const std::uint32_t from = stops.colours[k];
  const std::uint32_t to = stops.colours[k + 1];
  const std::int64_t offset = position % segment;
  std::uint32_t colour = 0;
  for (int shift : {0, 8, 16}) {
    // Truncated towards zero, whichever way the byte moves.
    const std::int64_t value = ByteOf(from, shift) + offset * (ByteOf(to, shift) - ByteOf(from, shift)) / segment;
    colour |= static_cast<std::uint32_t>(value) << shift;
  }
  return colour;
}

RunPlace PlaceOnRun(std::int32_t kind, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height) {
  const std::int64_t w = width;
  const std::int64_t h = height;
  const std::int64_t diagonal = 2 * std::min(w, h);
  switch (kind) {
    case 1: return {y, h};
    case 2: return {x, w};
    case 3: return {std::int64_t{x} + y, diagonal};
    case 4: return {(w - 1 - x) + y, diagonal};
    case 5: return {h - 1 - y, h};
    case 6: return {w - 1 - x, w};
    case 7: return {(w - 1 - x) + (h - 1 - y), diagonal};
    case 8: return {std::int64_t{x} + (h - 1 - y), diagonal};
    default: return {0, 0};
  }
}

std::uint32_t GradientColour(std::int32_t kind, const ColourStops& stops, std::int32_t x, std::int32_t y,
                             std::int32_t width, std::int32_t height) {
  const RunPlace place = PlaceOnRun(kind, x, y, width, height);
  return ColourOnRun(stops, place.position, place.length);
}

void FillGradientTile(std::int32_t kind, const ColourStops& stops, std::int32_t width, std::int32_t height,
                      std::int32_t left, std::int32_t top, std::int32_t tile_width, std::int32_t tile_height,
                      std::span<std::uint32_t> pixels) {
  if (tile_width <= 0 || tile_height <= 0) return;
  const std::size_t needed = static_cast<std::size_t>(tile_width) * static_cast<std::size_t>(tile_height);
  if (pixels.size() < needed) return;
  std::size_t at = 0;
  for (std::int32_t row = 0; row < tile_height; ++row) {
    for (std::int32_t column = 0; column < tile_width; ++column) {
      pixels[at++] = BitmapPixel(GradientColour(kind, stops, left + column, top + row, width, height));
    }
  }
}

}  // namespace quarrow::label
