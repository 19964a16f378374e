#include "tests/support/runtime_fixture.h"

#include <gtest/gtest.h>

#include <memory>

#include "forms/runtime_parts.h"
#include "runtime/runtime.h"
#include "tests/support/input.h"
#include "tests/support/pump.h"
#include "base/unit_interface.h"

namespace quarrow::testing {

namespace {

std::unique_ptr<ModalWatchdog>& Watchdog() {
  static std::unique_ptr<ModalWatchdog> watchdog;
  return watchdog;
}

class RuntimeEnvironment : public ::testing::Environment {
 public:
  RuntimeEnvironment(TestProgram (*make)(), const ProgramHeader* header, Boxes boxes)
      : make_(make), header_(header), boxes_(boxes) {}

  void SetUp() override {
    if (boxes_ == Boxes::kDismissed) Watchdog() = std::make_unique<ModalWatchdog>();
    if (make_ != nullptr) {
      program_ = make_();
      own_header_ = {3,
                     0,
                     0x000100D4,
                     RecordingHandlerTable(program_.empty_slots),
                     nullptr,
                     0,
                     program_.form.empty() ? nullptr : program_.form.data(),
                     static_cast<std::uint32_t>(program_.form.size()),
                     static_cast<std::uint32_t>(program_.libraries.size()),
                     program_.libraries.data(),
                     0,
                     nullptr,
                     nullptr};
      header_ = &own_header_;
    }
    forms::EquipRuntime(TheRuntime());
    TheRuntime().Initialise(*header_);
    HandleMessagesWith([] { TheRuntime().ProcessWaitingMessages(); });
  }

  void TearDown() override {
    HandleMessagesWith(nullptr);
    Watchdog().reset();
  }

 private:
  TestProgram (*make_)();
  const ProgramHeader* header_;
  Boxes boxes_;
  TestProgram program_;
  ProgramHeader own_header_{};
};

const UnitTypeEntry* TypeOf(std::uint32_t window_id, std::uint32_t unit_id) {
  forms::WindowRecord* window = Windows().Find(window_id);
  forms::LiveUnit* unit = window ? window->Unit(unit_id) : nullptr;
  return unit ? unit->type : nullptr;
}

template <typename Operation>
Operation OperationOf(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t code) {
  const UnitTypeEntry* type = TypeOf(window_id, unit_id);
  return UnitTypeOperation<Operation>(type ? type->unit_interface : nullptr, code);
}

BOOL CALLBACK CollectRuntimeWindows(HWND window, LPARAM windows) {
  if (Windows().FindByWindow(window) != nullptr) reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

}  // namespace

bool InstallRuntime(TestProgram (*make)(), Boxes boxes) {
  ::testing::AddGlobalTestEnvironment(new RuntimeEnvironment(make, nullptr, boxes));
  return true;
}

bool InstallRuntime(const ProgramHeader& header, Boxes boxes) {
  ::testing::AddGlobalTestEnvironment(new RuntimeEnvironment(nullptr, &header, boxes));
  return true;
}

ModalWatchdog& RuntimeWatchdog() { return *Watchdog(); }

forms::WindowMap& Windows() { return forms::TheWindowMap(); }

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

bool Load(std::uint32_t window_id, bool modal, HWND owner) {
  return Windows().LoadWindow(window_id, false, modal, owner);
}

bool LoadAndActivate(std::uint32_t window_id) {
  if (!Load(window_id)) return false;
  HWND window = WindowOf(window_id);
  const bool active = Activate(window);
  ::UpdateWindow(window);
  // No burst of messages is left from the creation.
  Pump(50);
  return active;
}

void CloseWindows() {
  std::vector<HWND> windows;
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectRuntimeWindows, reinterpret_cast<LPARAM>(&windows));
  // An owner takes the windows it owns with it.
  for (HWND window : windows) {
    if (::IsWindow(window)) ::DestroyWindow(window);
  }
  ReleaseModifiers();
  ForgetActionsAndAnswers();
  Pump(50);
}

std::int32_t SetDirectly(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index, RawValue value) {
  const auto set = OperationOf<SetPropertyOperation>(window_id, unit_id, unit_operation::kSetProperty);
  if (set == nullptr) return -1;
  std::uint32_t out = 0xFFFFFFFF;
  const std::int32_t result = set(UnitObjectOf(window_id, unit_id), local_index, &value, &out);
  EXPECT_EQ(out, 0u) << "the out word is cleared";
  return result;
}

std::int32_t SetWordDirectly(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index,
                             std::uint32_t word) {
  return SetDirectly(window_id, unit_id, local_index, {word, 0});
}

std::int32_t SetBytesDirectly(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index,
                              const std::vector<std::uint8_t>& bytes) {
  return SetDirectly(window_id, unit_id, local_index,
                     {reinterpret_cast<std::uintptr_t>(bytes.empty() ? nullptr : bytes.data()), bytes.size()});
}

std::vector<std::uint8_t> GetBytesDirectly(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t local_index) {
  const auto get = OperationOf<GetPropertyOperation>(window_id, unit_id, unit_operation::kGetProperty);
  RawValue raw;
  if (get == nullptr || !get(UnitObjectOf(window_id, unit_id), local_index, &raw)) return {};
  const auto* data = static_cast<const std::uint8_t*>(raw.Address());
  return data ? std::vector<std::uint8_t>(data, data + raw.word2) : std::vector<std::uint8_t>();
}

std::vector<std::uint8_t> SavedBlock(std::uint32_t window_id, std::uint32_t unit_id) {
  const auto save = OperationOf<SavePropertiesOperation>(window_id, unit_id, unit_operation::kSaveProperties);
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

SeenTexts VisitTexts(UnitInterface type, const Bytes& block, void (*change)(char* text), Bytes* changed) {
  struct Visit {
    SeenTexts seen;
    void (*change)(char* text);
  } visit{{}, change};
  changed->clear();
  const auto operation = UnitTypeOperation<VisitTextsOperation>(type, unit_operation::kVisitTexts);
  if (operation == nullptr) return {};
  std::uint32_t length = static_cast<std::uint32_t>(block.size());
  HGLOBAL result = operation(
      block.data(), &length,
      [](char* text, std::int32_t face, void* context) {
        auto* visit = static_cast<Visit*>(context);
        visit->seen.emplace_back(text, face);
        if (visit->change) visit->change(text);
      },
      &visit);
  if (result == nullptr) {
    EXPECT_EQ(length, block.size()) << "without a new block the length stays";
    return visit.seen;
  }
  const auto* data = static_cast<const std::uint8_t*>(::GlobalLock(result));
  changed->assign(data, data + length);
  ::GlobalUnlock(result);
  ::GlobalFree(result);
  return visit.seen;
}

}  // namespace quarrow::testing
