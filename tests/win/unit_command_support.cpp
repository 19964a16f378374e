#include "tests/win/unit_command_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <utility>

#include "commands/core_library.h"
#include "runtime/runtime.h"
#include "base/value.h"
#include "tests/win/unit_test_form.h"
#include "commands/core_unit_types.h"

namespace quarrow::testing {

namespace {

struct HandlerState {
  std::vector<HandlerCall> calls;
  std::map<int, std::function<void()>> actions;
  std::map<int, std::optional<std::int64_t>> answers;
};
HandlerState& State() {
  static HandlerState state;
  return state;
}

template <int Tag>
HandlerResult Record(const std::uintptr_t* args, std::int32_t count) {
  State().calls.push_back({Tag, std::vector<std::uintptr_t>(args, args + count)});
  // Copied: the action may change the table while it runs.
  const auto action = State().actions.find(Tag);
  if (action != State().actions.end() && action->second) {
    const std::function<void()> run = action->second;
    run();
  }
  const auto answer = State().answers.find(Tag);
  if (answer == State().answers.end() || !answer->second) return {};
  return {true, *answer->second};
}

template <std::size_t... I>
constexpr std::array<HandlerSlot, sizeof...(I)> MakeSlots(std::index_sequence<I...>) {
  return {HandlerSlot{&Record<static_cast<int>(I)>}...};
}
alignas(8) const std::array<HandlerSlot, uc_tag::kCount> kHandlers =
    MakeSlots(std::make_index_sequence<uc_tag::kCount>{});

// The test data provider's library (tests/win/test_provider.h) is library 2.
const LibraryDescriptor* const kLibraries[] = {&kCoreLibrary, &kProviderTestLibrary};

class UnitCommandEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    form_ = UnitCommandForm();
    header_ = {3, 0, 0x000100D4, kHandlers.data(), nullptr, 0, form_.data(), static_cast<std::uint32_t>(form_.size()),
               2, kLibraries, 0, nullptr, nullptr};
    TheRuntime().Initialise(header_);
  }

 private:
  Bytes form_;
  ProgramHeader header_{};
};
const auto* const environment = ::testing::AddGlobalTestEnvironment(new UnitCommandEnvironment);

const UnitTypeEntry* TypeOf(std::uint32_t window_id, std::uint32_t unit_id) {
  forms::WindowRecord* window = Windows().Find(window_id);
  forms::LiveUnit* unit = window ? window->Unit(unit_id) : nullptr;
  return unit ? unit->type : nullptr;
}

}  // namespace

std::vector<HandlerCall>& HandlerCalls() { return State().calls; }

int CallsOf(int tag) {
  return static_cast<int>(std::count_if(State().calls.begin(), State().calls.end(),
                                        [&](const HandlerCall& c) { return c.tag == tag; }));
}

void OnHandler(int tag, std::function<void()> action) { State().actions[tag] = std::move(action); }
void AnswerFrom(int tag, std::optional<std::int64_t> value) { State().answers[tag] = value; }
void ResetHandlers() { State() = HandlerState{}; }

forms::WindowMap& Windows() { return TheRuntime().Windows(); }

HWND WindowOf(std::uint32_t window_id) {
  const forms::WindowRecord* window = Windows().Find(window_id);
  return window ? window->Hwnd() : nullptr;
}

UnitObject* UnitObjectOf(std::uint32_t window_id, std::uint32_t unit_id) {
  return Windows().LiveUnitObject(window_id, unit_id);
}

HWND UnitWindow(std::uint32_t window_id, std::uint32_t unit_id) {
  UnitObject* object = UnitObjectOf(window_id, unit_id);
  return object ? object->Window() : nullptr;
}

bool LoadWindow(std::uint32_t window_id) {
  if (!Windows().LoadWindow(window_id, false, false, nullptr)) return false;
  HWND window = WindowOf(window_id);
  ::SetForegroundWindow(window);
  ::UpdateWindow(window);
  Pump(30);
  return window != nullptr;
}

void CloseWindows() {
  for (std::uint32_t id : uc_window::kAll) {
    if (HWND hwnd = WindowOf(id)) ::DestroyWindow(hwnd);
  }
  Pump(20);
}

rt::UnitRef RefOf(std::uint32_t window_id, std::uint32_t unit_id, std::uint32_t core_type) {
  return {CoreUnitType(core_type), window_id, unit_id};
}

