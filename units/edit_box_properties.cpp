#include "units/edit_box_properties.h"

#include <limits>

namespace quarrow {

namespace edit_box {

constinit const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable =
    PropertyTable({
        0x800003ED,  // Text
        0x800003EE,  // Border
        0x800003F6,  // TextColor
        0x800003F9,  // BackColor
        0x800003F5,  // Font
        0x800003EB,  // HideSelection
        0x800003E9,  // MaxLength
        0x800003EB,  // MultiLine
        0x800003EE,  // ScrollBars
        0x800003EE,  // Alignment
        0x800003EE,  // InputMode
        0x800103ED,  // PasswordChar
        0x800003EE,  // LetterCase
        0x800003EE,  // AdjusterStyle
        0x800103E9,  // AdjusterMin
        0x800103E9,  // AdjusterMax
        0x800003E9,  // SelStart
        0x800003E9,  // SelLength
        0x800803ED,  // SelText
        0x800003FA,  // DataSource
        0x800003FC,  // DataColumn
    });

std::int32_t Selection::End() const {
  const std::int64_t end = static_cast<std::int64_t>(start) + length;
  return static_cast<std::int32_t>(std::min<std::int64_t>(end, std::numeric_limits<std::int32_t>::max()));
}

Selection WithSelStart(Selection current, std::int32_t value, std::int32_t text_length) {
  if (value == -1) return {text_length, 0};
  return {value < 0 ? 0 : value, current.length};
}

Selection WithSelLength(Selection current, std::int32_t value, std::int32_t text_length) {
  if (value == -1) return {0, text_length};
  return {current.start, value < 0 ? 0 : value};
}

}  // namespace edit_box

bool EditBoxProperties::Load(std::span<const std::uint8_t> block) {
  *this = EditBoxProperties{};
  if (block.empty()) return true;
  ByteReader r(block);
  std::uint32_t version;
  if (!ReadBlockVersion(r, edit_box::kBlockVersion, version)) return false;
  EditBoxProperties p;
  p.border = r.I32();
  p.text_color = r.U32();
  p.back_color = r.U32();
  p.hide_selection = ReadLogical(r);
  p.max_length = r.I32();
  p.multi_line = ReadLogical(r);
  p.scroll_bars = r.I32();
  p.alignment = r.I32();
  p.input_mode = r.I32();
  p.password_char = static_cast<std::uint8_t>(r.U16());  // the character code sits in the low byte
  p.letter_case = r.I32();
  p.adjuster_style = r.I32();
  p.adjuster_min = r.I32();
  p.adjuster_max = r.I32();
  p.sel_start = r.I32();
  p.sel_length = r.I32();
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

Bytes EditBoxProperties::Save() const {
  ByteWriter w;
  w.U32(edit_box::kBlockVersion);
  w.I32(border);
  w.U32(text_color);
  w.U32(back_color);
  WriteLogical(w, hide_selection);
  w.I32(max_length);
  WriteLogical(w, multi_line);
  w.I32(scroll_bars);
  w.I32(alignment);
  w.I32(input_mode);
  w.U16(password_char);
  w.I32(letter_case);
  w.I32(adjuster_style);
  w.I32(adjuster_min);
  w.I32(adjuster_max);
  w.I32(sel_start);
  w.I32(sel_length);
  w.CountedBuffer(font);
  w.CountedText(text);
  w.CountedText(data_source);
  w.CountedText(data_column);
  return w.Release();
}

}  // namespace quarrow
