// ProcessBar on a live window: what the progress control is given for the stored range and position, the limits,
// borders, and re-creation only for a real change of orientation or bar style.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "tests/support/modal_watchdog.h"
#include "tests/win/unit_command_support.h"
#include "commands/core_unit_types.h"
#include "units/process_bar_properties.h"
#include "units/unit_properties.h"

namespace quarrow::testing {
namespace {

namespace w = uc_window;
namespace u = uc_unit;

constexpr std::int32_t P(std::int32_t local) { return PropertyIndex(local); }

struct Shown {
  int low, high, position;
  bool operator==(const Shown&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Shown& s) {
  return out << s.low << ".." << s.high << " at " << s.position;
}

Shown ShownBy(HWND bar) {
  PBRANGE range = {};
  ::SendMessageA(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
  return {range.iLow, range.iHigh, static_cast<int>(::SendMessageA(bar, PBM_GETPOS, 0, 0))};
}

class ProcessBarUnit : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetHandlers();
    CloseWindows();
    ASSERT_TRUE(LoadAndActivate(w::kBars));
    bar_ = UnitWindow(w::kBars, u::kBar);
    ASSERT_NE(bar_, nullptr);
  }
  void TearDown() override {
    CloseWindows();
    EXPECT_TRUE(watchdog_.Unexpected().empty());
  }

  void Set(std::int32_t local, std::int32_t value) { WriteInt(w::kBars, u::kBar, P(local), value); }
  std::int32_t Get(std::int32_t local) { return ReadInt(w::kBars, u::kBar, P(local)); }
  Shown Bar() { return ShownBy(UnitWindow(w::kBars, u::kBar)); }

  ModalWatchdog watchdog_;
  HWND bar_ = nullptr;
};

TEST_F(ProcessBarUnit, IsAProgressControlWithTheDefaultsAndAThinBorder) {
  char name[32] = {};
  ::GetClassNameA(bar_, name, sizeof name);
  EXPECT_STREQ(name, "msctls_progress32");
  EXPECT_EQ(Bar(), (Shown{0, 100, 0}));
  EXPECT_EQ(StyleOf(bar_) & (PBS_VERTICAL | PBS_SMOOTH), 0);
  EXPECT_EQ(ExStyleOf(bar_) & 0x20201, WS_EX_STATICEDGE) << "Border 3";
  EXPECT_EQ(::GetWindowTextLengthA(bar_), 0);
}

TEST_F(ProcessBarUnit, AStoredReversedRangeReachesTheControlInOrder) {
  HWND vertical = UnitWindow(w::kBars, u::kVerticalBar);
  EXPECT_EQ(ShownBy(vertical), (Shown{20, 80, 50}));
  EXPECT_EQ(StyleOf(vertical) & (PBS_VERTICAL | PBS_SMOOTH), PBS_VERTICAL | PBS_SMOOTH);
  EXPECT_EQ(ReadInt(w::kBars, u::kVerticalBar, P(process_bar::kMinimum)), 80) << "stored as it was";
  EXPECT_EQ(ReadInt(w::kBars, u::kVerticalBar, P(process_bar::kMaximum)), 20);
}

TEST_F(ProcessBarUnit, ValuesAreLimitedToTheControlsRange) {
  Set(process_bar::kMaximum, 50000);
  EXPECT_EQ(Get(process_bar::kMaximum), 32767);
  EXPECT_EQ(Bar().high, 32767);
  Set(process_bar::kMinimum, -10);
  EXPECT_EQ(Get(process_bar::kMinimum), 0);
  Set(process_bar::kPosition, 40000);
  EXPECT_EQ(Get(process_bar::kPosition), 32767);
  EXPECT_EQ(Bar(), (Shown{0, 32767, 32767}));
  Set(process_bar::kMaximum, -10);
  EXPECT_EQ(Get(process_bar::kMaximum), 0);
  EXPECT_EQ(Bar(), (Shown{0, 0, 0}));
}

TEST_F(ProcessBarUnit, ThePositionIsStoredAsSetAndShownInsideTheRange) {
  Set(process_bar::kMinimum, 10);
  Set(process_bar::kMaximum, 20);
  Set(process_bar::kPosition, 5);
  EXPECT_EQ(Get(process_bar::kPosition), 5);
  EXPECT_EQ(Bar(), (Shown{10, 20, 10}));
  Set(process_bar::kPosition, 25);
  EXPECT_EQ(Get(process_bar::kPosition), 25);
  EXPECT_EQ(Bar(), (Shown{10, 20, 20}));
  Set(process_bar::kMaximum, 30);
  EXPECT_EQ(Bar(), (Shown{10, 30, 25})) << "a wider range shows the stored position again";
  Set(process_bar::kMinimum, 80);
  EXPECT_EQ(Bar(), (Shown{30, 80, 30})) << "Minimum 80 and Maximum 30 give 30..80";
}

// A run that moves the bar on every row must not pay a paint for every move: the moved part waits for the message
// loop, which then shows the bar as last set.
TEST_F(ProcessBarUnit, AMoveIsPaintedByTheMessageLoop) {
  ASSERT_TRUE(::IsWindowVisible(bar_));
  RECT client;
  ::GetClientRect(bar_, &client);
  const int probe_x = client.right * 3 / 4, probe_y = client.bottom / 2;
  auto probe = [&] {
    HDC dc = ::GetDC(bar_);
    const COLORREF colour = ::GetPixel(dc, probe_x, probe_y);
    ::ReleaseDC(bar_, dc);
    return colour;
  };
  Pump(100);
  const COLORREF empty = probe();

  Set(process_bar::kPosition, 100);
  RECT waiting = {};
  EXPECT_TRUE(::GetUpdateRect(bar_, &waiting, FALSE)) << "the move waits to be painted";
  EXPECT_TRUE(PumpUntil([&] { return !::GetUpdateRect(bar_, nullptr, FALSE); }));
  EXPECT_NE(probe(), empty) << "the loop painted the bar full";

  Set(process_bar::kPosition, 0);
  EXPECT_TRUE(PumpUntil([&] { return !::GetUpdateRect(bar_, nullptr, FALSE); }));
  EXPECT_EQ(probe(), empty) << "and empty again";
}

TEST_F(ProcessBarUnit, OrientationAndBarStyleRecreateOnlyWhenTheyChange) {
  UnitObject* first = UnitObjectOf(w::kBars, u::kBar);
  EXPECT_EQ(SetWordDirectly(w::kBars, u::kBar, process_bar::kOrientation, 0), 0);
  EXPECT_EQ(SetWordDirectly(w::kBars, u::kBar, process_bar::kBarStyle, static_cast<std::uint32_t>(-4)), 0)
      << "-4 is clamped to 0, the value it has";
  EXPECT_EQ(UnitObjectOf(w::kBars, u::kBar), first);

  Set(process_bar::kMinimum, 5);
  Set(process_bar::kPosition, 60);
  Set(process_bar::kOrientation, 7);
  UnitObject* second = UnitObjectOf(w::kBars, u::kBar);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first) << "re-created";
  HWND bar = second->Window();
  EXPECT_FALSE(::IsWindow(bar_));
  EXPECT_TRUE(::IsWindowVisible(bar));
  EXPECT_EQ(Get(process_bar::kOrientation), 1);
  EXPECT_EQ(StyleOf(bar) & (PBS_VERTICAL | PBS_SMOOTH), PBS_VERTICAL);
  EXPECT_EQ(ShownBy(bar), (Shown{5, 100, 60})) << "range and position survive";

