// The core library's descriptor and its unit-type table as the runtime reads them, the window unit type's row and
// property table, and the runtime notify codes that answer libraries and units with the runtime's own state.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "commands/core_library.h"
#include "forms/win_form_unit.h"
#include "runtime/runtime_notify.h"
#include "tests/win/engine_support.h"
#include "commands/core_unit_types.h"

namespace quarrow::testing {
namespace {

namespace w = test_window;
namespace u = test_unit;

TEST(CoreLibrary, DescribesItselfAndAnswersUnknownCodesWithMinusOne) {
  const LibraryDescriptor& d = kCoreLibrary;
  EXPECT_EQ(d.format_code, 0x01312D65u);
  EXPECT_STREQ(d.identifier, "b7e41c09a6d3452f8c1e90d2f4a6b3c1");
  EXPECT_EQ(std::vector<std::uint32_t>(d.numbers, d.numbers + 3), (std::vector<std::uint32_t>{5, 3, 64}));
  EXPECT_EQ(std::vector<std::uint32_t>(d.more_numbers, d.more_numbers + 4), (std::vector<std::uint32_t>{3, 7, 3, 7}));
  ASSERT_NE(d.display_name, nullptr);
  EXPECT_GT(std::strlen(d.display_name), 0u);
  EXPECT_EQ(d.one, 1u);
  EXPECT_EQ(std::vector<std::uint32_t>(d.info, d.info + 10),
            (std::vector<std::uint32_t>{0, 0xC0000001, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(d.unit_type_count, 51u);
  EXPECT_EQ(d.unit_types, kCoreUnitTypes);
  EXPECT_EQ(d.command_count, 19u);
  EXPECT_NE(d.commands, nullptr);
  for (std::uint32_t word : {d.reserved1[0], d.reserved1[1], d.reserved2, d.reserved3[0], d.reserved3[1],
                             d.reserved4[0], d.reserved4[1], d.reserved4[2], d.reserved4[3], d.reserved4[4]}) {
    EXPECT_EQ(word, 0u);
  }
  ASSERT_NE(d.notify, nullptr);
  EXPECT_EQ(d.notify(6, 0, 0), 0);
  EXPECT_EQ(d.notify(99, 0, 0), -1);
  EXPECT_TRUE(CoreLink().Connected()) << "the runtime handed over its notify entry at start";
}

TEST(CoreLibrary, HoldsThePresentTypesAtTheirNumbersAndEmptySlotsElsewhere) {
  const std::vector<std::uint32_t> present = {1, 5, 9, 10, 11, 12, 15, 19, 31};
  for (std::uint32_t n = 1; n <= 51; ++n) {
    const UnitTypeEntry& entry = kCoreUnitTypes[n - 1];
    const bool is_present = std::find(present.begin(), present.end(), n) != present.end();
    EXPECT_EQ(entry.Empty(), !is_present) << n;
    if (is_present) {
      EXPECT_EQ(entry.flags & 0x80000000u, 0x80000000u) << n;
      EXPECT_EQ(TheRuntime().FindUnitType(0x00010000u + n), &entry) << n;
      EXPECT_EQ(RuntimeNotify(notify_code::kUnitTypeEntry, 0x00010000u + n, 0), reinterpret_cast<std::intptr_t>(&entry));
    } else {
      EXPECT_EQ(TheRuntime().FindUnitType(0x00010000u + n), nullptr) << n;
    }
  }
  EXPECT_EQ(TheRuntime().FindUnitType(0x00010003), nullptr) << "menu items have no entry of their own";
  EXPECT_EQ(TheRuntime().FindUnitType(0x00010034), nullptr) << "beyond the count";
}

TEST(WindowUnitType, RowPropertyTableAndOperations) {
  const UnitTypeEntry& entry = kCoreUnitTypes[0];
  EXPECT_STREQ(entry.english_name, "window");
  ASSERT_NE(entry.chinese_name, nullptr);
  EXPECT_EQ(entry.flags, 0x800000D0u);
  ASSERT_EQ(entry.property_count, 32u);
  const std::uint16_t codes[32] = {1001, 1001, 1001, 1001, 1005, 1003, 1003, 1011, 1005, 1006, 1017,
                                   1009, 1006, 1012, 1006, 1003, 1003, 1003, 1006, 1003, 1010, 1003,
                                   1003, 1003, 0,    1001, 1003, 1003, 1006, 1003, 1003, 1005};
  for (std::size_t i = 0; i < 32; ++i) {
    const PropertyEntry& p = entry.properties[i];
    EXPECT_EQ(p.Flags(), i < 8 ? 0xE000 : 0x8000) << i;
    if (codes[i] != 0) {
      EXPECT_EQ(p.TypeCode(), codes[i]) << i;
    } else {
      EXPECT_EQ(forms::KindOfTypeCode(p.TypeCode()), forms::PropertyKind::kText) << "the help file is a text";
    }
    EXPECT_EQ(p.reserved[0] | p.reserved[1] | p.reserved[2] | p.reserved2, 0u);
  }
  for (std::int32_t code : {1, 4, 5, 6, 7, 9}) EXPECT_NE(entry.unit_interface(code), nullptr) << code;
  for (std::int32_t code : {0, 2, 3, 8, 10, 11, 12, -1}) EXPECT_EQ(entry.unit_interface(code), nullptr) << code;
}

TEST(WindowUnitType, ExtractsTheIconDataOfAStoredBlock) {
  const auto extract =
      UnitTypeOperation<ExtractIconOperation>(kCoreUnitTypes[0].unit_interface, unit_operation::kExtractIcon);
  forms::WindowProperties p;
  Bytes block = forms::SaveWindowProperties(p);
  EXPECT_EQ(extract(block.data(), static_cast<std::int32_t>(block.size())), nullptr) << "no icon";
  p.icon = {0, 0, 1, 0, 9, 8, 7};
  block = forms::SaveWindowProperties(p);
  HGLOBAL icon = extract(block.data(), static_cast<std::int32_t>(block.size()));
  ASSERT_NE(icon, nullptr);
  ASSERT_EQ(::GlobalSize(icon), p.icon.size());
  const auto* bytes = static_cast<const std::uint8_t*>(::GlobalLock(icon));
  EXPECT_EQ(Bytes(bytes, bytes + p.icon.size()), p.icon);
  ::GlobalUnlock(icon);
  ::GlobalFree(icon);
}

TEST(WindowUnitType, VisitsTheTitleTheHelpFileAndTheClassNameAndKeepsTheChanges) {
  forms::WindowProperties p;
  p.title = "标题";
  p.help_file = "help.hlp";
  p.class_name = "类";
  p.icon = {1, 2, 3};
  Bytes block;
  EXPECT_EQ(VisitTexts(kCoreUnitTypes[0].unit_interface, forms::SaveWindowProperties(p),
                       [](char* text) { text[0] = '#'; }, &block),
            (SeenTexts{{"标题", 0}, {"help.hlp", 0}, {"类", 0}}));
  forms::WindowProperties changed;
  ASSERT_TRUE(forms::LoadWindowProperties(block, &changed));
  EXPECT_EQ(changed.title[0], '#');
  EXPECT_EQ(changed.help_file, "#elp.hlp");
  EXPECT_EQ(changed.class_name[0], '#');
  EXPECT_EQ(changed.icon, p.icon) << "the rest of the block stays";
}

std::string CopiedPath(std::uintptr_t which) {
  char buffer[MAX_PATH + 1];
  std::memset(buffer, 'x', sizeof buffer);
  RuntimeNotify(notify_code::kCopyPath, which, reinterpret_cast<std::uintptr_t>(buffer));
  return buffer;
}

TEST(RuntimeNotifyCodes, AnswerWithTheRuntimesOwnState) {
  HICON icons[2] = {reinterpret_cast<HICON>(1), reinterpret_cast<HICON>(1)};
  RuntimeNotify(notify_code::kDefaultIcons, reinterpret_cast<std::uintptr_t>(icons), 0);
  HICON large = nullptr, small = nullptr;
  TheRuntime().DefaultIcons(&large, &small);
  EXPECT_EQ(icons[0], large);
  EXPECT_EQ(icons[1], small);

  EXPECT_EQ(RuntimeNotify(notify_code::kWindowMap, 0, 0), reinterpret_cast<std::intptr_t>(&Windows()));

  char module[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, module, MAX_PATH);
  const std::string path = module;
  const std::string folder = path.substr(0, path.rfind('\\') + 1);
  const std::string name = path.substr(path.rfind('\\') + 1);
  EXPECT_STREQ(reinterpret_cast<const char*>(RuntimeNotify(notify_code::kProgramFileName, 0, 0)), name.c_str());
  EXPECT_EQ(CopiedPath(1), folder);
  EXPECT_EQ(CopiedPath(2001), folder);
  EXPECT_EQ(CopiedPath(2002), name);
  EXPECT_EQ(CopiedPath(5), "");
}

TEST(RuntimeNotifyCodes, LoadingBeginsAndEndsAroundTheBusyCounter) {
  CloseWindows();
  ASSERT_TRUE(Load(w::kMain));
  RuntimeNotify(notify_code::kLoadingBegins, 0, 0);
  EXPECT_TRUE(TheRuntime().Busy());
  EXPECT_FALSE(RaiseTestEvent(w::kMain, u::kA, -9)) << "no handler runs while loading";
  RuntimeNotify(notify_code::kLoadingEnds, 0, 0);
  EXPECT_FALSE(TheRuntime().Busy());
  EXPECT_TRUE(RaiseTestEvent(w::kMain, u::kA, -9));
  RuntimeNotify(notify_code::kLoadingEnds, 0, 0);
  EXPECT_FALSE(TheRuntime().Busy()) << "the counter does not fall below 0";
  RuntimeNotify(notify_code::kLoadingBegins, 0, 0);
  EXPECT_TRUE(TheRuntime().Busy()) << "one begin is enough to raise it again";
  RuntimeNotify(notify_code::kLoadingEnds, 0, 0);
  CloseWindows();
}

TEST(RuntimeNotifyCodes, ProcessingMessagesLeavesAQuitMessageQueued) {
  CloseWindows();
  ResetHandlers();
  ASSERT_TRUE(Load(w::kKeepOpen));
  HWND hwnd = WindowOf(w::kKeepOpen);
  AnswerFrom(tag::kKeepAskClose, 0);
  ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
  ::PostQuitMessage(7);
  RuntimeNotify(notify_code::kProcessMessages, 0, 0);
  EXPECT_EQ(CallsOf(tag::kKeepAskClose), 1) << "the posted close was handled";
  MSG message = {};
  ASSERT_TRUE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit message stays";
  EXPECT_EQ(message.wParam, 7u);
  CloseWindows();
}

TEST(RuntimeNotifyCodes, AUnitsDestructionNoticeClearsItsObjectSlot) {
  CloseWindows();
  ASSERT_TRUE(Load(w::kMain));
  ASSERT_NE(Windows().LiveUnitObject(w::kMain, u::kA), nullptr);
  HWND a = UnitWindow(w::kMain, u::kA);
  EXPECT_NE(Windows().Find(w::kMain)->Unit(u::kA)->cursor, nullptr) << "the hand pointer";
  RuntimeNotify(notify_code::kDestroyed, w::kMain, u::kA);
  EXPECT_EQ(Windows().LiveUnitObject(w::kMain, u::kA), nullptr);
  EXPECT_EQ(Windows().Find(w::kMain)->Unit(u::kA)->cursor, nullptr);
  EXPECT_TRUE(Windows().Find(w::kMain)->Loaded()) << "the window stays loaded";
  ::DestroyWindow(a);
  CloseWindows();
}

TEST(RuntimeNotifyCodes, ConvertNumbersAndNameTheProgramDirectory) {
  ValueRecord value = ValueRecord::OfInt(-42);
  EXPECT_EQ(RuntimeNotify(notify_code::kConvertToNumber, reinterpret_cast<std::uintptr_t>(&value), 0), -42);
  value = ValueRecord::OfDouble(7.9);
  EXPECT_EQ(RuntimeNotify(notify_code::kConvertToNumber, reinterpret_cast<std::uintptr_t>(&value), 0), 7);
  value = ValueRecord::Make(type::kShort, 0xFFFE);
  EXPECT_EQ(RuntimeNotify(notify_code::kConvertToNumber, reinterpret_cast<std::uintptr_t>(&value), 0), -2);

  char module[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, module, MAX_PATH);
  const std::string path = module;
  EXPECT_STREQ(reinterpret_cast<const char*>(RuntimeNotify(notify_code::kProgramDirectory, 0, 0)),
               path.substr(0, path.rfind('\\') + 1).c_str());
}

TEST(RuntimeNotifyCodes, TypeInformationComesFromTheTypesLibrary) {
  std::uint32_t buffer = 0xFFFFFFFF;
  EXPECT_EQ(RuntimeNotify(notify_code::kTypeInformation, TestType(3), reinterpret_cast<std::uintptr_t>(&buffer)), 1002)
      << "library notify code 8 with the type index";
  EXPECT_EQ(buffer, 2u);
  EXPECT_EQ(RuntimeNotify(notify_code::kTypeInformation, 0x00090001, reinterpret_cast<std::uintptr_t>(&buffer)), 0)
      << "no such library";
}

TEST(RuntimeNotifyCodes, MenusAreRebuiltAndPagesShown) {
  CloseWindows();
  ASSERT_TRUE(Load(w::kMenu));
  HWND hwnd = WindowOf(w::kMenu);
  forms::WindowRecord* window = Windows().Find(w::kMenu);
  RuntimeNotify(notify_code::kSetMenuFlag, w::kMenu, 1);
  EXPECT_TRUE(window->working.front().Record().state & forms::state_flag::kMenuFlag);
  ASSERT_NE(::GetMenu(hwnd), nullptr);
  RuntimeNotify(notify_code::kSetMenuFlag, w::kMenu, 0);
  EXPECT_FALSE(window->working.front().Record().state & forms::state_flag::kMenuFlag);

  window->Unit(u::kMenuItem)->MenuItem().text = "改(&G)";
  RuntimeNotify(notify_code::kRebuildMenu, w::kMenu, 0);
  char text[32] = {};
  ::GetMenuStringA(::GetMenu(hwnd), 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "改(&G)");

  ASSERT_TRUE(Load(w::kLayout));
  HWND first = UnitWindow(w::kLayout, u::kOnFirstPage);
  HWND second = UnitWindow(w::kLayout, u::kOnSecondPage);
  UnitObject* container = Windows().LiveUnitObject(w::kLayout, u::kContainer);
  RuntimeNotify(notify_code::kShowPage, reinterpret_cast<std::uintptr_t>(container), 1);
  EXPECT_FALSE(::IsWindowVisible(first));
  EXPECT_TRUE(::IsWindowVisible(second));
  RuntimeNotify(notify_code::kShowPage, reinterpret_cast<std::uintptr_t>(container), 0);
  EXPECT_TRUE(::IsWindowVisible(first));
  EXPECT_FALSE(::IsWindowVisible(second));
  CloseWindows();
}

}  // namespace
}  // namespace quarrow::testing
