// A label's gradient colours for arbitrary kinds, areas, pixels and stops: no arithmetic goes wrong, and each of
// red, green and blue stays between the smallest and largest value that the usable stops give it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "units/label_gradient.h"

namespace {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint32_t Word() {
    std::uint32_t w = 0;
    const std::size_t n = std::min<std::size_t>(4, size_);
    std::memcpy(&w, data_, n);
    data_ += n;
    size_ -= n;
    return w;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quarrow::label;
  Input in(data, size);
  const auto kind = static_cast<std::int32_t>(in.Word() % 10);
  // Areas as large as windows get, pixels anywhere in them.
  const auto width = static_cast<std::int32_t>(in.Word() % 40000) + 1;
  const auto height = static_cast<std::int32_t>(in.Word() % 40000) + 1;
  const auto x = static_cast<std::int32_t>(in.Word() % static_cast<std::uint32_t>(width));
  const auto y = static_cast<std::int32_t>(in.Word() % static_cast<std::uint32_t>(height));
  const std::uint32_t c1 = in.Word(), c2 = in.Word(), c3 = in.Word();
  const ColourStops stops = UsableStops(c1 & 1 ? 0xFF000000 : c1 & 0xFFFFFF, c2 & 1 ? 0xFF000000 : c2 & 0xFFFFFF,
                                        c3 & 1 ? 0xFF000000 : c3 & 0xFFFFFF);
  if (!stops.Usable()) return 0;
  const std::uint32_t colour = GradientColour(kind, stops, x, y, width, height);
  if (colour > 0xFFFFFF) std::abort();
  for (int shift : {0, 8, 16}) {
    std::uint32_t low = 0xFF, high = 0;
    for (std::int32_t i = 0; i < stops.count; ++i) {
      low = std::min(low, (stops.colours[i] >> shift) & 0xFF);
      high = std::max(high, (stops.colours[i] >> shift) & 0xFF);
    }
    const std::uint32_t value = (colour >> shift) & 0xFF;
    if (value < low || value > high) std::abort();
  }
  return 0;
}
