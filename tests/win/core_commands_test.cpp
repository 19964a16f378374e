// The number, random-number and text commands called the way application code calls them: through service
// entry 3 with argument records, their texts coming back as runtime-heap blocks.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <thread>

#include "commands/core_commands.h"
#include "runtime/runtime.h"
#include "tests/support/counting_heap.h"
#include "tests/win/command_test_runtime.h"

namespace quarrow {
namespace {

using testing::CallCommand;
using testing::ConstantEmptyText;
using testing::TakeText;
namespace cc = core_command;

ValueRecord Text(const char* text) { return ValueRecord::OfText(text); }
ValueRecord Int(std::int32_t v) { return ValueRecord::OfInt(v); }
ValueRecord Double(double v) { return ValueRecord::OfDouble(v); }
const ValueRecord kOmitted{};

TEST(CoreCommandTable, HasTheNumberAndTextCommandsInTheirPlaces) {
  for (std::int32_t n = cc::kSetRandomSeed; n <= cc::kTrimAllSpaces; ++n) {
    EXPECT_NE(kCoreCommands[n], nullptr) << "command " << n;
  }
}

TEST(CoreCommands, NoneReadsARecordWhenCalledWithCountZero) {
  void* guard = ::VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
  ASSERT_NE(guard, nullptr);
  auto* nothing = static_cast<ValueRecord*>(guard);
  for (std::int32_t n = cc::kSetRandomSeed; n <= cc::kTrimAllSpaces; ++n) {
    const ValueRecord r = Services().call_core_command(kCoreCommands[n], 0, nothing);
    // Absent arguments read as 0 and the empty text: only the number formatter has something to show.
    if (r.type != type::kText) continue;
    EXPECT_EQ(TakeText(r), n == cc::kNumberToFormattedText ? "0" : "") << "command " << n;
  }
  ::VirtualFree(guard, 0, MEM_RELEASE);
}

TEST(SetRandomSeed, ReturnsNothingAndMakesTheNextDrawPredictable) {
  const ValueRecord r = CallCommand(cc::kSetRandomSeed, {Int(1)});
  EXPECT_EQ(r.type, type::kNone);
  EXPECT_EQ(r.word1, 0u);
  const ValueRecord first = CallCommand(cc::kRandomNumber, {Int(0), Int(99)});
  EXPECT_EQ(first.type, type::kInt);
  EXPECT_EQ(first.Int(), 41);
}

TEST(SetRandomSeed, FromTheClockTwiceInARowGivesDifferentSequences) {
  auto draws = [] {
    CallCommand(cc::kSetRandomSeed, {});
    std::vector<std::int32_t> v;
    for (int i = 0; i < 6; ++i) v.push_back(CallCommand(cc::kRandomNumber, {}).Int());
    return v;
  };
  const auto a = draws();
  const auto b = draws();
  EXPECT_NE(a, b);

  // An omitted record is the clock seed too, not a seed of 0.
  CallCommand(cc::kSetRandomSeed, {Int(0)});
  const auto from_zero = [] {
    std::vector<std::int32_t> v;
    for (int i = 0; i < 6; ++i) v.push_back(CallCommand(cc::kRandomNumber, {}).Int());
    return v;
  }();
  CallCommand(cc::kSetRandomSeed, {kOmitted});
  std::vector<std::int32_t> from_clock;
  for (int i = 0; i < 6; ++i) from_clock.push_back(CallCommand(cc::kRandomNumber, {}).Int());
  EXPECT_NE(from_clock, from_zero);
}

TEST(RandomNumber, ReadsItsBoundsByPositionAndAsIntegers) {
  CallCommand(cc::kSetRandomSeed, {Int(5)});
  for (int i = 0; i < 200; ++i) {
    const std::int32_t x = CallCommand(cc::kRandomNumber, {Int(9), Int(1)}).Int();
    EXPECT_GE(x, 1);
    EXPECT_LE(x, 9);
    const std::int32_t y = CallCommand(cc::kRandomNumber, {Int(-3), Int(2)}).Int();
    EXPECT_GE(y, 0);
    EXPECT_LE(y, 2);
    const std::int32_t z = CallCommand(cc::kRandomNumber, {kOmitted, Int(3)}).Int();
    EXPECT_GE(z, 0);
    EXPECT_LE(z, 3);
    // The application passes a count less one computed in real arithmetic: 2.9 reads as 2.
    const std::int32_t w = CallCommand(cc::kRandomNumber, {Int(0), Double(2.9)}).Int();
    EXPECT_GE(w, 0);
    EXPECT_LE(w, 2);
  }
  EXPECT_EQ(CallCommand(cc::kRandomNumber, {Int(5), Int(5)}).Int(), 5);
}

TEST(RandomNumber, EachThreadHasItsOwnGenerator) {
  CallCommand(cc::kSetRandomSeed, {Int(777)});
  std::int32_t on_other_thread = -1;
  std::thread([&] { on_other_thread = CallCommand(cc::kRandomNumber, {Int(0), Int(99)}).Int(); }).join();
  EXPECT_EQ(on_other_thread, 41) << "a fresh thread starts with state 1";
  CallCommand(cc::kSetRandomSeed, {Int(1)});
  EXPECT_EQ(CallCommand(cc::kRandomNumber, {Int(0), Int(99)}).Int(), 41);
}

TEST(ToInteger, ConvertsByTheArgumentsType) {
  EXPECT_EQ(CallCommand(cc::kToInteger, {Text("  -12abc")}).Int(), -12);
  EXPECT_EQ(CallCommand(cc::kToInteger, {Text("１２")}).Int(), 12);
  EXPECT_EQ(CallCommand(cc::kToInteger, {Text(ConstantEmptyText())}).Int(), 0);
  EXPECT_EQ(CallCommand(cc::kToInteger, {Double(-2.9)}).Int(), -2);
  EXPECT_EQ(CallCommand(cc::kToInteger, {Double(3000000000.0)}).Int(), -1294967296);
  EXPECT_EQ(CallCommand(cc::kToInteger, {ValueRecord::OfLong(0x100000005LL)}).Int(), 5);
  EXPECT_EQ(CallCommand(cc::kToInteger, {kOmitted}).Int(), 0);
  EXPECT_EQ(CallCommand(cc::kToInteger, {kOmitted}).type, type::kInt);
}

TEST(ToText, GivesFreshBlocksAndTheEmptyTextAsNull) {
  EXPECT_EQ(TakeText(CallCommand(cc::kToText, {Int(-42)})), "-42");
  EXPECT_EQ(TakeText(CallCommand(cc::kToText, {Double(0.1)})), "0.1");
  EXPECT_EQ(TakeText(CallCommand(cc::kToText, {Double(1.0 / 3)})), "0.3333333333333");
  EXPECT_EQ(TakeText(CallCommand(cc::kToText, {Double(1e20)})), "1e+020");
  EXPECT_EQ(TakeText(CallCommand(cc::kToText, {ValueRecord::OfLogical(true)})), "真");
  EXPECT_EQ(TakeText(CallCommand(cc::kToText, {ValueRecord::OfFloat(0.1f)})), "0.1");
  EXPECT_EQ(TakeText(CallCommand(cc::kToText, {ValueRecord::OfDouble(45356.5, type::kDateTime)})),
            "2024年3月5日12时");

  const ValueRecord empty = CallCommand(cc::kToText, {Text(ConstantEmptyText())});
  EXPECT_EQ(empty.type, type::kText);
  EXPECT_EQ(empty.Text(), nullptr) << "an empty text argument gives null, not a one-byte block";
  EXPECT_EQ(CallCommand(cc::kToText, {kOmitted}).Text(), nullptr);

  // A copy, not the caller's block.
  const char* literal = testing::ConstantLiteral();
  const ValueRecord copy = CallCommand(cc::kToText, {Text(literal)});
  EXPECT_NE(copy.Text(), literal);
  EXPECT_EQ(TakeText(copy), "常量");
}

TEST(ToText, NonFiniteDoublesGiveTheCRuntimeSpellings) {
  EXPECT_EQ(TakeText(CallCommand(cc::kToText, {Double(std::numeric_limits<double>::infinity())})), "1.#INF");
  EXPECT_EQ(TakeText(CallCommand(cc::kToText, {Double(-std::numeric_limits<double>::infinity())})), "-1.#INF");
  EXPECT_EQ(TakeText(CallCommand(cc::kToText, {Double(std::numeric_limits<double>::quiet_NaN())})), "1.#QNAN");
  EXPECT_EQ(TakeText(CallCommand(cc::kToText, {Double(-std::numeric_limits<double>::quiet_NaN())})), "-1.#IND");
}

TEST(NumberToFormattedText, ReadsValueDecimalsAndThousands) {
  auto format = [](std::vector<ValueRecord> args) { return TakeText(CallCommand(cc::kNumberToFormattedText, args)); };
  const ValueRecord no = ValueRecord::OfLogical(false);
  const ValueRecord yes = ValueRecord::OfLogical(true);
  EXPECT_EQ(format({Double(33.3333), Int(1), no}), "33.3");
  EXPECT_EQ(format({Double(100), Int(1), no}), "100.0");
  EXPECT_EQ(format({Double(1234567.891), Int(2), yes}), "1,234,567.89");
  EXPECT_EQ(format({Double(5), Int(0)}), "5");
  EXPECT_EQ(format({Double(-0.05), Int(1)}), "-0.1");
  EXPECT_EQ(format({Double(0), Int(2)}), "0.00");
  EXPECT_EQ(format({Double(2.675), Int(2)}), "2.68");
  EXPECT_EQ(format({Double(1.0 / 3)}), "0.3333333333333") << "without decimals: no rounding, no padding";
  EXPECT_EQ(format({Double(1234.5), kOmitted, yes}), "1,234.5");
  EXPECT_EQ(format({Double(1234.5), kOmitted, ValueRecord::Make(type::kLogical, 2)}), "1,234.5")
      << "any non-zero logical is true";
  EXPECT_EQ(format({Int(7), Int(1)}), "7.0") << "an int value reads as a number";
}

TEST(TextLength, CountsBytes) {
  EXPECT_EQ(CallCommand(cc::kTextLength, {Text("地址")}).Int(), 4);
  EXPECT_EQ(CallCommand(cc::kTextLength, {Text(ConstantEmptyText())}).Int(), 0);
  EXPECT_EQ(CallCommand(cc::kTextLength, {kOmitted}).Int(), 0);
}

TEST(RepeatText, RepeatsAndGivesTheEmptyTextAsNull) {
  EXPECT_EQ(TakeText(CallCommand(cc::kRepeatText, {Int(3), Text("0")})), "000");
  EXPECT_EQ(TakeText(CallCommand(cc::kRepeatText, {Int(2), Text("ab")})), "abab");
  EXPECT_EQ(CallCommand(cc::kRepeatText, {Int(-1), Text("0")}).Text(), nullptr);
  EXPECT_EQ(CallCommand(cc::kRepeatText, {Int(2), Text(ConstantEmptyText())}).Text(), nullptr);
  EXPECT_EQ(CallCommand(cc::kRepeatText, {Int(2), Text("ab")}).type, type::kText);
}

TEST(RepeatText, ALengthBeyondATextGivesTheEmptyTextWithoutTouchingTheHeap) {
  const ValueRecord r = CallCommand(cc::kRepeatText, {Int(0x7FFFFFFF), Text("ab")});
  EXPECT_EQ(r.type, type::kText);
  EXPECT_EQ(r.Text(), nullptr);
  EXPECT_NE(::HeapValidate(::GetProcessHeap(), 0, nullptr), FALSE);
}

TEST(RepeatText, AFailedWorkingAllocationGivesTheEmptyTextNotAnError) {
  RuntimeMemory& memory = TheRuntime().Memory();
  HeapBackend& process_heap = memory.Heap();
  testing::CountingHeap heap;
  heap.FailAbove(1000);
  memory.SetHeap(heap);
  const ValueRecord big = CallCommand(cc::kRepeatText, {Int(1000), Text("ab")});
  const ValueRecord small = CallCommand(cc::kRepeatText, {Int(3), Text("ab")});
  memory.SetHeap(process_heap);
  EXPECT_EQ(big.Text(), nullptr);
  ASSERT_NE(small.Text(), nullptr);
  EXPECT_STREQ(small.Text(), "ababab");
  EXPECT_TRUE(heap.Owns(small.Text()));
  heap.Free(const_cast<char*>(small.Text()));
}

TEST(CharFromCode, TakesTheLowByte) {
  EXPECT_EQ(TakeText(CallCommand(cc::kCharFromCode, {Int(65)})), "A");
  EXPECT_EQ(CallCommand(cc::kCharFromCode, {Int(0)}).Text(), nullptr);
  EXPECT_EQ(TakeText(CallCommand(cc::kCharFromCode, {Int(-38)})), "\xDA");
  EXPECT_EQ(TakeText(CallCommand(cc::kCharFromCode, {ValueRecord::Make(type::kByte, 0xB0)})), "\xB0");
}

TEST(TrimAllSpaces, DropsEverySpace) {
  EXPECT_EQ(TakeText(CallCommand(cc::kTrimAllSpaces, {Text(" 1 2　3 ")})), "123");
  EXPECT_EQ(CallCommand(cc::kTrimAllSpaces, {Text("　")}).Text(), nullptr);
  EXPECT_EQ(TakeText(CallCommand(cc::kTrimAllSpaces, {Text("丁\xA1\xA1")})), "丁");
}

}  // namespace
}  // namespace quarrow
