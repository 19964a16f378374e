#include "units/unit_base.h"

#include "base/event_record.h"
#include "runtime/runtime_notify.h"
#include "units/message_reflection.h"

namespace quarrow {

namespace {

bool IsColourMessage(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

}  // namespace

SubclassedUnit::SubclassedUnit(const LibraryLink& link, std::uint32_t window_id, std::uint32_t unit_id)
    : link_(&link), window_id_(window_id), unit_id_(unit_id) {}

SubclassedUnit::~SubclassedUnit() = default;

SubclassedUnit::Guard::~Guard() {
  if (--unit_.calls_ == 0 && unit_.finished_) delete &unit_;
}

// The unit object rides in the window's user data, which the standard controls leave to their owner: the subclass
// procedure looks it up on every message, and a window property would cost a trip to the window server each time
// under some platforms.
SubclassedUnit* SubclassedUnit::OfWindow(HWND window) {
  return window ? reinterpret_cast<SubclassedUnit*>(::GetWindowLongPtrA(window, GWLP_USERDATA)) : nullptr;
}

bool SubclassedUnit::Subclass(HWND window) {
  // The window is the unit's before the first message reaches the subclass procedure.
  window_ = window;
  ::SetLastError(0);
  if (::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this)) != 0 || ::GetLastError() == 0) {
    previous_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassedUnit::Procedure)));
  }
  if (previous_ == nullptr) {
    window_ = nullptr;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    ::DestroyWindow(window);
    return false;
  }
  return true;
}

LRESULT CALLBACK SubclassedUnit::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  SubclassedUnit* unit = OfWindow(window);
  if (unit == nullptr || unit->window_ != window) return ::DefWindowProcA(window, message, wparam, lparam);
  Guard guard(*unit);
  LRESULT result = 0;
  // No exception unwinds through the system's code.
  try {
    result = unit->Handle(message, wparam, lparam);
  } catch (...) {
    result = 0;
  }
  if (message == WM_NCDESTROY) unit->Finish();
  return result;
}

LRESULT SubclassedUnit::Default(UINT message, WPARAM wparam, LPARAM lparam) {
  if (window_ == nullptr) return 0;
  return ::CallWindowProcA(previous_, window_, message, wparam, lparam);
}

void SubclassedUnit::Finish() {
  if (finished_) return;
  HWND window = window_;
  ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  window_ = nullptr;
  finished_ = true;
  link_->Notify(notify_code::kDestroyed, window_id_, unit_id_);
}

std::optional<std::int32_t> SubclassedUnit::Raise(std::int32_t event, std::initializer_list<std::uintptr_t> arguments) {
  forms::EventRecord record;
  record.window_id = window_id_;
  record.unit_id = unit_id_;
  record.event = event;
  for (std::uintptr_t argument : arguments) {
    if (record.argument_count == forms::kMaxEventArguments) break;
    record.arguments[record.argument_count++] = argument;
  }
  record.returned = 0;
  record.value = 0;
  link_->Notify(notify_code::kRaiseEvent, reinterpret_cast<std::uintptr_t>(&record));
  if (record.returned == 0) return std::nullopt;
  return record.value;
}

ChildUnit::ChildUnit(const LibraryLink& link, const UnitCreation& creation)
    : SubclassedUnit(link, creation.window_id, creation.unit_id), design_(creation.design) {}

ChildUnit::~ChildUnit() = default;

bool ChildUnit::CreateControl(const UnitCreation& creation, const char* window_class, const char* text, DWORD style,
                              DWORD ex_style) {
  HWND window = ::CreateWindowExA(ex_style, window_class, text, creation.style | style | kChildUnitStyle, creation.x,
                                  creation.y, creation.width, creation.height, creation.parent,
                                  reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(creation.control_id)),
                                  ::GetModuleHandleA(nullptr), nullptr);
  return window != nullptr && Subclass(window);
}

