// The runtime notify codes about windows, units and events.
#include "forms/window_map.h"
#include "base/error_text.h"
#include "runtime/runtime.h"
#include "runtime/runtime_notify.h"

namespace quarrow::forms {

std::intptr_t WindowMap::Notify(std::int32_t code, std::uintptr_t arg1, std::uintptr_t arg2) {
  using namespace notify_code;
  const auto window_id = static_cast<std::uint32_t>(arg1);
  const auto unit_id = static_cast<std::uint32_t>(arg2);
  switch (code) {
    case kDestroyed: {
      WindowRecord* window = Find(window_id);
      if (window == nullptr || !window->Loaded()) return 0;
      if (unit_id == 0 || unit_id == window->working.front().id) {
        WindowClosed(*window);
        return 0;
      }
      if (window_id == recreating_window_ && unit_id == recreating_unit_) return 0;
      if (LiveUnit* unit = window->Unit(unit_id)) {
        DestroyCursor(*unit);
        unit->object = nullptr;
      }
      return 0;
    }
    case kLoadWindow: {
      const auto* request = reinterpret_cast<const LoadWindowRequest*>(arg1);
      if (request == nullptr) return 0;
      const auto* owner = static_cast<const UnitObject*>(request->owner_unit);
      return LoadWindow(request->window_id, false, request->modal != 0, owner ? owner->Window() : nullptr) ? 1 : 0;
    }
    case kWindowCount: return static_cast<std::intptr_t>(Count());
    case kUnitObject: return reinterpret_cast<std::intptr_t>(LiveUnitObject(window_id, unit_id));
    case kUnitObjectOrError: {
      UnitObject* object = LiveUnitObject(window_id, unit_id);
      if (object == nullptr) TheRuntime().ReportError(error_message::kUnitMissing, 0);
      return reinterpret_cast<std::intptr_t>(object);
    }
    case kRaiseEvent: {
      auto* record = reinterpret_cast<EventRecord*>(arg1);
      if (record == nullptr) return 0;
      // While a load shows its window the load itself tells the focused unit, once.
      if (record->event == common_event::kGotFocus && showing_window_ != 0 && record->window_id == showing_window_) return 0;
      return RaiseEvent(*record) ? 1 : 0;
    }
    case kRaiseTypedEvent: {
      auto* record = reinterpret_cast<TypedEventRecord*>(arg1);
      return record != nullptr && RaiseTypedEvent(*record) ? 1 : 0;
    }
    case kCurrentEventSource: {
      auto* words = reinterpret_cast<std::uint32_t*>(arg1);
      if (words != nullptr) {
        words[0] = source_window_;
        words[1] = source_window_ != 0 ? source_unit_ : 0;
      }
      return source_window_ != 0 ? 1 : 0;
    }
    case kUnitTypeOfUnit: {
      WindowRecord* window = Find(window_id);
      if (window == nullptr) return 0;
      const std::vector<LiveUnit>& units = window->Loaded() ? window->working : window->stored_units;
      for (std::size_t i = 0; i < units.size(); ++i) {
        if (units[i].id == unit_id || (unit_id == 0 && i == 0)) return static_cast<std::intptr_t>(units[i].UnitType());
      }
      return 0;
    }
    case kPlatformWindow: {
      const WindowRecord* window = Find(window_id);
      return window ? reinterpret_cast<std::intptr_t>(window->Hwnd()) : 0;
    }
    case kSetMenuFlag: {
      WindowRecord* window = Find(window_id);
      if (window == nullptr || !window->Loaded()) return 0;
      UnitRecord& record = window->working.front().Record();
      record.state = arg2 ? (record.state | state_flag::kMenuFlag) : (record.state & ~state_flag::kMenuFlag);
      RebuildMenu(*window);
      return 0;
    }
    case kShowPage: ShowPage(reinterpret_cast<UnitObject*>(arg1), static_cast<std::int32_t>(arg2)); return 0;
    case kRebuildMenu: {
      if (WindowRecord* window = Find(window_id); window != nullptr && window->Loaded()) RebuildMenu(*window);
      return 0;
    }
    default: return 0;
  }
}

}  // namespace quarrow::forms
