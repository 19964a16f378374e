// Byte buffers and their pool: where blocks come from, when a resize keeps its block, and what a heap that runs dry
// leaves behind.
#include "units/byte_buffer.h"

#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <vector>

#include "tests/support/counting_heap.h"

namespace quarrow {
namespace {

using testing::CountingHeap;

class ByteBufferTest : public ::testing::Test {
 protected:
  CountingHeap heap_;
  std::unique_ptr<BufferPool> pool_ = std::make_unique<BufferPool>(heap_);

  static std::vector<std::uint8_t> Sequence(std::size_t n) {
    std::vector<std::uint8_t> bytes(n);
    std::iota(bytes.begin(), bytes.end(), static_cast<std::uint8_t>(1));
    return bytes;
  }
  static std::vector<std::uint8_t> Contents(const ByteBuffer& b) { return {b.Data(), b.Data() + b.Size()}; }
};

TEST_F(ByteBufferTest, SmallFirstRequestsTakeAPoolSlotOfFiveHundredTwelveBytes) {
  ByteBuffer b(*pool_);
  ASSERT_TRUE(b.Assign(Sequence(60)));
  EXPECT_TRUE(b.InPool());
  EXPECT_EQ(b.Capacity(), 512u);
  EXPECT_EQ(b.Size(), 60u);
  EXPECT_EQ(pool_->UsedSlots(), 1u);
  EXPECT_EQ(heap_.Live(), 0u);
  EXPECT_EQ(Contents(b), Sequence(60));

  ByteBuffer exact(*pool_);
  ASSERT_TRUE(exact.Resize(512));
  EXPECT_TRUE(exact.InPool());
  EXPECT_EQ(pool_->UsedSlots(), 2u);
}

TEST_F(ByteBufferTest, LargerRequestsComeFromTheHeapWith128BytesOfSlack) {
  ByteBuffer b(*pool_);
  ASSERT_TRUE(b.Assign(Sequence(513)));
  EXPECT_FALSE(b.InPool());
  EXPECT_EQ(b.Capacity(), 513u + 128u);
  EXPECT_EQ(heap_.Live(), 1u);
  EXPECT_EQ(pool_->UsedSlots(), 0u);
}

TEST_F(ByteBufferTest, AFullPoolSendsSmallRequestsToTheHeap) {
  std::vector<std::unique_ptr<ByteBuffer>> buffers;
  for (std::size_t i = 0; i < BufferPool::kSlotCount; ++i) {
    buffers.push_back(std::make_unique<ByteBuffer>(*pool_));
    ASSERT_TRUE(buffers.back()->Resize(4));
    ASSERT_TRUE(buffers.back()->InPool());
  }
  EXPECT_EQ(pool_->UsedSlots(), 96u);
  ByteBuffer extra(*pool_);
  ASSERT_TRUE(extra.Resize(4));
  EXPECT_FALSE(extra.InPool());
  EXPECT_EQ(extra.Capacity(), 4u + 128u);

  // A freed slot is handed out again.
  buffers[37]->Free();
  EXPECT_EQ(pool_->UsedSlots(), 95u);
  ByteBuffer again(*pool_);
  ASSERT_TRUE(again.Resize(8));
  EXPECT_TRUE(again.InPool());
  EXPECT_EQ(pool_->UsedSlots(), 96u);
}

TEST_F(ByteBufferTest, APoolBlockStaysWhileItFitsAndMovesToTheHeapWithItsBytesBeyond) {
  ByteBuffer b(*pool_);
  ASSERT_TRUE(b.Assign(Sequence(300)));
  const std::uint8_t* slot = b.Data();
  ASSERT_TRUE(b.Resize(10));
  EXPECT_EQ(b.Data(), slot) << "a pool slot is kept whatever the surplus";
  ASSERT_TRUE(b.Resize(512));
  EXPECT_EQ(b.Data(), slot);
  EXPECT_EQ(Contents(b).size(), 512u);
  EXPECT_EQ(std::vector<std::uint8_t>(b.Data(), b.Data() + 10), Sequence(10));
  EXPECT_EQ(b.Data()[10], 0) << "bytes a resize adds are zero";

  ASSERT_TRUE(b.Resize(600));
  EXPECT_FALSE(b.InPool());
  EXPECT_EQ(b.Capacity(), 728u);
  EXPECT_EQ(pool_->UsedSlots(), 0u) << "the slot is freed";
  EXPECT_EQ(std::vector<std::uint8_t>(b.Data(), b.Data() + 10), Sequence(10));
}

TEST_F(ByteBufferTest, AHeapBlockShrinksOnlyWhenMoreThan256BytesWouldBeLeftOver) {
  ByteBuffer b(*pool_);
  ASSERT_TRUE(b.Assign(Sequence(1000)));
  EXPECT_EQ(b.Capacity(), 1128u);
  ASSERT_TRUE(b.Resize(1128 - 256));
  EXPECT_EQ(b.Capacity(), 1128u) << "a surplus of exactly 256 keeps the block";
  ASSERT_TRUE(b.Resize(1128 - 257));
  EXPECT_EQ(b.Capacity(), 1128u - 257u + 128u);
  ASSERT_TRUE(b.Resize(2000));
  EXPECT_EQ(b.Capacity(), 2128u);
  EXPECT_EQ(std::vector<std::uint8_t>(b.Data(), b.Data() + 800), Sequence(800));
  ASSERT_TRUE(b.Resize(100));
  EXPECT_FALSE(b.InPool()) << "a heap block never moves back into the pool";
  EXPECT_EQ(b.Capacity(), 228u);
}

TEST_F(ByteBufferTest, ResizingToZeroAndDestructionFreeTheBlock) {
  {
    ByteBuffer pooled(*pool_);
    ByteBuffer heaped(*pool_);
    ASSERT_TRUE(pooled.Resize(20));
    ASSERT_TRUE(heaped.Resize(2000));
    ASSERT_TRUE(heaped.Resize(0));
    EXPECT_EQ(heaped.Data(), nullptr);
    EXPECT_EQ(heaped.Capacity(), 0u);
    EXPECT_EQ(heap_.Live(), 0u);
    EXPECT_EQ(pool_->UsedSlots(), 1u);
  }
  EXPECT_EQ(pool_->UsedSlots(), 0u);
  EXPECT_EQ(heap_.Live(), 0u);
}

TEST_F(ByteBufferTest, AHeapThatRunsDryLeavesTheBufferAsItWas) {
  ByteBuffer b(*pool_);
  ASSERT_TRUE(b.Assign(Sequence(40)));
  heap_.FailAbove(0);
  EXPECT_FALSE(b.Assign(Sequence(700)));
  EXPECT_EQ(Contents(b), Sequence(40));
  EXPECT_TRUE(b.InPool());
  EXPECT_EQ(pool_->UsedSlots(), 1u);

  ByteBuffer empty(*pool_);
  EXPECT_FALSE(empty.Resize(900));
  EXPECT_TRUE(empty.Empty());
  EXPECT_EQ(empty.Data(), nullptr);
}

TEST_F(ByteBufferTest, AssigningPartOfItselfCopiesFirst) {
  ByteBuffer b(*pool_);
  ASSERT_TRUE(b.Assign(Sequence(100)));
  ASSERT_TRUE(b.Assign(b.View().subspan(50, 20)));
  const std::vector<std::uint8_t> all = Sequence(100);
  EXPECT_EQ(Contents(b), std::vector<std::uint8_t>(all.begin() + 50, all.begin() + 70));
  EXPECT_TRUE(b.Assign(nullptr, 5));
  EXPECT_TRUE(b.Empty());
}

TEST_F(ByteBufferTest, EachPoolIsItsOwn) {
  BufferPool other(heap_);
  ByteBuffer mine(*pool_);
  ByteBuffer theirs(other);
  ASSERT_TRUE(mine.Resize(10));
  ASSERT_TRUE(theirs.Resize(10));
  EXPECT_EQ(pool_->UsedSlots(), 1u);
  EXPECT_EQ(other.UsedSlots(), 1u);
  EXPECT_FALSE(pool_->IsSlot(theirs.Data()));
  pool_->ReturnSlot(theirs.Data());
  EXPECT_EQ(other.UsedSlots(), 1u) << "another pool's slot is not this pool's to free";
}

}  // namespace
}  // namespace quarrow
