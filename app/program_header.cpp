// The program header: what the runtime reads of the program image when it initialises.
#include "app/constants.h"
#include "app/handlers.h"
#include "app/libraries.h"
#include "app/main_window_form_data.h"
#include "runtime/runtime.h"

namespace quarrow::program {

extern const ProgramHeader kHeader = {
    3,                                     // program mode
    0,                                     // reserved value A
    0x000100D4,                            // reserved value B
    app::kHandlerTable,                    // code base: handler offsets count from the handler table
    &app::kConstants,
    sizeof app::kConstants,
    app::kMainWindowFormData,
    static_cast<std::uint32_t>(app::kMainWindowFormSize),
    app::kLibraryCount,
    app::kLibraries,
    0,                                     // no DLL commands
    nullptr,
    nullptr,
};

}  // namespace quarrow::program
