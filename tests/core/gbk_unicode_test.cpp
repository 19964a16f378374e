// The generated GBK table against glibc's own GBK converter (where the C library has one), and the conversions
// both ways on every character of it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "conversions/gbk_table.h"
#include "conversions/gbk_unicode.h"

#if __has_include(<iconv.h>) && defined(__GLIBC__)
#include <iconv.h>
#define QUARROW_HAVE_ICONV 1
#endif

namespace quarrow {
namespace {

std::string Pair(int lead, int trail) { return {static_cast<char>(lead), static_cast<char>(trail)}; }

TEST(GbkUnicodeTest, EveryCharacterOfTheTableGoesToUtf8AndBack) {
  int characters = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      std::string utf8, gbk;
      const bool known = kGbkPairs[(lead - 0x81) * kGbkTrailCount + (trail - 0x40)] != 0;
      ASSERT_EQ(AppendGbkAsUtf8(Pair(lead, trail), utf8), known) << std::hex << lead << trail;
      if (!known) continue;
      ++characters;
      ASSERT_TRUE(IsUtf8(utf8));
      ASSERT_TRUE(Utf8ToGbk(utf8, gbk)) << std::hex << lead << trail;
      ASSERT_EQ(gbk, Pair(lead, trail));
    }
  }
  EXPECT_EQ(characters, 21791);
}

TEST(GbkUnicodeTest, BrokenInputIsRefusedAndLeavesTheOutputAsItWas) {
  std::string out = "kept";
  EXPECT_FALSE(AppendGbkAsUtf8("a\xB0", out)) << "a lead byte at the end";
  EXPECT_FALSE(AppendGbkAsUtf8("\xFF\xA1", out));
  EXPECT_FALSE(AppendGbkAsUtf8("\xB0\x30", out)) << "a trail byte below 0x40";
  EXPECT_EQ(out, "kept");
  for (const char* bad : {"\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE4\xB8", "\x80"}) {
    EXPECT_FALSE(IsUtf8(bad)) << "overlong, surrogate, beyond U+10FFFF, cut short, a lone continuation";
  }
  std::string gbk;
  EXPECT_FALSE(Utf8ToGbk("\xF0\x9F\x98\x80", gbk)) << "a character GBK lacks";
  EXPECT_TRUE(Utf8ToGbk("\xE2\x82\xAC", gbk));
  EXPECT_EQ(gbk, "\x80") << "the euro sign is the one single byte above ASCII";
}

#ifdef QUARROW_HAVE_ICONV
TEST(GbkUnicodeTest, TheTableAgreesWithTheCLibrarysConverter) {
  const iconv_t to_utf8 = iconv_open("UTF-8", "GBK");
  ASSERT_NE(to_utf8, reinterpret_cast<iconv_t>(-1));
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      std::string in = Pair(lead, trail), ours;
      char out[8];
      char* in_at = in.data();
      char* out_at = out;
      std::size_t in_left = in.size(), out_left = sizeof out;
      iconv(to_utf8, nullptr, nullptr, nullptr, nullptr);
      const bool converted = iconv(to_utf8, &in_at, &in_left, &out_at, &out_left) != static_cast<std::size_t>(-1);
      ASSERT_EQ(AppendGbkAsUtf8(in, ours), converted) << std::hex << lead << trail;
      if (converted) {
        ASSERT_EQ(ours, std::string(out, out_at)) << std::hex << lead << trail;
      }
    }
  }
  iconv_close(to_utf8);
}
#endif

}  // namespace
}  // namespace quarrow
