#include "units/list_box_properties.h"

#include <gtest/gtest.h>

#include "tests/core/property_block_samples.h"

namespace quarrow::test {
namespace {

TEST(ListBoxProperties, BlockHoldsWordsFontItemDataEntriesAndBinding) {
  const ListBoxProperties p = BlockTraits<ListBoxProperties>::Sample();
  const Bytes b = p.Save();
  EXPECT_EQ(WordAt(b, 4), 5u);          // Border
  EXPECT_EQ(WordAt(b, 8), 1u);          // Sorted
  EXPECT_EQ(WordAt(b, 12), 1u);         // MultiColumn
  EXPECT_EQ(WordAt(b, 16), 4u);         // RowSpacing
  EXPECT_EQ(WordAt(b, 20), 0x112233u);  // TextColor
  EXPECT_EQ(WordAt(b, 24), 0x445566u);  // BackColor
  EXPECT_EQ(WordAt(b, 28), 1u);         // MultiSelect
  EXPECT_EQ(WordAt(b, 32), 2u);         // Selection
  EXPECT_EQ(WordAt(b, 36), 60u);        // Font
  EXPECT_EQ(WordAt(b, 100), 8u);        // ItemData
  EXPECT_EQ(WordAt(b, 104), 1u);
  EXPECT_EQ(HalfAt(b, 112), 3u);        // entry count, 16 bits
  EXPECT_EQ(WordAt(b, 114), p.items[0].size());
  EXPECT_EQ(WordAt(b, b.size() - 4), 1u);  // DataFlag last
}

TEST(ListBoxProperties, DefaultsAsStored) {
  const Bytes b = ListBoxProperties{}.Save();
  EXPECT_EQ(WordAt(b, 4), 1u);
  EXPECT_EQ(WordAt(b, 16), 1u);
  EXPECT_EQ(WordAt(b, 24), 0xFFFFFFu);
  EXPECT_EQ(WordAt(b, 32), 0xFFFFFFFFu);  // no selection
  EXPECT_EQ(HalfAt(b, 44), 0u);           // no entries
}

TEST(ListBoxProperties, ABrokenEntryListFailsTheBlock) {
  ListBoxProperties p = BlockTraits<ListBoxProperties>::Sample();
  p.data_source.clear();
  p.data_column.clear();
  Bytes b = p.Save();
  // The entries announce one more than they hold: the fourth entry takes DataSource's count, DataSource takes
  // DataColumn's, and DataColumn takes DataFlag's word 1 as a count of bytes that are not there.
  b[112] = 4;
  EXPECT_FALSE(p.Load(b));
}

TEST(ListBoxProperties, SelectionIsClampedAgainstTheEntryCount) {
  EXPECT_EQ(list_box::ClampSelection(5, 0), -1);  // empty list
  EXPECT_EQ(list_box::ClampSelection(7, 3), 2);
  EXPECT_EQ(list_box::ClampSelection(1, 3), 1);
  EXPECT_EQ(list_box::ClampSelection(-1, 3), -1);
  EXPECT_EQ(list_box::ClampSelection(-7, 3), -1);
  EXPECT_EQ(list_box::ClampSelection(0, 0), -1);
}

TEST(ListBoxProperties, BorderAndRowSpacingAreClamped) {
  EXPECT_EQ(list_box::ClampRowSpacing(-3), 0);
  EXPECT_EQ(list_box::ClampRowSpacing(40000), 32767);
  EXPECT_EQ(list_box::ClampRowSpacing(6), 6);
  EXPECT_EQ(list_box::ClampBorder(6), 5);
  EXPECT_EQ(list_box::ClampBorder(-1), 0);
}

TEST(ListBoxProperties, EntriesBeyondTheItemDataGetZero) {
  ByteWriter w;
  w.U32(0xDEADBEEF);
  w.U16(7);  // half a value: not a value
  const Bytes data = w.Release();
  EXPECT_EQ(list_box::ItemDataAt(data, 0), 0xDEADBEEFu);
  EXPECT_EQ(list_box::ItemDataAt(data, 1), 0u);
  EXPECT_EQ(list_box::ItemDataAt(data, 2), 0u);
  EXPECT_EQ(list_box::ItemDataAt({}, 0), 0u);
}

}  // namespace
}  // namespace quarrow::test
