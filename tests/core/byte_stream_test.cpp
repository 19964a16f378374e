#include "base/byte_stream.h"

#include <gtest/gtest.h>

namespace quarrow {
namespace {

TEST(ByteStream, WriterAndReaderAgreeOnEveryPrimitive) {
  ByteWriter w;
  w.U32(0x01020304);
  w.U16(0xBEEF);
  w.CountedText("abc");
  w.ZeroText("名字");
  w.CountedBuffer(Bytes{9, 8});
  w.U8(7);
  ByteReader r(w.Data());
  EXPECT_EQ(r.U32(), 0x01020304u);
  EXPECT_EQ(r.U16(), 0xBEEF);
  EXPECT_EQ(r.CountedText(), "abc");
  EXPECT_EQ(r.ZeroText(), "名字");
  EXPECT_EQ(r.CountedBytes(), (Bytes{9, 8}));
  EXPECT_EQ(r.U8(), 7);
  EXPECT_TRUE(r.AtEnd());
  EXPECT_FALSE(r.Failed());
}

TEST(ByteStream, WordsAreLittleEndian) {
  ByteWriter w;
  w.I32(-2);
  EXPECT_EQ(w.Data(), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST(ByteStream, ReadingPastTheEndFailsAndStaysFailed) {
  const std::uint8_t bytes[] = {5, 0, 0, 0, 'a', 'b'};
  ByteReader r(bytes, sizeof bytes);
  EXPECT_EQ(r.CountedText(), "");
  EXPECT_TRUE(r.Failed());
  EXPECT_EQ(r.U8(), 0);
  EXPECT_TRUE(r.Failed());
}

TEST(ByteStream, ANegativeCountIsEmpty) {
  const std::uint8_t bytes[] = {0xFF, 0xFF, 0xFF, 0xFF, 'a'};
  ByteReader r(bytes, sizeof bytes);
  EXPECT_TRUE(r.CountedBuffer().empty());
  EXPECT_FALSE(r.Failed());
  EXPECT_EQ(r.Remaining(), 1u);
}

TEST(ByteStream, AZeroTextWithoutItsZeroFails) {
  const std::uint8_t bytes[] = {'a', 'b'};
  ByteReader r(bytes, sizeof bytes);
  r.ZeroText();
  EXPECT_TRUE(r.Failed());
}

}  // namespace
}  // namespace quarrow
