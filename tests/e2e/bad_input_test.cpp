// Input that no one should give, given through the window of the running program: counts that are no numbers,
// too long or full-width, pasted text beyond the count box's limit, min above max in every pair, odd numbers in
// the boxes, lists of ten thousand entries and names of 300 bytes. The program must neither crash nor hang nor
// show garbage, and what it generates must follow the address rules.
#include <gtest/gtest.h>

#include <cstdlib>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/driver/quarrow_session.h"
#include "tests/e2e/driver/remote_controls.h"

namespace quarrow::e2e {
namespace {

// GBK texts of the test, spelled out byte by byte where the bytes are the point.
const std::string kFullWidthZero = "\xA3\xB0";    // ０
const std::string kFullWidthThree = "\xA3\xB3";   // ３
const std::string kFullWidthSpace = "\xA1\xA1";   // 　

std::wstring Wide(const std::string& gbk) {
  std::wstring wide(gbk.size() + 1, L'\0');
  const int n = ::MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), wide.data(),
                                      static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(n > 0 ? n : 0));
  return wide;
}

// Puts text on the clipboard as the system's ANSI text (GBK).
bool PutOnClipboard(const std::string& gbk) {
  if (!::OpenClipboard(nullptr)) return false;
  ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, gbk.size() + 1);
  char* bytes = static_cast<char*>(::GlobalLock(memory));
  std::copy(gbk.begin(), gbk.end(), bytes);
  bytes[gbk.size()] = '\0';
  ::GlobalUnlock(memory);
  const bool ok = ::SetClipboardData(CF_TEXT, memory) != nullptr;
  ::CloseClipboard();
  return ok;
}

// An address number: digits only, the value within [low, high], zero-filled to `width` and no further.
::testing::AssertionResult IsPaddedNumber(const std::string& digits, int low, int high, std::size_t width) {
  if (digits.empty() || digits.size() > 9 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return ::testing::AssertionFailure() << "\"" << digits << "\" is no number";
  }
  const int value = std::stoi(digits);
  if (value < low || value > high) {
    return ::testing::AssertionFailure() << value << " lies outside " << low << ".." << high;
  }
  std::string expected = std::to_string(value);
  if (expected.size() < width) expected.insert(0, width - expected.size(), '0');
  if (digits != expected) return ::testing::AssertionFailure() << "\"" << digits << "\" should read \"" << expected << "\"";
  return ::testing::AssertionSuccess();
}

// What a pair of min/max boxes allows: both read as integers, negative bounds count as 0, either order; the fill
// width comes from the max box as written.
struct Range {
  int low;
  int high;
  std::size_t width;
};
Range PairRange(int min_value, int max_value) {
  const int a = std::max(min_value, 0), b = std::max(max_value, 0);
  return {std::min(a, b), std::max(a, b), std::to_string(max_value).size()};
}

struct ManualAddress {
  std::string road, number, community, building, unit, room;
};

// Splits a manual-mode address: a road entry, "路 ", a number, "号 ", a community entry, "小区 ", a number,
// "号楼 ", a number, "单元 ", a number, "室". The entries are the lists' own, so they are matched as given.
bool ParseManual(const std::string& text, const std::set<std::string>& roads, const std::set<std::string>& communities,
                 ManualAddress& out) {
  std::size_t at = 0;
  const auto entry = [&](const std::set<std::string>& names, const std::string& suffix, std::string& field) {
    for (const std::string& name : names) {
      if (text.compare(at, name.size() + suffix.size(), name + suffix) == 0) {
        field = name;
        at += name.size() + suffix.size();
        return true;
      }
    }
    return false;
  };
  const auto number = [&](const std::string& suffix, std::string& field) {
    const std::size_t start = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') ++at;
    field = text.substr(start, at - start);
    if (text.compare(at, suffix.size(), suffix) != 0) return false;
    at += suffix.size();
    return true;
  };
  return entry(roads, "路 ", out.road) && number("号 ", out.number) && entry(communities, "小区 ", out.community) &&
         number("号楼 ", out.building) && number("单元 ", out.unit) && number("室", out.room) && at == text.size();
}

class BadInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session_.Started()) << "quarrow.exe did not show its window";
    ASSERT_NE(session_.CountBox(), nullptr);
    ASSERT_NE(session_.RoadList(), nullptr);
  }
  void TearDown() override {
    const auto unexpected = session_.Watchdog().Unexpected();
    EXPECT_TRUE(unexpected.empty()) << "an unexpected box: " << unexpected.front().text;
    const auto code = session_.Close();
    EXPECT_EQ(code, 0u) << "the program ends with 0 when its window is closed";
  }

  HWND Box(int left, int top) const { return FindControl(session_.Window(), "Edit", 8 + left, 8 + top); }
  // The min and max boxes of the four pairs, by their place in the window.
  HWND HouseMin() const { return Box(128, 48); }
  HWND HouseMax() const { return Box(187, 48); }
  HWND BuildingMin() const { return Box(128, 98); }
  HWND BuildingMax() const { return Box(187, 98); }
  HWND UnitMin() const { return Box(128, 120); }
  HWND UnitMax() const { return Box(187, 120); }
  HWND RoomMin() const { return Box(128, 143); }
  HWND RoomMax() const { return Box(187, 143); }

  void ManualMode() {
    ClickCentre(session_.AutoModeBox());
    ASSERT_TRUE(WaitUntil(
        [&] { return ::SendMessageA(session_.AutoModeBox(), BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, 3000));
  }
  // A name typed (or, for what the keyboard cannot type, set) into an entry box and added with Enter.
  void AddWithEnter(HWND entry, HWND list, const std::string& name) {
    const int before = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    SetTextOf(entry, name);
    ClickCentre(entry);
    TapKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return ::SendMessageA(list, LB_GETCOUNT, 0, 0) == before + 1; }, 3000))
        << "Enter did not add the entry";
  }
  // A count set as pasted text would set it, then "生成".
  void GenerateWithCountText(const std::string& count_text) {
    SetTextOf(session_.CountBox(), count_text);
    ClickCentre(session_.GenerateButton());
  }
  // Waits until the run has added `rows` rows and written the number of the last one.
  bool WaitForNumberedRows(int rows, DWORD timeout_ms = 30000) {
    return WaitUntil(
        [&] {
          if (ListViewRowCount(session_.ResultList()) < rows) return false;
          const auto cells = ReadListViewRow(session_.ResultList(), rows - 1, 2);
          return cells.size() == 2 && cells[0] == std::to_string(rows) && !cells[1].empty();
        },
        timeout_ms);
  }

  QuarrowSession session_;
};

TEST_F(BadInputTest, CountsThatAreNoPositiveNumberAddNoRowAndLeaveTheLabelAlone) {
  for (const char* count : {"abc", "-5", "0"}) {
    session_.Generate(count);
    EXPECT_EQ(WindowText(session_.CountBox()), count);
  }
  GenerateWithCountText(kFullWidthZero);
  GenerateWithCountText("  " + kFullWidthSpace);
  // A road entered after the clicks is listed only once they have been handled (a run would have added a row
  // before it took more input).
  AddWithEnter(session_.RoadEntry(), session_.RoadList(), "Xinhua");
  EXPECT_EQ(ListViewRowCount(session_.ResultList()), 0);
  EXPECT_EQ(WindowText(session_.PercentLabel()), "%") << "no run, no percentage";
  // The program still works afterwards.
  session_.Generate("2");
  EXPECT_TRUE(session_.WaitForRows(2));
}

TEST_F(BadInputTest, FullWidthDigitsInTheCountAreDigits) {
  GenerateWithCountText(kFullWidthThree);
  ASSERT_TRUE(session_.WaitForRows(3));
  // The run is over when its label shows the whole: no row comes after that.
  ASSERT_TRUE(WaitUntil([&] { return WindowText(session_.PercentLabel()) == "100.0%"; }, 3000));
  const auto rows = session_.Rows();
  ASSERT_EQ(rows.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(rows[i][0], std::to_string(i + 1));
    EXPECT_TRUE(IsAutoAddress(rows[i][1])) << rows[i][1];
  }
}

