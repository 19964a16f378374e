#include "commands/os_commands.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "conversions/command_arguments.h"
#include "commands/os_library.h"
#include "commands/shell_folders.h"
#include "runtime/runtime_notify.h"

namespace quarrow {

namespace {

// A buffer length the system filled, or 0 when the call failed or the path did not fit.
std::string Filled(const char* buffer, UINT length) {
  return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

std::string FolderPath(const SpecialFolder& folder) {
  char buffer[MAX_PATH] = {};
  switch (folder.source) {
    case FolderSource::kShell:
      // Looked up without creating the folder.
      if (!::SHGetSpecialFolderPathA(nullptr, buffer, folder.shell_folder, FALSE)) return {};
      return std::string(buffer, ::strnlen(buffer, MAX_PATH));
    case FolderSource::kWindowsDirectory: return Filled(buffer, ::GetWindowsDirectoryA(buffer, MAX_PATH));
    case FolderSource::kSystemDirectory: return Filled(buffer, ::GetSystemDirectoryA(buffer, MAX_PATH));
    case FolderSource::kTemporaryDirectory: return Filled(buffer, ::GetTempPathA(MAX_PATH, buffer));
    case FolderSource::kNone: return {};
  }
  return {};
}

// A text block from the runtime heap, reached through the library's link; null for the empty text.
char* RuntimeText(const std::string& text) {
  if (text.empty()) return nullptr;
  auto* block = reinterpret_cast<char*>(OsLink().Notify(notify_code::kAllocate, text.size() + 1, 0));
  if (block != nullptr) std::memcpy(block, text.c_str(), text.size() + 1);
  return block;
}

}  // namespace

void SpecialFolderPathCommand(ValueRecord* result, std::int32_t count, ValueRecord* args) {
  const SpecialFolder folder = SpecialFolderOf(CommandArguments(count, args).Integer(0).value_or(0));
  *result = ValueRecord::OfText(RuntimeText(WithTrailingBackslash(FolderPath(folder))));
}

const CommandRoutine kOsCommands[os_command::kCount] = {
    SpecialFolderPathCommand,
};

}  // namespace quarrow
