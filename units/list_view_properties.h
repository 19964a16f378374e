// ListView: its stored properties, their block, its property table and the limits of its properties. The
// columns, items and image-list data that some of them hold are read and written by list_view_data.h.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "base/byte_stream.h"
#include "base/program_header.h"
#include "units/unit_properties.h"

namespace quarrow {

namespace list_view {
// Local property indexes (property index − 8).
inline constexpr std::int32_t kBorder = 0;
inline constexpr std::int32_t kTextColor = 1;
inline constexpr std::int32_t kTextBackColor = 2;
inline constexpr std::int32_t kBackColor = 3;
inline constexpr std::int32_t kFont = 4;
inline constexpr std::int32_t kViewType = 5;
inline constexpr std::int32_t kIconAlignment = 6;
inline constexpr std::int32_t kAutoArrange = 7;
inline constexpr std::int32_t kLabelWrap = 8;
inline constexpr std::int32_t kColumns = 9;
inline constexpr std::int32_t kHideColumnHeader = 10;
inline constexpr std::int32_t kHeaderImages = 11;
inline constexpr std::int32_t kClickableHeader = 12;
inline constexpr std::int32_t kFullRowSelect = 13;
inline constexpr std::int32_t kGridLines = 14;
inline constexpr std::int32_t kHeaderDragDrop = 15;
inline constexpr std::int32_t kImages = 16;
inline constexpr std::int32_t kStateImages = 17;
inline constexpr std::int32_t kHotTracking = 18;
inline constexpr std::int32_t kHandCursor = 19;
inline constexpr std::int32_t kUnderlineHot = 20;
inline constexpr std::int32_t kUnderlineCold = 21;
inline constexpr std::int32_t kEditableLabels = 22;
inline constexpr std::int32_t kSortOrder = 23;
inline constexpr std::int32_t kCheckBoxes = 24;
inline constexpr std::int32_t kFlatScrollBars = 25;
inline constexpr std::int32_t kSingleSelection = 26;
inline constexpr std::int32_t kCurrentItem = 27;
inline constexpr std::int32_t kAlwaysShowSelection = 28;
inline constexpr std::int32_t kItems = 29;
inline constexpr std::int32_t kEditedText = 30;  // read only, not stored
inline constexpr std::int32_t kOwnPropertyCount = 31;

inline constexpr std::uint32_t kBlockVersion = 1;

extern const std::array<PropertyEntry, kCommonPropertyCount + kOwnPropertyCount> kPropertyTable;

// View types.
inline constexpr std::int32_t kLargeIcons = 0;
inline constexpr std::int32_t kSmallIcons = 1;
inline constexpr std::int32_t kList = 2;
inline constexpr std::int32_t kReport = 3;

// Limits applied when a property is set, and when a stored block is loaded.
inline std::int32_t ClampBorder(std::int32_t v) { return ClampTo(v, 0, kMaxBorderStyle); }
inline std::int32_t ClampViewType(std::int32_t v) { return ClampTo(v, 0, kReport); }
inline std::int32_t ClampIconAlignment(std::int32_t v) { return ClampTo(v, 0, 1); }
inline std::int32_t ClampSortOrder(std::int32_t v) { return ClampTo(v, 0, 2); }
inline std::int32_t ClampCurrentItem(std::int32_t v) { return v < -1 ? -1 : v; }
}  // namespace list_view

struct ListViewProperties {
  std::int32_t border = 1;
  std::uint32_t text_color = 0x000000;
  std::uint32_t text_back_color = 0xFFFFFF;
  std::uint32_t back_color = 0xFFFFFF;
  Bytes font;
  std::int32_t view_type = list_view::kLargeIcons;
  std::int32_t icon_alignment = 0;
  bool auto_arrange = true;
  bool label_wrap = true;
  Bytes columns;  // columns data
  bool hide_column_header = false;
  Bytes header_images;  // image-list data
  bool clickable_header = true;
  bool full_row_select = false;
  bool grid_lines = false;
  bool header_drag_drop = false;
  Bytes images;        // image-list data
  Bytes state_images;  // image-list data
  bool hot_tracking = false;
  bool hand_cursor = true;
  bool underline_hot = true;
  bool underline_cold = true;
  bool editable_labels = false;
  std::int32_t sort_order = 0;
  bool check_boxes = false;
  bool flat_scroll_bars = false;
  bool single_selection = true;
  std::int32_t current_item = -1;
  bool always_show_selection = false;
  Bytes items;  // items data

  // Resets to the defaults, then reads the block; false (with the defaults) when it fails.
  bool Load(std::span<const std::uint8_t> block);
  Bytes Save() const;
  bool operator==(const ListViewProperties&) const = default;
};

}  // namespace quarrow
