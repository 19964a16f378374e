// The application's own subroutines in-process, on the real main window with the program's own header,
// libraries and handlers: the address parts drawn from a fixed seed, the manual-mode rules read from the
// window's boxes and lists, and the generate action's progress texts.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/address.h"
#include "app/generate_action.h"
#include "app/main_window.h"
#include "app/window_units.h"
#include "commands/core_facade.h"
#include "runtime/runtime.h"
#include "tests/e2e/driver/quarrow_session.h"
#include "tests/support/pump.h"
#include "tests/support/runtime_fixture.h"
#include "units/edit_box_properties.h"
#include "units/label_properties.h"
#include "units/list_view_facade.h"
#include "units/process_bar_properties.h"
#include "units/unit_properties.h"

namespace quarrow::program {
extern const ProgramHeader kHeader;
}

namespace quarrow::app {
namespace {

namespace u = units;
using e2e::IsAutoAddress;

constexpr std::int32_t kText = PropertyIndex(edit_box::kText);

// A runtime error's box is dismissed rather than waited for, and then fails the test that raised it.
const bool installed = testing::InstallRuntime(program::kHeader, testing::Boxes::kDismissed);

class AddressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing::Load(kMainWindowId));
    testing::Pump(20);
  }
  void TearDown() override {
    testing::CloseWindows();
    EXPECT_TRUE(testing::RuntimeWatchdog().Unexpected().empty()) << "a box was shown";
  }

  static void SetText(const rt::UnitRef& box, const char* text) { rt::WriteText(box, kText, text); }
  static void SetPair(const rt::UnitRef& min, const rt::UnitRef& max, const char* low, const char* high) {
    SetText(min, low);
    SetText(max, high);
  }
  static void AddEntries(const rt::UnitRef& list, std::initializer_list<const char*> entries) {
    for (const char* entry : entries) cmd::ListBoxAddItem(list, entry);
  }
};

bool InHanziRange(unsigned char byte) { return byte >= 0xB0 && byte <= 0xDA; }

// How many double-byte characters in B0..DA start the text at `at`; advances `at` past them.
int HanziAt(const std::string& text, std::size_t& at) {
  int count = 0;
  while (at + 1 < text.size() && InHanziRange(text[at]) && InHanziRange(text[at + 1])) {
    at += 2;
    ++count;
  }
  return count;
}

// Digits at `at`, advancing past them.
std::string DigitsAt(const std::string& text, std::size_t& at) {
  const std::size_t start = at;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
  return text.substr(start, at - start);
}

bool Skip(const std::string& text, std::size_t& at, const std::string& literal) {
  if (text.compare(at, literal.size(), literal) != 0) return false;
  at += literal.size();
  return true;
}

std::string Str(const rt::Text& text) { return text.Get() ? text.Get() : ""; }

TEST_F(AddressTest, AutoAddressesHaveTheirShapeAndFollowTheDrawOrder) {
  for (std::int32_t seed : {1, 2, 12345}) {
    cmd::SetRandomSeed(seed);
    const std::string address = Str(MakeAddress(true));
    EXPECT_TRUE(IsAutoAddress(address)) << address;

    // The same seed, drawn by hand in the documented order, gives the same bytes.
    cmd::SetRandomSeed(seed);
    std::string expected;
    const auto hanzi = [&](int n) {
      for (int i = 0; i < n; ++i) {
        const int lead = cmd::RandomNumber(38, 80);
        const int trail = cmd::RandomNumber(38, 80);
        expected += static_cast<char>(256 - lead);
        expected += static_cast<char>(256 - trail);
      }
    };
    const auto padded = [&](int low, int high, std::size_t width) {
      std::string digits = std::to_string(cmd::RandomNumber(low, high));
      expected += std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
    };
    hanzi(2);
    expected += "路 ";
    padded(3, 19, 2);
    expected += "号 ";
    hanzi(1);
    expected += "小区 ";
    padded(10, 99, 2);
    expected += "号楼 ";
    padded(1, 9, 1);
    expected += "单元 ";
    padded(111, 999, 3);
    expected += "室";
    EXPECT_EQ(address, expected) << "seed " << seed;
  }
}

TEST_F(AddressTest, AutoHouseNumbersAreZeroFilledAndEveryPartStaysInItsRange) {
  cmd::SetRandomSeed(7);
  bool saw_single_digit_house = false;
  for (int i = 0; i < 400; ++i) {
    const std::string address = Str(MakeAddress());
    ASSERT_TRUE(IsAutoAddress(address)) << address;
    saw_single_digit_house |= address[4 + 3] == '0';  // "路 " is three bytes after the four of the road
  }
  EXPECT_TRUE(saw_single_digit_house) << "houses 3..9 appear as 03..09";
}

TEST_F(AddressTest, RandomHanziGivesTwoBytesPerCharacterAndNothingBelowOne) {
  cmd::SetRandomSeed(3);
  EXPECT_EQ(Str(RandomHanzi(0)), "");
  EXPECT_EQ(Str(RandomHanzi(-1)), "");
  const std::string two = Str(RandomHanzi(2));
  ASSERT_EQ(two.size(), 4u);
  std::size_t at = 0;
  EXPECT_EQ(HanziAt(two, at), 2);
}

