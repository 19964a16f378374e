#include "tests/win/engine_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <utility>

#include "commands/core_library.h"
#include "runtime/runtime_notify.h"
#include "tests/support/modal_watchdog.h"

namespace quarrow::testing {

namespace {

template <int Tag>
HandlerResult Record(const std::uintptr_t* args, std::int32_t count) {
  forms::WindowMap& windows = TheRuntime().Windows();
  Calls().push_back({Tag, std::vector<std::uintptr_t>(args, args + count), windows.CurrentSourceWindow(),
                     windows.CurrentSourceUnit()});
  if constexpr (Tag == tag::kClosesItselfCreated) {
    ::DestroyWindow(WindowOf(test_window::kClosesItself));
  }
  if (ClosingTags().count(Tag)) ::DestroyWindow(WindowOf(windows.CurrentSourceWindow()));
  if (ThrowingTags().count(Tag)) throw std::runtime_error("a handler failed");
  const auto it = Answers().find(Tag);
  if (it == Answers().end()) return {};
  return {true, it->second};
}

template <std::size_t... I>
constexpr std::array<HandlerSlot, sizeof...(I)> MakeSlots(std::index_sequence<I...>) {
  return {HandlerSlot{I == tag::kEmptySlot ? nullptr : &Record<static_cast<int>(I)>}...};
}
alignas(8) const std::array<HandlerSlot, tag::kCount> kHandlers = MakeSlots(std::make_index_sequence<tag::kCount>{});

const LibraryDescriptor* const kLibraries[] = {&kCoreLibrary, &kTestUnitLibrary};

class EngineEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    form_ = EngineTestForm();
    header_ = {3,       0, 0x000100D4, kHandlers.data(), nullptr, 0, form_.data(), static_cast<std::uint32_t>(form_.size()),
               2, kLibraries, 0,          nullptr,          nullptr};
    // Any box (a runtime error's among them) is dismissed rather than waited for; the error then ends the program.
    watchdog_ = std::make_unique<ModalWatchdog>();
    TheRuntime().Initialise(header_);
  }
  void TearDown() override { watchdog_.reset(); }

 private:
  Bytes form_;
  ProgramHeader header_{};
  std::unique_ptr<ModalWatchdog> watchdog_;
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new EngineEnvironment);

}  // namespace

std::vector<HandlerCall>& Calls() {
  static std::vector<HandlerCall> calls;
  return calls;
}

std::map<int, std::int64_t>& Answers() {
  static std::map<int, std::int64_t> answers;
  return answers;
}

std::set<int>& ClosingTags() {
  static std::set<int> tags;
  return tags;
}

std::set<int>& ThrowingTags() {
  static std::set<int> tags;
  return tags;
}

std::vector<int> TagsCalled() {
  std::vector<int> tags;
  for (const HandlerCall& call : Calls()) tags.push_back(call.tag);
  return tags;
}

int CountOf(int t) {
  return static_cast<int>(std::count_if(Calls().begin(), Calls().end(), [&](const HandlerCall& c) { return c.tag == t; }));
}

const HandlerCall* LastCallOf(int t) {
  for (auto it = Calls().rbegin(); it != Calls().rend(); ++it) {
    if (it->tag == t) return &*it;
  }
  return nullptr;
}

forms::WindowMap& Windows() { return TheRuntime().Windows(); }

HWND WindowOf(std::uint32_t window_id) {
  const forms::WindowRecord* window = Windows().Find(window_id);
  return window ? window->Hwnd() : nullptr;
}

HWND UnitWindow(std::uint32_t window_id, std::uint32_t unit_id) {
  UnitObject* object = Windows().LiveUnitObject(window_id, unit_id);
  return object ? object->Window() : nullptr;
}

bool Load(std::uint32_t window_id, bool modal, HWND owner) {
  return Windows().LoadWindow(window_id, false, modal, owner);
}

void CloseAllWindows() {
  for (std::uint32_t id = 0x52010001; id <= test_window::kLast; ++id) {
    if (HWND hwnd = WindowOf(id)) ::DestroyWindow(hwnd);
  }
  // Keys held by a test are let go.
  for (WORD vk : {VK_CONTROL, VK_SHIFT, VK_MENU}) {
    if (::GetAsyncKeyState(vk) < 0) PressKey(vk, false);
  }
  Pump(50);
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
  Pump(30);
}

void TapKey(WORD vk) {
  PressKey(vk, true);
  PressKey(vk, false);
}

void ClickAt(HWND window, int x, int y) {
  POINT at = {x, y};
  ::ClientToScreen(window, &at);
  ::SetCursorPos(at.x, at.y);
  Pump(30);
  INPUT inputs[2] = {};
  inputs[0].type = inputs[1].type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(1, &inputs[0], sizeof(INPUT));
  Pump(30);
  ::SendInput(1, &inputs[1], sizeof(INPUT));
  Pump(30);
}

void Wheel(int delta) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_WHEEL;
  input.mi.mouseData = static_cast<DWORD>(delta);
  ::SendInput(1, &input, sizeof input);
  Pump(30);
}

std::string TextOf(HWND window) {
  char text[512] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

}  // namespace quarrow::testing
