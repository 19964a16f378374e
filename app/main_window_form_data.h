// The encoded form description of the application's window, made by formgen at build time.
#pragma once

#include <cstddef>

namespace quarrow::app {

extern const unsigned char kMainWindowFormData[];
extern const std::size_t kMainWindowFormSize;

}  // namespace quarrow::app