TEST_F(BadInputTest, TheCountBoxKeepsFiveCharactersWhetherTypedOrPasted) {
  HWND box = session_.CountBox();
  session_.TypeInto(box, "1234567");
  EXPECT_EQ(WindowText(box), "12345");

  for (const std::string& pasted : {std::string("98765432109876543210"), std::string("\xA3\xB1\xA3\xB2\xA3\xB3\xA3\xB4\xA3\xB5\xA3\xB6\xA3\xB7")}) {
    ASSERT_TRUE(PutOnClipboard(pasted));
    ClickCentre(box);
    ::SendMessageA(box, EM_SETSEL, 0, -1);
    TapKey('V', kCtrl);
    ASSERT_TRUE(WaitUntil([&] { return !WindowText(box).empty(); }, 3000)) << "nothing was pasted";
    const std::string text = WindowText(box);
    const std::wstring shown = Wide(text);
    EXPECT_EQ(shown.size(), 5u) << text;
    EXPECT_EQ(Wide(pasted).substr(0, 5), shown) << "the box keeps the first five characters of what was pasted";
  }
  // Five full-width digits read as 12345; no run is started here.
  EXPECT_EQ(WindowText(box), "\xA3\xB1\xA3\xB2\xA3\xB3\xA3\xB4\xA3\xB5");
  EXPECT_EQ(ListViewRowCount(session_.ResultList()), 0);
}

TEST_F(BadInputTest, ARunOf99999RowsShowsSanePercentagesAndClosingTheWindowEndsIt) {
  session_.Generate("999999");
  EXPECT_EQ(WindowText(session_.CountBox()), "99999");
  ASSERT_TRUE(WaitUntil([&] { return ListViewRowCount(session_.ResultList()) >= 50; }, 60000));
  // The run goes on while the label is read, and the label may lag the list: it shows some rows made so far
  // against the bar's 32767, one decimal, never more than the list holds once it has been read.
  const std::string label = WindowText(session_.PercentLabel());
  const int after = ListViewRowCount(session_.ResultList());
  ASSERT_TRUE(label.size() >= 4 && label.back() == '%') << label;
  const double percent = std::atof(label.c_str());
  EXPECT_GT(percent, 0.0) << label;
  EXPECT_LE(percent, after * 100.0 / 32767 + 0.05) << label << " with " << after << " rows";
  const int max = static_cast<int>(::SendMessageA(session_.ProgressBar(), PBM_GETRANGE, FALSE, 0));
  EXPECT_EQ(max, 32767) << "the bar's range stops at 32767";
  // The numbers so far run 1, 2, 3, ... with auto addresses.
  const auto first = ReadListViewRow(session_.ResultList(), 0, 2);
  EXPECT_EQ(first[0], "1");
  EXPECT_TRUE(IsAutoAddress(first[1])) << first[1];
  // TearDown closes the window in the middle of the run: the action notices and the program ends with 0.
}

TEST_F(BadInputTest, MinAboveMaxInEveryPairStillGivesNumbersBetweenTheTwo) {
  ManualMode();
  AddWithEnter(session_.RoadEntry(), session_.RoadList(), "Renmin");
  AddWithEnter(session_.RoadEntry(), session_.RoadList(), "Jiefang");
  AddWithEnter(session_.CommunityEntry(), session_.CommunityList(), "Yangguang");
  SetTextOf(HouseMin(), "50");
  SetTextOf(HouseMax(), "7");
  SetTextOf(BuildingMin(), "30");
  SetTextOf(BuildingMax(), "2");
  SetTextOf(UnitMin(), "9");
  SetTextOf(UnitMax(), "1");
  SetTextOf(RoomMin(), "100");
  SetTextOf(RoomMax(), "5");
  session_.Generate("25");
  ASSERT_TRUE(WaitForNumberedRows(25));
  const std::set<std::string> roads{"Renmin", "Jiefang"}, communities{"Yangguang"};
  const std::vector<std::string> addresses = session_.Column(1);
  ASSERT_EQ(addresses.size(), 25u);
  for (const std::string& address : addresses) {
    ManualAddress a;
    ASSERT_TRUE(ParseManual(address, roads, communities, a)) << address;
    EXPECT_TRUE(IsPaddedNumber(a.number, 7, 50, 1)) << address;
    EXPECT_TRUE(IsPaddedNumber(a.building, 2, 30, 1)) << address;
    EXPECT_TRUE(IsPaddedNumber(a.unit, 1, 9, 1)) << address;
    EXPECT_TRUE(IsPaddedNumber(a.room, 5, 100, 1)) << address;
  }
}

