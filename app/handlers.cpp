#include "app/handlers.h"

#include <windows.h>

#include "app/export_action.h"
#include "app/generate_action.h"
#include "app/name_lists.h"
#include "app/seed_switch.h"
#include "app/window_units.h"
#include "commands/core_facade.h"
#include "runtime/facade.h"
#include "units/list_view_facade.h"

namespace quarrow::app {

namespace {

// The window has been created: the random numbers start from the clock, or from the seed the command line gives.
void SeedRandomNumbers() {
  if (const auto seed = ReadSeedSwitch(::GetCommandLineA()).seed) {
    cmd::SetRandomSeed(static_cast<std::int32_t>(*seed));
  } else {
    cmd::SetRandomSeed();
  }
}

// "全部清空" empties the result list; the name lists stay as they are.
void ClearResults() { cmd::ListViewDeleteAllItems(units::kResultList); }

}  // namespace

// Every handler returns no value, so the runtime lets the controls handle the events as usual.
const quarrow::HandlerSlot kHandlerTable[static_cast<int>(app::HandlerSlot::kCount)] = {
    {rt::Handler<&SeedRandomNumbers>},     // kSeedRandomNumbers
    {rt::Handler<&Generate>},              // kGenerate
    {rt::Handler<&ClearResults>},          // kClearResults
    {rt::Handler<&AddRoad>},               // kAddRoad
    {rt::Handler<&AddCommunity>},          // kAddCommunity
    {rt::Handler<&OnRoadEntryKey>},        // kRoadEntryKeyDown
    {rt::Handler<&OnCommunityEntryKey>},   // kCommunityEntryKeyDown
    {rt::Handler<&OnRoadListKey>},         // kRoadListKeyDown
    {rt::Handler<&OnCommunityListKey>},    // kCommunityListKeyDown
    {rt::Handler<&ExportResults>},         // kExport
};

}  // namespace quarrow::app
