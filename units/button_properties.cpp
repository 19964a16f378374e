#include "units/button_properties.h"

namespace quarrow {

namespace button {

constinit const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable =
    PropertyTable({
        0x800003F1,  // Picture
        0x800003EE,  // ButtonType
        0x800003ED,  // Text
        0x800003EE,  // Alignment
        0x800003EE,  // VAlignment
        0x800003F5,  // Font
    });

}  // namespace button

bool ButtonProperties::Load(std::span<const std::uint8_t> block) {
  *this = ButtonProperties{};
  if (block.empty()) return true;
  ByteReader r(block);
  std::uint32_t version;
  if (!ReadBlockVersion(r, button::kBlockVersion, version)) return false;
  ButtonProperties p;
  p.button_type = r.I32();
  p.alignment = r.I32();
  p.v_alignment = r.I32();
  p.picture = r.CountedBytes();
  p.font = r.CountedBytes();
  p.text = r.CountedText();
  if (r.Failed()) return false;
  *this = std::move(p);
  return true;
}

Bytes ButtonProperties::Save() const {
  ByteWriter w;
  w.U32(button::kBlockVersion);
  w.I32(button_type);
  w.I32(alignment);
  w.I32(v_alignment);
  w.CountedBuffer(picture);
  w.CountedBuffer(font);
  w.CountedText(text);
  return w.Release();
}

}  // namespace quarrow
