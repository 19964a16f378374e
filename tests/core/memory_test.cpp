#include "base/memory.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/counting_heap.h"

namespace quarrow {
namespace {

using testing::AllocationFailure;
using testing::CountingHeap;
using testing::ThrowingFailureSink;

class RuntimeMemoryTest : public ::testing::Test {
 protected:
  // The constant data block as an application lays it out: the empty text, literal texts, an empty array.
  alignas(4) std::uint8_t constants_[24] = {0, 'h', 'e', 'l', 'l', 'o', 0, 'a', 'b', 0, 0, 0,
                                            1, 0, 0, 0, 1, 0, 0, 0, 7, 0, 0, 0};
  const char* hello_ = reinterpret_cast<const char*>(constants_ + 1);
  CountingHeap heap_;
  ThrowingFailureSink sink_;
  RuntimeMemory memory_{heap_, sink_};

  void SetUp() override { memory_.SetConstantBlock(constants_, sizeof constants_); }
};

TEST_F(RuntimeMemoryTest, FreeingNullOrAConstantIsANoOp) {
  memory_.Free(nullptr);
  memory_.Free(const_cast<char*>(hello_));
  EXPECT_STREQ(hello_, "hello");
  EXPECT_EQ(heap_.Live(), 0u);
}

TEST_F(RuntimeMemoryTest, ReallocatingALiteralCopiesItAndLeavesItIntact) {
  auto* copy = static_cast<char*>(memory_.Reallocate(const_cast<char*>(hello_), 3));
  ASSERT_TRUE(heap_.Owns(copy));
  EXPECT_EQ(std::memcmp(copy, "hel", 3), 0);
  EXPECT_STREQ(hello_, "hello");
  memory_.Free(copy);
}

TEST_F(RuntimeMemoryTest, ReallocatingPastTheEndOfTheConstantBlockCopiesOnlyToItsEnd) {
  const std::uint8_t* last = constants_ + sizeof constants_ - 4;
  auto* copy = static_cast<std::uint8_t*>(memory_.Reallocate(const_cast<std::uint8_t*>(last), 64));
  EXPECT_EQ(std::memcmp(copy, last, 4), 0);  // and nothing beyond the block was read (ASan would say)
  memory_.Free(copy);
}

TEST_F(RuntimeMemoryTest, ReallocatingNullAllocates) {
  void* p = memory_.Reallocate(nullptr, 10);
  EXPECT_TRUE(heap_.Owns(p));
  memory_.Free(p);
  EXPECT_EQ(heap_.Live(), 0u);
}

TEST_F(RuntimeMemoryTest, AFailedAllocationReportsTheRequestedSize) {
  heap_.FailAbove(1000);
  try {
    memory_.Allocate(1048576);
    FAIL() << "allocation did not fail";
  } catch (const AllocationFailure& f) {
    EXPECT_EQ(f.size, 1048576u);
  }
  void* p = memory_.Allocate(8);
  try {
    memory_.Reallocate(p, 4096);
    FAIL() << "reallocation did not fail";
  } catch (const AllocationFailure& f) {
    EXPECT_EQ(f.size, 4096u);
  }
  memory_.Free(p);
}

TEST_F(RuntimeMemoryTest, TheMayFailAllocationGivesNullInstead) {
  heap_.FailRequest(1);
  EXPECT_EQ(memory_.TryAllocate(16), nullptr);
  void* p = memory_.TryAllocate(16);
  EXPECT_NE(p, nullptr);
  memory_.Free(p);
}

TEST_F(RuntimeMemoryTest, TextsOfNothingAreNull) {
  EXPECT_EQ(memory_.CopyText(nullptr), nullptr);
  EXPECT_EQ(memory_.CopyText(""), nullptr);
  EXPECT_EQ(memory_.TextFromBytes("abc", 0), nullptr);
  EXPECT_EQ(memory_.TextFromBytes("abc", -1), nullptr);
  EXPECT_EQ(memory_.ByteSetFromBytes("abc", 0), nullptr);
  EXPECT_EQ(heap_.Live(), 0u);
}

TEST_F(RuntimeMemoryTest, ATextBlockIsItsLengthPlusTheTerminator) {
  char* t = memory_.TextFromBytes("abcdef", 3);
  EXPECT_STREQ(t, "abc");
  memory_.Free(t);
}

TEST_F(RuntimeMemoryTest, AByteSetOfThreeBytesHoldsOneLengthAndTheBytes) {
  auto* block = static_cast<std::uint8_t*>(memory_.ByteSetFromBytes("xyz", 3));
  const std::uint8_t expected[11] = {1, 0, 0, 0, 3, 0, 0, 0, 'x', 'y', 'z'};
  EXPECT_EQ(std::memcmp(block, expected, 11), 0);
  EXPECT_EQ(ByteSetView::Of(block).size, 3u);
  memory_.Free(block);
}

TEST_F(RuntimeMemoryTest, FreeingATextArrayFreesEveryElementFirst) {
  const std::size_t size = 4 + 4 + 2 * sizeof(void*);
  auto* array = static_cast<std::uint8_t*>(memory_.Allocate(size));
  WriteBlockWord(array, 1);
  WriteBlockWord(array + 4, 2);
  char* a = memory_.CopyText("one");
  char* b = nullptr;  // an empty element
  std::memcpy(array + 8, &a, sizeof a);
  std::memcpy(array + 8 + sizeof(void*), &b, sizeof b);
  EXPECT_EQ(heap_.Live(), 2u);
  memory_.FreeArray(type::kText | type::kArrayBit, array);
  EXPECT_EQ(heap_.Live(), 0u);
  memory_.FreeArray(type::kInt | type::kArrayBit, nullptr);
}

TEST_F(RuntimeMemoryTest, MakingAConstantArrayPrivateCopiesTheWholeBlock) {
  // constants_ + 12 holds a one-element int array {7}.
  void* array = constants_ + 12;
  memory_.MakeArrayPrivate(4, &array);
  ASSERT_TRUE(heap_.Owns(array));
  EXPECT_EQ(std::memcmp(array, constants_ + 12, 12), 0);
  void* before = array;
  memory_.MakeArrayPrivate(4, &array);  // already private: unchanged
  EXPECT_EQ(array, before);
  memory_.Free(array);
}

TEST_F(RuntimeMemoryTest, WithoutAConstantBlockNothingIsConstant) {
  memory_.ClearConstantBlock();
  EXPECT_FALSE(memory_.IsConstant(hello_));
}

}  // namespace
}  // namespace quarrow
