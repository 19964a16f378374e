#include "units/group_box_properties.h"

namespace quarrow {

namespace group_box {

constinit const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable =
    PropertyTable({
        0x800003ED,  // Text
        0x800003EE,  // Alignment
        0x800003F6,  // TextColor
        0x800003F9,  // BackColor
        0x800003F5,  // Font
    });

}  // namespace group_box

bool GroupBoxProperties::Load(std::span<const std::uint8_t> block) {
  *this = GroupBoxProperties{};
  if (block.empty()) return true;
  ByteReader r(block);
  std::uint32_t version;
  if (!ReadBlockVersion(r, group_box::kBlockVersion, version)) return false;
  GroupBoxProperties p;
  p.alignment = r.I32();
  p.text_color = r.U32();
  p.back_color = r.U32();
  p.font = r.CountedBytes();
  p.text = r.CountedText();
  if (r.Failed()) return false;
  *this = std::move(p);
  return true;
}

Bytes GroupBoxProperties::Save() const {
  ByteWriter w;
  w.U32(group_box::kBlockVersion);
  w.I32(alignment);
  w.U32(text_color);
  w.U32(back_color);
  w.CountedBuffer(font);
  w.CountedText(text);
  return w.Release();
}

}  // namespace quarrow
