#include "units/list_view_properties.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/core/property_block_samples.h"
#include "units/list_view_data.h"

namespace quarrow::test {
namespace {

TEST(ListViewProperties, BlockHoldsTheWordsInTheirOwnOrderThenTheBuffers) {
  const ListViewProperties p = BlockTraits<ListViewProperties>::Sample();
  const Bytes b = p.Save();
  const std::uint32_t words[] = {
      1,            // version
      4,            // Border
      0x000080,     // TextColor
      0xFF000000,   // TextBackColor
      0x00FFFF,     // BackColor
      3,            // ViewType
      1,            // IconAlignment
      0, 0,         // AutoArrange, LabelWrap
      1, 0,         // HideColumnHeader, ClickableHeader
      1, 1, 1,      // FullRowSelect, GridLines, HeaderDragDrop
      1, 0, 0, 0,   // HotTracking, HandCursor, UnderlineHot, UnderlineCold
      1,            // EditableLabels
      2,            // SortOrder
      1, 1, 0,      // CheckBoxes, FlatScrollBars, SingleSelection
      7,            // CurrentItem
      1,            // AlwaysShowSelection
  };
  for (std::size_t i = 0; i < 25; ++i) EXPECT_EQ(WordAt(b, 4 * i), words[i]) << "word " << i;

  std::size_t at = 100;
  for (const Bytes* buffer : {&p.font, &p.header_images, &p.images, &p.columns, &p.state_images, &p.items}) {
    ASSERT_EQ(WordAt(b, at), buffer->size()) << "buffer at " << at;
    EXPECT_TRUE(std::equal(buffer->begin(), buffer->end(), b.begin() + at + 4));
    at += 4 + buffer->size();
  }
  EXPECT_EQ(b.size(), at);
}

TEST(ListViewProperties, DefaultsAsStored) {
  const Bytes b = ListViewProperties{}.Save();
  EXPECT_EQ(b.size(), 100u + 6 * 4);
  const std::uint32_t words[] = {1, 1, 0, 0xFFFFFF, 0xFFFFFF, 0, 0, 1, 1, 0, 1, 0, 0,
                                 0, 0, 1, 1, 1, 0, 0, 0, 0, 1, 0xFFFFFFFF, 0};
  for (std::size_t i = 0; i < 25; ++i) EXPECT_EQ(WordAt(b, 4 * i), words[i]) << "word " << i;
}

// The block of the application's result list: report view with three columns, single selection, no rows.
TEST(ListViewProperties, TheApplicationsResultList) {
  ListViewProperties list;
  list.view_type = list_view::kReport;
  const ListViewColumn columns[] = {{false, -1, 0, 60, "序号"}, {false, -1, 0, 350, "地址"}, {false, -1, 0, 50, ""}};
  list.columns = WriteListViewColumns(columns);
  const Bytes block = list.Save();

  ListViewProperties loaded;
  ASSERT_TRUE(loaded.Load(block));
  EXPECT_EQ(loaded, list);
  EXPECT_EQ(loaded.view_type, list_view::kReport);
  EXPECT_EQ(loaded.border, 1);
  EXPECT_EQ(loaded.text_color, 0x000000u);
  EXPECT_EQ(loaded.back_color, 0xFFFFFFu);
  EXPECT_EQ(loaded.text_back_color, 0xFFFFFFu);
  EXPECT_TRUE(loaded.auto_arrange && loaded.label_wrap && loaded.clickable_header && loaded.hand_cursor &&
              loaded.underline_hot && loaded.underline_cold && loaded.single_selection);
  EXPECT_FALSE(loaded.hide_column_header || loaded.full_row_select || loaded.grid_lines ||
               loaded.header_drag_drop || loaded.hot_tracking || loaded.editable_labels || loaded.check_boxes ||
               loaded.flat_scroll_bars || loaded.always_show_selection);
  EXPECT_EQ(loaded.sort_order, 0);
  EXPECT_EQ(loaded.current_item, -1);
  EXPECT_TRUE(loaded.font.empty() && loaded.images.empty() && loaded.state_images.empty() &&
              loaded.header_images.empty() && loaded.items.empty());

  std::vector<ListViewColumn> read;
  ASSERT_TRUE(ReadListViewColumns(loaded.columns, read));
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[0].title, "序号");
  EXPECT_EQ(read[0].width, 60);
  EXPECT_EQ(read[1].title, "地址");
  EXPECT_EQ(read[1].width, 350);
  EXPECT_EQ(read[2].title, "");
  EXPECT_EQ(read[2].width, 50);
  for (const ListViewColumn& c : read) {
    EXPECT_EQ(AlignmentOf(c), ColumnAlignment::kLeft);
    EXPECT_EQ(c.image, -1);
    EXPECT_FALSE(c.image_on_right);
  }
  // 25 words; font, header images and images empty; then 50 bytes of columns: two 4-byte titles and an empty one.
  EXPECT_EQ(WordAt(block, 20), 3u);
  EXPECT_EQ(WordAt(block, 112), 50u);
  EXPECT_EQ(block.size(), 100u + 6 * 4 + 50);
}

TEST(ListViewProperties, FontsOfAnyLengthAreKeptButOnly60BytesAreAFont) {
  for (std::size_t size : {0, 59, 60, 61}) {
    ListViewProperties p;
    p.font = Bytes(size, 0x41);
    ListViewProperties loaded;
    ASSERT_TRUE(loaded.Load(p.Save()));
    EXPECT_EQ(loaded.font.size(), size);
    EXPECT_EQ(HoldsLogFont(loaded.font), size == 60) << size;
  }
}

TEST(ListViewProperties, ChoicesAreClamped) {
  EXPECT_EQ(list_view::ClampViewType(7), 3);
  EXPECT_EQ(list_view::ClampViewType(-1), 0);
  EXPECT_EQ(list_view::ClampIconAlignment(-5), 0);
  EXPECT_EQ(list_view::ClampIconAlignment(2), 1);
  EXPECT_EQ(list_view::ClampCurrentItem(-9), -1);
  EXPECT_EQ(list_view::ClampCurrentItem(-1), -1);
  EXPECT_EQ(list_view::ClampCurrentItem(12), 12);
  EXPECT_EQ(list_view::ClampSortOrder(3), 2);
  EXPECT_EQ(list_view::ClampSortOrder(-1), 0);
  EXPECT_EQ(list_view::ClampBorder(6), 5);
  EXPECT_EQ(list_view::ClampBorder(-6), 0);
}

// A block from elsewhere may hold choices out of range: they load as the setter would have stored them.
TEST(ListViewProperties, StoredChoicesOutOfRangeLoadClamped) {
  ListViewProperties out_of_range;
  out_of_range.view_type = 7;
  out_of_range.icon_alignment = -5;
  out_of_range.sort_order = 3;
  out_of_range.border = 9;
  out_of_range.current_item = -9;
  ListViewProperties loaded;
  ASSERT_TRUE(loaded.Load(out_of_range.Save()));
  EXPECT_EQ(loaded.view_type, list_view::kReport);
  EXPECT_EQ(loaded.icon_alignment, 0);
  EXPECT_EQ(loaded.sort_order, 2);
  EXPECT_EQ(loaded.border, 5);
  EXPECT_EQ(loaded.current_item, -1);

  out_of_range.view_type = -1;
  ASSERT_TRUE(loaded.Load(out_of_range.Save()));
  EXPECT_EQ(loaded.view_type, list_view::kLargeIcons);
}

}  // namespace
}  // namespace quarrow::test
