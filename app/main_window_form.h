// The form description of the application's window, declared as a table that mirrors the window's units.
#pragma once

#include "forms/form_description.h"

namespace quarrow::app {

forms::FormDescription MainWindowForm();

}  // namespace quarrow::app
