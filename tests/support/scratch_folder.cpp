#include "tests/support/scratch_folder.h"

#include <algorithm>
#include <atomic>

namespace quarrow::testing {

ScratchFolder::ScratchFolder(const std::string& suffix) {
  static std::atomic<int> serial{0};
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  path_ = std::string(temp) + "quarrow-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
          std::to_string(++serial) + suffix;
  made_ = ::CreateDirectoryA(path_.c_str(), nullptr) != FALSE;
  path_ += "\\";
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

std::string TemporaryPath(const std::string& stem) {
  static const ScratchFolder program_folder("-program");
  static std::atomic<int> serial{0};
  return program_folder / (stem + "-" + std::to_string(++serial) + ".tmp");
}

std::vector<std::string> NamesIn(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA((folder + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

void RemoveTree(const std::string& folder) {
  for (const std::string& name : NamesIn(folder)) {
    const std::string path = folder + name;
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) continue;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveTree(path + "\\");
    } else {
      ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileA(path.c_str());
    }
  }
  ::RemoveDirectoryA(folder.c_str());
}

std::optional<std::string> FileBytes(const std::string& path) {
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  ::CloseHandle(file);
  return bytes;
}

bool PutFile(const std::string& path, const std::string& bytes) {
  const HANDLE file =
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  return ::CloseHandle(file) && ok;
}

}  // namespace quarrow::testing
