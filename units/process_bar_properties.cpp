#include "units/process_bar_properties.h"

#include <algorithm>

namespace quarrow {

namespace process_bar {

constinit const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable =
    PropertyTable({
        0x800003EE,  // Border
        0x800003EE,  // Orientation
        0x800003EE,  // BarStyle
        0x800003E9,  // Minimum
        0x800003E9,  // Maximum
        0x800003E9,  // Position
    });

// Values from a stored block are not clamped when loaded, so they are limited here as well: the control takes its
// range as two 16-bit halves.
ControlRange RangeForControl(const ProcessBarProperties& p) {
  const std::int32_t low = ClampValue(p.minimum);
  const std::int32_t high = ClampValue(p.maximum);
  return {std::min(low, high), std::max(low, high)};
}

// Clamped into the range in its normalised order, so that with Minimum above Maximum a position between the two
// is shown where it is rather than at Maximum.
std::int32_t PositionForControl(const ProcessBarProperties& p) {
  const ControlRange range = RangeForControl(p);
  return std::clamp(p.position, range.low, range.high);
}

}  // namespace process_bar

bool ProcessBarProperties::Load(std::span<const std::uint8_t> block) {
  *this = ProcessBarProperties{};
  if (block.empty()) return true;
  ByteReader r(block);
  std::uint32_t version;
  if (!ReadBlockVersion(r, process_bar::kBlockVersion, version)) return false;
  ProcessBarProperties p;
  p.border = r.I32();
  p.orientation = r.I32();
  p.bar_style = r.I32();
  p.minimum = r.I32();
  p.maximum = r.I32();
  p.position = r.I32();
  if (r.Failed()) return false;
  *this = p;
  return true;
}

Bytes ProcessBarProperties::Save() const {
  ByteWriter w;
  w.U32(process_bar::kBlockVersion);
  w.I32(border);
  w.I32(orientation);
  w.I32(bar_style);
  w.I32(minimum);
  w.I32(maximum);
  w.I32(position);
  return w.Release();
}

}  // namespace quarrow
