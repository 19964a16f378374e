// The window engine inside this process: real windows loaded from the test form, real keyboard and mouse input,
// handlers that log what reached them.
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "forms/win_form_unit.h"
#include "internals/sound.h"
#include "internals/wave_file.h"
#include "runtime/runtime_notify.h"
#include "runtime/service_table.h"
#include "tests/support/picture_files.h"
#include "tests/support/test_heap.h"
#include "tests/win/engine_support.h"

namespace quarrow::testing {
namespace {

namespace w = test_window;
namespace u = test_unit;

class Engine : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseWindows();
    ResetHandlers();
    CreatedUnits().clear();
  }
  void TearDown() override { CloseWindows(); }

  // The tag's handler closes the window whose event it handles.
  static void ClosesItsWindow(int tag) {
    OnHandler(tag, [] { ::DestroyWindow(WindowOf(Windows().CurrentSourceWindow())); });
  }

  static std::vector<int> WindowTags() {
    std::vector<int> tags;
    for (int t : TagsCalled()) {
      if (t <= tag::kAskClose) tags.push_back(t);
    }
    return tags;
  }
  // Loads a window, brings it forward and puts the focus on one of its units.
  static HWND Focused(std::uint32_t window_id, std::uint32_t unit_id) {
    EXPECT_TRUE(Load(window_id));
    HWND hwnd = WindowOf(window_id);
    EXPECT_TRUE(Activate(hwnd));
    HWND unit = UnitWindow(window_id, unit_id);
    ::SetFocus(unit);
    EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == unit; }));
    return unit;
  }
};

TEST_F(Engine, TheWindowLoadsCentredWithCaptionSystemMenuAndMinimizeBoxOnly) {
  ASSERT_TRUE(Load(w::kMain));
  HWND hwnd = WindowOf(w::kMain);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_TRUE(::IsWindowVisible(hwnd));
  const LONG_PTR style = StyleOf(hwnd);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  char cls[32] = {};
  ::GetClassNameA(hwnd, cls, sizeof cls);
  EXPECT_STREQ(cls, "WTWindow");
  EXPECT_EQ(WindowText(hwnd), "主窗口");

  RECT r;
  ::GetWindowRect(hwnd, &r);
  EXPECT_EQ(r.right - r.left, 400);
  EXPECT_EQ(r.bottom - r.top, 300);
  EXPECT_EQ(r.left, (::GetSystemMetrics(SM_CXSCREEN) - 400) / 2) << "start position 1 ignores the stored left";
  EXPECT_EQ(r.top, (::GetSystemMetrics(SM_CYSCREEN) - 300) / 2);
}

TEST_F(Engine, UnitsAreCreatedFromTheLastRecordWithControlIdsFrom100By10) {
  ASSERT_TRUE(Load(w::kMain));
  const std::vector<std::pair<std::uint32_t, std::uint32_t>> expected = {
      {u::kF, 100}, {u::kE, 110}, {u::kD, 120}, {u::kC, 130}, {u::kB, 140}, {u::kA, 150}};
  EXPECT_EQ(CreatedUnits(), expected);
  EXPECT_EQ(::GetDlgCtrlID(UnitWindow(w::kMain, u::kA)), 150);
  EXPECT_EQ(::GetParent(UnitWindow(w::kMain, u::kA)), WindowOf(w::kMain));
}

TEST_F(Engine, CreatedMovedAndResizedComeFirstAndAnOpenWindowIsOnlyActivated) {
  ASSERT_TRUE(Load(w::kMain));
  HWND hwnd = WindowOf(w::kMain);
  const std::vector<int> tags = WindowTags();
  ASSERT_GE(tags.size(), 3u);
  EXPECT_EQ(std::vector<int>(tags.begin(), tags.begin() + 3),
            (std::vector<int>{tag::kCreated, tag::kMoved, tag::kResized}));

  HandlerCalls().clear();
  CreatedUnits().clear();
  ASSERT_TRUE(Load(w::kMain));
  EXPECT_EQ(WindowOf(w::kMain), hwnd);
  EXPECT_TRUE(CreatedUnits().empty());
  EXPECT_EQ(CallsOf(tag::kCreated), 0) << "loading an open window raises no events";

  ::ShowWindow(hwnd, SW_MINIMIZE);
  ASSERT_TRUE(PumpUntil([&] { return ::IsIconic(hwnd) != FALSE; }));
  ASSERT_TRUE(Load(w::kMain));
  EXPECT_TRUE(PumpUntil([&] { return !::IsIconic(hwnd); })) << "a minimised window is restored";
  EXPECT_EQ(CallsOf(tag::kCreated), 0);
}

TEST_F(Engine, ClosingAsksEvent12ThenEvent1ThenDestroysAndTheNextLoadStartsAfresh) {
  ASSERT_TRUE(Load(w::kMain));
  HandlerCalls().clear();
  UnitObject* before = Windows().LiveUnitObject(w::kMain, u::kA);
  ::SendMessageA(WindowOf(w::kMain), WM_CLOSE, 0, 0);
  EXPECT_EQ(WindowOf(w::kMain), nullptr);
  const std::vector<int> tags = WindowTags();
  const std::vector<int> closing(tags.begin(), tags.end());
  ASSERT_GE(closing.size(), 3u);
  EXPECT_EQ(closing[0], tag::kAskClose);
  EXPECT_EQ(closing[1], tag::kClosing);
  EXPECT_NE(std::find(closing.begin(), closing.end(), tag::kDestroyed), closing.end());
  EXPECT_FALSE(Windows().Find(w::kMain)->Loaded()) << "the working list is released";
  EXPECT_EQ(Windows().LiveUnitObject(w::kMain, u::kA), nullptr);

  ASSERT_TRUE(Load(w::kMain));
  EXPECT_NE(Windows().LiveUnitObject(w::kMain, u::kA), nullptr);
  (void)before;
  EXPECT_EQ(CallsOf(tag::kCreated), 1);
}

TEST_F(Engine, AHandlerOfEvent12ReturningZeroKeepsTheWindowOpenAndEvent1IsNotRaised) {
  ASSERT_TRUE(Load(w::kKeepOpen));
  HWND hwnd = WindowOf(w::kKeepOpen);
  AnswerFrom(tag::kKeepAskClose, 0);
  ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindow(hwnd));
  EXPECT_EQ(CallsOf(tag::kKeepAskClose), 1);
  EXPECT_EQ(CallsOf(tag::kKeepClosing), 0);

  AnswerFrom(tag::kKeepAskClose, 1);
  AnswerFrom(tag::kKeepClosing, 0);
  ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindow(hwnd)) << "event 1 returning 0 refuses too";
  EXPECT_EQ(CallsOf(tag::kKeepClosing), 1);

  ForgetActionsAndAnswers();
  ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_EQ(CallsOf(tag::kKeepDestroyed), 1);
}

TEST_F(Engine, BorderStylesGiveTheirFrames) {
  struct Expected {
    bool caption, thick;
    LONG_PTR extended;
  };
  const Expected expected[] = {{false, false, 0},
                               {true, true, 0},
                               {true, false, 0},
                               {true, true, WS_EX_TOOLWINDOW},
                               {true, false, WS_EX_TOOLWINDOW},
                               {true, true, WS_EX_CLIENTEDGE},
                               {true, false, WS_EX_CLIENTEDGE}};
  for (std::uint32_t n = 0; n <= 6; ++n) {
    ASSERT_TRUE(Load(w::kBorderBase + n)) << n;
    HWND hwnd = WindowOf(w::kBorderBase + n);
    EXPECT_EQ((StyleOf(hwnd) & WS_CAPTION) == WS_CAPTION, expected[n].caption) << n;
    EXPECT_EQ((StyleOf(hwnd) & WS_THICKFRAME) != 0, expected[n].thick) << n;
    EXPECT_EQ(ExStyleOf(hwnd) & (WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE), expected[n].extended) << n;
    ::DestroyWindow(hwnd);
  }
  ASSERT_TRUE(Load(w::kNoCaption));
  HWND hwnd = WindowOf(w::kNoCaption);
  EXPECT_NE(StyleOf(hwnd) & WS_CAPTION, WS_CAPTION) << "no title and no control box: no caption";
  EXPECT_FALSE(StyleOf(hwnd) & WS_SYSMENU);
}

