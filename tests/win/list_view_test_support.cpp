#include "tests/win/list_view_test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <utility>

#include "commands/core_library.h"
#include "forms/window_map.h"
#include "base/value.h"
#include "tests/support/modal_watchdog.h"
#include "units/extended_library.h"
#include "units/list_view.h"

namespace quarrow::testing {

namespace {

template <int Tag>
HandlerResult Record(const std::uintptr_t* args, std::int32_t count) {
  std::vector<std::intptr_t> words;
  for (std::int32_t i = 0; i < count; ++i) words.push_back(static_cast<std::intptr_t>(args[i]));
  ListCalls().push_back({Tag, std::move(words)});
  const auto hook = DuringListCall().find(Tag);
  if (hook != DuringListCall().end() && hook->second) hook->second();
  const auto value = ListReturns().find(Tag);
  if (value == ListReturns().end()) return {};
  return {true, value->second};
}

template <std::size_t... I>
constexpr std::array<HandlerSlot, sizeof...(I)> MakeSlots(std::index_sequence<I...>) {
  return {HandlerSlot{&Record<static_cast<int>(I)>}...};
}
alignas(8) const std::array<HandlerSlot, list_tag::kCount> kHandlers =
    MakeSlots(std::make_index_sequence<list_tag::kCount>{});

const LibraryDescriptor* const kLibraries[] = {&kCoreLibrary, &kExtendedLibrary};

class ListViewEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    form_ = ListViewTestForm();
    header_ = {3,       0, 0x000100D4, kHandlers.data(), nullptr, 0, form_.data(), static_cast<std::uint32_t>(form_.size()),
               2,       kLibraries, 0, nullptr, nullptr};
    // Any box (a runtime error's among them) is dismissed rather than waited for.
    watchdog_ = std::make_unique<ModalWatchdog>();
    TheRuntime().Initialise(header_);
  }
  void TearDown() override { watchdog_.reset(); }

 private:
  Bytes form_;
  ProgramHeader header_{};
  std::unique_ptr<ModalWatchdog> watchdog_;
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new ListViewEnvironment);

forms::WindowMap& Windows() { return TheRuntime().Windows(); }

void SendMouse(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof input);
}

}  // namespace

std::vector<ListCall>& ListCalls() {
  static std::vector<ListCall> calls;
  return calls;
}

std::map<int, std::function<void()>>& DuringListCall() {
  static std::map<int, std::function<void()>> hooks;
  return hooks;
}

std::map<int, std::int32_t>& ListReturns() {
  static std::map<int, std::int32_t> values;
  return values;
}

std::vector<int> ListTagsCalled() {
  std::vector<int> tags;
  for (const ListCall& call : ListCalls()) tags.push_back(call.tag);
  return tags;
}

void ClearListCalls() { ListCalls().clear(); }

HWND ListWindowOf(std::uint32_t window_id) {
  const forms::WindowRecord* window = Windows().Find(window_id);
  return window ? window->Hwnd() : nullptr;
}

UnitObject* ListObjectOf(std::uint32_t window_id, std::uint32_t unit_id) {
  return Windows().LiveUnitObject(window_id, unit_id);
}

HWND ListControl(std::uint32_t window_id, std::uint32_t unit_id) {
  UnitObject* object = ListObjectOf(window_id, unit_id);
  return object ? object->Window() : nullptr;
}

bool LoadListWindow(std::uint32_t window_id) {
  if (!Windows().LoadWindow(window_id, false, false, nullptr)) return false;
  HWND window = ListWindowOf(window_id);
  ::SetForegroundWindow(window);
  ::SetActiveWindow(window);
  PumpListUntil([&] { return ::GetForegroundWindow() == window && ::GetActiveWindow() == window; });
  // The platform has painted the window: no burst is left from creation.
  PumpList(50);
  return window != nullptr;
}

void CloseListWindows() {
  for (std::uint32_t id : list_window::kAll) {
    if (HWND window = ListWindowOf(id)) ::DestroyWindow(window);
  }
  for (WORD vk : {VK_CONTROL, VK_SHIFT, VK_MENU}) {
    if (::GetAsyncKeyState(vk) < 0) PressListKey(vk, false);
  }
  DuringListCall().clear();
  ListReturns().clear();
  PumpList(30);
}