TEST_F(BadInputTest, FullWidthLettersSignsAndBlanksInTheBoxesFollowTheNumberRules) {
  ManualMode();
  AddWithEnter(session_.RoadEntry(), session_.RoadList(), "人民");
  AddWithEnter(session_.CommunityEntry(), session_.CommunityList(), "阳光");
  session_.TypeInto(session_.PrefixBox(), "P");
  // House 1..12 from full-width digits; building exactly 5; unit from letters, so 0; room from 3 and -5, so
  // 0..3 zero-filled to the two characters of "-5".
  const struct {
    HWND box;
    std::string text;
  } boxes[] = {
      {HouseMin(), "\xA3\xB1"},           {HouseMax(), "\xA3\xB1\xA3\xB2"}, {BuildingMin(), "\xA3\xB5"},
      {BuildingMax(), "\xA3\xB5"},        {UnitMin(), "abc"},               {UnitMax(), "abc"},
      {RoomMin(), "3"},                   {RoomMax(), "-5"},
  };
  for (const auto& b : boxes) SetTextOf(b.box, b.text);
  session_.Generate("20");
  ASSERT_TRUE(WaitForNumberedRows(20));
  const Range house = PairRange(1, 12), building = PairRange(5, 5), unit = PairRange(0, 0), room = PairRange(3, -5);
  const std::vector<std::string> addresses = session_.Column(1);
  ASSERT_EQ(addresses.size(), 20u);
  for (const std::string& line : addresses) {
    ASSERT_EQ(line.substr(0, 1), "P");
    const std::string address = line.substr(1);
    ManualAddress a;
    ASSERT_TRUE(ParseManual(address, {"人民"}, {"阳光"}, a)) << address;
    EXPECT_TRUE(IsPaddedNumber(a.number, house.low, house.high, house.width)) << address;
    EXPECT_TRUE(IsPaddedNumber(a.building, building.low, building.high, building.width)) << address;
    EXPECT_TRUE(IsPaddedNumber(a.unit, unit.low, unit.high, unit.width)) << address;
    EXPECT_TRUE(IsPaddedNumber(a.room, room.low, room.high, room.width)) << address;
  }

  // A house-number box of blanks only, half- and full-width: no address, only the prefix.
  SetTextOf(HouseMax(), " " + kFullWidthSpace + " ");
  ClickCentre(session_.ClearButton());
  ASSERT_TRUE(WaitUntil([&] { return ListViewRowCount(session_.ResultList()) == 0; }, 3000));
  session_.Generate("3");
  ASSERT_TRUE(WaitForNumberedRows(3));
  EXPECT_EQ(session_.Column(1), (std::vector<std::string>{"P", "P", "P"}));
}

// The text of one list-box entry of another process (GBK bytes).
std::string EntryText(HWND list_box, int index) {
  const LRESULT length = ::SendMessageW(list_box, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return "<none>";
  // Across processes the length may count bytes rather than characters: the text itself says how long it is.
  std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT n =
      ::SendMessageW(list_box, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.data()));
  wide.resize(static_cast<std::size_t>(n > 0 ? n : 0));
  std::string text(wide.size() * 2, '\0');
  const int bytes = ::WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                                          static_cast<int>(text.size()), nullptr, nullptr);
  text.resize(static_cast<std::size_t>(bytes > 0 ? bytes : 0));
  return text;
}