TEST_F(Engine, EscapeClosesOnlyWithEscapeClosesOn) {
  HWND box = Focused(w::kEscapeOff, u::kBox);
  HWND hwnd = WindowOf(w::kEscapeOff);
  const std::size_t typed = WindowText(box).size();
  TapKey(VK_ESCAPE);
  // A character typed after Escape is the barrier: once it shows, Escape has been handled.
  TapKey('X');
  ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(box) || WindowText(box).size() > typed; }));
  EXPECT_TRUE(::IsWindow(hwnd));
  EXPECT_EQ(CallsOf(tag::kEscapeOffAskClose), 0);

  Focused(w::kMain, u::kA);
  HWND main = WindowOf(w::kMain);
  TapKey(VK_ESCAPE);
  EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(main); }));
  EXPECT_EQ(CallsOf(tag::kAskClose), 1);
}

TEST_F(Engine, KeysReachTheFocusedUnitWithFoldedCodesAndKeyState) {
  Focused(w::kMain, u::kA);
  TapKey(VK_NUMPAD5);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kKeyUp) > 0; }));
  const HandlerCall* down = LastCallOf(tag::kKeyDown);
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(down->args, (std::vector<std::uintptr_t>{0x35, 0})) << "keypad 5 is the 5 key";
  EXPECT_EQ(LastCallOf(tag::kKeyUp)->args[0], 0x35u);
  EXPECT_EQ(down->source_window, w::kMain);
  EXPECT_EQ(down->source_unit, u::kA);

  PressKey(VK_CONTROL, true);
  TapKey('Q');
  PressKey(VK_CONTROL, false);
  ASSERT_TRUE(PumpUntil([] { return LastCallOf(tag::kKeyDown)->args[0] == 'Q'; }));
  EXPECT_EQ(LastCallOf(tag::kKeyDown)->args[1], 1u) << "Ctrl is key state 1";

  std::uint32_t source[2] = {1, 1};
  EXPECT_EQ(RuntimeNotify(notify_code::kCurrentEventSource, reinterpret_cast<std::uintptr_t>(source), 0), 0)
      << "the source is cleared when the handler returns";
  EXPECT_EQ(source[0], 0u);
}

TEST_F(Engine, ACharacterHandlerReplacesOrSwallowsTypedCharacters) {
  HWND a = Focused(w::kMain, u::kA);
  ::SetWindowTextA(a, "");
  AnswerFrom(tag::kCharacter, 65);
  TapKey('X');
  TapKey('Y');
  ASSERT_TRUE(PumpUntil([&] { return WindowText(a).size() == 2; }));
  EXPECT_EQ(WindowText(a), "AA");
  const HandlerCall* typed = LastCallOf(tag::kCharacter);
  ASSERT_NE(typed, nullptr);
  EXPECT_TRUE(typed->args[0] == 'y' || typed->args[0] == 'Y') << typed->args[0];

  AnswerFrom(tag::kCharacter, 0);
  const int before = CallsOf(tag::kCharacter);
  TapKey('Z');
  ASSERT_TRUE(PumpUntil([&] { return CallsOf(tag::kCharacter) > before; }));

  // B, typed after Z, is the barrier: once it shows, Z has been handled.
  AnswerFrom(tag::kCharacter, std::nullopt);
  TapKey('B');
  ASSERT_TRUE(PumpUntil([&] { return WindowText(a).size() > 2 && ::toupper(WindowText(a).back()) == 'B'; }))
      << "no value: the character goes through";
  EXPECT_EQ(WindowText(a).size(), 3u) << "a handler returning 0 swallows the character";
}

TEST_F(Engine, MouseButtonsAndTheWheelReachTheUnitUnderThem) {
  HWND a = Focused(w::kMain, u::kA);
  ClickAt(a, 30, 7);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kLeftUp) > 0; }));
  const HandlerCall* down = LastCallOf(tag::kLeftDown);
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(down->args, (std::vector<std::uintptr_t>{30, 7, 0}));

  Wheel(-120);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kWheel) > 0; }));
  EXPECT_EQ(static_cast<std::intptr_t>(LastCallOf(tag::kWheel)->args[0]), -1);

  // A left-button handler returning 0 consumes the press: the unit does not take the focus from it.
  HWND b = UnitWindow(w::kMain, u::kB);
  ::SetFocus(b);
  AnswerFrom(tag::kLeftDown, 0);
  const int ups = CallsOf(tag::kLeftUp);
  ClickAt(a, 30, 7);
  // The release that follows the press is the barrier.
  ASSERT_TRUE(PumpUntil([&] { return CallsOf(tag::kLeftUp) > ups; }));
  EXPECT_EQ(::GetFocus(), b);
}

TEST_F(Engine, EventSourcesRedirectOnlyToUnitsOfTheSameType) {
  Focused(w::kMain, u::kE);
  TapKey('K');
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kKeyDown) > 0; }));
  EXPECT_EQ(LastCallOf(tag::kKeyDown)->source_unit, u::kE) << "A's table, E's event";

  HandlerCalls().clear();
  Focused(w::kMain, u::kF);
  TapKey('K');
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kOwnKeyDown) > 0; }));
  EXPECT_EQ(CallsOf(tag::kKeyDown), 0) << "a unit of another type keeps its own table";
}

TEST_F(Engine, TabFollowsTabOrderWithTheLaterRecordFirstAmongEquals) {
  ASSERT_TRUE(Load(w::kMain));
  ASSERT_TRUE(Activate(WindowOf(w::kMain)));
  auto focused = [] { return ::GetFocus(); };
  auto unit = [](std::uint32_t id) { return UnitWindow(w::kMain, id); };
  ASSERT_TRUE(PumpUntil([&] { return focused() == unit(u::kD); })) << "the first activation focuses the first unit";
  ASSERT_TRUE(PumpPostedMessages());
  ASSERT_EQ(CallsOf(tag::kGotFocus), 1) << "the unit that has the focus after loading is told once";
  EXPECT_EQ(LastCallOf(tag::kGotFocus)->source_unit, u::kD);
  const std::uint32_t order[] = {u::kB, u::kC, u::kA, u::kE, u::kF, u::kD};
  for (std::uint32_t next : order) {
    TapKey(VK_TAB);
    EXPECT_TRUE(PumpUntil([&] { return focused() == unit(next); })) << std::hex << next;
  }
  PressKey(VK_SHIFT, true);
  TapKey(VK_TAB);
  PressKey(VK_SHIFT, false);
  EXPECT_TRUE(PumpUntil([&] { return focused() == unit(u::kF); })) << "Shift+Tab wraps backwards";
  EXPECT_EQ(CallsOf(tag::kKeyDown), 0) << "Tab is the window's, not a common event";
}

TEST_F(Engine, ActivationRaisesItsEventsAndGivesTheFocusBack) {
  ASSERT_TRUE(Load(w::kMain));
  HWND main = WindowOf(w::kMain);
  ASSERT_TRUE(Activate(main));
  HWND c = UnitWindow(w::kMain, u::kC);
  ::SetFocus(c);
  ASSERT_TRUE(Load(w::kEscapeOff));
  ASSERT_TRUE(Activate(WindowOf(w::kEscapeOff)));
  ASSERT_TRUE(Activate(main));
  EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == c; })) << "the unit that had the focus gets it back";
  EXPECT_EQ(CallsOf(tag::kFirstActivated), 1);
  EXPECT_GE(CallsOf(tag::kActivated), 2);
}

