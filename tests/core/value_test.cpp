#include "base/value.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace quarrow {
namespace {

TEST(ValueRecords, HoldNarrowValuesInTheLowBytes) {
  const ValueRecord i = ValueRecord::OfInt(-5);
  EXPECT_EQ(i.word1, 0xFFFFFFFBu);
  EXPECT_EQ(i.word2, 0u);
  EXPECT_EQ(i.type, type::kInt);

  const ValueRecord d = ValueRecord::OfDouble(1.0);
  EXPECT_EQ(d.word1, 0u);
  EXPECT_EQ(d.word2, 0x3FF00000u);
  EXPECT_EQ(d.Double(), 1.0);

  const ValueRecord l = ValueRecord::OfLong(-2);
  EXPECT_EQ(l.word1, 0xFFFFFFFEu);
  EXPECT_EQ(l.word2, 0xFFFFFFFFu);

  ValueRecord s = ValueRecord::Make(type::kShort, 0x1234FFFF);
  EXPECT_EQ(s.Short(), -1);
  ValueRecord b = ValueRecord::Make(type::kByte, 0x1FF);
  EXPECT_EQ(b.Byte(), 0xFF);
}

TEST(ValueRecords, LogicalTwoIsTrueAndTrueIsWrittenAsOne) {
  EXPECT_TRUE(ValueRecord::Make(type::kLogical, 2).Logical());
  EXPECT_EQ(ValueRecord::OfLogical(true).word1, 1u);
  EXPECT_EQ(ValueRecord::OfLogical(false).word1, 0u);
}

TEST(ValueRecords, AnAddressRoundTripsThroughTheValueWords) {
  int target = 0;
  const ValueRecord r = ValueRecord::OfPointer(type::kText, &target);
  EXPECT_EQ(r.Pointer<int>(), &target);
  if (sizeof(void*) == 4) {
    EXPECT_EQ(r.word2, 0u);
  }
}

TEST(ValueRecords, UnitReferencesCarryWindowThenUnit) {
  const ValueRecord r = ValueRecord::OfUnit(UnitTypeRef(1, 15), 0x52010001, 0x160100A1);
  EXPECT_EQ(r.type, 0x0001000Fu);
  EXPECT_EQ(r.word1, 0x52010001u);
  EXPECT_EQ(r.word2, 0x160100A1u);
}

TEST(DataTypes, ClassifyByTheirTopBits) {
  EXPECT_TRUE(type::IsBasic(type::kText));
  EXPECT_TRUE(type::IsLibraryType(0x00020004));
  EXPECT_FALSE(type::IsLibraryType(type::kNone));
  EXPECT_TRUE(type::IsUserDefined(0x40000001));
  EXPECT_TRUE(type::IsArray(type::kInt | type::kArrayBit));
  EXPECT_FALSE(type::IsArray(0x20000001));  // a library type number, not an array
  for (DataType t : {type::kByte, type::kShort, type::kInt, type::kLong, type::kFloat, type::kDouble}) {
    EXPECT_TRUE(type::IsNumeric(t)) << std::hex << t;
  }
  EXPECT_FALSE(type::IsNumeric(type::kLogical));
  EXPECT_FALSE(type::IsNumeric(0x80000701));
}

TEST(Blocks, ATwoByThreeIntArrayOccupiesThirtySixBytes) {
  const std::int32_t sizes[] = {2, 3};
  EXPECT_EQ(ArrayBlockSize(4, sizes, 2), 36u);
}

TEST(Blocks, TextAndByteSetArrayElementsArePointerSized) {
  EXPECT_EQ(type::ElementSize(type::kText), sizeof(void*));
  EXPECT_EQ(type::ElementSize(type::kByteSet | type::kArrayBit), sizeof(void*));
#if UINTPTR_MAX == 0xFFFFFFFFu
  EXPECT_EQ(type::ElementSize(type::kText), 4u);
#endif
  EXPECT_EQ(type::ElementSize(type::kDateTime), 8u);
}

TEST(Blocks, AByteSetViewOfNullOrOfANonPositiveLengthIsEmpty) {
  EXPECT_EQ(ByteSetView::Of(nullptr).size, 0u);
  std::uint8_t block[8] = {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(ByteSetView::Of(block).size, 0u);
}

}  // namespace
}  // namespace quarrow