  Set(process_bar::kBarStyle, 1);
  HWND smooth = UnitWindow(w::kBars, u::kBar);
  EXPECT_NE(smooth, bar);
  EXPECT_EQ(StyleOf(smooth) & (PBS_VERTICAL | PBS_SMOOTH), PBS_VERTICAL | PBS_SMOOTH);
  EXPECT_EQ(SetWordDirectly(w::kBars, u::kBar, process_bar::kBarStyle, 1), 0);
}

TEST_F(ProcessBarUnit, BorderIsClampedAndApplied) {
  Set(process_bar::kBorder, 9);
  EXPECT_EQ(Get(process_bar::kBorder), 5);
  EXPECT_TRUE(StyleOf(bar_) & WS_BORDER);
  EXPECT_EQ(ExStyleOf(bar_) & 0x20201, 0);
  Set(process_bar::kBorder, -1);
  EXPECT_EQ(Get(process_bar::kBorder), 0);
  EXPECT_FALSE(StyleOf(bar_) & WS_BORDER);
  EXPECT_EQ(UnitObjectOf(w::kBars, u::kBar)->Window(), bar_);
}

TEST_F(ProcessBarUnit, TheBlockCarriesTheValuesAsStored) {
  Set(process_bar::kMinimum, 90);
  Set(process_bar::kMaximum, 70);
  Set(process_bar::kPosition, 3);
  ProcessBarProperties saved;
  ASSERT_TRUE(saved.Load(SavedBlock(w::kBars, u::kBar)));
  EXPECT_EQ(saved.minimum, 90);
  EXPECT_EQ(saved.maximum, 70);
  EXPECT_EQ(saved.position, 3);
  EXPECT_EQ(saved.border, 3);
}

TEST(ProcessBarType, EntryAndOperations) {
  const UnitTypeEntry& type = kCoreUnitTypes[core_type::kProcessBar - 1];
  EXPECT_STREQ(type.chinese_name, "进度条");
  EXPECT_STREQ(type.english_name, "ProcessBar");
  EXPECT_EQ(type.flags, 0x84010040u);
  EXPECT_EQ(type.property_count, 14u);
  EXPECT_EQ(type.unit_interface(unit_operation::kVisitTexts), nullptr) << "it holds no texts";
  EXPECT_NE(type.unit_interface(unit_operation::kCreateUnit), nullptr);
}

}  // namespace
}  // namespace quarrow::testing