rt::UnitRef ListRef(std::uint32_t window_id, std::uint32_t unit_id) {
  return {list_view::kUnitType, window_id, unit_id};
}

UnitInterface ListViewTypeInterface() {
  const UnitTypeEntry* entry = TheRuntime().FindUnitType(list_view::kUnitType);
  return entry ? entry->unit_interface : nullptr;
}

std::int32_t SetListRaw(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index, RawValue value) {
  const auto set = UnitTypeOperation<SetPropertyOperation>(ListViewTypeInterface(), unit_operation::kSetProperty);
  if (set == nullptr) return -1;
  std::uint32_t out = 7;
  const std::int32_t result = set(ListObjectOf(window_id, unit_id), local_index, &value, &out);
  EXPECT_EQ(out, 0u) << "the out word is cleared";
  return result;
}

std::int32_t SetListRawWord(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index,
                            std::int32_t value) {
  return SetListRaw(window_id, unit_id, local_index, {static_cast<std::uint32_t>(value), 0});
}

std::int32_t SetListRawBytes(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index,
                             const std::vector<std::uint8_t>& bytes) {
  return SetListRaw(window_id, unit_id, local_index,
                    {reinterpret_cast<std::uintptr_t>(bytes.empty() ? nullptr : bytes.data()), bytes.size()});
}

std::vector<std::uint8_t> GetListRawBytes(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index) {
  const auto get = UnitTypeOperation<GetPropertyOperation>(ListViewTypeInterface(), unit_operation::kGetProperty);
  RawValue raw;
  if (get == nullptr || !get(ListObjectOf(window_id, unit_id), local_index, &raw)) return {};
  const auto* data = static_cast<const std::uint8_t*>(raw.Address());
  return data ? std::vector<std::uint8_t>(data, data + raw.word2) : std::vector<std::uint8_t>();
}

ListViewProperties SavedListProperties(std::uint32_t window_id, std::uint32_t unit_id) {
  const auto save =
      UnitTypeOperation<SavePropertiesOperation>(ListViewTypeInterface(), unit_operation::kSaveProperties);
  ListViewProperties properties;
  std::uint32_t length = 0;
  HGLOBAL block = save ? save(ListObjectOf(window_id, unit_id), &length) : nullptr;
  EXPECT_NE(block, nullptr);
  if (block == nullptr) return properties;
  const auto* data = static_cast<const std::uint8_t*>(::GlobalLock(block));
  EXPECT_TRUE(properties.Load({data, length}));
  ::GlobalUnlock(block);
  ::GlobalFree(block);
  return properties;
}

std::int32_t RowCount(HWND list) { return static_cast<std::int32_t>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

std::string CellOf(HWND list, std::int32_t row, std::int32_t column) {
  char text[2048] = {};
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = sizeof text - 1;
  ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

std::int32_t ScrollRows(HWND list) {
  SCROLLINFO info = {sizeof info, SIF_RANGE, 0, 0, 0, 0, 0};
  if (!::GetScrollInfo(list, SB_VERT, &info)) return 0;
  return info.nMax + 1;
}

bool PumpListUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    TheRuntime().ProcessWaitingMessages();
    if (condition()) return true;
    if (::GetTickCount() - start >= timeout_ms) return condition();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void PumpList(DWORD ms) { PumpListUntil([] { return false; }, ms); }

void PressListKey(WORD vk, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  ::SendInput(1, &input, sizeof input);
  PumpList(15);
}

void TapListKey(WORD vk) {
  PressListKey(vk, true);
  PressListKey(vk, false);
}

void ClickListAt(HWND window, int x, int y, bool right) {
  POINT at = {x, y};
  ::ClientToScreen(window, &at);
  ::SetCursorPos(at.x, at.y);
  PumpList(20);
  if (right) {
    // The control follows a right button held down over a row in a loop of its own until the button comes up:
    // the release is queued before the press is handled, or that loop would wait for this thread.
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
    SendMouse(MOUSEEVENTF_RIGHTUP);
    PumpList(60);
    return;
  }
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  PumpList(20);
  SendMouse(MOUSEEVENTF_LEFTUP);
  PumpList(40);
}

}  // namespace quarrow::testing
