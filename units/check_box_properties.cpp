#include "units/check_box_properties.h"

namespace quarrow {

namespace check_box {

constinit const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable =
    PropertyTable({
        0x800003F1,  // Picture
        0x800003EB,  // PushLike
        0x800003EB,  // Flat
        0x800003ED,  // Text
        0x800003EB,  // BoxOnRight
        0x800003EE,  // Alignment
        0x800003EE,  // VAlignment
        0x800003F6,  // TextColor
        0x800003F9,  // BackColor
        0x800003F5,  // Font
        0x800003EB,  // Checked
        0x800003FA,  // DataSource
        0x800003FC,  // DataColumn
    });

}  // namespace check_box

bool CheckBoxProperties::Load(std::span<const std::uint8_t> block) {
  *this = CheckBoxProperties{};
  if (block.empty()) return true;
  ByteReader r(block);
  std::uint32_t version;
  if (!ReadBlockVersion(r, check_box::kBlockVersion, version)) return false;
  CheckBoxProperties p;
  p.push_like = ReadLogical(r);
  p.flat = ReadLogical(r);
  p.box_on_right = ReadLogical(r);
  p.alignment = r.I32();
  p.v_alignment = r.I32();
  p.text_color = r.U32();
  p.back_color = r.U32();
  p.checked = ReadLogical(r);
  p.picture = r.CountedBytes();
  p.font = r.CountedBytes();
  p.text = r.CountedText();
  if (version >= 2) {
    p.data_source = r.CountedText();
    p.data_column = r.CountedText();
  }
  if (r.Failed()) return false;
  *this = std::move(p);
  return true;
}

Bytes CheckBoxProperties::Save() const {
  ByteWriter w;
  w.U32(check_box::kBlockVersion);
  WriteLogical(w, push_like);
  WriteLogical(w, flat);
  WriteLogical(w, box_on_right);
  w.I32(alignment);
  w.I32(v_alignment);
  w.U32(text_color);
  w.U32(back_color);
  WriteLogical(w, checked);
  w.CountedBuffer(picture);
  w.CountedBuffer(font);
  w.CountedText(text);
  w.CountedText(data_source);
  w.CountedText(data_column);
  return w.Release();
}

}  // namespace quarrow
