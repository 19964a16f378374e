// Texts as application code handles them: its own length, join, compare and result copy, and the typed calls of
// the number and text commands.
#include <windows.h>

#include <gtest/gtest.h>

#include "commands/core_facade.h"
#include "runtime/facade.h"
#include "tests/win/command_test_runtime.h"

namespace quarrow {
namespace {

std::size_t BlockSize(const rt::Text& text) { return ::HeapSize(::GetProcessHeap(), 0, text.Get()); }

TEST(TextFacade, LengthCountsBytesAndNullAsEmpty) {
  EXPECT_EQ(rt::Length("地址"), 4);
  EXPECT_EQ(rt::Length(static_cast<const char*>(nullptr)), 0);
  EXPECT_EQ(rt::Length(rt::Text()), 0);
  EXPECT_EQ(rt::Length(rt::Text::Copy("abc")), 3);
}

TEST(TextFacade, JoinIsAlwaysAFreshBlockOfTheExactSize) {
  const rt::Text road = rt::Text::Copy("人民");
  const rt::Text joined = rt::Join({road, "路 ", nullptr, rt::Text(), "12", "号"});
  EXPECT_EQ(joined.View(), "人民路 12号");
  EXPECT_EQ(BlockSize(joined), joined.View().size() + 1);
  EXPECT_NE(joined.Get(), road.Get());

  const rt::Text x = rt::Join({nullptr, "x"});
  EXPECT_EQ(x.View(), "x");
  const rt::Text empty = rt::Join({nullptr, ""});
  ASSERT_NE(empty.Get(), nullptr) << "the result is a block also when it is empty";
  EXPECT_EQ(BlockSize(empty), 1u);
  EXPECT_TRUE(empty.Empty());
}

TEST(TextFacade, JoinTakesTwelveParts) {
  const rt::Text joined = rt::Join({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"});
  EXPECT_EQ(joined.View(), "abcdefghijkl");
}

TEST(TextFacade, CompareIsBytewiseUnsignedAndNullIsEmpty) {
  EXPECT_EQ(rt::Compare(nullptr, ""), 0);
  EXPECT_EQ(rt::Compare(rt::Text(), testing::ConstantEmptyText()), 0);
  EXPECT_EQ(rt::Compare("a", "b"), -1);
  EXPECT_EQ(rt::Compare("b", "a"), 1);
  EXPECT_EQ(rt::Compare("ab", "a"), 1);
  EXPECT_EQ(rt::Compare("a", "ab"), -1);
  EXPECT_EQ(rt::Compare("\xB0\xA1", "z"), 1) << "bytes above 0x7F compare as unsigned";
  EXPECT_EQ(rt::Compare(rt::Text::Copy("路"), "路"), 0);
}

TEST(TextFacade, ResultCopyIsAFreshBlockOrNull) {
  EXPECT_EQ(rt::ResultCopy(static_cast<const char*>(nullptr)).Get(), nullptr);
  const rt::Text local = rt::Text::Copy("小区");
  const rt::Text copy = rt::ResultCopy(local);
  EXPECT_NE(copy.Get(), local.Get());
  EXPECT_EQ(copy.View(), "小区");
  EXPECT_EQ(BlockSize(copy), 5u);
  const rt::Text of_literal = rt::ResultCopy(testing::ConstantLiteral());
  EXPECT_NE(of_literal.Get(), testing::ConstantLiteral()) << "a literal is copied onto the heap";
  EXPECT_EQ(of_literal.View(), "常量");
}

TEST(CommandFacade, CallsReadLikeTheCommands) {
  cmd::SetRandomSeed(1);
  EXPECT_EQ(cmd::RandomNumber(0, 99), 41);
  cmd::SetRandomSeed();
  const std::int32_t r = cmd::RandomNumber();
  EXPECT_GE(r, 0);
  EXPECT_LE(r, 32767);
  EXPECT_EQ(cmd::ToInteger("１２"), 12);
  EXPECT_EQ(cmd::ToInteger(static_cast<const char*>(nullptr)), 0);
  EXPECT_EQ(cmd::ToInteger(-2.9), -2);
  EXPECT_EQ(cmd::ToText(-7).View(), "-7");
  EXPECT_EQ(cmd::ToText(0.5).View(), "0.5");
  EXPECT_EQ(cmd::NumberToFormattedText(1.0 / 3 * 100, 1).View(), "33.3");
  EXPECT_EQ(cmd::NumberToFormattedText(1234567.891, 2, true).View(), "1,234,567.89");
  EXPECT_EQ(cmd::NumberToFormattedText(0.25).View(), "0.25");
  EXPECT_EQ(cmd::TextLength("地址"), 4);
  EXPECT_EQ(cmd::TextLength(nullptr), 0);
  EXPECT_EQ(cmd::RepeatText(3, "0").View(), "000");
  EXPECT_EQ(cmd::RepeatText(2, nullptr).Get(), nullptr);
  EXPECT_EQ(cmd::CharFromCode(-38).View(), "\xDA");
  EXPECT_EQ(cmd::TrimAllSpaces(" 1 2　3 ").View(), "123");
  EXPECT_EQ(cmd::TrimAllSpaces(rt::Text()).Get(), nullptr);
}

TEST(CommandFacade, APaddedRandomNumberIsBuiltFromTheCommands) {
  // Zero-fill to the width of the upper bound, the way the address numbers are made.
  cmd::SetRandomSeed(3);
  for (int i = 0; i < 200; ++i) {
    const std::int32_t n = cmd::RandomNumber(1, 120);
    const rt::Text digits = cmd::ToText(n);
    const rt::Text padded =
        rt::Join({cmd::RepeatText(cmd::TextLength(cmd::ToText(120)) - cmd::TextLength(digits), "0"), digits});
    EXPECT_EQ(padded.View().size(), 3u);
    EXPECT_EQ(cmd::ToInteger(padded), n);
  }
}

}  // namespace
}  // namespace quarrow
