#include "commands/unit_argument.h"

#include "commands/core_library.h"
#include "runtime/runtime_notify.h"

namespace quarrow {

std::uint32_t WindowIdOf(const ValueRecord& reference) { return reference.word1; }
std::uint32_t UnitIdOf(const ValueRecord& reference) { return reference.word2; }

UnitObject* LiveUnitOf(const ValueRecord& reference) {
  return reinterpret_cast<UnitObject*>(
      CoreLink().Notify(notify_code::kUnitObjectOrError, WindowIdOf(reference), UnitIdOf(reference)));
}

HWND ListBoxControlOf(const ValueRecord& reference) {
  UnitObject* unit = LiveUnitOf(reference);
  HWND window = unit ? unit->Window() : nullptr;
  if (window == nullptr) return nullptr;
  // List-box messages mean something else to other controls.
  char class_name[16] = {};
  ::GetClassNameA(window, class_name, sizeof class_name);
  return ::lstrcmpiA(class_name, "ListBox") == 0 ? window : nullptr;
}

}  // namespace quarrow