TEST_F(Engine, TypedEventsHandTheirArgumentsByType) {
  ASSERT_TRUE(Load(w::kMain));
  forms::TypedEventRecord record;
  record.window_id = w::kMain;
  record.unit_id = u::kA;
  record.event = -9;
  record.argument_count = 2;
  record.arguments[0].value = ValueRecord::Make(type::kShort, 0xFFFF);
  record.arguments[1].value = ValueRecord::OfDouble(2.0);
  AnswerFrom(tag::kKeyDown, -5);
  EXPECT_EQ(RuntimeNotify(notify_code::kRaiseTypedEvent, reinterpret_cast<std::uintptr_t>(&record), 0), 1);
  EXPECT_EQ(record.returned, 1u);
  EXPECT_EQ(record.Value(), -5);
  const HandlerCall* call = LastCallOf(tag::kKeyDown);
  ASSERT_NE(call, nullptr);
  ASSERT_EQ(call->args.size(), 3u);
  EXPECT_EQ(static_cast<std::intptr_t>(call->args[0]), -1);
  EXPECT_EQ(call->args[1], 0u);
  EXPECT_EQ(call->args[2], 0x40000000u) << "a double passes both words";
}

TEST_F(Engine, DraggingTheClientAreaMovesTheWindow) {
  ASSERT_TRUE(Load(w::kDraggable));
  HWND hwnd = WindowOf(w::kDraggable);
  ASSERT_TRUE(Activate(hwnd));
  RECT before;
  ::GetWindowRect(hwnd, &before);
  POINT at = {200, 120};  // the client area, away from the box
  MovePointerTo(hwnd, at.x, at.y);
  ::ClientToScreen(hwnd, &at);
  // The move runs inside the press; another thread moves the mouse on and lets go.
  std::thread mover([at] {
    ::Sleep(300);
    SendMouse(MOUSEEVENTF_MOVE, 0, 40, 30);
    ::Sleep(200);
    ::SetCursorPos(at.x + 40, at.y + 30);
    ::Sleep(200);
    SendMouse(MOUSEEVENTF_LEFTUP);
  });
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  const bool moved = PumpUntil([&] {
    RECT now;
    ::GetWindowRect(hwnd, &now);
    return now.left == before.left + 40 && now.top == before.top + 30;
  });
  mover.join();
  Pump(100);
  EXPECT_TRUE(moved);
}

TEST_F(Engine, EnterClicksTheDefaultButtonOrMovesTheFocus) {
  Focused(w::kDefault, u::kBox);
  TapKey(VK_RETURN);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kDefaultClick) == 1; }));

  Focused(w::kDefault, u::kPlainButton);
  TapKey(VK_RETURN);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kDefaultClick) == 2; })) << "the window's default button";
  EXPECT_EQ(CallsOf(tag::kPlainClick), 0);

  Windows().WriteProperty(w::kDefault, 0, 21, -1, 1);  // Enter moves focus
  HWND box = Focused(w::kDefault, u::kBox);
  (void)box;
  TapKey(VK_RETURN);
  EXPECT_TRUE(PumpUntil([] { return ::GetFocus() == UnitWindow(w::kDefault, u::kDefaultButton); }));
  EXPECT_EQ(CallsOf(tag::kDefaultClick), 2);

  TapKey(VK_RETURN);
  EXPECT_TRUE(PumpUntil([] { return CallsOf(tag::kDefaultClick) == 3; })) << "a focused default button is clicked";
}

TEST_F(Engine, AltMnemonicsToggleCheckBoxesAndMovePastCaptions) {
  Focused(w::kMnemonic, u::kBox);
  HWND check = UnitWindow(w::kMnemonic, u::kCheck);
  PressKey(VK_MENU, true);
  TapKey('K');
  PressKey(VK_MENU, false);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kCheckClick) == 1; }));
  EXPECT_EQ(::SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);

  PressKey(VK_MENU, true);
  TapKey('N');
  PressKey(VK_MENU, false);
  EXPECT_TRUE(PumpUntil([] { return ::GetFocus() == UnitWindow(w::kMnemonic, u::kBoxAfterLabel); }))
      << "a caption's mnemonic focuses the unit after it";
}

TEST_F(Engine, ArrowsMoveTheCheckMarkOverRadioStyleUnits) {
  Focused(w::kRadio, u::kRadio1);
  auto checked = [](std::uint32_t id) {
    return ::SendMessageA(UnitWindow(w::kRadio, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  };
  TapKey(VK_DOWN);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kRadio2) == 1; }));
  EXPECT_TRUE(checked(u::kRadio2));
  EXPECT_FALSE(checked(u::kRadio1));
  EXPECT_EQ(::GetFocus(), UnitWindow(w::kRadio, u::kRadio2));
  TapKey(VK_UP);
  TapKey(VK_UP);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kRadio3) == 1; })) << "wrapping from the first to the last";
  EXPECT_TRUE(checked(u::kRadio3));
  EXPECT_FALSE(checked(u::kRadio1));
}

TEST_F(Engine, CommonPropertiesComeFromThePlatformWindowAndUpdateIt) {
  ASSERT_TRUE(Load(w::kMain));
  HWND a = UnitWindow(w::kMain, u::kA);
  auto read = [](std::int32_t property) { return Windows().ReadProperty(w::kMain, u::kA, property, -1); };
  EXPECT_EQ(read(0), 10u);
  EXPECT_EQ(read(1), 10u);
  EXPECT_EQ(read(2), 80u);
  EXPECT_EQ(read(3), 22u);
  EXPECT_EQ(read(5), 1u);
  EXPECT_EQ(read(6), 0u);

  char* tag1 = reinterpret_cast<char*>(static_cast<std::uintptr_t>(read(4)));
  char* tag2 = reinterpret_cast<char*>(static_cast<std::uintptr_t>(read(4)));
  ASSERT_NE(tag1, nullptr);
  EXPECT_STREQ(tag1, "标记甲");
  EXPECT_NE(tag1, tag2) << "a new text each time";
  Services().free(tag1);
  EXPECT_STREQ(tag2, "标记甲");
  Services().free(tag2);

  Windows().WriteProperty(w::kMain, u::kA, 0, -1, 40000);
  EXPECT_EQ(read(0), 32627u) << "left is clamped to 32627";
  Windows().WriteProperty(w::kMain, u::kA, 0, -1, 15);
  Windows().WriteProperty(w::kMain, u::kA, 2, -1, static_cast<std::uint32_t>(-5));
  EXPECT_EQ(read(2), 0u);
  Windows().WriteProperty(w::kMain, u::kA, 2, -1, 90);
  RECT r;
  ::GetWindowRect(a, &r);
  ::MapWindowPoints(nullptr, WindowOf(w::kMain), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 15);
  EXPECT_EQ(r.right - r.left, 90);

  Windows().WriteProperty(w::kMain, u::kA, 5, -1, 0);
  EXPECT_FALSE(::IsWindowVisible(a));
  Windows().WriteProperty(w::kMain, u::kA, 5, -1, 1);
  EXPECT_TRUE(::IsWindowVisible(a));
  Windows().WriteProperty(w::kMain, u::kA, 6, -1, 1);
  EXPECT_FALSE(::IsWindowEnabled(a));
  EXPECT_EQ(read(6), 1u);
  Windows().WriteProperty(w::kMain, u::kA, 6, -1, 0);

  const char tag[] = "改";
  Windows().WriteProperty(w::kMain, u::kA, 4, -1, reinterpret_cast<std::uintptr_t>(tag));
  char* changed = reinterpret_cast<char*>(static_cast<std::uintptr_t>(read(4)));
  EXPECT_STREQ(changed, "改");
  Services().free(changed);

  // A closed window loads again from its form description.
  ::DestroyWindow(WindowOf(w::kMain));
  char* stored = reinterpret_cast<char*>(static_cast<std::uintptr_t>(read(4)));
  EXPECT_STREQ(stored, "标记甲");
  Services().free(stored);
  EXPECT_EQ(read(2), 80u) << "the stored width of a unit whose window is not loaded";
}