std::int32_t SetWordDirectly(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index,
                             std::uint32_t word) {
  const UnitTypeEntry* type = TypeOf(window_id, unit_id);
  const auto set = UnitTypeOperation<SetPropertyOperation>(type ? type->unit_interface : nullptr,
                                                           unit_operation::kSetProperty);
  if (set == nullptr) return -1;
  const RawValue raw{word, 0};
  std::uint32_t out = 0xFFFFFFFF;
  const std::int32_t result = set(UnitObjectOf(window_id, unit_id), local_index, &raw, &out);
  EXPECT_EQ(out, 0u) << "the out word is cleared";
  return result;
}

std::int32_t SetBytesDirectly(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index,
                              const std::vector<std::uint8_t>& bytes) {
  const UnitTypeEntry* type = TypeOf(window_id, unit_id);
  const auto set = UnitTypeOperation<SetPropertyOperation>(type ? type->unit_interface : nullptr,
                                                           unit_operation::kSetProperty);
  if (set == nullptr) return -1;
  const RawValue raw{reinterpret_cast<std::uintptr_t>(bytes.empty() ? nullptr : bytes.data()), bytes.size()};
  return set(UnitObjectOf(window_id, unit_id), local_index, &raw, nullptr);
}

std::vector<std::uint8_t> GetBytesDirectly(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index) {
  const UnitTypeEntry* type = TypeOf(window_id, unit_id);
  const auto get = UnitTypeOperation<GetPropertyOperation>(type ? type->unit_interface : nullptr,
                                                           unit_operation::kGetProperty);
  RawValue raw;
  if (get == nullptr || !get(UnitObjectOf(window_id, unit_id), local_index, &raw)) return {};
  const auto* data = static_cast<const std::uint8_t*>(raw.Address());
  return data ? std::vector<std::uint8_t>(data, data + raw.word2) : std::vector<std::uint8_t>();
}

std::vector<std::uint8_t> SavedBlock(std::uint32_t window_id, std::uint32_t unit_id) {
  const UnitTypeEntry* type = TypeOf(window_id, unit_id);
  const auto save = UnitTypeOperation<SavePropertiesOperation>(type ? type->unit_interface : nullptr,
                                                               unit_operation::kSaveProperties);
  if (save == nullptr) return {};
  std::uint32_t length = 0;
  HGLOBAL block = save(UnitObjectOf(window_id, unit_id), &length);
  if (block == nullptr) return {};
  const auto* data = static_cast<const std::uint8_t*>(::GlobalLock(block));
  std::vector<std::uint8_t> bytes(data, data + length);
  ::GlobalUnlock(block);
  ::GlobalFree(block);
  return bytes;
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

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<std::uint32_t*>(bits);
  dc_ = ::CreateCompatibleDC(nullptr);
  old_ = ::SelectObject(dc_, bitmap_);
  const std::uint32_t pixel = (GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill);
  if (bits_) std::fill(bits_, bits_ + static_cast<std::size_t>(width) * height, pixel);
}

Canvas::~Canvas() {
  ::SelectObject(dc_, old_);
  ::DeleteDC(dc_);
  ::DeleteObject(bitmap_);
}

COLORREF Canvas::At(int x, int y) const {
  if (bits_ == nullptr || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  ::GdiFlush();
  const std::uint32_t pixel = bits_[static_cast<std::size_t>(y) * width_ + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int Canvas::CountOther(const RECT& area, COLORREF colour, RECT* box) const {
  int count = 0;
  RECT bounds = {width_, height_, -1, -1};
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (At(x, y) == colour) continue;
      ++count;
      bounds.left = std::min<LONG>(bounds.left, x);
      bounds.top = std::min<LONG>(bounds.top, y);
      bounds.right = std::max<LONG>(bounds.right, x + 1);
      bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
    }
  }
  if (box) *box = count ? bounds : RECT{};
  return count;
}

int Canvas::CountOf(const RECT& area, COLORREF colour) const {
  return (area.right - area.left) * (area.bottom - area.top) - CountOther(area, colour);
}

void Canvas::PrintClient(HWND window) {
  ::SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
  ::GdiFlush();
}

void Canvas::CopyFromScreen(HWND window) {
  HDC screen = ::GetDC(window);
  ::BitBlt(dc_, 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
  ::ReleaseDC(window, screen);
  ::GdiFlush();
}

}  // namespace quarrow::testing
