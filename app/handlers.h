// The application's event handlers and the handler table through which the form description names them.
#pragma once

#include "app/main_window.h"
#include "base/program_header.h"

namespace quarrow::app {

// In HandlerSlot order; the program header's code base.
extern const quarrow::HandlerSlot kHandlerTable[static_cast<int>(app::HandlerSlot::kCount)];

}  // namespace quarrow::app