TEST_F(Engine, MousePointersTranslateCursorNumbersAndShowOverTheirUnit) {
  ASSERT_TRUE(Load(w::kMain));
  void* pointer = reinterpret_cast<void*>(static_cast<std::uintptr_t>(Windows().ReadProperty(w::kMain, u::kA, 7, -1)));
  const ByteSetView view = ByteSetView::Of(pointer);
  ASSERT_EQ(view.size, 4u);
  EXPECT_EQ(view.data[0], 14) << "the hand pointer is cursor number 14";
  Services().free(pointer);

  HWND a = UnitWindow(w::kMain, u::kA);
  ASSERT_TRUE(Activate(WindowOf(w::kMain)));
  MovePointerTo(a, 20, 5);
  EXPECT_TRUE(PumpUntil([] { return ::GetCursor() == ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)); }));
}

TEST_F(Engine, OwnPropertiesGoThroughTheUnitTypeAndRecreationKeepsTheUnitsPlace) {
  ASSERT_TRUE(Load(w::kMain));
  HWND old = UnitWindow(w::kMain, u::kA);
  const char text[] = "新文本";
  Windows().WriteProperty(w::kMain, u::kA, 8, -1, reinterpret_cast<std::uintptr_t>(text));
  EXPECT_EQ(WindowText(old), "新文本");
  char* read = reinterpret_cast<char*>(static_cast<std::uintptr_t>(Windows().ReadProperty(w::kMain, u::kA, 8, -1)));
  EXPECT_STREQ(read, "新文本");
  Services().free(read);

  // Font members of a unit that has no font of its own: the default GUI font.
  const forms::FontContext& fonts = Windows().Fonts();
  EXPECT_EQ(Windows().ReadProperty(w::kMain, u::kA, 10, 1), 0u) << "the default font is not bold";
  EXPECT_EQ(Windows().ReadProperty(w::kMain, u::kA, 10, 5),
            static_cast<std::uint32_t>(forms::FontMember(fonts.default_font, 5, fonts.pixels_per_inch)));
  Windows().WriteProperty(w::kMain, u::kA, 10, 1, 1);
  EXPECT_EQ(Windows().ReadProperty(w::kMain, u::kA, 10, 1), 1u) << "a member written onto the default font";

  UnitObject* before = Windows().LiveUnitObject(w::kMain, u::kA);
  Windows().WriteProperty(w::kMain, u::kA, 9, -1, 7);  // the test type asks for re-creation
  UnitObject* after = Windows().LiveUnitObject(w::kMain, u::kA);
  ASSERT_NE(after, nullptr);
  EXPECT_NE(after, before);
  EXPECT_FALSE(::IsWindow(old));
  EXPECT_EQ(::GetDlgCtrlID(after->Window()), 150);
  EXPECT_EQ(WindowText(after->Window()), "新文本") << "the saved block carries the text";
  EXPECT_TRUE(::IsWindowVisible(after->Window()));
  EXPECT_FALSE(TheRuntime().Busy());

  bool returned = false;
  AnswerFrom(tag::kKeyDown, 3);
  std::int32_t value = 0;
  EXPECT_TRUE(RaiseTestEvent(w::kMain, u::kA, -9, &value, &returned)) << "the new unit raises events";
  EXPECT_TRUE(returned);
  EXPECT_EQ(value, 3);
}

TEST_F(Engine, WindowPropertiesReadAndWriteTheLiveWindow) {
  ASSERT_TRUE(Load(w::kMain));
  HWND hwnd = WindowOf(w::kMain);
  char* title = reinterpret_cast<char*>(static_cast<std::uintptr_t>(Windows().ReadProperty(w::kMain, 0, 8, -1)));
  EXPECT_STREQ(title, "主窗口");
  Services().free(title);
  const char renamed[] = "新标题";
  Windows().WriteProperty(w::kMain, 0, 8, -1, reinterpret_cast<std::uintptr_t>(renamed));
  EXPECT_EQ(WindowText(hwnd), "新标题");
  EXPECT_EQ(Windows().ReadProperty(w::kMain, 0, 18, -1), 0u) << "start position reads the live state";
  Windows().WriteProperty(w::kMain, 0, 9, -1, 1);
  EXPECT_TRUE(StyleOf(hwnd) & WS_THICKFRAME);
  Windows().WriteProperty(w::kMain, 0, 16, -1, 1);
  EXPECT_TRUE(StyleOf(hwnd) & WS_MAXIMIZEBOX);
  EXPECT_EQ(Windows().ReadProperty(w::kMain, 0, 16, -1), 1u);
  EXPECT_EQ(Windows().ReadProperty(w::kMain, 0, 2, -1), 400u);
  EXPECT_EQ(Windows().ReadProperty(w::kMain, 0, 31, -1), 0u) << "an empty class name reads as the empty text";
}

TEST_F(Engine, WithoutTaskBarButtonTheHiddenOwnerOwnsTheWindow) {
  ASSERT_TRUE(Load(w::kNoTaskBar));
  EXPECT_EQ(::GetWindow(WindowOf(w::kNoTaskBar), GW_OWNER), TheRuntime().HiddenOwner());
  ASSERT_TRUE(Load(w::kMain));
  EXPECT_EQ(::GetWindow(WindowOf(w::kMain), GW_OWNER), nullptr);
}

TEST_F(Engine, AModalWindowDisablesTheOthersUntilItCloses) {
  ASSERT_TRUE(Load(w::kMain));
  HWND main = WindowOf(w::kMain);
  ASSERT_TRUE(Load(w::kModal, true, main));
  HWND modal = WindowOf(w::kModal);
  EXPECT_FALSE(::IsWindowEnabled(main));
  EXPECT_TRUE(::IsWindowEnabled(modal));
  EXPECT_EQ(::GetWindow(modal, GW_OWNER), TheRuntime().HiddenOwner()) << "a modal load ignores the owner";
  ::SendMessageA(modal, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(modal));
  EXPECT_TRUE(::IsWindowEnabled(main));
}

TEST_F(Engine, AFailedLoadLeavesNothingAndLowersTheBusyCounter) {
  EXPECT_FALSE(Load(w::kFails));
  EXPECT_EQ(::FindWindowA("WTWindow", "失败"), nullptr);
  EXPECT_FALSE(Windows().Find(w::kFails)->Loaded());
  EXPECT_FALSE(TheRuntime().Busy()) << "later events must still reach their handlers";
  EXPECT_FALSE(Load(w::kBadVersion)) << "a window block of version 7";
  EXPECT_FALSE(TheRuntime().Busy());
  EXPECT_FALSE(Load(0x52019999));

  ASSERT_TRUE(Load(w::kMain));
  EXPECT_GE(CallsOf(tag::kCreated), 1);
}

TEST_F(Engine, AWindowWhoseCreatedHandlerClosesItStillLoadsWithoutItsLaterEvents) {
  OnHandler(tag::kClosesItselfCreated, [] { ::DestroyWindow(WindowOf(w::kClosesItself)); });
  EXPECT_TRUE(Load(w::kClosesItself));
  EXPECT_EQ(WindowOf(w::kClosesItself), nullptr);
  EXPECT_EQ(CallsOf(tag::kClosesItselfCreated), 1);
  EXPECT_EQ(CallsOf(tag::kMoved), 0);
  EXPECT_EQ(CallsOf(tag::kResized), 0);
  EXPECT_FALSE(TheRuntime().Busy());
}

