#include "tests/win/unit_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

#include "commands/core_library.h"
#include "base/value.h"
#include "tests/support/modal_watchdog.h"

namespace quarrow::testing {

namespace {

template <int Tag>
HandlerResult Record(const std::uintptr_t* args, std::int32_t count) {
  UnitCalls().push_back({Tag, std::vector<std::uintptr_t>(args, args + count)});
  const auto hook = DuringCall().find(Tag);
  if (hook != DuringCall().end() && hook->second) hook->second();
  return {};
}

template <std::size_t... I>
constexpr std::array<HandlerSlot, sizeof...(I)> MakeSlots(std::index_sequence<I...>) {
  return {HandlerSlot{&Record<static_cast<int>(I)>}...};
}
alignas(8) const std::array<HandlerSlot, unit_tag::kCount> kHandlers =
    MakeSlots(std::make_index_sequence<unit_tag::kCount>{});

const LibraryDescriptor* const kLibraries[] = {&kCoreLibrary, &kProviderTestLibrary};

class UnitEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    form_ = UnitTestForm();
    header_ = {3,       0, 0x000100D4, kHandlers.data(), nullptr, 0, form_.data(), static_cast<std::uint32_t>(form_.size()),
               2, kLibraries, 0,          nullptr,          nullptr};
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
const auto* const environment = ::testing::AddGlobalTestEnvironment(new UnitEnvironment);

void SendMouse(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof input);
}

}  // namespace

std::vector<UnitCall>& UnitCalls() {
  static std::vector<UnitCall> calls;
  return calls;
}

std::map<int, std::function<void()>>& DuringCall() {
  static std::map<int, std::function<void()>> hooks;
  return hooks;
}

std::vector<int> UnitTagsCalled() {
  std::vector<int> tags;
  for (const UnitCall& call : UnitCalls()) tags.push_back(call.tag);
  return tags;
}

int UnitCountOf(int tag) {
  return static_cast<int>(
      std::count_if(UnitCalls().begin(), UnitCalls().end(), [&](const UnitCall& c) { return c.tag == tag; }));
}

void ClearUnitCalls() { UnitCalls().clear(); }

forms::WindowMap& UnitWindows() { return TheRuntime().Windows(); }

HWND WindowOf(std::uint32_t window_id) {
  const forms::WindowRecord* window = UnitWindows().Find(window_id);
  return window ? window->Hwnd() : nullptr;
}

UnitObject* UnitObjectOf(std::uint32_t window_id, std::uint32_t unit_id) {
  return UnitWindows().LiveUnitObject(window_id, unit_id);
}

HWND UnitWindow(std::uint32_t window_id, std::uint32_t unit_id) {
  UnitObject* object = UnitObjectOf(window_id, unit_id);
  return object ? object->Window() : nullptr;
}

bool LoadAndActivate(std::uint32_t window_id) {
  if (!UnitWindows().LoadWindow(window_id, false, false, nullptr)) return false;
  return Activate(WindowOf(window_id));
}

void CloseUnitWindows() {
  for (std::uint32_t id : unit_window::kAll) {
    if (HWND hwnd = WindowOf(id)) ::DestroyWindow(hwnd);
  }
  for (WORD vk : {VK_CONTROL, VK_SHIFT, VK_MENU}) {
    if (::GetAsyncKeyState(vk) < 0) PressKey(vk, false);
  }
  DuringCall().clear();
  Pump(30);
}

namespace {
const UnitTypeEntry* TypeOf(std::uint32_t window_id, std::uint32_t unit_id) {
  forms::WindowRecord* window = UnitWindows().Find(window_id);
  forms::LiveUnit* unit = window ? window->Unit(unit_id) : nullptr;
  return unit ? unit->type : nullptr;
}
}  // namespace

std::int32_t SetRawBytes(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index,
                         const std::vector<std::uint8_t>& bytes) {
  const UnitTypeEntry* type = TypeOf(window_id, unit_id);
  const auto set = UnitTypeOperation<SetPropertyOperation>(type ? type->unit_interface : nullptr,
                                                           unit_operation::kSetProperty);
  if (set == nullptr) return -1;
  const RawValue raw{reinterpret_cast<std::uintptr_t>(bytes.empty() ? nullptr : bytes.data()), bytes.size()};
  return set(UnitObjectOf(window_id, unit_id), local_index, &raw, nullptr);
}

std::vector<std::uint8_t> GetRawBytes(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index) {
  const UnitTypeEntry* type = TypeOf(window_id, unit_id);
  const auto get = UnitTypeOperation<GetPropertyOperation>(type ? type->unit_interface : nullptr,
                                                           unit_operation::kGetProperty);
  RawValue raw;
  if (get == nullptr || !get(UnitObjectOf(window_id, unit_id), local_index, &raw)) return {};
  const auto* data = static_cast<const std::uint8_t*>(raw.Address());
  return data ? std::vector<std::uint8_t>(data, data + raw.word2) : std::vector<std::uint8_t>();
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeout_ms) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    TheRuntime().ProcessWaitingMessages();
    if (condition()) return true;
    if (::GetTickCount() - start >= timeout_ms) return condition();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void Pump(DWORD ms) { PumpUntil([] { return false; }, ms); }

bool Activate(HWND window) {
  if (window == nullptr) return false;
  ::SetForegroundWindow(window);
  ::SetActiveWindow(window);
  return PumpUntil([&] { return ::GetForegroundWindow() == window && ::GetActiveWindow() == window; });
}

void PressKey(WORD vk, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  ::SendInput(1, &input, sizeof input);
  Pump(15);
}

void TapKey(WORD vk) {
  PressKey(vk, true);
  PressKey(vk, false);
}

void TypeKeys(const std::string& text) {
  for (char c : text) {
    const SHORT scan = ::VkKeyScanA(c);
    ASSERT_NE(scan, -1) << "no key types '" << c << "'";
    const bool shift = (scan & 0x100) != 0;
    if (shift) PressKey(VK_SHIFT, true);
    TapKey(static_cast<WORD>(scan & 0xFF));
    if (shift) PressKey(VK_SHIFT, false);
  }
  Pump(20);
}

void ClickAt(HWND window, int x, int y) {
  POINT at = {x, y};
  ::ClientToScreen(window, &at);
  ::SetCursorPos(at.x, at.y);
  Pump(20);
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  Pump(20);
  SendMouse(MOUSEEVENTF_LEFTUP);
  Pump(30);
}

void ClickCentre(HWND window) {
  RECT r;
  ::GetClientRect(window, &r);
  ClickAt(window, (r.right - r.left) / 2, (r.bottom - r.top) / 2);
}

void DoubleClickAt(HWND window, int x, int y) {
  POINT at = {x, y};
  ::ClientToScreen(window, &at);
  ::SetCursorPos(at.x, at.y);
  Pump(20);
  // Both clicks well within the double-click time, without pumping so long between them that it runs out.
  for (int i = 0; i < 2; ++i) {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Pump(10);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Pump(10);
  }
  Pump(40);
}

bool FocusByClick(HWND window) {
  ClickCentre(window);
  return PumpUntil([&] { return ::GetFocus() == window; });
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

LONG_PTR StyleOf(HWND window) { return ::GetWindowLongPtrA(window, GWL_STYLE); }

}  // namespace quarrow::testing
