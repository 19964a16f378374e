#include "tests/win/test_units.h"

#include <cstring>

#include "base/event_record.h"
#include "forms/runtime_parts.h"
#include "forms/window_map.h"
#include "base/library_link.h"
#include "runtime/runtime.h"
#include "runtime/runtime_notify.h"
#include "base/unit_interface.h"

namespace quarrow::testing {

namespace {

LibraryLink link;

std::intptr_t TestLibraryNotify(std::int32_t code, std::uintptr_t arg1, std::uintptr_t arg2) {
  if (code == library_notify::kStart) link.Connect(reinterpret_cast<NotifyRoutine>(arg1));
  // Type information: the type index answers, and the buffer receives it too.
  if (code == library_notify::kTypeInformation) {
    if (arg2 != 0) *reinterpret_cast<std::uint32_t*>(arg2) = static_cast<std::uint32_t>(arg1);
    return 1000 + static_cast<std::intptr_t>(arg1);
  }
  return 0;
}

struct TestBlock {
  std::string caption;
  bool default_button = false;
};

bool ReadTestBlock(const void* data, std::int32_t length, TestBlock* out) {
  *out = {};
  if (data == nullptr || length < 1) return true;
  ByteReader r(data, static_cast<std::size_t>(length));
  if (r.U32() != 1) return false;
  out->caption = r.CountedText();
  out->default_button = r.U32() != 0;
  return !r.Failed();
}

constexpr char kObjectProperty[] = "QuarrowTestUnit";

class TestUnit final : public UnitObject {
 public:
  static TestUnit* Create(std::uint32_t type, const TestBlock& block, std::uint32_t style, HWND parent,
                          std::uint32_t control_id, std::int32_t x, std::int32_t y, std::int32_t width,
                          std::int32_t height, std::uint32_t window_id, std::uint32_t unit_id) {
    const char* window_class = "EDIT";
    DWORD own_style = ES_AUTOHSCROLL;
    switch (type) {
      case test_type::kButton:
        window_class = "BUTTON";
        own_style = block.default_button ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        break;
      case test_type::kRadio: window_class = "BUTTON"; own_style = BS_RADIOBUTTON; break;
      case test_type::kCheck: window_class = "BUTTON"; own_style = BS_CHECKBOX; break;
      case test_type::kMute:
      case test_type::kLabel:
      case test_type::kUnshown: window_class = "STATIC"; own_style = 0; break;
      default: break;
    }
    auto* unit = new TestUnit(type, window_id, unit_id);
    unit->window_ = ::CreateWindowExA(0, window_class, block.caption.c_str(),
                                      style | own_style | WS_CHILD | WS_CLIPSIBLINGS, x, y, width, height, parent,
                                      reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(control_id)),
                                      ::GetModuleHandleA(nullptr), nullptr);
    if (unit->window_ == nullptr) {
      delete unit;
      return nullptr;
    }
    ::SetPropA(unit->window_, kObjectProperty, unit);
    unit->previous_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(unit->window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TestUnit::Procedure)));
    CreatedUnits().emplace_back(unit_id, control_id);
    return unit;
  }

  std::int32_t Get(std::int32_t index, RawValue* value) {
    switch (index) {
      case 0: {
        char text[256] = {};
        ::GetWindowTextA(window_, text, sizeof text);
        text_ = text;
        *value = {reinterpret_cast<std::uintptr_t>(text_.c_str()), 0};
        return 1;
      }
      case 1: *value = {generation_, 0}; return 1;
      case 2: *value = {font_.empty() ? 0 : reinterpret_cast<std::uintptr_t>(font_.data()), font_.size()}; return 1;
      default: return 0;
    }
  }

  std::int32_t Set(std::int32_t index, const RawValue& value) {
    switch (index) {
      case 0: ::SetWindowTextA(window_, static_cast<const char*>(value.Address())); return 0;
      case 1: generation_ = value.Word(); return 1;  // takes effect only in a new window
      case 2: {
        const auto* bytes = static_cast<const std::uint8_t*>(value.Address());
        font_.assign(bytes, bytes + (bytes ? value.word2 : 0));
        return 0;
      }
      default: return 0;
    }
  }

  Bytes Save() const {
    char text[256] = {};
    ::GetWindowTextA(window_, text, sizeof text);
    const bool is_default = (::GetWindowLongPtrA(window_, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON;
    return TestUnitBlock(text, is_default);
  }

 private:
  TestUnit(std::uint32_t type, std::uint32_t window_id, std::uint32_t unit_id)
      : type_(type), window_id_(window_id), unit_id_(unit_id) {}

  void Raise(std::int32_t event) { RaiseTestEvent(window_id_, unit_id_, event); }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* unit = static_cast<TestUnit*>(::GetPropA(window, kObjectProperty));
    const LRESULT result = ::CallWindowProcA(unit->previous_, window, message, wparam, lparam);
    switch (message) {
      case WM_SETFOCUS: unit->Raise(-7); break;
      case WM_KILLFOCUS: unit->Raise(-8); break;
      case unit_message::kAllCreated:
      case unit_message::kWindowLoaded:
        UnitMessages().emplace_back(unit->unit_id_, message);
        if (message == unit_message::kWindowLoaded && unit->type_ == test_type::kReloader && ReloadOnWindowLoaded()) {
          ReloadOnWindowLoaded() = false;
          const std::uint32_t window_id = unit->window_id_;  // the unit goes with its window
          ::DestroyWindow(::GetAncestor(window, GA_ROOT));
          forms::TheWindowMap().LoadWindow(window_id, false, false, nullptr);
        }
        if (message == unit_message::kAllCreated && unit->type_ == test_type::kReloader && DestroyOnAllCreated()) {
          DestroyOnAllCreated() = false;
          ::DestroyWindow(::GetAncestor(window, GA_ROOT));
        }
        break;
      case WM_NCDESTROY:
        ::RemovePropA(window, kObjectProperty);
        unit->window_ = nullptr;
        link.Notify(notify_code::kDestroyed, unit->window_id_, unit->unit_id_);
        delete unit;
        break;
      default: break;
    }
    return result;
  }

  std::uint32_t type_;
  std::uint32_t window_id_;
  std::uint32_t unit_id_;
  WNDPROC previous_ = nullptr;
  std::string text_;
  std::uint32_t generation_ = 0;
  Bytes font_;
};

