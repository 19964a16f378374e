#include <cstdlib>
#include <string>

#include "base/error_text.h"
#include "runtime/runtime.h"

namespace quarrow {

namespace {

// "#123" names a routine by ordinal (the low 16 bits of the number); anything else by name.
FARPROC LookUp(HMODULE module, const std::string& entry) {
  if (entry.size() > 1 && entry[0] == '#') {
    const unsigned long ordinal = std::strtoul(entry.c_str() + 1, nullptr, 10);
    return ::GetProcAddress(module, MAKEINTRESOURCEA(ordinal & 0xFFFF));
  }
  return ::GetProcAddress(module, entry.c_str());
}

HMODULE LoadFromSystemLibraries(const std::string& entry, FARPROC* routine) {
  static const char* const kSystemLibraries[] = {"Kernel32.dll", "Gdi32.dll", "User32.dll",
                                                 "Advapi32.dll", "Mpr.dll",   "Shell32.dll"};
  for (const char* name : kSystemLibraries) {
    HMODULE module = ::LoadLibraryA(name);
    if (module == nullptr) continue;
    if (FARPROC found = LookUp(module, entry)) {
      *routine = found;
      return module;
    }
    ::FreeLibrary(module);
  }
  return nullptr;
}

}  // namespace

void* Runtime::ResolveDllCommand(std::int32_t index) {
  if (index < 0 || static_cast<std::size_t>(index) >= dll_.routines.size()) {
    ReportError(MissingDllCommandMessage("", ""), 0);
  }
  const auto i = static_cast<std::size_t>(index);
  if (dll_.routines[i] != nullptr) return dll_.routines[i];

  const std::string& library = dll_.library_names[i];
  const std::string& entry = dll_.entry_names[i];
  FARPROC routine = nullptr;
  HMODULE module = nullptr;
  if (library.empty()) {
    module = LoadFromSystemLibraries(entry, &routine);
  } else if (library.find(':') != std::string::npos) {
    module = ::LoadLibraryA(library.c_str());
  } else {
    // The program's own directory first, then the system's search.
    for (const std::string& candidate :
         {program_directory_ + "\\" + library, program_directory_slash_ + library, library}) {
      module = ::LoadLibraryA(candidate.c_str());
      if (module != nullptr) break;
    }
  }
  if (module != nullptr && routine == nullptr) routine = LookUp(module, entry);
  if (routine == nullptr) {
    if (module != nullptr) ::FreeLibrary(module);
    ReportError(MissingDllCommandMessage(library, entry), 0);
  }
  dll_.modules[i] = module;
  dll_.routines[i] = reinterpret_cast<void*>(routine);
  return dll_.routines[i];
}

}  // namespace quarrow
