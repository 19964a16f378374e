#include "app/handlers.h"

#include "commands/core_facade.h"
#include "runtime/facade.h"

namespace quarrow::app {

namespace {

// The window has been created: the random numbers start from the clock.
void SeedRandomNumbers() { cmd::SetRandomSeed(); }

}  // namespace

const quarrow::HandlerSlot kHandlerTable[static_cast<int>(app::HandlerSlot::kCount)] = {
    {rt::Handler<&SeedRandomNumbers>},  // kSeedRandomNumbers
    {nullptr},                          // kGenerate
    {nullptr},                          // kClearResults
    {nullptr},                          // kAddRoad
    {nullptr},                          // kAddCommunity
    {nullptr},                          // kRoadEntryKeyDown
    {nullptr},                          // kCommunityEntryKeyDown
    {nullptr},                          // kRoadListKeyDown
    {nullptr},                          // kCommunityListKeyDown
    {nullptr},                          // kExport
};

}  // namespace quarrow::app
