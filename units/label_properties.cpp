#include "units/label_properties.h"

namespace quarrow {

namespace label {

constinit const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable =
    PropertyTable({
        0x800003ED,  // Text
        0x800003EE,  // Effect
        0x800003EE,  // Border
        0x800103E9,  // BorderWidth
        0x800103F7,  // BorderColor1
        0x800103F7,  // BorderColor2
        0x800103F7,  // BorderColor3
        0x800003F5,  // Font
        0x800003F6,  // TextColor
        0x800003F9,  // BackColor
        0x800003F1,  // Picture
        0x800103EE,  // PictureMode
        0x800003EE,  // BackGradient
        0x800103F7,  // GradientColor1
        0x800103F7,  // GradientColor2
        0x800103F7,  // GradientColor3
        0x800003EE,  // Alignment
        0x800003EB,  // WordWrap
        0x800003EE,  // VAlignment
        0x800003FA,  // DataSource
        0x800003FC,  // DataColumn
    });

}  // namespace label

// The block keeps BorderWidth before Border and VAlignment before WordWrap.
bool LabelProperties::Load(std::span<const std::uint8_t> block) {
  *this = LabelProperties{};
  if (block.empty()) return true;
  ByteReader r(block);
  std::uint32_t version;
  if (!ReadBlockVersion(r, label::kBlockVersion, version)) return false;
  LabelProperties p;
  p.effect = r.I32();
  p.border_width = r.I32();
  p.border = r.I32();
  p.border_color1 = r.U32();
  p.border_color2 = r.U32();
  p.border_color3 = r.U32();
  p.text_color = r.U32();
  p.back_color = r.U32();
  p.picture_mode = r.I32();
  p.back_gradient = r.I32();
  p.gradient_color1 = r.U32();
  p.gradient_color2 = r.U32();
  p.gradient_color3 = r.U32();
  p.alignment = r.I32();
  p.v_alignment = r.I32();
  p.word_wrap = ReadLogical(r);
  p.font = r.CountedBytes();
  p.picture = r.CountedBytes();
  p.text = r.CountedText();
  if (version >= 2) {
    p.data_source = r.CountedText();
    p.data_column = r.CountedText();
  }
  if (r.Failed()) return false;
  *this = std::move(p);
  return true;
}

Bytes LabelProperties::Save() const {
  ByteWriter w;
  w.U32(label::kBlockVersion);
  w.I32(effect);
  w.I32(border_width);
  w.I32(border);
  w.U32(border_color1);
  w.U32(border_color2);
  w.U32(border_color3);
  w.U32(text_color);
  w.U32(back_color);
  w.I32(picture_mode);
  w.I32(back_gradient);
  w.U32(gradient_color1);
  w.U32(gradient_color2);
  w.U32(gradient_color3);
  w.I32(alignment);
  w.I32(v_alignment);
  WriteLogical(w, word_wrap);
  w.CountedBuffer(font);
  w.CountedBuffer(picture);
  w.CountedText(text);
  w.CountedText(data_source);
  w.CountedText(data_column);
  return w.Release();
}

}  // namespace quarrow
