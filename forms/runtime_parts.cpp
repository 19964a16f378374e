#include "forms/runtime_parts.h"

#include <memory>
#include <stdexcept>

#include "forms/window_map.h"
#include "internals/sound_state.h"
#include "runtime/runtime.h"

namespace quarrow::forms {

void EquipRuntime(Runtime& runtime) {
  runtime.Equip(std::make_unique<WindowMap>(), std::make_unique<SoundState>());
}

WindowMap& TheWindowMap() {
  // Every window of the program was loaded by this one map, so its code finds the runtime holding it; only a
  // program that never handed the runtime its parts gets here without.
  auto* map = dynamic_cast<WindowMap*>(TheRuntime().Windows());
  if (map == nullptr) throw std::logic_error("the runtime was given no window map");
  return *map;
}

}  // namespace quarrow::forms
