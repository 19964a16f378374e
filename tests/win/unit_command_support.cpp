#include "tests/win/unit_command_support.h"

#include "commands/core_library.h"
#include "tests/win/unit_test_form.h"
#include "commands/core_unit_types.h"

namespace quarrow::testing {

namespace {

static_assert(uc_tag::kCount <= kRecordingSlots);

// The test data provider's library (tests/win/test_provider.h) is library 2.
TestProgram UnitCommandProgram() { return {UnitCommandForm(), {&kCoreLibrary, &kProviderTestLibrary}}; }

const bool installed = InstallRuntime(&UnitCommandProgram, Boxes::kWatchedByTests);

}  // namespace

rt::UnitRef RefOf(std::uint32_t window_id, std::uint32_t unit_id, std::uint32_t core_type) {
  return {CoreUnitType(core_type), window_id, unit_id};
}

}  // namespace quarrow::testing