void ChildUnit::RaiseFocusEvent(bool got) {
  Raise(got ? forms::common_event::kGotFocus : forms::common_event::kLostFocus);
}

LRESULT ChildUnit::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = Default(message, wparam, lparam);
      if (focus_from_messages_ && window_ != nullptr) RaiseFocusEvent(message == WM_SETFOCUS);
      return result;
    }
    case kReflectBase + WM_COMMAND: return OnCommand(HIWORD(wparam));
    case WM_COMMAND:
      // A unit may send itself a notification of its control, as its parent would get it.
      if (reinterpret_cast<HWND>(lparam) == window_ && window_ != nullptr) return OnCommand(HIWORD(wparam));
      return Default(message, wparam, lparam);
    case kReflectBase + WM_NOTIFY: return OnNotify(reinterpret_cast<NMHDR*>(lparam));
    case unit_message::kAllCreated:
      if (data_source_ != nullptr && ProviderNoticeConcerns(wparam, *data_source_)) Rebind();
      return 0;
    case unit_message::kProviderWindow: return reinterpret_cast<LRESULT>(binding_.ProviderWindow());
    case WM_DESTROY:
      if (binding_.Provider() != nullptr) binding_.Release();
      return Default(message, wparam, lparam);
    default:
      if (message >= kReflectBase + WM_CTLCOLORMSGBOX && message <= kReflectBase + WM_CTLCOLORSTATIC) {
        return reinterpret_cast<LRESULT>(ControlColours(reinterpret_cast<HDC>(wparam)));
      }
      // Other reflected messages mean nothing to the control itself.
      if (message >= kReflectBase && message < kReflectBase + 0x1000) {
        const UINT reflected = message - kReflectBase;
        if (reflected == WM_DRAWITEM || reflected == WM_HSCROLL || reflected == WM_VSCROLL ||
            reflected == WM_DELETEITEM || reflected == WM_COMPAREITEM || IsColourMessage(reflected)) {
          return 0;
        }
      }
      return Default(message, wparam, lparam);
  }
}

LRESULT ChildUnit::OnCommand(WORD) { return 0; }
LRESULT ChildUnit::OnNotify(NMHDR*) { return 0; }
HBRUSH ChildUnit::ControlColours(HDC) { return nullptr; }

void ChildUnit::UseDataBinding(const std::string* source, const std::string* column) {
  data_source_ = source;
  data_column_ = column;
}

void ChildUnit::Rebind() {
  if (data_source_ == nullptr) return;
  const bool was_bound = binding_.Provider() != nullptr;
  binding_.Bind(Link(), WindowId(), *data_source_, this);
  if (DataProvider* provider = binding_.Provider()) {
    ApplyProviderReadOnly(provider->ReadOnly());
    ShowDataValue(provider->ColumnValue(*data_column_));
  } else if (was_bound) {
    ApplyProviderReadOnly(false);
  }
}

void ChildUnit::DataChanged(DataChange change, std::string_view column) {
  DataProvider* provider = binding_.Provider();
  if (provider == nullptr || window_ == nullptr) return;
  Guard guard(*this);
  switch (change) {
    case DataChange::kReadOnlyChanged: ApplyProviderReadOnly(provider->ReadOnly()); break;
    case DataChange::kRecordChanged:
      if (!column.empty() && ::lstrcmpiA(std::string(column).c_str(), data_column_->c_str()) != 0) break;
      [[fallthrough]];
    case DataChange::kMoved:
    case DataChange::kReloaded: ShowDataValue(provider->ColumnValue(*data_column_)); break;
  }
}

void ChildUnit::CollectEdits() {
  DataProvider* provider = binding_.Provider();
  if (provider == nullptr || window_ == nullptr) return;
  Guard guard(*this);
  if (std::optional<std::string> value = EditedDataValue()) provider->SetColumnValue(*data_column_, *value);
}

void ChildUnit::ProviderGone() {
  binding_.Forget();
  if (window_ != nullptr) ApplyProviderReadOnly(false);
}

}  // namespace quarrow
