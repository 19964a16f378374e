// Events: finding the handler a form description names for a unit and event number, and calling it.
#include "forms/window_map.h"
#include "base/error_text.h"
#include "runtime/runtime.h"
#include "base/unit_interface.h"

namespace quarrow::forms {

std::uintptr_t WindowMap::FindHandler(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t event) {
  Runtime& runtime = TheRuntime();
  // While a window loads, and for good once a runtime error or shutdown has begun, no event is handled.
  if (runtime.Busy()) return 0;

  WindowRecord* window = Find(window_id);
  if (window == nullptr) runtime.ReportError(error_message::kEventWindowNotFound, 0);
  auto index = window->IndexOf(unit_id);
  if (!index) runtime.ReportError(error_message::kEventUnitNotFound, 0);

  // Event-source redirection: a unit may use the event table of another unit of its type, which may redirect
  // again. Each record is visited at most once, so a circle of redirections ends where it closes.
  std::vector<bool> visited(window->working.size(), false);
  for (;;) {
    visited[*index] = true;
    const LiveUnit& unit = window->working[*index];
    const std::uint32_t source = unit.IsMenuItem() ? unit.MenuItem().event_source : unit.Record().event_source;
    if (source == 0 || source == unit.id) break;
    const auto next = window->IndexOf(source);
    if (!next || visited[*next] || window->working[*next].UnitType() != unit.UnitType()) break;
    index = next;
  }

  const LiveUnit& unit = window->working[*index];
  const UnitTypeEntry* type = unit.IsMenuItem() ? nullptr : runtime.FindUnitType(unit.UnitType());
  const bool can_raise = unit.IsMenuItem() ||
                         (type != nullptr && (type->flags & (unit_flag::kRaisesEventsA | unit_flag::kRaisesEvents)));
  if (!can_raise) runtime.ReportError(error_message::kEventUnitInvalid, 0);

  std::uintptr_t handler = 0;
  if (unit.IsMenuItem()) {
    handler = unit.handlers.empty() ? 0 : unit.handlers.front();
  } else {
    const auto& events = unit.Record().events;
    for (std::size_t i = 0; i < events.size(); ++i) {
      if (events[i].event == event) {
        handler = unit.handlers[i];
        break;
      }
    }
  }
  if (handler == 0) return 0;
  source_window_ = window_id;
  source_unit_ = unit_id != 0 ? unit_id : window->working.front().id;
  return handler;
}

std::optional<std::int64_t> WindowMap::Dispatch(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t event,
                                                const std::vector<std::uintptr_t>& words, bool* ran) {
  *ran = false;
  const std::uintptr_t handler = FindHandler(window_id, unit_id, event);
  if (handler == 0) return std::nullopt;
  // A handler address is the address of its slot in the application's handler table.
  const HandlerRoutine routine = reinterpret_cast<const HandlerSlot*>(handler)->routine;
  if (routine == nullptr) {
    // An empty slot is no handler: no event of it is under way.
    source_window_ = 0;
    return std::nullopt;
  }
  *ran = true;
  // The event is over however the handler ends: a handler that throws must not leave its source behind for the
  // next library that asks.
  struct SourceReset {
    std::uint32_t& window;
    ~SourceReset() { window = 0; }
  } reset{source_window_};
  const HandlerResult result = routine(words.data(), static_cast<std::int32_t>(words.size()));
  if (!result.returned) return std::nullopt;
  return result.value;
}

bool WindowMap::RaiseEvent(EventRecord& record) {
  bool ran = false;
  const auto value = Dispatch(record.window_id, record.unit_id, record.event, EventWords(record), &ran);
  if (value) {
    record.returned = 1;
    record.value = static_cast<std::int32_t>(*value);
  }
  return ran;
}

bool WindowMap::RaiseTypedEvent(TypedEventRecord& record) {
  bool ran = false;
  const auto value = Dispatch(record.window_id, record.unit_id, record.event, TypedEventWords(record), &ran);
  if (value) {
    record.returned = 1;
    record.SetValue(*value);
  }
  return ran;
}

std::optional<std::int64_t> WindowMap::Raise(std::uint32_t window_id, std::uint32_t unit_id, std::int32_t event,
                                             std::initializer_list<std::uintptr_t> arguments) {
  EventRecord record;
  record.window_id = window_id;
  record.unit_id = unit_id;
  record.event = event;
  for (std::uintptr_t word : arguments) {
    if (record.argument_count == kMaxEventArguments) break;
    record.arguments[record.argument_count++] = word;
  }
  if (!RaiseEvent(record) || !record.returned) return std::nullopt;
  return record.value;
}

}  // namespace quarrow::forms
