#include "app/export_content.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "base/value.h"

namespace quarrow::app {
namespace {

TEST(ExportContent, IsEachRowsNumberAndAddressThenCrLf) {
  ExportContent content;
  content.AddRow("1", "A");
  content.AddRow("2", "B");
  EXPECT_EQ(content.Bytes(), std::string("\x31\x41\x0D\x0A\x32\x42\x0D\x0A", 8));
}

TEST(ExportContent, OfAnEmptyListIsNoBytes) {
  ExportContent content;
  EXPECT_TRUE(content.Bytes().empty());
  EXPECT_EQ(content.ByteSet(), nullptr) << "the empty byte set";
  EXPECT_FALSE(content.TooLong());
}

TEST(ExportContent, KeepsAnEmptyAddressAsTheNumberAlone) {
  ExportContent content;
  content.AddRow("7", "");
  content.AddRow("", "");
  EXPECT_EQ(content.Bytes(), "7\r\n\r\n");
}

TEST(ExportContent, KeepsTheGbkBytesAsTheyAre) {
  ExportContent content;
  content.AddRow("12", "前缀长江路 5号 阳光小区 3号楼 2单元 101室");
  const std::string expected = std::string("12") + "前缀长江路 5号 阳光小区 3号楼 2单元 101室" + "\r\n";
  EXPECT_EQ(content.Bytes(), expected);
  EXPECT_EQ(content.Bytes().substr(2, 4), "\xC7\xB0\xD7\xBA") << "前缀 in GBK, no conversion";
}

TEST(ExportContent, IsAByteSetBlockOfTheSameBytes) {
  ExportContent content(1000);
  for (int row = 1; row <= 1000; ++row) content.AddRow(std::to_string(row), "地址");
  EXPECT_EQ(content.Bytes().substr(0, 7), "1地址\r\n");
  EXPECT_EQ(content.Bytes().substr(content.Bytes().size() - 10), "1000地址\r\n");
  const void* block = content.ByteSet();
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(ReadBlockWord(block), 1) << "one dimension";
  const ByteSetView view = ByteSetView::Of(block);
  EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(view.data), view.size), content.Bytes());

  // A row added later is counted by the next block.
  content.AddRow("1001", "");
  const ByteSetView longer = ByteSetView::Of(content.ByteSet());
  EXPECT_EQ(longer.size, content.Bytes().size());
  EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(longer.data), longer.size).substr(longer.size - 6),
            "1001\r\n");
}

TEST(ExportContent, IsTheSameWhateverTheExpectedRowCount) {
  // Rows shorter and longer than the first one, and more or fewer rows than expected.
  const std::string addresses[] = {"", "短", std::string(300, 'a'), "前缀长江路 5号", std::string(5000, '\xB0')};
  ExportContent unsized;
  for (int row = 0; row < 500; ++row) unsized.AddRow(std::to_string(row), addresses[row % 5]);
  for (std::size_t expected : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{500}, std::size_t{100000},
                               static_cast<std::size_t>(-1)}) {
    ExportContent sized(expected);
    for (int row = 0; row < 500; ++row) sized.AddRow(std::to_string(row), addresses[row % 5]);
    EXPECT_EQ(sized.Bytes(), unsized.Bytes()) << expected;
  }
}

}  // namespace
}  // namespace quarrow::app
