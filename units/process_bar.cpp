#include "units/process_bar.h"

#include <windows.h>
#include <commctrl.h>

#include "units/core_link.h"
#include "units/process_bar_properties.h"
#include "units/raw_value_access.h"
#include "units/unit_appearance.h"
#include "units/unit_operations.h"

namespace quarrow {

namespace {

class ProcessBar final : public ChildUnit {
 public:
  using ChildUnit::ChildUnit;

  std::int32_t SetProperty(std::int32_t local_index, const RawValue& value) override {
    ProcessBarProperties& p = properties_;
    switch (local_index) {
      case process_bar::kBorder:
        p.border = process_bar::ClampBorder(IntOf(value));
        ApplyBorder(window_, p.border);
        return 0;
      case process_bar::kOrientation: return Restyle(p.orientation, process_bar::ClampOrientation(IntOf(value)));
      case process_bar::kBarStyle: return Restyle(p.bar_style, process_bar::ClampBarStyle(IntOf(value)));
      case process_bar::kMinimum:
        p.minimum = process_bar::ClampValue(IntOf(value));
        SendRange();
        return 0;
      case process_bar::kMaximum:
        p.maximum = process_bar::ClampValue(IntOf(value));
        SendRange();
        return 0;
      case process_bar::kPosition:
        p.position = process_bar::ClampValue(IntOf(value));
        SendPosition();
        return 0;
      default: return 0;
    }
  }

  bool GetProperty(std::int32_t local_index, RawValue* value) override {
    const ProcessBarProperties& p = properties_;
    switch (local_index) {
      case process_bar::kBorder: *value = RawInt(p.border); return true;
      case process_bar::kOrientation: *value = RawInt(p.orientation); return true;
      case process_bar::kBarStyle: *value = RawInt(p.bar_style); return true;
      case process_bar::kMinimum: *value = RawInt(p.minimum); return true;
      case process_bar::kMaximum: *value = RawInt(p.maximum); return true;
      // As last set, not read back from the control.
      case process_bar::kPosition: *value = RawInt(p.position); return true;
      default: return false;
    }
  }

  Bytes SaveProperties() override { return properties_.Save(); }

 protected:
  bool Load(std::span<const std::uint8_t> block) override { return properties_.Load(block); }

  void Create(const UnitCreation& creation) override {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&classes);
    DWORD style = 0;
    if (properties_.orientation != 0) style |= PBS_VERTICAL;
    if (properties_.bar_style != 0) style |= PBS_SMOOTH;
    if (!CreateControl(creation, PROGRESS_CLASSA, "", style)) return;
    SendRange();
    SendPosition();
    ApplyBorder(window_, properties_.border);
  }

  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam) override {
    // A progress bar raises no focus events.
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS) return Default(message, wparam, lparam);
    // Some versions of the control paint at once on every new position. That paint is left to the message loop
    // (the moved part stays invalid), so a run that moves the bar on every row pays one paint a frame, not one a
    // move.
    if (message == WM_PAINT && moving_) return 0;
    return ChildUnit::Handle(message, wparam, lparam);
  }

 private:
  // Orientation and bar style are window styles the control reads only when it is created: a real change is
  // stored and asks for re-creation, the same value changes nothing.
  static std::int32_t Restyle(std::int32_t& stored, std::int32_t value) {
    if (stored == value) return 0;
    stored = value;
    return 1;
  }

  void SendRange() {
    const process_bar::ControlRange range = process_bar::RangeForControl(properties_);
    ::SendMessageA(window_, PBM_SETRANGE, 0, MAKELPARAM(range.low, range.high));
    SendPosition();
  }

  void SendPosition() {
    moving_ = true;
    ::SendMessageA(window_, PBM_SETPOS, static_cast<WPARAM>(process_bar::PositionForControl(properties_)), 0);
    moving_ = false;
  }

  ProcessBarProperties properties_;
  bool moving_ = false;
};

}  // namespace

UnitOperation ProcessBarInterface(std::int32_t code) {
  switch (code) {
    case unit_operation::kCreateUnit: return CreateOperation<ProcessBar, CoreLink>();
    default: return SharedOperation(code);
  }
}

}  // namespace quarrow
