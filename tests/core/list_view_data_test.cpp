#include "units/list_view_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/core/property_block_samples.h"

namespace quarrow::test {
namespace {

TEST(ListViewColumns, RoundTripAndLayout) {
  const std::vector<ListViewColumn> columns = {{true, 4, 2, 120, "地址"}, {false, -1, 1, 0, ""}};
  const Bytes data = WriteListViewColumns(columns);
  ASSERT_EQ(data.size(), (13u + 5) + (13u + 1));
  EXPECT_EQ(data[0], 1);
  EXPECT_EQ(WordAt(data, 1), 4u);
  EXPECT_EQ(WordAt(data, 5), 2u);
  EXPECT_EQ(WordAt(data, 9), 120u);
  EXPECT_EQ(data[13 + 4], 0);  // the title's terminator
  EXPECT_EQ(WordAt(data, 19), 0xFFFFFFFFu);

  std::vector<ListViewColumn> read;
  ASSERT_TRUE(ReadListViewColumns(data, read));
  EXPECT_EQ(read, columns);
  EXPECT_EQ(WriteListViewColumns(read), data);

  read.clear();
  EXPECT_TRUE(ReadListViewColumns({}, read));
  EXPECT_TRUE(read.empty());
}

TEST(ListViewColumns, ARecordCutShortFailsAndKeepsTheColumnsBefore) {
  const std::vector<ListViewColumn> columns = {{false, -1, 0, 60, "序号"}, {false, -1, 0, 350, "地址"}};
  const Bytes data = WriteListViewColumns(columns);
  for (std::size_t cut = 19; cut < data.size(); ++cut) {  // 18 bytes is the first record
    std::vector<ListViewColumn> read;
    EXPECT_FALSE(ReadListViewColumns(std::span(data.data(), cut), read)) << cut;
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0], columns[0]);
  }
}

TEST(ListViewColumns, AnyOtherAlignmentIsLeft) {
  const std::pair<std::int32_t, ColumnAlignment> cases[] = {{0, ColumnAlignment::kLeft},
                                                            {1, ColumnAlignment::kCentre},
                                                            {2, ColumnAlignment::kRight},
                                                            {3, ColumnAlignment::kLeft},
                                                            {-1, ColumnAlignment::kLeft}};
  for (const auto& [stored, alignment] : cases) {
    ListViewColumn c;
    c.alignment = stored;
    EXPECT_EQ(AlignmentOf(c), alignment) << stored;
  }
}

TEST(ListViewItems, RoundTripAndLayout) {
  const std::vector<ListViewItemRecord> records = {{0, 1, 0, 2, 0xCAFEF00D, "1", "第一行"},
                                                   {1, -1, -1, 0, 0, "人民路 3号", ""}};
  const Bytes data = WriteListViewItems(records);
  EXPECT_EQ(data[0], 0);
  EXPECT_EQ(WordAt(data, 1), 1u);
  EXPECT_EQ(WordAt(data, 5), 0u);
  EXPECT_EQ(WordAt(data, 9), 2u);
  EXPECT_EQ(WordAt(data, 13), 0xCAFEF00Du);
  EXPECT_EQ(data[17], '1');
  EXPECT_EQ(data[18], 0);
  ASSERT_EQ(data.size(), (17u + 2 + 7) + (17u + records[1].text.size() + 1 + 1));

  std::vector<ListViewItemRecord> read;
  ASSERT_TRUE(ReadListViewItems(data, read));
  EXPECT_EQ(read, records);
  EXPECT_EQ(WriteListViewItems(read), data);
}

TEST(ListViewItems, ARecordWithoutItsTipFails) {
  const std::vector<ListViewItemRecord> records = {{0, -1, -1, 0, 0, "甲", "乙"}};
  const Bytes data = WriteListViewItems(records);
  std::vector<ListViewItemRecord> read;
  EXPECT_FALSE(ReadListViewItems(std::span(data.data(), data.size() - 1), read));
  EXPECT_TRUE(read.empty());
}

// Records what the unit would do to its control.
class RecordingSink : public ListViewRowSink {
 public:
  struct Step {
    bool insert;
    std::int32_t row;  // position for an insert, row for a cell
    std::int32_t column;
    std::string text;
    std::int32_t image;
    std::int32_t state_image;
    bool operator==(const Step&) const = default;
  };
  std::vector<Step> steps;
  std::vector<std::int32_t> answers;  // indexes the control gives the inserted rows, in order

  std::int32_t InsertRow(std::int32_t position, const ListViewItemRecord& record, std::int32_t image,
                         std::int32_t state_image) override {
    steps.push_back({true, position, 0, record.text, image, state_image});
    const std::size_t n = inserted_++;
    return n < answers.size() ? answers[n] : position;
  }
  void SetCell(std::int32_t row, std::int32_t column, const ListViewItemRecord& record, std::int32_t image) override {
    steps.push_back({false, row, column, record.text, image, -1});
  }

