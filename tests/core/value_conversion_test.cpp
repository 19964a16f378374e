#include "conversions/value_conversion.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

namespace quarrow {
namespace {

TEST(ValueToInteger, ConvertsEachBasicType) {
  EXPECT_EQ(ValueToInteger(ValueRecord::Make(type::kByte, 0xFFFFFF80)), 128);
  EXPECT_EQ(ValueToInteger(ValueRecord::Make(type::kShort, 0x0001FFFE)), -2);
  EXPECT_EQ(ValueToInteger(ValueRecord::OfInt(-7)), -7);
  EXPECT_EQ(ValueToInteger(ValueRecord::Make(type::kLogical, 2)), 2);
  EXPECT_EQ(ValueToInteger(ValueRecord::Make(type::kSubroutine, 0x401000)), 0x401000);
  EXPECT_EQ(ValueToInteger(ValueRecord::OfLong(0x123456789LL)), 0x23456789);
  EXPECT_EQ(ValueToInteger(ValueRecord::OfDouble(-2.9)), -2);
  EXPECT_EQ(ValueToInteger(ValueRecord::OfDouble(3000000000.0)), -1294967296);
  EXPECT_EQ(ValueToInteger(ValueRecord::OfFloat(7.99f)), 7);
  EXPECT_EQ(ValueToInteger(ValueRecord::OfText("  -12abc")), -12);
  EXPECT_EQ(ValueToInteger(ValueRecord::OfText(nullptr)), 0);
  EXPECT_EQ(ValueToInteger(ValueRecord{}), 0) << "omitted";
  EXPECT_EQ(ValueToInteger(ValueRecord::OfDouble(45356.5, type::kDateTime)), 0);
  EXPECT_EQ(ValueToInteger(ValueRecord::OfUnit(UnitTypeRef(1, 15), 5, 6)), 0);
}

TEST(ValueToInteger, NumbersBeyondLongGiveTheIndefiniteIntegerLowWord) {
  EXPECT_EQ(ValueToInteger(ValueRecord::OfDouble(1e30)), 0);
  EXPECT_EQ(ValueToInteger(ValueRecord::OfDouble(-1e30)), 0);
  EXPECT_EQ(ValueToInteger(ValueRecord::OfDouble(std::numeric_limits<double>::infinity())), 0);
  EXPECT_EQ(ValueToInteger(ValueRecord::OfDouble(std::numeric_limits<double>::quiet_NaN())), 0);
  EXPECT_EQ(ValueToInteger(ValueRecord::OfDouble(4294967297.0 + 4294967296.0 * 1000)), 1) << "64 bits, then low 32";
  EXPECT_EQ(ValueToInteger(ValueRecord::OfDouble(-9223372036854775808.0)), 0);
}

TEST(ValueToText, ConvertsEachBasicType) {
  EXPECT_EQ(ValueToText(ValueRecord::OfInt(-42)), "-42");
  EXPECT_EQ(ValueToText(ValueRecord::Make(type::kShort, 0x8000)), "-32768");
  EXPECT_EQ(ValueToText(ValueRecord::Make(type::kByte, 0xFF)), "255");
  EXPECT_EQ(ValueToText(ValueRecord::OfLong(INT64_MIN)), "-9223372036854775808");
  EXPECT_EQ(ValueToText(ValueRecord::OfDouble(0.1)), "0.1");
  EXPECT_EQ(ValueToText(ValueRecord::OfDouble(1.0 / 3)), "0.3333333333333");
  EXPECT_EQ(ValueToText(ValueRecord::OfFloat(0.1f)), "0.1");
  EXPECT_EQ(ValueToText(ValueRecord::OfLogical(true)), "真");
  EXPECT_EQ(ValueToText(ValueRecord::Make(type::kLogical, 2)), "真");
  EXPECT_EQ(ValueToText(ValueRecord::OfLogical(false)), "假");
  EXPECT_EQ(ValueToText(ValueRecord::OfDouble(45356.5, type::kDateTime)), "2024年3月5日12时");
  EXPECT_EQ(ValueToText(ValueRecord::OfText("地址")), "地址");
  EXPECT_EQ(ValueToText(ValueRecord::OfText(nullptr)), "");
  EXPECT_EQ(ValueToText(ValueRecord{}), "");
  EXPECT_EQ(ValueToText(ValueRecord::Make(type::kSubroutine, 0x401000)), "");
  EXPECT_EQ(ValueToText(ValueRecord::OfUnit(UnitTypeRef(1, 15), 5, 6)), "");
}

TEST(ValueToText, ByteSetsGiveTheirBytesUpToTheFirstZero) {
  const std::uint8_t set[] = {1, 0, 0, 0, 4, 0, 0, 0, 'a', 'b', 0, 'c'};
  EXPECT_EQ(ValueToText(ValueRecord::OfPointer(type::kByteSet, set)), "ab");
  const std::uint8_t full[] = {1, 0, 0, 0, 2, 0, 0, 0, 'x', 'y'};
  EXPECT_EQ(ValueToText(ValueRecord::OfPointer(type::kByteSet, full)), "xy") << "no terminator needed";
  EXPECT_EQ(ValueToText(ValueRecord::OfPointer(type::kByteSet, nullptr)), "");
}

TEST(ValueToText, NumericArraysGiveTheirRawBytesUpToTheFirstZero) {
  // A 2 × 1 int array holding "AB" and "C": the bytes A B 0 0 stop at the first zero.
  std::vector<std::uint8_t> block(4 + 8 + 8);
  WriteBlockWord(block.data(), 2);
  WriteBlockWord(block.data() + 4, 2);
  WriteBlockWord(block.data() + 8, 1);
  WriteBlockWord(block.data() + 12, 0x4241);
  WriteBlockWord(block.data() + 16, 0x43);
  EXPECT_EQ(ValueToText(ValueRecord::OfPointer(type::kInt | type::kArrayBit, block.data())), "AB");
  // A byte array without any zero gives all of its elements.
  const std::uint8_t bytes[] = {1, 0, 0, 0, 3, 0, 0, 0, 'x', 'y', 'z'};
  EXPECT_EQ(ValueToText(ValueRecord::OfPointer(type::kByte | type::kArrayBit, bytes)), "xyz");
  EXPECT_EQ(ValueToText(ValueRecord::OfPointer(type::kByte | type::kArrayBit, nullptr)), "");
  EXPECT_EQ(ValueToText(ValueRecord::OfPointer(type::kText | type::kArrayBit, bytes)), "") << "not numeric";
}

TEST(ValueToNumber, ReadsTheNumericTypes) {
  EXPECT_EQ(ValueToNumber(ValueRecord::OfInt(-3)), -3.0);
  EXPECT_EQ(ValueToNumber(ValueRecord::OfDouble(2.5)), 2.5);
  EXPECT_EQ(ValueToNumber(ValueRecord::OfFloat(0.5f)), 0.5);
  EXPECT_EQ(ValueToNumber(ValueRecord::OfLong(1LL << 40)), 1099511627776.0);
  EXPECT_EQ(ValueToNumber(ValueRecord::OfText("5")), 0.0);
}

}  // namespace
}  // namespace quarrow