TEST_F(Engine, MenuItemsBuildTheMenuAndRaiseTheirOneEvent) {
  ASSERT_TRUE(Load(w::kMenu));
  HWND hwnd = WindowOf(w::kMenu);
  HMENU menu = ::GetMenu(hwnd);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(::GetMenuItemCount(menu), 1) << "the hidden item is left out";
  char text[32] = {};
  ::GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "文件(&F)");
  ::SendMessageA(hwnd, WM_COMMAND, ::GetMenuItemID(menu, 0), 0);
  EXPECT_EQ(CallsOf(tag::kMenuItem), 1);

  EXPECT_EQ(Windows().ReadProperty(w::kMenu, u::kMenuItem, 3, -1), 1u) << "visible";
  Windows().WriteProperty(w::kMenu, u::kMenuItem, 2, -1, 1);
  EXPECT_TRUE(::GetMenuState(::GetMenu(hwnd), 0, MF_BYPOSITION) & MF_GRAYED);
  Windows().WriteProperty(w::kMenu, u::kHiddenMenuItem, 3, -1, 1);
  EXPECT_EQ(::GetMenuItemCount(::GetMenu(hwnd)), 2);
}

TEST_F(Engine, IdleEventsAskForMoreUntilTheirHandlerReturnsZero) {
  ASSERT_TRUE(Load(w::kMain));
  HWND hwnd = WindowOf(w::kMain);
  std::vector<HWND> excluded;
  AnswerFrom(tag::kIdle, 1);
  EXPECT_TRUE(Windows().RaiseIdle(25, excluded));
  EXPECT_EQ(LastCallOf(tag::kIdle)->args, (std::vector<std::uintptr_t>{25}));
  EXPECT_TRUE(excluded.empty());
  AnswerFrom(tag::kIdle, 0);
  EXPECT_FALSE(Windows().RaiseIdle(30, excluded));
  EXPECT_EQ(excluded, (std::vector<HWND>{hwnd}));
  const int calls = CallsOf(tag::kIdle);
  Windows().RaiseIdle(40, excluded);
  EXPECT_EQ(CallsOf(tag::kIdle), calls) << "an excluded window gets no more idle events";
}

TEST_F(Engine, NoEventReachesAHandlerWhileTheRuntimeIsBusy) {
  ASSERT_TRUE(Load(w::kMain));
  TheRuntime().RaiseBusy();
  EXPECT_FALSE(RaiseTestEvent(w::kMain, u::kA, -9));
  TheRuntime().LowerBusy();
  EXPECT_TRUE(RaiseTestEvent(w::kMain, u::kA, -9));
  EXPECT_FALSE(RaiseTestEvent(w::kMain, u::kB, -9)) << "a unit without a handler for the event";
}

TEST_F(Engine, AnEmptyHandlerSlotRunsNothingAndLeavesNoEventSource) {
  ASSERT_TRUE(Load(w::kTranslated));
  EXPECT_FALSE(RaiseTestEvent(w::kTranslated, u::kTranslator, -9));
  EXPECT_EQ(Windows().CurrentSourceWindow(), 0u);
  std::uint32_t source[2] = {1, 1};
  EXPECT_EQ(RuntimeNotify(notify_code::kCurrentEventSource, reinterpret_cast<std::uintptr_t>(source), 0), 0);
}

TEST_F(Engine, AWindowWithoutItsVisibleFlagStaysHiddenUntilShown) {
  ASSERT_TRUE(Load(w::kHidden));
  HWND hwnd = WindowOf(w::kHidden);
  EXPECT_FALSE(::IsWindowVisible(hwnd));
  Windows().WriteProperty(w::kHidden, 0, 5, -1, 1);
  EXPECT_TRUE(::IsWindowVisible(hwnd));
}

TEST_F(Engine, NotifyCodesAnswerForWindowsAndUnits) {
  ASSERT_TRUE(Load(w::kMain));
  EXPECT_EQ(RuntimeNotify(notify_code::kPlatformWindow, w::kMain, 0), reinterpret_cast<std::intptr_t>(WindowOf(w::kMain)));
  EXPECT_EQ(RuntimeNotify(notify_code::kUnitTypeOfUnit, w::kMain, u::kF), static_cast<std::intptr_t>(TestType(test_type::kButton)));
  EXPECT_EQ(RuntimeNotify(notify_code::kUnitTypeOfUnit, w::kMain, 0), 0x00010001);
  UnitObject* a = Windows().LiveUnitObject(w::kMain, u::kA);
  EXPECT_EQ(RuntimeNotify(notify_code::kUnitObject, w::kMain, u::kA), reinterpret_cast<std::intptr_t>(a));
  EXPECT_EQ(RuntimeNotify(notify_code::kUnitObject, w::kEscapeOff, u::kBox), 0) << "not loaded";
  EXPECT_EQ(RuntimeNotify(notify_code::kWindowCount, 0, 0), 29);

  forms::LoadWindowRequest request{w::kEscapeOff, Windows().LiveUnitObject(w::kMain, 0), 0};
  EXPECT_EQ(RuntimeNotify(notify_code::kLoadWindow, reinterpret_cast<std::uintptr_t>(&request), 0), 1);
  EXPECT_EQ(::GetWindow(WindowOf(w::kEscapeOff), GW_OWNER), WindowOf(w::kMain)) << "owned by the owner's window";
  EXPECT_TRUE(::GetWindowLongPtrA(WindowOf(w::kEscapeOff), GWL_STYLE) & WS_POPUP);
  request.window_id = 0x52019999;
  EXPECT_EQ(RuntimeNotify(notify_code::kLoadWindow, reinterpret_cast<std::uintptr_t>(&request), 0), 0);

  // Notify handler 4: a unit type's own property of a unit object, without window lookup.
  ::SetWindowTextA(a->Window(), "直读");
  char* text = reinterpret_cast<char*>(static_cast<std::uintptr_t>(Services().notify(
      4, TestType(test_type::kBox), reinterpret_cast<std::uintptr_t>(a), 0, static_cast<std::uintptr_t>(-1), 0, 0)));
  EXPECT_STREQ(text, "直读");
  Services().free(text);
}

TEST_F(Engine, AMousePointerFromCurDataShowsOverItsUnit) {
  ASSERT_TRUE(Load(w::kMain));
  RgbImage image{16, 16, std::vector<std::uint32_t>(256, 0x0000C0u)};
  const Bytes cur = WriteIconFile(2, {IconEntry{16, 16, 0, 5, 9, IconImageBits(image, 0xFFFFFF)}});
  void* block = TheRuntime().Memory().ByteSetFromBytes(cur.data(), cur.size());
  Windows().WriteProperty(w::kMain, u::kA, 7, -1, reinterpret_cast<std::uintptr_t>(block));
  Services().free(block);

  HWND a = UnitWindow(w::kMain, u::kA);
  ASSERT_TRUE(Activate(WindowOf(w::kMain)));
  MovePointerTo(a, 21, 5);
  MovePointerTo(a, 20, 5);
  HCURSOR hand = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));
  HCURSOR arrow = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  ASSERT_TRUE(PumpUntil([&] { return ::GetCursor() != nullptr && ::GetCursor() != hand && ::GetCursor() != arrow; }))
      << "the pointer made from the data, not a predefined one";
  ICONINFO info = {};
  ASSERT_TRUE(::GetIconInfo(::GetCursor(), &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 5u);
  EXPECT_EQ(info.yHotspot, 9u);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
}

