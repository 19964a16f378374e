// The OS interface library's command as application code calls it: through service entry 2.
#pragma once

#include <cstdint>

#include "commands/os_commands.h"
#include "runtime/facade.h"

namespace quarrow::cmd {

// 1 documents, 2 favourites, 3 desktop, 4 fonts, 5 start menu, 6 its programs, 7 start-up programs, 8 application
// data, 9 Windows directory, 10 system directory, 11 temporary directory: the path with a trailing "\"; any other
// number, or a folder the system cannot name, gives the empty text.
inline rt::Text SpecialFolderPath(std::int32_t number) {
  return rt::Text::Adopt(
      rt::CallLibrary(kOsCommands[os_command::kSpecialFolderPath], {rt::Arg(number)}).Pointer<char>());
}

}  // namespace quarrow::cmd