TEST_F(BadInputTest, ListsOfTenThousandEntriesAreDrawnFromAndPruned) {
  constexpr int kEntries = 10000;
  ManualMode();
  HWND roads = session_.RoadList(), communities = session_.CommunityList();
  std::set<std::string> road_names, community_names;
  const auto road = [](int i) { return "road" + std::to_string(i); };
  const auto community = [](int i) { return "小区名" + std::to_string(i); };
  // A few through the entry boxes and Enter, as the user adds them...
  for (int i = 0; i < 3; ++i) {
    road_names.insert(road(i));
    AddWithEnter(session_.RoadEntry(), roads, road(i));
    community_names.insert(community(i));
    AddWithEnter(session_.CommunityEntry(), communities, community(i));
  }
  // ...and the rest straight into the list controls, which is what adding does to them (an entry with item data
  // 0 at the end). Typing ten thousand names would take hours; so would adding them to a list that redraws after
  // each one under Wine, where every change to a visible list box costs some 18 ms: its redraw is off meanwhile.
  for (HWND list : {roads, communities}) ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  for (int i = 3; i < kEntries; ++i) {
    road_names.insert(road(i));
    community_names.insert(community(i));
    ASSERT_EQ(::SendMessageA(roads, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(road(i).c_str())), i);
    ASSERT_EQ(::SendMessageA(communities, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(community(i).c_str())), i);
  }
  for (HWND list : {roads, communities}) {
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
  }
  ASSERT_EQ(EntryText(roads, kEntries - 1), road(kEntries - 1));
  ASSERT_EQ(EntryText(communities, kEntries - 1), community(kEntries - 1));

  session_.Generate("30");
  ASSERT_TRUE(WaitForNumberedRows(30));
  std::set<std::string> drawn;
  const std::vector<std::string> addresses = session_.Column(1);
  ASSERT_EQ(addresses.size(), 30u);
  for (const std::string& address : addresses) {
    ManualAddress a;
    ASSERT_TRUE(ParseManual(address, road_names, community_names, a)) << address;
    EXPECT_TRUE(IsPaddedNumber(a.number, 1, 99, 2)) << address;
    drawn.insert(a.road);
  }
  EXPECT_GT(drawn.size(), 20u) << "thirty draws from ten thousand roads repeat rarely";

  // Every hundredth entry selected, the last one among them, then Delete: the hundred go, the rest stay in order.
  // (Deleting all ten thousand works the same way but takes minutes under Wine, at 18 ms per change.)
  ClickCentre(roads);
  ::SendMessageA(roads, LB_SETSEL, FALSE, -1);
  for (int i = 99; i < kEntries; i += 100) ::SendMessageA(roads, LB_SETSEL, TRUE, i);
  ASSERT_EQ(static_cast<int>(::SendMessageA(roads, LB_GETSELCOUNT, 0, 0)), kEntries / 100);
  TapKey(VK_DELETE);
  EXPECT_TRUE(WaitUntil([&] { return ::SendMessageA(roads, LB_GETCOUNT, 0, 0) == kEntries - kEntries / 100; }, 60000))
      << ::SendMessageA(roads, LB_GETCOUNT, 0, 0) << " entries left";
  for (int at : {0, 98, 99, 197, 9899 - 98}) {
    const int original = at + at / 99;  // 99 entries kept before each deleted one
    EXPECT_EQ(EntryText(roads, at), road(original)) << "entry " << at;
  }
  EXPECT_EQ(EntryText(roads, kEntries - kEntries / 100 - 1), road(kEntries - 2));
  EXPECT_EQ(::SendMessageA(communities, LB_GETCOUNT, 0, 0), kEntries) << "the other list stays";
}

TEST_F(BadInputTest, NamesOf300BytesGoIntoTheAddressesWhole) {
  ManualMode();
  std::string road;
  for (int i = 0; i < 150; ++i) road += "长";
  // Entries are kept as typed, blanks included.
  std::string community = " " + std::string(149, 'c');
  for (int i = 0; i < 75; ++i) community += "啊";
  ASSERT_EQ(road.size(), 300u);
  ASSERT_EQ(community.size(), 300u);
  AddWithEnter(session_.RoadEntry(), session_.RoadList(), road);
  AddWithEnter(session_.CommunityEntry(), session_.CommunityList(), community);
  EXPECT_EQ(ReadListBox(session_.RoadList()), std::vector<std::string>{road});
  session_.Generate("3");
  ASSERT_TRUE(WaitForNumberedRows(3));
  const std::vector<std::string> addresses = session_.Column(1);
  ASSERT_EQ(addresses.size(), 3u);
  for (const std::string& address : addresses) {
    ManualAddress a;
    ASSERT_TRUE(ParseManual(address, {road}, {community}, a))
        << address.size() << " bytes: " << address;
    EXPECT_TRUE(IsPaddedNumber(a.room, 1, 99, 2)) << address;
  }
}

}  // namespace
}  // namespace quarrow::e2e
