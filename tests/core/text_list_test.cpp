#include "units/text_list.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/core/property_block_samples.h"

namespace quarrow::test {
namespace {

TEST(TextList, RoundTripsItsItems) {
  const TextList items = {"人民路", "", "解放路 12号"};
  const Bytes bytes = SaveTextList(items);
  EXPECT_EQ(HalfAt(bytes, 0), 3u);
  EXPECT_EQ(WordAt(bytes, 2), items[0].size());
  EXPECT_EQ(LoadTextList(bytes), items);
  EXPECT_TRUE(LoadTextList({}).empty());
}

TEST(TextList, CountsFrom0xFFFFUpTakeAWordMore) {
  for (std::size_t count : {std::size_t{0xFFFE}, std::size_t{0xFFFF}, std::size_t{0x10001}}) {
    TextList items(count);
    items.back() = "末";
    const Bytes bytes = SaveTextList(items);
    if (count < 0xFFFF) {
      EXPECT_EQ(HalfAt(bytes, 0), count);
      EXPECT_EQ(bytes.size(), 2 + 4 * count + 2);
    } else {
      EXPECT_EQ(HalfAt(bytes, 0), 0xFFFFu);
      EXPECT_EQ(WordAt(bytes, 2), count);
      EXPECT_EQ(bytes.size(), 6 + 4 * count + 2);
    }
    EXPECT_EQ(LoadTextList(bytes), items) << count;
  }
}

TEST(TextList, AListCutShortKeepsTheItemsReadAndFailsTheReader) {
  const Bytes bytes = SaveTextList({"甲", "乙乙", "丙"});
  const Bytes cut(bytes.begin(), bytes.end() - 1);
  EXPECT_EQ(LoadTextList(cut), (TextList{"甲", "乙乙"}));

  ByteReader r(cut);
  TextList items;
  ReadTextList(r, items);
  EXPECT_TRUE(r.Failed());
}

TEST(TextList, AHugeCountWithoutItemsEndsWithTheData) {
  ByteWriter w;
  w.U16(0xFFFF);
  w.U32(0xFFFFFFFF);
  w.CountedText("一");
  const TextList items = LoadTextList(w.Data());
  EXPECT_EQ(items, (TextList{"一"}));
}

}  // namespace
}  // namespace quarrow::test