TEST_F(AddressTest, PaddedNumbersTakeTheirWidthFromTheSecondBoundAsWritten) {
  cmd::SetRandomSeed(11);
  std::vector<std::string> seen;
  for (int i = 0; i < 300; ++i) seen.push_back(Str(RandomPaddedNumber(100, 5)));
  for (const std::string& n : seen) {
    const int value = std::stoi(n);
    EXPECT_TRUE(value >= 5 && value <= 100) << n;
    EXPECT_EQ(n, std::to_string(value)) << "one digit of width never shortens a number";
  }
  EXPECT_EQ(Str(RandomPaddedNumber(5, 5)), "5");
  EXPECT_EQ(Str(RandomPaddedNumber(7, 100)).size(), 3u);
}

TEST_F(AddressTest, ManualModeDrawsFromTheListsAndTheBoxes) {
  AddEntries(u::kRoadList, {"长江"});
  AddEntries(u::kCommunityList, {"阳光", "翠苑"});
  SetPair(u::kHouseNumberMin, u::kHouseNumberMax, "１２", "１２");  // full-width digits count
  SetPair(u::kBuildingMin, u::kBuildingMax, "5", "5");
  SetPair(u::kUnitMin, u::kUnitMax, "", "");  // blank counts as 0
  SetPair(u::kRoomMin, u::kRoomMax, "100", "5");
  cmd::SetRandomSeed(5);
  bool saw[2] = {false, false};
  for (int i = 0; i < 200; ++i) {
    const std::string address = Str(MakeAddress(false));
    std::size_t at = 0;
    ASSERT_TRUE(Skip(address, at, "长江路 12号 ")) << address;
    if (Skip(address, at, "阳光")) {
      saw[0] = true;
    } else {
      ASSERT_TRUE(Skip(address, at, "翠苑")) << address;
      saw[1] = true;
    }
    ASSERT_TRUE(Skip(address, at, "小区 5号楼 0单元 ")) << address;
    const std::string room = DigitsAt(address, at);
    EXPECT_TRUE(std::stoi(room) >= 5 && std::stoi(room) <= 100 && room[0] != '0') << room;
    EXPECT_TRUE(Skip(address, at, "室") && at == address.size()) << address;
  }
  EXPECT_TRUE(saw[0] && saw[1]) << "both entries are drawn, the last included";
}

TEST_F(AddressTest, ManualModeWithoutListsOrHouseNumbersGivesTheEmptyAddress) {
  EXPECT_EQ(Str(MakeAddress(false)), "") << "both lists empty";
  AddEntries(u::kRoadList, {"长江"});
  EXPECT_EQ(Str(MakeAddress(false)), "") << "no community";
  AddEntries(u::kCommunityList, {"阳光"});
  EXPECT_FALSE(Str(MakeAddress(false)).empty()) << "the window's initial boxes are enough";
  SetText(u::kHouseNumberMax, "   ");
  EXPECT_EQ(Str(MakeAddress(false)), "") << "a blank house-number box";
  SetText(u::kHouseNumberMax, "9");
  SetText(u::kHouseNumberMin, "");
  EXPECT_EQ(Str(MakeAddress(false)), "");
  // Entries are used as stored, blanks and all.
  SetText(u::kHouseNumberMin, "1");
  cmd::ListBoxDeleteItem(u::kRoadList, 0);
  AddEntries(u::kRoadList, {" 中山 "});
  EXPECT_EQ(Str(MakeAddress(false)).rfind(" 中山 路 ", 0), 0u);
}

std::string CellText(std::int32_t row, std::int32_t column) {
  return Str(cmd::ListViewItemText(u::kResultList, row, column));
}

TEST_F(AddressTest, GeneratingNumbersTheRowsAndEndsAtAHundredPercent) {
  SetText(u::kCountBox, "8");
  SetText(u::kPrefixBox, "上海市");
  Generate();
  ASSERT_EQ(cmd::ListViewItemCount(u::kResultList), 8);
  for (std::int32_t row = 0; row < 8; ++row) {
    EXPECT_EQ(CellText(row, 0), std::to_string(row + 1));
    const std::string line = CellText(row, 1);
    ASSERT_EQ(line.rfind("上海市", 0), 0u) << line;
    EXPECT_TRUE(IsAutoAddress(line.substr(std::string("上海市").size()))) << line;
  }
  EXPECT_EQ(Str(rt::ReadText(u::kPercentLabel, PropertyIndex(label::kText))), "100.0%");
  EXPECT_EQ(rt::ReadInt(u::kProgressBar, PropertyIndex(process_bar::kPosition)), 8);
}

TEST_F(AddressTest, ACountBeyondTheBarsRangeStillEndsAtAHundredPercentWithTheBarFull) {
  SetText(u::kCountBox, "32800");
  Generate();
  EXPECT_EQ(cmd::ListViewItemCount(u::kResultList), 32800);
  EXPECT_EQ(CellText(32799, 0), "32800");
  EXPECT_EQ(Str(rt::ReadText(u::kPercentLabel, PropertyIndex(label::kText))), "100.0%");
  const std::int32_t maximum = rt::ReadInt(u::kProgressBar, PropertyIndex(process_bar::kMaximum));
  EXPECT_EQ(maximum, 32767);
  EXPECT_EQ(rt::ReadInt(u::kProgressBar, PropertyIndex(process_bar::kPosition)), maximum);
}

TEST_F(AddressTest, ClosingTheWindowDuringARunStopsIt) {
  SetText(u::kCountBox, "500");
  // The run's own ProcessEvents handles the close; nothing is touched after it.
  ::PostMessageA(testing::WindowOf(kMainWindowId), WM_CLOSE, 0, 0);
  Generate();
  EXPECT_FALSE(cmd::UnitExists(u::kResultList));
}

}  // namespace
}  // namespace quarrow::app