// Window property 11 holds the background picture, drawn over the background colour (property 10) by the picture
// mode (property 12): 0 at the top left, 1 tiled, 2 centred, 3 stretched over the client area.
TEST_F(Engine, TheBackgroundPictureShowsOverTheBackgroundColourInEachMode) {
  ASSERT_TRUE(Load(w::kMain));
  HWND hwnd = WindowOf(w::kMain);
  ASSERT_TRUE(Activate(hwnd));
  // 8 × 6: red on the left half, blue on the right; the units of the window all lie left of x = 90.
  RgbImage halves{8, 6, {}};
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) halves.pixels.push_back(x < 4 ? 0xFF0000u : 0x0000FFu);
  }
  const Bytes bmp = WriteBmp(halves);
  constexpr COLORREF kGreen = RGB(0, 0xFF, 0), kRed = RGB(0xFF, 0, 0), kBlue = RGB(0, 0, 0xFF);
  Windows().WriteProperty(w::kMain, 0, 10, -1, kGreen);
  void* block = TheRuntime().Memory().ByteSetFromBytes(bmp.data(), bmp.size());
  Windows().WriteProperty(w::kMain, 0, 11, -1, reinterpret_cast<std::uintptr_t>(block));
  Services().free(block);

  RECT client;
  ::GetClientRect(hwnd, &client);
  const int cx = (client.right - 8) / 2, cy = (client.bottom - 6) / 2;
  auto shown = [&](std::int32_t mode, int x, int y) {
    Windows().WriteProperty(w::kMain, 0, 12, -1, static_cast<std::uint32_t>(mode));
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(50);
    HDC dc = ::GetDC(hwnd);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return c;
  };
  EXPECT_EQ(shown(0, 1, 1), kRed) << "mode 0: at the top left";
  EXPECT_EQ(shown(0, 6, 4), kBlue);
  EXPECT_EQ(shown(0, 200, 100), kGreen) << "and the colour elsewhere";
  EXPECT_EQ(shown(1, 201, 101), kRed) << "mode 1: tiled from the top left";
  EXPECT_EQ(shown(1, 205, 101), kBlue);
  EXPECT_EQ(shown(2, cx + 1, cy + 1), kRed) << "mode 2: centred";
  EXPECT_EQ(shown(2, cx + 6, cy + 4), kBlue);
  EXPECT_EQ(shown(2, 1, 1), kGreen);
  EXPECT_EQ(shown(3, client.right / 4, client.bottom - 3), kRed) << "mode 3: stretched over the client area";
  EXPECT_EQ(shown(3, client.right * 3 / 4, 2), kBlue);

  // A picture that cannot be decoded shows the plain colour.
  const Bytes garbage = {'B', 'M', 1, 2, 3, 4, 5, 6, 7, 8};
  block = TheRuntime().Memory().ByteSetFromBytes(garbage.data(), garbage.size());
  Windows().WriteProperty(w::kMain, 0, 11, -1, reinterpret_cast<std::uintptr_t>(block));
  Services().free(block);
  EXPECT_EQ(shown(0, 1, 1), kGreen);
}

// Window property 13 holds background music; wave music is stopped for the whole program when its window goes.
TEST_F(Engine, ClosingAWindowWithWaveMusicStopsTheWaveSoundOfAnotherWindow) {
  ASSERT_TRUE(Load(w::kMain));
  ASSERT_TRUE(Load(w::kDefault));
  Bytes samples(8000 * 30);  // half a minute: nothing ends by itself here
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<std::uint8_t>(i * 31 + 7);
  const Bytes wave = MakePcmWave(samples);
  for (std::uint32_t window : {w::kDefault, w::kMain}) {
    void* block = TheRuntime().Memory().ByteSetFromBytes(wave.data(), wave.size());
    Windows().WriteProperty(window, 0, 13, -1, reinterpret_cast<std::uintptr_t>(block));
    Services().free(block);
  }
  ASSERT_TRUE(PumpUntil([] { return PlayingWaveCount() == 2; })) << PlayingWaveCount();
  ::SendMessageA(WindowOf(w::kMain), WM_CLOSE, 0, 0);
  ASSERT_FALSE(::IsWindow(WindowOf(w::kMain)));
  EXPECT_TRUE(PumpUntil([] { return PlayingWaveCount() == 0; }, 4000)) << "the other window's music stops too";
  EXPECT_TRUE(::IsWindow(WindowOf(w::kDefault))) << "and that window stays open";
}

