#include "units/list_box_properties.h"

namespace quarrow {

namespace list_box {

constinit const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable =
    PropertyTable({
        0x800003EE,  // Border
        0x800003EB,  // Sorted
        0x800003EB,  // MultiColumn
        0x800003E9,  // RowSpacing
        0x800003F6,  // TextColor
        0x800003F9,  // BackColor
        0x800003F5,  // Font
        0x800003EB,  // MultiSelect
        0x800003E9,  // Selection
        0x80000400,  // Items
        0x80000400,  // ItemData
        0x800003FA,  // DataSource
        0x800003FC,  // DataColumn
        0x801003EB,  // DataFlag
    });

std::int32_t ClampSelection(std::int32_t value, std::int32_t count) {
  const std::int32_t last = count > 0 ? count - 1 : -1;
  if (value > last) value = last;
  return value < -1 ? -1 : value;
}

std::uint32_t ItemDataAt(std::span<const std::uint8_t> item_data, std::size_t entry) {
  if (entry >= item_data.size() / 4) return 0;
  ByteReader r(item_data.subspan(entry * 4, 4));
  return r.U32();
}

}  // namespace list_box

bool ListBoxProperties::Load(std::span<const std::uint8_t> block) {
  *this = ListBoxProperties{};
  if (block.empty()) return true;
  ByteReader r(block);
  std::uint32_t version;
  if (!ReadBlockVersion(r, list_box::kBlockVersion, version)) return false;
  ListBoxProperties p;
  p.border = r.I32();
  p.sorted = ReadLogical(r);
  p.multi_column = ReadLogical(r);
  p.row_spacing = r.I32();
  p.text_color = r.U32();
  p.back_color = r.U32();
  p.multi_select = ReadLogical(r);
  p.selection = r.I32();
  p.font = r.CountedBytes();
  p.item_data = r.CountedBytes();
  ReadTextList(r, p.items);
  if (version >= 2) {
    p.data_source = r.CountedText();
    p.data_column = r.CountedText();
  }
  if (version >= 3) p.data_flag = ReadLogical(r);
  if (r.Failed()) return false;
  *this = std::move(p);
  return true;
}

Bytes ListBoxProperties::Save() const {
  ByteWriter w;
  w.U32(list_box::kBlockVersion);
  w.I32(border);
  WriteLogical(w, sorted);
  WriteLogical(w, multi_column);
  w.I32(row_spacing);
  w.U32(text_color);
  w.U32(back_color);
  WriteLogical(w, multi_select);
  w.I32(selection);
  w.CountedBuffer(font);
  w.CountedBuffer(item_data);
  WriteTextList(w, items);
  w.CountedText(data_source);
  w.CountedText(data_column);
  WriteLogical(w, data_flag);
  return w.Release();
}

}  // namespace quarrow