 private:
  std::size_t inserted_ = 0;
};
using Step = RecordingSink::Step;

ListViewItemRecord Row(const char* text) { return {0, -1, -1, 0, 0, text, ""}; }
ListViewItemRecord Cell(const char* text, std::uint8_t kind = 1) { return {kind, -1, -1, 0, 0, text, ""}; }

TEST(ListViewItems, ACellBeforeAnyRowFillsAColumnOfRow0) {
  const std::vector<ListViewItemRecord> records = {Cell("孤", 5), Row("1"), Cell("人民路")};
  RecordingSink sink;
  PlayListViewItems(records, {}, sink);
  const std::vector<Step> expected = {{false, 0, 1, "孤", -1, -1},
                                      {true, 0, 0, "1", -1, -1},
                                      {false, 0, 1, "人民路", -1, -1}};
  EXPECT_EQ(sink.steps, expected);
}

TEST(ListViewItems, CellsFillTheNextColumnsOfTheRowTheControlGave) {
  const std::vector<ListViewItemRecord> records = {Row("1"), Cell("甲", 7), Cell("乙", 1), Row("2"), Cell("丙", 3)};
  RecordingSink sink;
  sink.answers = {0, 0};  // a sorted control put the second row first
  PlayListViewItems(records, {}, sink);
  const std::vector<Step> expected = {{true, 0, 0, "1", -1, -1},   {false, 0, 1, "甲", -1, -1},
                                      {false, 0, 2, "乙", -1, -1}, {true, 1, 0, "2", -1, -1},
                                      {false, 0, 1, "丙", -1, -1}};
  EXPECT_EQ(sink.steps, expected);
}

TEST(ListViewItems, ImagesOutsideTheListsAreNone) {
  std::vector<ListViewItemRecord> records = {Row("a"), Row("b"), Row("c"), Cell("d"), Cell("e")};
  records[0].image = 2;
  records[0].state_image = 1;
  records[1].image = 3;
  records[1].state_image = 2;
  records[2].image = -5;
  records[2].state_image = -2;
  records[3].image = 0;
  records[4].image = 3;
  RecordingSink sink;
  PlayListViewItems(records, {3, 2}, sink);
  ASSERT_EQ(sink.steps.size(), 5u);
  EXPECT_EQ(sink.steps[0].image, 2);
  EXPECT_EQ(sink.steps[0].state_image, 1);
  EXPECT_EQ(sink.steps[1].image, -1);
  EXPECT_EQ(sink.steps[1].state_image, -1);
  EXPECT_EQ(sink.steps[2].image, -1);
  EXPECT_EQ(sink.steps[2].state_image, -1);
  EXPECT_EQ(sink.steps[3].image, 0);
  EXPECT_EQ(sink.steps[4].image, -1);

  RecordingSink without_lists;
  PlayListViewItems(records, {}, without_lists);
  EXPECT_EQ(without_lists.steps[0].image, -1);
  EXPECT_EQ(without_lists.steps[0].state_image, -1);
}

TEST(ListViewItems, TipsBelongToTheRowRecords) {
  std::vector<ListViewItemRecord> records = {Cell("x"), Row("1"), Cell("y"), Row("2")};
  records[0].tip = "不是行";
  records[1].tip = "一";
  records[2].tip = "也不是";
  records[3].tip = "二";
  ASSERT_NE(TipOfRow(records, 0), nullptr);
  EXPECT_EQ(*TipOfRow(records, 0), "一");
  ASSERT_NE(TipOfRow(records, 1), nullptr);
  EXPECT_EQ(*TipOfRow(records, 1), "二");
  EXPECT_EQ(TipOfRow(records, 2), nullptr);
  EXPECT_EQ(TipOfRow(records, -1), nullptr);
}

TEST(ImageListData, OnlyMoreThanEightBytesWithTheMagicHoldAList) {
  const std::uint8_t stream[] = {0x49, 0x4C, 0x01};
  const Bytes data = WrapImageListStream(stream);
  ASSERT_EQ(data.size(), 11u);
  EXPECT_EQ(std::string(data.begin(), data.begin() + 4), "MITL");
  const auto inner = ImageListStream(data);
  EXPECT_EQ(Bytes(inner.begin(), inner.end()), Bytes(std::begin(stream), std::end(stream)));

  const Bytes header_only(data.begin(), data.begin() + 8);
  EXPECT_TRUE(ImageListStream(header_only).empty());
  EXPECT_EQ(ImageListStream(std::span(data.data(), 9)).size(), 1u);

  Bytes other = data;
  other[0] = 'N';
  EXPECT_TRUE(ImageListStream(other).empty());
  EXPECT_TRUE(ImageListStream({}).empty());
}

}  // namespace
}  // namespace quarrow::test