TEST_F(Engine, TheWindowClassIsRegisteredOnceWithItsStyleCursorAndBrush) {
  ASSERT_TRUE(Load(w::kMain));
  HWND main = WindowOf(w::kMain);
  EXPECT_EQ(::GetClassLongPtrA(main, GCL_STYLE), static_cast<ULONG_PTR>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
  EXPECT_EQ(reinterpret_cast<HCURSOR>(::GetClassLongPtrA(main, GCLP_HCURSOR)), ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(::GetClassLongPtrA(main, GCLP_HBRBACKGROUND)), ::GetStockObject(NULL_BRUSH));
  EXPECT_EQ(::GetClassLongPtrA(main, GCLP_HICON), 0u);

  // The class name property names another class; close button off and always on top take effect.
  ASSERT_TRUE(Load(w::kLayout));
  HWND layout = WindowOf(w::kLayout);
  char cls[64] = {};
  ::GetClassNameA(layout, cls, sizeof cls);
  EXPECT_STREQ(cls, "QuarrowLayoutWindow");
  EXPECT_EQ(::GetClassLongPtrA(layout, GCL_STYLE), static_cast<ULONG_PTR>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
  EXPECT_TRUE(ExStyleOf(layout) & WS_EX_TOPMOST);
  EXPECT_FALSE(ExStyleOf(main) & WS_EX_TOPMOST);
  EXPECT_EQ(::GetMenuState(::GetSystemMenu(layout, FALSE), SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1))
      << "no Close entry";
  EXPECT_NE(::GetMenuState(::GetSystemMenu(main, FALSE), SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
}

TEST_F(Engine, StartPositionsKeepTheStoredPlaceOrMinimiseOrMaximise) {
  ASSERT_TRUE(Load(w::kDraggable));
  RECT r;
  ::GetWindowRect(WindowOf(w::kDraggable), &r);
  EXPECT_EQ(r.left, 20) << "start position 0 keeps the stored place";
  EXPECT_EQ(r.top, 20);
  EXPECT_EQ(Windows().ReadProperty(w::kDraggable, 0, 18, -1), 0u);

  ASSERT_TRUE(Load(w::kMinimised));
  HWND minimised = WindowOf(w::kMinimised);
  EXPECT_TRUE(PumpUntil([&] { return ::IsIconic(minimised) != FALSE; }));
  EXPECT_EQ(Windows().ReadProperty(w::kMinimised, 0, 18, -1), 2u) << "the live state";

  ASSERT_TRUE(Load(w::kMaximised));
  HWND maximised = WindowOf(w::kMaximised);
  EXPECT_TRUE(PumpUntil([&] { return ::IsZoomed(maximised) != FALSE; }));
  EXPECT_EQ(Windows().ReadProperty(w::kMaximised, 0, 18, -1), 3u);
}

TEST_F(Engine, UnitsMoveIntoTheirContainersAndShowAsTheirFlagsAndPagesSay) {
  ASSERT_TRUE(Load(w::kLayout));
  HWND container = UnitWindow(w::kLayout, u::kContainer);
  HWND first = UnitWindow(w::kLayout, u::kOnFirstPage);
  HWND second = UnitWindow(w::kLayout, u::kOnSecondPage);
  ASSERT_NE(container, nullptr);
  EXPECT_EQ(::GetParent(first), container);
  EXPECT_EQ(::GetParent(second), container);
  EXPECT_EQ(::GetParent(UnitWindow(w::kLayout, u::kInvisible)), WindowOf(w::kLayout));
  EXPECT_TRUE(::IsWindowVisible(container));
  EXPECT_TRUE(::IsWindowVisible(first));
  EXPECT_FALSE(::IsWindowVisible(second)) << "a unit on a later page starts hidden";
  EXPECT_FALSE(::IsWindowVisible(UnitWindow(w::kLayout, u::kInvisible)));
  EXPECT_FALSE(::IsWindowVisible(UnitWindow(w::kLayout, u::kUnshown))) << "its type is never shown by the load";
  HWND disabled = UnitWindow(w::kLayout, u::kDisabled);
  EXPECT_TRUE(::IsWindowVisible(disabled));
  EXPECT_FALSE(::IsWindowEnabled(disabled));
  EXPECT_FALSE(StyleOf(disabled) & WS_TABSTOP);
  EXPECT_TRUE(StyleOf(first) & WS_TABSTOP);
  EXPECT_TRUE(::IsWindowEnabled(first));
}

TEST_F(Engine, UnitsHearThatAllExistThenThatTheWindowIsLoadedFromTheLastToTheFirst) {
  UnitMessages().clear();
  ASSERT_TRUE(Load(w::kMain));
  std::vector<std::pair<std::uint32_t, std::uint32_t>> expected;
  for (std::uint32_t message : {unit_message::kAllCreated, unit_message::kWindowLoaded}) {
    for (std::uint32_t id : {u::kF, u::kE, u::kD, u::kC, u::kB, u::kA}) expected.emplace_back(id, message);
  }
  EXPECT_EQ(UnitMessages(), expected);
}

TEST_F(Engine, AWindowClosedAndLoadedAgainWhileItsUnitsHearItIsLoadedTellsEachNewUnitOnce) {
  UnitMessages().clear();
  ReloadOnWindowLoaded() = true;
  ASSERT_TRUE(Load(w::kReloads));
  EXPECT_FALSE(ReloadOnWindowLoaded()) << "the last unit reloaded the window";
  ASSERT_NE(WindowOf(w::kReloads), nullptr);
  for (std::uint32_t id : {u::kA, u::kB}) {
    EXPECT_EQ(std::count(UnitMessages().begin(), UnitMessages().end(), std::make_pair(id, unit_message::kWindowLoaded)),
              1)
        << "the first load stops telling units once its window is gone";
  }
}

TEST_F(Engine, AWindowDestroyedWhileItsUnitsHearTheyAllExistFailsToLoad) {
  UnitMessages().clear();
  DestroyOnAllCreated() = true;
  EXPECT_FALSE(Load(w::kReloads));
  EXPECT_FALSE(DestroyOnAllCreated()) << "the reloader heard that all units exist";
  EXPECT_EQ(WindowOf(w::kReloads), nullptr);
  EXPECT_EQ(std::count_if(UnitMessages().begin(), UnitMessages().end(),
                          [](const auto& m) { return m.second == unit_message::kWindowLoaded; }),
            0);
}

// A handler that closes the window runs inside a call of the window's object made from outside its messages: the
// object must outlive that call. Blocks freed meanwhile become unreadable, so a read of a deleted object faults.
TEST_F(Engine, AWindowClosedByAHandlerWhileItShowsOrChangesItsFrameOutlivesTheCall) {
  GuardedHeap guarded;
  ClosesItsWindow(tag::kLifeShown);
  Load(w::kLifecycle);
  EXPECT_EQ(CallsOf(tag::kLifeShown), 1);
  EXPECT_EQ(WindowOf(w::kLifecycle), nullptr) << "closed by its shown handler while the load showed it";

  ForgetActionsAndAnswers();
  ASSERT_TRUE(Load(w::kMain));
  const int resized = CallsOf(tag::kResized);
  ClosesItsWindow(tag::kResized);
  Windows().WriteProperty(w::kMain, 0, PropertyIndex(forms::window_property::kBorderStyle), -1, 0);  // the client area grows
  EXPECT_GT(CallsOf(tag::kResized), resized);
  EXPECT_EQ(WindowOf(w::kMain), nullptr) << "closed by its resized handler while the frame changed";
}

TEST_F(Engine, AnExceptionFromAHandlerStopsAtTheWindowsProcedure) {
  ASSERT_TRUE(Load(w::kKeepOpen));
  HWND hwnd = WindowOf(w::kKeepOpen);
  OnHandler(tag::kKeepAskClose, [] { throw std::runtime_error("a handler failed"); });
  EXPECT_NO_THROW(::SendMessageA(hwnd, WM_CLOSE, 0, 0));
  EXPECT_EQ(CallsOf(tag::kKeepAskClose), 1);
  EXPECT_EQ(CallsOf(tag::kKeepClosing), 0) << "the close stopped where the handler failed";
  EXPECT_EQ(WindowOf(w::kKeepOpen), hwnd);
}

TEST_F(Engine, AForcedLoadBuildsAnOpenWindowAnewAndShowsAHiddenOne) {
  ASSERT_TRUE(Load(w::kMain));
  HWND before = WindowOf(w::kMain);
  CreatedUnits().clear();
  ASSERT_TRUE(Windows().LoadWindow(w::kMain, true, false, nullptr));
  HWND after = WindowOf(w::kMain);
  ASSERT_NE(after, nullptr);
  EXPECT_FALSE(::IsWindow(before));
  EXPECT_EQ(CreatedUnits().size(), 6u);
  EXPECT_EQ(CallsOf(tag::kCreated), 2);

  ASSERT_TRUE(Windows().LoadWindow(w::kHidden, true, false, nullptr));
  EXPECT_TRUE(::IsWindowVisible(WindowOf(w::kHidden))) << "forced, whatever its visible flag";
}

TEST_F(Engine, ShowingHidingAndActivationRaiseTheWindowsEvents) {
  ASSERT_TRUE(Load(w::kLifecycle));
  HWND hwnd = WindowOf(w::kLifecycle);
  EXPECT_EQ(CallsOf(tag::kLifeShown), 1);
  Windows().WriteProperty(w::kLifecycle, 0, 5, -1, 0);
  EXPECT_EQ(CallsOf(tag::kLifeHidden), 1);
  Windows().WriteProperty(w::kLifecycle, 0, 5, -1, 1);
  EXPECT_EQ(CallsOf(tag::kLifeShown), 2);

  ASSERT_TRUE(Activate(hwnd));
  EXPECT_GE(CallsOf(tag::kLifeActivated), 1);
  const int deactivated = CallsOf(tag::kLifeDeactivated);
  ASSERT_TRUE(Load(w::kEscapeOff));
  ASSERT_TRUE(Activate(WindowOf(w::kEscapeOff)));
  EXPECT_TRUE(PumpUntil([&] { return CallsOf(tag::kLifeDeactivated) > deactivated; }));
}

TEST_F(Engine, APreTranslatingTypeSeesKeysBeforeTheWindowKeysAndTheCommonEvents) {
  TranslatedKeys().clear();
  Focused(w::kTranslated, u::kBox);
  HWND hwnd = WindowOf(w::kTranslated);
  TapKey(VK_ESCAPE);
  // K, pressed after Escape, is the barrier: once it reaches the unit, Escape has been handled.
  TapKey('K');
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kTranslatedKeyDown) > 0; })) << "other keys go on";
  EXPECT_TRUE(::IsWindow(hwnd)) << "the translator consumed Escape before the window could close";
  EXPECT_EQ(CallsOf(tag::kTranslatedAskClose), 0);
  EXPECT_EQ(CallsOf(tag::kTranslatedKeyDown), 1) << "nor did Escape become a common event";
  EXPECT_EQ(LastCallOf(tag::kTranslatedKeyDown)->args[0], static_cast<std::uintptr_t>('K'));
  EXPECT_EQ(TranslatedKeys(), (std::vector<std::uint32_t>{VK_ESCAPE, 'K'}));
}

