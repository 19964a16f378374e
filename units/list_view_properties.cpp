#include "units/list_view_properties.h"

namespace quarrow {

namespace list_view {

// The list view's own entries carry the extended interface library's flags (0, 1 or 4) instead of the core
// library's 0x8000.
constinit const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable =
    PropertyTable({
        0x000003EE,  // Border
        0x000003F6,  // TextColor
        0x000003F9,  // TextBackColor
        0x000003F9,  // BackColor
        0x000003F5,  // Font
        0x000003EE,  // ViewType
        0x000103EE,  // IconAlignment
        0x000103EB,  // AutoArrange
        0x000103EB,  // LabelWrap
        0x00010400,  // Columns
        0x000103EB,  // HideColumnHeader
        0x000103FF,  // HeaderImages
        0x000103EB,  // ClickableHeader
        0x000103EB,  // FullRowSelect
        0x000103EB,  // GridLines
        0x000103EB,  // HeaderDragDrop
        0x000003FF,  // Images
        0x000003FF,  // StateImages
        0x000003EB,  // HotTracking
        0x000103EB,  // HandCursor
        0x000103EB,  // UnderlineHot
        0x000103EB,  // UnderlineCold
        0x000003EB,  // EditableLabels
        0x000003EE,  // SortOrder
        0x000003EB,  // CheckBoxes
        0x000003EB,  // FlatScrollBars
        0x000003EB,  // SingleSelection
        0x000003E9,  // CurrentItem
        0x000003EB,  // AlwaysShowSelection
        0x00000400,  // Items
        0x000403ED,  // EditedText
    });

}  // namespace list_view

// The words come first, in an order of their own; the six byte buffers follow.
bool ListViewProperties::Load(std::span<const std::uint8_t> block) {
  *this = ListViewProperties{};
  if (block.empty()) return true;
  ByteReader r(block);
  std::uint32_t version;
  if (!ReadBlockVersion(r, list_view::kBlockVersion, version)) return false;
  ListViewProperties p;
  p.border = r.I32();
  p.text_color = r.U32();
  p.text_back_color = r.U32();
  p.back_color = r.U32();
  p.view_type = r.I32();
  p.icon_alignment = r.I32();
  p.auto_arrange = ReadLogical(r);
  p.label_wrap = ReadLogical(r);
  p.hide_column_header = ReadLogical(r);
  p.clickable_header = ReadLogical(r);
  p.full_row_select = ReadLogical(r);
  p.grid_lines = ReadLogical(r);
  p.header_drag_drop = ReadLogical(r);
  p.hot_tracking = ReadLogical(r);
  p.hand_cursor = ReadLogical(r);
  p.underline_hot = ReadLogical(r);
  p.underline_cold = ReadLogical(r);
  p.editable_labels = ReadLogical(r);
  p.sort_order = r.I32();
  p.check_boxes = ReadLogical(r);
  p.flat_scroll_bars = ReadLogical(r);
  p.single_selection = ReadLogical(r);
  p.current_item = r.I32();
  p.always_show_selection = ReadLogical(r);
  p.font = r.CountedBytes();
  p.header_images = r.CountedBytes();
  p.images = r.CountedBytes();
  p.columns = r.CountedBytes();
  p.state_images = r.CountedBytes();
  p.items = r.CountedBytes();
  if (r.Failed()) return false;
  // A block may come from elsewhere: its choices hold from here on what the setters would have stored.
  p.border = list_view::ClampBorder(p.border);
  p.view_type = list_view::ClampViewType(p.view_type);
  p.icon_alignment = list_view::ClampIconAlignment(p.icon_alignment);
  p.sort_order = list_view::ClampSortOrder(p.sort_order);
  p.current_item = list_view::ClampCurrentItem(p.current_item);
  *this = std::move(p);
  return true;
}

Bytes ListViewProperties::Save() const {
  ByteWriter w;
  w.U32(list_view::kBlockVersion);
  w.I32(border);
  w.U32(text_color);
  w.U32(text_back_color);
  w.U32(back_color);
  w.I32(view_type);
  w.I32(icon_alignment);
  WriteLogical(w, auto_arrange);
  WriteLogical(w, label_wrap);
  WriteLogical(w, hide_column_header);
  WriteLogical(w, clickable_header);
  WriteLogical(w, full_row_select);
  WriteLogical(w, grid_lines);
  WriteLogical(w, header_drag_drop);
  WriteLogical(w, hot_tracking);
  WriteLogical(w, hand_cursor);
  WriteLogical(w, underline_hot);
  WriteLogical(w, underline_cold);
  WriteLogical(w, editable_labels);
  w.I32(sort_order);
  WriteLogical(w, check_boxes);
  WriteLogical(w, flat_scroll_bars);
  WriteLogical(w, single_selection);
  w.I32(current_item);
  WriteLogical(w, always_show_selection);
  w.CountedBuffer(font);
  w.CountedBuffer(header_images);
  w.CountedBuffer(images);
  w.CountedBuffer(columns);
  w.CountedBuffer(state_images);
  w.CountedBuffer(items);
  return w.Release();
}

}  // namespace quarrow