TestUnit* AsTest(void* unit) { return static_cast<TestUnit*>(static_cast<UnitObject*>(unit)); }

template <std::uint32_t Type>
void* CreateTest(const void* data, std::int32_t length, std::uint32_t style, HWND parent, std::uint32_t control_id,
                 std::uintptr_t, std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                 std::uint32_t window_id, std::uint32_t unit_id, std::uintptr_t, std::int32_t) {
  TestBlock block;
  if (Type == test_type::kBroken || !ReadTestBlock(data, length, &block)) return nullptr;
  TestUnit* unit = TestUnit::Create(Type, block, style, parent, control_id, x, y, width, height, window_id, unit_id);
  return unit ? static_cast<UnitObject*>(unit) : nullptr;
}

std::int32_t SetTest(void* unit, std::int32_t index, const RawValue* value, std::uint32_t* out) {
  if (out) *out = 0;
  return AsTest(unit)->Set(index, *value);
}
std::int32_t GetTest(void* unit, std::int32_t index, RawValue* value) { return AsTest(unit)->Get(index, value); }
HGLOBAL SaveTest(void* unit, std::uint32_t* length) {
  const Bytes bytes = AsTest(unit)->Save();
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(::GlobalLock(block), bytes.data(), bytes.size());
  ::GlobalUnlock(block);
  *length = static_cast<std::uint32_t>(bytes.size());
  return block;
}
BOOL IsDefaultTest(void* unit) {
  return (::GetWindowLongPtrA(AsTest(unit)->Window(), GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON;
}

BOOL TranslateTest(void*, MSG* message) {
  if (message->message != WM_KEYDOWN) return FALSE;
  TranslatedKeys().push_back(static_cast<std::uint32_t>(message->wParam));
  return message->wParam == VK_ESCAPE;
}

template <std::uint32_t Type>
UnitOperation TestInterface(std::int32_t operation) {
  switch (operation) {
    case unit_operation::kCreateUnit: return reinterpret_cast<UnitOperation>(&CreateTest<Type>);
    case unit_operation::kSetProperty: return reinterpret_cast<UnitOperation>(&SetTest);
    case unit_operation::kSaveProperties: return reinterpret_cast<UnitOperation>(&SaveTest);
    case unit_operation::kGetProperty: return reinterpret_cast<UnitOperation>(&GetTest);
    case unit_operation::kIsDefaultButton:
      return Type == test_type::kButton ? reinterpret_cast<UnitOperation>(&IsDefaultTest) : nullptr;
    case unit_operation::kPreTranslate:
      return Type == test_type::kTranslator ? reinterpret_cast<UnitOperation>(&TranslateTest) : nullptr;
    default: return nullptr;
  }
}

// Common properties, then text (8), a property that asks for re-creation (9) and a font (10).
const PropertyEntry kTestProperties[] = {
    Property(1001, 0xE000), Property(1001, 0xE000), Property(1001, 0xE000), Property(1001, 0xE000),
    Property(1005, 0xE000), Property(1003, 0xE000), Property(1003, 0xE000), Property(1011, 0xE000),
    Property(1005, 0x8000), Property(1001, 0x8000), Property(1013, 0x8000),
};
constexpr std::uint32_t kPropertyCount = sizeof kTestProperties / sizeof kTestProperties[0];

const UnitTypeEntry kTestTypes[test_type::kCount] = {
    {"测试框", "TestBox", {}, 0x80000040, {}, kPropertyCount, kTestProperties, TestInterface<1>, {}},
    {"测试按钮", "TestButton", {}, 0x80000840, {}, kPropertyCount, kTestProperties, TestInterface<2>, {}},
    {"测试单选", "TestRadio", {}, 0x80000440, {}, kPropertyCount, kTestProperties, TestInterface<3>, {}},
    {"测试选择", "TestCheck", {}, 0x80001040, {}, kPropertyCount, kTestProperties, TestInterface<4>, {}},
    {"测试静默", "TestMute", {}, 0x80000000, {}, kPropertyCount, kTestProperties, TestInterface<5>, {}},
    {"测试损坏", "TestBroken", {}, 0x80000040, {}, kPropertyCount, kTestProperties, TestInterface<6>, {}},
    {"测试标签", "TestLabel", {}, 0x84012040, {}, kPropertyCount, kTestProperties, TestInterface<7>, {}},
    {"测试不显", "TestUnshown", {}, 0x80008040, {}, kPropertyCount, kTestProperties, TestInterface<8>, {}},
    {"测试预译", "TestTranslator", {}, 0x80000060, {}, kPropertyCount, kTestProperties, TestInterface<9>, {}},
    {"测试重载", "TestReloader", {}, 0x80000040, {}, kPropertyCount, kTestProperties, TestInterface<10>, {}},
};

}  // namespace

const LibraryDescriptor kTestUnitLibrary = {
    kLibraryFormatCode, "00112233445566778899aabbccddeeff", {2, 0, 3}, {3, 0, 3, 0}, "测试单元库", 1, {},
    test_type::kCount, kTestTypes, {0, 0}, 0, 0, nullptr, {0, 0}, TestLibraryNotify, {}};

Bytes TestUnitBlock(const std::string& caption, bool default_button) {
  ByteWriter w;
  w.U32(1);
  w.CountedText(caption);
  w.U32(default_button ? 1 : 0);
  return w.Release();
}

std::vector<std::pair<std::uint32_t, std::uint32_t>>& CreatedUnits() {
  static std::vector<std::pair<std::uint32_t, std::uint32_t>> created;
  return created;
}

std::vector<std::pair<std::uint32_t, std::uint32_t>>& UnitMessages() {
  static std::vector<std::pair<std::uint32_t, std::uint32_t>> messages;
  return messages;
}

bool& DestroyOnAllCreated() {
  static bool destroy = false;
  return destroy;
}

bool& ReloadOnWindowLoaded() {
  static bool reload = false;
  return reload;
}

std::vector<std::uint32_t>& TranslatedKeys() {
  static std::vector<std::uint32_t> keys;
  return keys;
}

bool RaiseTestEvent(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t event, std::int32_t* value,
                    bool* returned) {
  forms::EventRecord record;
  record.window_id = window_id;
  record.unit_id = unit_id;
  record.event = event;
  const bool ran = link.Notify(notify_code::kRaiseEvent, reinterpret_cast<std::uintptr_t>(&record)) != 0;
  if (returned) *returned = record.returned != 0;
  if (value) *value = record.value;
  return ran;
}

}  // namespace quarrow::testing