TEST_F(Engine, TabFromACaptionGoesOnFromItsTabOrderWithoutWrapping) {
  HWND label = Focused(w::kMnemonic, u::kLabel);
  ASSERT_EQ(::GetFocus(), label);
  TapKey(VK_TAB);
  EXPECT_TRUE(PumpUntil([] { return ::GetFocus() == UnitWindow(w::kMnemonic, u::kBoxAfterLabel); }))
      << "the first candidate not below the caption's tab order";
  ::SetFocus(label);
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == label; }));
  PressKey(VK_SHIFT, true);
  TapKey(VK_TAB);
  PressKey(VK_SHIFT, false);
  EXPECT_TRUE(PumpUntil([] { return ::GetFocus() == UnitWindow(w::kMnemonic, u::kBox); }))
      << "the last candidate below it";
}

TEST_F(Engine, AltMnemonicsClickButtonsAndCheckRadioStyleUnits) {
  Focused(w::kMnemonic, u::kBox);
  PressKey(VK_MENU, true);
  TapKey('E');
  PressKey(VK_MENU, false);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kMnemonicButton) == 1; }));

  HWND radio = UnitWindow(w::kMnemonic, u::kMnemonicRadio);
  ASSERT_EQ(::SendMessageA(radio, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  PressKey(VK_MENU, true);
  TapKey('R');
  PressKey(VK_MENU, false);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kMnemonicRadio) == 1; }));
  EXPECT_EQ(::SendMessageA(radio, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(CallsOf(tag::kMnemonicButton), 1);
}

TEST_F(Engine, AModalWindowRestoresTheEnabledStatesItFound) {
  ASSERT_TRUE(Load(w::kMain));
  ASSERT_TRUE(Load(w::kEscapeOff));
  HWND main = WindowOf(w::kMain);
  HWND already_disabled = WindowOf(w::kEscapeOff);
  ::EnableWindow(already_disabled, FALSE);
  ASSERT_TRUE(Load(w::kModal, true));
  HWND modal = WindowOf(w::kModal);
  EXPECT_FALSE(::IsWindowEnabled(main));
  // A window outside the program takes the activation; then the disabled main window is activated.
  HWND stranger = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                                    nullptr);
  ASSERT_TRUE(Activate(stranger));
  ::SendMessageA(main, WM_ACTIVATE, WA_CLICKACTIVE, 0);
  EXPECT_TRUE(PumpUntil([&] { return ::GetActiveWindow() == modal; })) << "the modal window takes the activation";
  ::DestroyWindow(stranger);
  ::SendMessageA(modal, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindowEnabled(main));
  EXPECT_FALSE(::IsWindowEnabled(already_disabled)) << "a window that was disabled before stays disabled";
}

TEST_F(Engine, TheBackgroundShowsItsColourAndTheIconsComeFromTheIconProperty) {
  ASSERT_TRUE(Load(w::kMain));
  HWND hwnd = WindowOf(w::kMain);
  ASSERT_TRUE(Activate(hwnd));
  auto repaint = [&] {
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(100);
  };
  auto pixel = [&](int x, int y) {
    HDC dc = ::GetDC(hwnd);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(hwnd, dc);
    return c;
  };
  repaint();
  EXPECT_EQ(pixel(350, 250), ::GetSysColor(COLOR_BTNFACE)) << "0xFF000000 is the button face";
  Windows().WriteProperty(w::kMain, 0, 10, -1, RGB(0x20, 0x40, 0x60));
  repaint();
  EXPECT_EQ(pixel(350, 250), RGB(0x20, 0x40, 0x60));

  HICON large = nullptr, small = nullptr;
  TheRuntime().DefaultIcons(&large, &small);
  EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0)), large) << "the default icons";
  EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0)), small);
  RgbImage image{32, 32, std::vector<std::uint32_t>(32 * 32, 0x00A000u)};
  const Bytes ico = WriteIconFile(1, {IconEntry{32, 32, 0, 1, 32, IconImageBits(image)}});
  void* icon = TheRuntime().Memory().ByteSetFromBytes(ico.data(), ico.size());
  Windows().WriteProperty(w::kMain, 0, 20, -1, reinterpret_cast<std::uintptr_t>(icon));
  Services().free(icon);
  HICON own_large = reinterpret_cast<HICON>(::SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));
  HICON own_small = reinterpret_cast<HICON>(::SendMessageA(hwnd, WM_GETICON, ICON_SMALL, 0));
  ASSERT_NE(own_large, nullptr);
  ASSERT_NE(own_small, nullptr);
  EXPECT_NE(own_large, large);
  EXPECT_NE(own_small, small);
  ICONINFO info = {};
  ASSERT_TRUE(::GetIconInfo(own_small, &info));
  BITMAP bitmap = {};
  ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, ::GetSystemMetrics(SM_CXSMICON)) << "the small icon has the small size";
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
}

TEST_F(Engine, RightButtonsDoubleClicksMovesAndKeyStatesReachTheUnit) {
  HWND a = Focused(w::kMain, u::kA);
  MovePointerTo(a, 40, 9);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kMouseMove) > 0; }));
  EXPECT_EQ(LastCallOf(tag::kMouseMove)->args, (std::vector<std::uintptr_t>{40, 9, 0}));

  // The release is consumed (value 0), so the unit's own context menu does not open.
  AnswerFrom(tag::kRightUp, 0);
  PressKey(VK_SHIFT, true);
  SendMouse(MOUSEEVENTF_RIGHTDOWN);
  SendMouse(MOUSEEVENTF_RIGHTUP);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kRightUp) > 0; }));
  PressKey(VK_SHIFT, false);
  ASSERT_EQ(CallsOf(tag::kRightDown), 1);
  EXPECT_EQ(LastCallOf(tag::kRightDown)->args, (std::vector<std::uintptr_t>{40, 9, 2})) << "Shift is key state 2";
  EXPECT_EQ(LastCallOf(tag::kRightUp)->args, (std::vector<std::uintptr_t>{40, 9, 2}));

  // The unit's class has no double clicks of its own; the message is raised as it arrives.
  ::PostMessageA(a, WM_LBUTTONDBLCLK, 0, MAKELPARAM(7, 8));
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kDoubleClick) > 0; }));
  EXPECT_EQ(LastCallOf(tag::kDoubleClick)->args, (std::vector<std::uintptr_t>{7, 8, 0}));

  PressKey(VK_MENU, true);
  TapKey(VK_F5);
  PressKey(VK_MENU, false);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kKeyDown) > 0 && LastCallOf(tag::kKeyDown)->args[0] == VK_F5; }));
  EXPECT_EQ(LastCallOf(tag::kKeyDown)->args[1], 4u) << "Alt is key state 4, and a system key is a key";
}

TEST_F(Engine, F1IsACommonKeyUnlessItOpensHelpWhichNeedsAnExistingFile) {
  Focused(w::kMain, u::kA);
  TapKey(VK_F1);
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kKeyDown) > 0 && LastCallOf(tag::kKeyDown)->args[0] == VK_F1; }))
      << "with F1 opens help off the key goes on";
  Windows().WriteProperty(w::kMain, 0, 23, -1, 1);
  Windows().WriteProperty(w::kMain, 0, 24, -1, reinterpret_cast<std::uintptr_t>("C:\\no\\such\\help.hlp"));
  HandlerCalls().clear();
  TapKey(VK_F1);
  TapKey('K');
  ASSERT_TRUE(PumpUntil([] { return CallsOf(tag::kKeyUp) >= 2; }));
  ASSERT_EQ(CallsOf(tag::kKeyDown), 1) << "F1 belongs to the window now";
  EXPECT_EQ(LastCallOf(tag::kKeyDown)->args[0], static_cast<std::uintptr_t>('K'));
  EXPECT_EQ(::FindWindowA("MS_WINHELP", nullptr), nullptr) << "no help file, no help";
}

}  // namespace
}  // namespace quarrow::testing
