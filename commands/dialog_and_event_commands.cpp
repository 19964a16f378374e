#include "commands/dialog_and_event_commands.h"

#include "conversions/command_arguments.h"
#include "commands/core_library.h"
#include "commands/unit_argument.h"
#include "runtime/runtime_notify.h"
#include "units/common_dlg.h"

namespace quarrow {

void OpenDialogCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  const CommandArguments arguments(count, args);
  *result = ValueRecord::OfLogical(ShowDialog(LiveUnitOf(arguments.At(0))));
}

void ProcessEventsCommand(ValueRecord*, std::int32_t, ValueRecord*) {
  CoreLink().Notify(notify_code::kProcessMessages);
}

void UnitExistsCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  const ValueRecord reference = CommandArguments(count, args).At(0);
  const LibraryLink& link = CoreLink();
  bool exists = false;
  switch (link.Notify(notify_code::kCanRaiseEvents, reference.type)) {
    case 0: break;  // no unit type that has live units
    case 2: exists = link.Notify(notify_code::kUnitObject, WindowIdOf(reference), 0) != 0; break;
    default:
      exists = link.Notify(notify_code::kUnitObject, WindowIdOf(reference), UnitIdOf(reference)) != 0;
      break;
  }
  *result = ValueRecord::OfLogical(exists);
}

}  // namespace quarrow
