#include "commands/byte_set_conversion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "base/byte_stream.h"

namespace quarrow {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Of(const ValueRecord& value) {
  const ValueBytes bytes = ValueBytes::Of(value);
  const auto span = bytes.Bytes();
  return Bytes(span.begin(), span.end());
}

// An array block as the runtime lays it out: dimension count, sizes, then the elements' bytes.
std::vector<std::uint8_t> ArrayBlock(std::vector<std::int32_t> sizes, const Bytes& elements) {
  ByteWriter w;
  w.I32(static_cast<std::int32_t>(sizes.size()));
  for (std::int32_t s : sizes) w.I32(s);
  w.Raw(elements.data(), elements.size());
  return w.Release();
}

ValueRecord ArrayValue(DataType element, std::vector<std::uint8_t>& block) {
  return ValueRecord::OfPointer(element | type::kArrayBit, block.data());
}

TEST(ToByteSetBytes, TextsGiveTheirBytesWithoutTheTerminator) {
  EXPECT_EQ(Of(ValueRecord::OfText("ab")), (Bytes{0x61, 0x62}));
  EXPECT_EQ(Of(ValueRecord::OfText("导出")), (Bytes{0xB5, 0xBC, 0xB3, 0xF6})) << "GBK, unchanged";
  EXPECT_TRUE(Of(ValueRecord::OfText("")).empty());
  EXPECT_TRUE(Of(ValueRecord::OfText(nullptr)).empty()) << "null is the empty text";
}

TEST(ToByteSetBytes, NumbersAreLittleEndianInTheirOwnSize) {
  EXPECT_EQ(Of(ValueRecord::OfInt(1)), (Bytes{1, 0, 0, 0}));
  EXPECT_EQ(Of(ValueRecord::OfInt(-2)), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Of(ValueRecord::Make(type::kByte, 0xABCD12)), (Bytes{0x12})) << "only the low byte";
  EXPECT_EQ(Of(ValueRecord::Make(type::kShort, 0xFFFF8001)), (Bytes{0x01, 0x80}));
  EXPECT_EQ(Of(ValueRecord::OfLong(0x0102030405060708LL)), (Bytes{8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(Of(ValueRecord::OfFloat(1.0f)), (Bytes{0, 0, 0x80, 0x3F}));
  EXPECT_EQ(Of(ValueRecord::OfDouble(1.0)), (Bytes{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
}

TEST(ToByteSetBytes, LogicalsDatesAndRoutinesGiveTheirWords) {
  EXPECT_EQ(Of(ValueRecord::Make(type::kLogical, 2)), (Bytes{2, 0, 0, 0})) << "the word as it is";
  EXPECT_EQ(Of(ValueRecord::OfDouble(2.5, type::kDateTime)), (Bytes{0, 0, 0, 0, 0, 0, 4, 0x40}));
  int routine = 0;
  const Bytes address = Of(ValueRecord::OfPointer(type::kSubroutine, &routine));
  ASSERT_EQ(address.size(), sizeof(void*)) << "a whole address on every target";
  const auto expected = reinterpret_cast<std::uintptr_t>(&routine);
  EXPECT_EQ(std::memcmp(address.data(), &expected, sizeof expected), 0);
}

TEST(ToByteSetBytes, ByteSetsAreCopiedWhole) {
  const std::uint8_t block[] = {1, 0, 0, 0, 3, 0, 0, 0, 0xAA, 0x00, 0xBB, 0xCC};
  EXPECT_EQ(Of(ValueRecord::OfPointer(type::kByteSet, block)), (Bytes{0xAA, 0x00, 0xBB})) << "zeros included";
  const std::uint8_t empty[] = {1, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_TRUE(Of(ValueRecord::OfPointer(type::kByteSet, empty)).empty());
  EXPECT_TRUE(Of(ValueRecord::OfPointer(type::kByteSet, nullptr)).empty());
}

TEST(ToByteSetBytes, NumericArraysGiveAllTheirElements) {
  auto ints = ArrayBlock({2, 2}, {1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0});
  EXPECT_EQ(Of(ArrayValue(type::kInt, ints)), (Bytes{1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0}));
  auto shorts = ArrayBlock({3}, {1, 0, 2, 0, 3, 0});
  EXPECT_EQ(Of(ArrayValue(type::kShort, shorts)), (Bytes{1, 0, 2, 0, 3, 0}));
  auto bytes = ArrayBlock({2}, {0, 9});
  EXPECT_EQ(Of(ArrayValue(type::kByte, bytes)), (Bytes{0, 9})) << "zeros do not end an array";
  auto none = ArrayBlock({0}, {});
  EXPECT_TRUE(Of(ArrayValue(type::kDouble, none)).empty());
  auto negative = ArrayBlock({-1}, {});
  EXPECT_TRUE(Of(ArrayValue(type::kInt, negative)).empty()) << "a size below 1 holds nothing";
  EXPECT_TRUE(Of(ValueRecord::OfPointer(type::kInt | type::kArrayBit, nullptr)).empty());
}

TEST(ToByteSetBytes, OtherArraysAndOtherTypesGiveNothing) {
  auto logicals = ArrayBlock({1}, {1, 0, 0, 0});
  EXPECT_TRUE(Of(ArrayValue(type::kLogical, logicals)).empty());
  auto dates = ArrayBlock({1}, {0, 0, 0, 0, 0, 0, 4, 0x40});
  EXPECT_TRUE(Of(ArrayValue(type::kDateTime, dates)).empty());
  auto texts = ArrayBlock({1}, Bytes(sizeof(void*), 0));
  EXPECT_TRUE(Of(ArrayValue(type::kText, texts)).empty());

  EXPECT_TRUE(Of(ValueRecord{}).empty()) << "omitted";
  EXPECT_TRUE(Of(ValueRecord::Make(type::kOpaque8, 0x1122334455667788ULL)).empty());
  EXPECT_TRUE(Of(ValueRecord::OfUnit(UnitTypeRef(1, 15), 0x52010001, 0x160100A1)).empty());
  EXPECT_TRUE(Of(ValueRecord::Make(0x40000001, 7)).empty()) << "user-defined";
}

TEST(ToByteSetBytes, SurviveTheRecordTheyWereTakenFrom) {
  const ValueBytes bytes = [] {
    const ValueRecord temporary = ValueRecord::OfInt(0x04030201);
    return ValueBytes::Of(temporary);
  }();
  const auto span = bytes.Bytes();
  EXPECT_EQ(Bytes(span.begin(), span.end()), (Bytes{1, 2, 3, 4}));
}

}  // namespace
}  // namespace quarrow
